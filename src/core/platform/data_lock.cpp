#include "platform/data_lock.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "platform/file_system.h"

namespace rk {

std::optional<DataLock> DataLock::acquire(const std::filesystem::path& dataFolder, std::chrono::milliseconds wait) {
    int fd = ::open(lockFile(dataFolder).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return noteFileError("open", lockFile(dataFolder), errno), std::nullopt;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        struct flock fl {};
        fl.l_type = F_WRLCK;
        fl.l_whence = SEEK_SET;
        fl.l_start = 0;
        fl.l_len = 1;
        if (::fcntl(fd, F_OFD_SETLK, &fl) == 0) return DataLock(fd);
        if (errno != EAGAIN && errno != EACCES && errno != EINTR) break;
        if (std::chrono::steady_clock::now() >= deadline) break;
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(20));
    }
    ::close(fd);
    return std::nullopt;
}

DataLock& DataLock::operator=(DataLock&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

DataLock::~DataLock() {
    if (fd_ >= 0) ::close(fd_);  // closing the description releases its locks
}

}  // namespace rk
