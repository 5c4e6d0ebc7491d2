// A file system that fails on purpose: the k-th changing call (write, append, truncate,
// sync, rename, remove, copy) fails, writes only half of its bytes, or "crashes" the
// process there, after which nothing more reaches the disk.
#pragma once

#include "platform/file_system.h"

namespace rk::test {

class FaultyFileSystem final : public FileSystem {
public:
    enum class Fault {
        None,
        Fail,        // the call fails without effect; later calls work
        ShortWrite,  // a write puts down half its bytes and reports failure; later calls work
        Crash,       // the process dies just before the call
        TornCrash,   // the process dies halfway through the call (half of a write lands)
    };

    explicit FaultyFileSystem(FileSystem& real) : real_(real) {}

    void arm(int callNumber, Fault fault) {
        at_ = callNumber;
        fault_ = fault;
    }
    // Changing calls seen so far (counting the faulty one).
    int changes() const { return changes_; }
    bool crashed() const { return crashed_; }

    std::optional<size_t> read(const fs::path& p, uint64_t o, std::span<std::byte> out) override {
        return real_.read(p, o, out);
    }
    std::optional<uint64_t> size(const fs::path& p) override { return real_.size(p); }
    bool exists(const fs::path& p) override { return real_.exists(p); }
    bool writable(const fs::path& p) override { return real_.writable(p); }
    std::optional<FileTime> modified(const fs::path& p) override { return real_.modified(p); }

    bool write(const fs::path& p, uint64_t o, std::span<const std::byte> d, bool create) override;
    std::optional<uint64_t> append(const fs::path& p, std::span<const std::byte> d) override;
    bool truncate(const fs::path& p, uint64_t length) override { return plain() && real_.truncate(p, length); }
    // A crash here kills the process, not the machine: what was written stays in the page
    // cache, so a sync only needs to be counted, not done.
    bool sync(const fs::path& p) override { return plain() && real_.exists(p); }
    bool rename(const fs::path& from, const fs::path& to) override { return plain() && real_.rename(from, to); }
    bool remove(const fs::path& p) override { return plain() && real_.remove(p); }
    bool copy(const fs::path& from, const fs::path& to) override { return plain() && real_.copy(from, to); }

private:
    // What the next changing call may do.
    enum class Go { Normal, Refuse, Half };
    Go next();
    bool plain() { return next() == Go::Normal; }

    FileSystem& real_;
    int at_ = 0;
    Fault fault_ = Fault::None;
    int changes_ = 0;
    bool crashed_ = false;
};

}  // namespace rk::test
