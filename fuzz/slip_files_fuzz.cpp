// Arbitrary slip header, line, line text and index files fed to the document's find, load,
// list and record operations and to the index rebuild. Nothing read from the files may make
// them read or write out of bounds, loop without end or hand out a line count above 99.
#include <stdlib.h>

#include <cstdint>
#include <cstring>

#include "memory_file_system.h"
#include "slips/CFq7Doc.h"
#include "slips/slip_index.h"

using namespace rk;

namespace {

// The data-folder lock is a real file; everything else lives in memory.
const fs::path& lockFolder() {
    static fs::path p = [] {
        std::string t = (fs::temp_directory_path() / "rkfuzz.XXXXXX").string();
        if (!::mkdtemp(t.data())) std::abort();
        return fs::path(t);
    }();
    return p;
}

// The input is four files: four little-endian 16-bit lengths (in units of 8 bytes), then the
// bytes of the header, line, index-1 and text files one after another.
void splitInto(fuzz::MemoryFileSystem& mem, const FileSet& f, const uint8_t* data, size_t size) {
    const DataSlot order[4] = {kSlipHeaders, kSlipLines, kIndex1, kRemarkTexts};
    size_t pos = 8;
    for (int i = 0; i < 4; ++i) {
        size_t want =
            size >= 8 ? (static_cast<size_t>(data[2 * i]) | static_cast<size_t>(data[2 * i + 1]) << 8) * 8 : 0;
        size_t n = pos < size ? std::min(want, size - pos) : 0;
        Bytes b(n);
        if (n) std::memcpy(b.data(), data + pos, n);
        mem.files[f[order[i]]] = std::move(b);
        pos += n;
    }
    mem.files[f[kIndex2]] = Bytes(mem.files[f[kIndex1]].size());
    mem.files[f[kAccounts]] = Bytes(600 * 64);
    mem.files[f[kGrades]] = Bytes(101 * 48);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::MemoryFileSystem mem;
    AppContext ctx(Edition::Sales, lockFolder(), mem);
    ctx.fileSet = buildFileSet(Edition::Sales, lockFolder(), lockFolder(), 2026, false);
    splitInto(mem, ctx.fileSet, data, size);
    const FileSet& f = ctx.fileSet;

    ScriptedDialogs dialogs;
    CFq7Doc doc(ctx, dialogs);
    if (doc.header.date < 101 || doc.header.date > 1231) std::abort();

    auto entries = readIndexEntries(mem, f[kIndex1]);
    for (size_t n = 1; n < entries.size() && n < 16; ++n) {
        if (doc.findAndLoad(entries[n].first, entries[n].second) || doc.loadRecord(static_cast<int>(n))) {
            if (doc.header.lineCount < 0 || doc.header.lineCount > kMaxSlipLines) std::abort();
            (void)doc.slipsOfDate(entries[n].first);
            if (n == 1) {
                // Record what was loaded: every write must stay inside or at the end of its file.
                const uint64_t lines = mem.files[f[kSlipLines]].size();
                if (doc.record() == CFq7Doc::WriteResult::Ok &&
                    mem.files[f[kSlipLines]].size() > std::max<uint64_t>(lines, kSlipLineSize) + 100 * kSlipLineSize)
                    std::abort();
            }
        }
    }

    // (A header file without even record 0 still gets the zero entry.)
    if (rebuildIndexes(mem, f[kSlipHeaders], f[kIndex1], f[kIndex2]) && *mem.size(f[kSlipHeaders]) >= kSlipHeaderSize) {
        if (!indexesConsistent(*mem.size(f[kIndex1]), *mem.size(f[kSlipHeaders]))) std::abort();
    }
    return 0;
}
