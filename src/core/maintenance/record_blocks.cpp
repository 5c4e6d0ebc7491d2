#include "maintenance/record_blocks.h"

#include <algorithm>

namespace rk::maintenance {

namespace {
constexpr uint64_t kBlockBytes = 4u << 20;
}

bool forEachRecord(FileSystem& fs, const fs::path& file, uint64_t recordSize, uint64_t first,
                   const std::function<void(uint64_t, std::span<const std::byte>)>& use) {
    auto length = fs.size(file);
    if (!length) return false;
    const uint64_t end = *length / recordSize * recordSize;
    const uint64_t perBlock = std::max<uint64_t>(1, kBlockBytes / recordSize) * recordSize;
    Bytes block(std::min(perBlock, std::max<uint64_t>(end, recordSize)));
    for (uint64_t at = first * recordSize; at < end;) {
        const uint64_t want = std::min<uint64_t>(block.size(), end - at);
        auto got = fs.read(file, at, std::span(block.data(), want));
        if (!got) return false;
        const uint64_t whole = *got / recordSize * recordSize;
        if (whole == 0) break;
        for (uint64_t off = 0; off < whole; off += recordSize)
            use((at + off) / recordSize, std::span<const std::byte>(block.data() + off, recordSize));
        at += whole;
    }
    return true;
}

std::optional<uint64_t> recordCount(FileSystem& fs, const fs::path& file, uint64_t recordSize) {
    auto length = fs.size(file);
    if (!length) return std::nullopt;
    return *length / recordSize;
}

}  // namespace rk::maintenance
