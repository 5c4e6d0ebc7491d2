#include "maintenance/data_check_tools.h"

#include <gtest/gtest.h>

#include "maintenance/duplicate_check.h"
#include "maintenance/hand_year.h"
#include "maintenance/text_export.h"

namespace rk::test {
namespace {

using maintenance::ToolResult;

bool shownWith(const ScriptedDialogs& d, const std::string& part) {
    return std::any_of(d.shown.begin(), d.shown.end(),
                       [&](const auto& s) { return s.find(part) != std::string::npos; });
}

TEST(PaymentListRepair, ThreeListedAndFourPointingBecomesFour) {
    HandYear y;
    const int a = y.slip(501, 7, kStageProcessed, 1), b = y.slip(502, 7, kStageProcessed, 1);
    const int c = y.slip(503, 7, kStageProcessed, 1), d = y.slip(504, 7, kStageProcessed, 1);
    const int other = y.slip(505, 8, kStageProcessed, 1);
    y.reindex();
    const int pay = y.pay(7, 510, {a, b, c}, true);
    const int second = y.pay(8, 511, {other});  // link 0, as payment entry leaves it
    SlipHeader h = y.header(d);
    h.stage = kStageSettled;
    h.paymentLink = pay;
    y.put(d, h);
    y.reindex();

    ScriptedDialogs dialogs;
    EXPECT_EQ(maintenance::repairPaymentLists(y.ctx, dialogs), ToolResult::Done);
    EXPECT_TRUE(shownWith(dialogs, "月日 510  掛け帳数  3  存在数  4  第一番号  " + std::to_string(a)));
    const auto p = y.payment(pay);
    EXPECT_EQ(p.slipCount, 4);
    EXPECT_EQ(payments::settledSlips(p), (std::vector<int32_t>{a, b, c, d}));
    EXPECT_EQ(p.slips[5], -1);
    // A payment whose slips carry no link keeps its list.
    EXPECT_EQ(payments::settledSlips(y.payment(second)), std::vector<int32_t>{other});
    // Customer 7 owes slip d's amount: the payment did not take it when it was recorded.
    const auto found = maintenance::checkYear(y.ctx);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found.front().kind, maintenance::Finding::Kind::Balance) << found.front().text;

    // A client station may not run it.
    y.ctx.settings.lanMode = 2;
    ScriptedDialogs refused;
    EXPECT_EQ(maintenance::repairPaymentLists(y.ctx, refused), ToolResult::Refused);
    EXPECT_EQ(refused.shown, std::vector<std::string>{"この作業はクライアント又は組合員ではできません"});
}

TEST(CustomerMaster, ResetFrom501KeepsTheFirst500AndTruncationAsksAndRespectsTheCount) {
    HandYear y;
    const fs::path& file = y.f[kCustomers];
    Bytes full(1100 * sizeof(CustomerRecord), std::byte{0x41});
    ASSERT_TRUE(y.ctx.files.write(file, 0, full, true));

    ScriptedDialogs no;
    no.answers = {Answer::No};
    EXPECT_EQ(maintenance::resetCustomersFrom501(y.ctx, no), ToolResult::Stopped);
    EXPECT_EQ(readFile(file), full);

    ScriptedDialogs yes;
    yes.answers = {Answer::Yes};
    EXPECT_EQ(maintenance::resetCustomersFrom501(y.ctx, yes), ToolResult::Done);
    const Bytes after = readFile(file);
    ASSERT_EQ(after.size(), full.size());
    for (size_t i = 0; i < after.size(); ++i)
        ASSERT_EQ(after[i], i >= 240480 && i < 480000 ? std::byte{0} : std::byte{0x41}) << "byte " << i;
    EXPECT_EQ(yes.shown.back(), "得意先マスターを５０１番以降を初期化しました");

    // With room for 1999 customers the records past 999 are customers: refused.
    y.ctx.env.customerCount = 1999;
    ScriptedDialogs refused;
    refused.answers = {Answer::Yes};
    EXPECT_EQ(maintenance::truncateCustomers(y.ctx, refused), ToolResult::Refused);
    EXPECT_EQ(readFile(file).size(), full.size());

    y.ctx.env.customerCount = 999;
    ScriptedDialogs asked;
    asked.answers = {Answer::Yes};
    EXPECT_EQ(maintenance::truncateCustomers(y.ctx, asked), ToolResult::Done);
    EXPECT_EQ(asked.shown.front(), "得意先マスターの１０００件以降を除去します\nよろしいですか");
    const Bytes cut = readFile(file);
    EXPECT_EQ(cut.size(), 1000 * sizeof(CustomerRecord));
    EXPECT_TRUE(std::equal(cut.begin(), cut.end(), after.begin()));
}

TEST(TextExport, AThreeLineSlipGivesThreeLinesAndTheCommandWritesTheSameBytes) {
    HandYear y;
    const int n = y.slip(705, 12, kStageProcessed, 3);
    SlipHeader h = y.header(n);
    h.deductions[0] = 30;
    h.deductions[2] = 12.5;
    y.put(n, h);
    y.slip(-706, 13, kStageDelivery, 2);  // deleted: left out
    y.reindex();

    ScriptedDialogs dialogs;
    dialogs.answers = {Answer::Yes};
    EXPECT_EQ(maintenance::exportText(y.ctx, dialogs), ToolResult::Done);
    const std::string text = cp932::toUtf8(
        sjis(std::string_view(reinterpret_cast<const char*>(readFile(y.ctx.programFolder() / "TextData.Csv").data()),
                              readFile(y.ctx.programFolder() / "TextData.Csv").size())));
    std::vector<std::string> rows;
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find("\r\n", at);
        ASSERT_NE(end, std::string::npos);
        rows.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].rfind("ｿｰﾄ用,月日,No,種別,得意先名,", 0), 0u);
    EXPECT_EQ(rows[1],
              " 705, 7-5, 12 ,売掛,花屋12, 6140, 100, 42,  1, 1, バラ1, 1, 1, 99, 3, 赤, 10,本, 101, 1010, 0, 0, 0 ");
    EXPECT_EQ(rows[2], " 705, 7-5, 12 ,売掛,花屋12, , , ,  2, 2, バラ2, 1, 1, 99, 3, 赤, 20,本, 102, 2040, 0, 0, 0 ");
    EXPECT_EQ(rows[3].substr(0, rows[3].find(",  3, 3,")), " 705, 7-5, 12 ,売掛,花屋12, , , ");
    // The carrier table is made when it is missing.
    EXPECT_EQ(readFile(y.ctx.programFolder() / "輸送業者.csv").size(), 1024u * 6);

    const fs::path other = y.inst.folder / "other.csv";
    ASSERT_TRUE(maintenance::writeTextData(y.ctx, other));
    EXPECT_EQ(readFile(other), readFile(y.ctx.programFolder() / "TextData.Csv"));
}

TEST(PaymentChecks, MemberCountAndTotals) {
    HandYear y;
    const int a = y.slip(501, 5, kStageProcessed, 1), b = y.slip(502, 6, kStageProcessed, 1);
    y.reindex();
    const int pay = y.pay(5, 520, {a, b});
    PaymentRecord p = y.payment(pay);
    p.memberCount = 3;
    p.members[0] = 6;
    p.memberBalanceChange[0] = -50;
    p.members[1] = 0;
    p.memberBalanceChange[1] = -7;
    p.balanceChange = 50;
    y.put(pay, p);
    CustomerRecord c{};
    c.groupLink = 1;
    c.members[0] = 6;
    putRecord(y.ctx, y.f[kCustomers], 5, c);

    ScriptedDialogs totals;
    EXPECT_EQ(maintenance::checkPaymentTotals(y.ctx, totals), ToolResult::Done);
    ASSERT_EQ(totals.shown.size(), 2u);  // -7 of a member entry that is no customer
    EXPECT_NE(totals.shown[0].find(
                  "合計額  " + std::to_string(static_cast<int>(y.header(a).receivable + y.header(b).receivable - 7))),
              std::string::npos)
        << totals.shown[0];
    EXPECT_EQ(totals.shown[1], "不整合伝票数　 1 ");

    ScriptedDialogs members;
    members.answers = {Answer::Yes};
    EXPECT_EQ(maintenance::checkMemberCounts(y.ctx, members), ToolResult::Done);
    EXPECT_EQ(members.shown[0],
              "この入出金帳のメンバー数は得意先マスターのメンバー数と異なります\n  得意先No  5   入金日 520 \n  "
              "入金帳メンバー数 3  マスターメンバー数 1\n補正しますか");
    p = y.payment(pay);
    EXPECT_EQ(p.memberCount, 1);
    EXPECT_EQ(p.members[0], 6);
    EXPECT_EQ(p.memberBalanceChange[1], 0);
    ScriptedDialogs totalsAfter;
    EXPECT_EQ(maintenance::checkPaymentTotals(y.ctx, totalsAfter), ToolResult::Done);
    EXPECT_EQ(totalsAfter.shown, std::vector<std::string>{"不整合伝票はありませんでした"});
}

TEST(Fractions, AmountsAreCutAndUnitPricesKept) {
    HandYear y;
    const int n = y.slip(601, 3, kStageProcessed, 1);
    SlipHeader h = y.header(n);
    h.commission = 10.75;
    y.put(n, h);
    SlipLine l = recordAt<SlipLine>(y.ctx, y.f[kSlipLines], h.lineSlots[1]);
    l.price = 10.55;
    l.amount = 105.5;
    putRecord(y.ctx, y.f[kSlipLines], h.lineSlots[1], l);
    CustomerRecord c{};
    c.balance = 99.9;
    putRecord(y.ctx, y.f[kCustomers], 3, c);
    y.reindex();

    ScriptedDialogs d;
    EXPECT_EQ(maintenance::clearFractions(y.ctx, d), ToolResult::Done);
    EXPECT_EQ(recordAt<SlipLine>(y.ctx, y.f[kSlipLines], h.lineSlots[1]).amount, 105);
    EXPECT_EQ(recordAt<SlipLine>(y.ctx, y.f[kSlipLines], h.lineSlots[1]).price, 10.55);
    EXPECT_EQ(y.header(n).commission, 10);
    EXPECT_EQ(recordAt<CustomerRecord>(y.ctx, y.f[kCustomers], 3).balance, 99);
    EXPECT_EQ(d.shown.size(), 4u);
    EXPECT_EQ(d.shown[1], "月日 601  先ｺｰﾄﾞ  3  手数料  10");
    EXPECT_EQ(d.shown.back(), "全該当データ数　3 件です");

    ScriptedDialogs again;
    EXPECT_EQ(maintenance::clearFractions(y.ctx, again), ToolResult::Done);
    EXPECT_EQ(again.shown, std::vector<std::string>{"該当データはありませんでした"});
}

TEST(SlipChecks, SlipsWithoutCustomerAreDeletedAndSharedLinesPaired) {
    HandYear y;
    const int good = y.slip(401, 2, kStageDelivery, 2);
    const int orphan = y.slip(402, 0, kStageDelivery, 1);
    const int twin = y.slip(1105, 9, kStageDelivery, 1);
    SlipHeader h = y.header(twin);
    h.lineSlots[1] = y.header(good).lineSlots[2];
    y.put(twin, h);
    y.reindex();

    auto pairs = maintenance::findDuplicateLines(y.ctx.files, y.f[kSlipHeaders]);
    ASSERT_TRUE(pairs.has_value());
    ASSERT_EQ(pairs->size(), 1u);
    EXPECT_EQ(maintenance::duplicateLineRow(1, pairs->front()), "    1     11-05        9   と  04-01        2");

    ScriptedDialogs no;
    EXPECT_EQ(maintenance::deleteSlipsWithoutCustomer(y.ctx, no), ToolResult::Stopped);  // No is the default
    EXPECT_EQ(y.header(orphan).date, 402);
    ScriptedDialogs yes;
    yes.answers = {Answer::Yes};
    EXPECT_EQ(maintenance::deleteSlipsWithoutCustomer(y.ctx, yes), ToolResult::Restart);
    EXPECT_EQ(yes.beeps, 1);
    EXPECT_EQ(y.header(orphan).date, -402);
    EXPECT_TRUE(indexesAgree(y.ctx.files, y.f));
    ScriptedDialogs none;
    EXPECT_EQ(maintenance::deleteSlipsWithoutCustomer(y.ctx, none), ToolResult::Done);
    EXPECT_EQ(none.shown, std::vector<std::string>{"補正該当データはありません"});
}

TEST(SalesMethods, TakenLineByLineFromTheMatchingSlipOfTheOtherFiles) {
    HandYear y;
    const int n = y.slip(501, 3, kStageDelivery, 2);
    const int other = y.slip(502, 3, kStageDelivery, 1);
    y.reindex();
    const fs::path lines = y.ctx.programFolder() / "商品.Ft2", headers = y.ctx.programFolder() / "掛帳.Ft2";

    ScriptedDialogs missing;
    missing.answers = {Answer::Yes};
    EXPECT_EQ(maintenance::importSalesMethods(y.ctx, missing), ToolResult::Refused);
    EXPECT_EQ(missing.shown.back(), "取込商品データファイルが見つかりません");

    // The other system's slip of 501 / 3 names its lines 2 and 1, with sale methods 4 and 2.
    std::vector<SlipLine> theirLines(3);
    theirLines[1].salesMethod = 2;
    theirLines[2].salesMethod = 4;
    for (int i = 0; i < 3; ++i) putRecord(y.ctx, lines, i, theirLines[i]);
    SlipHeader h{};
    h.date = 501;
    h.customer = 3;
    h.lineCount = 2;
    h.lineSlots[1] = 2;
    h.lineSlots[2] = 1;
    putRecord(y.ctx, headers, 0, SlipHeader{});
    putRecord(y.ctx, headers, 1, h);

    ScriptedDialogs d;
    d.answers = {Answer::Yes};
    EXPECT_EQ(maintenance::importSalesMethods(y.ctx, d), ToolResult::Done);
    auto method = [&](int slip, int j) {
        return recordAt<SlipLine>(y.ctx, y.f[kSlipLines], y.header(slip).lineSlots[j]).salesMethod;
    };
    EXPECT_EQ(method(n, 1), 4);
    EXPECT_EQ(method(n, 2), 2);
    EXPECT_EQ(method(other, 1), 1);  // no slip of its date and customer there
}

TEST(CustomerMaster, BalancesMoveOneNumberUpOrDown) {
    HandYear y;
    y.ctx.env.customerCount = 3;
    for (int n = 1; n <= 4; ++n) {
        CustomerRecord c{};
        c.balance = 100 * n;
        c.openingBalance = 7;
        putRecord(y.ctx, y.f[kCustomers], n, c);
    }
    auto balances = [&] {
        std::vector<double> b;
        for (int n = 1; n <= 4; ++n) b.push_back(recordAt<CustomerRecord>(y.ctx, y.f[kCustomers], n).balance);
        return b;
    };
    ScriptedDialogs up;
    up.answers = {Answer::Yes};
    EXPECT_EQ(maintenance::shiftCustomerBalances(y.ctx, up, true), ToolResult::Done);
    EXPECT_EQ(balances(), (std::vector<double>{200, 300, 0, 400}));  // customer 4 is past the count
    ScriptedDialogs down;
    down.answers = {Answer::Yes};
    EXPECT_EQ(maintenance::shiftCustomerBalances(y.ctx, down, false), ToolResult::Done);
    EXPECT_EQ(balances(), (std::vector<double>{0, 200, 300, 400}));
    EXPECT_EQ(recordAt<CustomerRecord>(y.ctx, y.f[kCustomers], 2).openingBalance, 7);
}

}  // namespace
}  // namespace rk::test
