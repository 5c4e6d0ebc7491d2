#include "tables/commission_totals.h"

#include <cstdio>

#include "base/cp932.h"
#include "base/format.h"
#include "base/money.h"
#include "payments/payment_record.h"
#include "tables/search_messages.h"
#include "tables/slip_scan.h"

namespace rk::tables {

namespace {

long long whole(double v) { return static_cast<long long>(money::yen(v)); }

template <size_t N>
std::string raw(const char (&f)[N]) {
    return std::string(f, cp932::fieldLength(f, N));
}

struct Chosen {
    int first, last, firstMonth;
    const CommissionRange& r;
    bool operator()(int date, int customer, const std::string& name) const {
        if (!liveDate(date) || customer < r.firstCustomer || customer > r.lastCustomer) return false;
        const int key = monthday::businessKey(date, firstMonth);
        if (key < first || key > last) return false;
        return r.search.empty() || cp932::findWhole(name, r.search) != std::string::npos;
    }
};

}  // namespace

CommissionTotals runCommissionTotals(const AppContext& ctx, const CommissionRange& range) {
    CommissionTotals t;
    const int m = ctx.settings.firstMonth;
    const Chosen chosen{monthday::businessKey(range.from, m), monthday::businessKey(range.to, m), m, range};
    const ScanResult scan = scanSlips(
        ctx.files, ctx.fileSet[kSlipHeaders], ctx.fileSet[kSlipLines],
        [&](const SlipHeader& h, int) {
            if (h.stage < kStageProcessed) return false;
            std::string name = raw(h.customerName);
            if (!chosen(h.date, h.customer, name)) return false;
            CommissionSlip s{h.date, h.stage, h.customer, std::move(name), h.tax, {}, h.commission};
            t.commissions += h.commission;
            for (int d = 0; d < 5; ++d) {
                s.deductions[d] = h.deductions[d];
                t.commissions += h.deductions[d];
            }
            t.slips.push_back(std::move(s));
            return false;  // the headers say all there is
        },
        [](int, int, const SlipLine&) {});
    const auto all = ctx.files.readAll(ctx.fileSet[kPayments]);
    t.read = scan.headersRead && all.has_value();
    if (!all) return t;
    constexpr size_t kSize = sizeof(PaymentRecord);
    for (size_t at = kSize; at + kSize <= all->size(); at += kSize) {
        const auto p = recordFrom<PaymentRecord>(std::span<const std::byte>(*all).subspan(at, kSize));
        std::string name = raw(p.customerName);
        if (!chosen(p.date, p.customer, name)) continue;
        t.fees += p.fee;
        t.payments.push_back({p.date, p.customer, std::move(name), p.fee});
    }
    return t;
}

std::string commissionCsv(const CommissionTotals& t, const EnvironmentBlock& env, Edition e) {
    std::string out = cp932::fromUtf8(msg::kCommissionCsvHead);
    for (const auto& n : env.costNames) out += std::string(n, cp932::fieldLength(n, sizeof n)) + " , ";
    out += cp932::fromUtf8(msg::kCommissionName[e == Edition::Sales ? 0 : 1]) + "\r\n";
    char buf[200];
    for (const CommissionSlip& s : t.slips) {
        std::snprintf(buf, sizeof buf, "%d, %d, %d, ", s.date, s.stage, s.customer);
        out += buf + s.name;
        std::snprintf(buf, sizeof buf, " , %lld, %lld, %lld, %lld, %lld, %lld, %lld  \r\n", whole(s.tax),
                      whole(s.deductions[0]), whole(s.deductions[1]), whole(s.deductions[2]), whole(s.deductions[3]),
                      whole(s.deductions[4]), whole(s.commission));
        out += buf;
    }
    out += cp932::fromUtf8(msg::kCommissionFeeHead) + "\r\n";
    const std::string dash = cp932::fromUtf8("－");
    for (const CommissionPayment& p : t.payments) {
        std::snprintf(buf, sizeof buf, "%d, ", p.date);
        out += buf + dash;
        std::snprintf(buf, sizeof buf, ", %d, ", p.customer);
        out += buf + p.name;
        std::snprintf(buf, sizeof buf, ", %lld \r\n", whole(p.fee));
        out += buf;
    }
    return out;
}

bool writeCommissionCsv(const AppContext& ctx, const CommissionTotals& t, const fs::path& file) {
    const std::string text = commissionCsv(t, ctx.env, ctx.edition);
    return ctx.files.replaceWhole(file, std::span(reinterpret_cast<const std::byte*>(text.data()), text.size()));
}

}  // namespace rk::tables
