#include "platform/station_lock.h"

#include <fcntl.h>
#include <unistd.h>

#include "platform/data_lock.h"

namespace rk {

namespace {
struct flock byteRange(short type, uint64_t byte) {
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = static_cast<off_t>(byte);
    fl.l_len = 1;
    return fl;
}
}  // namespace

std::optional<StationLock> StationLock::acquire(const std::filesystem::path& dataFolder, uint64_t byte) {
    int fd = ::open(DataLock::lockFile(dataFolder).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return std::nullopt;
    struct flock fl = byteRange(F_WRLCK, byte);
    if (::fcntl(fd, F_OFD_SETLK, &fl) == 0) return StationLock(fd);
    ::close(fd);
    return std::nullopt;
}

bool StationLock::held(int probeFd, uint64_t byte) {
    struct flock fl = byteRange(F_WRLCK, byte);
    if (::fcntl(probeFd, F_OFD_GETLK, &fl) != 0) return true;
    return fl.l_type != F_UNLCK;
}

StationLock& StationLock::operator=(StationLock&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

StationLock::~StationLock() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace rk
