#include "platform/rollback_journal.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <string>

#include "platform/data_lock.h"

namespace rk {
namespace {

constexpr char kMagic[8] = {'R', 'K', 'J', 'N', 'L', '0', '0', '1'};

uint64_t fnv1a(std::span<const std::byte> b) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (std::byte c : b) {
        h ^= static_cast<uint8_t>(c);
        h *= 0x100000001b3ull;
    }
    return h;
}

class Writer {
public:
    Bytes out;
    void raw(const void* p, size_t n) {
        auto b = static_cast<const std::byte*>(p);
        out.insert(out.end(), b, b + n);
    }
    void u32(uint32_t v) { raw(&v, 4); }
    void u64(uint64_t v) { raw(&v, 8); }
};

class Reader {
public:
    explicit Reader(std::span<const std::byte> b) : b_(b) {}
    bool raw(void* p, size_t n) {
        if (n > b_.size() - pos_) return false;
        std::memcpy(p, b_.data() + pos_, n);
        pos_ += n;
        return true;
    }
    bool u32(uint32_t& v) { return raw(&v, 4); }
    bool u64(uint64_t& v) { return raw(&v, 8); }
    std::span<const std::byte> take(size_t n) {
        if (n > b_.size() - pos_) return {};
        auto s = b_.subspan(pos_, n);
        pos_ += n;
        return s;
    }

private:
    std::span<const std::byte> b_;
    size_t pos_ = 0;
};

struct Region {
    uint32_t file;
    uint64_t offset;
    std::span<const std::byte> old;
};

// Parses a complete journal; nullopt when it is torn or not ours.
bool parse(std::span<const std::byte> j, std::vector<std::pair<fs::path, uint64_t>>& files,
           std::vector<Region>& regions) {
    if (j.size() < sizeof kMagic + 8 || std::memcmp(j.data(), kMagic, sizeof kMagic) != 0) return false;
    uint64_t sum = 0;
    std::memcpy(&sum, j.data() + j.size() - 8, 8);
    auto body = j.first(j.size() - 8);
    if (fnv1a(body) != sum) return false;
    Reader r(body.subspan(sizeof kMagic));
    uint32_t nFiles = 0;
    if (!r.u32(nFiles)) return false;
    for (uint32_t i = 0; i < nFiles; ++i) {
        uint32_t len = 0;
        uint64_t oldLen = 0;
        if (!r.u32(len)) return false;
        auto name = r.take(len);
        if (name.size() != len || !r.u64(oldLen)) return false;
        files.emplace_back(std::string(reinterpret_cast<const char*>(name.data()), len), oldLen);
    }
    uint32_t nRegions = 0;
    if (!r.u32(nRegions)) return false;
    for (uint32_t i = 0; i < nRegions; ++i) {
        Region g{};
        uint32_t len = 0;
        if (!r.u32(g.file) || !r.u64(g.offset) || !r.u32(len) || g.file >= nFiles) return false;
        g.old = r.take(len);
        if (g.old.size() != len) return false;
        regions.push_back(g);
    }
    return true;
}

// Empties the journal durably before removing it: a journal that came back after a crash
// would roll back writes that had finished.
bool discardJournal(FileSystem& fs, const fs::path& journal) {
    if (!fs.exists(journal)) return true;
    // Once emptied the journal no longer undoes anything: the write counts as done. The
    // sync makes that durable; if only the sync fails there is nothing better left to do.
    if (!fs.truncate(journal, 0)) return false;
    (void)fs.sync(journal);
    (void)fs.remove(journal);  // an empty journal left behind is harmless
    return true;
}

}  // namespace

std::optional<uint64_t> FileTransaction::oldLength(const fs::path& file) {
    auto it = oldLengths_.find(file);
    if (it != oldLengths_.end()) return it->second;
    uint64_t len = 0;
    if (fs_.exists(file)) {
        auto s = fs_.size(file);
        if (!s) return std::nullopt;
        len = *s;
    }
    oldLengths_[file] = len;
    ends_[file] = len;
    return len;
}

std::optional<uint64_t> FileTransaction::length(const fs::path& file) {
    if (!oldLength(file)) return std::nullopt;
    return ends_[file];
}

void FileTransaction::write(const fs::path& file, uint64_t offset, std::span<const std::byte> data) {
    if (!oldLength(file)) oldLengths_[file] = 0, ends_[file] = 0;
    ends_[file] = std::max(ends_[file], offset + data.size());
    // Adjacent writes to one file become one (a slip's new lines are appended back to back).
    if (!writes_.empty() && writes_.back().file == file &&
        writes_.back().offset + writes_.back().data.size() == offset) {
        writes_.back().data.insert(writes_.back().data.end(), data.begin(), data.end());
        return;
    }
    writes_.push_back({file, offset, Bytes(data.begin(), data.end())});
}

std::optional<uint64_t> FileTransaction::appendRecord(const fs::path& file, std::span<const std::byte> data,
                                                      uint64_t recordSize) {
    auto len = length(file);
    if (!len) return std::nullopt;
    const uint64_t number = std::max<uint64_t>(1, (*len + recordSize - 1) / recordSize);
    write(file, number * recordSize, data);
    return number;
}

void FileTransaction::truncate(const fs::path& file, uint64_t length) {
    if (!oldLength(file)) oldLengths_[file] = 0, ends_[file] = 0;
    cuts_[file] = length;
    ends_[file] = std::min(ends_[file], length);
}

bool FileTransaction::commit() {
    if (empty()) return true;

    // Only the files written take part; a file whose length was merely looked at is left alone.
    std::vector<fs::path> files;
    for (const Staged& s : writes_)
        if (std::find(files.begin(), files.end(), s.file) == files.end()) files.push_back(s.file);
    for (const auto& [file, length] : cuts_)
        if (std::find(files.begin(), files.end(), file) == files.end()) files.push_back(file);
    auto indexOf = [&](const fs::path& f) {
        return static_cast<uint32_t>(std::find(files.begin(), files.end(), f) - files.begin());
    };

    Writer w;
    w.raw(kMagic, sizeof kMagic);
    w.u32(static_cast<uint32_t>(files.size()));
    for (const fs::path& f : files) {
        const std::string name = f.string();
        w.u32(static_cast<uint32_t>(name.size()));
        w.raw(name.data(), name.size());
        w.u64(oldLengths_[f]);
    }
    // Old bytes of every staged region inside the old length of its file.
    std::vector<Bytes> saved;
    std::vector<std::pair<uint32_t, uint64_t>> where;
    for (const Staged& s : writes_) {
        const uint64_t oldLen = oldLengths_[s.file];
        if (s.offset >= oldLen) continue;
        Bytes old(std::min<uint64_t>(s.data.size(), oldLen - s.offset));
        auto got = fs_.read(s.file, s.offset, old);
        if (!got || *got != old.size()) return false;
        saved.push_back(std::move(old));
        where.emplace_back(indexOf(s.file), s.offset);
    }
    // The tail a cut removes; a roll-back writes it back.
    for (const auto& [file, length] : cuts_) {
        const uint64_t oldLen = oldLengths_[file];
        if (length >= oldLen) continue;
        Bytes old(oldLen - length);
        auto got = fs_.read(file, length, old);
        if (!got || *got != old.size()) return false;
        saved.push_back(std::move(old));
        where.emplace_back(indexOf(file), length);
    }
    w.u32(static_cast<uint32_t>(saved.size()));
    for (size_t i = 0; i < saved.size(); ++i) {
        w.u32(where[i].first);
        w.u64(where[i].second);
        w.u32(static_cast<uint32_t>(saved[i].size()));
        w.raw(saved[i].data(), saved[i].size());
    }
    w.u64(fnv1a(w.out));
    if (!fs_.replaceWhole(journal_, w.out)) {
        (void)discardJournal(fs_, journal_);
        return false;
    }

    bool ok = true;
    for (const Staged& s : writes_) {
        if (!fs_.write(s.file, s.offset, s.data, true)) {
            ok = false;
            break;
        }
    }
    for (const auto& [file, length] : cuts_) {
        auto len = ok ? fs_.size(file) : std::nullopt;
        ok = len && (*len <= length || fs_.truncate(file, length));
    }
    if (ok) {
        for (const fs::path& f : files) ok = ok && fs_.sync(f);
    }
    if (!ok) {
        (void)rollBackJournal(fs_, journal_);
        return false;
    }
    // A journal that cannot be removed would undo this write at the next start: undo it now
    // and report the failure rather than leave the outcome to chance.
    if (!discardJournal(fs_, journal_)) {
        (void)rollBackJournal(fs_, journal_);
        return false;
    }
    writes_.clear();
    cuts_.clear();
    return true;
}

bool rollBackJournal(FileSystem& fs, const fs::path& journal) {
    if (!fs.exists(journal)) return true;
    auto bytes = fs.readAll(journal);
    if (!bytes) return false;
    std::vector<std::pair<fs::path, uint64_t>> files;
    std::vector<Region> regions;
    // A torn journal was never synced whole, so no data write had started: just drop it.
    if (parse(*bytes, files, regions)) {
        for (const Region& g : regions)
            if (!fs.write(files[g.file].first, g.offset, g.old, true)) return false;
        for (const auto& [f, oldLen] : files) {
            if (!fs.exists(f)) continue;
            auto len = fs.size(f);
            if (!len) return false;
            if (*len > oldLen && !fs.truncate(f, oldLen)) return false;
            if (!fs.sync(f)) return false;
        }
    }
    return discardJournal(fs, journal);
}

bool recoverInterruptedWrite(FileSystem& fs, const fs::path& dataFolder) {
    const fs::path journal = FileTransaction::journalFile(dataFolder);
    if (!fs.exists(journal)) return true;
    auto lock = DataLock::acquire(dataFolder);
    if (!lock) return true;
    return rollBackJournal(fs, journal);
}

}  // namespace rk
