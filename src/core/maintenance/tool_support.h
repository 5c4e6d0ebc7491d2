// What the data check tools share: the station refusal, and a locked, journaled write.
#pragma once

#include <cstdio>
#include <string>

#include "app/messages.h"
#include "maintenance/check_messages.h"
#include "maintenance/data_check_tools.h"
#include "platform/data_lock.h"
#include "platform/rollback_journal.h"

namespace rk::maintenance {

template <class... A>
std::string format(const char* pattern, A... args) {
    char text[1024];
    std::snprintf(text, sizeof text, pattern, args...);
    return text;
}

// Runs `body(tx)` under the data-folder lock with a fresh transaction and commits what it
// staged. `body` returns the result to give when it staged nothing to write or stopped.
template <class Body>
ToolResult lockedWrite(AppContext& ctx, Dialogs& dialogs, Body body) {
    auto lock = DataLock::acquire(ctx.fileSet.dataFolder);
    if (!lock) {
        dialogs.message(msg::kDataBusy, Icon::Stop);
        return ToolResult::Busy;
    }
    FileTransaction tx(ctx.files, FileTransaction::journalFile(ctx.fileSet.dataFolder));
    if (!tx.begin()) {
        dialogs.message(msg::kCheckWriteFailed, Icon::Stop);
        return ToolResult::Failed;
    }
    const ToolResult r = body(tx);
    if (r == ToolResult::Failed || r == ToolResult::Refused || tx.empty()) return r;
    if (!tx.commit()) {
        dialogs.message(msg::kCheckWriteFailed, Icon::Stop);
        return ToolResult::Failed;
    }
    return r;
}

// Refuses a client or member station with the system's message.
inline bool refusedHere(const AppContext& ctx, Dialogs& dialogs) {
    if (!clientOrMember(ctx)) return false;
    dialogs.beep();
    dialogs.message(msg::kCheckClientRefused, Icon::Stop);
    return true;
}

}  // namespace rk::maintenance
