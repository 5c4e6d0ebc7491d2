// SHA-256 of a byte string, for the fingerprints of archived documents.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace rk {

class Sha256 {
public:
    Sha256();
    void add(std::span<const std::byte> data);
    // The digest; the object is spent afterwards.
    std::array<uint8_t, 32> finish();

    // Lower-case hexadecimal digest of `data`.
    static std::string hex(std::span<const std::byte> data);

private:
    void block(const uint8_t* p);

    std::array<uint32_t, 8> h_;
    std::array<uint8_t, 64> buffer_{};
    size_t used_ = 0;
    uint64_t length_ = 0;  // bytes added
};

}  // namespace rk
