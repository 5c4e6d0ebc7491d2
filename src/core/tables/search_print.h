// The printouts of the name search, order, commission and buyer totals on the shared list
// layout.
#pragma once

#include "app/app_context.h"
#include "printing/page_plan.h"
#include "tables/buyer_totals.h"
#include "tables/commission_totals.h"
#include "tables/name_search.h"
#include "tables/order_totals.h"

namespace rk::tables {

void planNameSearch(printing::Document& doc, const AppContext& ctx, const NameSearch& s,
                    const printing::PageArea& area);
// `names`: UTF-8 product names, index = code.
void planOrderTotals(printing::Document& doc, const AppContext& ctx, const OrderTotals& t, bool byProduct,
                     const std::vector<std::string>& names, const printing::PageArea& area);
void planCommission(printing::Document& doc, const AppContext& ctx, const CommissionRange& r, const CommissionTotals& t,
                    const printing::PageArea& area);
void planBuyerTotals(printing::Document& doc, const AppContext& ctx, const BuyerRange& r, const BuyerTotals& t,
                     const std::vector<std::string>& names, const printing::PageArea& area);

// Texts shared by the windows and the printouts.
std::string yenText(double v, int width);
std::string quantityText(double v);  // "%7ld "

}  // namespace rk::tables
