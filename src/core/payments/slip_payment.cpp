#include "payments/slip_payment.h"

#include "base/money.h"
#include "payments/messages.h"
#include "payments/payment_entry.h"
#include "receivables/processing.h"
#include "slips/slip_index.h"

namespace rk::payments {

void SlipPaymentValues::feeTyped(double f) {
    fee = money::yen(f);
    paid = billed - fee - remainder;
}

void SlipPaymentValues::paidTyped(double p, bool upWithFee) {
    paid = money::yen(p);
    if (upWithFee) {
        fee = billed - paid - remainder;
    } else {
        remainder = billed - fee - paid;
    }
}

SlipPaymentValues startSlipPayment(const SlipHeader& h, const CustomerRecord& customer, const EnvironmentBlock& env,
                                   Edition e) {
    SlipPaymentValues v;
    v.billed = v.paid = money::yen(h.receivable);
    v.date = paymentDate(std::abs(h.date));
    v.feeDebit = env.debit[kFeeRow];
    v.feeCredit = env.credit[kFeeRow];
    v.paidDebit = env.debit[kPaymentRow];
    v.paidCredit = env.credit[kPaymentRow];
    if (validAccount(customer.paymentAccount)) {
        if (e == Edition::Purchase) {
            v.paidCredit = customer.paymentAccount;
        } else {
            v.paidDebit = customer.paymentAccount;
        }
    }
    return v;
}

bool mayPaySlip(const SlipHeader& h, bool customerMasterOpen, const AppContext& ctx, Dialogs& dialogs) {
    const bool sales = ctx.edition != Edition::Purchase;
    const char* refusal = nullptr;
    if (h.stage == kStageSettled) {
        refusal = sales ? msg::kAlreadyPaidSales : msg::kAlreadyPaidPurchase;
    } else if (customerMasterOpen) {
        refusal = msg::kCustomerMasterOpen;
    } else if (ctx.edition == Edition::Sales && ctx.memberNumber >= 10) {
        refusal = msg::kMemberStation;
    }
    if (!refusal) return true;
    dialogs.beep();
    dialogs.message(refusal, Icon::Stop);
    return false;
}

Outcome paySlip(CFq7Doc& doc, const receivables::Processing& processing, const SlipPaymentValues& v, AppContext& ctx,
                Dialogs& dialogs, int* number) {
    if (receivables::closedYear(ctx.settings)) {
        dialogs.beep();
        dialogs.message(msg::kClosedYearSlip, Icon::Stop);
        return Outcome::Refused;
    }
    if (v.date <= 100) {
        dialogs.beep();
        dialogs.message(ctx.edition == Edition::Purchase ? msg::kNoDisbursementDate : msg::kNoPaymentDate, Icon::Stop);
        return Outcome::Refused;
    }
    switch (receivables::record(doc, processing, ctx, dialogs)) {
        case receivables::Recorded::Ok:
            break;
        case receivables::Recorded::Failed:
            return Outcome::Failed;
        default:
            return Outcome::Refused;
    }
    const int r = doc.lastWritten();
    SlipHeader h{};
    (void)ctx.files.readZeroFilled(ctx.fileSet[kSlipHeaders], static_cast<uint64_t>(r) * kSlipHeaderSize, bytesOf(h));

    Settlement s;
    s.kind = Settlement::Kind::SingleSlip;
    s.customer = h.customer;
    s.slips.push_back({r, h.customer, h.receivable});
    s.fee = v.fee;
    s.paid = v.paid;
    s.remainder = v.remainder;
    s.date = v.date;
    s.feeDebit = v.feeDebit;
    s.feeCredit = v.feeCredit;
    s.paidDebit = v.paidDebit;
    s.paidCredit = v.paidCredit;
    s.working[0] = v.fee + v.paid;
    s.forced = v.forced;
    return commit(ctx, dialogs, s, number);
}

}  // namespace rk::payments
