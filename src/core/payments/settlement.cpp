#include "payments/settlement.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>

#include "app/messages.h"
#include "base/format.h"
#include "base/money.h"
#include "masters/master_records.h"
#include "payments/messages.h"
#include "payments/payment_file.h"
#include "platform/data_lock.h"
#include "platform/rollback_journal.h"
#include "receivables/receivable.h"
#include "slips/slip_index.h"

namespace rk::payments {
namespace {

constexpr uint64_t kCustomerSize = sizeof(CustomerRecord);

// Runs `body` under the data-folder lock with a fresh transaction and commits what it staged.
template <class Body>
Outcome locked(AppContext& ctx, Dialogs& dialogs, Body body) {
    const FileSet& f = ctx.fileSet;
    auto lock = DataLock::acquire(f.dataFolder);
    if (!lock) {
        dialogs.message(msg::kDataBusy, Icon::Stop);
        return Outcome::Busy;
    }
    FileTransaction tx(ctx.files, FileTransaction::journalFile(f.dataFolder));
    if (!tx.begin()) {
        dialogs.message(msg::kPaymentWriteFailed, Icon::Stop);
        return Outcome::Failed;
    }
    const Outcome o = body(tx);
    if (o != Outcome::Ok || tx.empty()) return o;
    if (!tx.commit()) {
        dialogs.message(msg::kPaymentWriteFailed, Icon::Stop);
        return Outcome::Failed;
    }
    return Outcome::Ok;
}

// Header n when it lies inside the file.
bool readHeader(AppContext& ctx, int n, SlipHeader& h) {
    const fs::path& file = ctx.fileSet[kSlipHeaders];
    if (n < 1 || static_cast<uint64_t>(n) >= ctx.files.size(file).value_or(0) / kSlipHeaderSize) return false;
    auto got = ctx.files.read(file, static_cast<uint64_t>(n) * kSlipHeaderSize, bytesOf(h));
    return got && *got == kSlipHeaderSize;
}

bool readCustomer(AppContext& ctx, int n, CustomerRecord& c) {
    if (n < 1 || n > ctx.env.customerCount) return false;
    c = {};
    return ctx.files.readZeroFilled(ctx.fileSet[kCustomers], static_cast<uint64_t>(n) * kCustomerSize, bytesOf(c))
        .has_value();
}

void stageSlip(AppContext& ctx, FileTransaction& tx, int n, int32_t stage, int32_t settlementDate) {
    const FileSet& f = ctx.fileSet;
    const uint64_t at = static_cast<uint64_t>(n) * kSlipHeaderSize;
    std::byte word[4];
    std::memcpy(word, &stage, 4);
    tx.write(f[kSlipHeaders], at + offsetof(SlipHeader, stage), word);
    tx.write(f[kIndex2], static_cast<uint64_t>(n) * kIndexEntrySize, word);
    std::memcpy(word, &settlementDate, 4);
    tx.write(f[kSlipHeaders], at + offsetof(SlipHeader, settlementDate), word);
}

void stageCustomer(AppContext& ctx, FileTransaction& tx, int n, const CustomerRecord& c) {
    tx.write(ctx.fileSet[kCustomers], static_cast<uint64_t>(n) * kCustomerSize, bytesOf(c));
}

// The zero header record of an empty payment file, then the record; nullopt on failure.
std::optional<uint64_t> stageAppend(AppContext& ctx, FileTransaction& tx, const PaymentRecord& p) {
    const fs::path& file = ctx.fileSet[kPayments];
    auto len = tx.length(file);
    if (!len) return std::nullopt;
    if (*len < kPaymentSize) tx.write(file, 0, Bytes(kPaymentSize));
    return tx.appendRecord(file, bytesOf(p), kPaymentSize);
}

}  // namespace

int32_t paymentDate(int32_t typed) {
    const int32_t v = typed >= 1 && typed <= 12 ? typed * 100 + 1 : std::clamp(typed, 101, 1231);
    return monthday::normalise(v, monthday::kFirstDay);
}

Outcome commit(AppContext& ctx, Dialogs& dialogs, const Settlement& s, int* number) {
    if (s.slips.size() > static_cast<size_t>(kMaxSettledSlips) || s.members.size() > static_cast<size_t>(kMaxMembers))
        return Outcome::Refused;
    return locked(ctx, dialogs, [&](FileTransaction& tx) {
        // Everything the payment relies on, checked where no other station can change it.
        std::set<int32_t> seen;
        for (const SettledSlip& slip : s.slips) {
            SlipHeader h{};
            if (!seen.insert(slip.record).second || !readHeader(ctx, slip.record, h) || !liveDate(h.date) ||
                (h.stage != kStageProcessed && !(s.forced && h.stage == kStageSettled)) ||
                h.customer != slip.customer || h.receivable != slip.receivable) {
                dialogs.beep();
                dialogs.message(msg::kSlipsChanged, Icon::Stop);
                return Outcome::Stale;
            }
        }
        CustomerRecord c{};
        if (!readCustomer(ctx, s.customer, c)) {
            dialogs.message(msg::kPaymentWriteFailed, Icon::Stop);
            return Outcome::Failed;
        }
        PaymentRecord p = blankPayment();
        std::memcpy(p.customerName, c.name, sizeof p.customerName);
        p.customer = s.customer;
        p.date = s.date;
        p.slipCount = static_cast<int32_t>(s.slips.size());
        p.fee = s.fee;
        p.paid = s.paid;
        p.feeDebit = s.feeDebit;
        p.paidDebit = s.paidDebit;
        p.feeCredit = s.feeCredit;
        p.paidCredit = s.paidCredit;
        for (size_t i = 0; i < s.slips.size(); ++i) p.slips[i + 1] = s.slips[i].record;
        std::copy(s.working.begin(), s.working.end(), p.workingFigures);

        for (const SettledSlip& slip : s.slips) stageSlip(ctx, tx, slip.record, kStageSettled, s.date);
        // Whole yen on both sides: taking the change back restores the balance exactly.
        const double before = c.balance;
        if (s.kind == Settlement::Kind::Period) {
            c.balance = money::yen(s.remainder);
            p.balanceChange = c.balance - before;
            p.memberCount = static_cast<int32_t>(s.members.size());
            for (size_t k = 0; k < s.members.size(); ++k) {
                CustomerRecord m{};
                if (s.members[k] == s.customer || !readCustomer(ctx, s.members[k], m)) {
                    dialogs.message(msg::kPaymentWriteFailed, Icon::Stop);
                    return Outcome::Failed;
                }
                p.members[k] = s.members[k];
                p.memberBalanceChange[k] = -m.balance;
                m.balance = 0;
                stageCustomer(ctx, tx, s.members[k], m);
            }
        } else {
            p.balanceChange = money::yen(s.remainder);
            c.balance = before + p.balanceChange;
        }
        auto n = stageAppend(ctx, tx, p);
        if (!n) {
            dialogs.message(msg::kPaymentWriteFailed, Icon::Stop);
            return Outcome::Failed;
        }
        stageCustomer(ctx, tx, s.customer, c);
        if (number) *number = static_cast<int>(*n);
        return Outcome::Ok;
    });
}

Outcome deletePayment(AppContext& ctx, Dialogs& dialogs, int n) {
    return locked(ctx, dialogs, [&](FileTransaction& tx) {
        PaymentRecord p{};
        if (!readPayment(ctx.files, ctx.fileSet[kPayments], n, p) || p.date <= 100) return Outcome::Nothing;
        const int32_t date = p.date;
        p.date = -date;
        tx.write(ctx.fileSet[kPayments], static_cast<uint64_t>(n) * kPaymentSize, bytesOf(p));
        for (int32_t slip : settledSlips(p)) {
            SlipHeader h{};
            if (slip < 0 || !readHeader(ctx, slip, h)) {
                dialogs.message(msg::kNoLedgerSlip, Icon::Stop);
                continue;
            }
            // Only a slip this payment still holds settled goes back; one whose settlement
            // was cancelled and taken by another payment since is not this payment's.
            if (h.stage == kStageSettled && h.settlementDate == date) stageSlip(ctx, tx, slip, kStageProcessed, -1);
        }
        CustomerRecord c{};
        if (readCustomer(ctx, p.customer, c)) {
            c.balance -= p.balanceChange;
            stageCustomer(ctx, tx, p.customer, c);
        }
        const auto members = listedMembers(p);
        for (size_t k = 0; k < members.size(); ++k) {
            CustomerRecord m{};
            if (members[k] == p.customer || !readCustomer(ctx, members[k], m)) continue;
            m.balance -= p.memberBalanceChange[k];
            stageCustomer(ctx, tx, members[k], m);
        }
        return Outcome::Ok;
    });
}

Outcome editPayment(AppContext& ctx, Dialogs& dialogs, int n, const Booking& b) {
    return locked(ctx, dialogs, [&](FileTransaction& tx) {
        PaymentRecord p{};
        if (!readPayment(ctx.files, ctx.fileSet[kPayments], n, p) || p.date <= 100) return Outcome::Nothing;
        const int32_t old = p.date;
        auto keep = [](int32_t typed, int32_t& field) {
            if (validAccount(typed)) field = typed;
        };
        keep(b.feeDebit, p.feeDebit);
        keep(b.feeCredit, p.feeCredit);
        keep(b.paidDebit, p.paidDebit);
        keep(b.paidCredit, p.paidCredit);
        p.date = paymentDate(b.date);
        tx.write(ctx.fileSet[kPayments], static_cast<uint64_t>(n) * kPaymentSize, bytesOf(p));
        for (int32_t slip : settledSlips(p)) {
            SlipHeader h{};
            if (!readHeader(ctx, slip, h) || h.stage != kStageSettled || h.settlementDate != old) continue;
            stageSlip(ctx, tx, slip, kStageSettled, p.date);
        }
        return Outcome::Ok;
    });
}

Outcome joinPayments(AppContext& ctx, Dialogs& dialogs, const fs::path& other, int* appended) {
    if (appended) *appended = 0;
    if (receivables::closedYear(ctx.settings)) {
        dialogs.beep();
        dialogs.message(msg::kJoinClosedYear, Icon::Stop);
        return Outcome::Refused;
    }
    const fs::path& own = ctx.fileSet[kPayments];
    std::error_code ec;
    if (fs::equivalent(other, own, ec) ||
        fs::absolute(other).lexically_normal() == fs::absolute(own).lexically_normal()) {
        dialogs.message(msg::kJoinSameFile, Icon::Stop);
        return Outcome::Refused;
    }
    if (!ctx.files.exists(other)) {
        dialogs.message(msg::kJoinUnreadable, Icon::Stop);
        return Outcome::Refused;
    }
    const auto incoming = readPayments(ctx.files, other);
    return locked(ctx, dialogs, [&](FileTransaction& tx) {
        // A record is appended exactly as it stands, so a file joined before has its live
        // records in this file byte for byte.
        const auto current = readPayments(ctx.files, own);
        for (size_t i = 1; i < incoming.size(); ++i) {
            if (incoming[i].date <= 100) continue;
            for (size_t j = 1; j < current.size(); ++j) {
                if (std::memcmp(&incoming[i], &current[j], kPaymentSize) != 0) continue;
                dialogs.message(msg::kJoinAlreadyJoined, Icon::Stop);
                return Outcome::Refused;
            }
        }
        int count = 0;
        for (size_t i = 1; i < incoming.size(); ++i) {
            if (incoming[i].date <= 100) continue;
            auto n = stageAppend(ctx, tx, incoming[i]);
            if (!n) {
                dialogs.message(msg::kPaymentWriteFailed, Icon::Stop);
                return Outcome::Failed;
            }
            ++count;
            const int32_t link = static_cast<int32_t>(*n);
            for (int32_t slip : settledSlips(incoming[i])) {
                SlipHeader h{};
                if (!readHeader(ctx, slip, h)) continue;
                std::byte word[4];
                std::memcpy(word, &link, 4);
                tx.write(ctx.fileSet[kSlipHeaders], static_cast<uint64_t>(slip) * kSlipHeaderSize + 84, word);
            }
        }
        if (appended) *appended = count;
        return Outcome::Ok;
    });
}

}  // namespace rk::payments
