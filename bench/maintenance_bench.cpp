// The read-only year check and the duplicate-line check on a full year: 100,000 slips and
// about 1,000,000 lines of the demo year in $RAKURENA_CHECK_BENCH_YEAR (default
// /tmp/rakurena-check-bench-year, generated once). Both read the header and line files once in
// large blocks; the target is a few seconds for the year and memory in proportion to the
// record counts (a few bytes per line, a few dozen per slip), never the files whole.
#include <benchmark/benchmark.h>

#include "bench_year.h"
#include "maintenance/duplicate_check.h"
#include "maintenance/year_check.h"

using namespace rk;

namespace {

struct Year {
    std::unique_ptr<AppContext> ctx;
    ScriptedDialogs dialogs;
};

Year& year() {
    static Year y = [] {
        Year y;
        y.ctx = bench::openBenchYear("RAKURENA_CHECK_BENCH_YEAR", "/tmp/rakurena-check-bench-year", y.dialogs);
        return y;
    }();
    return y;
}

void YearCheck(benchmark::State& state) {
    AppContext& ctx = *year().ctx;
    size_t found = 0;
    for (auto _ : state) {
        auto f = maintenance::checkYear(ctx);
        found = f.size();
        benchmark::DoNotOptimize(f);
    }
    state.counters["findings"] = static_cast<double>(found);
}
BENCHMARK(YearCheck)->Unit(benchmark::kMillisecond)->Iterations(3);

void DuplicateLines(benchmark::State& state) {
    AppContext& ctx = *year().ctx;
    for (auto _ : state) {
        auto pairs = maintenance::findDuplicateLines(ctx.files, ctx.fileSet[kSlipHeaders]);
        benchmark::DoNotOptimize(pairs);
    }
}
BENCHMARK(DuplicateLines)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
