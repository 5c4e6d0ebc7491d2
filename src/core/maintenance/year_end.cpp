#include "maintenance/year_end.h"

#include <cstring>
#include <string>
#include <vector>

#include "maintenance/check_messages.h"
#include "maintenance/folder_locks.h"
#include "maintenance/operation_messages.h"
#include "maintenance/record_blocks.h"
#include "maintenance/restore.h"
#include "maintenance/tool_support.h"
#include "masters/master_records.h"
#include "slips/slip_index.h"

namespace rk::maintenance {
namespace {

constexpr uint64_t kCustomerSize = sizeof(CustomerRecord);

int customerCount(const AppContext& ctx) {
    const int n = ctx.env.customerCount;
    return n == 1999 || n == 2999 ? n : 999;
}

// Clears the progress text however the step ends.
struct ProgressText {
    Dialogs& d;
    ProgressText(Dialogs& dialogs, const char* text) : d(dialogs) { d.progress(0, 0, text); }
    void show(const char* text) { d.progress(0, 0, text); }
    ~ProgressText() { d.progress(0, 0, {}); }
};

bool sales(const AppContext& ctx) { return ctx.edition != Edition::Purchase; }

// Record n of a whole file's bytes; zero past its end (a shorter master).
CustomerRecord customerAt(const Bytes& file, int n) {
    const uint64_t at = static_cast<uint64_t>(n) * kCustomerSize;
    if (at >= file.size()) return CustomerRecord{};
    return recordFrom<CustomerRecord>(std::span(file).subspan(at, std::min<uint64_t>(kCustomerSize, file.size() - at)));
}

std::string why() { return lastFileError().empty() ? std::string() : lastFileError().describe(); }

bool clientRefused(const AppContext& ctx, Dialogs& dialogs) {
    if (ctx.settings.lanMode != 2) return false;
    dialogs.beep();
    dialogs.message(msg::kClientCannot, Icon::Stop);
    return true;
}

struct SlipSum {
    int32_t date, customer, stage;
    double receivable;
};

}  // namespace

bool yearEndAllowed(const AppContext& ctx, Dialogs& dialogs) {
    if (ctx.settings.businessYear == ctx.settings.inputYear) return true;
    dialogs.beep();
    dialogs.message(msg::kNotInputYear, Icon::Stop);
    return false;
}

fs::path nextYearMaster(const AppContext& ctx, MasterSlot slot) {
    const fs::path& now = ctx.fileSet[slot];
    const std::string name = now.filename().string();
    // base (4 bytes) + yyyy + ".FT1"
    if (name.size() < 8) return now;
    return now.parent_path() / (name.substr(0, 4) + std::to_string(ctx.settings.businessYear + 1) + name.substr(8));
}

YearEndResult createNextYearMasters(AppContext& ctx, Dialogs& dialogs) {
    if (clientRefused(ctx, dialogs)) return YearEndResult::Refused;
    if (refusedForStations(ctx, dialogs, msg::kYearEndStations)) return YearEndResult::Refused;
    ProgressText progress(dialogs, msg::kMakingMasters);
    const fs::path customers = nextYearMaster(ctx, kCustomers);
    if (ctx.files.exists(customers) &&
        dialogs.ask(msg::kCustomerMasterExists, Buttons::YesNo, Answer::No) != Answer::Yes)
        return YearEndResult::Declined;
    const bool keepAccounts = ctx.files.exists(nextYearMaster(ctx, kAccounts)) &&
                              dialogs.ask(msg::kAccountMasterExists, Buttons::YesNo, Answer::No) != Answer::Yes;

    FolderLocks locks;
    if (!locks.take(ctx.files, dialogs, ctx.fileSet.dataFolder)) return YearEndResult::Busy;
    FileTransaction tx(ctx.files, FileTransaction::journalFile(ctx.fileSet.dataFolder));
    auto unreadable = [&] {
        dialogs.message(format(msg::kMasterUnreadable, why().c_str()), Icon::Stop);
        return YearEndResult::Failed;
    };
    // A master that cannot be read is never taken as empty: nothing is written then.
    clearFileError();
    auto now = ctx.files.readAll(ctx.fileSet[kCustomers]);
    if (!now) return unreadable();
    const int count = customerCount(ctx);
    Bytes next(static_cast<size_t>(count + 1) * kCustomerSize);
    std::memset(next.data(), 0x20, kCustomerSize);
    for (int n = 1; n <= count; ++n) {
        CustomerRecord c = customerAt(*now, n);
        c.balance = 0;
        c.openingBalance = 0;
        std::memcpy(next.data() + static_cast<size_t>(n) * kCustomerSize, &c, kCustomerSize);
    }
    tx.write(customers, 0, next);
    tx.truncate(customers, next.size());
    for (MasterSlot slot : {kProducts, kGrades, kAccounts, kRemarks}) {
        if (slot == kAccounts && keepAccounts) continue;
        auto bytes = ctx.files.readAll(resolveCase(ctx.fileSet[slot]));
        if (!bytes) return unreadable();
        const fs::path to = nextYearMaster(ctx, slot);
        tx.write(to, 0, *bytes);
        tx.truncate(to, bytes->size());
    }
    if (!tx.commit()) {
        dialogs.message(format(msg::kYearEndWriteFailed, why().c_str()), Icon::Stop);
        return YearEndResult::Failed;
    }
    return YearEndResult::Done;
}

YearEndResult carryOverBalances(AppContext& ctx, Dialogs& dialogs) {
    if (clientRefused(ctx, dialogs)) return YearEndResult::Refused;
    if (refusedForStations(ctx, dialogs, msg::kYearEndStations)) return YearEndResult::Refused;
    ProgressText progress(dialogs, msg::kCheckingData);

    std::vector<SlipSum> slips;
    clearFileError();
    const bool read = forEachRecord(ctx.files, ctx.fileSet[kSlipHeaders], kSlipHeaderSize, 1, [&](uint64_t, auto b) {
        const auto h = recordFrom<SlipHeader>(b);
        if (h.date >= 101 && h.date <= 1231) slips.push_back({h.date, h.customer, h.stage, h.receivable});
    });
    if (!read) {
        dialogs.message(msg::kCheckReadFailed, Icon::Stop);
        return YearEndResult::Failed;
    }
    int unprocessed = 0;
    for (const SlipSum& s : slips) unprocessed += s.stage < kStageProcessed;
    if (unprocessed > 0) {
        dialogs.beep();
        const char* ask = sales(ctx) ? msg::kUnprocessedSales : msg::kUnprocessedPurchase;
        if (dialogs.ask(format(ask, unprocessed), Buttons::YesNo, Answer::No) != Answer::Yes)
            return YearEndResult::Declined;
    }

    progress.show(msg::kTotalling);
    const int count = customerCount(ctx);
    std::vector<double> totals(static_cast<size_t>(count) + 1, 0.0);
    int outside = 0;  // a customer number no master record has: counted, never an index
    for (const SlipSum& s : slips) {
        if (s.stage != kStageProcessed) continue;
        if (s.customer < 1 || s.customer > count) {
            ++outside;
            continue;
        }
        totals[static_cast<size_t>(s.customer)] += s.receivable;
    }
    for (int c = 96; c <= 99; ++c) {
        if (totals[static_cast<size_t>(c)] != 0) {
            dialogs.message(sales(ctx) ? msg::kReservedSales : msg::kReservedPurchase, Icon::Stop);
            return YearEndResult::Blocked;
        }
    }

    progress.show(msg::kPosting);
    FolderLocks locks;
    if (!locks.take(ctx.files, dialogs, ctx.fileSet.dataFolder, ctx.programFolder())) return YearEndResult::Busy;
    const fs::path nextFile = nextYearMaster(ctx, kCustomers);
    // A file without its record 0 (a creation that was rolled back) is no master either.
    if (!ctx.files.exists(nextFile) || ctx.files.size(nextFile).value_or(0) < kCustomerSize) {
        dialogs.beep();
        dialogs.message(msg::kNextMasterMissing, Icon::Stop);
        return YearEndResult::Blocked;
    }
    clearFileError();
    auto now = ctx.files.readAll(ctx.fileSet[kCustomers]);
    auto next = now ? ctx.files.readAll(nextFile) : std::nullopt;
    auto settings = next ? readSettings(ctx.files, ctx.settingsFile()) : std::nullopt;
    if (!now || !next || !settings) {
        dialogs.message(msg::kCheckReadFailed, Icon::Stop);
        return YearEndResult::Failed;
    }
    FileTransaction tx(ctx.files, FileTransaction::journalFile(ctx.fileSet.dataFolder));
    for (int n = 1; n <= count; ++n) {
        const double carried = customerAt(*now, n).balance + totals[static_cast<size_t>(n)];
        CustomerRecord c = customerAt(*next, n);
        if (c.balance == carried && c.openingBalance == carried) continue;
        c.balance = carried;
        c.openingBalance = carried;
        tx.write(nextFile, static_cast<uint64_t>(n) * kCustomerSize, bytesOf(c));
    }
    // The input year goes with the balances: both or neither.
    settings->inputYear = ctx.settings.businessYear + 1;
    tx.write(ctx.settingsFile(), 0, bytesOf(*settings));
    if (!tx.commit()) {
        dialogs.message(format(msg::kYearEndWriteFailed, why().c_str()), Icon::Stop);
        return YearEndResult::Failed;
    }
    ctx.settings.inputYear = ctx.storedSettings.inputYear = settings->inputYear;
    std::string done = sales(ctx) ? msg::kCarriedSales : msg::kCarriedPurchase;
    if (outside > 0) done += format(msg::kOutOfRangeSlips, outside);
    dialogs.message(done, Icon::Information);
    return YearEndResult::Done;
}

}  // namespace rk::maintenance
