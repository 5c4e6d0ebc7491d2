// Day and month tables on small hand-built years: what counts, where it adds up, and in
// which order and under which labels the periods come out.
#include "tables/table_engine.h"

#include <gtest/gtest.h>

#include "support/installation.h"
#include "tables/year_builder.h"

namespace rk::tables {
namespace {

struct Tables : ::testing::Test {
    test::Installation inst;
    AppContext& ctx = *inst.ctx;
    test::YearBuilder year{ctx.files, ctx.fileSet};

    TableResult run(int kind, TableRange r, ConditionSet c = {}) { return runTable(ctx, kind, r, c); }
    TableRange days(int from = 101, int to = 1231, int startCode = 1, int endCode = 999) {
        return {from, to, startCode, endCode};
    }
    // The period entry of a day label, -1 when the table has none.
    static int entry(const TableResult& r, int label) {
        for (size_t i = 0; i < r.labels.size(); ++i)
            if (r.labels[i] == label) return static_cast<int>(i);
        return -1;
    }
};

TEST_F(Tables, DayTableByCustomerSumsCountedSlipsOnly) {
    year.slip(405, 3, kStageProcessed,
              {{.product = 1, .quantity = 10, .amount = 1000}, {.product = 2, .quantity = 5, .amount = 700}});
    year.slip(405, 7, kStageSettled, {{.quantity = 4, .amount = 400}});
    year.slip(406, 3, kStageSettled, {{.quantity = 3, .amount = 330}});
    year.slip(405, 8, kStageOrder, {{.quantity = 50, .amount = 5000}});
    year.slip(405, 9, kStageDelivery, {{.quantity = 50, .amount = 5000}});
    const int deleted = year.slip(406, 10, kStageProcessed, {{.quantity = 50, .amount = 5000}});
    year.change(deleted, [](SlipHeader& h) { h.date = -406; });

    TableResult r = run(1, days());
    EXPECT_EQ(r.keys, (std::vector<int>{3, 7}));
    ASSERT_EQ(r.labels, (std::vector<int>{405, 406}));
    EXPECT_DOUBLE_EQ(r.cell(0, 3).quantity, 15);
    EXPECT_DOUBLE_EQ(r.cell(0, 3).amount, 1700);
    EXPECT_DOUBLE_EQ(r.cell(1, 3).price(), 110);
    EXPECT_DOUBLE_EQ(r.codeTotals[3].quantity, 18);
    EXPECT_DOUBLE_EQ(r.codeTotals[3].amount, 2030);
    EXPECT_DOUBLE_EQ(r.periods[0].quantity, 19);
    EXPECT_DOUBLE_EQ(r.periods[0].amount, 2100);
    EXPECT_DOUBLE_EQ(r.grand.quantity, 22);
    EXPECT_DOUBLE_EQ(r.grand.amount, 2430);
    EXPECT_DOUBLE_EQ(r.grand.price(), 2430.0 / 22);

    // Other keys of the same lines.
    TableResult byProduct = run(3, days());
    EXPECT_EQ(byProduct.keys, (std::vector<int>{1, 2}));
    EXPECT_DOUBLE_EQ(byProduct.codeTotals[1].quantity, 17);
    EXPECT_DOUBLE_EQ(byProduct.codeTotals[2].amount, 700);
    TableResult byMethod = run(2, days());
    EXPECT_EQ(byMethod.keys, (std::vector<int>{1}));
    EXPECT_DOUBLE_EQ(byMethod.codeTotals[1].quantity, 22);
}

TEST_F(Tables, CodesRangesAndZeroQuantities) {
    year.slip(501, 4, kStageProcessed,
              {{.product = 6, .quantity = 2, .amount = 200}, {.product = 8, .quantity = 0, .amount = 90}});
    // Start code above the end code: nothing.
    TableResult none = run(3, days(101, 1231, 5, 3));
    EXPECT_TRUE(none.keys.empty());
    EXPECT_TRUE(none.labels.empty());
    // A code whose quantity sums to zero gets no column though its amount counts.
    TableResult r = run(3, days());
    EXPECT_EQ(r.keys, (std::vector<int>{6}));
    EXPECT_DOUBLE_EQ(r.codeTotals[8].amount, 90);
    EXPECT_DOUBLE_EQ(r.cell(0, 8).price(), 0);
    EXPECT_EQ(run(3, days(101, 1231, 7, 999)).keys, (std::vector<int>{}));
}

TEST_F(Tables, ConditionRowsListRangeAndEmptyRows) {
    for (int remark : {0, 9, 10, 11, 12, 15, 20, 21})
        year.slip(601, remark + 1, kStageProcessed, {{.quantity = 1, .amount = 10, .remark = remark}});
    auto customers = [&](std::array<int32_t, 6> rows) {
        ConditionSet c;
        c.of(kByRemark) = rows;
        return run(1, days(), c).keys;
    };
    EXPECT_EQ(customers({10, 0, 0, 0, 0, 20}), (std::vector<int>{11, 12, 13, 16, 21}));
    EXPECT_EQ(customers({10, 12, 0, 0, 0, 0}), (std::vector<int>{11, 13}));
    // Rows left at 0 never let code 0 through.
    EXPECT_EQ(customers({10, 0, 0, 0, 0, 0}), (std::vector<int>{11}));
    // The table's own dimension is limited by its codes only.
    ConditionSet own;
    own.of(kByCustomer) = {1, 0, 0, 0, 0, 0};
    EXPECT_EQ(run(1, days(), own).keys.size(), 8u);
}

TEST_F(Tables, BusinessYearFromAprilSortsMarchLast) {
    ctx.settings.firstMonth = 4;
    year.slip(315, 1, kStageProcessed, {{.quantity = 1}});
    year.slip(1231, 1, kStageProcessed, {{.quantity = 2}});
    year.slip(401, 1, kStageProcessed, {{.quantity = 3}});
    year.slip(1005, 1, kStageProcessed, {{.quantity = 4}});
    TableResult r = run(1, days(401, 331));
    EXPECT_EQ(r.labels, (std::vector<int>{401, 1005, 1231, 315}));
    EXPECT_EQ(run(1, days(1001, 1231)).labels, (std::vector<int>{1005, 1231}));
    EXPECT_EQ(periodLabel(1225), "12-25");
    EXPECT_EQ(periodLabel(315), " 3-15");
    EXPECT_EQ(periodLabel(1201), "12- 1");
    EXPECT_EQ(periodLabel(200704), "07- 4");
    EXPECT_EQ(periodLabel(200700), "07 年");
}

TEST_F(Tables, DefaultRanges) {
    for (auto [first, from, to] :
         {std::tuple{1, 101, 1231}, {4, 401, 331}, {5, 501, 430}, {3, 301, 229}, {12, 1201, 1130}}) {
        EXPECT_EQ(defaultStartDate(first), from);
        EXPECT_EQ(defaultEndDate(first), to);
    }
    ctx.settings.firstMonth = 5;
    TableRange d = defaultRange(3, ctx);
    EXPECT_EQ(d.from, 501);
    EXPECT_EQ(d.to, 430);
    EXPECT_EQ(d.endCode, ctx.env.customerCount);
    TableRange m = defaultRange(9, ctx);
    EXPECT_EQ(m.from, 2017);
    EXPECT_EQ(m.to, 2026);
}

TEST_F(Tables, CustomerCodesAboveOneThousandKeepTheirOwnCells) {
    ctx.env.customerCount = 1999;
    year.slip(701, 1500, kStageProcessed, {{.quantity = 7, .amount = 70}});
    year.slip(702, 476, kStageProcessed, {{.quantity = 1, .amount = 10}});
    TableResult r = run(1, days(101, 1231, 1, 1999));
    EXPECT_EQ(r.keys, (std::vector<int>{476, 1500}));
    EXPECT_DOUBLE_EQ(r.cell(0, 1500).quantity, 7);
    EXPECT_DOUBLE_EQ(r.cell(1, 476).quantity, 1);
    EXPECT_DOUBLE_EQ(r.cell(1, 1500).quantity, 0);
}

TEST_F(Tables, DamagedLineSlotsAreSkipped) {
    const int s = year.slip(801, 2, kStageProcessed, {{.quantity = 5, .amount = 50}, {.quantity = 6, .amount = 60}});
    year.change(s, [](SlipHeader& h) {
        h.lineSlots[2] = 999999;  // past the end of the line file
        h.lineSlots[3] = 0;
        h.lineSlots[4] = -7;
        h.lineCount = 4;
    });
    const int t = year.slip(802, 3, kStageProcessed, {{.quantity = 1, .amount = 10}});
    year.change(t, [](SlipHeader& h) { h.lineCount = 5000; });
    TableResult r = run(1, days());
    EXPECT_DOUBLE_EQ(r.codeTotals[2].quantity, 5);
    EXPECT_DOUBLE_EQ(r.codeTotals[3].quantity, 1);
}

TEST_F(Tables, MonthTablesOverYearsWithMissingFiles) {
    ctx.settings.firstMonth = 4;
    year.slip(405, 1, kStageProcessed, {{.product = 2, .quantity = 3, .amount = 300}});
    year.slip(315, 1, kStageSettled, {{.product = 2, .quantity = 1, .amount = 150}});
    // 2024 has files, 2025 none.
    const FileSet old = buildFileSet(ctx.edition, ctx.programFolder(), ctx.fileSet.dataFolder, 2024, false);
    ASSERT_TRUE(ctx.files.createZeroed(old[kSlipLines], kSlipLineSize));
    ASSERT_TRUE(ctx.files.createZeroed(old[kSlipHeaders], kSlipHeaderSize));
    test::YearBuilder(ctx.files, old).slip(1110, 1, kStageProcessed, {{.product = 2, .quantity = 5, .amount = 500}});

    TableResult r = run(9, {2024, 2026, 1, 999});
    EXPECT_EQ(r.yearsRead, 2);
    EXPECT_EQ(r.labels[0], 202400);
    EXPECT_EQ(r.labels[1], 202600);
    EXPECT_EQ(r.labels[2], 0);
    ASSERT_EQ(r.labels.size(), 12u + 24u);
    EXPECT_EQ(r.labels[12], 202404);
    EXPECT_EQ(r.labels[23], 202403);
    EXPECT_DOUBLE_EQ(r.cell(12 + 7, 2).quantity, 5);   // November 2024
    EXPECT_DOUBLE_EQ(r.cell(24 + 0, 2).quantity, 3);   // April 2026
    EXPECT_DOUBLE_EQ(r.cell(24 + 11, 2).quantity, 1);  // March of business year 2026
    EXPECT_DOUBLE_EQ(r.cell(1, 2).quantity, 4);
    EXPECT_DOUBLE_EQ(r.cell(1, 2).amount, 450);
    EXPECT_DOUBLE_EQ(r.grand.quantity, 9);  // months only, not the year totals
    EXPECT_DOUBLE_EQ(r.codeTotals[2].quantity, 9);

    r.orderPeriods(true);
    ASSERT_GE(r.order.size(), 16u);
    EXPECT_EQ(std::vector<int>(r.order.begin() + 12, r.order.begin() + 16), (std::vector<int>{12, 24, 13, 25}));
}

TEST_F(Tables, GraphScaleSteps) {
    EXPECT_EQ(scaleStep(10), 0);
    EXPECT_EQ(scaleStep(11), 1);
    EXPECT_EQ(scaleStep(1000), 4);
    EXPECT_EQ(scaleStep(500000000), 15);
    EXPECT_EQ(scaleStep(600000000), 600000000);
    year.slip(901, 1, kStageProcessed, {{.quantity = 60, .amount = 6000}});
    TableResult r = run(1, days());
    EXPECT_EQ(r.scales.cellQuantity, 2);
    EXPECT_EQ(r.scales.cellPrice, 2);
    EXPECT_EQ(r.scales.periodAmount, 6);
}

}  // namespace
}  // namespace rk::tables

namespace rk::tables {
namespace {

// A damaged first month (0 or 13 in a settings file) used to place a month past the year's
// twelve periods: every month still lands in its year, in calendar order from January.
TEST_F(Tables, ADamagedFirstMonthNeverPlacesAMonthOutsideItsYear) {
    year.slip(1215, 1, kStageProcessed, {{.product = 2, .quantity = 3, .amount = 300}});
    year.slip(115, 1, kStageSettled, {{.product = 2, .quantity = 1, .amount = 150}});
    for (int damaged : {0, 13, -7}) {
        ctx.settings.firstMonth = damaged;
        TableResult r = run(9, {2026, 2026, 1, 999});
        ASSERT_EQ(r.labels.size(), 12u + 12u) << damaged;
        ASSERT_GE(entry(r, 202601), 12) << damaged;
        ASSERT_GE(entry(r, 202612), 12) << damaged;
        EXPECT_DOUBLE_EQ(r.cell(entry(r, 202601), 2).quantity, 1);
        EXPECT_DOUBLE_EQ(r.cell(entry(r, 202612), 2).quantity, 3);
        EXPECT_DOUBLE_EQ(r.grand.quantity, 4);
    }
}

}  // namespace
}  // namespace rk::tables
