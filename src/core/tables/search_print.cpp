#include "tables/search_print.h"

#include <cstdio>

#include "base/cp932.h"
#include "base/format.h"
#include "base/money.h"
#include "tables/list_print.h"
#include "tables/messages.h"
#include "tables/search_messages.h"

namespace rk::tables {

namespace {

int ed(Edition e) { return e == Edition::Sales ? 0 : 1; }

std::string format(const char* f, auto... v) {
    char buf[256];
    std::snprintf(buf, sizeof buf, f, v...);
    return buf;
}

std::string dayRange(int from, int to) { return format(msg::kDayRange, from / 100, from % 100, to / 100, to % 100); }

std::string nameOf(const std::vector<std::string>& names, int code) {
    return code >= 0 && static_cast<size_t>(code) < names.size() ? names[static_cast<size_t>(code)] : std::string();
}

}  // namespace

std::string yenText(double v, int width) { return fmt::grouped(static_cast<int64_t>(money::yen(v)), width); }

std::string quantityText(double v) { return format("%7ld ", static_cast<long>(money::yen(v))); }

void planNameSearch(printing::Document& doc, const AppContext& ctx, const NameSearch& s,
                    const printing::PageArea& area) {
    const int e = ed(ctx.edition);
    ListBlock b;
    b.title = format(msg::kSalesTotalsHeading[e][0], ctx.settings.businessYear);
    b.headings = {dayRange(s.from, s.to)};
    const auto& heads = msg::kSalesTotalsColumns[e];
    b.columns = {{msg::kNameSearchHeads[0], 30, false},
                 {" 月日", 6},
                 {msg::kNameSearchHeads[1], 11},
                 {heads[1], 13},
                 {heads[2], 13},
                 {heads[3], 13},
                 {heads[4], 13}};
    b.rows.push_back({"      合計", "", "", yenText(s.total.sales, 13), yenText(s.total.commission, 13),
                      yenText(s.total.expenses, 13), yenText(s.total.net(), 13)});
    int n = 0;
    for (const NameSearchRow& r : s.rows)
        b.rows.push_back({format("%4d %4d ", ++n, r.customer) + cp932::toUtf8(r.name), monthday::dashed(r.date),
                          format("%5d %3d", r.settlementDate, r.lines), yenText(r.sales(), 13),
                          yenText(r.commission, 13), yenText(r.expenses, 13), yenText(r.net(), 13)});
    planList(doc, b, area, ctx.clock);
}

void planOrderTotals(printing::Document& doc, const AppContext& ctx, const OrderTotals& t, bool byProduct,
                     const std::vector<std::string>& names, const printing::PageArea& area) {
    const int e = ed(ctx.edition);
    ListBlock b;
    b.title = byProduct ? msg::kOrderByProduct[e] : msg::kOrderByDate[e];
    b.headings = {dayRange(t.from, t.to)};
    if (!byProduct) b.columns.push_back({"月日", 6, false});
    b.columns.insert(b.columns.end(), {{"商品ｺｰﾄﾞ", 12, false},
                                       {"商　品　名", 20, false},
                                       {"数量", 9},
                                       {byProduct ? "平均単価" : "単価", 10},
                                       {"金額", 13}});
    for (const OrderEntry& x : byProduct ? t.byProduct : t.byDate) {
        std::vector<std::string> row;
        if (!byProduct) row.push_back(monthday::dashed(x.date));
        row.insert(row.end(), {format("%3d-%2d-%2d", x.product, x.grade1, x.grade2), nameOf(names, x.product),
                               quantityText(x.quantity), yenText(x.price, 10), yenText(x.amount, 13)});
        b.rows.push_back(std::move(row));
    }
    std::vector<std::string> total;
    if (!byProduct) total.push_back("");
    total.insert(total.end(), {"", "      合計", quantityText(t.quantity), "", yenText(t.amount, 13)});
    b.rows.push_back(std::move(total));
    planList(doc, b, area, ctx.clock);
}

void planCommission(printing::Document& doc, const AppContext& ctx, const CommissionRange& r, const CommissionTotals& t,
                    const printing::PageArea& area) {
    ListBlock b;
    b.title = "【 手数料集計 】";
    b.headings = {dayRange(r.from, r.to), format("得意先 %d ～ %d  ", r.firstCustomer, r.lastCustomer) +
                                              (r.search.empty() ? "" : "検索文字 " + cp932::toUtf8(r.search))};
    b.columns = {{"手 数 料 名", 20, false}, {"金　 額", 16}};
    b.rows = {{msg::kCommissionRows[0], yenText(t.commissions, 16)},
              {msg::kCommissionRows[1], yenText(t.fees, 16)},
              {msg::kCommissionRows[2], yenText(t.total(), 16)}};
    planList(doc, b, area, ctx.clock);
}

void planBuyerTotals(printing::Document& doc, const AppContext& ctx, const BuyerRange& r, const BuyerTotals& t,
                     const std::vector<std::string>& names, const printing::PageArea& area) {
    ListBlock b;
    b.title = "【 買参人集計 】";
    b.headings = {dayRange(r.from, r.to)};
    b.columns = {{"No", 5},   {"買参人", 7}, {"月-日", 6, false}, {"商品コード", 14, false}, {"商　品　名", 20, false},
                 {"数量", 9}, {"単価", 10},  {"金額", 13}};
    int n = 0;
    for (const BuyerRow& x : t.rows)
        b.rows.push_back({format("%4d", ++n), format("%5d", x.buyer), monthday::dashed(x.date), compositeText(x),
                          nameOf(names, x.product), quantityText(x.quantity), yenText(x.price, 10),
                          yenText(x.amount, 13)});
    b.rows.push_back({"", "", "", "", "      合計", quantityText(t.quantity), "", yenText(t.amount, 13)});
    planList(doc, b, area, ctx.clock);
}

}  // namespace rk::tables
