// The shipping date list: the whole business year as a grid of handling dates (rows, in
// business-year order) by customers (columns), each cell the slip of that customer and date
// with its stage and line count, built from the two slip indexes; and the deletion of a
// slip from the grid.
#pragma once

#include <string>
#include <vector>

#include "app/app_context.h"
#include "base/dialogs.h"

namespace rk::tables {

struct ShippingCell {
    int slip = 0;  // header record number; 0: no slip
    int stage = 0, lines = 0;
};

struct ShippingGrid {
    bool read = false;                // false: an index file could not be read
    std::vector<int> dates;           // MMDD, business-year order
    std::vector<int> customers;       // ascending
    std::vector<std::string> names;   // Shift-JIS, 12 bytes of each column's customer name
    std::vector<int> lowestStage;     // per row
    std::vector<ShippingCell> cells;  // dates x customers

    const ShippingCell& cell(size_t row, size_t column) const { return cells[row * customers.size() + column]; }
};

ShippingGrid buildShippingGrid(const AppContext& ctx);

// Slip entry's input mode for a slip of `stage` (order, delivery, settlement, settled) and
// the command that opens it.
int entryModeOf(int stage);
int entryCommandOf(int stage);

enum class ShippingDelete { Deleted, Declined, Refused, Failed };

// Asks, then marks the slip of (date, customer) deleted through the slip document: the slip
// lock of another station and a settled slip refuse it.
ShippingDelete deleteShippingSlip(AppContext& ctx, Dialogs& dialogs, int date, int customer);

}  // namespace rk::tables
