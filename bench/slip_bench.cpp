// The slip files on a full year: 100,000 slips and about 1,000,000 lines of the demo year,
// generated once into $RAKURENA_BENCH_YEAR (default /tmp/rakurena-bench-year) and reused.
// Every operation is measured beside a raw read of the same bytes, so the figures show what
// the operation adds to the disk's own cost.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <random>

#include "bench_year.h"
#include "slips/CFq7Doc.h"
#include "slips/packing_tables.h"
#include "slips/slip_commands.h"
#include "slips/slip_index.h"
#include "slips/slip_lines.h"

using namespace rk;

namespace {

struct Year {
    std::unique_ptr<AppContext> ctx;
    ScriptedDialogs dialogs;
    std::vector<IndexEntry> live;  // (date, customer) of every live slip
};

Year& year() {
    static Year y = [] {
        Year y;
        y.ctx = bench::openBenchYear("RAKURENA_BENCH_YEAR", "/tmp/rakurena-bench-year", y.dialogs);
        AppContext& ctx = *y.ctx;
        for (const IndexEntry& e : readIndexEntries(ctx.files, ctx.fileSet[kIndex1]))
            if (liveDate(e.first)) y.live.push_back(e);
        return y;
    }();
    return y;
}

const fs::path& file(DataSlot s) { return year().ctx->fileSet[s]; }

// Reads a whole file front to back in blocks, as the fastest possible scan of it.
int64_t rawRead(const fs::path& p, uint64_t offset = 0, uint64_t length = UINT64_MAX) {
    static Bytes block(4 << 20);
    FileSystem& fs = realFileSystem();
    const uint64_t end = std::min(*fs.size(p), length == UINT64_MAX ? UINT64_MAX : offset + length);
    int64_t total = 0;
    for (uint64_t at = offset; at < end;) {
        auto got = fs.read(p, at, std::span(block.data(), std::min<uint64_t>(block.size(), end - at)));
        if (!got || *got == 0) break;
        at += *got;
        total += static_cast<int64_t>(*got);
    }
    return total;
}

// Keeps the year as generated: the appends of a benchmark are cut off again afterwards.
class KeepLengths {
public:
    KeepLengths() {
        for (DataSlot s : {kSlipHeaders, kSlipLines, kRemarkTexts, kIndex1, kIndex2})
            sizes_.emplace_back(s, *realFileSystem().size(file(s)));
    }
    ~KeepLengths() {
        for (auto [s, n] : sizes_) (void)realFileSystem().truncate(file(s), n);
    }

private:
    std::vector<std::pair<DataSlot, uint64_t>> sizes_;
};

void BM_IndexRebuild(benchmark::State& state) {
    const auto& f = year().ctx->fileSet;
    for (auto _ : state) {
        if (!rebuildIndexes(realFileSystem(), f[kSlipHeaders], f[kIndex1], f[kIndex2])) state.SkipWithError("rebuild");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(*realFileSystem().size(f[kSlipHeaders])));
}
void BM_IndexRebuild_RawRead(benchmark::State& state) {
    int64_t bytes = 0;
    for (auto _ : state) bytes += rawRead(file(kSlipHeaders));
    state.SetBytesProcessed(bytes);
}

void BM_FindAndLoad(benchmark::State& state) {
    Year& y = year();
    CFq7Doc doc(*y.ctx, y.dialogs);
    std::mt19937 rng(1);
    int lines = 0;
    for (auto _ : state) {
        const IndexEntry& e = y.live[rng() % y.live.size()];
        if (!doc.findAndLoad(e.first, e.second)) {
            state.SkipWithError("not found");
            break;
        }
        lines += doc.header.lineCount;
    }
    state.counters["lines/slip"] = benchmark::Counter(lines, benchmark::Counter::kAvgIterations);
}
// The same bytes: the whole index file 1, one header and ten lines.
void BM_FindAndLoad_RawRead(benchmark::State& state) {
    std::mt19937 rng(1);
    const uint64_t headers = *realFileSystem().size(file(kSlipHeaders)) / kSlipHeaderSize;
    const uint64_t lines = *realFileSystem().size(file(kSlipLines)) / kSlipLineSize;
    for (auto _ : state) {
        benchmark::DoNotOptimize(rawRead(file(kIndex1)));
        benchmark::DoNotOptimize(
            rawRead(file(kSlipHeaders), (1 + rng() % (headers - 1)) * kSlipHeaderSize, kSlipHeaderSize));
        benchmark::DoNotOptimize(
            rawRead(file(kSlipLines), (1 + rng() % (lines - 11)) * kSlipLineSize, 10 * kSlipLineSize));
    }
}

void BM_SlipsOfDate(benchmark::State& state) {
    Year& y = year();
    CFq7Doc doc(*y.ctx, y.dialogs);
    int day = 0;
    size_t found = 0;
    for (auto _ : state) {
        const int d = (day % 12 + 1) * 100 + day % 28 + 1;
        ++day;
        found += doc.slipsOfDate(d).size();
    }
    state.counters["slips/date"] = benchmark::Counter(static_cast<double>(found), benchmark::Counter::kAvgIterations);
}
void BM_SlipsOfDate_RawRead(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(rawRead(file(kIndex1)));
}

// A new ten-line slip for a customer number the demo year never uses, so the pair is free.
void fillNewSlip(CFq7Doc& doc, int i) {
    doc.clearHeader();
    doc.clearLines();
    doc.header.date = (i % 12 + 1) * 100 + i % 28 + 1;
    doc.header.customer = 1001 + i / 84 % 1999;  // (month, day) repeats only every 84 slips
    doc.header.stage = kStageDelivery;
    for (int j = 1; j <= 10; ++j) {
        doc.lines[j].product = j;
        doc.lines[j].quantity = 10;
        doc.lines[j].price = 100;
        doc.lines[j].amount = 1000;
    }
    doc.header.lineCount = 10;
}

void BM_RecordNewSlip(benchmark::State& state) {
    Year& y = year();
    KeepLengths keep;
    CFq7Doc doc(*y.ctx, y.dialogs);
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fillNewSlip(doc, i++);
        state.ResumeTiming();
        if (doc.record() != CFq7Doc::WriteResult::Ok) {
            state.SkipWithError("record");
            break;
        }
    }
}
// The same bytes: the scan of index file 1 for the pair, then ten lines, a header and two
// index entries appended with one sync per file, as the recording does.
void BM_RecordNewSlip_RawReadWrite(benchmark::State& state) {
    KeepLengths keep;
    FileSystem& fs = realFileSystem();
    Bytes lines(10 * kSlipLineSize), header(kSlipHeaderSize), entry(kIndexEntrySize);
    for (auto _ : state) {
        benchmark::DoNotOptimize(rawRead(file(kIndex1)));
        bool ok = fs.append(file(kSlipLines), lines) && fs.append(file(kSlipHeaders), header) &&
                  fs.append(file(kIndex1), entry) && fs.append(file(kIndex2), entry);
        for (DataSlot s : {kSlipLines, kSlipHeaders, kIndex1, kIndex2}) ok = ok && fs.sync(file(s));
        if (!ok) state.SkipWithError("write");
    }
}

void BM_RecordChange(benchmark::State& state) {
    Year& y = year();
    CFq7Doc doc(*y.ctx, y.dialogs);
    std::mt19937 rng(2);
    for (auto _ : state) {
        state.PauseTiming();
        const IndexEntry& e = y.live[rng() % y.live.size()];
        const bool found = doc.findAndLoad(e.first, e.second);
        state.ResumeTiming();
        if (!found || doc.record() != CFq7Doc::WriteResult::Ok) {
            state.SkipWithError("record");
            break;
        }
    }
}
// The same bytes: the index scan, the slip's header and lines read and written back in place
// with one sync per file.
void BM_RecordChange_RawReadWrite(benchmark::State& state) {
    FileSystem& fs = realFileSystem();
    std::mt19937 rng(2);
    const uint64_t headers = *fs.size(file(kSlipHeaders)) / kSlipHeaderSize;
    Bytes h(kSlipHeaderSize), l(10 * kSlipLineSize);
    for (auto _ : state) {
        benchmark::DoNotOptimize(rawRead(file(kIndex1)));
        const uint64_t n = 1 + rng() % (headers - 1);
        bool ok = fs.read(file(kSlipHeaders), n * kSlipHeaderSize, h) &&
                  fs.read(file(kSlipLines), n * 10 * kSlipLineSize, l) &&
                  fs.write(file(kSlipHeaders), n * kSlipHeaderSize, h) &&
                  fs.write(file(kSlipLines), n * 10 * kSlipLineSize, l);
        ok = ok && fs.sync(file(kSlipHeaders)) && fs.sync(file(kSlipLines));
        if (!ok) state.SkipWithError("write");
    }
}

// F5 in the slip entry on a full slip: the checks, the packing tables and the write of 99
// new lines, for a free (date, customer) pair.
void BM_RecordFullSlipWithF5(benchmark::State& state) {
    Year& y = year();
    KeepLengths keep;
    PackingTables packing(*y.ctx);
    CFq7Doc doc(*y.ctx, y.dialogs, nullptr, &packing);
    doc.setInputMode(2);
    SlipCommands commands(doc, *y.ctx, y.dialogs, 2);
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fillNewSlip(doc, i++);
        for (int j = 1; j <= kMaxSlipLines; ++j) {
            SlipLine& l = doc.lines[j];
            l = doc.lines[1 + (j - 1) % 10];
            l.product = 1 + j % 50;
            l.delivered = l.quantity = 10;
            l.boxes = 2;
            l.debit = 110;
            l.credit = 400;
        }
        state.ResumeTiming();
        if (!commands.record()) {
            state.SkipWithError("record");
            break;
        }
    }
}

// What one typed quantity costs before the repaint: the store, the amount and the totals of a
// 99-line slip.
void BM_QuantityKeystrokeToTotals(benchmark::State& state) {
    Year& y = year();
    CFq7Doc doc(*y.ctx, y.dialogs);
    SlipLineEditor lines(doc, *y.ctx, y.dialogs, 2);
    fillNewSlip(doc, 0);
    for (int j = 1; j <= kMaxSlipLines; ++j) doc.lines[j] = doc.lines[1 + (j - 1) % 10];
    int q = 0;
    for (auto _ : state) {
        lines.storeQuantity(1 + q % kMaxSlipLines, q % 50 + 1);
        benchmark::DoNotOptimize(lines.recount());
        ++q;
    }
}

}  // namespace

BENCHMARK(BM_RecordFullSlipWithF5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuantityKeystrokeToTotals)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IndexRebuild)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_IndexRebuild_RawRead)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_FindAndLoad)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindAndLoad_RawRead)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SlipsOfDate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SlipsOfDate_RawRead)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecordNewSlip)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordNewSlip_RawReadWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordChange)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordChange_RawReadWrite)->Unit(benchmark::kMillisecond);
