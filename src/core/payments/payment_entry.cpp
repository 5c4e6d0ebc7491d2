#include "payments/payment_entry.h"

#include <algorithm>

#include "app/lan_control.h"
#include "base/cp932.h"
#include "base/format.h"
#include "base/money.h"
#include "masters/customer_master.h"
#include "masters/master_io.h"
#include "payments/messages.h"
#include "payments/payment_file.h"
#include "receivables/receivable.h"

namespace rk::payments {

PaymentEntry::PaymentEntry(AppContext& ctx, Dialogs& dialogs) : ctx_(ctx), dialogs_(dialogs) {
    const int first = std::clamp(ctx.settings.firstMonth, 1, 12);
    start_ = first * 100 + 1;
    // The month before the start month, to its last day (not the 31st of a 30-day month).
    end_ = monthday::normalise(first == 1 ? 12 : first - 1, monthday::kLastDay);
    const EnvironmentBlock& env = ctx.env;
    accounts_[static_cast<int>(Account::FeeDebit)] = env.debit[kFeeRow];
    accounts_[static_cast<int>(Account::FeeCredit)] = env.credit[kFeeRow];
    accounts_[static_cast<int>(Account::PaidDebit)] = env.debit[kPaymentRow];
    accounts_[static_cast<int>(Account::PaidCredit)] = env.credit[kPaymentRow];
}

PaymentEntry::~PaymentEntry() { release(); }

void PaymentEntry::release() {
    if (!claimed_) return;
    (void)LanControl(ctx_, dialogs_).releaseOwnClaim();
    claimed_ = false;
}

void PaymentEntry::setStart(int32_t typed) { start_ = monthday::normalise(typed, monthday::kFirstDay); }

void PaymentEntry::setEnd(int32_t typed) {
    end_ = monthday::normalise(typed, monthday::kLastDay);
    date_ = end_;
    aggregateAgain();
}

void PaymentEntry::aggregateAgain() {
    table_ = aggregate(ctx_, dialogs_, start_, end_);
    aggregated_ = true;
    if (customer_ > 0) recompute();
}

bool PaymentEntry::choose(int customer) {
    if (customer < 1 || customer > ctx_.env.customerCount) return false;
    LanControl lan(ctx_, dialogs_);
    if (claimed_ && customer != customer_) {
        (void)lan.releaseOwnClaim();
        claimed_ = false;
    }
    if (networked(ctx_) && !claimed_) {
        if (lan.claimCustomer(customer) != lan::kOk) {
            dialogs_.beep();
            dialogs_.message(msg::kCustomerBusy, Icon::Stop);
            clearCustomer();
            return false;
        }
        claimed_ = true;
    }
    customer_ = customer;
    masters::readCustomer(ctx_.files, ctx_.fileSet[kCustomers], customer, record_);
    if (validAccount(record_.paymentAccount))
        setAccount(ctx_.edition != Edition::Purchase ? Account::PaidDebit : Account::PaidCredit,
                   record_.paymentAccount);
    members_.clear();
    memberRecords_.clear();
    if (record_.groupLink > 0) {
        const int k = std::min(record_.groupLink, kMaxMembers);
        for (int i = 0; i < k; ++i) {
            const int m = record_.members[i];
            if (m < 1 || m > ctx_.env.customerCount || m == customer) continue;
            if (std::find(members_.begin(), members_.end(), m) != members_.end()) continue;
            CustomerRecord r{};
            masters::readCustomer(ctx_.files, ctx_.fileSet[kCustomers], m, r);
            members_.push_back(m);
            memberRecords_.push_back(r);
        }
    }
    recompute();
    if (slipCount_ > 250) dialogs_.message(msg::kTooManyForChoice, Icon::Stop);
    return true;
}

void PaymentEntry::removeMember(size_t index) {
    if (index >= members_.size()) return;
    members_.erase(members_.begin() + static_cast<ptrdiff_t>(index));
    memberRecords_.erase(memberRecords_.begin() + static_cast<ptrdiff_t>(index));
    recompute();
}

// Previous balance and period amount of the customer and its remaining members; the payment
// starts as the whole billed amount.
void PaymentEntry::recompute() {
    previous_ = record_.balance;
    period_ = table_.of(customer_).sums.billed;
    slipCount_ = table_.of(customer_).count();
    for (size_t k = 0; k < members_.size(); ++k) {
        previous_ += memberRecords_[k].balance;
        period_ += table_.of(members_[k]).sums.billed;
        slipCount_ += table_.of(members_[k]).count();
    }
    fee_ = 0;
    paid_ = billed();
    remainder_ = 0;
}

void PaymentEntry::clearCustomer() {
    customer_ = 0;
    record_ = {};
    members_.clear();
    memberRecords_.clear();
    previous_ = period_ = fee_ = paid_ = remainder_ = 0;
    slipCount_ = 0;
}

std::vector<int> PaymentEntry::search(const std::string& text) const {
    const auto all = masters::readCustomers(ctx_.files, ctx_.fileSet[kCustomers], ctx_.env.customerCount);
    return masters::searchCustomers(all, cp932::fromUtf8(text));
}

void PaymentEntry::feeTyped(double fee) {
    fee_ = money::yen(fee);
    paid_ = billed() - fee_ - remainder_;
}

void PaymentEntry::paidTyped(double paid, bool up) {
    paid_ = money::yen(paid);
    if (up) {
        fee_ = billed() - remainder_ - paid_;
    } else {
        remainder_ = billed() - fee_ - paid_;
    }
}

void PaymentEntry::setDate(int32_t typed) { date_ = paymentDate(typed); }

int32_t PaymentEntry::account(Account a) const { return accounts_[static_cast<int>(a)]; }

void PaymentEntry::setAccount(Account a, int32_t code) {
    if (validAccount(code)) accounts_[static_cast<int>(a)] = code;
}

Outcome PaymentEntry::record() {
    auto refuse = [&](const char* text) {
        dialogs_.beep();
        dialogs_.message(text, Icon::Stop);
        return Outcome::Refused;
    };
    const bool sales = ctx_.edition != Edition::Purchase;
    if (receivables::closedYear(ctx_.settings)) return refuse(msg::kClosedYearEntry);
    if (customer_ < 1) return refuse(msg::kNoCustomer);
    if (sales && ctx_.memberNumber >= 10) return refuse(msg::kMemberStation);
    if (slipCount_ >= 255) return refuse(msg::kTooManySlips);
    if (table_.cutOff) return refuse(msg::kReferenceOnly);
    if (date_ <= 100) return refuse(sales ? msg::kNoPaymentDate : msg::kNoDisbursementDate);

    Settlement s;
    s.kind = Settlement::Kind::Period;
    s.customer = customer_;
    s.members.assign(members_.begin(), members_.end());
    const auto& own = table_.of(customer_).slips;
    s.slips.assign(own.begin(), own.end());
    s.working[0] = table_.of(customer_).sums.billed;
    for (size_t k = 0; k < members_.size(); ++k) {
        const auto& theirs = table_.of(members_[k]).slips;
        s.slips.insert(s.slips.end(), theirs.begin(), theirs.end());
        if (k + 1 < s.working.size()) s.working[k + 1] = table_.of(members_[k]).sums.billed;
    }
    s.fee = fee_;
    s.paid = paid_;
    s.remainder = remainder_;
    s.date = date_;
    s.feeDebit = account(Account::FeeDebit);
    s.feeCredit = account(Account::FeeCredit);
    s.paidDebit = account(Account::PaidDebit);
    s.paidCredit = account(Account::PaidCredit);
    const Outcome o = commit(ctx_, dialogs_, s);
    if (o != Outcome::Ok) return o;

    table_.balanceTotal += money::yen(remainder_) - previous_;
    table_.settle(customer_);
    for (int m : members_) table_.settle(m);
    release();
    clearCustomer();
    return Outcome::Ok;
}

}  // namespace rk::payments
