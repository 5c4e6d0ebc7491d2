#include "base/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <mutex>

namespace rk::cp932 {
namespace {

// One converter per direction; iconv descriptors are not shared across threads, the lock
// keeps a background use (tests, CLI) safe.
struct Converter {
    iconv_t cd;
    std::mutex m;
    Converter(const char* to, const char* from) : cd(iconv_open(to, from)) {}
    ~Converter() {
        if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
    }

    std::string run(std::string_view in, const char* replacement) {
        std::lock_guard lock(m);
        std::string out;
        if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        size_t left = in.size();
        char buf[256];
        while (left > 0) {
            char* dst = buf;
            size_t room = sizeof buf;
            size_t r = iconv(cd, &src, &left, &dst, &room);
            out.append(buf, static_cast<size_t>(dst - buf));
            if (r == static_cast<size_t>(-1)) {
                if (errno == E2BIG) continue;
                // Invalid or incomplete sequence: skip one byte (two for a lead byte) and mark it.
                out += replacement;
                ++src;
                --left;
                iconv(cd, nullptr, nullptr, nullptr, nullptr);
            }
        }
        char* dst = buf;
        size_t room = sizeof buf;
        iconv(cd, nullptr, nullptr, &dst, &room);
        out.append(buf, static_cast<size_t>(dst - buf));
        return out;
    }
};

Converter& toUtf8Converter() {
    static Converter c("UTF-8", "CP932");
    return c;
}
Converter& fromUtf8Converter() {
    static Converter c("CP932", "UTF-8");
    return c;
}

}  // namespace

size_t fieldLength(const char* field, size_t width) {
    const void* nul = std::memchr(field, 0, width);
    return nul ? static_cast<size_t>(static_cast<const char*>(nul) - field) : width;
}

size_t cutAtCharBoundary(std::string_view s, size_t limit) {
    size_t i = 0;
    while (i < s.size()) {
        size_t w = (isLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
        if (i + w > limit) break;
        i += w;
    }
    return i;
}

std::string toUtf8(std::string_view sjis) { return toUtf8Converter().run(sjis, "\xE3\x83\xBB"); }

std::string fromUtf8(std::string_view utf8) { return fromUtf8Converter().run(utf8, "?"); }

std::string toUtf8(const char* field, size_t width) {
    return toUtf8(std::string_view(field, fieldLength(field, width)));
}

void assignRaw(char* field, size_t width, std::string_view sjis, char pad) {
    size_t n = cutAtCharBoundary(sjis, width);
    std::memcpy(field, sjis.data(), n);
    std::memset(field + n, pad, width - n);
}

void assign(char* field, size_t width, std::string_view utf8, char pad) {
    assignRaw(field, width, fromUtf8(utf8), pad);
}

size_t byteLength(std::string_view utf8) { return fromUtf8(utf8).size(); }

size_t findWhole(std::string_view hay, std::string_view needle) {
    if (needle.empty()) return 0;
    for (size_t i = 0; i + needle.size() <= hay.size();) {
        if (hay.compare(i, needle.size(), needle) == 0) return i;
        i += isLeadByte(static_cast<unsigned char>(hay[i])) ? 2 : 1;
    }
    return std::string_view::npos;
}

}  // namespace rk::cp932
