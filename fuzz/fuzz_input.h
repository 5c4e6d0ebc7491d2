// Splits one fuzzer input into several files: first two little-endian bytes per file giving
// its length in units of `unit` bytes, then the files' bytes one after another. A short
// input gives short or empty files, which is what a damaged folder looks like too.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "memory_file_system.h"

namespace rk::fuzz {

inline void splitFiles(MemoryFileSystem& mem, std::initializer_list<fs::path> files, const uint8_t* data, size_t size,
                       size_t unit) {
    const size_t head = 2 * files.size();
    size_t pos = head, i = 0;
    for (const fs::path& f : files) {
        size_t want =
            size >= head ? (static_cast<size_t>(data[2 * i]) | static_cast<size_t>(data[2 * i + 1]) << 8) * unit : 0;
        size_t n = pos < size ? std::min(want, size - pos) : 0;
        Bytes b(n);
        if (n) std::memcpy(b.data(), data + pos, n);
        mem.files[f] = std::move(b);
        pos += n;
        ++i;
    }
}

// A real folder for the data-folder lock (the lock is a real file); the files live in memory.
inline const fs::path& lockFolder() {
    static fs::path p = [] {
        std::string t = (fs::temp_directory_path() / "rkfuzz.XXXXXX").string();
        if (!::mkdtemp(t.data())) std::abort();
        return fs::path(t);
    }();
    return p;
}

}  // namespace rk::fuzz
