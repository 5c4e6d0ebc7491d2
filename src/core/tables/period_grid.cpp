#include "tables/period_grid.h"

#include <cstdio>

#include "base/format.h"
#include "tables/list_print.h"
#include "tables/messages.h"
#include "tables/search_messages.h"

namespace rk::tables {

std::string periodText(int period) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%2d 期", period);
    return buf;
}

std::string monthText(int month) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%6d 月", month);
    return buf;
}

PeriodGrid periodGrid(const TableResult& r, int code, Measure m, int firstMonth) {
    PeriodGrid g;
    g.code = code;
    g.measure = m;
    for (int i = 0; i < 12; ++i) g.monthNumbers[static_cast<size_t>(i)] = (firstMonth - 1 + i) % 12 + 1;
    if (!tableKind(r.kind).month) return g;
    // Twelve month entries per year read, after the twelve year totals.
    for (int y = 0; y < r.yearsRead; ++y) {
        const size_t base = static_cast<size_t>(kYearTotals + y * 12);
        if (base + 12 > r.labels.size()) break;
        PeriodGridRow row;
        row.year = r.labels[base] / 100;
        row.period = row.year - r.range.from + 1;
        for (size_t i = 0; i < 12; ++i) {
            const int e = static_cast<int>(base + i);
            const Sum& s = code == 0 ? r.periods[base + i] : code > 0 && code < r.codeSlots ? r.cell(e, code) : Sum{};
            if (s.quantity != 0 || s.amount != 0) row.months[i] = measureOf(s, m);
        }
        g.rows.push_back(row);
    }
    return g;
}

void planPeriodGrid(printing::Document& doc, const AppContext& ctx, const TableResult& r, const PeriodGrid& g,
                    const std::string& name, const printing::PageArea& area) {
    const TableKind& k = tableKind(r.kind);
    char buf[96];
    ListBlock b;
    std::snprintf(buf, sizeof buf, msg::kPrintHeading[ctx.edition == Edition::Sales ? 0 : 1],
                  ctx.settings.businessYear);
    b.title = buf;
    std::snprintf(buf, sizeof buf, msg::kYearRange, r.range.from, r.range.to);
    const std::string dimension =
        ctx.edition == Edition::Sales || !k.purchaseDimensionLabel ? k.dimensionLabel : k.purchaseDimensionLabel;
    b.headings = {std::string(buf) + "    " + dimension + "    " + msg::kBlockModes[static_cast<int>(g.measure)]};
    std::snprintf(buf, sizeof buf, "No. %4d  ", g.code);
    b.headings.push_back(buf + name);
    b.columns.push_back({"", 6, false});
    for (int month : g.monthNumbers) b.columns.push_back({monthText(month), 12});
    for (const PeriodGridRow& row : g.rows) {
        std::vector<std::string> cells{periodText(row.period)};
        for (const auto& v : row.months)
            cells.push_back(v ? fmt::grouped(static_cast<int64_t>(*v), 12) : std::string());
        b.rows.push_back(std::move(cells));
    }
    planList(doc, b, area, ctx.clock);
}

}  // namespace rk::tables
