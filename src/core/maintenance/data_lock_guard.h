// Work on the year's files under the data-folder lock, with a crashed writer's journal
// rolled back first, so what is copied is a consistent state and no station writes while
// files are replaced.
#pragma once

#include "app/app_context.h"
#include "app/messages.h"
#include "base/dialogs.h"
#include "platform/data_lock.h"
#include "platform/rollback_journal.h"

namespace rk::maintenance {

// False (after the busy message) when the lock cannot be had or the journal not rolled back.
template <class Work>
bool underDataLock(AppContext& ctx, Dialogs& dialogs, Work work) {
    auto lock = DataLock::acquire(ctx.fileSet.dataFolder);
    if (!lock || !rollBackJournal(ctx.files, FileTransaction::journalFile(ctx.fileSet.dataFolder))) {
        dialogs.message(rk::msg::kDataBusy);
        return false;
    }
    work();
    return true;
}

}  // namespace rk::maintenance
