// The printed lists of payments: the billing table of payment entry ("【 請求データ集計 】")
// and the payment list ("【 入金データ集計 】"), planned on the print form's page grid.
#pragma once

#include <vector>

#include "app/app_context.h"
#include "masters/master_records.h"
#include "payments/billing.h"
#include "payments/payment_list.h"
#include "printing/page_plan.h"

namespace rk::payments {

// Customers with slips in the period or a balance, one line each, with the totals.
printing::Document planBillingList(const AppContext& ctx, const printing::PrintForm& form,
                                   const printing::PageArea& area, const BillingTable& table,
                                   const std::vector<CustomerRecord>& customers, int32_t start, int32_t end);

// The listed payments in their order, deleted ones left out, with the totals.
printing::Document planPaymentList(const AppContext& ctx, const printing::PrintForm& form,
                                   const printing::PageArea& area, const PaymentList& list);

}  // namespace rk::payments
