// All-or-nothing writes to several record files. Record numbers must stay stable (other
// records point at them), so records are rewritten in place; a crash in the middle would
// leave half a slip. A FileTransaction therefore first saves the old bytes of every region it
// will overwrite and the old length of every file it touches in a journal beside the data,
// syncs it, writes, syncs the files and only then removes the journal. A journal found later
// (at start-up, or by the next writer) is rolled back, so the files are wholly old or new.
//
// Hold the data-folder lock around a transaction and around a roll-back: the journal belongs
// to whichever station holds that lock.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

#include "platform/file_system.h"

namespace rk {

// Rolls back the journal when there is one. True when the files are consistent afterwards
// (no journal, an incomplete journal that never let a write start, or a finished roll-back).
[[nodiscard]] bool rollBackJournal(FileSystem& fs, const fs::path& journal);

class FileTransaction {
public:
    static constexpr const char* kJournalName = "RAKURENA.JNL";
    static fs::path journalFile(const fs::path& dataFolder) { return dataFolder / kJournalName; }

    FileTransaction(FileSystem& fs, fs::path journal) : fs_(fs), journal_(std::move(journal)) {}

    // Rolls back a journal a crashed writer left, so the lengths the staging takes are the
    // files' real ones. Call before staging anything; false when that roll-back failed.
    [[nodiscard]] bool begin() { return rollBackJournal(fs_, journal_); }

    // Stages `data` at `offset` of `file` (the file is created when missing).
    void write(const fs::path& file, uint64_t offset, std::span<const std::byte> data);

    // Stages a record appended after the file's last whole record (a torn tail is covered,
    // record 0 is never handed out); returns its record number, nullopt when the file's
    // length cannot be taken.
    std::optional<uint64_t> appendRecord(const fs::path& file, std::span<const std::byte> data, uint64_t recordSize);

    // Length of the file as the staged writes leave it.
    std::optional<uint64_t> length(const fs::path& file);

    // Stages cutting `file` to `length` once the writes are done (a file replaced whole by a
    // shorter one); the bytes cut off go into the journal like overwritten ones.
    void truncate(const fs::path& file, uint64_t length);

    bool empty() const { return writes_.empty() && cuts_.empty(); }

    // Journal, write, sync, remove the journal. False when anything failed; the files are
    // then rolled back (or, if even that fails, the journal stays for the next start).
    [[nodiscard]] bool commit();

private:
    struct Staged {
        fs::path file;
        uint64_t offset;
        Bytes data;
    };
    std::optional<uint64_t> oldLength(const fs::path& file);

    FileSystem& fs_;
    fs::path journal_;
    std::vector<Staged> writes_;
    std::map<fs::path, uint64_t> oldLengths_;  // 0 for a file that does not exist yet
    std::map<fs::path, uint64_t> ends_;        // length after the staged writes
    std::map<fs::path, uint64_t> cuts_;        // lengths to cut to after the writes
};

// Start-up: takes the data-folder lock and rolls back what a crashed station left. A lock
// that stays busy means another station is writing (its journal is its own): nothing to do.
// False only when a roll-back was needed and failed.
[[nodiscard]] bool recoverInterruptedWrite(FileSystem& fs, const fs::path& dataFolder);

}  // namespace rk
