#include "cli/slip_commands.h"

#include <charconv>
#include <cstdio>

#include "cli/demo_year.h"
#include "cli/install_commands.h"
#include "platform/read_session_file_system.h"
#include "slips/CFq7Doc.h"
#include "slips/loadable_lines.h"
#include "slips/slip_index.h"

namespace rk::cli {
namespace {

// As printf's "%.12g" writes it, without the cost of a format string per number.
std::string number(double v) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 12);
    return std::string(buf, r.ptr);
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
    const CFq7Doc doc(ctx, dialogs);
    const fs::path& headerFile = ctx.fileSet[kSlipHeaders];
    const fs::path& lineFile = ctx.fileSet[kSlipLines];
    const uint64_t lineRecords = ctx.files.size(lineFile).value_or(0) / kSlipLineSize;
    // Only the listed slips are read: each header, then its lines in runs of neighbouring slots.
    std::vector<SlipLine> lines(kMaxSlipLines + 1);
    io.out << "#header\tcustomer\tstage\tline\tproduct\tgrade1\tgrade2\tordered\tdelivered\tquantity\tprice\tamount\n";
    for (int n : doc.slipsOfDate(*date)) {
        SlipHeader h{};
        auto got = ctx.files.read(headerFile, static_cast<uint64_t>(n) * kSlipHeaderSize, bytesOf(h));
        if (!got || *got != sizeof h) continue;
        if (customer && h.customer != *customer) continue;
        const int count = loadableLines(h, lineRecords);
        for (int j = 1; j <= count;) {
            int run = 1;
            while (j + run <= count && h.lineSlots[j + run] == h.lineSlots[j] + run) ++run;
            (void)ctx.files.readZeroFilled(lineFile, static_cast<uint64_t>(h.lineSlots[j]) * kSlipLineSize,
                                           std::as_writable_bytes(std::span(lines).subspan(j, run)));
            j += run;
        }
        for (int j = 1; j <= count; ++j) {
            const SlipLine& l = lines[static_cast<size_t>(j)];
            io.out << n << '\t' << h.customer << '\t' << h.stage << '\t' << j << '\t' << l.product << '\t' << l.grade1
                   << '\t' << l.grade2 << '\t' << number(l.ordered) << '\t' << number(l.delivered) << '\t'
                   << number(l.quantity) << '\t' << number(l.price) << '\t' << number(l.amount) << '\n';
        }
        if (slipDamaged(h.lineCount, count))
            io.err << "slip " << n << ": " << invalidSlipWarning(h.lineCount, count) << '\n';
    }
    return kOk;
}

}  // namespace rk::cli
