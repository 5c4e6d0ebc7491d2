// The period-by-month display of a month table: one code's months laid out as a grid of
// business years (periods, "%2d 期") by the twelve months in business-year order.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "printing/page_plan.h"
#include "tables/report_print.h"
#include "tables/table_engine.h"

namespace rk::tables {

struct PeriodGridRow {
    int period = 0;  // 1 = the first year of the range
    int year = 0;
    std::array<std::optional<double>, 12> months;  // empty: no data that month
};

struct PeriodGrid {
    int code = 0;  // 0: the table's totals
    Measure measure = Measure::Quantity;
    std::array<int, 12> monthNumbers{};  // calendar month of each column
    std::vector<PeriodGridRow> rows;
};

// `code` 0 takes the period totals.
PeriodGrid periodGrid(const TableResult& r, int code, Measure m, int firstMonth);

// The printed page: the conditions block of the table, the code and its name, the grid.
void planPeriodGrid(printing::Document& doc, const AppContext& ctx, const TableResult& r, const PeriodGrid& g,
                    const std::string& name, const printing::PageArea& area);

// "%2d 期" and "%6d 月".
std::string periodText(int period);
std::string monthText(int month);

}  // namespace rk::tables
