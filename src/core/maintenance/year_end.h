// The year-end update: next year's masters made from this year's, then every customer's
// outstanding balance carried into next year's customer master with next year marked as the
// input year. Both steps write all of their files or none (one journalled transaction under
// the data-folder lock), and both refuse a LAN client and a folder other stations still use.
#pragma once

#include <filesystem>

#include "app/app_context.h"
#include "base/dialogs.h"

namespace rk::maintenance {

enum class YearEndResult {
    Done,      // written, and the done message shown (the masters step shows none)
    Declined,  // the operator answered No: nothing written
    Blocked,   // the year cannot be carried as it stands (shown): nothing written
    Refused,   // not on this station or while others run (shown): nothing written
    Busy,      // another station held the data folder (shown)
    Failed,    // a file could not be read or written (shown); the files are as before
};

// Whether the window may open: the business year must be the input year. Says why not.
bool yearEndAllowed(const AppContext& ctx, Dialogs& dialogs);

// Next year's name of a master file of the open year.
std::filesystem::path nextYearMaster(const AppContext& ctx, MasterSlot slot);

// Step 1: next year's customer master (balances 0) and copies of the product, grade,
// account-item and remark masters. `dialogs.progress` shows the progress text.
YearEndResult createNextYearMasters(AppContext& ctx, Dialogs& dialogs);

// Step 2: the carry-over of the balances and the input year.
YearEndResult carryOverBalances(AppContext& ctx, Dialogs& dialogs);

}  // namespace rk::maintenance
