// The name search, order, commission and buyer totals and the shipping date list on a full
// year: 100,000 slips and about 1,000,000 lines of the demo year in
// $RAKURENA_TABLES_BENCH_YEAR (default /tmp/rakurena-tables-bench-year, generated once).
// Each run stands beside the raw read of the bytes it needs: the header file with the line
// file, the header file with the payment file, or the two index files.
#include <benchmark/benchmark.h>

#include "base/cp932.h"
#include "bench_year.h"
#include "tables/buyer_totals.h"
#include "tables/commission_totals.h"
#include "tables/name_search.h"
#include "tables/order_totals.h"
#include "tables/shipping_list.h"

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

void raw(benchmark::State& state, std::initializer_list<fs::path> files) {
    int64_t bytes = 0;
    for (auto _ : state)
        for (const fs::path& p : files) bytes += rawRead(p);
    state.SetBytesProcessed(bytes);
}

void BM_RawRead_HeadersAndLines(benchmark::State& state) {
    const FileSet& f = year().ctx->fileSet;
    raw(state, {f[kSlipHeaders], f[kSlipLines]});
}
BENCHMARK(BM_RawRead_HeadersAndLines)->Unit(benchmark::kMillisecond);

void BM_RawRead_HeadersAndPayments(benchmark::State& state) {
    const FileSet& f = year().ctx->fileSet;
    raw(state, {f[kSlipHeaders], f[kPayments]});
}
BENCHMARK(BM_RawRead_HeadersAndPayments)->Unit(benchmark::kMillisecond);

void BM_RawRead_Indexes(benchmark::State& state) {
    const FileSet& f = year().ctx->fileSet;
    raw(state, {f[kIndex1], f[kIndex2], f[kCustomers]});
}
BENCHMARK(BM_RawRead_Indexes)->Unit(benchmark::kMillisecond);

// Every slip of the year (the empty search text) with its lines.
void BM_NameSearch_All(benchmark::State& state) {
    const AppContext& ctx = *year().ctx;
    for (auto _ : state)
        benchmark::DoNotOptimize(tables::runNameSearch(ctx, 101, 1231, "", tables::NameMatch::Contains).rows.size());
}
BENCHMARK(BM_NameSearch_All)->Unit(benchmark::kMillisecond);

void BM_NameSearch_Code(benchmark::State& state) {
    const AppContext& ctx = *year().ctx;
    for (auto _ : state)
        benchmark::DoNotOptimize(tables::runNameSearch(ctx, 101, 1231, "12", tables::NameMatch::Code).rows.size());
}
BENCHMARK(BM_NameSearch_Code)->Unit(benchmark::kMillisecond);

void BM_OrderTotals(benchmark::State& state) {
    const AppContext& ctx = *year().ctx;
    for (auto _ : state) benchmark::DoNotOptimize(tables::runOrderTotals(ctx, 101, 1231).quantity);
}
BENCHMARK(BM_OrderTotals)->Unit(benchmark::kMillisecond);

void BM_CommissionTotals(benchmark::State& state) {
    const AppContext& ctx = *year().ctx;
    const std::string search = cp932::fromUtf8("花");
    for (auto _ : state)
        benchmark::DoNotOptimize(tables::runCommissionTotals(ctx, {101, 1231, 1, 999, search}).total());
}
BENCHMARK(BM_CommissionTotals)->Unit(benchmark::kMillisecond);

void BM_BuyerTotals(benchmark::State& state) {
    const AppContext& ctx = *year().ctx;
    for (auto _ : state)
        benchmark::DoNotOptimize(tables::runBuyerTotals(ctx, {101, 1231, 0, -1, tables::BuyerSort::Amount}).amount);
}
BENCHMARK(BM_BuyerTotals)->Unit(benchmark::kMillisecond);

void BM_ShippingGrid(benchmark::State& state) {
    const AppContext& ctx = *year().ctx;
    for (auto _ : state) benchmark::DoNotOptimize(tables::buildShippingGrid(ctx).cells.size());
}
BENCHMARK(BM_ShippingGrid)->Unit(benchmark::kMillisecond);

}  // namespace
