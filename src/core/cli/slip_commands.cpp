#include "cli/slip_commands.h"

#include <cstdio>

#include "cli/demo_year.h"
#include "cli/install_commands.h"
#include "platform/read_session_file_system.h"
#include "slips/CFq7Doc.h"

namespace rk::cli {
namespace {

std::string number(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.12g", v);
    return buf;
}

}  // namespace

int runDemo(const Args& a, Io& io) {
    DemoOptions o;
    for (auto [name, target] : {std::pair{"--customers", &o.customers}, std::pair{"--slips", &o.slips}}) {
        if (!a.has(name)) continue;
        auto v = intOption(a, name, io);
        if (!v || *v < 1) {
            io.err << "rakurena: " << name << " takes a positive number\n";
            return kUsage;
        }
        *target = *v;
    }
    if (o.customers > kDemoMaxCustomers) {
        io.err << "rakurena: --customers takes at most " << kDemoMaxCustomers << '\n';
        return kUsage;
    }
    if (a.has("--seed")) {
        auto v = intOption(a, "--seed", io);
        if (!v) return kUsage;
        o.seed = static_cast<uint32_t>(*v);
    }
    AppContext ctx(a.edition, fs::absolute(a.positional[0]));
    if (int rc = createInstallation(ctx, a, io); rc != kOk) return rc;
    CliDialogs dialogs(io.err);
    auto progress = [&](int done, int total) {
        if (total >= 10000 && done % (total / 10 > 0 ? total / 10 : 1) == 0)
            io.err << "recorded " << done << " of " << total << " slips\n";
    };
    if (!fillDemoYear(ctx, dialogs, o, progress)) return kFailed;
    io.out << "created a demo year " << ctx.settings.businessYear << " with " << o.customers << " customers and "
           << o.slips << " slips in " << ctx.programFolder().string() << '\n';
    return kOk;
}

int runSlips(const Args& a, Io& io) {
    auto date = intOption(a, "--date", io);
    if (!date || *date <= 100 || *date > 1231) {
        io.err << "rakurena: --date takes a month and day as MMDD\n";
        return kUsage;
    }
    std::optional<int> customer;
    if (a.has("--customer")) {
        customer = intOption(a, "--customer", io);
        if (!customer) return kUsage;
    }
    ReadSessionFileSystem files;  // opens each file once for the whole command
    AppContext ctx(a.edition, fs::absolute(a.positional[0]), files);
    if (!loadInstallation(ctx, io) || !requireYearFiles(ctx, io, {kSlipHeaders, kSlipLines, kIndex1})) return kFailed;
    CliDialogs dialogs(io.err);
    CFq7Doc doc(ctx, dialogs);
    io.out << "#header\tcustomer\tstage\tline\tproduct\tgrade1\tgrade2\tordered\tdelivered\tquantity\tprice\tamount\n";
    for (int n : doc.slipsOfDate(*date)) {
        if (!doc.loadRecord(n)) continue;
        if (customer && doc.header.customer != *customer) continue;
        for (int j = 1; j <= doc.header.lineCount; ++j) {
            const SlipLine& l = doc.lines[j];
            io.out << n << '\t' << doc.header.customer << '\t' << doc.header.stage << '\t' << j << '\t' << l.product
                   << '\t' << l.grade1 << '\t' << l.grade2 << '\t' << number(l.ordered) << '\t' << number(l.delivered)
                   << '\t' << number(l.quantity) << '\t' << number(l.price) << '\t' << number(l.amount) << '\n';
        }
        if (!doc.warning().empty()) io.err << "slip " << n << ": " << doc.warning() << '\n';
    }
    return kOk;
}

}  // namespace rk::cli
