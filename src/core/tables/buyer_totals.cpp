#include "tables/buyer_totals.h"

#include <algorithm>
#include <cstdio>

#include "base/cp932.h"
#include "base/format.h"
#include "base/money.h"
#include "tables/key_names.h"
#include "tables/search_messages.h"
#include "tables/slip_scan.h"

namespace rk::tables {

namespace {

long long whole(double v) { return static_cast<long long>(money::yen(v)); }

struct Owner {
    int stage, date;
};

}  // namespace

long long compositeKey(int salesMethod, int product, int grade1, int grade2) {
    return salesMethod * 10000000LL + product * 10000LL + grade1 * 100LL + grade2;
}

std::string compositeText(const BuyerRow& r) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%2d-%3d-%2d-%2d", r.salesMethod, r.product, r.grade1, r.grade2);
    return buf;
}

BuyerTotals runBuyerTotals(const AppContext& ctx, const BuyerRange& range) {
    BuyerTotals t;
    const int m = ctx.settings.firstMonth;
    const int first = monthday::businessKey(range.from, m), last = monthday::businessKey(range.to, m);
    std::vector<Owner> owners;
    const IndexFilter inPeriod = periodFilter(ctx.fileSet[kIndex1], m, first, last);
    const ScanResult scan = scanSlips(
        ctx.files, ctx.fileSet[kSlipHeaders], ctx.fileSet[kSlipLines],
        [&](const SlipHeader& h, int) {
            if (!liveDate(h.date) || h.stage < kStageProcessed || h.lineCount < 1) return false;
            if (range.customer > 0 && h.customer != range.customer) return false;
            const int key = monthday::businessKey(h.date, m);
            if (key < first || key > last) return false;
            owners.push_back({h.stage, h.date});
            return true;
        },
        [&](int ordinal, int, const SlipLine& l) {
            const int buyer = l.buyer < 0 || l.buyer > 9999 ? 0 : l.buyer;
            if (range.buyer >= 0 && buyer != range.buyer) return;
            const Owner o = owners[static_cast<size_t>(ordinal)];
            BuyerRow r{buyer,  l.salesMethod, l.product, l.grade1, l.grade2, o.stage,
                       o.date, l.quantity,    l.price,   l.amount, 0};
            r.key = compositeKey(l.salesMethod, l.product, l.grade1, l.grade2);
            t.quantity += l.quantity;
            t.amount += l.amount;
            t.rows.push_back(r);
        },
        &inPeriod);
    t.read = scan.headersRead;
    sortBuyerRows(t.rows, range.sort, m);
    return t;
}

void sortBuyerRows(std::vector<BuyerRow>& rows, BuyerSort by, int firstMonth) {
    auto value = [by, firstMonth](const BuyerRow& r) -> double {
        switch (by) {
            case BuyerSort::Date:
                return monthday::businessKey(r.date, firstMonth);
            case BuyerSort::Buyer:
                return r.buyer;
            case BuyerSort::Product:
                return r.product;
            case BuyerSort::Composite:
                return static_cast<double>(r.key);
            case BuyerSort::Quantity:
                return r.quantity;
            case BuyerSort::Price:
                return r.price;
            case BuyerSort::Amount:
                return r.amount;
        }
        return 0;
    };
    std::stable_sort(rows.begin(), rows.end(),
                     [&](const BuyerRow& a, const BuyerRow& b) { return value(a) < value(b); });
}

std::string buyerCsv(const AppContext& ctx, const BuyerTotals& t) {
    const auto products = keyNames(ctx, kByProduct, 1000);
    const auto grades1 = keyNames(ctx, kByGrade1, 100);
    const auto grades2 = keyNames(ctx, kByGrade2, 100);
    auto name = [](const std::vector<std::string>& names, int code) {
        return code >= 0 && static_cast<size_t>(code) < names.size() ? names[static_cast<size_t>(code)] : std::string();
    };
    std::string out = cp932::fromUtf8(msg::kBuyerCsvHead) + "\r\n";
    char buf[160];
    for (const BuyerRow& r : t.rows) {
        std::snprintf(buf, sizeof buf, "%d, %d, %d, ", r.buyer, r.date, r.salesMethod);
        out += buf + cp932::fromUtf8(salesMethodName(ctx.edition, r.salesMethod));
        std::snprintf(buf, sizeof buf, ", %d, ", r.product);
        out += buf + name(products, r.product);
        std::snprintf(buf, sizeof buf, ", %d, ", r.grade1);
        out += buf + name(grades1, r.grade1);
        std::snprintf(buf, sizeof buf, ", %d, ", r.grade2);
        out += buf + name(grades2, r.grade2);
        std::snprintf(buf, sizeof buf, ", %lld, %lld, %lld \r\n", whole(r.quantity), whole(r.price), whole(r.amount));
        out += buf;
    }
    return out;
}

bool writeBuyerCsv(const AppContext& ctx, const BuyerTotals& t, const fs::path& file) {
    const std::string text = buyerCsv(ctx, t);
    return ctx.files.replaceWhole(file, std::span(reinterpret_cast<const std::byte*>(text.data()), text.size()));
}

}  // namespace rk::tables
