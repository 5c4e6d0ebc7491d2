#include "tables/report_print.h"

#include <algorithm>
#include <cstdio>

#include "base/cp932.h"
#include "base/format.h"
#include "base/money.h"
#include "masters/customer_master.h"
#include "tables/messages.h"

namespace rk::tables {

namespace {

int ed(Edition e) { return e == Edition::Sales ? 0 : 1; }

std::string format(const char* f, auto... v) {
    char buf[512];
    std::snprintf(buf, sizeof buf, f, v...);
    return buf;
}

std::string dayRange(int from, int to) { return format(msg::kDayRange, from / 100, from % 100, to / 100, to % 100); }

std::string yenText(double v, int width) { return fmt::grouped(static_cast<int64_t>(money::yen(v)), width); }

// The first `bytes` Shift-JIS bytes of a UTF-8 name, whole characters only.
std::string cut(const std::string& utf8, size_t bytes) {
    const std::string s = cp932::fromUtf8(utf8);
    return cp932::toUtf8(s.substr(0, cp932::cutAtCharBoundary(s, bytes)));
}

std::vector<std::string> customerNames(const AppContext& ctx, size_t count) {
    std::vector<std::string> names(count);
    auto all = masters::readCustomers(ctx.files, ctx.fileSet[kCustomers], static_cast<int>(count) - 1);
    for (size_t n = 1; n < count && n < all.size(); ++n) names[n] = cp932::toUtf8(masters::customerName(all[n]));
    return names;
}

}  // namespace

double measureOf(const Sum& s, Measure m) {
    return m == Measure::Quantity ? s.quantity : m == Measure::Price ? s.price() : s.amount;
}

void planTable(printing::Document& doc, const AppContext& ctx, const TableResult& r,
               const std::vector<std::string>& names, const TablePrintOptions& o, const printing::PageArea& area) {
    const TableKind& k = tableKind(r.kind);
    const int columns = std::clamp(o.columnsPerPage, 8, 18);
    std::vector<int> periods;
    for (int e : r.order)
        if (r.labels[static_cast<size_t>(e)] != 0) periods.push_back(e);
    const std::vector<Measure> measures = o.mixed
                                              ? std::vector<Measure>{Measure::Quantity, Measure::Price, Measure::Amount}
                                              : std::vector<Measure>{o.measure};
    const std::string dimension =
        ctx.edition == Edition::Sales || !k.purchaseDimensionLabel ? k.dimensionLabel : k.purchaseDimensionLabel;
    const std::string mode = o.mixed ? msg::kMixedMode : msg::kModeLabels[static_cast<int>(o.measure)];
    const std::string range =
        k.month ? format(msg::kYearRange, r.range.from, r.range.to) : dayRange(r.range.from, r.range.to);

    for (size_t first = 0; first == 0 || first < r.keys.size(); first += static_cast<size_t>(columns)) {
        ListBlock b;
        b.title = format(msg::kPrintHeading[ed(ctx.edition)], ctx.settings.businessYear);
        b.headings = {range + "    " + dimension + "    " + mode};
        b.rowsPerPage = o.mixed ? 12 : 24;
        b.linesPerRow = static_cast<int>(measures.size());
        const size_t last = std::min(r.keys.size(), first + static_cast<size_t>(columns));
        b.columns.push_back({"項目番号", 7, false});
        b.columns.push_back({"", 13});
        std::vector<std::string> nameLine{"  項目名", ""};
        for (size_t i = first; i < last; ++i) {
            const int code = r.keys[i];
            const std::string name = static_cast<size_t>(code) < names.size() ? names[static_cast<size_t>(code)] : "";
            b.columns.push_back({format("  %9d", code), 13});
            nameLine.push_back("  " + cut(name, 11));
        }
        b.subheads = {nameLine, {k.month ? "年 月" : "月 日", "      合計"}};
        for (int e : periods) {
            for (size_t m = 0; m < measures.size(); ++m) {
                std::vector<std::string> row;
                row.push_back(m == 0 ? periodLabel(r.labels[static_cast<size_t>(e)]) : "");
                row.push_back(
                    fmt::grouped(static_cast<int64_t>(measureOf(r.periods[static_cast<size_t>(e)], measures[m])), 13));
                for (size_t i = first; i < last; ++i)
                    row.push_back(fmt::grouped(static_cast<int64_t>(measureOf(r.cell(e, r.keys[i]), measures[m])), 13));
                b.rows.push_back(std::move(row));
            }
        }
        planList(doc, b, area, ctx.clock);
        if (r.keys.empty()) break;
    }
}

void planSalesTotals(printing::Document& doc, const AppContext& ctx, const SalesTotals& t, SlipSelection s,
                     const printing::PageArea& area) {
    const int e = ed(ctx.edition);
    ListBlock b;
    b.title = format(msg::kSalesTotalsHeading[e][static_cast<int>(s)], ctx.settings.businessYear);
    b.headings = {dayRange(t.from, t.to)};
    const auto& heads = msg::kSalesTotalsColumns[e];
    b.columns = {{heads[0], 30, false}, {heads[1], 14}, {heads[2], 14}, {heads[3], 14}, {heads[4], 14}};
    auto row = [&](const std::string& label, const CustomerTotals& c) {
        b.rows.push_back(
            {label, yenText(c.sales, 14), yenText(c.commission, 14), yenText(c.expenses, 14), yenText(c.net(), 14)});
    };
    row("      合計", t.totalOf(s));
    const auto& set = t.of(s);
    const auto names = customerNames(ctx, set.size());
    for (size_t n = 1; n < set.size(); ++n)
        if (set[n].slips > 0) row(format("%4d  ", static_cast<int>(n)) + names[n], set[n]);
    planList(doc, b, area, ctx.clock);
}

void planBulkTotals(printing::Document& doc, const AppContext& ctx, const BulkTotals& t, const StageSelection& s,
                    const printing::PageArea& area) {
    const int e = ed(ctx.edition);
    ListBlock b;
    b.title = format(msg::kBulkHeading, ctx.settings.businessYear);
    std::string stages = "表示データ ";
    for (int i = 0; i < kSlipStages; ++i)
        if (s[static_cast<size_t>(i)]) stages += msg::kBulkStageHeadings[e][i];
    b.headings = {dayRange(t.from, t.to), stages};
    b.columns = {{"  No.      得意先名", 30, false},
                 {msg::kBulkFirstHead[e][onlyOrders(s) ? 1 : 0], 11},
                 {msg::kBulkHeads[e][0], 11},
                 {msg::kBulkHeads[e][1], 9},
                 {msg::kBulkHeads[e][2], 11},
                 {msg::kBulkHeads[e][3], 14},
                 {"伝票数", 7}};
    auto row = [&](const std::string& label, const BulkFigures& f) {
        b.rows.push_back({label, fmt::grouped(static_cast<int64_t>(f.first), 11),
                          fmt::grouped(static_cast<int64_t>(f.quantity), 11),
                          fmt::grouped(static_cast<int64_t>(f.difference), 9), yenText(f.price(), 11),
                          yenText(f.amount, 14), fmt::grouped(f.lines, 7)});
    };
    row("      合計", bulkFigures(t, s, 0));
    const auto names = customerNames(ctx, t.stages[0].size());
    for (size_t n = 1; n < t.stages[0].size(); ++n) {
        const BulkFigures f = bulkFigures(t, s, static_cast<int>(n));
        if (!f.empty()) row(format("%4d  ", static_cast<int>(n)) + names[n], f);
    }
    planList(doc, b, area, ctx.clock);
}

void planLedger(printing::Document& doc, const AppContext& ctx, const Ledger& l, int from, int to,
                const printing::PageArea& area) {
    const int e = ed(ctx.edition);
    ListBlock b;
    b.title = msg::kLedgerHeading[e];
    b.headings = {format(msg::kLedgerCustomer, l.customer) + l.name, dayRange(from, to)};
    const auto& h = msg::kLedgerPrintColumns[e];
    b.columns = {{h[0], 6, false}, {h[1], 13}, {h[2], 13}, {h[3], 10}, {h[4], 14}, {h[5], 13}, {h[6], 13}};
    const int m = ctx.settings.firstMonth;
    const int first = monthday::businessKey(from, m), last = monthday::businessKey(to, m);
    for (const LedgerEntry& x : l.entries) {
        if (x.date < first || x.date > last) continue;
        b.rows.push_back({monthday::dashed(x.date > 1231 ? x.date - 1200 : x.date), yenText(x.amount, 13),
                          yenText(x.paid, 13), yenText(x.fee, 10), yenText(x.balance, 14), yenText(x.receivable, 13),
                          yenText(x.group, 13)});
    }
    planList(doc, b, area, ctx.clock);
}

}  // namespace rk::tables
