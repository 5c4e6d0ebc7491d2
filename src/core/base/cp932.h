// Shift-JIS (code page 932) text in fixed-width record fields.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace rk::cp932 {

// True for the first byte of a double-byte character.
constexpr bool isLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Length of the text in a field: up to the first NUL or the field's width.
size_t fieldLength(const char* field, size_t width);

// Longest prefix of `sjis` of at most `limit` bytes that does not split a double-byte character.
size_t cutAtCharBoundary(std::string_view sjis, size_t limit);

// UTF-8 <-> CP932. Characters without an equivalent become '?' (or U+30FB going to UTF-8).
std::string toUtf8(std::string_view sjis);
std::string fromUtf8(std::string_view utf8);

// Text of a fixed field as UTF-8; stops at the first NUL, never reads past the width.
std::string toUtf8(const char* field, size_t width);
template <size_t N>
std::string toUtf8(const char (&field)[N]) {
    return toUtf8(field, N);
}

// Stores UTF-8 text into a fixed field as CP932, cut at a character boundary and padded
// with `pad` (NUL or blank) to the full width.
void assign(char* field, size_t width, std::string_view utf8, char pad = '\0');
template <size_t N>
void assign(char (&field)[N], std::string_view utf8, char pad = '\0') {
    assign(field, N, utf8, pad);
}

// Same with text that is already CP932.
void assignRaw(char* field, size_t width, std::string_view sjis, char pad = '\0');

// Number of Shift-JIS bytes the UTF-8 text takes.
size_t byteLength(std::string_view utf8);

// Finds `needle` in `hay` (both CP932) comparing whole characters only: a match never
// starts on the second byte of a double-byte character.
size_t findWhole(std::string_view hay, std::string_view needle);

}  // namespace rk::cp932
