// LHA (.Lzh) archives of the year's files, in process: archives are written by our own
// writer (lha_writer.h) and read with liblhasa, so archives of other LHA tools (every method,
// header levels 0 to 2, Shift-JIS names) extract too. Three effects: create an archive of
// files stored without folder, check an archive member by member, and extract every member
// flat into one folder, replacing files there.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace rk {

struct ArchiveEntry {
    std::string name;  // file name (UTF-8), without folder
    uint64_t size = 0;
    uint16_t crc = 0;
    std::string method;  // "-lh5-" …
    int64_t mtime = 0;   // seconds since 1970, UTC
};

struct ArchiveInput {
    fs::path source;
    std::string name;  // stored name (UTF-8); the source's own name when empty
};

enum class ArchiveError {
    None,
    SourceUnreadable,  // a file to add could not be read
    TooLarge,          // a file of 4 GiB or more
    WriteFailed,       // the archive (or an extracted file) could not be written whole
    CannotOpen,        // the archive cannot be opened as an LHA archive
    Damaged,           // a member's length or CRC does not match what its header says
};

struct ArchiveResult {
    ArchiveError error = ArchiveError::None;
    std::string file;  // the file concerned by the error
    std::vector<ArchiveEntry> entries;
    bool ok() const { return error == ArchiveError::None; }
};

// Writes a new archive of `inputs` in their order, reads it back and checks every member
// against the file it came from, and only then puts it in place of `archive`. On failure
// `archive` is left as it was.
ArchiveResult createArchive(FileSystem& files, const fs::path& archive, const std::vector<ArchiveInput>& inputs);

// Decompresses every member and checks its length and CRC.
ArchiveResult checkArchive(const fs::path& archive);

// Checks `archive` and that it holds exactly `expected` (names, lengths, CRCs).
ArchiveResult verifyArchive(const fs::path& archive, const std::vector<ArchiveEntry>& expected);

// Extracts every file member into `folder` under its name without folder parts, replacing
// existing files and keeping the stored modification times. A member whose length or CRC is
// wrong stops the extraction (files already extracted stay).
ArchiveResult extractArchive(FileSystem& files, const fs::path& archive, const fs::path& folder);

// Seconds since 1970 of a local time, and back.
int64_t toUnixTime(const FileTime& t);
FileTime fromUnixTime(int64_t t);

}  // namespace rk
