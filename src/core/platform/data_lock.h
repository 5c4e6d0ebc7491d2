// The data-folder lock: every multi-record write and every read-modify-write of the network
// control file holds it, so stations sharing one data folder never interleave their writes.
// It is an exclusive open-file-description lock on byte 0 of one lock file in the data
// folder; the operating system releases it when the holder closes it or dies.
// Not re-entrant: take it once around a whole operation.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>

namespace rk {

class DataLock {
public:
    static constexpr const char* kFileName = "RAKURENA.LCK";
    static constexpr std::chrono::milliseconds kDefaultWait{10000};

    // Waits at most `wait` for the lock; nullopt when another station held it all that time
    // or the lock file cannot be opened.
    static std::optional<DataLock> acquire(const std::filesystem::path& dataFolder,
                                           std::chrono::milliseconds wait = kDefaultWait);
    static std::filesystem::path lockFile(const std::filesystem::path& dataFolder) { return dataFolder / kFileName; }

    DataLock(DataLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    DataLock& operator=(DataLock&& other) noexcept;
    DataLock(const DataLock&) = delete;
    DataLock& operator=(const DataLock&) = delete;
    ~DataLock();

    // The descriptor holding the lock (other byte ranges of the same file may be locked on it).
    int fd() const { return fd_; }

private:
    explicit DataLock(int fd) : fd_(fd) {}
    int fd_ = -1;
};

}  // namespace rk
