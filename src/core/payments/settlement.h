// Settling slips by a payment and undoing it. Money moves across three files here (slip
// headers with their index, the customers, the payment file), so every operation checks what
// it relies on and writes everything in one journaled transaction under the data-folder lock:
// the files are wholly before or wholly after.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "payments/payment_record.h"

namespace rk::payments {

// A slip as it was totalled: recording refuses when it is no longer so.
struct SettledSlip {
    int32_t record = 0;
    int32_t customer = 0;
    double receivable = 0;
};

struct Settlement {
    enum class Kind {
        Period,      // payment entry: the customer's balance becomes `remainder`, members' become 0
        SingleSlip,  // slip-by-slip: `remainder` is added to the customer's balance
    };
    Kind kind = Kind::Period;
    int32_t customer = 0;
    std::vector<int32_t> members;  // remaining members, in the order of the member list
    std::vector<SettledSlip> slips;
    double fee = 0, paid = 0, remainder = 0;
    int32_t date = 0;
    int32_t feeDebit = 0, paidDebit = 0, feeCredit = 0, paidCredit = 0;
    std::array<double, 64> working{};
    bool forced = false;  // a settled slip may be settled again (the forced payment)
};

enum class Outcome {
    Ok,
    Nothing,  // nothing to do (a payment already deleted)
    Stale,    // a slip changed since it was totalled; nothing written
    Refused,  // a refusal was shown; nothing written
    Busy,     // another station held the data folder too long
    Failed,   // the files could not be written; they are as before
};

// Records the settlement: the slips to stage 3 with the payment date, the balances moved,
// the payment appended (the zero header first when the file is empty). Every slip must
// still be live, at stage 2, of its customer and of the amount that was totalled. Failures
// are shown; `number` gets the new payment's record number.
[[nodiscard]] Outcome commit(AppContext& ctx, Dialogs& dialogs, const Settlement& s, int* number = nullptr);

// Undoes payment n: its date negated, its slips back to stage 2 with settlement date -1,
// the customer's and every listed member's balance change taken back. A deleted payment
// gives Nothing. A listed slip number outside the slip file is reported and skipped.
[[nodiscard]] Outcome deletePayment(AppContext& ctx, Dialogs& dialogs, int n);

// The booking of payment n: four account codes (a code outside 100..599 keeps the stored
// one) and the payment date, also written as the settlement date of its settled slips.
struct Booking {
    int32_t feeDebit = 0, feeCredit = 0, paidDebit = 0, paidCredit = 0;
    int32_t date = 0;
};
[[nodiscard]] Outcome editPayment(AppContext& ctx, Dialogs& dialogs, int n, const Booking& b);

// Appends every live payment of another payment file to this year's, pointing the slips each
// lists at its new number. Refuses this year's own file, a file already joined and a closed
// year. `appended` gets the count.
[[nodiscard]] Outcome joinPayments(AppContext& ctx, Dialogs& dialogs, const fs::path& other, int* appended = nullptr);

// Account codes are items 100..599.
constexpr bool validAccount(int32_t code) { return code >= 100 && code <= 599; }
// A payment date: a bare month is its first day, anything else is clamped to 101..1231,
// then to a day of its month.
int32_t paymentDate(int32_t typed);

}  // namespace rk::payments
