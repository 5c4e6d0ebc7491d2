// Fixed-size binary records: the files are little-endian, so the host must be too.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <type_traits>
#include <vector>

static_assert(std::endian::native == std::endian::little, "the record files are little-endian");
static_assert(sizeof(double) == 8 && sizeof(int32_t) == 4);

namespace rk {

using Bytes = std::vector<std::byte>;

// A record type is a standard-layout struct of fixed-width fields; its layout is
// asserted field by field next to its declaration.
template <class T>
concept Record = std::is_standard_layout_v<T> && std::is_trivially_copyable_v<T>;

// Copies as many bytes as `src` holds into a zeroed record: a short file reads as far as it goes.
template <Record T>
T recordFrom(std::span<const std::byte> src) {
    T r{};
    std::memcpy(&r, src.data(), std::min(src.size(), sizeof(T)));
    return r;
}

template <Record T>
std::span<const std::byte> bytesOf(const T& r) {
    return {reinterpret_cast<const std::byte*>(&r), sizeof(T)};
}

template <Record T>
std::span<std::byte> bytesOf(T& r) {
    return {reinterpret_cast<std::byte*>(&r), sizeof(T)};
}

inline int32_t readI32(std::span<const std::byte> b, size_t off) {
    int32_t v = 0;
    if (off + 4 <= b.size()) std::memcpy(&v, b.data() + off, 4);
    return v;
}

inline void writeI32(std::span<std::byte> b, size_t off, int32_t v) {
    if (off + 4 <= b.size()) std::memcpy(b.data() + off, &v, 4);
}

}  // namespace rk

// Layout check used beside each record declaration.
#define RK_FIELD_AT(Type, field, off) static_assert(offsetof(Type, field) == (off), #Type "::" #field " offset")
