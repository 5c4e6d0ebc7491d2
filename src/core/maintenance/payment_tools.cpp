// The data check tools on the payment file: member counts, settled totals, slip lists.
#include <algorithm>
#include <cstring>

#include "base/cp932.h"
#include "base/money.h"
#include "maintenance/tool_support.h"
#include "masters/master_io.h"
#include "payments/payment_file.h"
#include "slips/slip_index.h"

namespace rk::maintenance {
namespace {

constexpr int kLastMemberEntry = 62;

bool readAllPayments(AppContext& ctx, Dialogs& dialogs, std::vector<PaymentRecord>& out) {
    if (!ctx.files.exists(ctx.fileSet[kPayments])) {
        dialogs.message(msg::kCheckReadFailed, Icon::Stop);
        return false;
    }
    out = payments::readPayments(ctx.files, ctx.fileSet[kPayments]);
    return true;
}

bool readAllHeaders(AppContext& ctx, Dialogs& dialogs, std::vector<SlipHeader>& out) {
    auto bytes = ctx.files.readAll(ctx.fileSet[kSlipHeaders]);
    if (!bytes) {
        dialogs.message(msg::kCheckReadFailed, Icon::Stop);
        return false;
    }
    out.resize(bytes->size() / kSlipHeaderSize);
    std::memcpy(out.data(), bytes->data(), out.size() * kSlipHeaderSize);
    return true;
}

void stagePayment(AppContext& ctx, FileTransaction& tx, size_t n, const PaymentRecord& p) {
    tx.write(ctx.fileSet[kPayments], n * payments::kPaymentSize, bytesOf(p));
}

}  // namespace

bool clientOrMember(const AppContext& ctx) { return ctx.settings.lanMode == 2 || ctx.memberNumber >= 1; }

ToolResult checkMemberCounts(AppContext& ctx, Dialogs& dialogs) {
    if (refusedHere(ctx, dialogs)) return ToolResult::Refused;
    return lockedWrite(ctx, dialogs, [&](FileTransaction& tx) {
        std::vector<PaymentRecord> all;
        if (!readAllPayments(ctx, dialogs, all)) return ToolResult::Failed;
        int differences = 0;
        for (size_t n = 1; n < all.size(); ++n) {
            PaymentRecord& p = all[n];
            if (!liveDate(p.date) || p.memberCount < 1 || p.memberCount > kLastMemberEntry) continue;
            int valid = 0;
            for (int k = 0; k < p.memberCount; ++k) valid += p.members[k] >= 1 && p.members[k] <= 998;
            CustomerRecord c{};
            masters::readCustomer(ctx.files, ctx.fileSet[kCustomers], p.customer, c);
            const int master = std::clamp(c.groupLink, 0, kLastMemberEntry);
            if (valid == p.memberCount || p.memberCount == master) continue;
            ++differences;
            const Answer a = dialogs.ask(format(msg::kMemberCountAsk, p.customer, p.date, p.memberCount, master),
                                         Buttons::YesNoCancel, Answer::No);
            if (a == Answer::Cancel) return ToolResult::Stopped;
            if (a != Answer::Yes) continue;
            p.memberCount = master;
            for (int k = master; k <= kLastMemberEntry; ++k) {
                p.members[k] = 0;
                p.memberBalanceChange[k] = 0;
            }
            stagePayment(ctx, tx, n, p);
        }
        dialogs.message(differences ? format(msg::kMismatchCount, differences) : std::string(msg::kNoMismatch),
                        Icon::Information);
        return ToolResult::Done;
    });
}

ToolResult checkPaymentTotals(AppContext& ctx, Dialogs& dialogs) {
    std::vector<PaymentRecord> all;
    std::vector<SlipHeader> headers;
    if (!readAllPayments(ctx, dialogs, all) || !readAllHeaders(ctx, dialogs, headers)) return ToolResult::Failed;
    dialogs.progress(0, static_cast<int>(all.size()), msg::kTotalsProgress);
    int differences = 0;
    for (size_t n = 1; n < all.size(); ++n) {
        const PaymentRecord& p = all[n];
        if (!liveDate(p.date)) continue;
        double slips = 0;
        for (int32_t s : payments::settledSlips(p))
            if (s >= 1 && static_cast<size_t>(s) < headers.size()) slips += headers[s].receivable;
        // What the payment settled: what was paid, the fee and what was left owing, less the
        // balances it took over from before (the customer's and its members').
        double total = p.fee + p.paid + p.balanceChange;
        const int members = std::clamp(p.memberCount, 0, payments::kMaxMembers);
        for (int k = 0; k < members; ++k) total += p.memberBalanceChange[k];
        if (money::yen(total) == money::yen(slips)) continue;
        ++differences;
        const auto text = format(msg::kTotalsAsk, p.customer, p.date, static_cast<int>(money::yen(total)),
                                 static_cast<int>(money::yen(slips)));
        if (dialogs.ask(text, Buttons::YesNo, Answer::Yes) == Answer::No) return ToolResult::Stopped;
    }
    dialogs.message(differences ? format(msg::kMismatchCount, differences) : std::string(msg::kNoMismatch),
                    Icon::Information);
    return ToolResult::Done;
}

// A slip's payment link is written by the join of payment files and by this repair and the
// compaction; payment entry leaves it 0. A payment keeps the slips it lists whose link is 0
// (unknown) and gains those whose link names it; a listed slip that links elsewhere or is no
// longer live leaves the list.
ToolResult repairPaymentLists(AppContext& ctx, Dialogs& dialogs) {
    if (refusedHere(ctx, dialogs)) return ToolResult::Refused;
    dialogs.message(msg::kRepairStart, Icon::Information);
    return lockedWrite(ctx, dialogs, [&](FileTransaction& tx) {
        std::vector<PaymentRecord> all;
        std::vector<SlipHeader> headers;
        if (!readAllPayments(ctx, dialogs, all) || !readAllHeaders(ctx, dialogs, headers)) return ToolResult::Failed;
        std::vector<std::vector<int32_t>> linked(all.size());
        for (size_t s = 1; s < headers.size(); ++s) {
            const SlipHeader& h = headers[s];
            if (liveDate(h.date) && h.paymentLink >= 1 && static_cast<size_t>(h.paymentLink) < all.size())
                linked[h.paymentLink].push_back(static_cast<int32_t>(s));
        }
        for (size_t n = 1; n < all.size(); ++n) {
            PaymentRecord& p = all[n];
            if (!liveDate(p.date)) continue;
            std::vector<int32_t> found = linked[n];
            for (int32_t s : payments::settledSlips(p))
                if (s >= 1 && static_cast<size_t>(s) < headers.size() && liveDate(headers[s].date) &&
                    headers[s].paymentLink == 0)
                    found.push_back(s);
            std::sort(found.begin(), found.end());
            found.erase(std::unique(found.begin(), found.end()), found.end());
            if (found.size() > static_cast<size_t>(payments::kMaxSettledSlips))
                found.resize(payments::kMaxSettledSlips);
            const auto listed = payments::settledSlips(p);
            if (found == listed && p.slipCount == static_cast<int32_t>(listed.size())) continue;
            if (static_cast<int32_t>(found.size()) != p.slipCount)
                dialogs.message(format(msg::kRepairFound, p.date, p.slipCount, static_cast<int>(found.size()),
                                       found.empty() ? 0 : found.front()) +
                                    cp932::toUtf8(p.customerName),
                                Icon::Warning);
            std::fill(std::begin(p.slips), std::end(p.slips), -1);
            for (size_t i = 0; i < found.size(); ++i) p.slips[i + 1] = found[i];
            p.slipCount = static_cast<int32_t>(found.size());
            stagePayment(ctx, tx, n, p);
        }
        return ToolResult::Done;
    });
}

}  // namespace rk::maintenance
