#include "tables/bulk_totals.h"

#include <cstdio>

#include "base/cp932.h"
#include "base/format.h"
#include "base/money.h"
#include "masters/customer_master.h"
#include "tables/messages.h"
#include "tables/slip_scan.h"

namespace rk::tables {

namespace {

long long whole(double v) { return money::wholeYen(v); }  // a damaged amount is written as 0

struct Owner {
    int32_t stage, customer;
};

}  // namespace

BulkTotals runBulkTotals(const AppContext& ctx, int from, int to, const ConditionSet& conditions) {
    BulkTotals t;
    t.from = from;
    t.to = to;
    const size_t count = static_cast<size_t>(std::max(ctx.env.customerCount, 1)) + 1;
    for (auto& s : t.stages) s.assign(count, BulkRow{});
    const int m = ctx.settings.firstMonth;
    const int first = monthday::businessKey(from, m), last = monthday::businessKey(to, m);
    std::vector<Owner> owners;
    const IndexFilter inRange = periodFilter(ctx.fileSet[kIndex1], m, first, last, 1, static_cast<int>(count) - 1);
    scanSlips(
        ctx.files, ctx.fileSet[kSlipHeaders], ctx.fileSet[kSlipLines],
        [&](const SlipHeader& h, int) {
            if (!liveDate(h.date) || h.stage < kStageOrder || h.stage > kStageSettled) return false;
            if (h.customer < 1 || static_cast<size_t>(h.customer) >= count) return false;
            const int key = monthday::businessKey(h.date, m);
            if (key < first || key > last) return false;
            owners.push_back({h.stage, h.customer});
            return true;
        },
        [&](int ordinal, int, const SlipLine& l) {
            const Owner o = owners[static_cast<size_t>(ordinal)];
            if (!conditions.passesLine(o.customer, l, kByCustomer)) return;
            BulkRow& r = t.stages[static_cast<size_t>(o.stage)][static_cast<size_t>(o.customer)];
            r.ordered += l.ordered;
            r.delivered += l.delivered;
            r.quantity += l.quantity;
            r.amount += l.amount;
            ++r.lines;
            if (l.boxes > 0.9) {
                r.boxes += l.boxes;
                r.boxAmount += l.amount;
            }
        },
        &inRange);
    for (int s = 0; s < kSlipStages; ++s)
        for (size_t c = 1; c < count; ++c) t.totals[static_cast<size_t>(s)].add(t.stages[static_cast<size_t>(s)][c]);
    return t;
}

bool onlyOrders(const StageSelection& selected) { return selected[0] && !selected[1] && !selected[2] && !selected[3]; }

BulkFigures bulkFigures(const BulkTotals& t, const StageSelection& selected, int customer) {
    BulkFigures f;
    for (int s = 0; s < kSlipStages; ++s) {
        if (!selected[static_cast<size_t>(s)]) continue;
        const auto& rows = t.stages[static_cast<size_t>(s)];
        const BulkRow& r = customer == 0                                 ? t.totals[static_cast<size_t>(s)]
                           : static_cast<size_t>(customer) < rows.size() ? rows[static_cast<size_t>(customer)]
                                                                         : BulkRow{};
        f.first += s == kStageOrder ? r.ordered : r.delivered;
        f.quantity += r.quantity;
        f.difference += r.difference();
        f.amount += r.amount;
        f.lines += r.lines;
        f.boxes += r.boxes;
        f.boxAmount += r.boxAmount;
    }
    return f;
}

std::string bulkCsv(const BulkTotals& t, const StageSelection& selected, const std::vector<CustomerRecord>& customers,
                    Edition e) {
    const int ed = e == Edition::Sales ? 0 : 1;
    std::string out = cp932::fromUtf8(msg::kBulkHead[ed][onlyOrders(selected) ? 1 : 0]) + "\r\n";
    auto figures = [](const BulkFigures& f) {
        char buf[256];
        std::snprintf(buf, sizeof buf, ", %lld, %lld, %lld, %lld, %lld, %d, %lld, %lld, %lld \r\n", whole(f.first),
                      whole(f.quantity), whole(f.difference), whole(f.price()), whole(f.amount), f.lines,
                      whole(f.boxes), whole(f.boxAmount), whole(f.boxPrice()));
        return std::string(buf);
    };
    const size_t count = t.stages[0].size();
    for (size_t c = 1; c < count; ++c) {
        const BulkFigures f = bulkFigures(t, selected, static_cast<int>(c));
        if (f.empty()) continue;
        char head[32];
        std::snprintf(head, sizeof head, "%d ,", static_cast<int>(c));
        out += head + (c < customers.size() ? std::string(masters::customerName(customers[c])) : std::string()) +
               figures(f);
    }
    out += cp932::fromUtf8("  , 合計") + figures(bulkFigures(t, selected, 0));
    return out;
}

bool writeBulkCsv(const AppContext& ctx, const BulkTotals& t, const StageSelection& selected, const fs::path& file) {
    const int count = static_cast<int>(t.stages[0].size()) - 1;
    auto customers = masters::readCustomers(ctx.files, ctx.fileSet[kCustomers], count);
    if (customers.empty()) return false;
    const std::string text = bulkCsv(t, selected, customers, ctx.edition);
    return ctx.files.replaceWhole(file, std::span(reinterpret_cast<const std::byte*>(text.data()), text.size()));
}

}  // namespace rk::tables
