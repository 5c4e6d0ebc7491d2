// The two index files kept beside the slip header file: an 8-byte zero header, then one
// 8-byte entry per header record after record 0, in record order.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/file_system.h"
#include "slips/slip_records.h"

namespace rk {

constexpr uint64_t kSlipHeaderSize = 768;
constexpr uint64_t kIndexEntrySize = 8;

// Header-record offsets each index takes its two int32 from.
constexpr size_t kIndex1First = 72, kIndex1Second = 76;
constexpr size_t kIndex2First = 64, kIndex2Second = 88;

// Whether the index file's entry count matches the header file's record count.
bool indexesConsistent(uint64_t index1Size, uint64_t headerFileSize);

// Recreates both index files from the header file, reading it in large blocks. False when a
// file cannot be read or written (the old index files are then left as they were).
bool rebuildIndexes(FileSystem& fs, const fs::path& headerFile, const fs::path& index1, const fs::path& index2);

// The rebuild as every caller runs it: under the data-folder lock, after rolling back a
// journal a crashed station left (its half-written header would otherwise be indexed), so
// no entry another station writes meanwhile is lost. False when the lock could not be had
// or a file could not be read or written (lastFileError() says why).
bool rebuildIndexesLocked(FileSystem& fs, const fs::path& dataFolder, const fs::path& headerFile,
                          const fs::path& index1, const fs::path& index2);

// Every entry of an index file, entry 0 included (empty when it cannot be read).
std::vector<IndexEntry> readIndexEntries(FileSystem& fs, const fs::path& index);

// The date a new slip or a print run starts with: the month-day of the last index entry (a
// deleted slip's negated date counts as its date), 101 when there is none or it is no date.
// Reads only that entry.
int32_t lastIndexedDate(FileSystem& fs, const fs::path& index1);

// Header number of the live slip of (date, customer), 0 when there is none. An index entry
// only counts when the header record agrees with it (a stale index never yields a wrong
// slip). `except` is skipped: the slip being rewritten itself.
int findLiveSlip(FileSystem& fs, const fs::path& index1, const fs::path& headerFile, int32_t date, int32_t customer,
                 int except = 0);

// The data password kept in header record 0 (0 when unreadable).
int32_t readDataPassword(FileSystem& fs, const fs::path& headerFile);
constexpr bool passwordSet(int32_t value) { return value >= 1 && value <= 9999; }

}  // namespace rk
