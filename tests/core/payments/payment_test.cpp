// Payments settle processed slips, move balances and leave a record that deletion undoes
// exactly: checked byte for byte against the files before the payment.
#include <gtest/gtest.h>

#include <cstring>

#include "payments/billing.h"
#include "payments/messages.h"
#include "payments/payment_builders.h"
#include "payments/payment_entry.h"
#include "payments/payment_list.h"
#include "payments/slip_payment.h"
#include "platform/deferred_sync_file_system.h"
#include "support/installation.h"

namespace rk::test {
namespace {

using payments::Outcome;

struct Files {
    Bytes headers, index2, customers, payments;
};

Files snapshot(const Installation& inst) {
    return {inst.bytes(kSlipHeaders), inst.bytes(kIndex2),
            inst.ctx->files.readAll(inst.ctx->fileSet[kCustomers]).value_or(Bytes{}), inst.bytes(kPayments)};
}

double receivableOf(AppContext& ctx, int slip) {
    return headerAt(ctx.files, ctx.fileSet[kSlipHeaders], slip).receivable;
}

// Representative 1 with members 2 and 3, single customer 4; slips of January and one of
// February that the period leaves out.
struct GroupYear : ::testing::Test {
    Installation inst;
    AppContext& ctx = *inst.ctx;
    int a1 = 0, a2 = 0, b1 = 0, c1 = 0, d1 = 0;

    void SetUp() override {
        putCustomer(ctx, 1, "花咲生花店", 1000, 2, {2, 3});
        putCustomer(ctx, 2, "花咲二号店", 500, -1);
        putCustomer(ctx, 3, "花咲三号店", 250, -1);
        putCustomer(ctx, 4, "緑園芸", 80);
        a1 = processedSlip(ctx, 110, 1);
        a2 = processedSlip(ctx, 120, 1, 3);
        b1 = processedSlip(ctx, 115, 2);
        c1 = processedSlip(ctx, 205, 3);
        d1 = processedSlip(ctx, 112, 4);
    }
};

TEST_F(GroupYear, GroupPaymentSettlesEverySlipAndDeletionRestoresTheFiles) {
    const Files before = snapshot(inst);
    const double period = receivableOf(ctx, a1) + receivableOf(ctx, a2) + receivableOf(ctx, b1);

    payments::PaymentEntry e(ctx, inst.dialogs);
    e.setStart(1);
    e.setEnd(1);  // a bare month ends on its last day; the payment is dated there
    EXPECT_EQ(e.periodEnd(), 131);
    EXPECT_EQ(e.date(), 131);
    EXPECT_EQ(e.table().of(1).count(), 2);
    EXPECT_EQ(e.table().of(3).count(), 0);  // February is outside
    ASSERT_TRUE(e.choose(1));
    ASSERT_EQ(e.members(), (std::vector<int>{2, 3}));
    EXPECT_EQ(e.previousBalance(), 1750);
    EXPECT_EQ(e.periodAmount(), period);
    EXPECT_EQ(e.billed(), 1750 + period);
    EXPECT_EQ(e.paid(), e.billed());
    EXPECT_EQ(e.slipCount(), 3);
    e.feeTyped(300);
    EXPECT_EQ(e.paid(), e.billed() - 300);
    e.paidTyped(e.billed() - 1000);
    EXPECT_EQ(e.remainder(), 700);
    EXPECT_EQ(e.account(payments::Account::PaidDebit), 102);  // the customer's payment account
    ASSERT_EQ(e.record(), Outcome::Ok);
    EXPECT_EQ(e.customer(), 0);
    EXPECT_EQ(e.table().of(1).count(), 0);

    const FileSet& f = ctx.fileSet;
    for (int s : {a1, a2, b1}) {
        SlipHeader h = headerAt(ctx.files, f[kSlipHeaders], s);
        EXPECT_EQ(h.stage, kStageSettled);
        EXPECT_EQ(h.settlementDate, 131);
        EXPECT_EQ(entryAt(ctx.files, f[kIndex2], s).first, kStageSettled);
    }
    for (int s : {c1, d1}) EXPECT_EQ(headerAt(ctx.files, f[kSlipHeaders], s).stage, kStageProcessed);
    EXPECT_EQ(customerAt(ctx, 1).balance, 700);
    EXPECT_EQ(customerAt(ctx, 2).balance, 0);
    EXPECT_EQ(customerAt(ctx, 3).balance, 0);  // a member's balance is settled even without slips
    EXPECT_EQ(customerAt(ctx, 4).balance, 80);

    ASSERT_EQ(ctx.files.size(f[kPayments]).value_or(0), 2 * 2432u);
    const PaymentRecord p = paymentAt(ctx, 1);
    EXPECT_EQ(cp932::toUtf8(p.customerName), "花咲生花店");
    EXPECT_EQ(p.customer, 1);
    EXPECT_EQ(p.date, 131);
    EXPECT_EQ(p.slipCount, 3);
    EXPECT_EQ(p.fee, 300);
    EXPECT_EQ(p.paid, 1750 + period - 1000);
    EXPECT_EQ(p.slips[0], -1);
    EXPECT_EQ((std::vector<int>{p.slips[1], p.slips[2], p.slips[3], p.slips[4]}), (std::vector<int>{a1, a2, b1, -1}));
    EXPECT_EQ(p.slips[255], -1);
    EXPECT_EQ(p.memberCount, 2);
    EXPECT_EQ(p.members[0], 2);
    EXPECT_EQ(p.members[1], 3);
    EXPECT_EQ(p.members[2], 0);
    EXPECT_EQ(p.balanceChange, -300);
    EXPECT_EQ(p.memberBalanceChange[0], -500);
    EXPECT_EQ(p.memberBalanceChange[1], -250);
    EXPECT_EQ(p.feeDebit, ctx.env.debit[payments::kFeeRow]);
    EXPECT_EQ(p.paidCredit, ctx.env.credit[payments::kPaymentRow]);
    EXPECT_TRUE(indexesAgree(ctx.files, f));

    payments::PaymentList list(ctx, inst.dialogs);
    list.aggregate();
    ASSERT_EQ(list.entries().size(), 1u);
    EXPECT_EQ(list.paidTotal(), p.paid);
    inst.dialogs.answers = {Answer::Yes};
    ASSERT_EQ(list.remove(0), Outcome::Ok);
    EXPECT_TRUE(list.entries()[0].deleted());
    EXPECT_EQ(list.remove(0), Outcome::Nothing);  // deleting twice does nothing

    // Everything as before, but the payment's date negated and the slips' settlement date -1.
    const Files after = snapshot(inst);
    EXPECT_EQ(after.customers, before.customers);
    EXPECT_EQ(after.index2, before.index2);
    Bytes expected = before.headers;
    for (int s : {a1, a2, b1}) writeI32(expected, static_cast<size_t>(s) * 768 + 80, -1);
    EXPECT_EQ(after.headers, expected);
    ASSERT_EQ(after.payments.size(), 2 * 2432u);
    EXPECT_TRUE(std::equal(before.payments.begin(), before.payments.end(), after.payments.begin()));
    EXPECT_EQ(paymentAt(ctx, 1).date, -131);
    list.aggregate();
    EXPECT_TRUE(list.entries().empty());  // a deleted payment is never listed

    // The slips are payable again.
    payments::PaymentEntry again(ctx, inst.dialogs);
    again.setEnd(1);
    EXPECT_EQ(again.table().of(1).count(), 2);
}

TEST_F(GroupYear, RemovedMemberKeepsItsSlipsAndBalance) {
    payments::PaymentEntry e(ctx, inst.dialogs);
    e.setEnd(1);
    ASSERT_TRUE(e.choose(1));
    e.removeMember(0);  // customer 2
    EXPECT_EQ(e.members(), std::vector<int>{3});
    EXPECT_EQ(e.previousBalance(), 1250);
    EXPECT_EQ(e.slipCount(), 2);
    ASSERT_EQ(e.record(), Outcome::Ok);
    EXPECT_EQ(headerAt(ctx.files, ctx.fileSet[kSlipHeaders], b1).stage, kStageProcessed);
    EXPECT_EQ(customerAt(ctx, 2).balance, 500);
    EXPECT_EQ(customerAt(ctx, 3).balance, 0);
    EXPECT_EQ(customerAt(ctx, 1).balance, 0);
    EXPECT_EQ(paymentAt(ctx, 1).memberCount, 1);
}

TEST_F(GroupYear, SlipPaymentAddsTheRemainderAndDeletionTakesItBack) {
    const Files before = snapshot(inst);
    ScriptedDialogs d;
    CFq7Doc doc(ctx, d);
    doc.setInputMode(2);
    ASSERT_TRUE(doc.loadRecord(d1));
    const auto processing = receivables::fromHeader(doc.header);
    doc.readCustomer(4);
    payments::SlipPaymentValues v = payments::startSlipPayment(doc.header, doc.customer, ctx.env, ctx.edition);
    EXPECT_EQ(v.billed, doc.header.receivable);
    EXPECT_EQ(v.paid, v.billed);
    EXPECT_EQ(v.date, 112);
    EXPECT_EQ(v.paidDebit, 102);
    v.feeTyped(300);
    EXPECT_EQ(v.paid, v.billed - 300);
    v.paidTyped(v.billed - 800, false);
    EXPECT_EQ(v.remainder, 500);
    EXPECT_EQ(v.billed, v.fee + v.paid + v.remainder);
    int number = 0;
    ASSERT_EQ(payments::paySlip(doc, processing, v, ctx, d, &number), Outcome::Ok);
    EXPECT_EQ(number, 1);
    EXPECT_EQ(doc.recordNumber(), -1);  // cleared for the next slip

    SlipHeader h = headerAt(ctx.files, ctx.fileSet[kSlipHeaders], d1);
    EXPECT_EQ(h.stage, kStageSettled);
    EXPECT_EQ(h.settlementDate, 112);
    EXPECT_EQ(customerAt(ctx, 4).balance, 580);
    PaymentRecord p = paymentAt(ctx, 1);
    EXPECT_EQ(p.slipCount, 1);
    EXPECT_EQ(p.slips[1], d1);
    EXPECT_EQ(p.slips[2], -1);
    EXPECT_EQ(p.balanceChange, 500);  // where deletion looks for it
    EXPECT_EQ(p.workingFigures[0], v.fee + v.paid);
    EXPECT_EQ(p.memberCount, 0);

    // A slip settled by itself is not billed again.
    payments::PaymentEntry e(ctx, inst.dialogs);
    e.setEnd(1);
    EXPECT_EQ(e.table().of(4).count(), 0);

    ASSERT_EQ(payments::deletePayment(ctx, d, 1), Outcome::Ok);
    EXPECT_EQ(customerAt(ctx, 4).balance, 80);
    const Files after = snapshot(inst);
    EXPECT_EQ(after.customers, before.customers);
    EXPECT_EQ(after.index2, before.index2);
    EXPECT_EQ(headerAt(ctx.files, ctx.fileSet[kSlipHeaders], d1).stage, kStageProcessed);
    // Settling a settled slip again is refused before anything is written.
    doc.loadRecord(d1);
    doc.header.stage = kStageSettled;
    EXPECT_FALSE(payments::mayPaySlip(doc.header, false, ctx, d));
    EXPECT_EQ(d.shown.back(), msg::kAlreadyPaidSales);
}

TEST_F(GroupYear, RecordingRefusesAndWritesNothing) {
    const Files before = snapshot(inst);
    auto refused = [&](payments::PaymentEntry& e, const char* text) {
        inst.dialogs.shown.clear();
        EXPECT_EQ(e.record(), Outcome::Refused);
        EXPECT_EQ(inst.dialogs.shown, std::vector<std::string>{text});
    };
    {
        payments::PaymentEntry e(ctx, inst.dialogs);
        e.setEnd(1);
        refused(e, msg::kNoCustomer);
        ASSERT_TRUE(e.choose(4));
        ctx.settings.inputYear = 2027;
        refused(e, msg::kClosedYearEntry);
        ctx.settings.inputYear = 2026;
        ctx.memberNumber = 10;
        refused(e, msg::kMemberStation);
        ctx.memberNumber = 0;
    }
    {
        payments::PaymentEntry e(ctx, inst.dialogs);  // never aggregated: no payment date
        ASSERT_TRUE(e.choose(4));
        refused(e, msg::kNoPaymentDate);
        EXPECT_FALSE(e.choose(0));
        EXPECT_FALSE(e.choose(ctx.env.customerCount + 1));
    }
    {
        // A slip changed after the aggregation: the payment asks for a new one.
        payments::PaymentEntry e(ctx, inst.dialogs);
        e.setEnd(1);
        ASSERT_TRUE(e.choose(1));
        ScriptedDialogs d;
        CFq7Doc doc(ctx, d);
        ASSERT_TRUE(doc.loadRecord(b1));
        doc.header.deductions[0] = 100;
        doc.header.receivable -= 100;
        ASSERT_EQ(doc.record(), CFq7Doc::WriteResult::Ok);
        const Files changed = snapshot(inst);
        inst.dialogs.shown.clear();
        EXPECT_EQ(e.record(), Outcome::Stale);
        EXPECT_EQ(inst.dialogs.shown, std::vector<std::string>{msg::kSlipsChanged});
        EXPECT_EQ(snapshot(inst).headers, changed.headers);
        EXPECT_EQ(snapshot(inst).customers, before.customers);
        EXPECT_EQ(snapshot(inst).payments, before.payments);
        e.aggregateAgain();
        ASSERT_TRUE(e.choose(1));
        EXPECT_EQ(e.record(), Outcome::Ok);
    }
}

TEST(PaymentTable, SlotLimitStopsTheWalkAndTheCutTableIsNotRecorded) {
    Installation inst;
    AppContext& ctx = *inst.ctx;
    putCustomer(ctx, 5, "大口花店", 0);
    ScriptedDialogs d;
    DeferredSyncFileSystem bulk;
    auto quick = inst.contextWith(bulk);
    CFq7Doc doc(*quick, d);
    // Ninety-nine processed slips of one customer, written as processing leaves them.
    for (int i = 0; i < 99; ++i) {
        newSlip(doc, 101 + (i / 28) * 100 + i % 28, 5, 1, kStageProcessed);
        doc.header.amount = doc.header.receivable = 1000;
        ASSERT_EQ(doc.record(), CFq7Doc::WriteResult::Ok);
    }
    ASSERT_TRUE(bulk.syncAll());
    payments::PaymentEntry e(ctx, inst.dialogs);
    e.setStart(101);
    e.setEnd(414);  // the first 98 slips
    EXPECT_FALSE(e.table().cutOff);
    EXPECT_EQ(e.table().of(5).count(), 98);
    EXPECT_EQ(e.table().of(5).sums.billed, 98000);
    e.setEnd(1231);
    EXPECT_TRUE(e.table().cutOff);
    EXPECT_EQ(e.table().of(5).count(), 98);
    ASSERT_TRUE(e.choose(5));
    EXPECT_EQ(e.record(), Outcome::Refused);
    EXPECT_EQ(inst.dialogs.shown.back(), msg::kReferenceOnly);
    EXPECT_EQ(ctx.files.size(ctx.fileSet[kPayments]).value_or(0), 2432u);

    // The account file lists two lines per slip after its head line, CR LF ended.
    auto csv = ctx.files.readAll(payments::accountCsvFile(ctx)).value_or(Bytes{});
    std::string text(reinterpret_cast<const char*>(csv.data()), csv.size());
    size_t lines = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++lines;
    EXPECT_EQ(lines, 1u + 2 * 98);
    EXPECT_NE(text.find(" 1, 5,  101,  0, 0, 1000, "), std::string::npos);
}

TEST(PaymentDates, PeriodDefaultsAndPaymentDatesAreRealDays) {
    Installation inst;
    AppContext& ctx = *inst.ctx;
    ctx.settings.firstMonth = 5;
    payments::PaymentEntry e(ctx, inst.dialogs);
    EXPECT_EQ(e.periodStart(), 501);
    EXPECT_EQ(e.periodEnd(), 430);  // the month's last day, not 4/31
    e.setDate(1300);
    EXPECT_EQ(e.date(), 1231);
    e.setDate(50);
    EXPECT_EQ(e.date(), 101);
    e.setDate(231);
    EXPECT_EQ(e.date(), 229);
    e.setAccount(payments::Account::FeeDebit, 650);
    EXPECT_EQ(e.account(payments::Account::FeeDebit), ctx.env.debit[payments::kFeeRow]);
    // The name search reaches the last customer.
    putCustomer(ctx, ctx.env.customerCount, "末尾花店", 0);
    putCustomer(ctx, 3, "末尾園芸", 0);
    EXPECT_EQ(e.search("末尾"), (std::vector<int>{3, ctx.env.customerCount}));
    EXPECT_TRUE(payments::inPeriod(115, 1201, 131, 5));  // January after December in a May year
    EXPECT_FALSE(payments::inPeriod(415, 501, 131, 5));
}

}  // namespace
}  // namespace rk::test
