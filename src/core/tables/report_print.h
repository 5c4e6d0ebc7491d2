// The printouts of the day and month tables, sales totals, bulk totals and the ledger,
// planned on the shared list layout.
#pragma once

#include <string>
#include <vector>

#include "app/app_context.h"
#include "tables/bulk_totals.h"
#include "tables/ledger.h"
#include "tables/list_print.h"
#include "tables/sales_totals.h"
#include "tables/table_engine.h"

namespace rk::tables {

// Display modes of the tables: quantity, unit price, amount.
enum class Measure { Quantity = 0, Price = 1, Amount = 2 };
double measureOf(const Sum& s, Measure m);

struct TablePrintOptions {
    Measure measure = Measure::Quantity;
    bool mixed = false;      // "3ﾓｰﾄﾞ印字": every measure for every period
    int columnsPerPage = 8;  // 8..18 key columns
};

// `names`: UTF-8, index = code. Pages run over all periods of one block of key columns
// before the next block.
void planTable(printing::Document& doc, const AppContext& ctx, const TableResult& r,
               const std::vector<std::string>& names, const TablePrintOptions& o, const printing::PageArea& area);

void planSalesTotals(printing::Document& doc, const AppContext& ctx, const SalesTotals& t, SlipSelection s,
                     const printing::PageArea& area);
void planBulkTotals(printing::Document& doc, const AppContext& ctx, const BulkTotals& t, const StageSelection& s,
                    const printing::PageArea& area);
void planLedger(printing::Document& doc, const AppContext& ctx, const Ledger& l, int from, int to,
                const printing::PageArea& area);

}  // namespace rk::tables
