#include "support/faulty_file_system.h"

#include <cerrno>

namespace rk::test {

FaultyFileSystem::Go FaultyFileSystem::next() {
    if (crashed_) return noteFileError("write", "(crashed)", EIO), Go::Refuse;
    ++changes_;
    if (changes_ != at_) return Go::Normal;
    noteFileError("write", "(injected fault)", EIO);
    switch (fault_) {
        case Fault::None:
            return Go::Normal;
        case Fault::Fail:
            return Go::Refuse;
        case Fault::ShortWrite:
            return Go::Half;
        case Fault::Crash:
            crashed_ = true;
            return Go::Refuse;
        case Fault::TornCrash:
            crashed_ = true;
            return Go::Half;
    }
    return Go::Normal;
}

bool FaultyFileSystem::write(const fs::path& p, uint64_t o, std::span<const std::byte> d, bool create) {
    switch (next()) {
        case Go::Normal:
            return real_.write(p, o, d, create);
        case Go::Refuse:
            return false;
        case Go::Half:
            (void)real_.write(p, o, d.first(d.size() / 2), create);
            return false;
    }
    return false;
}

std::optional<uint64_t> FaultyFileSystem::append(const fs::path& p, std::span<const std::byte> d) {
    switch (next()) {
        case Go::Normal:
            return real_.append(p, d);
        case Go::Refuse:
            return std::nullopt;
        case Go::Half:
            (void)real_.append(p, d.first(d.size() / 2));
            return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace rk::test
