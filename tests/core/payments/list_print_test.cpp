// The printed billing list and payment list: title, range, rows, totals and page breaks.
#include "payments/list_print.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/format.h"
#include "masters/customer_master.h"
#include "payments/payment_builders.h"
#include "payments/payment_entry.h"
#include "printing/conventions.h"
#include "support/installation.h"

namespace rk::test {
namespace {

bool has(const printing::Page& p, const std::string& text) {
    return std::any_of(p.texts.begin(), p.texts.end(), [&](const printing::TextItem& t) { return t.text == text; });
}

TEST(PaymentPrint, ListsSpanPagesWithTitleRangeAndTotals) {
    Installation inst;
    AppContext& ctx = *inst.ctx;
    for (int n = 1; n <= 60; ++n) putCustomer(ctx, n, "花店", n % 2 ? 0 : 100);
    processedSlip(ctx, 110, 3);
    processedSlip(ctx, 111, 5);
    payments::PaymentEntry e(ctx, inst.dialogs);
    e.setEnd(1);
    const auto customers = masters::readCustomers(ctx.files, ctx.fileSet[kCustomers], ctx.env.customerCount);
    const printing::PrintForm form = printing::defaultPrintForm();
    const printing::PageArea a4{0, 0, 4960, 7016};

    auto d = payments::planBillingList(ctx, form, a4, e.table(), customers, 101, 131);
    ASSERT_GE(d.pages.size(), 1u);
    EXPECT_TRUE(has(d.pages[0], "【 請求データ集計 】"));
    EXPECT_TRUE(has(d.pages[0], "集計範囲 1月 1日 ～ 1月 31日"));
    // The 30 customers with a balance, customers 3 and 5 with slips, and the totals.
    size_t rows = 0;
    for (const auto& p : d.pages)
        rows += std::count_if(p.texts.begin(), p.texts.end(), [](const printing::TextItem& t) {
            return t.text.size() > 6 && t.text.substr(t.text.size() - 6) == "花店";
        });
    EXPECT_EQ(rows, 32u);
    EXPECT_TRUE(has(d.pages.back(), fmt::grouped(3000, 13)));  // balances total

    // A short page breaks the list, every page but the last says it goes on.
    auto small = payments::planBillingList(ctx, form, {0, 0, 4960, 2400}, e.table(), customers, 101, 131);
    ASSERT_GT(small.pages.size(), 1u);
    for (size_t i = 0; i + 1 < small.pages.size(); ++i) EXPECT_TRUE(has(small.pages[i], printing::kContinued));
    EXPECT_FALSE(has(small.pages.back(), printing::kContinued));
    EXPECT_TRUE(has(small.pages[1], printing::pageNumber(2).insert(0, printing::dateStamp(ctx.clock) + "  ")));

    ASSERT_TRUE(e.choose(3));
    ASSERT_EQ(e.record(), payments::Outcome::Ok);
    ASSERT_TRUE(e.choose(5));
    e.feeTyped(220);
    ASSERT_EQ(e.record(), payments::Outcome::Ok);
    payments::PaymentList list(ctx, inst.dialogs);
    list.aggregate();
    inst.dialogs.answers = {Answer::Yes};
    ASSERT_EQ(list.remove(0), payments::Outcome::Ok);
    auto p = payments::planPaymentList(ctx, form, a4, list);
    ASSERT_EQ(p.pages.size(), 1u);
    EXPECT_TRUE(has(p.pages[0], "【 入金データ集計 】"));
    EXPECT_TRUE(has(p.pages[0], "   2    5  花店"));  // the deleted first entry is left out
    EXPECT_FALSE(has(p.pages[0], "   1    3  花店"));
    EXPECT_TRUE(has(p.pages[0], fmt::grouped(220, 13)));
}

}  // namespace
}  // namespace rk::test

namespace rk::test {
namespace {

TEST(PaymentPrint, ReceiptNamesTheCustomerTheAmountAndTheDeliveryDates) {
    Installation inst;
    AppContext& ctx = *inst.ctx;
    putCustomer(ctx, 4, "緑園芸", 0);
    CustomerRecord c = customerAt(ctx, 4);
    cp932::assign(c.honorific, "御中");
    ASSERT_TRUE(masters::writeRecord(ctx.files, ctx.fileSet[kCustomers], 4, c));
    cp932::assign(ctx.settings.name, "花卸センター");
    processedSlip(ctx, 205, 4);
    processedSlip(ctx, 227, 4);
    payments::PaymentEntry e(ctx, inst.dialogs);
    e.setEnd(2);
    ASSERT_TRUE(e.choose(4));
    e.paidTyped(1234567);
    ASSERT_EQ(e.record(), payments::Outcome::Ok);

    const auto d = payments::planReceipt(ctx, printing::defaultPrintForm(), {0, 0, 4960, 7016}, paymentAt(ctx, 1));
    ASSERT_EQ(d.pages.size(), 1u);
    const auto& p = d.pages[0];
    EXPECT_TRUE(has(p, "領　収　書"));
    EXPECT_TRUE(has(p, "緑園芸 御中"));
    EXPECT_TRUE(has(p, "花卸センター"));
    EXPECT_TRUE(has(p, "¥１,２３４,５６７※"));
    EXPECT_TRUE(has(p, "上記正に領収しました"));
    EXPECT_TRUE(has(p, "但し    納品日 2月5日  から  2月27日  まで"));
    EXPECT_EQ(p.boxes.size(), 1u);
}

}  // namespace
}  // namespace rk::test
