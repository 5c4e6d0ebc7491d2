#include "payments/billing.h"

#include <cstdio>
#include <string>

#include "base/cp932.h"
#include "base/format.h"
#include "base/money.h"
#include "masters/customer_master.h"
#include "payments/messages.h"
#include "slips/slip_index.h"
#include "tables/slip_scan.h"

namespace rk::payments {

void Sums::add(const Sums& o) {
    sales += o.sales;
    commission += o.commission;
    costs += o.costs;
    billed += o.billed;
    spare += o.spare;
}

void Sums::subtract(const Sums& o) {
    sales -= o.sales;
    commission -= o.commission;
    costs -= o.costs;
    billed -= o.billed;
    spare -= o.spare;
}

const CustomerBill& BillingTable::of(int n) const {
    static const CustomerBill kNone;
    return n >= 0 && static_cast<size_t>(n) < customers.size() ? customers[static_cast<size_t>(n)] : kNone;
}

void BillingTable::settle(int n) {
    if (n < 0 || static_cast<size_t>(n) >= customers.size()) return;
    CustomerBill& b = customers[static_cast<size_t>(n)];
    slipCount -= b.count();
    totals.subtract(b.sums);
    b = {};
}

bool inPeriod(int32_t date, int32_t start, int32_t end, int firstMonth) {
    const int d = monthday::businessKey(date, firstMonth);
    return d >= monthday::businessKey(start, firstMonth) && d <= monthday::businessKey(end, firstMonth);
}

fs::path accountCsvFile(const AppContext& ctx) { return ctx.programFolder() / "入金科目.Csv"; }

BillingTable aggregate(AppContext& ctx, Dialogs& dialogs, int32_t start, int32_t end) {
    FileSystem& fs = ctx.files;
    const FileSet& f = ctx.fileSet;
    const int count = ctx.env.customerCount;
    BillingTable t;
    t.customers.resize(static_cast<size_t>(count) + 1);
    dialogs.progress(0, 1, msg::kAggregating);

    std::string csv = cp932::fromUtf8(" 属性, 得意先No, 月日, 行No, 消費税額, 商品額, 借方ｺｰﾄﾞ, 貸方ｺｰﾄﾞ \r\n");
    const int first = ctx.settings.firstMonth;
    const auto headerBytes = fs.size(f[kSlipHeaders]);
    const int records = static_cast<int>(headerBytes.value_or(0) / kSlipHeaderSize);
    char line[160];
    // The index picks the period's headers; only those are read.
    const tables::IndexFilter inPeriodIndex{
        f[kIndex1], [&](int, int32_t date, int32_t) { return date > 100 && inPeriod(date, start, end, first); }};
    tables::scanSlips(
        fs, f[kSlipHeaders], f[kSlipLines],
        [&](const SlipHeader& h, int n) {
            if (t.cutOff || h.date <= 100 || !inPeriod(h.date, start, end, first)) return false;
            if (h.stage != kStageProcessed || h.customer < 1 || h.customer > count) return false;
            CustomerBill& b = t.customers[static_cast<size_t>(h.customer)];
            if (b.count() >= kMaxSlipsPerCustomer) {
                std::snprintf(line, sizeof line, msg::kTooManySlipsOfCustomer, h.customer);
                dialogs.message(line, Icon::Stop);
                dialogs.progress(0, 1, msg::kFinishing);
                t.cutOff = true;
                return false;
            }
            b.slips.push_back({static_cast<int32_t>(n), h.customer, h.receivable});
            Sums s;
            s.sales = h.amount + h.tax;
            s.commission = h.commission;
            for (double d : h.deductions) s.costs += d;
            s.billed = h.receivable;
            b.sums.add(s);
            t.totals.add(s);
            ++t.slipCount;
            std::snprintf(line, sizeof line, " 1, %d,  %d,  0, 0, %d, %d, %d  \r\n", h.customer, h.date,
                          static_cast<int>(money::yen(h.amount)), h.taxDebit, h.taxCredit);
            csv += line;
            std::snprintf(line, sizeof line, " 2, %d,  %d,  0, %d, 0, %d, %d  \r\n", h.customer, h.date,
                          static_cast<int>(money::yen(h.tax)), h.taxDebit, h.taxCredit);
            csv += line;
            if (n % 4096 == 0) dialogs.progress(n, records, msg::kAggregating);
            return false;
        },
        [](int, int, const SlipLine&) {}, &inPeriodIndex);
    // The account file is a by-product for the bookkeeping; the table stands without it.
    (void)fs.replaceWhole(accountCsvFile(ctx), std::span(reinterpret_cast<const std::byte*>(csv.data()), csv.size()));
    for (const CustomerRecord& c : masters::readCustomers(fs, f[kCustomers], count)) t.balanceTotal += c.balance;
    dialogs.progress(1, 1, {});
    return t;
}

}  // namespace rk::payments
