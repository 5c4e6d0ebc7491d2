#include "maintenance/data_operation.h"

#include <gtest/gtest.h>

#include "maintenance/hand_year.h"
#include "maintenance/operation_messages.h"
#include "support/fault_sweep.h"

namespace rk::test {
namespace {

using maintenance::OperationResult;
using maintenance::SlipRange;
namespace om = rk::msg;

TEST(SlipRanges, BusinessYearOrderAndDefaults) {
    const SlipRange april = maintenance::defaultRange(4);
    EXPECT_EQ(april.startDate, 401);
    EXPECT_EQ(april.endDate, 331);
    EXPECT_EQ(april.startCustomer, 1);
    EXPECT_EQ(april.endCustomer, 999);
    EXPECT_TRUE(maintenance::dateInRange(april, 215, 4));  // 1415 between 401 and 1531
    EXPECT_TRUE(maintenance::dateInRange(april, 401, 4));
    EXPECT_TRUE(maintenance::dateInRange(april, 331, 4));
    EXPECT_FALSE(maintenance::dateInRange(april, -215, 4));  // deleted
    EXPECT_FALSE(maintenance::dateInRange(april, 100, 4));
    const SlipRange january = maintenance::defaultRange(1);
    EXPECT_EQ(january.endDate, 1231);
    EXPECT_FALSE(maintenance::dateInRange(january, -1231, 1));
    EXPECT_FALSE(maintenance::dateInRange({1101, 1130, 1, 999}, 1201, 1));
}

struct Split : HandYear {
    TempFolder out;
    fs::path to(DataSlot s) { return out.path() / f[s].filename(); }
    template <Record T>
    T at(DataSlot s, int n) {
        return recordAt<T>(ctx, to(s), n);
    }
};

TEST(SplitSlips, RangeCopiedRenumberedAndOpenableAsAYear) {
    Split y;
    const int a = y.slip(401, 5, kStageProcessed, 3);
    const int b = y.slip(402, 6, kStageProcessed, 2);
    y.slip(403, 7, kStageProcessed, 1);  // customer outside
    y.slip(-404, 5, kStageDelivery, 1);  // deleted
    y.slip(1201, 5, kStageDelivery, 1);  // date outside
    y.pay(6, 420, {b}, true);
    // Line 2 of slip a has a line text and links into other files.
    const int32_t slot = y.header(a).lineSlots[2];
    SlipLine l = recordAt<SlipLine>(y.ctx, y.f[kSlipLines], slot);
    l.textNumber = y.text("長い備考のテキスト");
    l.purchaseRef = 1005;
    l.word200 = 3;
    putRecord(y.ctx, y.f[kSlipLines], slot, l);
    y.reindex();
    const Bytes source = readFile(y.f[kSlipHeaders]);

    ScriptedDialogs d;
    ASSERT_EQ(maintenance::splitSlips(y.ctx, d, {401, 430, 1, 6}, y.out.path()), OperationResult::Done);
    EXPECT_EQ(d.shown.back(), om::kSplitDone);
    EXPECT_EQ(readFile(y.f[kSlipHeaders]), source);  // the year itself is only read
    EXPECT_EQ(readFile(y.to(kSlipHeaders)).size(), 3 * kSlipHeaderSize);
    EXPECT_EQ(readFile(y.to(kSlipLines)).size(), 6 * kSlipLineSize);
    EXPECT_EQ(readFile(y.to(kRemarkTexts)).size(), 2 * kLineTextSize);
    EXPECT_EQ(readFile(y.to(kPayments)), Bytes(2432));
    EXPECT_EQ(readFile(y.to(kIndex1)).size(), 3 * kIndexEntrySize);

    const auto h1 = y.at<SlipHeader>(kSlipHeaders, 1), h2 = y.at<SlipHeader>(kSlipHeaders, 2);
    EXPECT_EQ(h1.date, 401);
    EXPECT_EQ(h1.lineCount, 3);
    EXPECT_EQ((std::vector<int32_t>{h1.lineSlots[1], h1.lineSlots[2], h1.lineSlots[3], h1.lineSlots[4]}),
              (std::vector<int32_t>{1, 2, 3, -1}));
    EXPECT_EQ((std::vector<int32_t>{h2.lineSlots[1], h2.lineSlots[2]}), (std::vector<int32_t>{4, 5}));
    // The settled slip arrives processed, without its payment.
    EXPECT_EQ(h2.stage, kStageProcessed);
    EXPECT_EQ(h2.settlementDate, 0);
    EXPECT_EQ(h2.paymentLink, 0);
    const auto copied = y.at<SlipLine>(kSlipLines, 2);
    EXPECT_EQ(copied.owner, 1);
    EXPECT_EQ(copied.textNumber, 1);
    EXPECT_EQ(copied.purchaseRef, 0);
    EXPECT_EQ(copied.word200, 0);
    EXPECT_EQ(y.at<SlipLine>(kSlipLines, 5).owner, 2);
    EXPECT_EQ(cp932::toUtf8(y.at<LineText>(kRemarkTexts, 1).text), "長い備考のテキスト");
    EXPECT_EQ(y.at<IndexEntry>(kIndex1, 2), (IndexEntry{402, 6}));
    EXPECT_EQ(y.at<IndexEntry>(kIndex2, 2), (IndexEntry{kStageProcessed, 2}));

    // Never into the year's own folder.
    ScriptedDialogs same;
    EXPECT_EQ(maintenance::splitSlips(y.ctx, same, {401, 430, 1, 6}, y.f.dataFolder), OperationResult::Refused);
    EXPECT_EQ(same.shown, std::vector<std::string>{om::kSameFolder});
    ScriptedDialogs missing;
    EXPECT_EQ(maintenance::splitSlips(y.ctx, missing, {401, 430, 1, 6}, y.out.path() / "無い"),
              OperationResult::Refused);
    EXPECT_EQ(missing.shown, std::vector<std::string>{om::kCannotCreateSplit});
}

struct Settled : HandYear {
    int a = 0, b = 0, c = 0, pa = 0, pb = 0, pc = 0;
    Settled() {
        for (int n : {5, 6, 7}) {
            CustomerRecord r{};
            r.openingBalance = 1000 * n;
            r.balance = 10 * n;
            putRecord(ctx, f[kCustomers], n, r);
        }
        a = slip(501, 5, kStageProcessed, 1);
        b = slip(502, 6, kStageProcessed, 1);
        c = slip(503, 7, kStageProcessed, 1);
        reindex();
        pa = pay(5, 510, {a}, true);
        pb = pay(6, 511, {b}, true);
        pc = pay(7, 512, {c}, true);
        reindex();
    }
    CustomerRecord customer(int n) { return recordAt<CustomerRecord>(ctx, f[kCustomers], n); }
    OperationResult release(SlipRange r, ScriptedDialogs& d) {
        d.answers = {Answer::Yes};
        return maintenance::releaseSettled(ctx, d, r);
    }
};

TEST(ReleaseSettled, AllCustomersEmptiesThePaymentsAndRestoresOpenings) {
    Settled y;
    ScriptedDialogs no;
    const Bytes headers = readFile(y.f[kSlipHeaders]);
    EXPECT_EQ(maintenance::releaseSettled(y.ctx, no, maintenance::defaultRange(1)), OperationResult::Declined);
    EXPECT_EQ(no.shown, std::vector<std::string>{om::kReleaseAskSales});
    EXPECT_EQ(readFile(y.f[kSlipHeaders]), headers);

    ScriptedDialogs d;
    ASSERT_EQ(y.release(maintenance::defaultRange(1), d), OperationResult::Done);
    EXPECT_EQ(readFile(y.f[kPayments]), Bytes(2432));
    for (int n : {y.a, y.b, y.c}) {
        const SlipHeader h = y.header(n);
        EXPECT_EQ(h.stage, kStageProcessed);
        EXPECT_EQ(h.settlementDate, 0);
        EXPECT_EQ(h.paymentLink, 0);
    }
    EXPECT_TRUE(indexesAgree(y.ctx.files, y.f));
    for (int n : {5, 6, 7}) EXPECT_EQ(y.customer(n).balance, 1000 * n);
}

TEST(ReleaseSettled, SomeCustomersKeepTheOthersPaymentsAndNumbers) {
    Settled y;
    ScriptedDialogs d;
    ASSERT_EQ(y.release({101, 1231, 5, 6}, d), OperationResult::Done);
    EXPECT_EQ(y.payment(y.pa).date, -510);
    EXPECT_EQ(y.payment(y.pb).date, -511);
    EXPECT_EQ(y.payment(y.pc).date, 512);  // still payment 3, still settling slip c
    EXPECT_EQ(y.header(y.c).stage, kStageSettled);
    EXPECT_EQ(y.header(y.c).paymentLink, y.pc);
    EXPECT_EQ(y.header(y.a).stage, kStageProcessed);
    EXPECT_EQ(y.customer(5).balance, 5000);
    EXPECT_EQ(y.customer(7).balance, 70);
    EXPECT_TRUE(indexesAgree(y.ctx.files, y.f));

    // A payment of the range that settled a slip outside it refuses the release.
    Settled z;
    const int other = z.slip(504, 9, kStageProcessed, 1);
    z.pay(5, 520, {other});
    const Bytes before = readFile(z.f[kSlipHeaders]);
    ScriptedDialogs crossing;
    EXPECT_EQ(z.release({101, 1231, 5, 6}, crossing), OperationResult::Refused);
    EXPECT_EQ(crossing.shown.back(), om::kReleaseCrossing);
    EXPECT_EQ(readFile(z.f[kSlipHeaders]), before);

    // A client may not release.
    z.ctx.settings.lanMode = 2;
    ScriptedDialogs client;
    EXPECT_EQ(z.release(maintenance::defaultRange(1), client), OperationResult::Refused);
}

TEST(DataOperationFaults, EveryWritePointOfSplitAndRelease) {
    Split y;
    y.slip(401, 5, kStageProcessed, 3);
    const int b = y.slip(402, 6, kStageProcessed, 2);
    y.slip(403, 7, kStageDelivery, 1);
    y.pay(6, 420, {b}, true);
    y.reindex();
    {
        ScriptedDialogs d;  // an earlier split is in the folder already
        ASSERT_EQ(maintenance::splitSlips(y.ctx, d, {403, 403, 1, 999}, y.out.path()), OperationResult::Done);
    }
    FaultSweep s;
    s.files = {y.to(kSlipLines), y.to(kSlipHeaders), y.to(kPayments), y.to(kRemarkTexts), y.to(kIndex1), y.to(kIndex2)};
    s.journalFolder = y.f.dataFolder;
    s.write = [&](FileSystem& fs, ScriptedDialogs& d) {
        auto c = y.inst.contextWith(fs);
        return maintenance::splitSlips(*c, d, {401, 402, 1, 999}, y.out.path()) == OperationResult::Done;
    };
    s.isFailure = [](const std::string& t) { return t.starts_with(om::kCannotCreateSplit); };
    s.run();

    for (SlipRange range : {maintenance::defaultRange(1), SlipRange{101, 1231, 6, 6}}) {
        Settled z;
        FaultSweep r;
        r.files = {z.f[kSlipHeaders], z.f[kIndex2], z.f[kPayments], z.f[kCustomers]};
        r.journalFolder = z.f.dataFolder;
        r.write = [&](FileSystem& fs, ScriptedDialogs& d) {
            auto c = z.inst.contextWith(fs);
            d.answers = {Answer::Yes};
            return maintenance::releaseSettled(*c, d, range) == OperationResult::Done;
        };
        r.isFailure = [](const std::string& t) { return t.starts_with("データファイルに書き込めません"); };
        r.run();
    }
}

}  // namespace
}  // namespace rk::test
