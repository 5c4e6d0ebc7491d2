#include "base/cp932.h"
#include "masters/account_items.h"
#include "printing/master_print.h"
#include "printing/tags.h"
#include "printing_builders.h"

namespace rk::test {
namespace {

using namespace printing;

class TagsAndLists : public PrintingFixture {};

TEST_F(TagsAndLists, OneTagPerLineSixToAPage) {
    customer(3, "鈴木生花店");
    customer(9, "佐藤花店");
    slip(512, 3, 7);
    slip(512, 9, 3);
    slip(513, 3, 2);  // another date
    cp932::assign(ctx.settings.name, "ラクレナ花卉");
    SlipSnapshot files(ctx);
    TagRun run = buildTagRun(files, {512, 1, 999});
    EXPECT_EQ(run.slips, 2);
    EXPECT_EQ(run.tagCountText(), " タック枚数  10 枚");
    EXPECT_EQ(run.slipCountText(), " 該当伝票数   2 件");

    const Document doc = planTags(run, ctx, defaultPrintForm(), {0, 0, 8640, 3000, 600});
    ASSERT_EQ(doc.pages.size(), 2u);
    EXPECT_EQ(doc.pages[0].texts.size(), 6u * 4);
    EXPECT_EQ(doc.pages[1].texts.size(), 4u * 4);
    EXPECT_EQ(doc.pageWidthInch, 14.4);
    // The seventh line of the first slip starts the second page in its first cell.
    const auto& first = doc.pages[1].texts;
    EXPECT_EQ(first[0].text, "品名  バラ");
    EXPECT_EQ(first[1].text, "規格  秀   ");
    EXPECT_EQ(first[2].text, "宛先  鈴木生花店  御中");
    EXPECT_EQ(first[3].text, "発送元  ラクレナ花卉");
    EXPECT_EQ(first[1].y - first[0].y, 200);  // a third of an inch
    // Cells: 4.8 inches across, 2.5 down.
    EXPECT_EQ(doc.pages[0].texts[4].x - doc.pages[0].texts[0].x, 2880);
    EXPECT_EQ(doc.pages[0].texts[12].y - doc.pages[0].texts[0].y, 1500);
    EXPECT_EQ(doc.pages[1].texts[6].text, "宛先  佐藤花店  御中");

    // The customer range leaves the other slip out; no slip on a date prints nothing.
    EXPECT_EQ(buildTagRun(files, {512, 5, 999}).tags.size(), 3u);
    EXPECT_EQ(buildTagRun(files, {601, 1, 999}).pageCount(), 0);
}

TEST_F(TagsAndLists, CustomerCsvLines) {
    CustomerRecord c{};
    cp932::assign(c.name, "鈴木生花店");
    cp932::assign(c.honorific, "様");
    cp932::assign(c.department, "仕入部");
    cp932::assign(c.address, "東京都大田区東海1-2");
    cp932::assign(c.phone, "03-1234-5678");
    c.postalFirst = 123;
    c.postalSecond = 4567;
    c.commissionRounding = 5;  // damaged: the nearest end
    c.paymentAccount = 101;
    c.balance = 12000.9;
    c.openingBalance = -300.5;
    ASSERT_TRUE(masters::writeRecord(fs, f[kCustomers], 4, c));
    c = {};
    cp932::assign(c.name, "花,の店");  // a comma in a name is quoted
    c.commissionRounding = 1;
    c.paymentAccount = 7;  // no item: the environment's payment account
    ASSERT_TRUE(masters::writeRecord(fs, f[kCustomers], 5, c));
    ctx.env.debit[8] = 100;

    const MasterTable t = loadMasterTable(ctx, {MasterList::Customers, 4, 5, 6});
    ASSERT_TRUE(t.ok);
    const std::string csv = cp932::toUtf8(masterCsv(t, Edition::Sales));
    EXPECT_EQ(csv,
              "ｺｰﾄﾞ,得意先名,敬称 ,部所名, 所在地, 電話番号, 生産者ｺｰﾄﾞ, 郵便番号, 計算法, 入金科目, 前回残高, "
              "期首残高   \r\n"
              " 4, 鈴木生花店,様,仕入部,東京都大田区東海1-2,03-1234-5678,,1234567,切り捨て,○○銀行預金,12000,-300\r\n"
              " 5, \"花,の店\",,,,,,0,四捨五入,現金,0,0\r\n");
    ASSERT_TRUE(writeMasterCsv(ctx, t));
    EXPECT_EQ(fs.readAll(ctx.programFolder() / kMasterCsvFile).value_or(Bytes{}).size(),
              masterCsv(t, Edition::Sales).size());
}

TEST_F(TagsAndLists, OtherListsAndThePrintedPages) {
    ProductRecord p{};
    cp932::assign(p.name, "スプレーバラ");
    cp932::assign(p.unit, "本");
    p.salesDebit = 110;
    p.salesCredit = 400;
    p.decimals = 2;
    ASSERT_TRUE(masters::writeProduct(fs, f[kProducts], 12, p));
    const std::string products =
        cp932::toUtf8(masterCsv(loadMasterTable(ctx, {MasterList::Products, 12, 12, 6}), ctx.edition));
    EXPECT_EQ(products,
              "ｺｰﾄﾞ,商品名,単位,借方ｺｰﾄﾞ,借方名,貸方ｺｰﾄﾞ,貸方名, 入物ｺｰﾄﾞ, 小数点    \r\n"
              " 12, スプレーバラ,本,110,売り掛け,400,売り上げ,0,2\r\n");
    const std::string accounts =
        cp932::toUtf8(masterCsv(loadMasterTable(ctx, {MasterList::Accounts, 399, 400, 6}), ctx.edition));
    EXPECT_EQ(accounts, "科目ｺｰﾄﾞ, 科目名, 借り方, 貸方   \r\n 399, 累積未処分利益,,0\r\n 400, 売り上げ,,\r\n");

    // A range beyond the list is clamped; the printed pages follow the pitch.
    const MasterTable grades = loadMasterTable(ctx, {MasterList::Grades, 0, 500, 6});
    EXPECT_EQ(grades.rows.size(), 99u);
    const Document doc = planMasterList(grades, defaultPrintForm(), kA4);
    ASSERT_GE(doc.pages.size(), 2u);
    EXPECT_TRUE(hasText(doc.pages[0], "規格マスター"));
    EXPECT_TRUE(hasText(doc.pages[0], "   1"));
    EXPECT_TRUE(hasText(doc.pages[0], "秀"));
    EXPECT_TRUE(hasText(doc.pages[1], " 2 P"));
}

}  // namespace
}  // namespace rk::test
