// The printed lists of payments: the billing table of payment entry ("【 請求データ集計 】")
// and the payment list ("【 入金データ集計 】"), planned on the print form's page grid.
#pragma once

#include <vector>

#include "app/app_context.h"
#include "masters/master_records.h"
#include "payments/billing.h"
#include "payments/payment_list.h"
#include "payments/payment_record.h"
#include "printing/page_plan.h"

namespace rk::payments {

// Customers with slips in the period or a balance, one line each, with the totals.
printing::Document planBillingList(const AppContext& ctx, const printing::PrintForm& form,
                                   const printing::PageArea& area, const BillingTable& table,
                                   const std::vector<CustomerRecord>& customers, int32_t start, int32_t end);

// The listed payments in their order, deleted ones left out, with the totals.
printing::Document planPaymentList(const AppContext& ctx, const printing::PrintForm& form,
                                   const printing::PageArea& area, const PaymentList& list);

// The receipt of one payment: "領　収　書", the customer with its honorific, the business, the
// amount paid in a box and what it was paid for (the delivery dates of its first and last slip).
printing::Document planReceipt(const AppContext& ctx, const printing::PrintForm& form, const printing::PageArea& area,
                               const PaymentRecord& payment);

// "¥" and the amount with full-width digits and half-width commas, then "※".
std::string receiptAmount(double amount);

}  // namespace rk::payments
