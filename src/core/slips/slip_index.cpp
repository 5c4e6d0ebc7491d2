#include "slips/slip_index.h"

#include <cstring>

#include "base/record.h"
#include "platform/shared_write.h"

namespace rk {

bool indexesConsistent(uint64_t index1Size, uint64_t headerFileSize) {
    return index1Size / kIndexEntrySize == headerFileSize / kSlipHeaderSize;
}

bool rebuildIndexes(FileSystem& fs, const fs::path& headerFile, const fs::path& index1, const fs::path& index2) {
    auto size = fs.size(headerFile);
    if (!size) return false;
    const uint64_t records = *size / kSlipHeaderSize;  // record 0 plus the slips, whole records only
    Bytes out1((records > 0 ? records : 1) * kIndexEntrySize), out2(out1.size());

    constexpr uint64_t kBlockRecords = 4096;  // about 3 MB per read
    Bytes block(std::min(kBlockRecords, records) * kSlipHeaderSize);
    for (uint64_t first = 1; first < records; first += kBlockRecords) {
        const uint64_t count = std::min(kBlockRecords, records - first);
        std::span<std::byte> chunk(block.data(), count * kSlipHeaderSize);
        auto got = fs.read(headerFile, first * kSlipHeaderSize, chunk);
        if (!got || *got != chunk.size()) return false;
        for (uint64_t i = 0; i < count; ++i) {
            std::span<const std::byte> rec(chunk.data() + i * kSlipHeaderSize, kSlipHeaderSize);
            std::span<std::byte> e1(out1.data() + (first + i) * kIndexEntrySize, kIndexEntrySize);
            std::span<std::byte> e2(out2.data() + (first + i) * kIndexEntrySize, kIndexEntrySize);
            writeI32(e1, 0, readI32(rec, kIndex1First));
            writeI32(e1, 4, readI32(rec, kIndex1Second));
            writeI32(e2, 0, readI32(rec, kIndex2First));
            writeI32(e2, 4, readI32(rec, kIndex2Second));
        }
    }
    return fs.replaceWhole(index1, out1) && fs.replaceWhole(index2, out2);
}

bool rebuildIndexesLocked(FileSystem& fs, const fs::path& dataFolder, const fs::path& headerFile,
                          const fs::path& index1, const fs::path& index2) {
    SharedWrite w(fs, dataFolder);
    return w.ready() && rebuildIndexes(fs, headerFile, index1, index2);
}

std::vector<IndexEntry> readIndexEntries(FileSystem& fs, const fs::path& index) {
    std::vector<IndexEntry> out(fs.size(index).value_or(0) / kIndexEntrySize);
    if (out.empty()) return out;
    std::span<std::byte> bytes(reinterpret_cast<std::byte*>(out.data()), out.size() * kIndexEntrySize);
    auto got = fs.read(index, 0, bytes);
    out.resize(got ? *got / kIndexEntrySize : 0);  // the file may have shrunk meanwhile
    return out;
}

int findLiveSlip(FileSystem& fs, const fs::path& index1, const fs::path& headerFile, int32_t date, int32_t customer,
                 int except) {
    if (date <= 100) return 0;
    auto entries = readIndexEntries(fs, index1);
    for (size_t n = 1; n < entries.size(); ++n) {
        if (entries[n] != IndexEntry{date, customer} || static_cast<int>(n) == except) continue;
        std::byte pair[8];
        auto got = fs.read(headerFile, n * kSlipHeaderSize + kIndex1First, pair);
        if (got && *got == 8 && readI32(pair, 0) == date && readI32(pair, 4) == customer) return static_cast<int>(n);
    }
    return 0;
}

int32_t readDataPassword(FileSystem& fs, const fs::path& headerFile) {
    std::byte b[4]{};
    auto n = fs.read(headerFile, 764, b);
    if (!n || *n != 4) return 0;
    return readI32(b, 0);
}

}  // namespace rk
