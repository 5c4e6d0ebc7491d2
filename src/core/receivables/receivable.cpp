#include "receivables/receivable.h"

#include <cmath>

#include "app/posting_rows.h"
#include "base/money.h"

namespace rk::receivables {
namespace {

money::Rounding rounding(int32_t method) {
    switch (method) {
        case kRoundUp:
            return money::Rounding::Up;
        case kRoundHalfUp:
            return money::Rounding::HalfUp;
        default:  // truncate, and any value the customer window never stores
            return money::Rounding::Truncate;
    }
}

// Default pairs of a first processing come from the environment's posting rows.
using posting::kCommissionRow, posting::kFirstDeductionRow, posting::kTaxRow;

}  // namespace

double Processing::receivable() const {
    double r = taxIncluded() - commission;
    for (double d : deductions) r -= d;
    return money::clean(r);
}

int taxPercent(const BasicSettings& s) {
    if (!std::isfinite(s.taxRate) || std::fabs(s.taxRate) > 100) return 0;
    return static_cast<int>(std::trunc(s.taxRate));
}

double taxOf(double amount, int percent) { return money::percent(amount, percent, money::Rounding::Truncate); }

double commissionOf(double taxIncluded, double rate, int32_t method) {
    return money::percent(taxIncluded, rate, rounding(method));
}

double rateOf(double commission, double taxIncluded) {
    if (taxIncluded == 0) return 0;
    return money::clean(commission * 100.0 / taxIncluded);
}

double slipTotal(std::span<const SlipLine> lines) {
    double sum = 0;
    for (const SlipLine& l : lines) sum += l.amount;
    return money::clean(sum);
}

Start start(const SlipHeader& h, double loadedAmount, const CustomerRecord& customer, const BasicSettings& settings,
            const EnvironmentBlock& env) {
    Start s;
    Processing& p = s.values;
    const int percent = taxPercent(settings);
    if (h.stage >= kStageProcessed) {
        p = fromHeader(h);
        if (h.amount != loadedAmount) {
            // Lines changed since loading: the tax follows the amount, the commission stays.
            p.tax = taxOf(p.amount, percent);
            s.amountChanged = h.stage == kStageProcessed;
        }
        p.rate = rateOf(p.commission, p.taxIncluded());
        return s;
    }
    p.amount = h.amount;
    p.taxDebit = env.debit[kTaxRow];
    p.taxCredit = env.credit[kTaxRow];
    for (int i = 0; i < kDeductions; ++i) {
        p.deductionDebit[i] = env.debit[kFirstDeductionRow + i];
        p.deductionCredit[i] = env.credit[kFirstDeductionRow + i];
    }
    p.commissionDebit = env.debit[kCommissionRow];
    p.commissionCredit = env.credit[kCommissionRow];
    p.tax = taxOf(p.amount, percent);
    p.rate = std::isfinite(customer.commissionRate) ? customer.commissionRate : 0;
    p.commission = commissionOf(p.taxIncluded(), p.rate, customer.commissionRounding);
    return s;
}

Processing fromHeader(const SlipHeader& h) {
    Processing p;
    p.amount = h.amount;
    p.tax = h.tax;
    p.commission = h.commission;
    for (int i = 0; i < kDeductions; ++i) {
        p.deductions[i] = h.deductions[i];
        p.deductionDebit[i] = h.deductionDebit[i];
        p.deductionCredit[i] = h.deductionCredit[i];
    }
    p.taxDebit = h.taxDebit;
    p.taxCredit = h.taxCredit;
    p.commissionDebit = h.commissionDebit;
    p.commissionCredit = h.commissionCredit;
    p.rate = rateOf(p.commission, p.taxIncluded());
    return p;
}

void store(const Processing& p, SlipHeader& h) {
    h.amount = p.amount;
    h.commission = p.commission;
    h.receivable = p.receivable();
    h.tax = p.tax;
    for (int i = 0; i < kDeductions; ++i) {
        h.deductions[i] = p.deductions[i];
        h.deductionDebit[i] = p.deductionDebit[i];
        h.deductionCredit[i] = p.deductionCredit[i];
    }
    h.taxDebit = p.taxDebit;
    h.taxCredit = p.taxCredit;
    h.commissionDebit = p.commissionDebit;
    h.commissionCredit = p.commissionCredit;
}

void amountChanged(Processing& p, double amount, int percent, int32_t method) {
    p.amount = amount;
    p.tax = taxOf(amount, percent);
    p.commission = commissionOf(p.taxIncluded(), p.rate, method);
}

void rateTyped(Processing& p, double rate, int32_t method) {
    p.rate = rate;
    p.commission = commissionOf(p.taxIncluded(), rate, method);
}

void commissionTyped(Processing& p, double commission) {
    p.commission = money::yen(commission);
    p.rate = rateOf(p.commission, p.taxIncluded());
}

bool closedYear(const BasicSettings& s) {
    // An input year below 1950 stands for the business year.
    return s.inputYear >= 1950 && s.businessYear != s.inputYear;
}

}  // namespace rk::receivables
