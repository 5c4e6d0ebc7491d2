#include "payments/payment_list.h"

#include <algorithm>

#include "app/lan_control.h"
#include "base/cp932.h"
#include "base/format.h"
#include "payments/billing.h"
#include "payments/messages.h"
#include "payments/payment_file.h"
#include "platform/record_stream.h"
#include "receivables/receivable.h"

namespace rk::payments {

PaymentList::PaymentList(AppContext& ctx, Dialogs& dialogs) : ctx_(ctx), dialogs_(dialogs) {
    const int first = std::clamp(ctx.settings.firstMonth, 1, 12);
    periodStart = first * 100 + 1;
    periodEnd = monthday::normalise(first == 1 ? 12 : first - 1, monthday::kLastDay);
    lastCustomer = ctx.env.customerCount;
}

void PaymentList::aggregate() {
    dialogs_.progress(0, 1, msg::kAggregating);
    entries_.clear();
    feeTotal_ = paidTotal_ = 0;
    const int first = ctx_.settings.firstMonth;
    bool full = false;
    // One pass through a small buffer: the payment file of a busy year runs to tens of MB.
    (void)forEachRecord<PaymentRecord>(
        ctx_.files, ctx_.fileSet[kPayments],
        [&](uint64_t n, const PaymentRecord& p) {
            if (full || p.date < 101 || p.customer < firstCustomer || p.customer > lastCustomer) return;
            if (!inPeriod(p.date, periodStart, periodEnd, first)) return;
            if (entries_.size() >= static_cast<size_t>(kMaxListEntries)) {
                dialogs_.message(msg::kListFull);
                full = true;
                return;
            }
            ListEntry e;
            e.record = static_cast<int>(n);
            e.customer = p.customer;
            e.name.assign(p.customerName, cp932::fieldLength(p.customerName, sizeof p.customerName));
            e.slipCount = std::clamp(p.slipCount, 0, 255);
            e.date = p.date;
            e.fee = p.fee;
            e.paid = p.paid;
            feeTotal_ += e.fee;
            paidTotal_ += e.paid;
            entries_.push_back(std::move(e));
        },
        1);
    std::stable_sort(entries_.begin(), entries_.end(), [first](const ListEntry& a, const ListEntry& b) {
        return monthday::businessKey(a.date, first) < monthday::businessKey(b.date, first);
    });
    dialogs_.progress(1, 1, {});
}

Outcome PaymentList::remove(size_t index) {
    if (index >= entries_.size() || entries_[index].deleted()) return Outcome::Nothing;
    ListEntry& e = entries_[index];
    if (receivables::closedYear(ctx_.settings)) {
        dialogs_.beep();
        dialogs_.message(msg::kClosedYearDelete, Icon::Stop);
        return Outcome::Refused;
    }
    if (dialogs_.ask(msg::kConfirmDelete, Buttons::YesNo, Answer::No) != Answer::Yes) return Outcome::Refused;
    // The balances this undoes are the customer's: nobody may be paying it meanwhile.
    LanControl lan(ctx_, dialogs_);
    if (lan.claimCustomer(e.customer) != lan::kOk) {
        dialogs_.beep();
        dialogs_.message(msg::kCustomerBusy, Icon::Stop);
        return Outcome::Refused;
    }
    const Outcome o = deletePayment(ctx_, dialogs_, e.record);
    (void)lan.releaseClaim(e.customer);
    if (o != Outcome::Ok && o != Outcome::Nothing) return o;
    feeTotal_ -= e.fee;
    paidTotal_ -= e.paid;
    e.record = -1;
    e.name = cp932::fromUtf8(msg::kDeletedName);
    e.slipCount = 0;
    e.fee = e.paid = 0;
    return Outcome::Ok;
}

Outcome PaymentList::edit(size_t index, const Booking& b) {
    if (index >= entries_.size() || entries_[index].deleted()) return Outcome::Nothing;
    const Outcome o = editPayment(ctx_, dialogs_, entries_[index].record, b);
    if (o == Outcome::Ok) entries_[index].date = paymentDate(b.date);
    return o;
}

Outcome PaymentList::join(const fs::path& other) { return joinPayments(ctx_, dialogs_, other); }

}  // namespace rk::payments
