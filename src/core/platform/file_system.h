// The one seam to the operating system's files. Every core operation goes through a
// FileSystem so that tests can swap in a fault-injecting one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "base/record.h"

namespace rk {

namespace fs = std::filesystem;

// Local time of a file's last modification, to the second.
struct FileTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    auto operator<=>(const FileTime&) const = default;
};

// Why a file call failed: the operation, the file and the system's error number. Each
// thread keeps the one of its last failed call, so a caller far up can still say why.
struct FileError {
    std::string operation;  // "open", "read", "write", "close", "sync", "rename", ...
    fs::path path;
    int code = 0;  // errno
    bool empty() const { return operation.empty(); }
    // "write /data/F7db2026.FT2: No space left on device"
    std::string describe() const;
};
const FileError& lastFileError();
void noteFileError(std::string operation, const fs::path& path, int code);
void clearFileError();

// A file opened once for reading: an operation that reads many records of a file keeps one
// of these, so it opens the file (and finds its name in any letter case) only once.
class FileReader {
public:
    virtual ~FileReader() = default;
    // Reads up to `out.size()` bytes at `offset`; the count read (short at end of file) or
    // nullopt when the read fails.
    virtual std::optional<size_t> read(uint64_t offset, std::span<std::byte> out) = 0;
    // The file's length now.
    virtual std::optional<uint64_t> size() = 0;
    // Reads a record-sized block; bytes past the end of the file read as zero.
    std::optional<size_t> readZeroFilled(uint64_t offset, std::span<std::byte> out);
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Reads up to `out.size()` bytes at `offset`; returns the count read (short at end of
    // file) or nullopt when the file cannot be opened or read.
    virtual std::optional<size_t> read(const fs::path& p, uint64_t offset, std::span<std::byte> out) = 0;
    // Writes all of `data` at `offset`; creates the file when `create`. False unless every
    // byte was written.
    virtual bool write(const fs::path& p, uint64_t offset, std::span<const std::byte> data, bool create = false) = 0;
    // Appends all of `data`; returns the offset it was written at.
    virtual std::optional<uint64_t> append(const fs::path& p, std::span<const std::byte> data) = 0;
    virtual std::optional<uint64_t> size(const fs::path& p) = 0;
    virtual bool exists(const fs::path& p) = 0;
    // Whether the file exists and can be opened for writing (not read-only, not a folder).
    virtual bool writable(const fs::path& p) = 0;
    virtual std::optional<FileTime> modified(const fs::path& p) = 0;
    virtual bool truncate(const fs::path& p, uint64_t length) = 0;
    virtual bool sync(const fs::path& p) = 0;
    virtual bool rename(const fs::path& from, const fs::path& to) = 0;
    virtual bool remove(const fs::path& p) = 0;
    // Copies a file whole, keeping its modification time; replaces `to` when it exists.
    virtual bool copy(const fs::path& from, const fs::path& to) = 0;

    // Opens `p` for reading; nullptr (the error noted) when it cannot be opened. This one reads
    // through read() and size() by name, so a file system that injects faults sees every read.
    virtual std::unique_ptr<FileReader> openReader(const fs::path& p);

    // --- helpers built on the primitives ---

    // Creates (or replaces) the file with exactly `data`: written to a temporary file in the
    // same folder, synced and renamed over the original, so a crash leaves old or new.
    bool replaceWhole(const fs::path& p, std::span<const std::byte> data);
    // Creates the file with `count` zero bytes (replacing it).
    bool createZeroed(const fs::path& p, uint64_t count);
    // Reads a record-sized block; missing bytes past the end of the file read as zero.
    // Returns the count actually read, nullopt when the file cannot be read.
    std::optional<size_t> readZeroFilled(const fs::path& p, uint64_t offset, std::span<std::byte> out);
    std::optional<Bytes> readAll(const fs::path& p);
};

// The real file system.
class PosixFileSystem final : public FileSystem {
public:
    std::optional<size_t> read(const fs::path& p, uint64_t offset, std::span<std::byte> out) override;
    bool write(const fs::path& p, uint64_t offset, std::span<const std::byte> data, bool create) override;
    std::optional<uint64_t> append(const fs::path& p, std::span<const std::byte> data) override;
    std::optional<uint64_t> size(const fs::path& p) override;
    bool exists(const fs::path& p) override;
    bool writable(const fs::path& p) override;
    std::optional<FileTime> modified(const fs::path& p) override;
    bool truncate(const fs::path& p, uint64_t length) override;
    bool sync(const fs::path& p) override;
    bool rename(const fs::path& from, const fs::path& to) override;
    bool remove(const fs::path& p) override;
    bool copy(const fs::path& from, const fs::path& to) override;
    std::unique_ptr<FileReader> openReader(const fs::path& p) override;
};

// The process's shared real file system.
FileSystem& realFileSystem();

// Finds `p` or, when it does not exist, a file of the same name in another letter case in
// the same folder (the files come from a system that ignored case). Returns `p` when none.
fs::path resolveCase(const fs::path& p);

}  // namespace rk
