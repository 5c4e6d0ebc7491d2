// The tools of the data check window. Each runs on the open year through the file set and
// talks to the operator through `Dialogs`. The tools that rewrite files refuse a LAN client
// and a member station, hold the data-folder lock and commit through the rollback journal, so
// a failure leaves the files as they were; the read-only ones never write.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "base/dialogs.h"

namespace rk::maintenance {

enum class ToolResult {
    Done,     // ran to its end (what it found was shown)
    Stopped,  // the operator declined or stopped it; what was accepted before is written
    Refused,  // not allowed on this station, or a needed file is missing (shown)
    Busy,     // another station held the data folder
    Failed,   // a file could not be read or written; the files are as before (shown)
    Restart,  // done, and the program must end so the next start rebuilds the indexes
};

// A LAN client or a station with a member number may not rewrite slips or payments.
bool clientOrMember(const AppContext& ctx);

// Payments whose member count disagrees with their member entries and the master.
ToolResult checkMemberCounts(AppContext& ctx, Dialogs& dialogs);
// Cuts every amount (not the unit prices) of lines, headers, payments and customers to whole yen.
ToolResult clearFractions(AppContext& ctx, Dialogs& dialogs);
// Read-only: each payment's settled total against the slips it lists.
ToolResult checkPaymentTotals(AppContext& ctx, Dialogs& dialogs);
// Read-only: the last slip header and whether an old carry-over counted it twice.
ToolResult showLastSlip(AppContext& ctx, Dialogs& dialogs);
// Rebuilds every live payment's slip list from the slips' payment links.
ToolResult repairPaymentLists(AppContext& ctx, Dialogs& dialogs);
// Marks live slips whose customer number is 0 or less as deleted.
ToolResult deleteSlipsWithoutCustomer(AppContext& ctx, Dialogs& dialogs);

// Customer master: keeps records 0..999 (after asking; refused above 999 customers).
ToolResult truncateCustomers(AppContext& ctx, Dialogs& dialogs);
// Customer master: empties records 501..999.
ToolResult resetCustomersFrom501(AppContext& ctx, Dialogs& dialogs);

// Every customer's outstanding balance moves one number up (customer n takes n+1's, the
// last gets 0) or down (n takes n-1's, customer 1 gets 0), after asking.
ToolResult shiftCustomerBalances(AppContext& ctx, Dialogs& dialogs, bool up);

// Read-only: live slips sharing a date and customer, shown as a list.
ToolResult showDuplicateSlips(AppContext& ctx, Dialogs& dialogs);
// Read-only: the integrity check of the year, shown as a list.
ToolResult showYearCheck(AppContext& ctx, Dialogs& dialogs);

}  // namespace rk::maintenance
