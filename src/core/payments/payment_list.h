// The payment list: the payments of a period and a range of customers, ordered by date, with
// the sums of fees and amounts; deletion, the booking edit and joining another payment file
// change it in place.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "payments/settlement.h"

namespace rk::payments {

constexpr int kMaxListEntries = 2000;

struct ListEntry {
    int record = 0;  // payment record number; -1 once deleted
    int32_t customer = 0;
    std::string name;  // Shift-JIS, as stored
    int slipCount = 0;
    int32_t date = 0;  // MMDD as stored
    double fee = 0, paid = 0;
    bool deleted() const { return record < 0; }
};

class PaymentList {
public:
    PaymentList(AppContext& ctx, Dialogs& dialogs);

    int32_t periodStart = 101, periodEnd = 1231;
    int firstCustomer = 1, lastCustomer = 1;

    // Reads the payment file; at most 2000 entries (the message says when more matched).
    void aggregate();
    const std::vector<ListEntry>& entries() const { return entries_; }
    double feeTotal() const { return feeTotal_; }
    double paidTotal() const { return paidTotal_; }

    // Deletes the payment of entry `index` after the question; the customer is claimed for
    // the time of the deletion on a shared folder. Nothing for an entry already deleted.
    [[nodiscard]] Outcome remove(size_t index);
    // Saves the booking of entry `index`; the entry takes the stored date.
    [[nodiscard]] Outcome edit(size_t index, const Booking& b);
    [[nodiscard]] Outcome join(const fs::path& other);

private:
    AppContext& ctx_;
    Dialogs& dialogs_;
    std::vector<ListEntry> entries_;
    double feeTotal_ = 0, paidTotal_ = 0;
};

}  // namespace rk::payments
