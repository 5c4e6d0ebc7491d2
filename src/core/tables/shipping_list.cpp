#include "tables/shipping_list.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "base/cp932.h"
#include "base/format.h"
#include "masters/customer_master.h"
#include "slips/CFq7Doc.h"
#include "slips/lan_slip_locks.h"
#include "slips/slip_index.h"
#include "slips/slip_messages.h"
#include "tables/search_messages.h"

namespace rk::tables {

ShippingGrid buildShippingGrid(const AppContext& ctx) {
    ShippingGrid g;
    const auto first = readIndexEntries(ctx.files, ctx.fileSet[kIndex1]);
    const auto second = readIndexEntries(ctx.files, ctx.fileSet[kIndex2]);
    g.read = ctx.files.exists(ctx.fileSet[kIndex1]) && ctx.files.exists(ctx.fileSet[kIndex2]);
    const int count = std::max(ctx.env.customerCount, 1);
    const int m = ctx.settings.firstMonth;
    // Every live entry, by date in business-year order: 101..1231 from the first month on.
    std::map<int, std::vector<size_t>> byDate;
    std::vector<bool> used(static_cast<size_t>(count) + 1, false);
    for (size_t n = 1; n < first.size(); ++n) {
        const IndexEntry e = first[n];
        if (!liveDate(e.first) || e.first % 100 < 1 || e.first % 100 > 31 || e.first / 100 > 12) continue;
        if (e.second < 1 || e.second > count) continue;
        byDate[monthday::businessKey(e.first, m)].push_back(n);
        used[static_cast<size_t>(e.second)] = true;
    }
    for (int c = 1; c <= count; ++c)
        if (used[static_cast<size_t>(c)]) g.customers.push_back(c);
    std::vector<int> column(static_cast<size_t>(count) + 1, -1);
    for (size_t i = 0; i < g.customers.size(); ++i) column[static_cast<size_t>(g.customers[i])] = static_cast<int>(i);
    g.cells.assign(byDate.size() * g.customers.size(), {});
    size_t row = 0;
    for (const auto& [key, entries] : byDate) {
        g.dates.push_back(key > 1231 ? key - 1200 : key);
        int lowest = kStageSettled;
        for (size_t n : entries) {
            const size_t c = static_cast<size_t>(column[static_cast<size_t>(first[n].second)]);
            ShippingCell& cell = g.cells[row * g.customers.size() + c];
            cell.slip = static_cast<int>(n);
            cell.stage = n < second.size() ? std::clamp(second[n].first, 0, 3) : 0;
            cell.lines = n < second.size() ? std::clamp(second[n].second, 0, kMaxSlipLines) : 0;
            lowest = std::min(lowest, cell.stage);
        }
        g.lowestStage.push_back(lowest);
        ++row;
    }
    const auto all = masters::readCustomers(ctx.files, ctx.fileSet[kCustomers], count);
    for (int c : g.customers) {
        const std::string name =
            static_cast<size_t>(c) < all.size() ? std::string(masters::customerName(all[static_cast<size_t>(c)])) : "";
        g.names.push_back(name.substr(0, cp932::cutAtCharBoundary(name, 12)));
    }
    return g;
}

int entryModeOf(int stage) { return std::clamp(stage, 0, 3) + 1; }

int entryCommandOf(int stage) { return stage <= 0 ? 130 : stage == 1 ? 131 : 133; }

ShippingDelete deleteShippingSlip(AppContext& ctx, Dialogs& dialogs, int date, int customer) {
    char text[256];
    std::snprintf(text, sizeof text, msg::kShippingDeleteAsk, customer, date);
    if (dialogs.ask(text, Buttons::YesNo, Answer::No) != Answer::Yes) return ShippingDelete::Declined;
    LanSlipLocks locks(ctx, dialogs);
    CFq7Doc doc(ctx, dialogs, &locks);
    // Another station editing this slip keeps it.
    if (locks.lockSlip(date, customer) != 0) {
        dialogs.beep();
        dialogs.message(rk::msg::kSlipOpenElsewhere, Icon::Stop);
        return ShippingDelete::Refused;
    }
    if (!doc.findAndLoad(date, customer)) {
        (void)locks.unlockSlip(date, customer, nullptr);
        return ShippingDelete::Failed;
    }
    if (doc.header.stage >= kStageSettled) {
        (void)locks.unlockSlip(date, customer, nullptr);
        dialogs.message(msg::kSettledNotDeleted, Icon::Stop);
        return ShippingDelete::Refused;
    }
    if (doc.deleteSlip() != CFq7Doc::WriteResult::Ok) {
        (void)locks.unlockSlip(date, customer, nullptr);
        return ShippingDelete::Failed;
    }
    return ShippingDelete::Deleted;
}

}  // namespace rk::tables
