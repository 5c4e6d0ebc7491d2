// The data check tools on the slip files and the customer master.
#include <algorithm>
#include <cstddef>
#include <cstring>

#include "base/cp932.h"
#include "base/format.h"
#include "maintenance/duplicate_check.h"
#include "maintenance/record_blocks.h"
#include "maintenance/tool_support.h"
#include "maintenance/year_check.h"
#include "masters/master_io.h"
#include "slips/slip_index.h"

namespace rk::maintenance {
namespace {

constexpr uint64_t kCustomerSize = sizeof(CustomerRecord);
constexpr int kKeptCustomers = 999;
constexpr int kFirstReset = 501;

// The list tools show at most this many rows in one message.
constexpr size_t kShownRows = 40;

}  // namespace

ToolResult showLastSlip(AppContext& ctx, Dialogs& dialogs) {
    const fs::path& file = ctx.fileSet[kSlipHeaders];
    auto count = recordCount(ctx.files, file, kSlipHeaderSize);
    if (!count) {
        dialogs.message(msg::kCheckReadFailed, Icon::Stop);
        return ToolResult::Failed;
    }
    SlipHeader h{};
    if (*count >= 2 && !ctx.files.readZeroFilled(file, (*count - 1) * kSlipHeaderSize, bytesOf(h))) {
        dialogs.message(msg::kCheckReadFailed, Icon::Stop);
        return ToolResult::Failed;
    }
    CustomerRecord c{};
    masters::readCustomer(ctx.files, ctx.fileSet[kCustomers], h.customer, c);
    const bool carried = liveDate(h.date) && h.stage == kStageProcessed;
    dialogs.message(format(msg::kLastSlip, h.date, h.customer, static_cast<int>(std::clamp(h.receivable, -2e9, 2e9))) +
                        cp932::toUtf8(c.name) + (carried ? msg::kLastSlipCarried : msg::kLastSlipFine),
                    Icon::Information);
    return ToolResult::Done;
}

ToolResult deleteSlipsWithoutCustomer(AppContext& ctx, Dialogs& dialogs) {
    if (refusedHere(ctx, dialogs)) return ToolResult::Refused;
    dialogs.progress(0, 0, msg::kNoCustomerProgress);
    return lockedWrite(ctx, dialogs, [&](FileTransaction& tx) {
        std::vector<std::pair<uint64_t, SlipHeader>> found;
        const bool ok =
            forEachRecord(ctx.files, ctx.fileSet[kSlipHeaders], kSlipHeaderSize, 1, [&](uint64_t n, auto bytes) {
                const auto h = recordFrom<SlipHeader>(bytes);
                if (h.date >= 101 && h.date <= 1231 && h.customer <= 0) found.emplace_back(n, h);
            });
        if (!ok) {
            dialogs.message(msg::kCheckReadFailed, Icon::Stop);
            return ToolResult::Failed;
        }
        if (found.empty()) {
            dialogs.message(msg::kNoCustomerNone, Icon::Information);
            return ToolResult::Done;
        }
        dialogs.beep();
        if (dialogs.ask(format(msg::kNoCustomerAsk, static_cast<int>(found.size())), Buttons::YesNo, Answer::No) !=
            Answer::Yes)
            return ToolResult::Stopped;
        dialogs.progress(0, 0, msg::kNoCustomerWorking);
        // Deleted as slip entry deletes: the date negated in the header and in its index entry.
        for (auto& [n, h] : found) {
            h.date = -h.date;
            std::byte word[4];
            std::memcpy(word, &h.date, 4);
            tx.write(ctx.fileSet[kSlipHeaders], n * kSlipHeaderSize + offsetof(SlipHeader, date), word);
            tx.write(ctx.fileSet[kIndex1], n * kIndexEntrySize, word);
        }
        return ToolResult::Restart;
    });
}

ToolResult truncateCustomers(AppContext& ctx, Dialogs& dialogs) {
    // Records past 999 are customers while the count allows more: dropping them loses them.
    if (ctx.env.customerCount > kKeptCustomers) {
        dialogs.beep();
        dialogs.message(msg::kTruncateRefused, Icon::Stop);
        return ToolResult::Refused;
    }
    if (dialogs.ask(msg::kTruncateAsk, Buttons::YesNo, Answer::No) != Answer::Yes) return ToolResult::Stopped;
    dialogs.progress(0, 0, msg::kCheckingProgress);
    const fs::path& file = ctx.fileSet[kCustomers];
    auto lock = DataLock::acquire(ctx.fileSet.dataFolder);
    if (!lock) {
        dialogs.message(msg::kDataBusy, Icon::Stop);
        return ToolResult::Busy;
    }
    // Replaced whole (a temporary file renamed over it), so a crash leaves the old or the new.
    Bytes kept((kKeptCustomers + 1) * kCustomerSize);
    auto length = ctx.files.size(file);
    auto got = length ? ctx.files.read(file, 0, kept) : std::nullopt;
    if (!got) {
        dialogs.message(msg::kCheckReadFailed, Icon::Stop);
        return ToolResult::Failed;
    }
    if (*length > kept.size() && (*got != kept.size() || !ctx.files.replaceWhole(file, kept))) {
        dialogs.message(msg::kCheckWriteFailed, Icon::Stop);
        return ToolResult::Failed;
    }
    dialogs.message(msg::kTruncated, Icon::Information);
    return ToolResult::Done;
}

ToolResult resetCustomersFrom501(AppContext& ctx, Dialogs& dialogs) {
    if (dialogs.ask(msg::kResetAsk, Buttons::YesNo, Answer::No) != Answer::Yes) return ToolResult::Stopped;
    dialogs.progress(0, 0, msg::kResetProgress);
    const ToolResult r = lockedWrite(ctx, dialogs, [&](FileTransaction& tx) {
        const Bytes empty((kKeptCustomers - kFirstReset + 1) * kCustomerSize);
        tx.write(ctx.fileSet[kCustomers], kFirstReset * kCustomerSize, empty);
        return ToolResult::Done;
    });
    if (r == ToolResult::Done) dialogs.message(msg::kResetDone, Icon::Information);
    return r;
}

ToolResult shiftCustomerBalances(AppContext& ctx, Dialogs& dialogs, bool up) {
    if (refusedHere(ctx, dialogs)) return ToolResult::Refused;
    if (dialogs.ask(up ? msg::kShiftUpAsk : msg::kShiftDownAsk, Buttons::YesNo, Answer::No) != Answer::Yes)
        return ToolResult::Stopped;
    const ToolResult r = lockedWrite(ctx, dialogs, [&](FileTransaction& tx) {
        const int count = ctx.env.customerCount;
        std::vector<CustomerRecord> all(count + 2);
        const fs::path& file = ctx.fileSet[kCustomers];
        for (int n = 1; n <= count; ++n)
            if (!masters::readRecord(ctx.files, file, n, all[n])) {
                dialogs.message(msg::kCheckReadFailed, Icon::Stop);
                return ToolResult::Failed;
            }
        std::vector<double> balance(count + 2, 0.0);
        for (int n = 1; n <= count; ++n) {
            const int from = up ? n + 1 : n - 1;
            balance[n] = from >= 1 && from <= count ? all[from].balance : 0;
        }
        for (int n = 1; n <= count; ++n) {
            if (all[n].balance == balance[n]) continue;
            all[n].balance = balance[n];
            tx.write(file, static_cast<uint64_t>(n) * kCustomerSize, bytesOf(all[n]));
        }
        return ToolResult::Done;
    });
    if (r == ToolResult::Done) dialogs.message(msg::kShiftDone, Icon::Information);
    return r;
}

ToolResult showDuplicateSlips(AppContext& ctx, Dialogs& dialogs) {
    dialogs.progress(0, 0, msg::kCheckingProgress);
    auto pairs = findDuplicateSlips(ctx.files, ctx.fileSet[kSlipHeaders]);
    if (!pairs) {
        dialogs.message(msg::kCheckReadFailed, Icon::Stop);
        return ToolResult::Failed;
    }
    if (pairs->empty()) {
        dialogs.message(msg::kDuplicateSlipsNone, Icon::Information);
        return ToolResult::Done;
    }
    std::string text = format(msg::kDuplicateSlipsFound, static_cast<int>(pairs->size()));
    for (size_t i = 0; i < pairs->size() && i < kShownRows; ++i) {
        const auto& p = (*pairs)[i];
        text += format(msg::kDuplicateSlipRow, monthday::dashed(p.date).c_str(), p.customer, p.first, p.second);
    }
    dialogs.message(text, Icon::Warning);
    return ToolResult::Done;
}

ToolResult showYearCheck(AppContext& ctx, Dialogs& dialogs) {
    dialogs.progress(0, 0, msg::kCheckingProgress);
    const auto found = checkYear(ctx);
    if (found.empty()) {
        dialogs.message(msg::kYearCheckClean, Icon::Information);
        return ToolResult::Done;
    }
    std::string text = format(msg::kYearCheckFound, static_cast<int>(found.size()));
    for (size_t i = 0; i < found.size() && i < kShownRows; ++i) text += "\n" + found[i].text;
    dialogs.message(text, Icon::Warning);
    return ToolResult::Done;
}

}  // namespace rk::maintenance
