// Sales totals, bulk totals and the ledger on small hand-built years.
#include <gtest/gtest.h>

#include "base/cp932.h"
#include "masters/master_io.h"
#include "payments/payment_record.h"
#include "support/installation.h"
#include "tables/bulk_totals.h"
#include "tables/ledger.h"
#include "tables/sales_totals.h"
#include "tables/year_builder.h"

namespace rk::tables {
namespace {

std::string sj(const char* s) { return cp932::fromUtf8(s); }

struct Totals : ::testing::Test {
    test::Installation inst;
    AppContext& ctx = *inst.ctx;
    test::YearBuilder year{ctx.files, ctx.fileSet};

    void customer(int n, const char* name, double balance, double opening = 0, const char* address = "") {
        CustomerRecord c{};
        cp932::assign(c.name, name);
        cp932::assign(c.address, address);
        c.balance = balance;
        c.openingBalance = opening;
        ASSERT_TRUE(masters::writeRecord(ctx.files, ctx.fileSet[kCustomers], n, c));
    }
    // A processed or settled slip with its receivable figures.
    int booked(int date, int customer, int stage, double amount, double tax, double commission, double receivable) {
        const int r = year.slip(date, customer, stage, {{.quantity = 1, .amount = amount}});
        year.change(r, [&](SlipHeader& h) {
            h.tax = tax;
            h.commission = commission;
            h.receivable = receivable;
            h.deductions[1] = 10;
            h.taxDebit = 510;
            h.taxCredit = 110;
        });
        return r;
    }
    void payment(PaymentRecord p) { ASSERT_TRUE(ctx.files.append(ctx.fileSet[kPayments], bytesOf(p))); }
    double storedBalance(int n) {
        CustomerRecord c{};
        (void)masters::readRecord(ctx.files, ctx.fileSet[kCustomers], n, c);
        return c.balance;
    }
};

TEST_F(Totals, SalesTotalsBySelectionAndTheirCsv) {
    customer(1, "青山花店", 5000, 0, "東京都港区");
    customer(2, "残高だけ", 700);
    booked(301, 1, kStageProcessed, 1000, 100, 50, 1040);
    booked(302, 1, kStageSettled, 2000, 200, 0, 2190);
    booked(303, 1, kStageDelivery, 9000, 0, 0, 0);
    booked(1201, 3, kStageSettled, 500, 50, 0, 540);  // outside the range below

    SalesTotals t = runSalesTotals(ctx, 101, 1130);
    const CustomerTotals& all = t.of(SlipSelection::All)[1];
    EXPECT_DOUBLE_EQ(all.sales, 3300);
    EXPECT_DOUBLE_EQ(all.commission, 50);
    EXPECT_DOUBLE_EQ(all.expenses, 20);
    EXPECT_EQ(all.slips, 2);
    EXPECT_EQ(t.of(SlipSelection::Settled)[1].slips, 1);
    EXPECT_DOUBLE_EQ(t.of(SlipSelection::Processed)[1].sales, 1100);
    EXPECT_EQ(t.totalOf(SlipSelection::All).slips, 2);
    EXPECT_EQ(selectionOf(true, false), SlipSelection::Processed);
    EXPECT_EQ(selectionOf(false, true), SlipSelection::Settled);

    ASSERT_TRUE(writeSalesTotalsCsv(ctx, t, SlipSelection::All, ctx.programFolder() / "s.Csv"));
    auto bytes = ctx.files.readAll(ctx.programFolder() / "s.Csv");
    ASSERT_TRUE(bytes);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes->data()), bytes->size()),
              sj("     No,得意先名,得意先所在地,税込み売上,市場手数料,販売費合計,差し引き額,前期残高,合計額,伝票数 ") +
                  "\r\n" + sj("  ,   , 合計 , 3300 , 50 , 20 , 3230 , 5700 , 8930 , 2 ") + "\r\n" + "   1 , " +
                  sj("青山花店") + "," + sj("東京都港区") + ",  " + " 3300 , 50 , 20 , 3230 , 5000 , 8230 , 2  \r\n" +
                  "   2 , " + sj("残高だけ") + ",,  " + " 0 , 0 , 0 , 0 , 700 , 700 , 0  \r\n");
}

TEST_F(Totals, AccountCodeFiles) {
    const int s = booked(405, 4, kStageSettled, 300, 30, 5, 315);
    year.change(s, [](SlipHeader& h) { h.lineCount = 0; });  // a slip without lines still books its tax
    PaymentRecord p{};
    p.customer = 4;
    p.date = 410;
    p.paid = 315;
    p.fee = 0;
    p.paidDebit = 120;
    p.paidCredit = 130;
    payment(p);
    p.date = -411;
    payment(p);
    AccountCodeFiles f = accountCodeFiles(ctx, 101, 1231);
    EXPECT_EQ(f.goods, sj(" 属性,得意先No,  月日,  行No,消費税額, 商品額,借方ｺｰﾄﾞ,貸方ｺｰﾄﾞ ") + "\r\n" +
                           " 2, 4,  405,  0, 30, 0, 510, 110  \r\n");
    EXPECT_NE(f.expenses.find(
                  "\r\n 3, 4, 405, 300, 30, 510, 110, 5, 0, 0, 0, 0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 \r\n"),
              std::string::npos);
    EXPECT_NE(f.payments.find("\r\n 4, 410, 315, 120, 130, 0, 0, 0  \r\n"), std::string::npos);
    EXPECT_EQ(f.payments.find("411"), std::string::npos);
}

TEST_F(Totals, BulkTotalsPerStageWithConditions) {
    customer(6, "白百合", 0);
    year.slip(501, 6, kStageOrder, {{.product = 2, .quantity = 0, .amount = 0, .ordered = 12}});
    year.slip(502, 6, kStageDelivery,
              {{.product = 2, .quantity = 9, .amount = 900, .delivered = 10, .boxes = 0.5},
               {.product = 3, .quantity = 4, .amount = 800, .delivered = 4, .boxes = 2}});
    year.slip(503, 6, kStageSettled, {{.product = 5, .quantity = 1, .amount = 100, .delivered = 1}});
    year.slip(504, 8, kStageProcessed, {{.product = 7, .quantity = 1, .amount = 100}});
    ConditionSet c;
    c.of(kByProduct) = {2, 0, 0, 0, 0, 5};
    BulkTotals t = runBulkTotals(ctx, 101, 1231, c);

    EXPECT_DOUBLE_EQ(t.stages[kStageOrder][6].ordered, 12);
    EXPECT_EQ(t.stages[kStageDelivery][6].lines, 2);
    EXPECT_DOUBLE_EQ(t.stages[kStageDelivery][6].boxes, 2);  // the half box does not count
    EXPECT_DOUBLE_EQ(t.stages[kStageDelivery][6].boxAmount, 800);
    EXPECT_DOUBLE_EQ(t.stages[kStageDelivery][6].difference(), 1);
    EXPECT_TRUE(t.stages[kStageProcessed][8].empty());  // product 7 is not wanted

    const StageSelection orders{true, false, false, false};
    EXPECT_TRUE(onlyOrders(orders));
    EXPECT_DOUBLE_EQ(bulkFigures(t, orders, 6).first, 12);
    BulkFigures later = bulkFigures(t, {false, true, true, true}, 6);
    EXPECT_DOUBLE_EQ(later.first, 15);
    EXPECT_DOUBLE_EQ(later.quantity, 14);
    EXPECT_EQ(later.lines, 3);

    std::vector<CustomerRecord> customers(1000);
    cp932::assign(customers[6].name, "白百合");
    EXPECT_EQ(bulkCsv(t, orders, customers, Edition::Sales),
              sj("No,得意先名,受注量,販売量,量　差,平均単価,売上額,伝票数,箱数,箱額,箱単価 ") + "\r\n" + "6 ," +
                  sj("白百合") + ", 12, 0, 0, 0, 0, 1, 0, 0, 0 \r\n" + sj("  , 合計") +
                  ", 12, 0, 0, 0, 0, 1, 0, 0, 0 \r\n");
    EXPECT_EQ(bulkCsv(t, {false, true, false, false}, customers, Edition::Sales)
                  .find(sj("白百合") + ", 14, 13, 1, 130, 1700, 2, 2, 800, 400 \r\n"),
              sj("No,得意先名,出荷量,販売量,量　差,平均単価,売上額,伝票数,箱数,箱額,箱単価 ").size() + 2 + 3);
}

TEST_F(Totals, LedgerRunningBalanceAndCorrection) {
    customer(5, "花の里", 900, 1000);
    booked(601, 5, kStageProcessed, 480, 20, 0, 500);
    booked(602, 5, kStageSettled, 290, 10, 0, 300);
    PaymentRecord p{};
    p.customer = 5;
    p.date = 602;
    p.paid = 200;
    p.fee = 100;
    payment(p);
    ScriptedDialogs d;
    Ledger l = runLedger(ctx, 5, d);
    ASSERT_EQ(l.entries.size(), 3u);
    EXPECT_FALSE(l.entries[1].payment);  // the slip of the payment's day comes first
    EXPECT_TRUE(l.entries[2].payment);
    EXPECT_DOUBLE_EQ(l.entries[0].balance, 1500);
    EXPECT_DOUBLE_EQ(l.entries[1].balance, 1800);
    EXPECT_DOUBLE_EQ(l.entries[2].balance, 1500);
    EXPECT_DOUBLE_EQ(l.settledTotal, 300);
    EXPECT_DOUBLE_EQ(l.paymentTotal, 300);
    EXPECT_DOUBLE_EQ(l.computed(), 1000);

    d.answers = {Answer::No};
    EXPECT_EQ(offerCorrection(ctx, l, d), Correction::Declined);
    EXPECT_DOUBLE_EQ(storedBalance(5), 900);
    EXPECT_EQ(d.shown.back(),
              "現在前回残高          900 円\n決済伝票総額          300 円\n入金総額　　            300 円\n"
              "算出前期残高         1000 円\n \n現在前回残高 を修正しますか");
    d.answers = {Answer::Yes};
    EXPECT_EQ(offerCorrection(ctx, l, d), Correction::Written);
    EXPECT_DOUBLE_EQ(storedBalance(5), 1000);
    EXPECT_EQ(offerCorrection(ctx, runLedger(ctx, 5, d), d), Correction::Agrees);

    // No slips, no payments: the opening balance is the computed one.
    customer(9, "新規", 50, 0);
    Ledger empty = runLedger(ctx, 9, d);
    EXPECT_TRUE(empty.entries.empty());
    EXPECT_DOUBLE_EQ(empty.computed(), 0);
}

TEST_F(Totals, LedgerGroupPaymentAgreesForRepresentativeAndMember) {
    customer(10, "代表", 0, 0);
    customer(11, "メンバー", 0, 400);  // its 400 went to the representative's payment
    const int own = booked(701, 10, kStageSettled, 100, 0, 0, 100);
    const int members = booked(702, 11, kStageSettled, 250, 0, 0, 250);
    PaymentRecord p{};
    p.customer = 10;
    p.date = 710;
    p.paid = 750;
    p.slipCount = 2;
    p.slips[1] = own;
    p.slips[2] = members;
    p.memberCount = 1;
    p.members[0] = 11;
    p.memberBalanceChange[0] = -400;
    payment(p);
    ScriptedDialogs d;
    Ledger rep = runLedger(ctx, 10, d);
    EXPECT_DOUBLE_EQ(rep.computed(), 0);
    EXPECT_DOUBLE_EQ(rep.entries.back().group, 650);
    EXPECT_DOUBLE_EQ(rep.entries.back().balance, 0);
    Ledger member = runLedger(ctx, 11, d);
    EXPECT_DOUBLE_EQ(member.computed(), 0);
    EXPECT_DOUBLE_EQ(member.entries.back().group, -650);
    EXPECT_DOUBLE_EQ(member.entries.back().balance, 0);
    EXPECT_EQ(offerCorrection(ctx, rep, d), Correction::Agrees);
    EXPECT_EQ(offerCorrection(ctx, member, d), Correction::Agrees);
    EXPECT_TRUE(d.shown.empty());

    // A member count beyond 62 is reported once with the last such record.
    p.memberCount = 70;
    p.date = 712;
    payment(p);
    p.date = 713;
    payment(p);
    runLedger(ctx, 11, d);
    ASSERT_EQ(d.shown.size(), 1u);
    EXPECT_EQ(d.shown[0].substr(0, d.shown[0].find('\n')), "得意先No  10  入金日  713  ﾒﾝﾊﾞｰ数  70  ");
    EXPECT_NE(d.shown[0].find("他に  1  件"), std::string::npos);
}

}  // namespace
}  // namespace rk::tables
