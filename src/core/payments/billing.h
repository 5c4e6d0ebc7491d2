// The billing table of payment entry: for every customer the stage-2 slips of a period, with
// their sums, built by walking index file 1. Writes the account file "入金科目.Csv" of the
// period's slips on the way.
#pragma once

#include <cstdint>
#include <vector>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "payments/settlement.h"

namespace rk::payments {

constexpr int kMaxSlipsPerCustomer = 98;

struct Sums {
    double sales = 0;  // goods amount + consumption tax
    double commission = 0;
    double costs = 0;   // the five deductions
    double billed = 0;  // receivable amounts: what the customer owes for the period
    double spare = 0;
    void add(const Sums& o);
    void subtract(const Sums& o);
};

struct CustomerBill {
    std::vector<SettledSlip> slips;
    Sums sums;
    int count() const { return static_cast<int>(slips.size()); }
};

struct BillingTable {
    std::vector<CustomerBill> customers;  // 0..customer count
    int slipCount = 0;
    Sums totals;
    double balanceTotal = 0;  // every customer's current outstanding balance
    bool cutOff = false;      // the walk stopped at a customer's slot limit: for reference only

    const CustomerBill& of(int n) const;
    // Takes a settled customer out of the table and the totals.
    void settle(int n);
};

// A period in business order: `start` and `end` are month-day values.
bool inPeriod(int32_t date, int32_t start, int32_t end, int firstMonth);

// Totals the stage-2 slips of start..end. Shows the progress and the slot-limit messages.
BillingTable aggregate(AppContext& ctx, Dialogs& dialogs, int32_t start, int32_t end);

// The account file's name in the program folder.
fs::path accountCsvFile(const AppContext& ctx);

}  // namespace rk::payments
