// The booking edit, joining another payment file and the customer claim between stations.
#include <gtest/gtest.h>

#include "app/lan_station.h"
#include "payments/messages.h"
#include "payments/payment_builders.h"
#include "payments/payment_entry.h"
#include "payments/payment_list.h"
#include "support/installation.h"

namespace rk::test {
namespace {

using payments::Outcome;

struct OnePayment : ::testing::Test {
    Installation inst;
    AppContext& ctx = *inst.ctx;
    int s1 = 0, s2 = 0;

    void SetUp() override {
        putCustomer(ctx, 7, "山手フラワー", 0);
        s1 = processedSlip(ctx, 305, 7);
        s2 = processedSlip(ctx, 320, 7);
        payments::PaymentEntry e(ctx, inst.dialogs);
        e.setStart(3);
        e.setEnd(3);
        ASSERT_TRUE(e.choose(7));
        ASSERT_EQ(e.record(), Outcome::Ok);
    }
};

TEST_F(OnePayment, EditRewritesBookingAndTheSlipsSettlementDate) {
    payments::PaymentList list(ctx, inst.dialogs);
    list.aggregate();
    ASSERT_EQ(list.entries().size(), 1u);
    const PaymentRecord before = paymentAt(ctx, 1);
    payments::Booking b{.feeDebit = 521, .feeCredit = 650, .paidDebit = 103, .paidCredit = 99, .date = 4};
    ASSERT_EQ(list.edit(0, b), Outcome::Ok);
    const PaymentRecord after = paymentAt(ctx, 1);
    EXPECT_EQ(after.feeDebit, 521);
    EXPECT_EQ(after.feeCredit, before.feeCredit);  // outside the items: kept
    EXPECT_EQ(after.paidDebit, 103);
    EXPECT_EQ(after.paidCredit, before.paidCredit);
    EXPECT_EQ(after.date, 401);  // a bare month is its first day
    EXPECT_EQ(list.entries()[0].date, 401);
    EXPECT_EQ(after.paid, before.paid);
    for (int s : {s1, s2}) EXPECT_EQ(headerAt(ctx.files, ctx.fileSet[kSlipHeaders], s).settlementDate, 401);

    // Deletion still finds the slips it settled.
    inst.dialogs.answers = {Answer::Yes};
    ASSERT_EQ(list.remove(0), Outcome::Ok);
    for (int s : {s1, s2}) EXPECT_EQ(headerAt(ctx.files, ctx.fileSet[kSlipHeaders], s).stage, kStageProcessed);
}

TEST_F(OnePayment, JoinAppendsOtherPaymentsOnceAndLinksTheirSlips) {
    // Another station's payment file: this one's payment, as a copy.
    const fs::path other = inst.folder.path() / "other" / "F7dc2026.FT2";
    fs::create_directories(other.parent_path());
    fs::copy_file(ctx.fileSet[kPayments], other);
    int appended = 0;
    ASSERT_EQ(payments::joinPayments(ctx, inst.dialogs, other, &appended), Outcome::Refused)  // already here
        << ::testing::PrintToString(inst.dialogs.shown);
    EXPECT_EQ(inst.dialogs.shown.back(), msg::kJoinAlreadyJoined);

    PaymentRecord p = paymentAt(ctx, 1);
    p.date = 330;
    ASSERT_TRUE(ctx.files.write(other, 2432, bytesOf(p)));
    ASSERT_EQ(payments::joinPayments(ctx, inst.dialogs, other, &appended), Outcome::Ok);
    EXPECT_EQ(appended, 1);
    EXPECT_EQ(paymentAt(ctx, 2).date, 330);
    for (int s : {s1, s2}) EXPECT_EQ(headerAt(ctx.files, ctx.fileSet[kSlipHeaders], s).paymentLink, 2);
    EXPECT_EQ(payments::joinPayments(ctx, inst.dialogs, other, &appended), Outcome::Refused);
    EXPECT_EQ(payments::joinPayments(ctx, inst.dialogs, ctx.fileSet[kPayments], &appended), Outcome::Refused);
    EXPECT_EQ(inst.dialogs.shown.back(), msg::kJoinSameFile);
    ctx.settings.inputYear = 2027;
    EXPECT_EQ(payments::joinPayments(ctx, inst.dialogs, other, &appended), Outcome::Refused);
    EXPECT_EQ(inst.dialogs.shown.back(), msg::kJoinClosedYear);
    EXPECT_EQ(ctx.files.size(ctx.fileSet[kPayments]).value_or(0), 3 * 2432u);
}

TEST(PaymentStations, ClaimedCustomerIsRefusedToTheOtherStationUntilReleased) {
    Installation inst;
    putCustomer(*inst.ctx, 9, "駅前花店", 0);
    const int slip = processedSlip(*inst.ctx, 210, 9);
    auto server = inst.contextWith(realFileSystem());
    auto client = inst.contextWith(realFileSystem());
    server->settings.lanMode = 1;
    client->settings.lanMode = 2;
    ScriptedDialogs ds, dc;
    LanStation hs, hc;
    ASSERT_EQ(hs.registerAtStart(*server, ds), StationStart::Continue);
    ASSERT_EQ(hc.registerAtStart(*client, dc), StationStart::Continue);

    payments::PaymentEntry a(*server, ds), b(*client, dc);
    a.setEnd(2);
    b.setEnd(2);
    ASSERT_TRUE(a.choose(9));
    EXPECT_FALSE(b.choose(9));
    EXPECT_EQ(dc.shown.back(), msg::kCustomerBusy);
    // Deleting a payment of a claimed customer is refused the same way.
    ASSERT_EQ(a.record(), Outcome::Ok);
    EXPECT_EQ(headerAt(server->files, server->fileSet[kSlipHeaders], slip).stage, kStageSettled);
    // Recording released the claim; the other station now finds nothing left to settle.
    ASSERT_TRUE(b.choose(9));
    EXPECT_EQ(b.record(), Outcome::Stale);
    EXPECT_EQ(server->files.size(server->fileSet[kPayments]).value_or(0), 2 * 2432u);

    b.release();
    payments::PaymentEntry c(*server, ds);
    ASSERT_TRUE(c.choose(9));
    payments::PaymentList list(*client, dc);
    list.aggregate();
    ASSERT_EQ(list.entries().size(), 1u);
    dc.answers = {Answer::Yes};
    EXPECT_EQ(list.remove(0), Outcome::Refused);
    EXPECT_EQ(dc.shown.back(), msg::kCustomerBusy);
    c.release();
    dc.answers = {Answer::Yes};
    EXPECT_EQ(list.remove(0), Outcome::Ok);
    bool backup = false;
    hc.unregisterAtExit(*client, dc, backup);
    hs.unregisterAtExit(*server, ds, backup);
}

}  // namespace
}  // namespace rk::test
