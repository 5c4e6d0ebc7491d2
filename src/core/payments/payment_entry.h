// Payment entry: a period's stage-2 slips totalled per customer, one customer (or a group
// representative with its members) chosen and claimed on a shared folder, the fee, the amount
// paid and the remainder kept consistent (billed = fee + paid + remainder), and the recording
// that settles the slips and moves the balances. The window shows this; the demo and the
// tests drive it directly.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/posting_rows.h"
#include "base/dialogs.h"
#include "masters/master_records.h"
#include "payments/billing.h"
#include "payments/settlement.h"

namespace rk::payments {

enum class Account { FeeDebit, FeeCredit, PaidDebit, PaidCredit };

// Default posting rows of the environment block for the fee and the payment.
constexpr int kFeeRow = posting::kFeeRow, kPaymentRow = posting::kPaymentRow;

class PaymentEntry {
public:
    PaymentEntry(AppContext& ctx, Dialogs& dialogs);
    ~PaymentEntry();
    PaymentEntry(const PaymentEntry&) = delete;
    PaymentEntry& operator=(const PaymentEntry&) = delete;

    // --- the period ---
    int32_t periodStart() const { return start_; }
    int32_t periodEnd() const { return end_; }
    // A bare month is its first day.
    void setStart(int32_t typed);
    // A bare month is its last day; the payment date follows and the table is rebuilt.
    void setEnd(int32_t typed);
    void aggregateAgain();
    const BillingTable& table() const { return table_; }
    bool aggregated() const { return aggregated_; }

    // --- the customer ---
    // False when the number is outside 1..count (the window beeps) or another station has the
    // customer (refused with its message). Claims the customer on a shared folder.
    bool choose(int customer);
    int customer() const { return customer_; }
    const CustomerRecord& customerRecord() const { return record_; }
    bool chosenIsMember() const { return customer_ > 0 && record_.groupLink < 0; }
    const std::vector<int>& members() const { return members_; }
    const std::vector<CustomerRecord>& memberRecords() const { return memberRecords_; }
    // Leaves member `index` of the list out of this payment.
    void removeMember(size_t index);
    // Customers 1..count whose name holds the text (UTF-8).
    std::vector<int> search(const std::string& text) const;

    // --- the amounts ---
    double previousBalance() const { return previous_; }
    double periodAmount() const { return period_; }
    double billed() const { return previous_ + period_; }
    double fee() const { return fee_; }
    double paid() const { return paid_; }
    double remainder() const { return remainder_; }
    int slipCount() const { return slipCount_; }
    void feeTyped(double fee);
    // `up`: left with Up, the fee takes the difference instead of the remainder.
    void paidTyped(double paid, bool up = false);
    int32_t date() const { return date_; }
    void setDate(int32_t typed);
    int32_t account(Account a) const;
    // A code outside 100..599 keeps the previous one.
    void setAccount(Account a, int32_t code);

    // Records the payment; Ok resets the entry for the next customer.
    [[nodiscard]] Outcome record();
    // Gives up this station's claim (closing the window).
    void release();

private:
    void recompute();
    void clearCustomer();

    AppContext& ctx_;
    Dialogs& dialogs_;
    int32_t start_ = 101, end_ = 1231;
    BillingTable table_;
    bool aggregated_ = false;
    int customer_ = 0;
    bool claimed_ = false;
    CustomerRecord record_{};
    std::vector<int> members_;
    std::vector<CustomerRecord> memberRecords_;
    double previous_ = 0, period_ = 0, fee_ = 0, paid_ = 0, remainder_ = 0;
    int slipCount_ = 0;
    int32_t date_ = 0;
    int32_t accounts_[4]{};
};

}  // namespace rk::payments
