// What slip entry offers to pick from: the customers of a date with their slip stages, the
// reference lists of the grid fields and the character searches.
#include "slips/master_lists.h"

#include <gtest/gtest.h>

#include "base/cp932.h"
#include "masters/master_io.h"
#include "slips/slip_builders.h"
#include "slips/slip_lines.h"
#include "support/installation.h"

namespace rk::test {
namespace {

void customer(AppContext& ctx, int n, const char* name) {
    CustomerRecord c{};
    cp932::assign(c.name, name);
    ASSERT_TRUE(masters::writeRecord(ctx.files, ctx.fileSet[kCustomers], n, c));
}

void record(AppContext& ctx, int32_t date, int32_t customerNumber, int32_t stage, const char* name = "") {
    ScriptedDialogs d;
    CFq7Doc doc(ctx, d);
    newSlip(doc, date, customerNumber, 1, stage);
    cp932::assign(doc.header.customerName, name);
    ASSERT_EQ(doc.record(), CFq7Doc::WriteResult::Ok);
}

std::string utf8(const PickEntry& e) { return cp932::toUtf8(e.text.data(), e.text.size()); }

TEST(DateCustomerList, DeliveryModeListsEveryCustomerAndMarksTheSlipsOfTheDate) {
    Installation inst;
    AppContext& ctx = *inst.ctx;
    ctx.env.customerCount = 2999;
    customer(ctx, 5, "花丸生花");
    customer(ctx, 2500, "遠野園芸");
    record(ctx, 512, 5, kStageProcessed, "花丸生花 本店");
    record(ctx, 512, 2500, kStageOrder);
    record(ctx, 513, 12, kStageDelivery);
    record(ctx, 512, 12, kStageDelivery);
    ScriptedDialogs d;
    CFq7Doc doc(ctx, d);
    ASSERT_TRUE(doc.findAndLoad(512, 12));
    ASSERT_EQ(doc.deleteSlip(), CFq7Doc::WriteResult::Ok);  // a deleted slip is no slip

    const auto rows = dateCustomerList(ctx, 512, 2);
    ASSERT_EQ(rows.size(), 2999u);  // the whole customer count, not 999
    EXPECT_EQ(rows[4].customer, 5);
    EXPECT_EQ(rows[4].stage, int(kStageProcessed));
    EXPECT_EQ(cp932::toUtf8(rows[4].name.data(), rows[4].name.size()), "花丸生花 本店");  // the slip's name
    EXPECT_EQ(rows[11].stage, -1);
    EXPECT_EQ(rows[2499].stage, int(kStageOrder));
    EXPECT_EQ(rows[0].stage, -1);

    // Settlement mode: only the live slips of the date, in index order.
    const auto existing = dateCustomerList(ctx, 512, 3);
    ASSERT_EQ(existing.size(), 2u);
    EXPECT_EQ(existing[0].customer, 5);
    EXPECT_EQ(existing[1].customer, 2500);
    EXPECT_TRUE(dateCustomerList(ctx, 601, 4).empty());
}

TEST(MasterLists, ReferenceListsCarryTheirCodes) {
    Installation inst;
    AppContext& ctx = *inst.ctx;
    ProductRecord p{};
    cp932::assign(p.name, "スプレーバラ");
    ASSERT_TRUE(masters::writeProduct(ctx.files, ctx.fileSet[kProducts], 12, p));
    GradeRecord g{};
    cp932::assign(g.grade1Name, "秀");
    cp932::assign(g.grade2Name, "2L");
    ASSERT_TRUE(masters::writeRecord(ctx.files, ctx.fileSet[kGrades], 3, g));
    AccountItemRecord a{};
    cp932::assign(a.name, "売掛金");
    ASSERT_TRUE(masters::writeRecord(ctx.files, ctx.fileSet[kAccounts], 110, a));

    const auto products = referenceList(ctx, referenceKind(kFieldName));
    ASSERT_EQ(products.size(), 499u);
    EXPECT_EQ(products[11].code, 12);
    EXPECT_EQ(utf8(products[11]), "  12  スプレーバラ");
    const auto grades2 = referenceList(ctx, referenceKind(kFieldGrade2));
    ASSERT_EQ(grades2.size(), 100u);
    EXPECT_EQ(utf8(grades2[2]), "   3  2L");
    EXPECT_EQ(referenceList(ctx, MasterKind::Remark).size(), 999u);
    const auto accounts = referenceList(ctx, referenceKind(kFieldCredit));
    ASSERT_EQ(accounts.size(), 500u);
    EXPECT_EQ(accounts[10].code, 110);
    EXPECT_EQ(utf8(accounts[10]), " 110  売掛金");
    EXPECT_EQ(utf8(accounts[299]).substr(0, 6), " 399  ");  // the fixed name of 399
    EXPECT_TRUE(referenceList(ctx, referenceKind(kFieldQuantity)).empty());
    // A choice goes to the code field of its kind; accounts stay in their own field.
    EXPECT_EQ(codeField(MasterKind::Product, kFieldName), int(kFieldProduct));
    EXPECT_EQ(codeField(MasterKind::Remark, kFieldRemarkText), int(kFieldRemarkCode));
    EXPECT_EQ(codeField(MasterKind::Account, kFieldDebit), int(kFieldDebit));
}

TEST(MasterLists, SearchesFindWholeCharactersWithinTheirRange) {
    Installation inst;
    AppContext& ctx = *inst.ctx;
    ctx.env.customerCount = 1999;
    for (int n : {12, 700}) {
        ProductRecord p{};
        cp932::assign(p.name, n == 12 ? "スプレーバラ" : "ミニバラ");
        ASSERT_TRUE(masters::writeProduct(ctx.files, ctx.fileSet[kProducts], n, p));
    }
    RemarkRecord r{};
    cp932::assign(r.text, "市場直送");
    ASSERT_TRUE(masters::writeRecord(ctx.files, ctx.fileSet[kRemarks], 640, r));
    customer(ctx, 1500, "花丸生花");
    customer(ctx, 3, "丸花商店");

    const auto found = searchMaster(ctx, MasterKind::Product, cp932::fromUtf8("バラ  "));  // trailing blanks dropped
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[1].code, 700);  // beyond the 499 of the reference list
    EXPECT_EQ(searchMaster(ctx, MasterKind::Remark, cp932::fromUtf8("直送"))[0].code, 640);
    EXPECT_TRUE(searchMaster(ctx, MasterKind::Product, "  ").empty());
    const auto customers = searchCustomerNames(ctx, cp932::fromUtf8("花丸"));
    ASSERT_EQ(customers.size(), 1u);
    EXPECT_EQ(customers[0].code, 1500);
    EXPECT_EQ(searchCustomerNames(ctx, cp932::fromUtf8("丸")).size(), 2u);
}

}  // namespace
}  // namespace rk::test
