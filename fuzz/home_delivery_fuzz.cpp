// Arbitrary home-delivery data and address-book files: chains with loops, numbers past the
// end and torn records must load bounded, and the search must never read past a text field.
#include <cstdint>
#include <cstring>

#include "fuzz_input.h"
#include "slips/home_delivery.h"

using namespace rk;
using namespace rk::delivery;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::MemoryFileSystem mem;
    const fs::path folder = fuzz::lockFolder();
    const fs::path dataFile = folder / "F7df2026.FT2", book = folder / "TAKUHAI.Mas";
    fuzz::splitFiles(mem, {dataFile, book}, data, size, 4);
    int32_t first = 0;
    if (size >= 4) std::memcpy(&first, data, 4);
    if (auto chain = readChain(mem, dataFile, first)) {
        if (chain->size() > static_cast<size_t>(kMaxChain)) std::abort();
        for (auto& s : *chain) {
            applyDefaults(s.record, 131);
            (void)complete(s.record);
        }
    }
    if (auto entries = readBook(mem, book); entries && !entries->empty()) {
        for (int f = 0; f <= static_cast<int>(SearchField::OriginName); ++f)
            (void)search(*entries, entries->front(), static_cast<SearchField>(f));
    }
    return 0;
}
