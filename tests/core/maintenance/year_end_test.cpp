#include "maintenance/year_end.h"

#include <gtest/gtest.h>

#include "maintenance/duplicate_check.h"
#include "maintenance/hand_year.h"
#include "maintenance/operation_messages.h"
#include "support/fault_sweep.h"

namespace rk::test {
namespace {

using maintenance::YearEndResult;
namespace ym = rk::msg;

struct YearEnd : HandYear {
    fs::path next(MasterSlot s) { return maintenance::nextYearMaster(ctx, s); }
    void customer(int n, const char* name, double balance, double opening = 0) {
        CustomerRecord c{};
        cp932::assign(c.name, name);
        c.balance = balance;
        c.openingBalance = opening;
        putRecord(ctx, f[kCustomers], n, c);
    }
    CustomerRecord nextCustomer(int n) { return recordAt<CustomerRecord>(ctx, next(kCustomers), n); }
    int32_t storedInputYear() { return readSettings(ctx.files, ctx.settingsFile())->inputYear; }
    YearEndResult masters(std::initializer_list<Answer> answers = {}) {
        ScriptedDialogs d;
        d.answers = answers;
        auto r = maintenance::createNextYearMasters(ctx, d);
        shown = d.shown;
        return r;
    }
    YearEndResult carry(std::initializer_list<Answer> answers = {}) {
        ScriptedDialogs d;
        d.answers = answers;
        auto r = maintenance::carryOverBalances(ctx, d);
        shown = d.shown;
        return r;
    }
    std::vector<std::string> shown;
};

TEST(YearEndMasters, NextYearsMastersCarryTheRecordsWithoutBalances) {
    YearEnd y;
    y.customer(5, "花長", 12000, 8000);
    EXPECT_EQ(y.next(kCustomers).filename(), "F7ma2027.FT1");
    EXPECT_EQ(y.next(kAccounts).filename(), "S7md2027.FT1");
    ASSERT_EQ(y.masters(), YearEndResult::Done);
    EXPECT_TRUE(y.shown.empty());  // no question when next year has nothing yet
    const Bytes next = readFile(y.next(kCustomers));
    ASSERT_EQ(next.size(), 1000u * sizeof(CustomerRecord));
    EXPECT_TRUE(std::all_of(next.begin(), next.begin() + 480, [](std::byte b) { return b == std::byte{0x20}; }));
    const CustomerRecord c = y.nextCustomer(5);
    EXPECT_EQ(cp932::toUtf8(c.name), "花長");
    EXPECT_EQ(c.balance, 0);
    EXPECT_EQ(c.openingBalance, 0);
    for (MasterSlot s : {kProducts, kGrades, kAccounts, kRemarks}) EXPECT_EQ(readFile(y.next(s)), readFile(y.f[s]));

    // No to the customer question writes nothing at all, not even the other masters.
    const Bytes products = readFile(y.next(kProducts));
    y.customer(5, "花長本店", 12000);
    Bytes grown = readFile(y.f[kProducts]);
    grown.resize(grown.size() + 192, std::byte{1});
    ASSERT_TRUE(realFileSystem().replaceWhole(y.f[kProducts], grown));
    EXPECT_EQ(y.masters({Answer::No}), YearEndResult::Declined);
    EXPECT_EQ(y.shown, std::vector<std::string>{ym::kCustomerMasterExists});
    EXPECT_EQ(readFile(y.next(kCustomers)), next);
    EXPECT_EQ(readFile(y.next(kProducts)), products);

    // Yes, then No for the account items: that one file stays.
    AccountItemRecord kept{};
    cp932::assign(kept.name, "来年の科目");
    putRecord(y.ctx, y.next(kAccounts), 150, kept);
    const Bytes accounts = readFile(y.next(kAccounts));
    EXPECT_EQ(y.masters({Answer::Yes, Answer::No}), YearEndResult::Done);
    EXPECT_EQ(y.shown.size(), 2u);
    EXPECT_EQ(y.shown[1], ym::kAccountMasterExists);
    EXPECT_EQ(readFile(y.next(kAccounts)), accounts);
    EXPECT_EQ(readFile(y.next(kProducts)), grown);
    EXPECT_EQ(cp932::toUtf8(y.nextCustomer(5).name), "花長本店");

    // A master that cannot be read is an error, never an empty next year.
    fs::remove(y.f[kGrades]);
    EXPECT_EQ(y.masters({Answer::Yes, Answer::Yes}), YearEndResult::Failed);
    EXPECT_TRUE(y.shown.back().starts_with("本年度のマスターが読めない"));
    EXPECT_EQ(readFile(y.next(kProducts)), grown);
}

TEST(YearEndCarryOver, BalancePlusProcessedSlipsBecomesNextYearsOpening) {
    YearEnd y;
    y.customer(5, "花長", 12000);
    y.customer(6, "花清", 500);
    y.slip(401, 5, kStageProcessed, 1, 3000);
    y.slip(1105, 5, kStageProcessed, 2, 5000);
    y.slip(1300, 6, kStageProcessed, 1, 7000);  // outside the year: neither counted nor carried
    y.slip(1300, 6, kStageDelivery, 1);
    y.slip(-402, 5, kStageDelivery, 1);          // deleted
    y.slip(403, 5, kStageSettled, 1, 9999);      // paid: not owed any more
    y.slip(404, 0, kStageProcessed, 1, 100);     // no customer: counted, never an index
    y.slip(405, 4000, kStageProcessed, 1, 100);  // past the customer count
    ASSERT_EQ(y.masters(), YearEndResult::Done);

    // Without next year's master the carry-over stops and the input year stays.
    const Bytes nextCustomers = readFile(y.next(kCustomers));
    fs::remove(y.next(kCustomers));
    EXPECT_EQ(y.carry(), YearEndResult::Blocked);
    EXPECT_EQ(y.shown.back(), ym::kNextMasterMissing);
    EXPECT_EQ(y.storedInputYear(), 2026);
    ASSERT_TRUE(realFileSystem().replaceWhole(y.next(kCustomers), nextCustomers));

    ASSERT_EQ(y.carry(), YearEndResult::Done);
    EXPECT_EQ(y.shown.back(), std::string(ym::kCarriedSales) + "\n（得意先No が範囲外の伝票 2 件は繰越していません）");
    EXPECT_EQ(y.nextCustomer(5).balance, 20000);
    EXPECT_EQ(y.nextCustomer(5).openingBalance, 20000);
    EXPECT_EQ(cp932::toUtf8(y.nextCustomer(5).name), "花長");
    EXPECT_EQ(y.nextCustomer(6).balance, 500);
    EXPECT_EQ(y.nextCustomer(6).openingBalance, 500);
    EXPECT_EQ(y.storedInputYear(), 2027);
    EXPECT_EQ(y.ctx.settings.inputYear, 2027);
    // The window no longer opens for this year.
    ScriptedDialogs d;
    EXPECT_FALSE(maintenance::yearEndAllowed(y.ctx, d));
    EXPECT_EQ(d.shown.back(), ym::kNotInputYear);
}

TEST(YearEndCarryOver, UnprocessedSlipsReservedCustomersAndClients) {
    YearEnd y;
    y.customer(3, "花長", 1000);
    y.slip(601, 3, kStageDelivery, 1);
    ASSERT_EQ(y.masters(), YearEndResult::Done);
    const Bytes next = readFile(y.next(kCustomers));

    // One unprocessed slip: asked with its count; No (the default) changes nothing.
    EXPECT_EQ(y.carry(), YearEndResult::Declined);
    EXPECT_EQ(y.shown.back(),
              "伝票の中に売り掛け未処理伝票が \n 1 件あるため残高転記できません \n \n 強制転記をしますか");
    EXPECT_EQ(readFile(y.next(kCustomers)), next);

    // A processed slip of customer 97 blocks even a forced carry-over.
    y.slip(602, 97, kStageProcessed, 1, 1000);
    EXPECT_EQ(y.carry({Answer::Yes}), YearEndResult::Blocked);
    EXPECT_EQ(y.shown.back(), ym::kReservedSales);
    EXPECT_EQ(readFile(y.next(kCustomers)), next);
    EXPECT_EQ(y.storedInputYear(), 2026);

    // A LAN client may do neither step.
    y.ctx.settings.lanMode = 2;
    EXPECT_EQ(y.masters(), YearEndResult::Refused);
    EXPECT_EQ(y.carry(), YearEndResult::Refused);
    EXPECT_EQ(y.shown, std::vector<std::string>{ym::kClientCannot});
}

TEST(YearEndDuplicateLines, EveryPairIsReportedPastTheOldLimits) {
    YearEnd y;
    // 3200 slips naming one shared line record each after the first.
    const int first = y.slip(401, 1, kStageDelivery, 1);
    const int32_t shared = y.header(first).lineSlots[1];
    Bytes headers = readFile(y.f[kSlipHeaders]);
    SlipHeader h = y.header(first);
    for (int n = 0; n < 3200; ++n) {
        h.customer = 2 + n % 900;
        h.date = 402 + n / 900;
        h.lineSlots[1] = shared;
        const std::byte* b = reinterpret_cast<const std::byte*>(&h);
        headers.insert(headers.end(), b, b + sizeof h);
    }
    ASSERT_TRUE(realFileSystem().replaceWhole(y.f[kSlipHeaders], headers));
    auto pairs = maintenance::findDuplicateLines(y.ctx.files, y.f[kSlipHeaders]);
    ASSERT_TRUE(pairs.has_value());
    ASSERT_EQ(pairs->size(), 3200u);
    EXPECT_EQ(maintenance::duplicateLineRow(3200, pairs->back()), "  3200     04-05      501   と  04-01        1");
}

// A crash at any write of either step leaves next year's files and the settings wholly as
// they were or wholly as the step leaves them.
TEST(YearEndFaults, EveryWritePointOfBothSteps) {
    YearEnd y;
    y.customer(5, "花長", 12000);
    y.slip(401, 5, kStageProcessed, 1, 3000);
    ASSERT_EQ(y.masters(), YearEndResult::Done);  // the sweep of step 1 overwrites these
    FaultSweep s;
    s.files = {y.next(kCustomers), y.next(kProducts), y.next(kGrades), y.next(kAccounts), y.next(kRemarks)};
    s.journalFolder = y.f.dataFolder;
    y.customer(5, "花長本店", 12000);
    s.write = [&](FileSystem& fs, ScriptedDialogs& d) {
        auto c = y.inst.contextWith(fs);
        d.answers = {Answer::Yes, Answer::Yes};
        return maintenance::createNextYearMasters(*c, d) == YearEndResult::Done;
    };
    s.isFailure = [](const std::string& t) { return t.starts_with("次年度マスターに書き込めません"); };
    s.run();

    FaultSweep carry;
    carry.files = {y.next(kCustomers), y.ctx.settingsFile()};
    carry.journalFolder = y.f.dataFolder;
    carry.write = [&](FileSystem& fs, ScriptedDialogs& d) {
        auto c = y.inst.contextWith(fs);
        return maintenance::carryOverBalances(*c, d) == YearEndResult::Done;
    };
    carry.isFailure = s.isFailure;
    carry.run();
}

}  // namespace
}  // namespace rk::test
