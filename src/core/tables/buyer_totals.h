// Buyer totals: the lines of the processed and settled slips of a date range by buyer
// (買参人), sorted by a chosen item, and the buyer CSV file.
#pragma once

#include <string>
#include <vector>

#include "app/app_context.h"

namespace rk::tables {

enum class BuyerSort { Date = 1, Buyer, Product, Composite, Quantity, Price, Amount };

struct BuyerRange {
    int from = 0, to = 0;
    int customer = 0;  // 0: every customer
    int buyer = -1;    // below 0: every buyer
    BuyerSort sort = BuyerSort::Date;
};

struct BuyerRow {
    int buyer = 0, salesMethod = 0, product = 0, grade1 = 0, grade2 = 0, stage = 0, date = 0;
    double quantity = 0, price = 0, amount = 0;
    long long key = 0;  // sales method x 10,000,000 + product x 10,000 + grade 1 x 100 + grade 2
};

struct BuyerTotals {
    bool read = false;
    std::vector<BuyerRow> rows;
    double quantity = 0, amount = 0;
};

long long compositeKey(int salesMethod, int product, int grade1, int grade2);
// "%2d-%3d-%2d-%2d" of sales method, product, grade 1, grade 2.
std::string compositeText(const BuyerRow& r);

BuyerTotals runBuyerTotals(const AppContext& ctx, const BuyerRange& range);
void sortBuyerRows(std::vector<BuyerRow>& rows, BuyerSort by, int firstMonth);

// The buyer CSV: Shift-JIS, CR LF lines, names from the masters.
std::string buyerCsv(const AppContext& ctx, const BuyerTotals& t);
bool writeBuyerCsv(const AppContext& ctx, const BuyerTotals& t, const fs::path& file);

}  // namespace rk::tables
