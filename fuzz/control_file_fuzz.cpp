// An arbitrary network control file read, reconciled against stations that do and do not
// run, changed and written back: slots and claims outside their ranges must never index
// past the table, and what is written must read back as the same table.
#include <cstdint>

#include "app/lan_control.h"
#include "app/lan_table.h"
#include "fuzz_input.h"

using namespace rk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::MemoryFileSystem mem;
    const fs::path file = fuzz::lockFolder() / "FLAN2026.FT2";
    mem.files[file] = Bytes(reinterpret_cast<const std::byte*>(data), reinterpret_cast<const std::byte*>(data) + size);
    auto table = readTable(mem, file);
    if (!table) return 0;
    table->reconcile([&](int station) { return size > 0 && (data[0] >> (station % 8) & 1) != 0; });
    for (int i = 0; i < LanTable::kSlots; ++i) (void)table->slot(i);
    const Bytes out = table->toBytes();
    if (LanTable::fromBytes(out).toBytes() != out) std::abort();
    if (writeTable(mem, file, *table) && mem.files[file].size() < out.size()) std::abort();
    return 0;
}
