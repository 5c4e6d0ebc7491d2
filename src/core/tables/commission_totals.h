// Commission totals: the market commission and deductions of the processed and settled
// slips of a date and customer range, the remittance fees of its payments, and "手数料.Csv".
#pragma once

#include <string>
#include <vector>

#include "app/app_context.h"

namespace rk::tables {

struct CommissionRange {
    int from = 0, to = 0;
    int firstCustomer = 1, lastCustomer = 999;
    std::string search;  // Shift-JIS part of the customer name; empty: every customer
};

struct CommissionSlip {
    int date = 0, stage = 0, customer = 0;
    std::string name;  // Shift-JIS
    double tax = 0, deductions[5] = {}, commission = 0;
};

struct CommissionPayment {
    int date = 0, customer = 0;
    std::string name;
    double fee = 0;
};

struct CommissionTotals {
    bool read = false;       // false: the slip or payment file could not be read
    double commissions = 0;  // commission + deductions of the slips ("販売手数料")
    double fees = 0;         // remittance fees of the payments ("送金手数料")
    double total() const { return commissions + fees; }
    std::vector<CommissionSlip> slips;
    std::vector<CommissionPayment> payments;
};

// The search text applies to the payments' customer names as well as to the slips'.
CommissionTotals runCommissionTotals(const AppContext& ctx, const CommissionRange& range);

// "手数料.Csv": the head names the five deductions of the environment block and the commission.
std::string commissionCsv(const CommissionTotals& t, const EnvironmentBlock& env, Edition e);
bool writeCommissionCsv(const AppContext& ctx, const CommissionTotals& t, const fs::path& file);

}  // namespace rk::tables
