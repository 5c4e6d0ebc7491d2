// Writes standard LHA archives: level-2 headers, names in Shift-JIS without folder, members
// compressed with -lh5- or stored (-lh0-) when compression does not make them smaller.
// Every byte goes through the FileSystem seam, so a failed or short write is seen.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "base/record.h"
#include "platform/file_system.h"

namespace rk::lha {

struct MemberInfo {
    std::string name;     // as stored: Shift-JIS
    uint64_t size = 0;    // original length
    uint64_t packed = 0;  // compressed length
    uint16_t crc = 0;     // CRC-16 of the original bytes
    std::string method;   // "-lh5-" or "-lh0-"
};

// The bytes of one member (header and compressed data) for a file named `sjisName`, last
// modified at `mtime` (seconds since 1970, UTC). Nullopt for a name the header cannot hold or
// a file of 4 GiB or more.
std::optional<Bytes> encodeMember(std::string_view sjisName, std::span<const std::byte> data, int64_t mtime,
                                  MemberInfo& info);

// The byte that ends an archive.
inline constexpr std::byte kEndOfArchive{0};

}  // namespace rk::lha
