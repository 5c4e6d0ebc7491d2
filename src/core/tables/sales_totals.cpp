#include "tables/sales_totals.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/cp932.h"
#include "base/format.h"
#include "base/money.h"
#include "masters/customer_master.h"
#include "payments/payment_record.h"
#include "tables/messages.h"
#include "tables/slip_scan.h"

namespace rk::tables {

namespace {

long long whole(double v) { return money::wholeYen(v); }  // a damaged amount is written as 0

int editionIndex(Edition e) { return e == Edition::Sales ? 0 : 1; }

template <size_t N>
std::string raw(const char (&f)[N]) {
    return std::string(f, cp932::fieldLength(f, N));
}

std::string format(const char* f, auto... v) {
    char buf[512];
    std::snprintf(buf, sizeof buf, f, v...);
    return buf;
}

bool writeText(FileSystem& fs, const fs::path& p, const std::string& text) {
    return fs.replaceWhole(p, std::span(reinterpret_cast<const std::byte*>(text.data()), text.size()));
}

// Headers of stage 2 or 3 dated within the range (business-year order).
struct RangeChoice {
    int from, to, firstMonth;
    bool operator()(const SlipHeader& h) const {
        if (!liveDate(h.date) || h.stage < kStageProcessed) return false;
        const int key = monthday::businessKey(h.date, firstMonth);
        return key >= from && key <= to;
    }
};

RangeChoice rangeChoice(const AppContext& ctx, int from, int to) {
    const int m = ctx.settings.firstMonth;
    return {monthday::businessKey(from, m), monthday::businessKey(to, m), m};
}

int calendarDate(int businessDate) { return businessDate >= 1232 ? businessDate - 1200 : businessDate; }

}  // namespace

SlipSelection selectionOf(bool processedLine, bool settledLine) {
    if (processedLine && !settledLine) return SlipSelection::Processed;
    if (settledLine && !processedLine) return SlipSelection::Settled;
    return SlipSelection::All;
}

SalesTotals runSalesTotals(const AppContext& ctx, int from, int to) {
    SalesTotals t;
    t.from = from;
    t.to = to;
    const size_t count = static_cast<size_t>(std::max(ctx.env.customerCount, 1)) + 1;
    for (auto& set : t.sets) set.assign(count, CustomerTotals{});
    const RangeChoice chosen = rangeChoice(ctx, from, to);
    auto add = [](CustomerTotals& c, const SlipHeader& h) {
        c.sales += h.amount + h.tax;
        c.commission += h.commission;
        for (double d : h.deductions) c.expenses += d;
        ++c.slips;
    };
    scanSlips(
        ctx.files, ctx.fileSet[kSlipHeaders], ctx.fileSet[kSlipLines],
        [&](const SlipHeader& h, int) {
            if (!chosen(h) || h.customer < 1 || static_cast<size_t>(h.customer) >= count) return false;
            const auto c = static_cast<size_t>(h.customer);
            const SlipSelection stage = h.stage == kStageProcessed ? SlipSelection::Processed : SlipSelection::Settled;
            for (SlipSelection s : {SlipSelection::All, stage}) {
                add(t.sets[static_cast<size_t>(s)][c], h);
                add(t.totals[static_cast<size_t>(s)], h);
            }
            return false;  // the headers say all there is
        },
        [](int, int, const SlipLine&) {});
    return t;
}

std::string salesTotalsCsv(const SalesTotals& t, SlipSelection s, const std::vector<CustomerRecord>& customers,
                           Edition e) {
    std::vector<CustomerTotals> set = t.of(s);
    CustomerTotals total = t.totalOf(s);
    total.balance = 0;
    for (size_t n = 1; n < set.size(); ++n) {
        set[n].balance = n < customers.size() ? money::yen(customers[n].balance) : 0;
        total.balance += set[n].balance;
    }
    std::string out = cp932::fromUtf8(msg::kSalesTotalsHead[editionIndex(e)]) + "\r\n";
    out += format(cp932::fromUtf8("  ,   , 合計 , %lld , %lld , %lld , %lld , %lld , %lld , %d \r\n").c_str(),
                  whole(total.sales), whole(total.commission), whole(total.expenses), whole(total.net()),
                  whole(total.balance), whole(total.total()), total.slips);
    for (size_t n = 1; n < set.size(); ++n) {
        const CustomerTotals& c = set[n];
        if (c.total() == 0) continue;
        const CustomerRecord r = n < customers.size() ? customers[n] : CustomerRecord{};
        out += format("%4d , ", static_cast<int>(n)) + raw(r.name) + "," + raw(r.address) + ",  ";
        out += format(" %lld , %lld , %lld , %lld , %lld , %lld , %d  \r\n", whole(c.sales), whole(c.commission),
                      whole(c.expenses), whole(c.net()), whole(c.balance), whole(c.total()), c.slips);
    }
    return out;
}

bool writeSalesTotalsCsv(const AppContext& ctx, const SalesTotals& t, SlipSelection s, const fs::path& file) {
    const int count = static_cast<int>(t.of(s).size()) - 1;
    auto customers = masters::readCustomers(ctx.files, ctx.fileSet[kCustomers], count);
    if (customers.empty()) return false;
    return writeText(ctx.files, file, salesTotalsCsv(t, s, customers, ctx.edition));
}

AccountCodeFiles accountCodeFiles(const AppContext& ctx, int from, int to) {
    const int ed = editionIndex(ctx.edition);
    const bool sales = ctx.edition == Edition::Sales;
    const RangeChoice chosen = rangeChoice(ctx, from, to);

    struct GoodsLine {
        int number;
        double amount;
        int debit, credit;
    };
    std::vector<SlipHeader> headers;
    std::vector<std::vector<GoodsLine>> lines;
    scanSlips(
        ctx.files, ctx.fileSet[kSlipHeaders], ctx.fileSet[kSlipLines],
        [&](const SlipHeader& h, int) {
            if (!chosen(h)) return false;
            headers.push_back(h);
            lines.emplace_back();
            return true;
        },
        [&](int ordinal, int number, const SlipLine& l) {
            lines[static_cast<size_t>(ordinal)].push_back(
                {number, l.amount, sales ? l.debit : l.word200, sales ? l.credit : l.word204});
        });

    AccountCodeFiles f;
    f.goods = cp932::fromUtf8(msg::kGoodsHead) + "\r\n";
    f.expenses = cp932::fromUtf8(msg::kExpensesHead[ed]) + "\r\n";
    for (size_t i = 0; i < headers.size(); ++i) {
        const SlipHeader& h = headers[i];
        const int date = calendarDate(monthday::businessKey(h.date, ctx.settings.firstMonth));
        auto& mine = lines[i];
        std::sort(mine.begin(), mine.end(), [](const GoodsLine& a, const GoodsLine& b) { return a.number < b.number; });
        for (const GoodsLine& l : mine)
            f.goods += format(" 1, %d,  %d,  %d, 0, %lld, %d, %d  \r\n", h.customer, date, l.number, whole(l.amount),
                              l.debit, l.credit);
        f.goods +=
            format(" 2, %d,  %d,  0, %lld, 0, %d, %d  \r\n", h.customer, date, whole(h.tax), h.taxDebit, h.taxCredit);
        std::vector<long long> v = {h.stage,           h.customer,        date,        whole(h.amount),
                                    whole(h.tax),      h.taxDebit,        h.taxCredit, whole(h.commission),
                                    h.commissionDebit, h.commissionCredit};
        for (int d = 0; d < 5; ++d) {
            v.push_back(whole(h.deductions[d]));
            v.push_back(h.deductionDebit[d]);
            v.push_back(h.deductionCredit[d]);
        }
        for (size_t k = 0; k < v.size(); ++k) f.expenses += format(k + 1 < v.size() ? " %lld," : " %lld", v[k]);
        f.expenses += " \r\n";
    }

    f.payments = cp932::fromUtf8(msg::kPaymentsHead[ed]) + "\r\n";
    const auto all = ctx.files.readAll(ctx.fileSet[kPayments]).value_or(Bytes{});
    for (size_t at = sizeof(PaymentRecord); at + sizeof(PaymentRecord) <= all.size(); at += sizeof(PaymentRecord)) {
        const auto p = recordFrom<PaymentRecord>(std::span<const std::byte>(all).subspan(at, sizeof(PaymentRecord)));
        if (!liveDate(p.date)) continue;
        const int key = monthday::businessKey(p.date, chosen.firstMonth);
        if (key < chosen.from || key > chosen.to) continue;
        f.payments += format(" %d, %d, %lld, %d, %d, %lld, %d, %d  \r\n", p.customer, p.date, whole(p.paid),
                             p.paidDebit, p.paidCredit, whole(p.fee), p.feeDebit, p.feeCredit);
    }
    return f;
}

bool writeAccountCodeFiles(const AppContext& ctx, int from, int to, const fs::path& folder) {
    const int ed = editionIndex(ctx.edition);
    const AccountCodeFiles f = accountCodeFiles(ctx, from, to);
    bool ok = writeText(ctx.files, folder / msg::kGoodsFile[ed], f.goods);
    ok = writeText(ctx.files, folder / msg::kExpensesFile[ed], f.expenses) && ok;
    return writeText(ctx.files, folder / msg::kPaymentsFile[ed], f.payments) && ok;
}

}  // namespace rk::tables
