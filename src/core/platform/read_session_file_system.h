// The file system for one read-mostly operation (a listing, a table, a report): each file it
// reads is opened once, on its first read, and kept open until the operation ends, so reading
// a year record by record costs one open per file, not one per record. A write, truncation,
// rename, removal or copy through it closes the files it touches first, so the operation
// never reads a file it replaced through its old name.
#pragma once

#include <map>

#include "platform/file_system.h"

namespace rk {

class ReadSessionFileSystem final : public FileSystem {
public:
    explicit ReadSessionFileSystem(FileSystem& inner = realFileSystem()) : inner_(inner) {}

    std::optional<size_t> read(const fs::path& p, uint64_t o, std::span<std::byte> out) override {
        FileReader* r = reader(p);
        return r ? r->read(o, out) : std::nullopt;
    }
    std::optional<uint64_t> size(const fs::path& p) override {
        auto it = open_.find(p);
        return it != open_.end() ? it->second->size() : inner_.size(p);
    }
    bool write(const fs::path& p, uint64_t o, std::span<const std::byte> d, bool create) override {
        open_.erase(p);
        return inner_.write(p, o, d, create);
    }
    std::optional<uint64_t> append(const fs::path& p, std::span<const std::byte> d) override {
        open_.erase(p);
        return inner_.append(p, d);
    }
    bool exists(const fs::path& p) override { return open_.count(p) > 0 || inner_.exists(p); }
    bool writable(const fs::path& p) override { return inner_.writable(p); }
    std::optional<FileTime> modified(const fs::path& p) override { return inner_.modified(p); }
    bool truncate(const fs::path& p, uint64_t length) override {
        open_.erase(p);
        return inner_.truncate(p, length);
    }
    bool sync(const fs::path& p) override { return inner_.sync(p); }
    bool rename(const fs::path& from, const fs::path& to) override {
        open_.erase(from);
        open_.erase(to);
        return inner_.rename(from, to);
    }
    bool remove(const fs::path& p) override {
        open_.erase(p);
        return inner_.remove(p);
    }
    bool copy(const fs::path& from, const fs::path& to) override {
        open_.erase(to);
        return inner_.copy(from, to);
    }
    std::unique_ptr<FileReader> openReader(const fs::path& p) override { return inner_.openReader(p); }

private:
    FileReader* reader(const fs::path& p) {
        auto it = open_.find(p);
        if (it != open_.end()) return it->second.get();
        auto r = inner_.openReader(p);
        if (!r) return nullptr;  // not kept: a file created later is still found
        return open_.emplace(p, std::move(r)).first->second.get();
    }

    FileSystem& inner_;
    std::map<fs::path, std::unique_ptr<FileReader>> open_;
};

}  // namespace rk
