// Reading a whole record file in large blocks, record by record, for the tools that walk a
// year: one system call per few megabytes, never one per record.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "platform/file_system.h"

namespace rk::maintenance {

// Hands every whole record of `file` from record `first` on to `use(number, bytes)`. A torn
// tail (less than a record) is not handed over. False when the file cannot be read.
bool forEachRecord(FileSystem& fs, const fs::path& file, uint64_t recordSize, uint64_t first,
                   const std::function<void(uint64_t number, std::span<const std::byte> record)>& use);

// Whole records of `file` (record 0 included); nullopt when its length cannot be taken.
std::optional<uint64_t> recordCount(FileSystem& fs, const fs::path& file, uint64_t recordSize);

}  // namespace rk::maintenance
