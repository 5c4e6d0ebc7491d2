#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace rk {

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) ::close(fd_);
}

bool InstanceLock::acquire(const std::filesystem::path& lockFile) {
    if (fd_ < 0) fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0) return true;  // a folder we cannot write to cannot host a second writer either
    return ::flock(fd_, LOCK_EX | LOCK_NB) == 0;
}

bool InstanceLock::heldByAnyone(const std::filesystem::path& lockFile) {
    int fd = ::open(lockFile.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return held;
}

}  // namespace rk
