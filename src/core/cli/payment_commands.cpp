#include "cli/payment_commands.h"

#include <algorithm>
#include <cstdio>

#include "base/format.h"
#include "payments/billing.h"
#include "payments/payment_file.h"
#include "platform/read_session_file_system.h"

namespace rk::cli {
namespace {

std::string number(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.12g", v);
    return buf;
}

std::optional<int> dateOption(const Args& a, const std::string& name, int kind, Io& io) {
    auto v = intOption(a, name, io);
    if (!v) return std::nullopt;
    if (*v < 1 || *v > 1231 || (*v > 12 && *v <= 100)) {
        io.err << "rakurena: " << name << " takes a month and day as MMDD (or a bare month)\n";
        return std::nullopt;
    }
    return monthday::normalise(*v, kind);
}

}  // namespace

int runPayments(const Args& a, Io& io) {
    if (!a.has("--from") || !a.has("--to")) {
        io.err << "rakurena: payments needs --from and --to\n";
        return kUsage;
    }
    auto from = dateOption(a, "--from", monthday::kFirstDay, io);
    auto to = dateOption(a, "--to", monthday::kLastDay, io);
    if (!from || !to) return kUsage;
    ReadSessionFileSystem files;  // opens each file once for the whole command
    AppContext ctx(a.edition, fs::absolute(a.positional[0]), files);
    if (!loadInstallation(ctx, io) || !requireYearFiles(ctx, io, {kPayments})) return kFailed;
    const auto all = payments::readPayments(ctx.files, ctx.fileSet[kPayments]);
    const int first = ctx.settings.firstMonth;
    std::vector<size_t> listed;
    for (size_t n = 1; n < all.size(); ++n)
        if (all[n].date > 100 && payments::inPeriod(all[n].date, *from, *to, first)) listed.push_back(n);
    std::stable_sort(listed.begin(), listed.end(), [&](size_t x, size_t y) {
        return monthday::businessKey(all[x].date, first) < monthday::businessKey(all[y].date, first);
    });
    io.out << "#payment\tdate\tcustomer\tfee\tpaid\tbalance change\tmembers\tslips\n";
    for (size_t n : listed) {
        const PaymentRecord& p = all[n];
        io.out << n << '\t' << p.date << '\t' << p.customer << '\t' << number(p.fee) << '\t' << number(p.paid) << '\t'
               << number(p.balanceChange) << '\t';
        const auto members = payments::listedMembers(p);
        for (size_t k = 0; k < members.size(); ++k) io.out << (k ? "," : "") << members[k];
        io.out << '\t';
        const auto slips = payments::settledSlips(p);
        for (size_t k = 0; k < slips.size(); ++k) io.out << (k ? "," : "") << slips[k];
        io.out << '\n';
    }
    return kOk;
}

}  // namespace rk::cli
