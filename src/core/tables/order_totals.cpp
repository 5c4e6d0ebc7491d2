#include "tables/order_totals.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "base/cp932.h"
#include "base/format.h"
#include "base/money.h"
#include "tables/key_names.h"
#include "tables/search_messages.h"
#include "tables/slip_scan.h"

namespace rk::tables {

namespace {

long long whole(double v) { return static_cast<long long>(money::yen(v)); }

}  // namespace

int productKey(int product, int grade1, int grade2) { return product * 10000 + grade1 * 100 + grade2; }

OrderTotals runOrderTotals(const AppContext& ctx, int from, int to) {
    OrderTotals t;
    t.from = from;
    t.to = to;
    const int m = ctx.settings.firstMonth;
    const int first = monthday::businessKey(from, m), last = monthday::businessKey(to, m);
    std::vector<int> dates;
    const IndexFilter inPeriod = periodFilter(ctx.fileSet[kIndex1], m, first, last);
    const ScanResult scan = scanSlips(
        ctx.files, ctx.fileSet[kSlipHeaders], ctx.fileSet[kSlipLines],
        [&](const SlipHeader& h, int) {
            if (!liveDate(h.date) || h.stage != kStageOrder || h.lineCount < 1) return false;
            const int key = monthday::businessKey(h.date, m);
            if (key < first || key > last) return false;
            dates.push_back(h.date);
            return true;
        },
        [&](int ordinal, int, const SlipLine& l) {
            OrderEntry e;
            e.date = dates[static_cast<size_t>(ordinal)];
            e.product = l.product;
            e.grade1 = l.grade1;
            e.grade2 = l.grade2;
            e.key = productKey(l.product, l.grade1, l.grade2);
            e.quantity = l.ordered;
            e.price = l.price;
            e.amount = l.amount;
            t.quantity += e.quantity;
            t.amount += e.amount;
            t.byDate.push_back(e);
        },
        &inPeriod);
    t.read = scan.headersRead;
    std::stable_sort(t.byDate.begin(), t.byDate.end(), [m](const OrderEntry& a, const OrderEntry& b) {
        const int da = monthday::businessKey(a.date, m), db = monthday::businessKey(b.date, m);
        return da != db ? da < db : a.key < b.key;
    });
    std::map<int, OrderEntry> sums;
    for (const OrderEntry& e : t.byDate) {
        OrderEntry& s =
            sums.try_emplace(e.key, OrderEntry{0, e.key, e.product, e.grade1, e.grade2, 0, 0, 0}).first->second;
        s.quantity += e.quantity;
        s.amount += e.amount;
    }
    for (auto& [key, s] : sums) {
        s.price = s.quantity != 0 ? s.amount / s.quantity : 0;
        t.byProduct.push_back(s);
    }
    return t;
}

std::string orderTotalsCsv(const OrderTotals& t, bool byProduct, const std::vector<std::string>& names) {
    std::string out = cp932::fromUtf8(msg::kOrderCsvHead[byProduct ? 1 : 0]) + "\r\n";
    char buf[160];
    auto name = [&](int code) {
        return code >= 0 && static_cast<size_t>(code) < names.size() ? names[static_cast<size_t>(code)] : std::string();
    };
    for (const OrderEntry& e : byProduct ? t.byProduct : t.byDate) {
        if (!byProduct) {
            std::snprintf(buf, sizeof buf, " %d,", e.date);
            out += buf;
        }
        std::snprintf(buf, sizeof buf, " %d, %d, %d, ", e.product, e.grade1, e.grade2);
        out += buf + name(e.product);
        std::snprintf(buf, sizeof buf, ", %lld, %lld, %lld \r\n", whole(e.quantity), whole(e.price), whole(e.amount));
        out += buf;
    }
    std::snprintf(buf, sizeof buf, ", %lld, , %lld \r\n", whole(t.quantity), whole(t.amount));
    out += std::string(byProduct ? "  ,   ,   , " : "  ,  ,   ,   , ") + cp932::fromUtf8("合計") + buf;
    return out;
}

bool writeOrderTotalsCsv(const AppContext& ctx, const OrderTotals& t, bool byProduct, const fs::path& file) {
    const std::string text = orderTotalsCsv(t, byProduct, keyNames(ctx, kByProduct, 1000));
    return ctx.files.replaceWhole(file, std::span(reinterpret_cast<const std::byte*>(text.data()), text.size()));
}

}  // namespace rk::tables
