#include "printing/bills.h"

#include "printing/conventions.h"
#include "printing/messages.h"
#include "printing_builders.h"

namespace rk::test {
namespace {

using namespace printing;

class Bills : public PrintingFixture {
protected:
    PrintForm form = defaultPrintForm();

    std::vector<Bill> bills(BillSelection sel) {
        SlipSnapshot files(ctx);
        return collectBills(ctx, files, sel);
    }
    Document plan(const std::vector<Bill>& b, BillOptions o = {}) {
        SlipSnapshot files(ctx);
        return planBills(b, files, ctx, form, kA4, o);
    }
};

TEST_F(Bills, OnlyProcessedUnsettledSlipsOfThePeriodAreBilledAndTheTotalAddsTheBalance) {
    customer(1, "鈴木生花店", 5000);
    process(slip(510, 1, 2), 10000, 800, 1000, 200);  // receivable 9,600
    process(slip(505, 1, 1), 2000, 160, 200, 0);      // 1,960
    slip(512, 1, 1);                                  // delivered, not processed
    process(slip(514, 1, 1), 3000, 240, 300, 0, kStageSettled);
    process(slip(601, 1, 1), 4000, 320, 400, 0);  // after the period
    customer(2, "佐藤花店", 3000);                // a balance and no slips
    customer(3, "田中園芸");                      // nothing at all

    auto b = bills({501, 531, 1, 999, 531, ""});
    ASSERT_EQ(b.size(), 2u);
    ASSERT_EQ(b[0].slips.size(), 2u);
    EXPECT_EQ(b[0].slips[0].date, 505);  // by date
    EXPECT_DOUBLE_EQ(b[0].totals.receivable, 11560);
    EXPECT_DOUBLE_EQ(b[0].totals.deductions, 200);
    EXPECT_DOUBLE_EQ(b[0].total(), 16560);
    EXPECT_EQ(b[1].customer, 2);
    EXPECT_TRUE(b[1].slips.empty());
    EXPECT_DOUBLE_EQ(b[1].total(), 3000);

    Document d = plan(b, {false, false, 531});
    ASSERT_EQ(d.pages.size(), 2u);
    const Page& p = d.pages[0];
    EXPECT_TRUE(hasText(p, " 請　求　書"));
    EXPECT_TRUE(hasText(p, "鈴木生花店 様"));
    EXPECT_TRUE(hasText(p, "2026- 5- 5"));
    EXPECT_EQ(valueRightOf(p, msg::kPreviousBalance), "5,000");
    EXPECT_EQ(valueRightOf(p, msg::kBillTotal), "16,560");
    EXPECT_EQ(valueRightOf(d.pages[1], msg::kBillTotal), "3,000");
    EXPECT_TRUE(hasText(p, "2026 年  5 月 31 日 "));  // the issue date
}

TEST_F(Bills, APeriodAcrossTheYearStartIsTakenInBusinessOrder) {
    ctx.settings.firstMonth = 4;
    customer(1, "鈴木生花店");
    for (int d : {1215, 110, 320}) process(slip(d, 1, 1), 1000, 0, 0, 0);
    auto b = bills({1201, 131, 1, 999, 131, ""});
    ASSERT_EQ(b.size(), 1u);
    ASSERT_EQ(b[0].slips.size(), 2u);
    EXPECT_EQ(b[0].slips[0].date, 1215);
    EXPECT_EQ(b[0].slips[1].date, 110);
    EXPECT_TRUE(hasText(plan(b).pages[0], "2027- 1-10"));
    // 1 March to 5 April in a year starting in April: the start lies after the end.
    EXPECT_TRUE(bills({301, 405, 1, 999, 405, ""}).empty());
}

TEST_F(Bills, NameSearchBillsOnlyTheCustomersWhoseNameMatches) {
    customer(1, "鈴木生花店", 1000);
    customer(2, "佐藤花店", 2000);
    customer(3, "鈴木園芸", -500);
    customer(4, "鈴木農園", 700);  // matches, but no slips and a positive balance
    process(slip(510, 1, 1), 1000, 0, 0, 0);
    process(slip(510, 2, 1), 1000, 0, 0, 0);
    auto b = bills({501, 531, 1, 999, 531, "鈴木"});
    ASSERT_EQ(b.size(), 2u);
    EXPECT_EQ(b[0].customer, 1);
    EXPECT_EQ(b[1].customer, 3);
    EXPECT_EQ(b[0].name, "鈴木 様");  // the search name heads the bill
}

TEST_F(Bills, SummaryAndDetailPagesHoldRRowsEach) {
    form.fields[kLinesPerPage] = 6;
    customer(1, "鈴木生花店");
    for (int d = 501; d <= 507; ++d) process(slip(d, 1, 2), 1000, 0, 0, 0);
    auto b = bills({501, 531, 1, 999, 531, ""});
    SlipSnapshot files(ctx);
    EXPECT_EQ(billPageCount(b, files, form, {false, false, 531}), 2);
    // 14 detail lines: three detail pages before the two summary pages.
    EXPECT_EQ(billPageCount(b, files, form, {true, false, 531}), 5);
    Document d = plan(b, {true, false, 531});
    ASSERT_EQ(d.pages.size(), 5u);
    EXPECT_TRUE(hasText(d.pages[0], msg::kDetailHeading));
    EXPECT_TRUE(hasText(d.pages[0], kContinued));
    EXPECT_FALSE(hasText(d.pages[2], kContinued));
    EXPECT_TRUE(hasText(d.pages[3], kContinued));
    EXPECT_FALSE(hasText(d.pages[3], msg::kBillTotal));
    EXPECT_EQ(valueRightOf(d.pages[4], msg::kBillTotal), "7,000");
    EXPECT_TRUE(hasText(d.pages[4], " 5 P"));
}

TEST_F(Bills, AGroupBillSumsTheBalancesOfTheRepresentativeAndItsMembers) {
    customer(10, "本店", 100);
    customer(11, "北店", 200);
    customer(12, "南店", 300);
    customer(13, "よそ", 400);
    CustomerRecord rep{};
    ASSERT_TRUE(masters::readRecord(fs, f[kCustomers], 10, rep));
    rep.groupLink = 2;
    rep.members[0] = 11;
    rep.members[1] = 12;
    ASSERT_TRUE(masters::writeRecord(fs, f[kCustomers], 10, rep));
    process(slip(510, 11, 1), 1000, 80, 0, 0);
    process(slip(511, 12, 1), 2000, 160, 0, 0);
    process(slip(512, 13, 1), 4000, 320, 0, 0);

    SlipSnapshot files(ctx);
    GroupBill g = collectGroupBill(ctx, files, 10, {501, 531, 1, 999, 531, ""});
    ASSERT_EQ(g.status, GroupBill::Status::Ok);
    EXPECT_EQ(g.members, (std::vector<int>{11, 12}));
    EXPECT_DOUBLE_EQ(g.bill.previous, 600);
    ASSERT_EQ(g.bill.slips.size(), 2u);
    EXPECT_DOUBLE_EQ(g.bill.total(), 600 + 1080 + 2160);
    Document d = planBills({g.bill}, files, ctx, form, kA4, {true, true, 531});
    const Page& summary = d.pages.back();
    EXPECT_TRUE(hasText(summary, "本店 御中"));
    EXPECT_TRUE(hasText(summary, "北店"));
    EXPECT_EQ(valueRightOf(summary, msg::kBillTotal), "3,840");
    EXPECT_TRUE(hasText(d.pages[0], "納品先お得意先名  南店"));

    EXPECT_EQ(collectGroupBill(ctx, files, 11, {501, 531, 1, 999, 531, ""}).status,
              GroupBill::Status::NotRepresentative);
    EXPECT_EQ(collectGroupBill(ctx, files, 10, {601, 630, 1, 999, 630, ""}).status, GroupBill::Status::NoSlips);
}

}  // namespace
}  // namespace rk::test
