#include "maintenance/lha_writer.h"

#include "maintenance/crc16.h"
#include "maintenance/lh5_encoder.h"

namespace rk::lha {
namespace {

void put16(Bytes& b, size_t at, uint32_t v) {
    b[at] = static_cast<std::byte>(v & 0xFF);
    b[at + 1] = static_cast<std::byte>((v >> 8) & 0xFF);
}
void put32(Bytes& b, size_t at, uint32_t v) {
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}
void add16(Bytes& b, uint32_t v) {
    b.resize(b.size() + 2);
    put16(b, b.size() - 2, v);
}

}  // namespace

std::optional<Bytes> encodeMember(std::string_view sjisName, std::span<const std::byte> data, int64_t mtime,
                                  MemberInfo& info) {
    if (sjisName.empty() || sjisName.size() > 1000 || data.size() >= (uint64_t{1} << 32)) return std::nullopt;
    info.name = std::string(sjisName);
    info.size = data.size();
    info.crc = crc16(data);
    Bytes packed = encodeLh5(data);
    const bool stored = packed.size() >= data.size();
    if (stored) packed.assign(data.begin(), data.end());
    info.method = stored ? "-lh0-" : "-lh5-";
    info.packed = packed.size();

    // Fixed part of a level-2 header.
    Bytes h(26, std::byte{0});
    for (size_t i = 0; i < 5; ++i) h[2 + i] = static_cast<std::byte>(info.method[i]);
    put32(h, 7, static_cast<uint32_t>(packed.size()));
    put32(h, 11, static_cast<uint32_t>(data.size()));
    put32(h, 15, static_cast<uint32_t>(mtime < 0 ? 0 : mtime));
    h[19] = std::byte{0x20};
    h[20] = std::byte{2};
    put16(h, 21, info.crc);
    // Made on Windows: Shift-JIS names, kept in their case (an MS-DOS archive's upper-case
    // names are read back in lower case).
    h[23] = std::byte{'w'};
    // Extended headers, each announced by the size field before it: the header's own CRC,
    // the file name, its code page (932, for readers that would take the locale's), the
    // MS-DOS attribute (archive).
    const size_t crcAt = 24 + 2 + 1;
    put16(h, 24, 5);
    h.push_back(std::byte{0x00});
    add16(h, 0);
    add16(h, static_cast<uint32_t>(3 + sjisName.size()));
    h.push_back(std::byte{0x01});
    for (char c : sjisName) h.push_back(static_cast<std::byte>(c));
    add16(h, 7);
    h.push_back(std::byte{0x46});
    add16(h, 932);
    add16(h, 0);
    add16(h, 5);
    h.push_back(std::byte{0x40});
    add16(h, 0x20);
    add16(h, 0);
    // A header whose size ends in a zero byte would read as the end of the archive.
    if ((h.size() & 0xFF) == 0) h.push_back(std::byte{0});
    if (h.size() > 0xFFFF) return std::nullopt;
    put16(h, 0, static_cast<uint32_t>(h.size()));
    put16(h, crcAt, crc16(h));

    h.insert(h.end(), packed.begin(), packed.end());
    return h;
}

}  // namespace rk::lha
