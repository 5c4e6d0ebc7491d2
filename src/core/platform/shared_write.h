// The one way a shared file of the year is written: masters, groups, indexes, settings and
// the network control file alike. A write takes the data-folder lock, rolls back what a
// crashed station left, re-reads the live record, applies only what the caller changed and
// commits through the rollback journal. The result says why a write failed (operation, file
// and the system's error), so the message the operator sees can too.
#pragma once

#include <chrono>
#include <cstring>
#include <optional>
#include <span>
#include <string>

#include "base/record.h"
#include "platform/data_lock.h"
#include "platform/file_system.h"
#include "platform/rollback_journal.h"

namespace rk {

enum class WriteStatus {
    Done,
    Unchanged,  // nothing differed from the live file: nothing written
    Busy,       // another station held the data folder all the time allowed
    Failed,     // a file could not be read or written; the files are as before
};

struct [[nodiscard]] WriteResult {
    WriteStatus status = WriteStatus::Done;
    FileError error;  // when Failed (or Busy on a lock file that cannot be opened)

    bool ok() const { return status == WriteStatus::Done || status == WriteStatus::Unchanged; }
    static WriteResult failed();  // takes the thread's last file error
    // `text` with the reason on a line below it, the way a failure is shown.
    std::string message(std::string_view text) const;
};

// One field of a record: the unit a window changes.
struct FieldSpan {
    size_t offset, size;
};
#define RK_FIELD(Type, field) \
    ::rk::FieldSpan { offsetof(Type, field), sizeof(Type::field) }

// Copies into `live` every listed field in which `after` differs from `before`, whole, and
// every other byte that differs (reserved areas). True when anything differed.
bool applyChangedFields(std::span<const std::byte> before, std::span<const std::byte> after, std::span<std::byte> live,
                        std::span<const FieldSpan> fields);

template <Record T>
bool applyChangedFields(const T& before, const T& after, T& live, std::span<const FieldSpan> fields) {
    return applyChangedFields(bytesOf(before), bytesOf(after), bytesOf(live), fields);
}

class SharedWrite {
public:
    // Takes the lock of `lockFolder` (the data folder) and rolls back a pending journal.
    SharedWrite(FileSystem& fs, const fs::path& lockFolder, std::chrono::milliseconds wait = DataLock::kDefaultWait);

    // False when the lock could not be had or the roll-back failed; result() says which.
    bool ready() const { return lock_.has_value() && result_.ok(); }
    const WriteResult& result() const { return result_; }
    FileSystem& files() { return fs_; }
    FileTransaction& transaction() { return tx_; }

    // Reads the live bytes at `offset`; bytes past the end read as zero. A missing or
    // unreadable file fails (result() says why): a shared file is never taken as empty.
    bool read(const fs::path& file, uint64_t offset, std::span<std::byte> out);
    template <Record T>
    bool readRecord(const fs::path& file, int64_t n, T& out) {
        return n >= 1 && read(file, static_cast<uint64_t>(n) * sizeof(T), bytesOf(out));
    }
    template <Record T>
    void writeRecord(const fs::path& file, int64_t n, const T& r) {
        tx_.write(file, static_cast<uint64_t>(n) * sizeof(T), bytesOf(r));
    }

    // Commits the staged writes (Unchanged when there are none); the lock is kept until
    // this object goes.
    WriteResult commit();

private:
    FileSystem& fs_;
    std::optional<DataLock> lock_;
    FileTransaction tx_;
    WriteResult result_;
};

// Rewrites record n of `file`: under the lock the live record is read, handed to `change`,
// and written when `change` altered it. `written` gets the record as it now is on disk.
template <Record T, class Change>
WriteResult updateRecord(FileSystem& fs, const fs::path& lockFolder, const fs::path& file, int64_t n, Change&& change,
                         T* written = nullptr) {
    SharedWrite w(fs, lockFolder);
    if (!w.ready()) return w.result();
    T live{};
    if (!w.readRecord(file, n, live)) return w.result();
    T next = live;
    change(next);
    if (written) *written = next;
    if (std::memcmp(&next, &live, sizeof(T)) == 0) return {WriteStatus::Unchanged, {}};
    w.writeRecord(file, n, next);
    return w.commit();
}

// Writes the fields of a window's record that it changed (`before` as read, `after` as
// edited) into the live record n; `shown` gets the live record after the write, so the
// window shows what another station changed meanwhile.
template <Record T>
WriteResult writeChangedFields(FileSystem& fs, const fs::path& lockFolder, const fs::path& file, int64_t n,
                               const T& before, const T& after, std::span<const FieldSpan> fields, T* shown = nullptr) {
    return updateRecord<T>(
        fs, lockFolder, file, n, [&](T& live) { applyChangedFields(before, after, live, fields); }, shown);
}

// A small file replaced whole (settings): under the lock of its folder the live record is
// re-read, the changed fields applied, and the file written to a temporary file and renamed
// over the original. A missing file is written as `after`.
template <Record T>
WriteResult replaceChangedFields(FileSystem& fs, const fs::path& file, const T& before, const T& after,
                                 std::span<const FieldSpan> fields, T* shown = nullptr) {
    SharedWrite w(fs, file.parent_path());
    if (!w.ready()) return w.result();
    T live = after;
    if (fs.exists(file)) {
        live = T{};
        if (!w.read(file, 0, bytesOf(live))) return w.result();
        applyChangedFields(before, after, live, fields);
    }
    if (shown) *shown = live;
    if (!fs.replaceWhole(file, bytesOf(live))) return WriteResult::failed();
    return {};
}

}  // namespace rk
