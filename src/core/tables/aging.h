// Receivable aging (purchase edition: payables): per customer the processed slips not yet
// settled, by the days from the slip date to the as-of date (up to 30, 31-60, 61-90, over
// 90), beside the previous balance the customer master holds. The total is what the next
// bill asks for: previous balance plus the open slips. The previous balance is checked
// against the one the ledger computes from the year's slips and payments.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "printing/page_plan.h"

namespace rk::tables {

inline constexpr int kAgingBuckets = 4;

struct AgingRow {
    int customer = 0;
    std::string name;     // UTF-8
    double previous = 0;  // outstanding balance as the customer master holds it
    double ledger = 0;    // the balance the ledger computes
    std::array<double, kAgingBuckets> buckets{};
    int openSlips = 0;

    double open() const { return buckets[0] + buckets[1] + buckets[2] + buckets[3]; }
    double total() const { return previous + open(); }
    bool reconciled() const;
};

struct Aging {
    int32_t asOf = 0;  // month-day
    int firstCustomer = 1, lastCustomer = 0;
    // False when a year file could not be read whole: then there is no list.
    bool complete = true;
    int damagedPayments = 0;
    std::vector<AgingRow> rows;  // customers with a balance or open slips, ascending
    AgingRow totals;
};

// Days from month-day `from` to month-day `to` of the business year (negative when `from`
// is later).
int daysBetween(int32_t from, int32_t to, int businessYear, int firstMonth);
// 0: up to 30 days (a slip dated after the as-of date counts here), 1: 31-60, 2: 61-90, 3: over 90.
int agingBucket(int days);

Aging runAging(const AppContext& ctx, int32_t asOf, int firstCustomer, int lastCustomer);

// The list as CSV text (Shift-JIS, CR LF).
std::string agingCsv(const Aging& a);
// Writes it into the program folder as 売掛年齢表.Csv (purchase edition 買掛年齢表.Csv).
bool writeAgingCsv(const AppContext& ctx, const Aging& a);
fs::path agingCsvFile(const AppContext& ctx);

// The cells of one row as listed and printed: number, name, then seven amounts and the check.
std::vector<std::string> agingCells(const AgingRow& r, bool totals = false);

void planAging(printing::Document& doc, const AppContext& ctx, const Aging& a, const printing::PageArea& area);

}  // namespace rk::tables
