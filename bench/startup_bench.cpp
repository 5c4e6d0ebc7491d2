// Start-up on a full year: rebuilding both slip indexes from 100,000 slip headers, beside
// a plain sequential read of the same bytes.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "base/record.h"
#include "platform/file_system.h"
#include "slips/slip_index.h"

namespace {

namespace fs = std::filesystem;
constexpr int kSlips = 100000;

const fs::path& headerFile() {
    static const fs::path folder = [] {
        fs::path dir = fs::temp_directory_path() / "rakurena-bench-startup";
        fs::create_directories(dir);
        fs::path file = dir / "F7db2026.FT2";
        if (rk::realFileSystem().size(file).value_or(0) != (kSlips + 1) * rk::kSlipHeaderSize) {
            rk::Bytes all((kSlips + 1) * rk::kSlipHeaderSize);
            for (int i = 1; i <= kSlips; ++i) {
                std::span<std::byte> rec(all.data() + i * rk::kSlipHeaderSize, rk::kSlipHeaderSize);
                rk::writeI32(rec, 64, 1 + i % 3);
                rk::writeI32(rec, 72, 101 + (i / 300) % 1130);
                rk::writeI32(rec, 76, 1 + i % 999);
                rk::writeI32(rec, 88, i * 4);
            }
            (void)rk::realFileSystem().replaceWhole(file, all);
        }
        return dir;
    }();
    static const fs::path file = folder / "F7db2026.FT2";
    return file;
}

void BM_RebuildIndexes(benchmark::State& state) {
    const fs::path& hdr = headerFile();
    for (auto _ : state) {
        bool ok = rk::rebuildIndexes(rk::realFileSystem(), hdr, hdr.parent_path() / "FANA2026.FT2",
                                     hdr.parent_path() / "FAZA2026.FT2");
        benchmark::DoNotOptimize(ok);
    }
    state.SetBytesProcessed(state.iterations() * (kSlips + 1) * rk::kSlipHeaderSize);
}
BENCHMARK(BM_RebuildIndexes)->Unit(benchmark::kMillisecond);

void BM_RawReadOfTheHeaderFile(benchmark::State& state) {
    const fs::path& hdr = headerFile();
    rk::Bytes block(4096 * rk::kSlipHeaderSize);
    for (auto _ : state) {
        uint64_t offset = 0;
        while (auto n = rk::realFileSystem().read(hdr, offset, block)) {
            if (*n == 0) break;
            offset += *n;
        }
        benchmark::DoNotOptimize(offset);
    }
    state.SetBytesProcessed(state.iterations() * (kSlips + 1) * rk::kSlipHeaderSize);
}
BENCHMARK(BM_RawReadOfTheHeaderFile)->Unit(benchmark::kMillisecond);

}  // namespace
