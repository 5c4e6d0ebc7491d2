#include "slips/slip_index.h"

#include <cstdlib>
#include <cstring>

#include "base/record.h"
#include "platform/rollback_journal.h"
#include "platform/shared_write.h"

namespace rk {

bool indexesConsistent(uint64_t index1Size, uint64_t headerFileSize) {
    return index1Size / kIndexEntrySize == headerFileSize / kSlipHeaderSize;
}

namespace {

// Both index files as the header file makes them; false when it cannot be read.
bool buildIndexes(FileSystem& fs, const fs::path& headerFile, Bytes& out1, Bytes& out2) {
    auto file = fs.openReader(headerFile);
    auto size = file ? file->size() : std::nullopt;
    if (!size) return false;
    const uint64_t records = *size / kSlipHeaderSize;  // record 0 plus the slips, whole records only
    out1.assign((records > 0 ? records : 1) * kIndexEntrySize, std::byte{0});
    out2.assign(out1.size(), std::byte{0});

    constexpr uint64_t kBlockRecords = 4096;  // about 3 MB per read
    Bytes block(std::min(kBlockRecords, records) * kSlipHeaderSize);
    for (uint64_t first = 1; first < records; first += kBlockRecords) {
        const uint64_t count = std::min(kBlockRecords, records - first);
        std::span<std::byte> chunk(block.data(), count * kSlipHeaderSize);
        auto got = file->read(first * kSlipHeaderSize, chunk);
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
    return true;
}

// Stages the entries in which `fresh` differs from the file (usually none, or the few a
// crashed writer left behind), so a rebuild of sound indexes writes nothing at all.
bool stageDifferences(FileSystem& fs, FileTransaction& tx, const fs::path& index, const Bytes& fresh) {
    Bytes old;
    if (fs.exists(index)) {
        auto got = fs.readAll(index);
        if (!got) return false;
        old = std::move(*got);
    }
    if (old == fresh) return true;  // the usual case, found without a byte-by-byte walk
    size_t at = 0;
    while (at < fresh.size()) {
        auto same = [&](size_t i) { return i < old.size() && old[i] == fresh[i]; };
        while (at < fresh.size() && same(at)) ++at;
        size_t end = at;
        while (end < fresh.size() && !same(end)) ++end;
        if (end > at) tx.write(index, at, std::span(fresh).subspan(at, end - at));
        at = end;
    }
    return true;
}

}  // namespace

bool rebuildIndexes(FileSystem& fs, const fs::path& headerFile, const fs::path& index1, const fs::path& index2) {
    Bytes out1, out2;
    return buildIndexes(fs, headerFile, out1, out2) && fs.replaceWhole(index1, out1) && fs.replaceWhole(index2, out2);
}

bool rebuildIndexesLocked(FileSystem& fs, const fs::path& dataFolder, const fs::path& headerFile,
                          const fs::path& index1, const fs::path& index2) {
    SharedWrite w(fs, dataFolder);
    Bytes out1, out2;
    if (!w.ready() || !buildIndexes(fs, headerFile, out1, out2)) return false;
    // Headers are only ever appended, so the indexes only grow: both are written in one
    // journalled transaction and a crash leaves both old or both new. A shorter header file
    // (replaced whole by a maintenance run) gets both replaced whole.
    const uint64_t old1 = fs.size(index1).value_or(0), old2 = fs.size(index2).value_or(0);
    if (old1 > out1.size() || old2 > out2.size()) return fs.replaceWhole(index1, out1) && fs.replaceWhole(index2, out2);
    if (!stageDifferences(fs, w.transaction(), index1, out1) || !stageDifferences(fs, w.transaction(), index2, out2))
        return false;
    return w.commit().ok();
}

std::vector<IndexEntry> readIndexEntries(FileSystem& fs, const fs::path& index) {
    std::vector<IndexEntry> out(fs.size(index).value_or(0) / kIndexEntrySize);
    if (out.empty()) return out;
    std::span<std::byte> bytes(reinterpret_cast<std::byte*>(out.data()), out.size() * kIndexEntrySize);
    auto got = fs.read(index, 0, bytes);
    out.resize(got ? *got / kIndexEntrySize : 0);  // the file may have shrunk meanwhile
    return out;
}

int32_t lastIndexedDate(FileSystem& fs, const fs::path& index1) {
    auto size = fs.size(index1);
    if (!size || *size < 2 * kIndexEntrySize) return 101;
    std::byte e[4]{};
    auto got = fs.read(index1, (*size / kIndexEntrySize - 1) * kIndexEntrySize, e);
    const int32_t d = got && *got == 4 ? std::abs(readI32(e, 0)) : 0;
    return d >= 101 && d <= 1231 ? d : 101;
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
