// Planning printouts of a demo year (120 customers, 3000 slips): a month's bills of every
// customer with their delivery details, and a day's delivery notes. Both are read whole from
// the files and laid out in memory; the operator waits for this before the printer starts,
// so a month's bills should stay well under a second.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include "app/startup_loader.h"
#include "cli/demo_year.h"
#include "printing/bills.h"
#include "printing/delivery_notes.h"

using namespace rk;

namespace {

// The demo year's folder, removed when the benchmarks end.
struct DemoFolder {
    fs::path path;
    ~DemoFolder() {
        std::error_code ec;
        if (!path.empty()) fs::remove_all(path, ec);
    }
};

AppContext& demoYear() {
    static DemoFolder folder;
    static std::unique_ptr<AppContext> ctx = [] {
        std::string t = (fs::temp_directory_path() / "rk-printbench-XXXXXX").string();
        const fs::path dir = ::mkdtemp(t.data());
        folder.path = dir;
        auto c = std::make_unique<AppContext>(Edition::Sales, dir);
        BasicSettings s = defaultSettings(c->clock);
        s.businessYear = s.inputYear = 2026;
        ScriptedDialogs dialogs;
        CreatingPrompts prompts;
        StandAloneStation station;
        if (!writeNewInstallation(*c, s) || runStartupLoader(*c, dialogs, prompts, station) != StartupResult::Run ||
            !fillDemoYear(*c, dialogs, DemoOptions{}))
            std::abort();
        return c;
    }();
    return *ctx;
}

constexpr printing::PageArea kA4{0, 0, 4724, 6800};

void BM_MonthOfBillsWithDetails(benchmark::State& state) {
    AppContext& ctx = demoYear();
    const printing::PrintForm form = printing::defaultPrintForm();
    size_t pages = 0;
    for (auto _ : state) {
        printing::SlipSnapshot files(ctx);
        auto bills = printing::collectBills(ctx, files, {1001, 1031, 1, 999, 1031, ""});
        auto doc = printing::planBills(bills, files, ctx, form, kA4, {true, false, 1031});
        pages = doc.pages.size();
        benchmark::DoNotOptimize(doc);
    }
    state.counters["pages"] = static_cast<double>(pages);
}
BENCHMARK(BM_MonthOfBillsWithDetails)->Unit(benchmark::kMillisecond);

void BM_DayOfDeliveryNotes(benchmark::State& state) {
    AppContext& ctx = demoYear();
    const printing::PrintForm form = printing::defaultPrintForm();
    size_t pages = 0;
    for (auto _ : state) {
        printing::SlipSnapshot files(ctx);
        auto run = printing::buildDeliveryRun(files, {1020, 1, 999, 1}, printing::deliveryLayout(ctx, form));
        auto doc = printing::planDeliveryNotes(run, ctx, form, kA4, printing::DeliveryForm::Standard);
        pages = doc.pages.size();
        benchmark::DoNotOptimize(doc);
    }
    state.counters["pages"] = static_cast<double>(pages);
}
BENCHMARK(BM_DayOfDeliveryNotes)->Unit(benchmark::kMillisecond);

}  // namespace
