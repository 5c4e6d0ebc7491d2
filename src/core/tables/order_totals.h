// Order totals: the lines of the order slips (stage 0) of a date range, by date and product
// and summed by product, and "A集計.Csv" of the listing shown.
#pragma once

#include <string>
#include <vector>

#include "app/app_context.h"

namespace rk::tables {

struct OrderEntry {
    int date = 0;  // MMDD
    int key = 0;   // product x 10,000 + grade 1 x 100 + grade 2
    int product = 0, grade1 = 0, grade2 = 0;
    double quantity = 0;  // as ordered
    double price = 0, amount = 0;
};

struct OrderTotals {
    bool read = false;
    int from = 0, to = 0;
    std::vector<OrderEntry> byDate;     // by date (business year), then product key
    std::vector<OrderEntry> byProduct;  // one per product key, summed; price = amount / quantity
    double quantity = 0, amount = 0;
};

int productKey(int product, int grade1, int grade2);

OrderTotals runOrderTotals(const AppContext& ctx, int from, int to);

// The listing by date (`byProduct` false) or by product. `names`: Shift-JIS product names,
// index = code. CR LF lines.
std::string orderTotalsCsv(const OrderTotals& t, bool byProduct, const std::vector<std::string>& names);
bool writeOrderTotalsCsv(const AppContext& ctx, const OrderTotals& t, bool byProduct, const fs::path& file);

}  // namespace rk::tables
