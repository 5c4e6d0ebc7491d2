#include "slips/slip_lines.h"

#include <gtest/gtest.h>

#include "base/cp932.h"
#include "masters/master_io.h"
#include "slips/CFq7Doc.h"
#include "slips/slip_builders.h"
#include "slips/slip_messages.h"
#include "support/installation.h"

namespace rk::test {
namespace {

class SlipLines : public ::testing::Test {
protected:
    Installation inst;
    AppContext& ctx = *inst.ctx;
    FileSystem& fs = ctx.files;
    const FileSet& f = ctx.fileSet;
    ScriptedDialogs dialogs;
    CFq7Doc doc{ctx, dialogs};

    void SetUp() override {
        ProductRecord p{};
        cp932::assign(p.name, "スプレーバラ", ' ');
        cp932::assign(p.unit, "本");
        p.decimals = 2;
        p.salesDebit = 110;
        p.salesCredit = 400;
        p.packingKind = kPackBox;
        ASSERT_TRUE(masters::writeProduct(fs, f[kProducts], 12, p));
        GradeRecord g{};
        cp932::assign(g.grade1Name, "秀");
        cp932::assign(g.grade2Name, "2L");
        ASSERT_TRUE(masters::writeRecord(fs, f[kGrades], 3, g));
        RemarkRecord r{};
        cp932::assign(r.text, "産地直送");
        ASSERT_TRUE(masters::writeRecord(fs, f[kRemarks], 7, r));
        RemarkRecord lr{};
        cp932::assign(lr.text, "長い備考の文章がここに入ります");
        ASSERT_TRUE(masters::writeRecord(fs, f[kRemarks], 501, lr));
        doc.header.stage = kStageDelivery;
    }

    // Types a line the way the grid stores it: method, product, grades, quantity, price.
    void typeLine(SlipLineEditor& ed, int a, int product, double q, double price) {
        ed.storeMethod(a, 1);
        ed.storeProduct(a, product);
        ed.storeGrade(a, 1, 3);
        ed.storeGrade(a, 2, 0);
        ed.storeQuantity(a, q);
        ed.storePrice(a, price);
        ed.recount();
    }
    std::string remark(int a) { return cp932::toUtf8(doc.lines[a].remark); }
};

TEST_F(SlipLines, ProductFillAndQuantityCascadeByMode) {
    SlipLineEditor ed(doc, ctx, dialogs, 2);
    EXPECT_EQ(ed.storeProduct(1, 12), kFieldGrade1);
    const SlipLine& l = doc.lines[1];
    EXPECT_EQ(cp932::toUtf8(l.productName), "スプレーバラ    ");
    EXPECT_EQ(cp932::toUtf8(l.unit), "本");
    EXPECT_EQ(l.debit, 110);
    EXPECT_EQ(l.credit, 400);
    EXPECT_EQ(l.packingKind, kPackBox);
    EXPECT_EQ(ed.storeGrade(1, 1, 3), kFieldGrade2);
    EXPECT_EQ(ed.storeGrade(1, 2, 0), kFieldQuantity);
    EXPECT_EQ(l.grade2, kNoGrade);
    EXPECT_EQ(cp932::toUtf8(doc.names[1].grade1), "秀");

    doc.lines[1].ordered = 9;
    ed.storeQuantity(1, 5);  // mode 2 leaves the order alone
    EXPECT_EQ(l.ordered, 9);
    EXPECT_EQ(l.delivered, 5);
    EXPECT_EQ(l.quantity, 5);

    SlipLineEditor order(doc, ctx, dialogs, 1);
    order.storeQuantity(1, 7);
    EXPECT_EQ(l.ordered, 7);
    EXPECT_EQ(l.quantity, 7);
    SlipLineEditor settle(doc, ctx, dialogs, 3);
    settle.storeQuantity(1, 6);
    EXPECT_EQ(l.ordered, 7);
    EXPECT_EQ(l.delivered, 7);
    EXPECT_EQ(l.quantity, 6);

    EXPECT_EQ(ed.storeProduct(2, 99), kFieldName);
    ed.storeProduct(1, -4);  // ignored
    EXPECT_EQ(l.product, 12);

    // Enter on a field whose value is kept goes where storing it would: past the name unless
    // the product is 99, and to the pieces after grade 2 when boxes are typed.
    EXPECT_EQ(ed.nextField(1, kFieldProduct), kFieldGrade1);
    EXPECT_EQ(ed.nextField(2, kFieldProduct), kFieldName);
    EXPECT_EQ(ed.nextField(1, kFieldGrade2), kFieldQuantity);
    ctx.env.autoBoxInput = 1;
    EXPECT_EQ(ed.nextField(1, kFieldGrade2), kFieldPieces);
    EXPECT_EQ(ed.nextField(1, kFieldQuantity), kFieldPrice);
}

TEST_F(SlipLines, AmountsAreDecimalSafeAndPriceFollowsAmount) {
    SlipLineEditor ed(doc, ctx, dialogs, 2);
    typeLine(ed, 1, 12, 3, 123.45);
    EXPECT_EQ(doc.lines[1].amount, 370);
    EXPECT_EQ(doc.lines[1].priceDecimals, 2);
    ed.storeQuantity(1, 100);
    ed.storePrice(1, 1.13);
    EXPECT_EQ(doc.lines[1].amount, 113);  // not 112 from 112.99999...

    ed.storeQuantity(1, 3);
    ed.storeAmount(1, 1000);
    EXPECT_DOUBLE_EQ(doc.lines[1].price, 1000.0 / 3);
    EXPECT_EQ(doc.lines[1].amount, 1000);
}

TEST_F(SlipLines, ValidLinesAndTotals) {
    SlipLineEditor ed(doc, ctx, dialogs, 2);
    typeLine(ed, 1, 12, 10, 100);
    typeLine(ed, 2, 12, 5, 50);
    typeLine(ed, 3, 12, 2, 30);
    doc.lines[1].boxes = 2;
    SlipTotals t = ed.recount();
    EXPECT_EQ(t.lines, 3);
    EXPECT_EQ(t.amount, 1310);
    EXPECT_EQ(t.quantity, 17);
    EXPECT_EQ(t.boxes, 2);
    EXPECT_EQ(doc.header.amount, 1310);
    EXPECT_EQ(doc.header.lineCount, 3);

    ed.storeCredit(2, 99);  // a credit account below 100 ends the valid lines
    t = ed.recount();
    EXPECT_EQ(t.lines, 1);
    EXPECT_EQ(t.amount, 1310);  // totals still cover every line
}

TEST_F(SlipLines, DistributionSharesAtOnePriceAndBeepsOnZeroQuantity) {
    SlipLineEditor ed(doc, ctx, dialogs, 2);
    typeLine(ed, 1, 12, 1, 0);
    typeLine(ed, 2, 12, 1, 0);
    typeLine(ed, 3, 12, 1, 0);
    typeLine(ed, 4, 12, 1, 500);  // already has an amount: not part of the share
    ASSERT_TRUE(ed.distributeAmount(1, 1000));
    EXPECT_EQ(doc.lines[1].amount, 333);
    EXPECT_EQ(doc.lines[2].amount, 333);
    EXPECT_EQ(doc.lines[3].amount, 334);
    EXPECT_EQ(doc.lines[4].amount, 500);
    EXPECT_DOUBLE_EQ(doc.lines[2].price, 1000.0 / 3);

    SlipLineEditor settle(doc, ctx, dialogs, 3);
    for (int j = 1; j <= 4; ++j) {
        doc.lines[j].amount = 0;
        doc.lines[j].quantity = 0;
    }
    EXPECT_FALSE(settle.distributeAmount(1, 1000));
    EXPECT_EQ(dialogs.beeps, 1);
    EXPECT_EQ(doc.lines[1].amount, 0);
}

TEST_F(SlipLines, RemarksBoxesAndBuyer) {
    ctx.env.warnRemarkRewrite = 1;
    SlipLineEditor ed(doc, ctx, dialogs, 2);
    typeLine(ed, 1, 12, 0, 100);
    ed.storeRemarkCode(1, 7);
    EXPECT_EQ(remark(1), "産地直送");
    dialogs.answers = {Answer::No};
    ed.storeRemarkCode(1, 501);  // asked first; No keeps the remark
    EXPECT_EQ(doc.lines[1].remarkCode, 7);
    ASSERT_EQ(dialogs.shown.back(), msg::kOverwriteRemark);
    dialogs.answers = {Answer::Yes};
    ed.storeRemarkCode(1, 501);
    EXPECT_EQ(doc.lines[1].textNumber, -1);
    EXPECT_EQ(cp932::toUtf8(doc.texts[1].text), "長い備考の文章がここに入ります");
    ed.storeRemarkCode(1, 0);
    EXPECT_EQ(doc.lines[1].textNumber, 0);

    ctx.env.warnRemarkRewrite = 0;
    ed.storePieces(1, 10);
    ed.storeBoxes(1, 3);
    EXPECT_EQ(doc.lines[1].quantity, 30);
    EXPECT_EQ(doc.lines[1].amount, 3000);
    EXPECT_EQ(remark(1), "10本x3箱 ");

    // An order line's box text is cut at a character boundary, never inside a character.
    doc.lines[1].salesMethod = 2;
    doc.lines[1].piecesPerBox = 1000;
    doc.lines[1].boxes = 200;
    ASSERT_TRUE(ed.applyPacking(1, kPackContainer));
    EXPECT_EQ(remark(1), "1000本x200ﾌﾗｺﾝ ");  // 16 bytes: "注文品" does not fit
    ASSERT_TRUE(ed.applyPacking(1, kPackBox));
    EXPECT_EQ(remark(1), "1000本x200箱 注");  // the half of 文 that would fit is dropped

    cp932::assign(doc.lines[1].remark, "切花 注文品55");
    ed.storeBuyer(1, 123);
    EXPECT_EQ(remark(1), "切花 注文品123");

    SlipLineEditor settle(doc, ctx, dialogs, 3);
    EXPECT_FALSE(settle.storeBoxes(1, 2));
    EXPECT_EQ(dialogs.shown.back(), msg::kNoBoxesInMode);

    ed.storeMethod(2, 2);
    EXPECT_EQ(remark(2), " 注文品");
    ed.storeMethod(2, 1);
    EXPECT_EQ(dialogs.shown.back(), msg::kOrderWordElsewhere);
}

TEST_F(SlipLines, InsertDeleteMoveSlotsWithTheirLines) {
    SlipLineEditor ed(doc, ctx, dialogs, 2);
    for (int j = 1; j <= 3; ++j) {
        typeLine(ed, j, 12, j, 10);
        doc.header.lineSlots[j] = 40 + j;
    }
    ASSERT_TRUE(ed.insertLine(2));
    EXPECT_EQ(dialogs.shown.back(), msg::kLineInserted);
    EXPECT_EQ(doc.header.lineSlots[2], -1);
    EXPECT_EQ(doc.header.lineSlots[3], 42);
    EXPECT_EQ(doc.header.lineSlots[4], 43);
    EXPECT_EQ(doc.lines[3].quantity, 2);
    EXPECT_EQ(doc.lines[2].owner, -1);
    EXPECT_EQ(ed.recount().lines, 1);  // the empty line stops the count

    ASSERT_TRUE(ed.deleteLine(2));  // the unfinished line itself goes; nothing valid is lost
    EXPECT_EQ(ed.recount().lines, 3);
    EXPECT_EQ(doc.header.lineSlots[2], 42);
    ASSERT_TRUE(ed.deleteLine(1));
    EXPECT_EQ(ed.recount().lines, 2);
    EXPECT_EQ(doc.header.lineSlots[1], 42);
    EXPECT_EQ(doc.header.lineSlots[2], 43);
    EXPECT_EQ(doc.header.lineSlots[3], -1);
    EXPECT_EQ(doc.lines[1].quantity, 2);

    doc.header.stage = kStageSettled;
    EXPECT_FALSE(ed.deleteLine(1));
    EXPECT_FALSE(ed.insertLine(1));
    EXPECT_EQ(dialogs.shown.back(), msg::kSettledNoInsert);
}

TEST_F(SlipLines, CopyPreviousAndSplit) {
    ctx.env.copyInputPoint = 6;
    ctx.env.autoBoxInput = 1;
    SlipLineEditor ed(doc, ctx, dialogs, 2);
    typeLine(ed, 1, 12, 5, 123.45);
    doc.lines[1].buyer = 8;
    EXPECT_EQ(ed.copyPrevious(2), kFieldPieces);  // boxed product with the box-entry switch
    EXPECT_EQ(doc.lines[2].product, 12);
    EXPECT_EQ(doc.lines[2].grade1, 3);
    EXPECT_EQ(doc.lines[2].quantity, 0);
    EXPECT_EQ(doc.lines[2].buyer, 0);
    EXPECT_EQ(doc.lines[2].credit, 400);
    EXPECT_EQ(cp932::toUtf8(doc.names[2].grade1), "秀");
    doc.lines[2] = {};

    doc.header.lineSlots[1] = 5;
    ASSERT_TRUE(ed.split(1));
    EXPECT_EQ(doc.lines[1].delivered, 4);
    EXPECT_EQ(doc.lines[1].quantity, 4);
    EXPECT_EQ(doc.lines[2].quantity, 1);
    EXPECT_EQ(doc.lines[2].ordered, 0);
    EXPECT_EQ(doc.lines[2].amount, 123);  // whole yen on the new line
    EXPECT_EQ(doc.lines[1].amount, 617 - 123);
    EXPECT_EQ(doc.header.lineSlots[2], -1);
    EXPECT_EQ(doc.header.lineSlots[1], 5);

    doc.lines[2].delivered = 1;
    EXPECT_FALSE(ed.split(2));
    EXPECT_EQ(dialogs.shown.back(), msg::kSplitTooFew);
    doc.header.stage = kStageOrder;
    EXPECT_FALSE(ed.split(1));
    EXPECT_EQ(dialogs.shown.back(), msg::kSplitOnlyDelivery);
}

TEST_F(SlipLines, SortKeepsSlotsAndTaxReduction) {
    SlipLineEditor ed(doc, ctx, dialogs, 2);
    typeLine(ed, 1, 12, 1, 10);
    typeLine(ed, 2, 12, 2, 10);
    doc.lines[1].grade1 = 7;
    doc.header.lineSlots[1] = 11;
    doc.header.lineSlots[2] = 12;
    ed.sort();
    EXPECT_EQ(doc.lines[1].quantity, 2);
    EXPECT_EQ(doc.lines[2].grade1, 7);
    EXPECT_EQ(doc.header.lineSlots[1], 11);

    ctx.settings.taxRate = 5;
    ed.storeQuantity(1, 1);
    ed.storeAmount(1, 1050);
    dialogs.answers = {Answer::Yes};
    ASSERT_TRUE(ed.reduceTax(1));
    EXPECT_EQ(dialogs.shown.back(), "元金額計  1050 \n消税額分  50 \n新合計額  1000  とします よろしいですか ");
    EXPECT_EQ(doc.lines[1].amount, 1000);
    EXPECT_EQ(doc.lines[1].price, 1000);

    doc.header.stage = kStageProcessed;
    dialogs.answers = {Answer::No};
    EXPECT_FALSE(ed.reduceTax(1));
    EXPECT_EQ(doc.header.stage, kStageDelivery);
    doc.header.stage = kStageSettled;
    EXPECT_FALSE(ed.reduceTax(1));
}

TEST_F(SlipLines, CopyAndPasteThroughTheLineFile) {
    SlipLineEditor ed(doc, ctx, dialogs, 2);
    for (int j = 1; j <= 3; ++j) typeLine(ed, j, 12, j, 10);
    doc.lines[2].textNumber = 17;
    doc.lines[2].word200 = 4;  // home-delivery slip of line 2
    doc.lines[3].purchaseRef = 1200;
    ed.toggleMark(1);
    ed.toggleMark(2);
    ed.toggleMark(3);
    ASSERT_TRUE(ed.copyMarked());
    EXPECT_FALSE(ed.marked(2));
    EXPECT_EQ(fs.size(ctx.programFolder() / "行保存.Tmp"), 3 * kSlipLineSize);

    EXPECT_EQ(ed.paste(98), 2);  // never beyond line 99
    EXPECT_EQ(doc.lines[98].quantity, 1);
    EXPECT_EQ(doc.lines[99].quantity, 2);
    EXPECT_EQ(doc.lines[99].textNumber, 0);
    EXPECT_EQ(doc.lines[99].word200, 0);
    EXPECT_EQ(ed.paste(5), 3);
    EXPECT_EQ(doc.lines[7].purchaseRef, 0);
    EXPECT_EQ(doc.lines[6].textNumber, 0);
}

}  // namespace
}  // namespace rk::test

namespace rk::test {
namespace {

// Product codes above 1000 refer to a line of the purchase edition's slip line file.
TEST_F(SlipLines, PurchaseReferenceTakesTheGoodsAndGuardsTheBoughtQuantity) {
    fs::path bought = f[kSlipLines].parent_path() / ("S" + f[kSlipLines].filename().string().substr(1));
    SlipLine p{};
    p.product = 12;
    p.grade1 = 3;
    p.grade2 = kNoGrade;
    p.quantity = 50;
    ASSERT_TRUE(fs.createZeroed(bought, 4 * kSlipLineSize));
    ASSERT_TRUE(fs.write(bought, 3 * kSlipLineSize, bytesOf(p)));
    // Another slip of the date already took 10 of it.
    {
        CFq7Doc other(ctx, dialogs);
        newSlip(other, 512, 8, 1);
        other.lines[1].purchaseRef = 3;
        other.lines[1].quantity = 10;
        ASSERT_EQ(other.record(), CFq7Doc::WriteResult::Ok);
    }
    doc.header.date = 512;
    doc.header.customer = 7;
    SlipLineEditor ed(doc, ctx, dialogs, 2);
    EXPECT_EQ(ed.storeProduct(1, 1003), int(kFieldGrade1));
    EXPECT_EQ(doc.lines[1].product, 12);
    EXPECT_EQ(doc.lines[1].purchaseRef, 3);
    EXPECT_EQ(doc.lines[1].grade1, 3);
    EXPECT_EQ(std::string(doc.names[1].grade1, 2), cp932::fromUtf8("秀"));
    ed.storeQuantity(1, 30);
    EXPECT_EQ(doc.lines[1].quantity, 30);

    ed.storeProduct(2, 1003);
    dialogs.shown.clear();
    ed.storeQuantity(2, 11);  // 50 - 10 - 30 = 10 left
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{msg::kOverPurchased});
    EXPECT_EQ(doc.lines[2].quantity, 0);
    ed.storeQuantity(2, 10);
    EXPECT_EQ(doc.lines[2].quantity, 10);
    EXPECT_EQ(ed.purchaseRemainder(2), 10);

    // A line that is not there (or holds no product) is no reference.
    EXPECT_EQ(ed.storeProduct(3, 1009), int(kFieldProduct));
    EXPECT_EQ(ed.storeProduct(3, 1001), int(kFieldProduct));
    EXPECT_EQ(doc.lines[3].product, 0);
    EXPECT_EQ(doc.lines[3].purchaseRef, 0);
}

}  // namespace
}  // namespace rk::test
