#include <gtest/gtest.h>

#include <cstring>

#include "masters/master_io.h"
#include "receivables/messages.h"
#include "receivables/processing.h"
#include "slips/slip_builders.h"
#include "support/faulty_file_system.h"
#include "support/installation.h"

namespace rk::test {
namespace {

using namespace receivables;

CustomerRecord customerWith(double rate, int32_t method) {
    CustomerRecord c{};
    c.commissionRate = rate;
    c.commissionRounding = method;
    return c;
}

TEST(ReceivableArithmetic, TaxAndCommissionUnderEachRoundingMethod) {
    EXPECT_EQ(taxOf(10000, 5), 500);
    EXPECT_EQ(taxOf(10019, 5), 500);  // 500.95 truncated
    // 8.5 % of 10,500 is 892.5.
    EXPECT_EQ(commissionOf(10500, 8.5, kRoundUp), 893);
    EXPECT_EQ(commissionOf(10500, 8.5, kRoundHalfUp), 893);
    EXPECT_EQ(commissionOf(10500, 8.5, kTruncate), 892);
    // 8.4 % of 10,500 is 882: nothing to round.
    for (int32_t m : {kRoundUp, kRoundHalfUp, kTruncate}) EXPECT_EQ(commissionOf(10500, 8.4, m), 882) << m;
    // 8.45 % of 10,500 is 887.25.
    EXPECT_EQ(commissionOf(10500, 8.45, kRoundUp), 888);
    EXPECT_EQ(commissionOf(10500, 8.45, kRoundHalfUp), 887);
    // Binary noise never decides: 1.1 x 100,000 and 2.3 x 100,000 are not exact doubles.
    EXPECT_EQ(commissionOf(100000, 1.1, kRoundUp), 1100);
    EXPECT_EQ(commissionOf(100000, 2.3, kTruncate), 2300);
    EXPECT_EQ(commissionOf(100000, 2.3, kRoundHalfUp), 2300);
    // A method the customer window never stores truncates.
    EXPECT_EQ(commissionOf(10500, 8.5, 7), 892);
}

TEST(ReceivableArithmetic, ReturnSlipsMirrorTheSale) {
    EXPECT_EQ(taxOf(-10000, 5), -500);
    EXPECT_EQ(commissionOf(-10500, 8.5, kRoundUp), -893);
    EXPECT_EQ(commissionOf(-10500, 8.5, kRoundHalfUp), -893);
    EXPECT_EQ(commissionOf(-10500, 8.5, kTruncate), -892);

    SlipHeader h{};
    h.stage = kStageDelivery;
    h.amount = -10000;
    BasicSettings s{};
    s.taxRate = 5.9;  // used as a whole 5 %
    Start st = start(h, 0, customerWith(8.5, kRoundUp), s, defaultEnvironment(Edition::Sales));
    EXPECT_EQ(st.values.tax, -500);
    EXPECT_EQ(st.values.taxIncluded(), -10500);
    EXPECT_EQ(st.values.commission, -893);
    EXPECT_EQ(st.values.receivable(), -9607);
}

TEST(ReceivableArithmetic, TypedCommissionGivesTheRateAndZeroDividesNothing) {
    Processing p;
    p.amount = 10000;
    p.tax = 500;
    commissionTyped(p, 1000);
    EXPECT_NEAR(p.rate, 9.5238, 1e-4);
    p.deductions[0] = 300;
    p.deductions[4] = 200;
    EXPECT_EQ(p.receivable(), 10500 - 1000 - 500);

    // A forced processing of a slip without an amount: no rate out of a zero division.
    Processing zero;
    commissionTyped(zero, 50);
    EXPECT_EQ(zero.rate, 0);
    EXPECT_EQ(zero.receivable(), -50);
    rateTyped(zero, 8.5, kRoundUp);
    EXPECT_EQ(zero.commission, 0);
}

TEST(ReceivableArithmetic, FirstProcessingTakesRateAndDefaultAccounts) {
    SlipHeader h{};
    h.stage = kStageDelivery;
    h.amount = 10000;
    BasicSettings s{};
    s.taxRate = 5;
    const EnvironmentBlock env = defaultEnvironment(Edition::Sales);
    Start st = start(h, 0, customerWith(8.5, kTruncate), s, env);
    const Processing& p = st.values;
    EXPECT_FALSE(st.amountChanged);
    EXPECT_EQ(p.tax, 500);
    EXPECT_EQ(p.rate, 8.5);
    EXPECT_EQ(p.commission, 892);
    EXPECT_EQ(p.receivable(), 9608);
    // Posting rows 1..7 in the header's order: tax, five deductions, commission.
    EXPECT_EQ(p.taxDebit, env.debit[1]);
    EXPECT_EQ(p.taxCredit, env.credit[1]);
    EXPECT_EQ(p.deductionDebit[0], env.debit[2]);
    EXPECT_EQ(p.deductionCredit[4], env.credit[6]);
    EXPECT_EQ(p.commissionDebit, env.debit[7]);
    EXPECT_EQ(p.commissionCredit, env.credit[7]);
}

TEST(ReceivableArithmetic, ProcessedSlipKeepsItsValuesAndRecomputesOnlyTheTaxOfANewAmount) {
    SlipHeader h{};
    h.stage = kStageProcessed;
    h.amount = 10000;
    h.tax = 400;  // as stored, whatever the rate
    h.commission = 700;
    h.deductions[2] = 100;
    h.taxDebit = 123;
    BasicSettings s{};
    s.taxRate = 5;
    const auto env = defaultEnvironment(Edition::Sales);
    Start same = start(h, 10000, customerWith(8.5, kRoundUp), s, env);
    EXPECT_FALSE(same.amountChanged);
    EXPECT_EQ(same.values.tax, 400);
    EXPECT_EQ(same.values.commission, 700);
    EXPECT_EQ(same.values.taxDebit, 123);

    h.amount = 12000;  // lines changed after loading
    Start changed = start(h, 10000, customerWith(8.5, kRoundUp), s, env);
    EXPECT_TRUE(changed.amountChanged);
    EXPECT_EQ(changed.values.tax, 600);
    EXPECT_EQ(changed.values.commission, 700);
    EXPECT_EQ(changed.values.receivable(), 12600 - 700 - 100);

    // Back from the lines with a new amount: tax and commission follow.
    Processing p = changed.values;
    p.rate = 8.5;
    amountChanged(p, 20000, 5, kRoundHalfUp);
    EXPECT_EQ(p.tax, 1000);
    EXPECT_EQ(p.commission, 1785);
}

TEST(ReceivableArithmetic, ClosedYearIsAnyOtherInputYear) {
    BasicSettings s{};
    s.businessYear = 2026;
    s.inputYear = 2026;
    EXPECT_FALSE(closedYear(s));
    s.inputYear = 2027;
    EXPECT_TRUE(closedYear(s));
    s.inputYear = 2025;  // a business year after the input year is no better
    EXPECT_TRUE(closedYear(s));
    s.inputYear = 0;  // not set: the business year
    EXPECT_FALSE(closedYear(s));
}

class ReceivableRecording : public ::testing::Test {
protected:
    Installation inst;
    AppContext& ctx = *inst.ctx;
    FileSystem& fs = ctx.files;
    const FileSet& f = ctx.fileSet;
    ScriptedDialogs dialogs;

    void SetUp() override {
        ctx.settings.taxRate = 5;
        ASSERT_TRUE(masters::writeRecord(fs, f[kCustomers], 8, customerWith(8.5, kRoundUp)));
    }

    // A delivered slip of customer 8 worth 10,000 yen, recorded and loaded again as slip entry
    // has it (the header holds the sum of the lines).
    int deliveredSlip(CFq7Doc& doc) {
        newSlip(doc, 512, 8, 2);
        setLine(doc, 1, 1, 20, 300);
        setLine(doc, 2, 2, 40, 100);
        EXPECT_EQ(doc.record(), CFq7Doc::WriteResult::Ok);
        const int n = doc.lastWritten();
        EXPECT_TRUE(doc.loadRecord(n));
        doc.header.amount = slipTotal(std::span(&doc.lines[1], 2));
        return n;
    }

    Processing startFor(CFq7Doc& doc) {
        doc.readCustomer(doc.header.customer);
        return start(doc.header, doc.loadedAmount(), doc.customer, ctx.settings, ctx.env).values;
    }
};

TEST_F(ReceivableRecording, StoresHeaderFields96To255ByteForByte) {
    CFq7Doc doc(ctx, dialogs);
    doc.setInputMode(2);
    const int n = deliveredSlip(doc);
    ASSERT_TRUE(mayOpen(doc, 2, false, dialogs));
    Processing p = startFor(doc);
    p.deductions[0] = 150;
    p.deductions[3] = 50;
    p.deductionDebit[3] = 511;
    const Bytes before = fs.readAll(f[kSlipHeaders]).value();
    ASSERT_EQ(record(doc, p, ctx, dialogs), Recorded::Ok);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(doc.recordNumber(), -1);  // cleared for the next slip

    const Bytes after = fs.readAll(f[kSlipHeaders]).value();
    ASSERT_EQ(after.size(), before.size());
    const size_t base = static_cast<size_t>(n) * kSlipHeaderSize;
    Bytes want(before.begin() + base, before.begin() + base + kSlipHeaderSize);
    writeI32(want, 64, kStageProcessed);
    auto putDouble = [&](size_t at, double v) { std::memcpy(want.data() + at, &v, 8); };
    putDouble(96, 10000);
    putDouble(104, 893);                     // 8.5 % of 10,500 rounded up
    putDouble(112, 10500 - 893 - 150 - 50);  // receivable
    putDouble(120, 500);
    putDouble(128, 150);
    putDouble(128 + 3 * 8, 50);
    const EnvironmentBlock& env = ctx.env;
    writeI32(want, 192, env.debit[1]);
    for (int i = 0; i < 5; ++i) {
        writeI32(want, 196 + 4 * i, i == 3 ? 511 : env.debit[2 + i]);
        writeI32(want, 228 + 4 * i, env.credit[2 + i]);
    }
    writeI32(want, 216, env.debit[7]);
    writeI32(want, 224, env.credit[1]);
    writeI32(want, 248, env.credit[7]);
    for (size_t b = 0; b < kSlipHeaderSize; ++b) ASSERT_EQ(after[base + b], want[b]) << "byte " << b;
    // Every other header and the index entry's stage.
    EXPECT_TRUE(std::equal(before.begin(), before.begin() + base, after.begin()));
    EXPECT_EQ(entryAt(fs, f[kIndex2], n), (IndexEntry{kStageProcessed, 2}));
    EXPECT_TRUE(indexesAgree(fs, f));
}

TEST_F(ReceivableRecording, SettledSlipStaysSettledAndCancellingTheSettlementAsksFirst) {
    CFq7Doc doc(ctx, dialogs);
    const int n = deliveredSlip(doc);
    doc.header.stage = kStageSettled;
    doc.header.settlementDate = 620;
    Processing p = startFor(doc);

    dialogs.answers = {Answer::Cancel};
    EXPECT_EQ(record(doc, p, ctx, dialogs), Recorded::Cancelled);
    EXPECT_EQ(dialogs.shown.back(), msg::kSettledSales);
    EXPECT_EQ(headerAt(fs, f[kSlipHeaders], n).stage, kStageDelivery);

    dialogs.answers = {Answer::Ok};
    p.taxDebit = 500;
    ASSERT_EQ(record(doc, p, ctx, dialogs), Recorded::Ok);
    SlipHeader h = headerAt(fs, f[kSlipHeaders], n);
    EXPECT_EQ(h.stage, kStageSettled);
    EXPECT_EQ(h.taxDebit, 500);
    EXPECT_EQ(h.settlementDate, 620);

    ASSERT_TRUE(doc.loadRecord(n));
    p = fromHeader(doc.header);
    dialogs.answers = {Answer::No};
    EXPECT_EQ(cancelSettlement(doc, p, ctx, dialogs), Recorded::Cancelled);
    EXPECT_EQ(dialogs.shown.back(), msg::kCancelSettlement);
    dialogs.answers = {Answer::Yes};
    ASSERT_EQ(cancelSettlement(doc, p, ctx, dialogs), Recorded::Ok);
    EXPECT_EQ(headerAt(fs, f[kSlipHeaders], n).stage, kStageProcessed);
    EXPECT_EQ(entryAt(fs, f[kIndex2], n).first, kStageProcessed);
}

TEST_F(ReceivableRecording, ClosedYearIsRefusedAndTheSlipStaysOpenAndLocked) {
    struct CountingLocks : SlipLocks {
        int unlocks = 0;
        int lockSlip(int32_t, int32_t) override { return 0; }
        int unlockSlip(int32_t, int32_t, const DataLock*) override { return ++unlocks, 0; }
        int unlockOwn() override { return ++unlocks, 0; }
    } locks;
    CFq7Doc doc(ctx, dialogs, &locks);
    const int n = deliveredSlip(doc);
    locks.unlocks = 0;
    Processing p = startFor(doc);
    const Bytes before = fs.readAll(f[kSlipHeaders]).value();
    ctx.settings.inputYear = ctx.settings.businessYear + 1;
    EXPECT_EQ(record(doc, p, ctx, dialogs), Recorded::Refused);
    EXPECT_EQ(dialogs.shown.back(), msg::kClosedYearToProcess);
    EXPECT_EQ(fs.readAll(f[kSlipHeaders]).value(), before);
    EXPECT_EQ(doc.recordNumber(), n);
    EXPECT_EQ(locks.unlocks, 0);

    doc.header.stage = kStageSettled;
    EXPECT_EQ(cancelSettlement(doc, p, ctx, dialogs), Recorded::Refused);
    EXPECT_EQ(fs.readAll(f[kSlipHeaders]).value(), before);

    ctx.settings.inputYear = ctx.settings.businessYear;
    doc.header.stage = kStageDelivery;
    ASSERT_EQ(record(doc, p, ctx, dialogs), Recorded::Ok);
    EXPECT_EQ(locks.unlocks, 1);  // released by the recording itself
}

TEST_F(ReceivableRecording, FailedWriteLeavesTheSlipOpenAsItWas) {
    CFq7Doc probe(ctx, dialogs);
    const int n = deliveredSlip(probe);
    int failures = 0;
    for (int k = 1; k <= 12; ++k) {
        FaultyFileSystem faulty(fs);
        auto other = inst.contextWith(faulty);
        other->settings = ctx.settings;
        CFq7Doc doc(*other, dialogs);
        ASSERT_TRUE(doc.loadRecord(n));
        doc.header.amount = 10000;
        Processing p = startFor(doc);
        const SlipHeader kept = doc.header;
        const Bytes before = fs.readAll(f[kSlipHeaders]).value();
        faulty.arm(k, FaultyFileSystem::Fault::Fail);
        if (record(doc, p, *other, dialogs) != Recorded::Failed) continue;
        ++failures;
        EXPECT_EQ(std::memcmp(&doc.header, &kept, sizeof kept), 0) << k;
        EXPECT_EQ(doc.recordNumber(), n);
        EXPECT_EQ(fs.readAll(f[kSlipHeaders]).value(), before) << k;
    }
    EXPECT_GT(failures, 0);
}

TEST_F(ReceivableRecording, OpeningChecksInTheirOrder) {
    CFq7Doc doc(ctx, dialogs);
    deliveredSlip(doc);
    EXPECT_FALSE(mayOpen(doc, 1, false, dialogs));
    EXPECT_EQ(dialogs.shown.back(), msg::kWrongInputMode);
    EXPECT_FALSE(mayOpen(doc, 2, true, dialogs));
    EXPECT_EQ(dialogs.shown.back(), msg::kProcessingOpen);

    doc.lines[2].price = 0;  // a line without a price: No stops, Yes goes on
    dialogs.answers = {Answer::No};
    EXPECT_FALSE(mayOpen(doc, 2, false, dialogs));
    dialogs.answers = {Answer::Yes};
    EXPECT_TRUE(mayOpen(doc, 2, false, dialogs));
    EXPECT_EQ(dialogs.shown.back(), msg::kLineWithoutPrice);

    doc.lines[2].price = 100;
    doc.header.amount = 9000;  // the header and the lines disagree
    EXPECT_FALSE(mayOpen(doc, 2, false, dialogs));
    EXPECT_EQ(
        dialogs.shown.back(),
        "各行合計額  10000 円　と\n既存合計額  9000 円が合いません\n商品行データに数量０が存在する可能性があります");

    doc.header.amount = 0;  // forced processing of a slip without an amount
    dialogs.answers = {Answer::No};
    EXPECT_FALSE(mayOpen(doc, 2, false, dialogs));
    EXPECT_EQ(dialogs.shown.back(), msg::kNoAmountForce);
    doc.header.lineCount = 0;
    dialogs.answers = {Answer::Yes};
    EXPECT_FALSE(mayOpen(doc, 2, false, dialogs));
    EXPECT_EQ(dialogs.shown.back(), msg::kNoValidLinesToProcess);

    EXPECT_FALSE(mayReference(doc.header, false, dialogs));
    EXPECT_EQ(dialogs.shown.back(), msg::kNoReferenceData);
    doc.header.stage = kStageSettled;
    EXPECT_TRUE(mayReference(doc.header, false, dialogs));
    EXPECT_FALSE(mayReference(doc.header, true, dialogs));
}

}  // namespace
}  // namespace rk::test
