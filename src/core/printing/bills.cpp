#include "printing/bills.h"

#include <algorithm>

#include "base/cp932.h"
#include "base/format.h"
#include "printing/conventions.h"
#include "printing/messages.h"
#include "printing/qualified_invoice.h"

namespace rk::printing {

namespace {

bool contains(const char* sjisField, size_t width, const std::string& utf8) {
    const std::string hay(sjisField, cp932::fieldLength(sjisField, width));
    return cp932::findWhole(hay, cp932::fromUtf8(utf8)) != std::string::npos;
}

BilledSlip billed(int n, const SlipHeader& h) {
    BilledSlip b;
    b.record = n;
    b.customer = h.customer;
    b.date = h.date;
    b.lineCount = std::clamp(h.lineCount, 0, kMaxSlipLines);
    b.amount = h.amount;
    b.tax = h.tax;
    b.commission = h.commission;
    for (double d : h.deductions) b.deductions += d;
    b.receivable = h.receivable;
    return b;
}

void addTo(BilledSlip& sum, const BilledSlip& s) {
    sum.amount += s.amount;
    sum.tax += s.tax;
    sum.commission += s.commission;
    sum.deductions += s.deductions;
    sum.receivable += s.receivable;
    sum.lineCount += s.lineCount;
}

// The period's slips at stage 2 whose customer passes `wanted`, by date in business order.
template <class Wanted>
std::vector<BilledSlip> periodSlips(const AppContext& ctx, const SlipSnapshot& files, const BillSelection& sel,
                                    Wanted wanted) {
    const int first = ctx.settings.firstMonth;
    const int s = monthday::businessKey(sel.from, first), e = monthday::businessKey(sel.to, first);
    std::vector<BilledSlip> out;
    const auto& index = files.index();
    for (size_t n = 1; n < index.size(); ++n) {
        const IndexEntry& entry = index[n];
        if (!liveDate(entry.first)) continue;
        const int key = monthday::businessKey(entry.first, first);
        if (key < s || key > e || !wanted(entry.second)) continue;
        const SlipHeader h = files.header(static_cast<int>(n));
        // The index only points the way; the header decides.
        if (h.stage != kStageProcessed || h.date != entry.first || h.customer != entry.second) continue;
        if (!sel.search.empty() && !contains(h.customerName, sizeof h.customerName, sel.search)) continue;
        out.push_back(billed(static_cast<int>(n), h));
    }
    std::stable_sort(out.begin(), out.end(), [first](const BilledSlip& a, const BilledSlip& b) {
        return monthday::businessKey(a.date, first) < monthday::businessKey(b.date, first);
    });
    return out;
}

std::string printedName(const CustomerRecord& c, const std::string& search, const char* honorificOverride) {
    const std::string name = search.empty() ? fieldText(c.name) : search;
    if (cp932::byteLength(name) < 2) return msg::kUnknownName;
    const std::string honorific = honorificOverride ? honorificOverride : fieldText(c.honorific);
    return name + " " + honorific;
}

}  // namespace

std::vector<int> groupMembers(const CustomerRecord& rep, int customerCount) {
    std::vector<int> out;
    const int n = std::min(rep.groupLink, 63);
    for (int i = 0; i < n; ++i)
        if (rep.members[i] >= 1 && rep.members[i] <= customerCount) out.push_back(rep.members[i]);
    return out;
}

std::vector<Bill> collectBills(const AppContext& ctx, const SlipSnapshot& files, const BillSelection& sel) {
    const int count = ctx.env.customerCount;
    const int firstCustomer = std::max(1, sel.firstCustomer), lastCustomer = std::min(count, sel.lastCustomer);
    auto slips = periodSlips(ctx, files, sel, [&](int c) { return c >= firstCustomer && c <= lastCustomer; });
    std::vector<std::vector<BilledSlip>> byCustomer(static_cast<size_t>(std::max(count, 0)) + 1);
    for (const BilledSlip& s : slips) byCustomer[static_cast<size_t>(s.customer)].push_back(s);

    const bool qualified = qualifiedIssuer(ctx).has_value();
    std::vector<Bill> bills;
    for (int c = firstCustomer; c <= lastCustomer; ++c) {
        const CustomerRecord record = files.customer(c);
        auto& mine = byCustomer[static_cast<size_t>(c)];
        if (mine.empty() && record.balance == 0) continue;
        if (!sel.search.empty()) {
            // Name search bills only the customers whose name matches, and of those without
            // slips in the period only the ones owed money (a balance below zero).
            if (!contains(record.name, sizeof record.name, sel.search)) continue;
            if (mine.empty() && record.balance > 0) continue;
        }
        Bill b;
        b.customer = c;
        b.record = record;
        // A qualified invoice names the recipient as the customer master does, not as searched.
        b.name = printedName(record, qualified ? std::string() : sel.search, nullptr);
        b.slips = std::move(mine);
        for (const BilledSlip& s : b.slips) addTo(b.totals, s);
        b.previous = record.balance;
        bills.push_back(std::move(b));
    }
    return bills;
}

GroupBill collectGroupBill(const AppContext& ctx, const SlipSnapshot& files, int rep, const BillSelection& sel) {
    GroupBill g;
    const int count = ctx.env.customerCount;
    const CustomerRecord record = files.customer(rep);
    if (rep < 1 || rep > count || record.groupLink <= 0) {
        g.status = GroupBill::Status::NotRepresentative;
        return g;
    }
    g.members = groupMembers(record, count);
    BillSelection period = sel;
    period.search.clear();
    auto slips = periodSlips(ctx, files, period, [&](int c) {
        return c == rep || std::find(g.members.begin(), g.members.end(), c) != g.members.end();
    });
    if (slips.empty()) g.status = GroupBill::Status::NoSlips;
    Bill& b = g.bill;
    b.customer = rep;
    b.record = record;
    b.name = printedName(record, "", "御中");
    b.slips = std::move(slips);
    for (const BilledSlip& s : b.slips) addTo(b.totals, s);
    b.previous = record.balance;
    for (int m : g.members) b.previous += files.customer(m).balance;
    return g;
}

}  // namespace rk::printing
