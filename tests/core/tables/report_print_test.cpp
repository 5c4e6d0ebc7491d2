// The printed tables: pages per block of key columns, every remark code printed, and the
// ledger's print range.
#include "tables/report_print.h"

#include <gtest/gtest.h>

#include "support/installation.h"
#include "tables/year_builder.h"

namespace rk::tables {
namespace {

bool hasText(const printing::Document& d, const std::string& text) {
    for (const auto& p : d.pages)
        for (const auto& t : p.texts)
            if (t.text.find(text) != std::string::npos) return true;
    return false;
}

TEST(ReportPrint, TablePagesRunOverPeriodsThenColumnBlocks) {
    test::Installation inst;
    AppContext& ctx = *inst.ctx;
    test::YearBuilder year(ctx.files, ctx.fileSet);
    // Ten remark codes, one above 99, on thirty days.
    for (int day = 1; day <= 30; ++day)
        for (int remark : {1, 2, 3, 4, 5, 6, 7, 8, 9, 150})
            year.slip(500 + day, remark, kStageProcessed, {{.quantity = 1, .amount = 10, .remark = remark}});
    TableResult r = runTable(ctx, 6, {101, 1231, 1, 999}, {});
    ASSERT_EQ(r.keys.size(), 10u);
    printing::Document d;
    planTable(d, ctx, r, std::vector<std::string>(1000), {Measure::Quantity, false, 8}, {0, 0, 6000, 4000});
    // 30 periods in 24-row pages: two pages for each of the two column blocks.
    EXPECT_EQ(d.pages.size(), 4u);
    EXPECT_TRUE(hasText(d, "【 売り上げ集計 】  (2026年)"));
    EXPECT_TRUE(hasText(d, "備考別"));
    EXPECT_TRUE(hasText(d, "        150"));
    printing::Document mixed;
    planTable(mixed, ctx, r, std::vector<std::string>(1000), {Measure::Quantity, true, 18}, {0, 0, 6000, 4000});
    EXPECT_EQ(mixed.pages.size(), 3u);  // 12 periods of three lines a page, one column block
    EXPECT_TRUE(hasText(mixed, "混合ﾓｰﾄﾞ"));

    Ledger l;
    l.customer = 3;
    l.name = "花の店";
    l.entries = {{.date = 301, .receivable = 100, .balance = 100}, {.date = 402, .receivable = 50, .balance = 150}};
    printing::Document ledger;
    planLedger(ledger, ctx, l, 401, 430, {0, 0, 6000, 4000});
    EXPECT_TRUE(hasText(ledger, "得意先名  No. 3  花の店"));
    EXPECT_TRUE(hasText(ledger, " 4- 2"));
    EXPECT_FALSE(hasText(ledger, " 3- 1"));
}

}  // namespace
}  // namespace rk::tables
