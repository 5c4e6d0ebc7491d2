#include "tables/aging.h"

#include <cstdio>

#include "base/cp932.h"
#include "base/format.h"
#include "base/money.h"
#include "masters/customer_master.h"
#include "tables/aging_messages.h"
#include "tables/ledger.h"
#include "tables/list_print.h"

namespace rk::tables {

namespace {

int ed(Edition e) { return e == Edition::Purchase ? 1 : 0; }

// Days since 1970-01-01 of a calendar date.
int64_t civilDays(int y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

int64_t dayNumber(int32_t md, int businessYear, int firstMonth) {
    return civilDays(monthday::calendarYear(md, businessYear, firstMonth), md / 100, md % 100);
}

std::string yenCell(double v) { return fmt::grouped(static_cast<int64_t>(money::yen(v)), 12); }
std::string yenCsv(double v) { return std::to_string(static_cast<int64_t>(money::yen(v))); }

std::string csvField(const std::string& s) {
    if (s.find_first_of(",\"") == std::string::npos) return s;
    std::string q = "\"";
    for (char c : s) q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

}  // namespace

bool AgingRow::reconciled() const { return money::yen(previous) == money::yen(ledger); }

int daysBetween(int32_t from, int32_t to, int businessYear, int firstMonth) {
    return static_cast<int>(dayNumber(to, businessYear, firstMonth) - dayNumber(from, businessYear, firstMonth));
}

int agingBucket(int days) {
    if (days <= 30) return 0;
    if (days <= 60) return 1;
    if (days <= 90) return 2;
    return 3;
}

Aging runAging(const AppContext& ctx, int32_t asOf, int firstCustomer, int lastCustomer) {
    Aging a;
    a.asOf = asOf;
    const int count = ctx.env.customerCount;
    a.firstCustomer = std::max(firstCustomer, 1);
    a.lastCustomer = std::min(lastCustomer, count);
    const std::vector<CustomerRecord> customers = masters::readCustomers(ctx.files, ctx.fileSet[kCustomers], count);
    std::vector<AgingRow> rows(static_cast<size_t>(std::max(count, 0)) + 1);
    const int year = ctx.settings.businessYear, first = ctx.settings.firstMonth;

    const LedgerSums sums = ledgerSums(ctx, count, [&](int customer, const LedgerEntry& e) {
        AgingRow& r = rows[static_cast<size_t>(customer)];
        const int32_t date = e.date > 1231 ? e.date - 1200 : e.date;
        r.buckets[static_cast<size_t>(agingBucket(daysBetween(date, asOf, year, first)))] += e.receivable;
        ++r.openSlips;
    });
    a.complete = sums.complete && customers.size() == static_cast<size_t>(count) + 1;
    a.damagedPayments = sums.damaged;
    if (!a.complete) return a;

    a.totals.name = msg::kAgingTotals;
    for (int c = a.firstCustomer; c <= a.lastCustomer; ++c) {
        AgingRow& r = rows[static_cast<size_t>(c)];
        const CustomerRecord& rec = customers[static_cast<size_t>(c)];
        r.customer = c;
        r.name = cp932::toUtf8(masters::customerName(rec));
        r.previous = rec.balance;
        r.ledger = sums.perCustomer[static_cast<size_t>(c)].computed(rec.openingBalance);
        if (r.openSlips == 0 && money::yen(r.previous) == 0 && money::yen(r.ledger) == 0) continue;
        a.totals.previous += r.previous;
        a.totals.ledger += r.ledger;
        for (int b = 0; b < kAgingBuckets; ++b)
            a.totals.buckets[static_cast<size_t>(b)] += r.buckets[static_cast<size_t>(b)];
        a.totals.openSlips += r.openSlips;
        a.rows.push_back(std::move(r));
    }
    return a;
}

std::vector<std::string> agingCells(const AgingRow& r, bool totals) {
    std::vector<std::string> cells{totals ? std::string() : std::to_string(r.customer), r.name, yenCell(r.previous)};
    for (double b : r.buckets) cells.push_back(yenCell(b));
    cells.push_back(yenCell(r.total()));
    cells.push_back(r.reconciled() ? msg::kAgingAgrees : msg::kAgingDiffers);
    return cells;
}

std::string agingCsv(const Aging& a) {
    std::string out = std::string(msg::kAgingCsvHead) + "\r\n";
    for (const AgingRow& r : a.rows) {
        std::string line = std::to_string(r.customer) + "," + csvField(r.name) + "," + yenCsv(r.previous);
        for (double b : r.buckets) line += "," + yenCsv(b);
        line += "," + yenCsv(r.total()) + "," + yenCsv(r.ledger) + "," +
                (r.reconciled() ? msg::kAgingAgrees : msg::kAgingDiffers);
        out += line + "\r\n";
    }
    return cp932::fromUtf8(out);
}

fs::path agingCsvFile(const AppContext& ctx) { return ctx.programFolder() / msg::kAgingCsvFile[ed(ctx.edition)]; }

bool writeAgingCsv(const AppContext& ctx, const Aging& a) {
    const std::string csv = agingCsv(a);
    return ctx.files.replaceWhole(agingCsvFile(ctx), std::as_bytes(std::span(csv.data(), csv.size())));
}

void planAging(printing::Document& doc, const AppContext& ctx, const Aging& a, const printing::PageArea& area) {
    ListBlock b;
    b.title = msg::kAgingHeading[ed(ctx.edition)];
    char asOf[128];
    std::snprintf(asOf, sizeof asOf, msg::kAgingAsOf, a.asOf / 100, a.asOf % 100);
    b.headings = {asOf};
    const auto& h = msg::kAgingColumns;
    b.columns = {{h[0], 5},  {h[1], 24, false}, {h[2], 13}, {h[3], 13},      {h[4], 13},
                 {h[5], 13}, {h[6], 13},        {h[7], 14}, {h[8], 8, false}};
    for (const AgingRow& r : a.rows) b.rows.push_back(agingCells(r));
    b.rows.push_back(agingCells(a.totals, true));
    planList(doc, b, area, ctx.clock);
}

}  // namespace rk::tables
