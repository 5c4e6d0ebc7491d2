// The CRC-16 of LHA archives (polynomial 0x8005, reflected, starting at 0).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace rk::lha {

// Continues `crc` over `data`; start with 0.
uint16_t crc16(std::span<const std::byte> data, uint16_t crc = 0);

}  // namespace rk::lha
