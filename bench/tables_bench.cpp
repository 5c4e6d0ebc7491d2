// The aggregation windows on a full year: 100,000 slips and about 1,000,000 lines of the demo
// year in $RAKURENA_TABLES_BENCH_YEAR (default /tmp/rakurena-tables-bench-year, generated once
// with its deliveries processed as receivables, as `rakurena demo` makes it). Each run is measured beside the raw read
// of the bytes it has to read: the header file alone, or the header and the line file.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>

#include "bench_year.h"
#include "tables/aging.h"
#include "tables/bulk_totals.h"
#include "tables/ledger.h"
#include "tables/sales_totals.h"
#include "tables/table_engine.h"

using namespace rk;

namespace {

struct Year {
    std::unique_ptr<AppContext> ctx;
    ScriptedDialogs dialogs;
};

Year& year() {
    static Year y = [] {
        Year y;
        y.ctx = bench::openBenchYear("RAKURENA_TABLES_BENCH_YEAR", "/tmp/rakurena-tables-bench-year", y.dialogs);
        return y;
    }();
    return y;
}

int64_t rawRead(const fs::path& p) {
    static Bytes block(4 << 20);
    FileSystem& fs = realFileSystem();
    const uint64_t end = fs.size(p).value_or(0);
    int64_t total = 0;
    for (uint64_t at = 0; at < end;) {
        auto got = fs.read(p, at, std::span(block.data(), std::min<uint64_t>(block.size(), end - at)));
        if (!got || *got == 0) break;
        at += *got;
        total += static_cast<int64_t>(*got);
    }
    return total;
}

void BM_RawRead_HeadersAndLines(benchmark::State& state) {
    const FileSet& f = year().ctx->fileSet;
    int64_t bytes = 0;
    for (auto _ : state) bytes += rawRead(f[kSlipHeaders]) + rawRead(f[kSlipLines]);
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_RawRead_HeadersAndLines)->Unit(benchmark::kMillisecond);

void BM_RawRead_Headers(benchmark::State& state) {
    const FileSet& f = year().ctx->fileSet;
    int64_t bytes = 0;
    for (auto _ : state) bytes += rawRead(f[kSlipHeaders]);
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_RawRead_Headers)->Unit(benchmark::kMillisecond);

// Kind 1..12 over the whole year (month kinds over the ten years up to it).
void BM_Table(benchmark::State& state) {
    const AppContext& ctx = *year().ctx;
    const int kind = static_cast<int>(state.range(0));
    const tables::TableRange range = tables::defaultRange(kind, ctx);
    size_t keys = 0;
    for (auto _ : state) {
        tables::TableResult r = tables::runTable(ctx, kind, range, {});
        keys = r.keys.size();
        benchmark::DoNotOptimize(r.grand);
    }
    state.counters["keys"] = static_cast<double>(keys);
}
BENCHMARK(BM_Table)->DenseRange(1, 12)->Unit(benchmark::kMillisecond);

void BM_Table_WithConditions(benchmark::State& state) {
    const AppContext& ctx = *year().ctx;
    tables::ConditionSet c;
    c.of(tables::kByProduct) = {1, 0, 0, 0, 0, 20};
    c.of(tables::kBySalesMethod) = {1, 2, 3, 0, 0, 0};
    for (auto _ : state) benchmark::DoNotOptimize(tables::runTable(ctx, 1, tables::defaultRange(1, ctx), c).grand);
}
BENCHMARK(BM_Table_WithConditions)->Unit(benchmark::kMillisecond);

void BM_SalesTotals(benchmark::State& state) {
    const AppContext& ctx = *year().ctx;
    for (auto _ : state) benchmark::DoNotOptimize(tables::runSalesTotals(ctx, 101, 1231).totals);
}
BENCHMARK(BM_SalesTotals)->Unit(benchmark::kMillisecond);

void BM_BulkTotals(benchmark::State& state) {
    const AppContext& ctx = *year().ctx;
    for (auto _ : state) benchmark::DoNotOptimize(tables::runBulkTotals(ctx, 101, 1231, {}).totals);
}
BENCHMARK(BM_BulkTotals)->Unit(benchmark::kMillisecond);

void BM_Ledger(benchmark::State& state) {
    Year& y = year();
    for (auto _ : state) benchmark::DoNotOptimize(tables::runLedger(*y.ctx, 5, y.dialogs).entries.size());
}
BENCHMARK(BM_Ledger)->Unit(benchmark::kMillisecond);

// Every customer's open slips by age with the ledger check: one pass over the year like one
// ledger, not one per customer.
void BM_Aging(benchmark::State& state) {
    const AppContext& ctx = *year().ctx;
    for (auto _ : state) benchmark::DoNotOptimize(tables::runAging(ctx, 1231, 1, ctx.env.customerCount).rows.size());
}
BENCHMARK(BM_Aging)->Unit(benchmark::kMillisecond);

}  // namespace
