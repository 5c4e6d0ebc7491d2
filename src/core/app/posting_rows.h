// What each of the nine posting rows of the environment block (debit and credit account codes)
// is used for. Receivable processing, the payments and the environment window read this one
// table, so the window's captions name the rows the postings really take.
#pragma once

#include <string_view>

#include "app/edition.h"

namespace rk::posting {

inline constexpr int kRows = 9;
inline constexpr int kSlipRow = 0;            // the slip itself (receivables against sales)
inline constexpr int kTaxRow = 1;             // consumption tax of receivable processing
inline constexpr int kFirstDeductionRow = 2;  // the five further deductions, named by the cost names
inline constexpr int kDeductionRows = 5;
inline constexpr int kCommissionRow = 7;  // market commission of receivable processing ...
inline constexpr int kFeeRow = 7;         // ... and the remittance fee of a payment
inline constexpr int kPaymentRow = 8;

// The cost name (0..4) that names a row, or -1 for a row with a fixed caption.
constexpr int costNameOf(int row) {
    return row >= kFirstDeductionRow && row < kFirstDeductionRow + kDeductionRows ? row - kFirstDeductionRow : -1;
}

// The fixed caption of a row in the environment window (empty for the deduction rows).
std::string_view caption(int row, Edition e);

}  // namespace rk::posting
