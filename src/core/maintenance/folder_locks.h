// The locks a year-wide operation holds: the data folder's, and that of one more folder it
// writes into (the program folder of the settings, a split's destination) when that is
// another folder. Journals a crashed writer left in either are rolled back first.
#pragma once

#include <optional>
#include <system_error>

#include "app/messages.h"
#include "base/dialogs.h"
#include "platform/data_lock.h"
#include "platform/rollback_journal.h"

namespace rk::maintenance {

inline bool sameFolder(const fs::path& a, const fs::path& b) {
    std::error_code ec1, ec2;
    return fs::weakly_canonical(a, ec1) == fs::weakly_canonical(b, ec2);
}

class FolderLocks {
public:
    // False after the busy message when a lock cannot be had or a journal not rolled back.
    bool take(FileSystem& fs, Dialogs& dialogs, const fs::path& dataFolder, const fs::path& other = {}) {
        data_ = DataLock::acquire(dataFolder);
        bool ok = data_.has_value() && rollBackJournal(fs, FileTransaction::journalFile(dataFolder));
        if (ok && !other.empty() && !sameFolder(other, dataFolder)) {
            other_ = DataLock::acquire(other);
            ok = other_.has_value() && rollBackJournal(fs, FileTransaction::journalFile(other));
        }
        if (!ok) dialogs.message(rk::msg::kDataBusy, Icon::Stop);
        return ok;
    }

private:
    std::optional<DataLock> data_, other_;
};

}  // namespace rk::maintenance
