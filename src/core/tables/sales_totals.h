// Sales totals per customer over a date range of processed (stage 2) and settled (stage 3)
// slips, the "売上集計.Csv" export with the balances, and the three account-code files.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "masters/master_records.h"

namespace rk::tables {

struct CustomerTotals {
    double sales = 0;  // slip amount + consumption tax
    double commission = 0;
    double expenses = 0;  // the five deductions
    int slips = 0;
    double balance = 0;  // current outstanding balance, read for the export

    double net() const { return sales - commission - expenses; }
    double total() const { return net() + balance; }
};

// Which slips a result set holds: both stages, only the settled ones, only the processed ones.
enum class SlipSelection { All = 0, Settled = 1, Processed = 2 };
// Line 1 " 1.売掛伝票", line 2 " 2.入金伝票" of the window's list.
SlipSelection selectionOf(bool processedLine, bool settledLine);

struct SalesTotals {
    int from = 0, to = 0;  // MMDD as given
    // Index = customer 1..count (0 unused).
    std::array<std::vector<CustomerTotals>, 3> sets;
    std::array<CustomerTotals, 3> totals;

    const std::vector<CustomerTotals>& of(SlipSelection s) const { return sets[static_cast<size_t>(s)]; }
    const CustomerTotals& totalOf(SlipSelection s) const { return totals[static_cast<size_t>(s)]; }
};

SalesTotals runSalesTotals(const AppContext& ctx, int from, int to);

// The export text of one set: the customers' balances are taken from `customers` (index =
// number) and the total line includes them. Shift-JIS, CR LF lines.
std::string salesTotalsCsv(const SalesTotals& t, SlipSelection s, const std::vector<CustomerRecord>& customers,
                           Edition e);
// Reads the customers and writes "売上集計.Csv" (or `file`). False when a read or write fails.
bool writeSalesTotalsCsv(const AppContext& ctx, const SalesTotals& t, SlipSelection s, const fs::path& file);

// The three account-code files of the range, by the names of the edition, written into `folder`.
struct AccountCodeFiles {
    std::string goods, expenses, payments;  // 売品科目, 費用科目, 入金科目 contents
};
AccountCodeFiles accountCodeFiles(const AppContext& ctx, int from, int to);
bool writeAccountCodeFiles(const AppContext& ctx, int from, int to, const fs::path& folder);

}  // namespace rk::tables
