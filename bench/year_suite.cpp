// How the whole-year operations and the print runs grow with the year: for demo years of
// 10,000, 100,000 and 300,000 slips (2,000 customers; each made once into
// $RAKURENA_SUITE_DIR/<N>k, default /tmp/rakurena-suite, and reused), every operation runs in
// a child process of its own, three times, beside a plain read of the files it needs. One
// line per operation: median time, the raw read's median, their ratio, the child's peak
// memory above what it started with, and for print runs the pages and the time per page.
//
//   year_suite [THOUSANDS...]     e.g. `year_suite 10 100` (default 10 100 300)
//   YEAR_SUITE_ONLY=ledger year_suite 100     only the operations whose name holds the text
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/startup_loader.h"
#include "cli/cli.h"
#include "cli/demo_year.h"
#include "payments/billing.h"
#include "payments/payment_list.h"
#include "printing/bills.h"
#include "printing/delivery_notes.h"
#include "tables/bulk_totals.h"
#include "tables/ledger.h"
#include "tables/table_engine.h"

using namespace rk;

namespace {

constexpr int kCustomers = 2000;
constexpr int kRuns = 3;
constexpr printing::PageArea kA4{0, 0, 4724, 6800};

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

long residentKiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Reads whole files in 4 MB blocks through one descriptor each: the floor for an operation
// that needs those files.
void rawRead(const std::vector<fs::path>& files) {
    static Bytes block(4u << 20);
    for (const fs::path& p : files) {
        auto r = realFileSystem().openReader(p);
        if (!r) continue;
        for (uint64_t at = 0;;) {
            auto got = r->read(at, block);
            if (!got || *got == 0) break;
            at += *got;
        }
    }
}

struct Operation {
    std::string name;
    std::function<std::vector<fs::path>(const FileSet&)> needs;  // empty: no raw comparison
    std::function<int(AppContext&, ScriptedDialogs&)> run;       // returns pages (0 when none)
};

std::unique_ptr<AppContext> openYear(const fs::path& folder, ScriptedDialogs& dialogs) {
    auto ctx = std::make_unique<AppContext>(Edition::Sales, folder);
    CreatingPrompts prompts;
    StandAloneStation station;
    if (runStartupLoader(*ctx, dialogs, prompts, station) != StartupResult::Run) return nullptr;
    return ctx;
}

bool makeYear(const fs::path& folder, int slips) {
    if (fs::exists(folder / "FMST.FT0")) return true;
    std::cerr << "making a demo year of " << slips << " slips in " << folder << " (once)\n";
    fs::create_directories(folder.parent_path());
    std::ostringstream out, err;
    cli::Io io{out, err};
    std::vector<std::string> args{"rakurena",     "demo",
                                  "--year",       "2026",
                                  "--customers",  std::to_string(kCustomers),
                                  "--slips",      std::to_string(slips),
                                  folder.string()};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    const int rc = cli::main(static_cast<int>(argv.size()), argv.data(), io);
    if (rc != 0) std::cerr << err.str();
    return rc == 0;
}

std::vector<Operation> operations() {
    auto headersAndLines = [](const FileSet& f) { return std::vector<fs::path>{f[kSlipHeaders], f[kSlipLines]}; };
    std::vector<Operation> ops;
    ops.push_back({"start-up loader", [](const FileSet& f) { return std::vector<fs::path>{f[kSlipHeaders]}; },
                   [](AppContext& ctx, ScriptedDialogs& d) { return openYear(ctx.programFolder(), d) ? 0 : -1; }});
    ops.push_back({"month table (kind 1)", headersAndLines, [](AppContext& ctx, ScriptedDialogs&) {
                       return tables::runTable(ctx, 1, tables::defaultRange(1, ctx), {}).keys.empty() ? -1 : 0;
                   }});
    ops.push_back({"bulk totals (year)", headersAndLines, [](AppContext& ctx, ScriptedDialogs&) {
                       (void)tables::runBulkTotals(ctx, 101, 1231, {});
                       return 0;
                   }});
    ops.push_back({"ledger (customer 5)",
                   [](const FileSet& f) {
                       return std::vector<fs::path>{f[kIndex1], f[kPayments]};
                   },
                   [](AppContext& ctx, ScriptedDialogs& d) {
                       (void)tables::runLedger(ctx, 5, d);
                       return 0;
                   }});
    ops.push_back({"billing table (May)",
                   [](const FileSet& f) {
                       return std::vector<fs::path>{f[kIndex1], f[kSlipHeaders]};
                   },
                   [](AppContext& ctx, ScriptedDialogs& d) {
                       (void)payments::aggregate(ctx, d, 501, 531);
                       return 0;
                   }});
    ops.push_back({"payments list (year)", [](const FileSet& f) { return std::vector<fs::path>{f[kPayments]}; },
                   [](AppContext& ctx, ScriptedDialogs& d) {
                       payments::PaymentList list(ctx, d);
                       list.aggregate();
                       return 0;
                   }});
    ops.push_back({"slips --date 0510", [](const FileSet& f) { return std::vector<fs::path>{f[kIndex1]}; },
                   [](AppContext& ctx, ScriptedDialogs&) {
                       std::ostringstream out, err;
                       cli::Io io{out, err};
                       std::string a0 = "rakurena", a1 = "slips", a2 = "--date", a3 = "0510",
                                   a4 = ctx.programFolder().string();
                       char* argv[] = {a0.data(), a1.data(), a2.data(), a3.data(), a4.data()};
                       return cli::main(5, argv, io) == 0 ? 0 : -1;
                   }});
    ops.push_back(
        {"delivery notes (0510)", nullptr, [](AppContext& ctx, ScriptedDialogs&) {
             const printing::PrintForm form = printing::defaultPrintForm();
             printing::SlipSnapshot files(ctx);
             auto run = printing::buildDeliveryRun(files, {510, 1, 9999, 1}, printing::deliveryLayout(ctx, form));
             auto doc = printing::planDeliveryNotes(run, ctx, form, kA4, printing::DeliveryForm::Standard);
             return static_cast<int>(doc.pages.size());
         }});
    ops.push_back({"bills of May, details", nullptr, [](AppContext& ctx, ScriptedDialogs&) {
                       const printing::PrintForm form = printing::defaultPrintForm();
                       printing::SlipSnapshot files(ctx);
                       auto bills = printing::collectBills(ctx, files, {501, 531, 1, 9999, 531, ""});
                       auto doc = printing::planBills(bills, files, ctx, form, kA4, {true, false, 531});
                       return static_cast<int>(doc.pages.size());
                   }});
    return ops;
}

struct Measured {
    double ms = 0, rawMs = 0;
    long startKiB = 0;
    int pages = 0;
};

// Runs one operation in a child; false when the child failed.
bool measure(const fs::path& folder, const Operation& op, Measured& m, long& peakKiB) {
    int fds[2];
    if (pipe(fds) != 0) return false;
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        ScriptedDialogs dialogs;
        auto ctx = openYear(folder, dialogs);
        Measured r;
        r.startKiB = residentKiB();
        std::vector<double> times, raws;
        for (int i = 0; ctx && i < kRuns; ++i) {
            auto t = Clock::now();
            r.pages = op.run(*ctx, dialogs);
            times.push_back(msSince(t));
            if (op.needs) {
                t = Clock::now();
                rawRead(op.needs(ctx->fileSet));
                raws.push_back(msSince(t));
            }
        }
        if (!ctx || r.pages < 0) _exit(1);
        r.ms = median(times);
        r.rawMs = raws.empty() ? 0 : median(raws);
        if (write(fds[1], &r, sizeof r) != static_cast<ssize_t>(sizeof r)) _exit(1);
        _exit(0);
    }
    close(fds[1]);
    const bool got = read(fds[0], &m, sizeof m) == static_cast<ssize_t>(sizeof m);
    close(fds[0]);
    int status = 0;
    struct rusage usage {};
    wait4(child, &status, 0, &usage);
    peakKiB = usage.ru_maxrss;
    return got && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty()) sizes = {10, 100, 300};
    const char* env = std::getenv("RAKURENA_SUITE_DIR");
    const fs::path root = env ? env : "/tmp/rakurena-suite";
    std::printf("%-7s %-24s %10s %10s %7s %9s %7s %9s\n", "slips", "operation", "ms", "raw ms", "ratio", "peak MiB",
                "pages", "ms/page");
    for (int k : sizes) {
        const fs::path folder = root / (std::to_string(k) + "k");
        if (k < 1 || !makeYear(folder, k * 1000)) {
            std::cerr << "cannot make the year of " << k << "k slips\n";
            return 1;
        }
        const char* only = std::getenv("YEAR_SUITE_ONLY");
        for (const Operation& op : operations()) {
            if (only && op.name.find(only) == std::string::npos) continue;
            Measured m;
            long peak = 0;
            if (!measure(folder, op, m, peak)) {
                std::printf("%-7s %-24s failed\n", (std::to_string(k) + "k").c_str(), op.name.c_str());
                continue;
            }
            const double peakMiB = static_cast<double>(std::max(0L, peak - m.startKiB)) / 1024.0;
            char ratio[16] = "-", raw[16] = "-", perPage[16] = "-";
            if (m.rawMs > 0) {
                std::snprintf(raw, sizeof raw, "%.1f", m.rawMs);
                std::snprintf(ratio, sizeof ratio, "%.2f", m.ms / m.rawMs);
            }
            if (m.pages > 0) std::snprintf(perPage, sizeof perPage, "%.3f", m.ms / m.pages);
            std::printf("%-7s %-24s %10.1f %10s %7s %9.1f %7d %9s\n", (std::to_string(k) + "k").c_str(),
                        op.name.c_str(), m.ms, raw, ratio, peakMiB, m.pages, perPage);
            std::fflush(stdout);
        }
    }
    return 0;
}
