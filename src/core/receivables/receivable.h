// Receivable (purchase edition: payable) processing of a slip: the consumption tax, the
// tax-included amount, the market commission from the customer's rate and rounding method,
// five further deductions and the receivable amount, with the account pair of each row.
// The arithmetic here is pure; bills, tables and the year-end update use the same functions.
// Every amount goes through the decimal-safe money helper: 1.1 % of 100,000 rounded up is
// 1,100, never 1,101.
#pragma once

#include <cstdint>
#include <span>

#include "app/basic_settings.h"
#include "app/environment_block.h"
#include "masters/master_records.h"
#include "slips/slip_records.h"

namespace rk::receivables {

constexpr int kDeductions = 5;

// The customer's commission rounding method as stored in the customer record.
enum CommissionMethod : int32_t { kRoundUp = 0, kRoundHalfUp = 1, kTruncate = 2 };

// The values of the processing rows. Account pairs are debit/credit account item codes.
struct Processing {
    double amount = 0;  // slip amount, the sum of the line amounts
    double tax = 0;     // consumption tax
    double rate = 0;    // commission rate, percent
    double commission = 0;
    double deductions[kDeductions]{};
    int32_t taxDebit = 0, taxCredit = 0;
    int32_t commissionDebit = 0, commissionCredit = 0;
    int32_t deductionDebit[kDeductions]{}, deductionCredit[kDeductions]{};

    double taxIncluded() const { return amount + tax; }
    // Tax-included less the commission and the deductions.
    double receivable() const;
};

// Whole percent of the settings' tax rate (the rate is used truncated).
int taxPercent(const BasicSettings& s);
// Consumption tax of an amount, truncated toward zero (a return slip gets a negative tax).
double taxOf(double amount, int percent);
// Commission of a tax-included amount at `rate` percent, rounded by the customer's method.
// A return slip's commission is the sale's commission negated: the method rounds the size.
double commissionOf(double taxIncluded, double rate, int32_t method);
// The rate a typed commission stands for; 0 when there is no tax-included amount to divide.
double rateOf(double commission, double taxIncluded);
// Sum of the amounts of lines 1..N.
double slipTotal(std::span<const SlipLine> lines);

// What the processing window starts with. `loadedAmount` is the slip amount as it was loaded
// from the files; `amountChanged` tells a processed slip whose amount has changed since (its
// tax was recomputed).
struct Start {
    Processing values;
    bool amountChanged = false;
};
Start start(const SlipHeader& h, double loadedAmount, const CustomerRecord& customer, const BasicSettings& settings,
            const EnvironmentBlock& env);

// The values as stored in a processed slip's header.
Processing fromHeader(const SlipHeader& h);
// Writes amount, commission, receivable, tax, deductions and every account code into the
// header (bytes 96..255 apart from the reserved ones); the stage is the caller's.
void store(const Processing& p, SlipHeader& h);

// Row changes, each keeping the tax-included and receivable amounts consistent.
// The slip amount changed behind the window: tax and commission follow.
void amountChanged(Processing& p, double amount, int percent, int32_t method);
// A rate ended with Enter: the commission follows.
void rateTyped(Processing& p, double rate, int32_t method);
// A typed commission: the rate follows.
void commissionTyped(Processing& p, double commission);

// A closed year (business year other than the input year) takes no processing.
bool closedYear(const BasicSettings& s);

}  // namespace rk::receivables
