// Builders for payment tests: customers with balances and groups, processed slips.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "base/cp932.h"
#include "masters/master_io.h"
#include "payments/payment_file.h"
#include "receivables/processing.h"
#include "slips/slip_builders.h"

namespace rk::test {

inline void putCustomer(AppContext& ctx, int n, const char* name, double balance, int32_t link = 0,
                        std::vector<int32_t> members = {}) {
    CustomerRecord c{};
    cp932::assign(c.name, name);
    c.balance = balance;
    c.paymentAccount = 102;
    c.groupLink = link;
    for (size_t i = 0; i < members.size(); ++i) c.members[i] = members[i];
    ASSERT_TRUE(masters::writeRecord(ctx.files, ctx.fileSet[kCustomers], n, c));
}

inline CustomerRecord customerAt(AppContext& ctx, int n) {
    CustomerRecord c{};
    masters::readCustomer(ctx.files, ctx.fileSet[kCustomers], n, c);
    return c;
}

// A delivered slip of `lines` lines recorded and then processed at stage 2; its header number.
inline int processedSlip(AppContext& ctx, int32_t date, int32_t customer, int lines = 2) {
    ScriptedDialogs d;
    CFq7Doc doc(ctx, d);
    doc.setInputMode(2);
    newSlip(doc, date, customer, lines);
    doc.header.amount = receivables::slipTotal(std::span(&doc.lines[1], static_cast<size_t>(lines)));
    doc.readCustomer(customer);
    auto p = receivables::start(doc.header, doc.loadedAmount(), doc.customer, ctx.settings, ctx.env).values;
    EXPECT_EQ(receivables::record(doc, p, ctx, d), receivables::Recorded::Ok);
    return doc.lastWritten();
}

inline PaymentRecord paymentAt(AppContext& ctx, int n) {
    PaymentRecord p{};
    EXPECT_TRUE(payments::readPayment(ctx.files, ctx.fileSet[kPayments], n, p));
    return p;
}

}  // namespace rk::test
