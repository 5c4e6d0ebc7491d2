// Name search, order, commission and buyer totals on small hand-built years: what they
// count, their CSV files byte for byte, and the command line writing the same bytes.
#include <gtest/gtest.h>

#include "base/cp932.h"
#include "masters/master_io.h"
#include "payments/payment_record.h"
#include "support/installation.h"
#include "tables/buyer_totals.h"
#include "tables/commission_totals.h"
#include "tables/name_search.h"
#include "tables/order_totals.h"
#include "tables/year_builder.h"

namespace rk::tables {
namespace {

std::string sj(const char* s) { return cp932::fromUtf8(s); }
std::string text(const Bytes& b) { return std::string(reinterpret_cast<const char*>(b.data()), b.size()); }

struct Search : ::testing::Test {
    test::Installation inst;
    AppContext& ctx = *inst.ctx;
    test::YearBuilder year{ctx.files, ctx.fileSet};

    int slip(int date, int customer, int stage, const char* name, std::initializer_list<test::LineSpec> lines) {
        const int r = year.slip(date, customer, stage, lines);
        year.change(r, [&](SlipHeader& h) { cp932::assign(h.customerName, name); });
        return r;
    }
    void product(int n, const char* name) {
        ProductRecord p{};
        cp932::assign(p.name, name);
        ASSERT_TRUE(masters::writeRecord(ctx.files, ctx.fileSet[kProducts], n, p));
    }
    void grade(int n, const char* first, const char* second) {
        GradeRecord g{};
        cp932::assign(g.grade1Name, first);
        cp932::assign(g.grade2Name, second);
        ASSERT_TRUE(masters::writeRecord(ctx.files, ctx.fileSet[kGrades], n, g));
    }
    void payment(int date, int customer, const char* name, double fee) {
        PaymentRecord p{};
        p.date = date;
        p.customer = customer;
        p.fee = fee;
        cp932::assign(p.customerName, name);
        ASSERT_TRUE(ctx.files.append(ctx.fileSet[kPayments], bytesOf(p)));
    }
    std::string file(const fs::path& p) { return text(ctx.files.readAll(p).value_or(Bytes{})); }
    int cli(const std::string& args) {
        const std::string cmd =
            std::string(RAKURENA_CLI) + " " + args + " " + ctx.programFolder().string() + " >/dev/null 2>&1";
        return WEXITSTATUS(std::system(cmd.c_str()));
    }
};

TEST_F(Search, NameSearchMatchesByNameOrCodeAndWritesTheLines) {
    const int first =
        slip(305, 12, kStageProcessed, "花の店",
             {{.product = 3, .quantity = 10, .amount = 1500, .grade2 = 99, .member = 4, .price = 150, .name = "バラ"}});
    year.change(first, [](SlipHeader& h) {
        h.tax = 120;
        h.commission = 50;
        h.deductions[2] = 30;
        h.settlementDate = 420;
    });
    slip(410, 7, kStageDelivery, "第12花壇", {{.product = 5, .quantity = 2, .amount = 199, .price = 99.5}});
    const int gone = slip(411, 12, kStageSettled, "花の店", {{}});
    year.change(gone, [](SlipHeader& h) { h.date = -411; });
    slip(1201, 3, kStageProcessed, "山田12", {{}});

    NameSearch byCode = runNameSearch(ctx, 101, 1130, "12", NameMatch::Code);
    ASSERT_TRUE(byCode.read);
    ASSERT_EQ(byCode.rows.size(), 1u);
    EXPECT_EQ(byCode.rows[0].customer, 12);
    EXPECT_EQ(byCode.rows[0].settlementDate, 420);
    EXPECT_DOUBLE_EQ(byCode.total.sales, 1620);
    EXPECT_DOUBLE_EQ(byCode.total.net(), 1620 - 50 - 30);
    NameSearch containing = runNameSearch(ctx, 101, 1130, "12", NameMatch::Contains);
    ASSERT_EQ(containing.rows.size(), 1u);
    EXPECT_EQ(containing.rows[0].customer, 7);
    EXPECT_EQ(runNameSearch(ctx, 101, 1231, "12", NameMatch::Contains).rows.size(), 2u);
    EXPECT_EQ(runNameSearch(ctx, 101, 1231, sj("花"), NameMatch::StartsWith).rows.size(), 1u);
    EXPECT_EQ(runNameSearch(ctx, 101, 1231, "", NameMatch::Contains).rows.size(), 3u);

    ASSERT_TRUE(writeNameSearchCsv(ctx, byCode, ctx.programFolder() / "d.Csv"));
    EXPECT_EQ(
        file(ctx.programFolder() / "d.Csv"),
        sj("属性,月日,得意先No,得意先名,行No,会員No,売り方,品ｺｰﾄﾞ,品名,規格１ｺｰﾄﾞ,規格２ｺｰﾄﾞ,備考ｺｰﾄﾞ,備考名,数量,"
           "単価,金額 \r\n2, 305, 12, 花の店, 1, 4, 1, 3, バラ, 1, 99, 0, , 10, 150, 1500, \r\n"));
    ASSERT_EQ(cli("export name-search --to 11 --search 12 --match code -o " + (ctx.programFolder() / "c.Csv").string()),
              0);
    EXPECT_EQ(file(ctx.programFolder() / "c.Csv"), file(ctx.programFolder() / "d.Csv"));
}

TEST_F(Search, BusinessYearOrderAndUnreadableFiles) {
    ctx.settings.firstMonth = 4;
    slip(315, 1, kStageProcessed, "a", {{}});
    slip(401, 1, kStageProcessed, "a", {{}});
    EXPECT_EQ(runNameSearch(ctx, 401, 331, "", NameMatch::Contains).rows.size(), 2u);
    EXPECT_EQ(runNameSearch(ctx, 401, 1231, "", NameMatch::Contains).rows.size(), 1u);
    fs::remove(ctx.fileSet[kSlipHeaders]);
    EXPECT_FALSE(runNameSearch(ctx, 401, 331, "", NameMatch::Contains).read);
    EXPECT_FALSE(runOrderTotals(ctx, 401, 331).read);
    EXPECT_FALSE(runCommissionTotals(ctx, {401, 331, 1, 999, ""}).read);
    EXPECT_FALSE(runBuyerTotals(ctx, {401, 331}).read);
    EXPECT_EQ(cli("export order-totals"), 1);
}

TEST_F(Search, OrderTotalsByDateAndByProduct) {
    product(12, "スプレーバラ");
    product(5, "カスミ草");
    slip(320, 1, kStageOrder, "a",
         {{.product = 12, .quantity = 0, .amount = 1500, .grade1 = 3, .ordered = 10, .price = 150},
          {.product = 5, .quantity = 0, .amount = 400, .grade1 = 1, .grade2 = 2, .ordered = 4, .price = 100}});
    slip(310, 2, kStageOrder, "b",
         {{.product = 12, .quantity = 0, .amount = 840, .grade1 = 3, .ordered = 6, .price = 140}});
    slip(305, 3, kStageDelivery, "c",
         {{.product = 12, .amount = 9000, .grade1 = 3, .ordered = 100}});  // delivered already

    const OrderTotals t = runOrderTotals(ctx, 101, 1231);
    ASSERT_EQ(t.byDate.size(), 3u);
    EXPECT_EQ(t.byDate[0].date, 310);
    EXPECT_EQ(t.byDate[1].key, productKey(5, 1, 2));
    EXPECT_DOUBLE_EQ(t.quantity, 20);
    ASSERT_EQ(t.byProduct.size(), 2u);
    EXPECT_DOUBLE_EQ(t.byProduct[1].quantity, 16);
    EXPECT_DOUBLE_EQ(t.byProduct[1].price, 146.25);

    const fs::path dir = ctx.programFolder();
    ASSERT_TRUE(writeOrderTotalsCsv(ctx, t, false, dir / "o.Csv"));
    EXPECT_EQ(file(dir / "o.Csv"), sj("月日,商品ｺｰﾄﾞ,規格１,規格２,商　品　名,数量,単価,金額 \r\n"
                                      " 310, 12, 3, 99, スプレーバラ, 6, 140, 840 \r\n"
                                      " 320, 5, 1, 2, カスミ草, 4, 100, 400 \r\n"
                                      " 320, 12, 3, 99, スプレーバラ, 10, 150, 1500 \r\n"
                                      "  ,  ,   ,   , 合計, 20, , 2740 \r\n"));
    ASSERT_TRUE(writeOrderTotalsCsv(ctx, t, true, dir / "p.Csv"));
    EXPECT_EQ(file(dir / "p.Csv"), sj("商品ｺｰﾄﾞ,規格１,規格２,商　品　名,数量,平均単価,金額 \r\n"
                                      " 5, 1, 2, カスミ草, 4, 100, 400 \r\n"
                                      " 12, 3, 99, スプレーバラ, 16, 146, 2340 \r\n"
                                      "  ,   ,   , 合計, 20, , 2740 \r\n"));
    ASSERT_EQ(cli("export order-totals --by product -o " + (dir / "q.Csv").string()), 0);
    EXPECT_EQ(file(dir / "q.Csv"), file(dir / "p.Csv"));
    EXPECT_EQ(cli("export order-totals --by month"), 2);
}

TEST_F(Search, CommissionTotalsOfSlipsAndPayments) {
    const int booked = slip(410, 5, kStageProcessed, "鈴木花店", {{}});
    year.change(booked, [](SlipHeader& h) {
        h.commission = 850;
        h.deductions[0] = 100;
        h.deductions[2] = 50;
        h.tax = 80;
    });
    for (int stage : {kStageOrder, kStageDelivery}) {
        const int r = slip(411 + stage, 5, stage, "鈴木花店", {{}});
        year.change(r, [](SlipHeader& h) { h.commission = 999; });
    }
    const int other = slip(415, 6, kStageSettled, "山田園芸", {{}});
    year.change(other, [](SlipHeader& h) { h.commission = 500; });
    payment(420, 5, "鈴木花店", 330);
    payment(421, 6, "山田園芸", 440);
    payment(-422, 5, "鈴木花店", 1000);

    CommissionTotals all = runCommissionTotals(ctx, {101, 1231, 1, 999, ""});
    EXPECT_DOUBLE_EQ(all.commissions, 1500);
    EXPECT_DOUBLE_EQ(all.fees, 770);
    EXPECT_DOUBLE_EQ(runCommissionTotals(ctx, {101, 1231, 6, 999, ""}).total(), 940);
    // The search text narrows the payments too.
    CommissionTotals named = runCommissionTotals(ctx, {101, 1231, 1, 999, sj("鈴木")});
    EXPECT_DOUBLE_EQ(named.commissions, 1000);
    EXPECT_DOUBLE_EQ(named.fees, 330);
    EXPECT_DOUBLE_EQ(named.total(), 1330);

    const char* costs[5] = {"色", "サイズ", "郵送料", "運賃", ""};
    for (int i = 0; i < 5; ++i) cp932::assign(ctx.env.costNames[i], costs[i]);
    ASSERT_TRUE(writeCommissionCsv(ctx, named, ctx.programFolder() / "t.Csv"));
    EXPECT_EQ(file(ctx.programFolder() / "t.Csv"),
              sj("月日, 属性, 得意先No, 得意先名, 消費税, 色 , サイズ , 郵送料 , 運賃 ,  , 市場手数料\r\n"
                 "410, 2, 5, 鈴木花店 , 80, 100, 0, 50, 0, 0, 850  \r\n"
                 "  月日, －, 得意先No, 得意先名, 送金料 \r\n"
                 "420, －, 5, 鈴木花店, 330 \r\n"));
}

TEST_F(Search, BuyerTotalsKeysBuyersAndSorting) {
    product(7, "バラ");
    product(123, "ユリ");
    grade(1, "秀", "");
    grade(4, "優", "");
    grade(5, "", "2L");
    grade(99, "", "");
    slip(505, 8, kStageProcessed, "a",
         {{.product = 123,
           .quantity = 3,
           .amount = 600,
           .salesMethod = 2,
           .grade1 = 4,
           .grade2 = 5,
           .buyer = 12000,
           .price = 200},
          {.product = 7, .quantity = 10, .amount = 500, .buyer = 31, .price = 50}});
    slip(502, 9, kStageSettled, "b", {{.product = 7, .quantity = 1, .amount = 700, .buyer = 31, .price = 700}});
    slip(503, 8, kStageDelivery, "c", {{.product = 7, .quantity = 5, .amount = 5, .buyer = 31}});

    BuyerTotals t = runBuyerTotals(ctx, {101, 1231});
    ASSERT_EQ(t.rows.size(), 3u);
    EXPECT_EQ(t.rows[0].date, 502);
    EXPECT_EQ(t.rows[1].buyer, 0);  // 12000 is no buyer number
    EXPECT_EQ(t.rows[1].key, 21230405);
    EXPECT_EQ(compositeText(t.rows[1]), " 2-123- 4- 5");
    EXPECT_DOUBLE_EQ(t.amount, 1800);
    BuyerTotals one = runBuyerTotals(ctx, {101, 1231, 0, 31});
    EXPECT_EQ(one.rows.size(), 2u);
    EXPECT_DOUBLE_EQ(one.quantity, 11);
    EXPECT_EQ(runBuyerTotals(ctx, {101, 1231, 8, -1}).rows.size(), 2u);
    EXPECT_EQ(runBuyerTotals(ctx, {101, 1231, 0, 0}).rows.size(), 1u);
    BuyerTotals byAmount = runBuyerTotals(ctx, {101, 1231, 0, -1, BuyerSort::Amount});
    EXPECT_DOUBLE_EQ(byAmount.rows[0].amount, 500);
    EXPECT_DOUBLE_EQ(byAmount.rows[2].amount, 700);

    ASSERT_TRUE(writeBuyerCsv(ctx, t, ctx.programFolder() / "b.Csv"));
    EXPECT_EQ(
        file(ctx.programFolder() / "b.Csv"),
        sj(" 買参No, 売日, 売方ｺｰﾄﾞ, 売方名, 品ｺｰﾄﾞ, 品名, 規格１, 規格１名, 規格２, 規格２名, 数量, 単価, 金額 \r\n"
           "31, 502, 1, 競り売, 7, バラ, 1, 秀, 99, , 1, 700, 700 \r\n"
           "0, 505, 2, 注文売, 123, ユリ, 4, 優, 5, 2L, 3, 200, 600 \r\n"
           "31, 505, 1, 競り売, 7, バラ, 1, 秀, 99, , 10, 50, 500 \r\n"));
    ASSERT_EQ(cli("export buyer-totals -o " + (ctx.programFolder() / "c.Csv").string()), 0);
    EXPECT_EQ(file(ctx.programFolder() / "c.Csv"), file(ctx.programFolder() / "b.Csv"));
    EXPECT_EQ(cli("export buyer-totals --sort 8"), 2);
}

}  // namespace
}  // namespace rk::tables
