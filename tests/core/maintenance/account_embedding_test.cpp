#include "maintenance/account_embedding.h"

#include <gtest/gtest.h>

#include "maintenance/code_change_messages.h"
#include "masters/master_io.h"
#include "payments/payment_record.h"
#include "slips/slip_builders.h"
#include "support/installation.h"

namespace rk::test {
namespace {

TEST(AccountEmbedding, ProductAndEnvironmentCodesGoIntoTheYearsData) {
    Installation inst;
    AppContext& ctx = *inst.ctx;
    ProductRecord p{};
    p.salesDebit = 111;
    p.salesCredit = 401;
    ASSERT_TRUE(masters::writeProduct(ctx.files, ctx.fileSet[kProducts], 2, p));
    CustomerRecord own{};
    own.paymentAccount = 101;
    ASSERT_TRUE(masters::writeRecord(ctx.files, ctx.fileSet[kCustomers], 3, own));
    ScriptedDialogs d;
    CFq7Doc doc(ctx, d);
    newSlip(doc, 512, 3, 2);  // products 1 and 2
    ASSERT_EQ(doc.record(), CFq7Doc::WriteResult::Ok);
    for (int i = 0; i < 9; ++i) {
        ctx.env.debit[i] = 100 + i;
        ctx.env.credit[i] = 200 + i;
    }
    // Payments of customer 3 (own account 101) and of customer 4 (none).
    for (int n : {1, 2}) {
        PaymentRecord r{};
        r.customer = n == 1 ? 3 : 4;
        r.date = 520;
        r.paidDebit = 555;
        std::fill(std::begin(r.reserved108), std::end(r.reserved108), std::byte{7});
        ASSERT_TRUE(masters::writeRecord(ctx.files, ctx.fileSet[kPayments], n, r));
    }

    EXPECT_EQ(maintenance::embedAccountCodes(ctx, d), maintenance::EmbedResult::Done);
    EXPECT_EQ(d.shown.back(), maintenance::msg::kEmbedDone);
    const SlipHeader h = headerAt(ctx.files, ctx.fileSet[kSlipHeaders], 1);
    EXPECT_EQ(h.taxDebit, 101);
    EXPECT_EQ(h.deductionDebit[4], 106);
    EXPECT_EQ(h.commissionCredit, 207);
    const SlipLine l = lineAt(ctx.files, ctx.fileSet[kSlipLines], h.lineSlots[2]);
    EXPECT_EQ(l.debit, 111);
    EXPECT_EQ(l.credit, 401);
    EXPECT_EQ(lineAt(ctx.files, ctx.fileSet[kSlipLines], h.lineSlots[1]).debit, 0);  // product 1 has none
    PaymentRecord r{};
    ASSERT_TRUE(masters::readRecord(ctx.files, ctx.fileSet[kPayments], 1, r));
    EXPECT_EQ(r.paidDebit, 101);  // the customer's own account stays
    EXPECT_EQ(r.feeDebit, 107);
    EXPECT_EQ(r.paidCredit, 208);
    EXPECT_EQ(r.reserved108[3], std::byte{0});
    ASSERT_TRUE(masters::readRecord(ctx.files, ctx.fileSet[kPayments], 2, r));
    EXPECT_EQ(r.paidDebit, 108);
}

}  // namespace
}  // namespace rk::test
