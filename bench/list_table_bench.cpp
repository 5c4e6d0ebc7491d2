// The day table on a full year (the benchmark year of slip_bench, generated once into
// $RAKURENA_BENCH_YEAR, default /tmp/rakurena-bench-year): loading the busiest day, one typed
// cell with its totals, and the sorting sheet as CSV and as pages. Nothing here writes the year.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <map>

#include "bench_year.h"
#include "listtable/day_table.h"
#include "listtable/sorting_sheet.h"
#include "slips/slip_index.h"

using namespace rk;

namespace {

struct Year {
    std::unique_ptr<AppContext> ctx;
    ScriptedDialogs dialogs;
    int32_t busiest = 0;
};

Year& year() {
    static Year y = [] {
        Year y;
        y.ctx = bench::openBenchYear("RAKURENA_BENCH_YEAR", "/tmp/rakurena-bench-year", y.dialogs);
        AppContext& ctx = *y.ctx;
        std::map<int32_t, int> perDay;
        for (const IndexEntry& e : readIndexEntries(ctx.files, ctx.fileSet[kIndex1]))
            if (liveDate(e.first)) ++perDay[e.first];
        int most = 0;
        for (auto [day, count] : perDay)
            if (count > most) most = count, y.busiest = day;
        return y;
    }();
    return y;
}

void BM_LoadBusiestDay(benchmark::State& state) {
    Year& y = year();
    listtable::DayTable t(*y.ctx, y.dialogs);
    for (auto _ : state) {
        t.load(y.busiest);
        benchmark::DoNotOptimize(t.usedRows());
    }
    state.counters["rows"] = t.usedRows();
    state.counters["columns"] = t.definedColumns();
}
BENCHMARK(BM_LoadBusiestDay)->Unit(benchmark::kMillisecond);

// One typed quantity: the cell and all column and row totals.
void BM_TypeOneCell(benchmark::State& state) {
    Year& y = year();
    listtable::DayTable t(*y.ctx, y.dialogs);
    t.load(y.busiest);
    int r = 1;
    while (r < t.usedRows() && !t.editable(r)) ++r;
    double q = 1;
    for (auto _ : state) {
        t.editCell(1, r, listtable::CellPart::Quantity, q);
        q = q == 1 ? 2 : 1;
    }
}
BENCHMARK(BM_TypeOneCell)->Unit(benchmark::kMicrosecond);

void BM_SortingSheet(benchmark::State& state) {
    Year& y = year();
    listtable::DayTable t(*y.ctx, y.dialogs);
    t.load(y.busiest);
    const printing::PrintForm form = printing::defaultPrintForm();
    size_t pages = 0;
    for (auto _ : state) {
        std::string csv = listtable::sortingSheetCsv(t);
        printing::Document doc = listtable::sortingSheetPlan(t, form, {0, 0, 7016, 4961});
        pages = doc.pages.size();
        benchmark::DoNotOptimize(csv.data());
    }
    state.counters["pages"] = static_cast<double>(pages);
}
BENCHMARK(BM_SortingSheet)->Unit(benchmark::kMillisecond);

}  // namespace
