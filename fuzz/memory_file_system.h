// Files held in memory, so a fuzzer runs thousands of inputs a second without a disk.
#pragma once

#include <algorithm>
#include <map>

#include "platform/file_system.h"

namespace rk::fuzz {

class MemoryFileSystem final : public FileSystem {
public:
    static constexpr uint64_t kMaxFile = 64 << 20;
    std::map<fs::path, Bytes> files;

    std::optional<size_t> read(const fs::path& p, uint64_t o, std::span<std::byte> out) override {
        auto it = files.find(p);
        if (it == files.end()) return std::nullopt;
        if (o >= it->second.size()) return 0;
        size_t n = std::min<uint64_t>(out.size(), it->second.size() - o);
        std::copy_n(it->second.begin() + static_cast<ptrdiff_t>(o), n, out.begin());
        return n;
    }
    bool write(const fs::path& p, uint64_t o, std::span<const std::byte> d, bool create) override {
        auto it = files.find(p);
        if (it == files.end()) {
            if (!create) return false;
            it = files.emplace(p, Bytes{}).first;
        }
        if (o + d.size() > kMaxFile) return false;
        if (it->second.size() < o + d.size()) it->second.resize(o + d.size());
        std::copy(d.begin(), d.end(), it->second.begin() + static_cast<ptrdiff_t>(o));
        return true;
    }
    std::optional<uint64_t> append(const fs::path& p, std::span<const std::byte> d) override {
        auto it = files.find(p);
        if (it == files.end()) return std::nullopt;
        uint64_t at = it->second.size();
        if (!write(p, at, d, false)) return std::nullopt;
        return at;
    }
    std::optional<uint64_t> size(const fs::path& p) override {
        auto it = files.find(p);
        if (it == files.end()) return std::nullopt;
        return it->second.size();
    }
    bool exists(const fs::path& p) override { return files.count(p) > 0; }
    bool writable(const fs::path& p) override { return exists(p); }
    std::optional<FileTime> modified(const fs::path& p) override {
        if (!exists(p)) return std::nullopt;
        return FileTime{2026, 1, 1, 0, 0, 0};
    }
    bool truncate(const fs::path& p, uint64_t length) override {
        auto it = files.find(p);
        if (it == files.end() || length > kMaxFile) return false;
        it->second.resize(length);
        return true;
    }
    bool sync(const fs::path& p) override { return exists(p); }
    bool rename(const fs::path& from, const fs::path& to) override {
        auto it = files.find(from);
        if (it == files.end()) return false;
        Bytes b = std::move(it->second);
        files.erase(it);
        files[to] = std::move(b);
        return true;
    }
    bool remove(const fs::path& p) override { return files.erase(p) > 0; }
    bool copy(const fs::path& from, const fs::path& to) override {
        auto it = files.find(from);
        if (it == files.end()) return false;
        files[to] = it->second;
        return true;
    }
};

}  // namespace rk::fuzz
