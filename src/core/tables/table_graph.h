// The line graph of a day or month table: up to seven series over the table's periods, the
// codes on the left axis and the period totals on the right, each axis one of sixteen
// scales of ten gridlines. Planned as a page so the screen and the printer draw the same.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "printing/page_plan.h"
#include "tables/table_engine.h"

namespace rk::tables {

constexpr int kGraphSeries = 7;
constexpr int kGraphPeriods = 14;  // periods on one screen
constexpr int kNoSeries = -1;

// Data of the graph: the three measures of every period, and for month tables the same of
// the business-year totals (年計) and of the months summed up through the year (年合).
enum class GraphData {
    Quantity = 0,
    Price,
    Amount,
    YearQuantity,
    YearPrice,
    YearAmount,
    RunQuantity,
    RunPrice,
    RunAmount
};
int graphDataCount(bool month);

// Axis maximum of scale step 0..15: 10, 50, 100, 500 ... 500,000,000.
double axisMaximum(int step);
// The smallest step whose maximum holds `v`; values above the last maximum take step 15.
int axisStep(double v);
// The gridline label of `value` on an axis of step `step` ("　１", "10", "0.5千", "1万", "5億").
std::string axisLabel(double value, int step);

struct GraphSeries {
    int code = kNoSeries;  // a key code, 0 for the period totals, kNoSeries for none
    uint32_t colour = 0;   // 0xRRGGBB
};

struct GraphView {
    std::array<GraphSeries, kGraphSeries> series;
    GraphData data = GraphData::Quantity;
    int first = 0;  // first period shown
};

// The seven colours lines 1..7 start with.
std::array<uint32_t, kGraphSeries> defaultGraphColours();
GraphView defaultGraphView();

// The periods the graph runs over (entries of the result, in display order) and their values.
struct GraphPoints {
    std::vector<int> periods;
    std::vector<std::string> labels;
    int leftStep = 0, rightStep = 0;
    std::array<std::vector<double>, kGraphSeries> values;  // per series, one per period
};
GraphPoints graphPoints(const TableResult& r, const GraphView& v);

// One page: axes, gridlines and labels, the series lines of the periods first..first+13.
// `names`: UTF-8, index = code.
printing::Page planGraph(const TableResult& r, const GraphView& v, const std::vector<std::string>& names,
                         const printing::PageArea& area, int textHeight);

}  // namespace rk::tables
