// The ledger of one customer over the business year: its processed and settled slips and
// its payments in date order with a running balance from the opening balance, and the check
// of the stored outstanding balance against them.
//
// Group payments: a representative's payment settles its members' slips and takes over
// their balances; each member's balance goes to 0. So that the check holds for both sides,
// the group column carries what a group payment moved: on the representative's own payment
// the members' former balances and the members' slips it settled, on a member's entry its
// booked change less its own slips that payment settled. For a customer outside any group
// the column stays 0 and the check is opening + settled slips - payments.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "base/dialogs.h"

namespace rk::tables {

struct LedgerEntry {
    int date = 0;  // business-year order
    bool payment = false;
    double amount = 0;  // slip amount before expenses
    double paid = 0;    // own payments
    double fee = 0;
    double receivable = 0;  // slip amount after expenses
    double group = 0;       // moved by a group payment
    double balance = 0;     // running
};

struct Ledger {
    int customer = 0;
    std::string name;  // UTF-8
    double opening = 0, stored = 0;
    double settledTotal = 0, paymentTotal = 0, groupTotal = 0;
    int damaged = 0;
    // False when a file of the year could not be read whole (missing, empty, unreadable):
    // the computed balance is then no balance and is never stored.
    bool complete = true;
    std::vector<LedgerEntry> entries;

    double computed() const { return opening + settledTotal - paymentTotal + groupTotal; }
};

// Builds the ledger; damaged payment records are reported through `dialogs` once.
Ledger runLedger(const AppContext& ctx, int customer, Dialogs& dialogs);

// The sums of the ledger check for every customer 1..customerCount in one pass over the
// year's files (index = customer number). `openSlip`, when given, receives every processed
// slip not yet settled, with the customer it belongs to.
struct CustomerSums {
    double settledTotal = 0, paymentTotal = 0, groupTotal = 0;
    // The balance the customer's slips and payments give from `opening`.
    double computed(double opening) const { return opening + settledTotal - paymentTotal + groupTotal; }
};
struct LedgerSums {
    bool complete = true;  // as Ledger::complete
    int damaged = 0;
    std::vector<CustomerSums> perCustomer;
};
LedgerSums ledgerSums(const AppContext& ctx, int customerCount,
                      const std::function<void(int customer, const LedgerEntry&)>& openSlip = {});

enum class Correction { Agrees, Declined, Written, Failed };
// When the computed balance (whole yen) differs from the stored one, asks; on Yes stores it
// in the customer record, unless another station changed that balance meanwhile.
Correction offerCorrection(const AppContext& ctx, const Ledger& l, Dialogs& dialogs);

// The entries dated from..to (MMDD) as text lines, tab-separated: number, date, amount,
// payment, fee, balance, receivable, group.
std::vector<std::string> ledgerLines(const Ledger& l, int from, int to, int firstMonth);

}  // namespace rk::tables
