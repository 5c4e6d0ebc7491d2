#include "maintenance/crc16.h"

#include <array>

namespace rk::lha {
namespace {

constexpr std::array<uint16_t, 256> makeTable() {
    std::array<uint16_t, 256> t{};
    for (unsigned i = 0; i < 256; ++i) {
        unsigned r = i;
        for (int k = 0; k < 8; ++k) r = (r & 1) ? (r >> 1) ^ 0xA001 : r >> 1;
        t[i] = static_cast<uint16_t>(r);
    }
    return t;
}

constexpr auto kTable = makeTable();

}  // namespace

uint16_t crc16(std::span<const std::byte> data, uint16_t crc) {
    for (std::byte b : data) crc = static_cast<uint16_t>(kTable[(crc ^ static_cast<unsigned>(b)) & 0xFF] ^ (crc >> 8));
    return crc;
}

}  // namespace rk::lha
