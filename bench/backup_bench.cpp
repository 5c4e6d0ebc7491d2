// Backing up a full year (999 customers, 100,000 slips): the compressed-file backup (archive
// made, read back and checked, copied and checked again) and the automatic backup's archive,
// beside plainly copying the same bytes. Reports the archive's share of the files' size.
#include <benchmark/benchmark.h>

#include "bench_year.h"
#include "maintenance/archiver.h"
#include "maintenance/backup.h"
#include "maintenance/file_lists.h"

namespace {

using namespace rk;
namespace mt = rk::maintenance;

AppContext& year() {
    static ScriptedDialogs dialogs;
    static std::unique_ptr<AppContext> ctx =
        bench::openBenchYear("RAKURENA_BENCH_YEAR", "/tmp/rakurena-bench-year", dialogs);
    return *ctx;
}

fs::path target() {
    const fs::path t = fs::temp_directory_path() / "rakurena-bench-backup";
    fs::create_directories(t);
    return t;
}

std::vector<fs::path> dataFiles(AppContext& ctx) {
    return mt::yearFiles(ctx.fileSet.dataFolder, mt::yearText(ctx), {".ft1", ".ft2"});
}

void BM_CompressedBackupChecked(benchmark::State& state) {
    AppContext& ctx = year();
    ScriptedDialogs d;
    mt::ScriptedDiskQuestions disk(d);
    const fs::path chosen = target() / mt::defaultArchiveName(ctx);
    uint64_t bytes = 0;
    for (const fs::path& f : dataFiles(ctx)) bytes += fs::file_size(f);
    for (auto _ : state) {
        if (mt::backupToArchive(ctx, d, disk, systemVolumes(), chosen) != mt::Outcome::Done)
            state.SkipWithError("failed");
    }
    state.counters["year_MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["archive_share_%"] = 100.0 * static_cast<double>(fs::file_size(chosen)) / static_cast<double>(bytes);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_CompressedBackupChecked)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_ArchiveOfTheYearFiles(benchmark::State& state) {
    AppContext& ctx = year();
    std::vector<ArchiveInput> inputs;
    uint64_t bytes = 0;
    for (const fs::path& f : dataFiles(ctx)) {
        inputs.push_back({f, ""});
        bytes += fs::file_size(f);
    }
    for (auto _ : state) {
        if (!createArchive(realFileSystem(), target() / "2026Data.Lzh", inputs).ok()) state.SkipWithError("failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_ArchiveOfTheYearFiles)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_PlainCopyOfTheSameBytes(benchmark::State& state) {
    AppContext& ctx = year();
    uint64_t bytes = 0;
    const auto files = dataFiles(ctx);
    for (const fs::path& f : files) bytes += fs::file_size(f);
    for (auto _ : state) {
        for (const fs::path& f : files) {
            if (!realFileSystem().copy(f, target() / f.filename())) state.SkipWithError("failed");
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_PlainCopyOfTheSameBytes)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
