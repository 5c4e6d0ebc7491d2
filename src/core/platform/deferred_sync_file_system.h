// The real file system with its syncs deferred: for generating a large data set in one go,
// where a crash only means generating it again. Call syncAll() at the end.
#pragma once

#include <set>

#include "platform/file_system.h"

namespace rk {

class DeferredSyncFileSystem final : public FileSystem {
public:
    std::optional<size_t> read(const fs::path& p, uint64_t o, std::span<std::byte> out) override {
        return real_.read(p, o, out);
    }
    bool write(const fs::path& p, uint64_t o, std::span<const std::byte> d, bool create) override {
        touched_.insert(p);
        return real_.write(p, o, d, create);
    }
    std::optional<uint64_t> append(const fs::path& p, std::span<const std::byte> d) override {
        touched_.insert(p);
        return real_.append(p, d);
    }
    std::optional<uint64_t> size(const fs::path& p) override { return real_.size(p); }
    std::unique_ptr<FileReader> openReader(const fs::path& p) override { return real_.openReader(p); }
    bool exists(const fs::path& p) override { return real_.exists(p); }
    bool writable(const fs::path& p) override { return real_.writable(p); }
    std::optional<FileTime> modified(const fs::path& p) override { return real_.modified(p); }
    bool truncate(const fs::path& p, uint64_t length) override { return real_.truncate(p, length); }
    bool sync(const fs::path& p) override {
        touched_.insert(p);
        return true;
    }
    bool rename(const fs::path& from, const fs::path& to) override {
        std::error_code ec;
        fs::rename(from, to, ec);
        touched_.erase(from);
        touched_.insert(to);
        return !ec;
    }
    bool remove(const fs::path& p) override {
        touched_.erase(p);
        return real_.remove(p);
    }
    bool copy(const fs::path& from, const fs::path& to) override { return real_.copy(from, to); }

    // Syncs every file written since the start; false when one fails.
    bool syncAll() {
        bool ok = true;
        for (const fs::path& p : touched_)
            if (real_.exists(p)) ok = real_.sync(p) && ok;
        touched_.clear();
        return ok;
    }

private:
    PosixFileSystem real_;
    std::set<fs::path> touched_;
};

}  // namespace rk
