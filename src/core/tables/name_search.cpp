#include "tables/name_search.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "base/cp932.h"
#include "base/format.h"
#include "base/money.h"
#include "tables/search_messages.h"
#include "tables/slip_scan.h"

namespace rk::tables {

namespace {

long long whole(double v) { return static_cast<long long>(money::yen(v)); }

template <size_t N>
std::string raw(const char (&f)[N]) {
    return std::string(f, cp932::fieldLength(f, N));
}

bool matches(const SlipHeader& h, const std::string& text, NameMatch how) {
    const std::string name = raw(h.customerName);
    switch (how) {
        case NameMatch::Contains:
            return text.empty() || cp932::findWhole(name, text) != std::string::npos;
        case NameMatch::StartsWith:
            return name.compare(0, text.size(), text) == 0;
        case NameMatch::Code:
            return h.customer == std::atoi(text.c_str());
    }
    return false;
}

}  // namespace

NameSearch runNameSearch(const AppContext& ctx, int from, int to, const std::string& text, NameMatch how) {
    NameSearch s;
    s.from = from;
    s.to = to;
    const int m = ctx.settings.firstMonth;
    const int first = monthday::businessKey(from, m), last = monthday::businessKey(to, m);
    const IndexFilter inPeriod = periodFilter(ctx.fileSet[kIndex1], m, first, last);
    const ScanResult scan = scanSlips(
        ctx.files, ctx.fileSet[kSlipHeaders], ctx.fileSet[kSlipLines],
        [&](const SlipHeader& h, int record) {
            if (!liveDate(h.date)) return false;
            const int key = monthday::businessKey(h.date, m);
            if (key < first || key > last || !matches(h, text, how)) return false;
            NameSearchRow r;
            r.record = record;
            r.customer = h.customer;
            r.date = h.date;
            r.stage = h.stage;
            r.settlementDate = h.settlementDate;
            r.lines = std::clamp(h.lineCount, 0, kMaxSlipLines);
            r.name = raw(h.customerName);
            r.amount = h.amount;
            r.tax = h.tax;
            r.commission = h.commission;
            r.receivable = h.receivable;
            for (double d : h.deductions) r.expenses += d;
            s.total.sales += r.sales();
            s.total.commission += r.commission;
            s.total.expenses += r.expenses;
            ++s.total.slips;
            s.rows.push_back(std::move(r));
            return true;
        },
        [&](int ordinal, int number, const SlipLine& l) {
            s.lines.push_back({ordinal, number, l});
        },
        &inPeriod);
    s.read = scan.headersRead;
    std::sort(s.lines.begin(), s.lines.end(), [](const NameSearchLine& a, const NameSearchLine& b) {
        return a.slip != b.slip ? a.slip < b.slip : a.number < b.number;
    });
    return s;
}

std::string nameSearchCsv(const NameSearch& s) {
    std::string out = cp932::fromUtf8(msg::kDetailHead) + "\r\n";
    char buf[160];
    for (const NameSearchLine& x : s.lines) {
        const NameSearchRow& r = s.rows[static_cast<size_t>(x.slip)];
        const SlipLine& l = x.line;
        std::snprintf(buf, sizeof buf, "%d, %d, %d, ", r.stage, r.date, r.customer);
        out += buf + r.name;
        std::snprintf(buf, sizeof buf, ", %d, %d, %d, %d, ", x.number, l.member, l.salesMethod, l.product);
        out += buf + raw(l.productName);
        std::snprintf(buf, sizeof buf, ", %d, %d, %d, ", l.grade1, l.grade2, l.remarkCode);
        out += buf + raw(l.remark);
        std::snprintf(buf, sizeof buf, ", %lld, %lld, %lld, \r\n", whole(l.quantity), whole(l.price), whole(l.amount));
        out += buf;
    }
    return out;
}

bool writeNameSearchCsv(const AppContext& ctx, const NameSearch& s, const fs::path& file) {
    const std::string text = nameSearchCsv(s);
    return ctx.files.replaceWhole(file, std::span(reinterpret_cast<const std::byte*>(text.data()), text.size()));
}

}  // namespace rk::tables
