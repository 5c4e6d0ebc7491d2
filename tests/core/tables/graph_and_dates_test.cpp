// The table graph's axes and series, the period-by-month grid and the shipping date list
// with its deletion, on small hand-built years.
#include <gtest/gtest.h>

#include "base/cp932.h"
#include "slips/slip_index.h"
#include "support/installation.h"
#include "tables/period_grid.h"
#include "tables/shipping_list.h"
#include "tables/table_graph.h"
#include "tables/year_builder.h"

namespace rk::tables {
namespace {

struct Graphs : ::testing::Test {
    test::Installation inst;
    AppContext& ctx = *inst.ctx;
    test::YearBuilder year{ctx.files, ctx.fileSet};
    void reindex() {
        ASSERT_TRUE(rebuildIndexes(ctx.files, ctx.fileSet[kSlipHeaders], ctx.fileSet[kIndex1], ctx.fileSet[kIndex2]));
    }
};

TEST(GraphAxes, StepsHoldTheirMaximumAndLabelsReadInUnits) {
    EXPECT_EQ(axisStep(8), 0);
    EXPECT_EQ(axisStep(10), 0);
    EXPECT_EQ(axisStep(600), 4);
    EXPECT_EQ(axisMaximum(axisStep(600)), 1000);
    EXPECT_EQ(axisStep(50.5), 2);  // never drawn above its axis
    EXPECT_EQ(axisStep(500000000), 15);
    EXPECT_EQ(axisStep(9e12), 15);  // the last scale, the line clipped at its top
    EXPECT_EQ(axisLabel(1, 0), "　１");
    EXPECT_EQ(axisLabel(10, 0), "１０");
    EXPECT_EQ(axisLabel(10, 2), "10");
    EXPECT_EQ(axisLabel(500, 5), "0.5千");
    EXPECT_EQ(axisLabel(5000, 5), "5千");
    EXPECT_EQ(axisLabel(10000, 6), "1万");
    EXPECT_EQ(axisLabel(5e6, 13), "0.5千万");
    EXPECT_EQ(axisLabel(1e8, 14), "1億");
    EXPECT_EQ(axisLabel(5e8, 15), "5億");
}

TEST_F(Graphs, SeriesZeroDrawsTheTotalsOnTheRightAxis) {
    year.slip(105, 1, kStageProcessed, {{.quantity = 8, .amount = 600}});
    year.slip(105, 2, kStageProcessed, {{.quantity = 4, .amount = 300}});
    year.slip(106, 1, kStageSettled, {{.quantity = 2, .amount = 100}});
    const TableResult r = runTable(ctx, 1, {101, 1231, 1, 999}, {});
    GraphView v = defaultGraphView();
    GraphPoints g = graphPoints(r, v);
    ASSERT_EQ(g.labels, (std::vector<std::string>{" 1- 5", " 1- 6"}));
    EXPECT_EQ(g.leftStep, 0);   // largest cell 8: gridlines 1 .. 10
    EXPECT_EQ(g.rightStep, 1);  // largest day 12
    EXPECT_EQ(g.values[0], (std::vector<double>{12, 2}));
    EXPECT_TRUE(g.values[1].empty());
    v.data = GraphData::Amount;
    v.series[1].code = 2;
    g = graphPoints(r, v);
    EXPECT_EQ(g.leftStep, 4);  // 600: the axis of 1000
    EXPECT_EQ(g.values[1], (std::vector<double>{300, 0}));
    const printing::Page page = planGraph(r, v, {"", "a", "b"}, {0, 0, 1400, 900}, 14);
    int coloured = 0;
    for (const printing::RuleItem& line : page.rules) coloured += line.colour == v.series[1].colour ? 1 : 0;
    EXPECT_EQ(coloured, 2);  // one segment between the two days and the legend mark
}

TEST_F(Graphs, PeriodGridLaysMonthsOutByYear) {
    year.slip(120, 1, kStageProcessed, {{.quantity = 5, .amount = 500}});
    year.slip(305, 1, kStageProcessed, {{.quantity = 2, .amount = 300}});
    year.slip(305, 2, kStageProcessed, {{.quantity = 1, .amount = 10}});
    const TableResult r = runTable(ctx, 7, {2025, 2026, 1, 999}, {});
    const PeriodGrid g = periodGrid(r, 1, Measure::Quantity, 1);
    ASSERT_EQ(g.rows.size(), 1u);  // 2025 has no files
    EXPECT_EQ(g.rows[0].period, 2);
    EXPECT_EQ(g.rows[0].year, 2026);
    EXPECT_EQ(g.rows[0].months[0], 5.0);
    EXPECT_FALSE(g.rows[0].months[1]);
    EXPECT_EQ(periodGrid(r, 0, Measure::Price, 1).rows[0].months[2], 310.0 / 3);
    EXPECT_EQ(periodGrid(r, 1, Measure::Amount, 4).monthNumbers[9], 1);
    EXPECT_EQ(periodText(2), " 2 期");
    EXPECT_EQ(monthText(4), "     4 月");
}

TEST_F(Graphs, ShippingGridRowsInBusinessOrderAndTheSlipStages) {
    ctx.settings.firstMonth = 4;
    year.slip(1225, 3, kStageProcessed, {{}});
    year.slip(401, 15, kStageOrder, {{}});
    const int settled = year.slip(315, 3, kStageSettled, {{}, {}});
    year.change(settled, [](SlipHeader& h) { h.lineCount = 2; });
    year.slip(401, 3, kStageDelivery, {{}});
    const int gone = year.slip(402, 20, kStageDelivery, {{}});
    year.change(gone, [](SlipHeader& h) { h.date = -402; });
    reindex();

    ShippingGrid g = buildShippingGrid(ctx);
    ASSERT_TRUE(g.read);
    EXPECT_EQ(g.dates, (std::vector<int>{401, 1225, 315}));
    EXPECT_EQ(g.customers, (std::vector<int>{3, 15}));
    EXPECT_EQ(g.cell(0, 0).stage, kStageDelivery);
    EXPECT_EQ(g.cell(0, 1).stage, kStageOrder);
    EXPECT_EQ(g.cell(1, 1).slip, 0);
    EXPECT_EQ(g.cell(2, 0).lines, 2);
    EXPECT_EQ(g.lowestStage, (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(entryCommandOf(g.cell(2, 0).stage), 133);
    EXPECT_EQ(entryModeOf(g.cell(2, 0).stage), 4);
    EXPECT_EQ(entryCommandOf(g.cell(0, 1).stage), 130);
    EXPECT_EQ(entryCommandOf(g.cell(0, 0).stage), 131);

    // Deleting: the question declined, a settled slip refused, then the order goes.
    ScriptedDialogs d;
    d.answers = {Answer::No};
    EXPECT_EQ(deleteShippingSlip(ctx, d, 401, 15), ShippingDelete::Declined);
    EXPECT_EQ(d.shown[0],
              " 得意先No  15 \n 扱い日 401 \n のデータを削除します\n この作業ではＬＡＮの排他機能を無視します\n "
              "よろしいですか");
    d.answers = {Answer::Yes};
    EXPECT_EQ(deleteShippingSlip(ctx, d, 315, 3), ShippingDelete::Refused);
    EXPECT_EQ(buildShippingGrid(ctx).dates.size(), 3u);
    d.answers = {Answer::Yes};
    EXPECT_EQ(deleteShippingSlip(ctx, d, 401, 15), ShippingDelete::Deleted);
    // Header and index agree: the column is gone at once, not after a restart.
    g = buildShippingGrid(ctx);
    EXPECT_EQ(g.customers, (std::vector<int>{3}));
    EXPECT_EQ(findLiveSlip(ctx.files, ctx.fileSet[kIndex1], ctx.fileSet[kSlipHeaders], 401, 15), 0);
}

}  // namespace
}  // namespace rk::tables
