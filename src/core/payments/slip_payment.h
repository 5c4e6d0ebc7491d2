// Slip-by-slip payment: the payment of one slip right after its receivable processing. The
// slip is recorded as processed first; the settlement (slip to stage 3, the payment, the
// remainder added to the customer's balance) follows as one transaction, so a refused or
// failed settlement leaves a processed slip and nothing half-paid.
#pragma once

#include <cstdint>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "payments/settlement.h"
#include "receivables/receivable.h"
#include "slips/CFq7Doc.h"

namespace rk::payments {

// The window's values; billed = fee + paid + remainder is kept by every change.
struct SlipPaymentValues {
    double billed = 0, fee = 0, paid = 0, remainder = 0;
    int32_t date = 0;
    int32_t feeDebit = 0, feeCredit = 0, paidDebit = 0, paidCredit = 0;
    // Ctrl+Alt+1: a settled slip is paid again (the operator was warned of the duplicate).
    bool forced = false;

    void feeTyped(double fee);
    // `upWithFee`: left with Up in the sales edition, the fee takes the difference.
    void paidTyped(double paid, bool upWithFee);
};

// Receivable amount billed whole, fee and remainder 0, dated like the slip; the payment row's
// customer side is the customer's payment account when it is an item.
SlipPaymentValues startSlipPayment(const SlipHeader& h, const CustomerRecord& customer, const EnvironmentBlock& env,
                                   Edition e);

// The checks of the processing window before the payment window opens (refusals shown).
// `customerMasterOpen`: the customer master window is open.
bool mayPaySlip(const SlipHeader& h, bool customerMasterOpen, const AppContext& ctx, Dialogs& dialogs);

// Records the slip with the processing values and settles it. `number` gets the payment's
// record number. Ok leaves the document cleared for the next slip.
[[nodiscard]] Outcome paySlip(CFq7Doc& doc, const receivables::Processing& processing, const SlipPaymentValues& v,
                              AppContext& ctx, Dialogs& dialogs, int* number = nullptr);

}  // namespace rk::payments
