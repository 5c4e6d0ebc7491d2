// Bulk totals by code: per customer and per slip stage (order, delivery, processed,
// settled), the lines of a date range that pass the conditions on sales method, product,
// grades and remark code; "一括Data.Csv" of the selected stages.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "masters/master_records.h"
#include "tables/conditions.h"

namespace rk::tables {

struct BulkRow {
    double ordered = 0, delivered = 0, quantity = 0, amount = 0;
    int lines = 0;
    double boxes = 0, boxAmount = 0;  // over lines of more than 0.9 boxes

    double difference() const { return delivered - quantity; }
    double price() const { return quantity != 0 ? amount / quantity : 0; }
    double boxPrice() const { return boxes != 0 ? boxAmount / boxes : 0; }
    bool empty() const { return lines == 0; }
    void add(const BulkRow& o) {
        ordered += o.ordered;
        delivered += o.delivered;
        quantity += o.quantity;
        amount += o.amount;
        lines += o.lines;
        boxes += o.boxes;
        boxAmount += o.boxAmount;
    }
};

constexpr int kSlipStages = 4;
using StageSelection = std::array<bool, kSlipStages>;  // stages 0..3

struct BulkTotals {
    int from = 0, to = 0;
    std::array<std::vector<BulkRow>, kSlipStages> stages;  // index = customer 1..count
    std::array<BulkRow, kSlipStages> totals;
};

BulkTotals runBulkTotals(const AppContext& ctx, int from, int to, const ConditionSet& conditions);

// The figures of the selected stages added; the first quantity is the ordered quantity of
// the order table and the delivered quantity of the others. Customer 0 is the total.
struct BulkFigures {
    double first = 0, quantity = 0, difference = 0, amount = 0;
    int lines = 0;
    double boxes = 0, boxAmount = 0;
    double price() const { return quantity != 0 ? amount / quantity : 0; }
    double boxPrice() const { return boxes != 0 ? boxAmount / boxes : 0; }
    bool empty() const { return lines == 0; }
};
BulkFigures bulkFigures(const BulkTotals& t, const StageSelection& selected, int customer);
bool onlyOrders(const StageSelection& selected);

std::string bulkCsv(const BulkTotals& t, const StageSelection& selected, const std::vector<CustomerRecord>& customers,
                    Edition e);
bool writeBulkCsv(const AppContext& ctx, const BulkTotals& t, const StageSelection& selected, const fs::path& file);

}  // namespace rk::tables
