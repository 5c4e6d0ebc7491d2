// The day and month tables: one engine for the twelve kinds. A kind fixes the key dimension
// and the period (day of the business year, or month over up to ten business years); a run
// sums the final quantity and the amount of every counted line of a processed or settled
// slip per period and key code, and keeps the whole result in memory.
#pragma once

#include <string>
#include <vector>

#include "app/app_context.h"
#include "tables/conditions.h"

namespace rk::tables {

constexpr int kTableKinds = 12;
constexpr int kMaxYears = 10;    // month tables read at most ten business years
constexpr int kYearTotals = 12;  // business-year total entries ahead of the months

struct TableKind {
    int kind;
    Dimension dimension;
    bool month;
    int command;
    const char* title;           // sales edition window title
    const char* purchaseTitle;   // purchase edition
    const char* dimensionLabel;  // printed "得意先別" ...
    const char* purchaseDimensionLabel;
};

// Kind 1..12; anything else gives kind 1.
const TableKind& tableKind(int kind);
std::string tableTitle(int kind, Edition e);

// Period and code range of a run: MMDD (day tables) or four-digit years (month tables).
struct TableRange {
    int from = 0, to = 0;
    int startCode = 1, endCode = 999;
};

// The range a window opens with.
TableRange defaultRange(int kind, const AppContext& ctx);
// First day of the start month, last day of the month before it.
int defaultStartDate(int firstMonth);
int defaultEndDate(int firstMonth);

struct Sum {
    double quantity = 0, amount = 0;
    double price() const { return quantity != 0 ? amount / quantity : 0; }
    void add(double q, double a) {
        quantity += q;
        amount += a;
    }
};

// Largest values for the graph, each turned into its scale step.
struct GraphScales {
    double cellQuantity = 0, cellPrice = 0, cellAmount = 0;
    double periodQuantity = 0, periodPrice = 0, periodAmount = 0;
};
double scaleStep(double maximum);

struct TableResult {
    int kind = 1;
    TableRange range;
    int codeSlots = 1000;  // codes 1..codeSlots-1 have cells
    // Period entries. Day tables: the dates that received data, sorted, labels MMDD. Month
    // tables: twelve business-year totals (label year x 100, 0 when unused) then twelve
    // months per year read (label year x 100 + month).
    std::vector<int> labels;
    std::vector<Sum> periods;
    std::vector<Sum> cells;  // periods x codeSlots
    std::vector<Sum> codeTotals;
    Sum grand;
    std::vector<int> keys;   // codes with a non-zero total quantity; display order of the columns
    std::vector<int> order;  // period entries in display order
    int yearsRead = 0;
    GraphScales scales;

    const Sum& cell(int period, int code) const { return cells[static_cast<size_t>(period) * codeSlots + code]; }
    Sum& cell(int period, int code) { return cells[static_cast<size_t>(period) * codeSlots + code]; }
    // Month tables: months ordered by position in the year first, then by year ("期別").
    void orderPeriods(bool byMonth);
    void swapKeys(size_t a, size_t b);
};

// Runs kind `kind` over the year's files (day tables) or the years' files (month tables).
// The condition of the kind's own dimension is ignored.
TableResult runTable(const AppContext& ctx, int kind, const TableRange& range, ConditionSet conditions);

// Period labels: "12-25", "07- 4", "07 年" on screen and in print; CSV as its own rules.
std::string periodLabel(int label);
// Shift-JIS; `afterSeparator`: the blank line before the month entries has been written.
std::string csvPeriodLabel(int label, bool afterSeparator);

}  // namespace rk::tables
