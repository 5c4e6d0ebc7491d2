// Tells whether another copy of the same edition runs from this program folder: each running
// copy holds an exclusive lock on a small file there for its lifetime. The operating system
// drops the lock when the process ends, however it ends.
#pragma once

#include <filesystem>

namespace rk {

class InstanceLock {
public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Opens the lock file and tries to take it: true when no other copy holds it. A copy
    // that was told it is not alone keeps running without the lock when the operator says so.
    bool acquire(const std::filesystem::path& lockFile);

    // Whether some running copy holds the lock of `lockFile` (this process's own included).
    static bool heldByAnyone(const std::filesystem::path& lockFile);

private:
    int fd_ = -1;
};

}  // namespace rk
