// The data operations on whole sets of slips: splitting a date and customer range off into
// another folder as a year of its own, releasing settled slips back to processed, and taking
// the server's compressed backup into a local folder for browsing. Every write goes through
// one journalled transaction under the data-folder lock and is refused while other stations
// run on the folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "app/app_context.h"
#include "base/dialogs.h"

namespace rk::maintenance {

// The four range fields of the window.
struct SlipRange {
    int32_t startDate = 0, endDate = 0;
    int32_t startCustomer = 1, endCustomer = 999;
};

// The business year: first month's day 1 to the last day before it; customers 1 to 999.
SlipRange defaultRange(int firstMonth);

// Dates in business-year order (a month before the first month counts 1200 more). A deleted
// slip's negative date and a missing date are never inside.
bool dateInRange(const SlipRange& r, int32_t date, int firstMonth);
bool customerInRange(const SlipRange& r, int32_t customer);

enum class OperationResult {
    Done,      // written and said so
    Declined,  // the operator answered No or cancelled: nothing written
    Refused,   // not allowed here or now (shown): nothing written
    Busy,      // another station held the data folder (shown)
    Failed,    // a file could not be read or written (shown); the files are as before
};

// Copies the slips of the range with their lines and line texts into a new year in
// `destination` (slips renumbered from 1, settled slips as processed ones without their
// payment), with empty payments and both index files.
OperationResult splitSlips(AppContext& ctx, Dialogs& dialogs, const SlipRange& range, const fs::path& destination);

// Sets the settled slips of the customer range back to processed and the customers' current
// balances back to their opening balances. For all customers the payment file is emptied;
// for some, only their payments are deleted (their records stay, so other payments keep
// their numbers), and a payment that also settled slips or balances outside the range
// refuses the release.
OperationResult releaseSettled(AppContext& ctx, Dialogs& dialogs, const SlipRange& range);

// The server's compressed backup of the year in the data folder, and when it was made.
struct ServerArchive {
    fs::path file;
    FileTime made{};
};
// Nullopt after the not-found message.
std::optional<ServerArchive> findServerArchive(AppContext& ctx, Dialogs& dialogs);
// Where the operator is offered to put the local copy: 閲覧/Fd<month x 100 + day>.Lzh.
fs::path defaultImportPath(const AppContext& ctx, const ServerArchive& archive);

// Copies the archive to `target` and expands it in that folder, keeping the folder's own
// settings and print forms. A missing folder is made after asking. Refuses the live data,
// master and program folders.
OperationResult importServerData(AppContext& ctx, Dialogs& dialogs, const ServerArchive& archive,
                                 const fs::path& target);

}  // namespace rk::maintenance
