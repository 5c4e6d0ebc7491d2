// Receivable aging on a hand-made year whose figures are worked out by hand below.
#include "tables/aging.h"

#include <gtest/gtest.h>

#include "base/cp932.h"
#include "masters/master_io.h"
#include "payments/payment_record.h"
#include "support/installation.h"
#include "tables/year_builder.h"

namespace rk::tables {
namespace {

struct AgingYear : ::testing::Test {
    test::Installation inst;
    AppContext& ctx = *inst.ctx;
    test::YearBuilder year{ctx.files, ctx.fileSet};

    void SetUp() override {
        // Business year 2026 from April: January to March are 2027.
        ctx.settings.businessYear = 2026;
        ctx.settings.firstMonth = 4;
    }
    void customer(int n, const char* name, double balance, double opening) {
        CustomerRecord c{};
        cp932::assign(c.name, name);
        c.balance = balance;
        c.openingBalance = opening;
        ASSERT_TRUE(masters::writeRecord(ctx.files, ctx.fileSet[kCustomers], n, c));
    }
    int booked(int date, int customer, int stage, double receivable) {
        const int r = year.slip(date, customer, stage, {{.quantity = 1, .amount = receivable}});
        year.change(r, [&](SlipHeader& h) { h.receivable = receivable; });
        return r;
    }
};

TEST(AgingDays, CalendarYearOfTheBusinessYearAndBucketEdges) {
    // 2026-12-09 to 2027-03-10: 22 + 31 + 28 + 10 days.
    EXPECT_EQ(daysBetween(1209, 310, 2026, 4), 91);
    EXPECT_EQ(daysBetween(310, 310, 2026, 4), 0);
    EXPECT_EQ(daysBetween(320, 310, 2026, 4), -10);
    // A year starting in January: March is before December.
    EXPECT_EQ(daysBetween(310, 1209, 2026, 1), 274);
    EXPECT_EQ(agingBucket(-10), 0);
    EXPECT_EQ(agingBucket(30), 0);
    EXPECT_EQ(agingBucket(31), 1);
    EXPECT_EQ(agingBucket(60), 1);
    EXPECT_EQ(agingBucket(61), 2);
    EXPECT_EQ(agingBucket(90), 2);
    EXPECT_EQ(agingBucket(91), 3);
}

TEST_F(AgingYear, BucketsTotalsAndTheLedgerCheck) {
    // Customer 3: opening 5,000 + settled 3,000 - paid 7,000 = 1,000, as stored.
    customer(3, "青山生花", 1000, 5000);
    const int settled = booked(501, 3, kStageSettled, 3000);
    PaymentRecord p{};
    p.customer = 3;
    p.date = 520;
    p.paid = 7000;
    p.slipCount = 1;
    p.slips[1] = settled;
    ASSERT_TRUE(ctx.files.append(ctx.fileSet[kPayments], bytesOf(p)));
    // Open slips, days before 2027-03-10:
    booked(310, 3, kStageProcessed, 1100);   //  0        -> up to 30
    booked(208, 3, kStageProcessed, 2200);   // 30        -> up to 30
    booked(320, 3, kStageProcessed, 990);    // -10 (after the as-of date) -> up to 30
    booked(207, 3, kStageProcessed, 3300);   // 31        -> 31-60
    booked(109, 3, kStageProcessed, 4400);   // 60        -> 31-60
    booked(108, 3, kStageProcessed, 5500);   // 61        -> 61-90
    booked(1210, 3, kStageProcessed, 6600);  // 90        -> 61-90
    booked(1209, 3, kStageProcessed, 7700);  // 91        -> over 90
    booked(601, 3, kStageProcessed, 8800);   // 282       -> over 90
    // Neither an unprocessed nor a deleted slip is open.
    booked(301, 3, kStageDelivery, 50000);
    booked(-302, 3, kStageProcessed, 60000);

    // Customer 7: stored 2,500, but nothing moved it from the opening 2,000.
    customer(7, "銀座フラワー", 2500, 2000);
    // Customer 8: nothing owed, nothing open: no row.
    customer(8, "休眠", 0, 0);
    booked(305, 8, kStageDelivery, 700);

    const Aging a = runAging(ctx, 310, 1, ctx.env.customerCount);
    ASSERT_TRUE(a.complete);
    ASSERT_EQ(a.rows.size(), 2u);

    const AgingRow& r = a.rows[0];
    EXPECT_EQ(r.customer, 3);
    EXPECT_EQ(r.name, "青山生花");
    EXPECT_EQ(r.openSlips, 9);
    EXPECT_DOUBLE_EQ(r.previous, 1000);
    EXPECT_DOUBLE_EQ(r.ledger, 1000);
    EXPECT_DOUBLE_EQ(r.buckets[0], 4290);   // 1,100 + 2,200 + 990
    EXPECT_DOUBLE_EQ(r.buckets[1], 7700);   // 3,300 + 4,400
    EXPECT_DOUBLE_EQ(r.buckets[2], 12100);  // 5,500 + 6,600
    EXPECT_DOUBLE_EQ(r.buckets[3], 16500);  // 7,700 + 8,800
    EXPECT_DOUBLE_EQ(r.total(), 41590);     // 1,000 + 40,590: what the next bill asks for
    EXPECT_TRUE(r.reconciled());

    const AgingRow& m = a.rows[1];
    EXPECT_EQ(m.customer, 7);
    EXPECT_DOUBLE_EQ(m.previous, 2500);
    EXPECT_DOUBLE_EQ(m.ledger, 2000);
    EXPECT_DOUBLE_EQ(m.total(), 2500);
    EXPECT_FALSE(m.reconciled());

    EXPECT_DOUBLE_EQ(a.totals.previous, 3500);
    EXPECT_DOUBLE_EQ(a.totals.buckets[3], 16500);
    EXPECT_DOUBLE_EQ(a.totals.total(), 44090);

    // The CSV: Shift-JIS, CR LF, the ledger's balance and the check at the end.
    const std::string csv = agingCsv(a);
    const std::string utf8 = cp932::toUtf8(csv);
    EXPECT_NE(utf8.find("\r\n3,青山生花,1000,4290,7700,12100,16500,41590,1000,一致\r\n"), std::string::npos) << utf8;
    EXPECT_NE(utf8.find("\r\n7,銀座フラワー,2500,0,0,0,0,2500,2000,不一致\r\n"), std::string::npos);
    EXPECT_NE(csv, utf8);  // really converted
    ASSERT_TRUE(writeAgingCsv(ctx, a));
    EXPECT_EQ(test::readFile(ctx.programFolder() / "売掛年齢表.Csv").size(), csv.size());

    // A customer range leaves the others out.
    const Aging only7 = runAging(ctx, 310, 5, 9);
    ASSERT_EQ(only7.rows.size(), 1u);
    EXPECT_EQ(only7.rows[0].customer, 7);
}

TEST_F(AgingYear, AMissingPaymentFileGivesNoList) {
    customer(3, "青山生花", 1000, 1000);
    booked(310, 3, kStageProcessed, 1100);
    ASSERT_TRUE(ctx.files.remove(ctx.fileSet[kPayments]));
    const Aging a = runAging(ctx, 310, 1, ctx.env.customerCount);
    EXPECT_FALSE(a.complete);
    EXPECT_TRUE(a.rows.empty());
}

}  // namespace
}  // namespace rk::tables
