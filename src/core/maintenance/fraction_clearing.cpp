// Fraction clearing: every amount cut to whole yen, each change shown on its own.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/cp932.h"
#include "maintenance/tool_support.h"
#include "masters/master_records.h"
#include "payments/payment_file.h"
#include "slips/slip_index.h"

namespace rk::maintenance {
namespace {

// Cuts `v` to its whole part; true when that changed it.
bool cut(double& v) {
    const double whole = std::trunc(v);
    if (whole == v || !std::isfinite(v)) return false;
    v = whole;
    return true;
}

template <class T>
std::vector<T> recordsOf(AppContext& ctx, const fs::path& file, bool& ok) {
    auto bytes = ctx.files.readAll(file);
    ok = ok && bytes.has_value();
    std::vector<T> out;
    if (!bytes) return out;
    out.resize(bytes->size() / sizeof(T));
    std::memcpy(out.data(), bytes->data(), out.size() * sizeof(T));
    return out;
}

int whole(double v) { return static_cast<int>(std::clamp(v, -2e9, 2e9)); }

}  // namespace

ToolResult clearFractions(AppContext& ctx, Dialogs& dialogs) {
    if (refusedHere(ctx, dialogs)) return ToolResult::Refused;
    return lockedWrite(ctx, dialogs, [&](FileTransaction& tx) {
        const FileSet& f = ctx.fileSet;
        bool ok = true;
        auto lines = recordsOf<SlipLine>(ctx, f[kSlipLines], ok);
        auto headers = recordsOf<SlipHeader>(ctx, f[kSlipHeaders], ok);
        auto pays = recordsOf<PaymentRecord>(ctx, f[kPayments], ok);
        auto customers = recordsOf<CustomerRecord>(ctx, f[kCustomers], ok);
        if (!ok) {
            dialogs.message(msg::kCheckReadFailed, Icon::Stop);
            return ToolResult::Failed;
        }
        std::string status = msg::kFractionProgress;
        auto show = [&](const std::string& more) {
            status += more;
            dialogs.progress(0, 0, status);
        };
        show("");
        int total = 0;

        show(format(msg::kLineRecords, static_cast<int>(lines.size()) - 1));
        int hits = 0;
        for (size_t n = 1; n < lines.size(); ++n) {
            SlipLine& l = lines[n];
            if (!cut(l.amount)) continue;
            ++hits;
            int32_t date = 0, customer = 0;
            if (l.owner >= 1 && static_cast<size_t>(l.owner) < headers.size())
                date = headers[l.owner].date, customer = headers[l.owner].customer;
            dialogs.message(
                format(msg::kFractionLine, date, customer, whole(l.quantity), whole(l.price), whole(l.amount)) +
                cp932::toUtf8(l.productName));
            tx.write(f[kSlipLines], n * kSlipLineSize, bytesOf(l));
        }
        total += hits;
        show(std::string("\n") + msg::kLinesDone);
        show(format(msg::kLineHitsHeaders, hits, static_cast<int>(headers.size()) - 1));

        hits = 0;
        for (size_t n = 1; n < headers.size(); ++n) {
            SlipHeader& h = headers[n];
            bool changed = false;
            auto one = [&](double& v, const char* text) {
                if (!cut(v)) return;
                changed = true;
                ++hits;
                dialogs.message(format(text, h.date, h.customer, whole(v)));
            };
            one(h.amount, msg::kFractionTotal);
            one(h.commission, msg::kFractionCommission);
            one(h.receivable, msg::kFractionNet);
            one(h.tax, msg::kFractionTax);
            for (double& d : h.deductions) one(d, msg::kFractionCosts);
            if (changed) tx.write(f[kSlipHeaders], n * kSlipHeaderSize, bytesOf(h));
        }
        total += hits;
        show(std::string("\n") + msg::kHeadersDone);
        show(format(msg::kHeaderHitsPayments, hits, static_cast<int>(pays.size()) - 1));

        hits = 0;
        for (size_t n = 1; n < pays.size(); ++n) {
            PaymentRecord& p = pays[n];
            if (!cut(p.paid)) continue;
            ++hits;
            dialogs.message(format(msg::kFractionPaid, p.date, p.customer, whole(p.paid)));
            tx.write(f[kPayments], n * payments::kPaymentSize, bytesOf(p));
        }
        total += hits;
        show(std::string("\n") + msg::kPaymentsDone);
        show(format(msg::kPaymentHitsCustomers, hits, static_cast<int>(customers.size()) - 1));

        for (size_t n = 1; n < customers.size(); ++n) {
            CustomerRecord& c = customers[n];
            bool changed = false;
            if (cut(c.balance)) {
                changed = true;
                dialogs.message(format(msg::kFractionBalance, static_cast<int>(n), whole(c.balance)));
            }
            if (cut(c.openingBalance)) {
                changed = true;
                dialogs.message(format(msg::kFractionOpening, static_cast<int>(n), whole(c.openingBalance)));
            }
            if (!changed) continue;
            ++total;
            tx.write(f[kCustomers], n * sizeof(CustomerRecord), bytesOf(c));
        }
        dialogs.message(total ? format(msg::kAllHits, total) : std::string(msg::kNoHits), Icon::Information);
        return ToolResult::Done;
    });
}

}  // namespace rk::maintenance
