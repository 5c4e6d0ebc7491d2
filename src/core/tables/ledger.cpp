#include "tables/ledger.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <unordered_map>
#include <unordered_set>

#include "base/cp932.h"
#include "base/format.h"
#include "base/money.h"
#include "masters/customer_master.h"
#include "masters/master_io.h"
#include "masters/messages.h"
#include "payments/payment_record.h"
#include "platform/record_stream.h"
#include "platform/shared_write.h"
#include "slips/slip_index.h"
#include "tables/messages.h"
#include "tables/slip_scan.h"

namespace rk::tables {

namespace {

constexpr int kMaxMembers = 62;

struct Settled {
    int32_t customer;
    double receivable;
};

// Hands every ledger entry of the year to `sink` with the customer it belongs to, for the
// customers `wanted` names: the processed and settled slips (`settled` tells a settled one)
// and the payments, own and group. Counts damaged payment records.
struct Walk {
    bool complete = true;  // both files read whole
    int damaged = 0;
    PaymentRecord lastDamaged{};
};

Walk walkLedger(const AppContext& ctx, const std::function<bool(int)>& wanted,
                const std::function<void(int customer, const LedgerEntry&, bool settled)>& sink) {
    Walk w;
    const int m = ctx.settings.firstMonth;

    // The payments first, in one pass: the ones of the wanted customers or their groups are
    // kept, and the slips they settled are the only other customers' slips the walk reads.
    std::vector<PaymentRecord> involved;
    std::unordered_set<int> named;
    const bool paymentsRead = ctx.files.size(ctx.fileSet[kPayments]).value_or(0) >= sizeof(PaymentRecord) &&
                              forEachRecord<PaymentRecord>(
                                  ctx.files, ctx.fileSet[kPayments],
                                  [&](uint64_t, const PaymentRecord& p) {
                                      if (p.date <= 100 || p.date > 1231) return;
                                      int members = p.memberCount;
                                      if (members > kMaxMembers || members < 0) {
                                          ++w.damaged;
                                          w.lastDamaged = p;
                                          members = 0;
                                      }
                                      if (!wanted(p.customer) && std::none_of(p.members, p.members + members, wanted))
                                          return;
                                      involved.push_back(p);
                                      for (int s = 1; s < 256 && s <= std::max(p.slipCount, 0); ++s)
                                          named.insert(p.slips[s]);
                                  },
                                  1);

    // Slips of the wanted customers, and the settled slips those payments name, by record.
    std::unordered_map<int, Settled> settled;
    const IndexFilter byIndex{ctx.fileSet[kIndex1], [&](int record, int32_t, int32_t owner) {
                                  return wanted(owner) || named.count(record) > 0;
                              }};
    const ScanResult scan = scanSlips(
        ctx.files, ctx.fileSet[kSlipHeaders], ctx.fileSet[kSlipLines],
        [&](const SlipHeader& h, int record) {
            if (!liveDate(h.date) || h.stage < kStageProcessed) return false;
            if (h.stage >= kStageSettled) settled[record] = {h.customer, h.receivable};
            if (!wanted(h.customer)) return false;
            LedgerEntry e;
            e.date = monthday::businessKey(h.date, m);
            e.amount = h.amount;
            e.receivable = h.receivable;
            sink(h.customer, e, h.stage >= kStageSettled);
            return false;
        },
        [](int, int, const SlipLine&) {}, &byIndex);
    w.complete = scan.headersRead && paymentsRead;

    for (const PaymentRecord& p : involved) {
        const int members = p.memberCount > kMaxMembers || p.memberCount < 0 ? 0 : p.memberCount;
        // The settled slips this payment took over from other customers, by customer.
        auto slipsOf = [&](auto wantedOwner) {
            double sum = 0;
            for (int s = 1; s < 256 && s <= std::max(p.slipCount, 0); ++s) {
                auto it = settled.find(p.slips[s]);
                if (it != settled.end() && wantedOwner(it->second.customer)) sum += it->second.receivable;
            }
            return sum;
        };
        const int date = monthday::businessKey(p.date, m);
        for (int k = 0; k < members; ++k) {
            const int member = p.members[k];
            if (member == p.customer || !wanted(member)) continue;
            LedgerEntry e;
            e.date = date;
            e.payment = true;
            e.group = p.memberBalanceChange[k] - slipsOf([&](int32_t owner) { return owner == member; });
            sink(member, e, false);
        }
        if (wanted(p.customer)) {
            LedgerEntry e;
            e.date = date;
            e.payment = true;
            e.paid = p.paid;
            e.fee = p.fee;
            if (members > 0) {
                for (int k = 0; k < members; ++k) e.group -= p.memberBalanceChange[k];
                e.group += slipsOf([&](int32_t owner) { return owner != p.customer; });
            }
            sink(p.customer, e, false);
        }
    }
    return w;
}

}  // namespace

Ledger runLedger(const AppContext& ctx, int customer, Dialogs& dialogs) {
    Ledger l;
    l.customer = customer;
    CustomerRecord c{};
    l.complete = masters::readRecord(ctx.files, ctx.fileSet[kCustomers], customer, c) &&
                 ctx.files.size(ctx.fileSet[kSlipHeaders]).value_or(0) >= kSlipHeaderSize;
    l.name = cp932::toUtf8(c.name);
    l.opening = c.openingBalance;
    l.stored = c.balance;

    const Walk w = walkLedger(
        ctx, [customer](int c) { return c == customer; },
        [&](int, const LedgerEntry& e, bool settledSlip) {
            if (settledSlip) l.settledTotal += e.receivable;
            l.paymentTotal += e.paid + e.fee;
            l.groupTotal += e.group;
            l.entries.push_back(e);
        });
    l.complete = l.complete && w.complete;
    l.damaged = w.damaged;
    if (l.damaged > 0) {
        char text[1024];
        std::snprintf(text, sizeof text, msg::kLedgerDamaged, w.lastDamaged.customer, w.lastDamaged.date,
                      w.lastDamaged.memberCount, l.damaged - 1);
        dialogs.message(text);
    }

    // Date order; on one day the slips come before the payments.
    std::stable_sort(l.entries.begin(), l.entries.end(), [](const LedgerEntry& a, const LedgerEntry& b) {
        if (a.date != b.date) return a.date < b.date;
        return (a.receivable > 0) > (b.receivable > 0);
    });
    double balance = l.opening;
    for (LedgerEntry& e : l.entries) {
        balance += e.receivable - e.paid - e.fee + e.group;
        e.balance = balance;
    }
    return l;
}

LedgerSums ledgerSums(const AppContext& ctx, int customerCount,
                      const std::function<void(int customer, const LedgerEntry&)>& openSlip) {
    LedgerSums s;
    s.perCustomer.resize(static_cast<size_t>(std::max(customerCount, 0)) + 1);
    const auto inRange = [customerCount](int c) { return c >= 1 && c <= customerCount; };
    const Walk w = walkLedger(ctx, inRange, [&](int customer, const LedgerEntry& e, bool settledSlip) {
        CustomerSums& c = s.perCustomer[static_cast<size_t>(customer)];
        if (settledSlip) c.settledTotal += e.receivable;
        c.paymentTotal += e.paid + e.fee;
        c.groupTotal += e.group;
        if (!e.payment && !settledSlip && openSlip) openSlip(customer, e);
    });
    s.complete = w.complete;
    s.damaged = w.damaged;
    return s;
}

Correction offerCorrection(const AppContext& ctx, const Ledger& l, Dialogs& dialogs) {
    const double computed = money::yen(l.computed());
    if (computed == money::yen(l.stored)) return Correction::Agrees;
    char text[1024];
    std::snprintf(text, sizeof text, msg::kLedgerAsk, static_cast<int>(money::yen(l.stored)),
                  static_cast<int>(money::yen(l.settledTotal)), static_cast<int>(money::yen(l.paymentTotal)),
                  static_cast<int>(computed));
    if (dialogs.ask(text, Buttons::YesNo, Answer::No) != Answer::Yes) return Correction::Declined;

    // A ledger read from incomplete files would store a wrong balance.
    if (!l.complete) return Correction::Failed;
    bool stale = false;
    const fs::path& file = ctx.fileSet[kCustomers];
    const WriteResult r =
        updateRecord<CustomerRecord>(ctx.files, file.parent_path(), file, l.customer, [&](CustomerRecord& c) {
            stale = c.balance != l.stored;  // changed since read
            if (!stale) c.balance = computed;
        });
    masters::showWriteFailure(r, rk::msg::kCustomerWriteFailed, dialogs);
    return r.ok() && !stale ? Correction::Written : Correction::Failed;
}

std::vector<std::string> ledgerLines(const Ledger& l, int from, int to, int firstMonth) {
    const int first = monthday::businessKey(from, firstMonth), last = monthday::businessKey(to, firstMonth);
    std::vector<std::string> out;
    int number = 0;
    for (const LedgerEntry& e : l.entries) {
        ++number;
        if (e.date < first || e.date > last) continue;
        char buf[256];
        std::snprintf(buf, sizeof buf, "%d\t%s\t%.0f\t%.0f\t%.0f\t%.0f\t%.0f\t%.0f", number,
                      monthday::dashed(e.date > 1231 ? e.date - 1200 : e.date).c_str(), money::yen(e.amount),
                      money::yen(e.paid), money::yen(e.fee), money::yen(e.balance), money::yen(e.receivable),
                      money::yen(e.group));
        out.push_back(buf);
    }
    return out;
}

}  // namespace rk::tables
