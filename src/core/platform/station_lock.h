// A running station's sign of life: an exclusive open-file-description lock on one byte of
// the data-folder lock file, held from registration to exit. The operating system drops it
// when the process ends, however it ends (SIGKILL, power loss of the station), so another
// station that can see no holder of the byte knows the station is gone.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace rk {

class StationLock {
public:
    // Takes the byte at once; nullopt when another process holds it or the lock file cannot
    // be opened.
    static std::optional<StationLock> acquire(const std::filesystem::path& dataFolder, uint64_t byte);
    // Whether some other open description of the lock file holds the byte. `probeFd` is any
    // descriptor open on the lock file (the data lock's). An error counts as held: a station
    // is never declared gone on a guess.
    static bool held(int probeFd, uint64_t byte);

    StationLock(StationLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    StationLock& operator=(StationLock&& other) noexcept;
    StationLock(const StationLock&) = delete;
    StationLock& operator=(const StationLock&) = delete;
    ~StationLock();

private:
    explicit StationLock(int fd) : fd_(fd) {}
    int fd_ = -1;
};

}  // namespace rk
