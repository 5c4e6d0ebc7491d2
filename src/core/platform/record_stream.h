// Reading a file of fixed records front to back through one small reused buffer, so a pass
// over a large file costs its reads and not a fresh buffer the size of the file.
#pragma once

#include <algorithm>
#include <cstring>

#include "platform/file_system.h"

namespace rk {

// Hands every whole record from record `first` on to `use(n, record)` in file order. False
// when the file cannot be opened or read.
template <Record T, class Use>
bool forEachRecord(FileSystem& fs, const fs::path& p, Use use, uint64_t first = 0) {
    auto file = fs.openReader(p);
    auto size = file ? file->size() : std::nullopt;
    if (!size) return false;
    constexpr uint64_t kPerBlock = std::max<uint64_t>(1, (1u << 20) / sizeof(T));
    const uint64_t count = *size / sizeof(T);
    std::vector<T> block(static_cast<size_t>(std::min(kPerBlock, count > first ? count - first : 0)));
    for (uint64_t n = first; n < count;) {
        const uint64_t want = std::min<uint64_t>(block.size(), count - n);
        auto got = file->read(n * sizeof(T), std::as_writable_bytes(std::span(block.data(), want)));
        if (!got) return false;
        const uint64_t whole = *got / sizeof(T);
        for (uint64_t k = 0; k < whole; ++k) use(n + k, block[k]);
        if (whole < want) break;  // the file shrank meanwhile
        n += whole;
    }
    return true;
}

}  // namespace rk
