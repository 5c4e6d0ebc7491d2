#include "printing/delivery_notes.h"

#include "printing/conventions.h"
#include "printing/fax.h"
#include "printing/messages.h"
#include "printing/slip_heading.h"
#include "printing_builders.h"

namespace rk::test {
namespace {

using namespace printing;

class DeliveryNotes : public PrintingFixture {
protected:
    PrintForm form = defaultPrintForm();  // 10 lines per page

    DeliveryRun run(DeliverySelection sel) {
        SlipSnapshot files(ctx);
        return buildDeliveryRun(files, sel, deliveryLayout(ctx, form));
    }
    Document plan(const DeliveryRun& r, DeliveryForm kind = DeliveryForm::Standard) {
        return planDeliveryNotes(r, ctx, form, kA4, kind);
    }
};

TEST_F(DeliveryNotes, ALineMoreThanAPageHoldsGoesOnASecondPageWithTheTotals) {
    customer(5, "花の店");
    const int n = slip(512, 5, 11);
    process(n, 66000, 5280, 6600, 700);
    DeliveryRun r = run({512, 1, 999, 1});
    ASSERT_EQ(r.slips.size(), 1u);
    ASSERT_EQ(r.pages.size(), 2u);
    EXPECT_EQ(r.pages[0].end, 10u);
    EXPECT_EQ(r.pages[1].first, 10u);

    Document d = plan(r);
    ASSERT_EQ(d.pages.size(), 2u);
    EXPECT_TRUE(hasText(d.pages[0], kContinued));
    EXPECT_FALSE(hasText(d.pages[0], msg::kGrandTotal));
    EXPECT_TRUE(hasText(d.pages[0], " 1 P"));
    EXPECT_TRUE(hasText(d.pages[1], " 2 P"));
    EXPECT_FALSE(hasText(d.pages[1], kContinued));
    // Line amounts 1000 x (1..11); the money rows come from the processed header.
    EXPECT_EQ(valueRightOf(d.pages[1], msg::kSumTotal), "66,000");
    EXPECT_EQ(valueRightOf(d.pages[1], msg::kTaxPlus), "5,280");
    EXPECT_EQ(valueRightOf(d.pages[1], msg::kAPlusB), "7,300");
    EXPECT_EQ(valueRightOf(d.pages[1], msg::kGrandTotal), "63,980");
    EXPECT_EQ(valueRightOf(d.pages[1], msg::kShippedSales), "660");  // 10 x (1..11)
    EXPECT_TRUE(hasText(d.pages[1], "11"));                          // the line number
    EXPECT_TRUE(hasText(d.pages[0], "花の店 様"));
    EXPECT_TRUE(hasText(d.pages[0], " 納　品　書"));
}

TEST_F(DeliveryNotes, LineTextsAndDoubleSpacingTakeRows) {
    customer(5, "花の店");
    {
        CFq7Doc doc(ctx, dialogs);
        newSlip(doc, 601, 5, 10);
        doc.lines[3].textNumber = -1;
        cp932::assign(doc.texts[3].text, "産地直送品");
        ASSERT_EQ(doc.record(), CFq7Doc::WriteResult::Ok);
    }
    DeliveryRun r = run({601, 1, 999, 1});
    ASSERT_EQ(r.pages.size(), 2u);
    EXPECT_EQ(r.pages[0].end, 9u);  // line 3 and its text take two of the ten rows
    Document d = plan(r);
    EXPECT_TRUE(hasText(d.pages[0], "産地直送品"));

    ctx.env.skipLinePrinting = 1;
    r = run({601, 1, 999, 1});
    ASSERT_EQ(r.pages.size(), 3u);  // five lines a page; line 3's text takes a row of its own
    EXPECT_EQ(r.pages[0].end, 4u);
    EXPECT_EQ(r.pages[1].end, 9u);
}

TEST_F(DeliveryNotes, CustomerRangeAndCopiesDecideTheSlipsAndPages) {
    for (int c : {2, 3, 4}) {
        customer(c, "得意先");
        slip(702, c, 2);
    }
    slip(703, 3, 1);  // another date
    DeliveryRun r = run({702, 3, 4, 3});
    ASSERT_EQ(r.slips.size(), 2u);
    EXPECT_EQ(r.slips[0].header.customer, 3);
    EXPECT_EQ(r.pageCount(), 6);
    EXPECT_EQ(plan(r).pages.size(), 6u);
    EXPECT_EQ(chosenPageCount(r, {false, true}), 3);
    EXPECT_EQ(planDeliveryNotes(r, ctx, form, kA4, DeliveryForm::Standard, {false, true}).pages.size(), 3u);
    EXPECT_EQ(run({702, 1, 999, 9}).copies(), 4);
}

TEST_F(DeliveryNotes, BrokenLineSlotsAreCountedAndLeftOut) {
    customer(5, "花の店");
    const int n = slip(512, 5, 3);
    SlipHeader h{};
    ASSERT_TRUE(masters::readRecord(fs, f[kSlipHeaders], n, h));
    h.lineSlots[2] = 0;
    ASSERT_TRUE(masters::writeRecord(fs, f[kSlipHeaders], n, h));
    DeliveryRun r = run({512, 1, 999, 1});
    ASSERT_EQ(r.slips[0].lines.size(), 2u);
    EXPECT_EQ(r.slips[0].lines[1].number, 3);
    EXPECT_EQ(r.invalidMessage(), "該当データに 1 件の不正があります　伝票入力ウインドウで修正してください");
}

TEST_F(DeliveryNotes, MemberStationsMergeEqualLinesWithoutDividingByZero) {
    customer(5, "花の店");
    {
        CFq7Doc doc(ctx, dialogs);
        newSlip(doc, 512, 5, 3);
        setLine(doc, 2, 1, 20, 150);  // same goods as line 1
        doc.lines[2].amount = 3000;
        setLine(doc, 3, 2, 0, 0);
        setLine(doc, 4, 2, 0, 0);  // same as line 3, no quantity
        doc.lines[4].amount = 500;
        ASSERT_EQ(doc.record(), CFq7Doc::WriteResult::Ok);
    }
    ctx.settings.memberNumber = 10;
    DeliveryRun r = run({512, 1, 999, 1});
    ASSERT_EQ(r.slips[0].lines.size(), 2u);
    const SlipLine& merged = r.slips[0].lines[0].line;
    EXPECT_DOUBLE_EQ(merged.quantity, 30);
    EXPECT_DOUBLE_EQ(merged.amount, 1010 + 3000);  // 10 x 101 + 3000
    EXPECT_NEAR(merged.price, 4010.0 / 30, 1e-9);
    EXPECT_EQ(r.slips[0].lines[1].line.price, 0);
    EXPECT_EQ(r.slips[0].lines[1].line.amount, 500);

    ctx.settings.memberNumber = 9;
    EXPECT_EQ(run({512, 1, 999, 1}).slips[0].lines.size(), 4u);
}

TEST_F(DeliveryNotes, BoxCountsFollowTheEnvironmentOption) {
    customer(5, "花の店");
    {
        CFq7Doc doc(ctx, dialogs);
        newSlip(doc, 512, 5, 3);
        for (int j = 1; j <= 3; ++j) doc.lines[j].boxes = j;
        doc.lines[1].packingKind = doc.lines[2].packingKind = 1;
        doc.lines[3].packingKind = 3;
        ASSERT_EQ(doc.record(), CFq7Doc::WriteResult::Ok);
    }
    DeliveryRun r = run({512, 1, 999, 1});
    ctx.env.boxCountPrinting = 0;
    EXPECT_FALSE(hasText(plan(r).pages[0], " 箱  数     3"));
    ctx.env.boxCountPrinting = 1;
    Page p = plan(r).pages[0];
    EXPECT_TRUE(hasText(p, " 箱  数     3"));
    EXPECT_TRUE(hasText(p, " ﾄﾚｰ 数     3"));
    EXPECT_FALSE(hasText(p, " ﾌﾗｺﾝ数     0"));
    ctx.env.boxCountPrinting = 2;  // conditional: every line has a packing kind
    EXPECT_TRUE(hasText(plan(r).pages[0], " 箱  数     3"));

    // The cooperative form: no money, the box and quantity totals.
    Page co = plan(r, DeliveryForm::Cooperative).pages[0];
    EXPECT_TRUE(hasText(co, " 送　り　状"));
    EXPECT_TRUE(hasText(co, "合計"));
    EXPECT_TRUE(hasText(co, "     6"));
    EXPECT_FALSE(hasText(co, msg::kGrandTotal));
}

TEST_F(DeliveryNotes, ThePictureFileIsDrawnWhenItExists) {
    customer(5, "花の店");
    slip(512, 5, 1);
    DeliveryRun r = run({512, 1, 999, 1});
    EXPECT_TRUE(plan(r).pages[0].images.empty());
    ASSERT_TRUE(fs.write(ctx.programFolder() / "納品書.BMP", 0, bytesOf(form), true));  // any case of the name
    const Page p = plan(r).pages[0];
    ASSERT_EQ(p.images.size(), 1u);
    EXPECT_LE(p.images[0].x + p.images[0].w, kA4.right);
    EXPECT_TRUE(plan(r, DeliveryForm::Cooperative).pages[0].images.empty());  // 送り状.Bmp is missing
}

TEST(Fax, NumberFollowsTheLettersFaxInACustomerField) {
    CustomerRecord c{};
    cp932::assign(c.phone, "03-1234-5678 fax:03-1234-5679");
    EXPECT_EQ(faxNumber(c), "0312345679");
    cp932::assign(c.phone, "03-1234-5678");
    EXPECT_FALSE(faxNumber(c));
    cp932::assign(c.department, "仕入課 FAX 012345678901");
    EXPECT_EQ(faxNumber(c), "01234567890");  // at most 11 digits
    EXPECT_EQ(splitCommand(R"(  /usr/bin/sendfax "-c cover" )"),
              (std::vector<std::string>{"/usr/bin/sendfax", "-c cover"}));
    EXPECT_TRUE(splitCommand("   ").empty());
    EXPECT_EQ(faxArguments({"sendfax"}, "a.pdf", "0312"), (std::vector<std::string>{"sendfax", "a.pdf", "0312"}));
}

TEST(SlipHeading, PrintsTheCustomerAndCompanyBlocks) {
    CustomerRecord c{};
    cp932::assign(c.name, "ＪＡ全農ちば");
    cp932::assign(c.producerCode, "4711");
    cp932::assign(c.department, "園芸部");
    c.postalFirst = 12;
    c.postalSecond = 34;
    BasicSettings s{};
    s.businessYear = 2026;
    s.firstMonth = 4;
    cp932::assign(s.bank1, "花銀行 本店 普通 1234567");
    PageMetrics m = pageMetrics(defaultPrintForm(), kA4);
    Page p;
    const int y1 = slipHeading(p, m, {&c, 17, &s, 312, 7, false});
    EXPECT_EQ(y1, 17 * m.u);
    EXPECT_TRUE(hasText(p, "〒012-0034"));
    EXPECT_TRUE(hasText(p, "2027 年  3 月 12 日 "));  // March lies in the following calendar year
    EXPECT_TRUE(hasText(p, "送状No. 3 00070"));
    EXPECT_TRUE(hasText(p, "4711"));
    EXPECT_TRUE(hasText(p, "園芸部"));
    EXPECT_TRUE(hasText(p, "花銀行 本店 普通 1234567"));
    EXPECT_TRUE(hasText(p, "ｺｰﾄﾞ  17 "));
    const size_t withDoubleRule = p.rules.size();
    Page q;
    slipHeading(q, m, {&c, 17, &s, 312, 7, true});
    EXPECT_EQ(q.rules.size() + 2, withDoubleRule);
}

}  // namespace
}  // namespace rk::test
