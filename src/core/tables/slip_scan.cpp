#include "tables/slip_scan.h"

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#include "slips/slip_index.h"

namespace rk::tables {
namespace {

constexpr uint64_t kBlockBytes = 1u << 20;
// Wanted records closer than this are read in one go with the ones between them.
constexpr uint64_t kGapRecords = 16;

// A record inside a block read from a file. The block's storage came from the allocator, which
// implicitly creates these trivially copyable records; records are multiples of 8 bytes.
template <class T>
const T& recordAt(std::span<const std::byte> block, size_t offset) {
    static_assert(sizeof(T) % alignof(T) == 0);
    return *std::launder(reinterpret_cast<const T*>(block.data() + offset));
}

// A read buffer that grows without zero-filling what the next read overwrites anyway.
class Buffer {
public:
    std::byte* reserve(size_t n) {
        if (n > size_) {
            data_.reset(new std::byte[n]);
            size_ = n;
        }
        return data_.get();
    }

private:
    std::unique_ptr<std::byte[]> data_;
    size_t size_ = 0;
};

// Reads the wanted records of a file (record numbers ascending) in runs: neighbours closer
// than kGapRecords share one read, a run never exceeds one block. `use` gets each wanted
// record number with its bytes. False when a read fails.
template <class Use>
bool readRuns(FileReader& file, const std::vector<uint32_t>& wanted, uint64_t recordSize, Buffer& block, Use use) {
    const uint64_t perBlock = std::max<uint64_t>(1, kBlockBytes / recordSize);
    for (size_t i = 0; i < wanted.size();) {
        const uint64_t first = wanted[i];
        size_t j = i + 1;
        while (j < wanted.size() && wanted[j] - wanted[j - 1] <= kGapRecords && wanted[j] - first < perBlock) ++j;
        const uint64_t count = wanted[j - 1] - first + 1;
        // Grown to the longest run, not to a whole block: a few scattered records stay cheap.
        std::byte* data = block.reserve(count * recordSize);
        auto got = file.read(first * recordSize, std::span(data, count * recordSize));
        if (!got) return false;
        const std::span<const std::byte> b(data, *got / recordSize * recordSize);
        for (; i < j; ++i) {
            const uint64_t at = (wanted[i] - first) * recordSize;
            if (at + recordSize > b.size()) return true;  // the file ended early
            use(wanted[i], b.subspan(at, recordSize));
        }
    }
    return true;
}

// The line record a chosen header names, with who named it.
struct Owned {
    uint32_t slot;
    int32_t ordinal;
    int32_t lineNumber;
};

}  // namespace

ScanResult scanSlips(FileSystem& fs, const fs::path& headerFile, const fs::path& lineFile, const HeaderChoice& choose,
                     const LineVisit& visit, const IndexFilter* byIndex) {
    ScanResult result;
    auto headers = fs.openReader(headerFile);
    auto headerBytes = headers ? headers->size() : std::nullopt;
    if (!headerBytes) return result;
    const uint64_t headerCount = *headerBytes / kSlipHeaderSize;
    auto lines = fs.openReader(lineFile);
    const uint64_t lineRecords = lines ? lines->size().value_or(0) / kSlipLineSize : 0;

    // The header records to read: those the index passes, or all.
    std::vector<uint32_t> wanted;
    bool all = true;
    if (byIndex) {
        const auto entries = readIndexEntries(fs, byIndex->indexFile);
        if (entries.size() == headerCount) {
            all = false;
            for (size_t n = 1; n < entries.size(); ++n)
                if (byIndex->wanted(static_cast<int>(n), entries[n].first, entries[n].second))
                    wanted.push_back(static_cast<uint32_t>(n));
        }
    }
    if (all) {
        wanted.resize(headerCount > 0 ? headerCount - 1 : 0);
        for (size_t k = 0; k < wanted.size(); ++k) wanted[k] = static_cast<uint32_t>(k + 1);
    }

    std::vector<Owned> owned;
    bool ordered = true;
    Buffer block;
    result.headersRead = readRuns(*headers, wanted, kSlipHeaderSize, block, [&](uint32_t record, auto bytes) {
        const SlipHeader& h = recordAt<SlipHeader>(bytes, 0);
        if (!choose(h, static_cast<int>(record))) return;
        const int ordinal = result.chosen++;
        const int count = std::clamp(h.lineCount, 0, kMaxSlipLines);
        for (int j = 1; j <= count; ++j) {
            const int32_t slot = h.lineSlots[j];
            if (slot < 1 || static_cast<uint64_t>(slot) >= lineRecords) {
                ++result.skippedSlots;
                continue;
            }
            if (!owned.empty() && owned.back().slot >= static_cast<uint32_t>(slot)) ordered = false;
            owned.push_back({static_cast<uint32_t>(slot), ordinal, j});
        }
    });
    if (!result.headersRead || owned.empty()) return result;

    // Lines are appended slip by slip, so the slots usually come in order already. A slot
    // named twice (a damaged file) goes to each of its owners, the first chosen first.
    if (!ordered)
        std::stable_sort(owned.begin(), owned.end(), [](const Owned& a, const Owned& b) { return a.slot < b.slot; });
    std::vector<uint32_t> slots;
    slots.reserve(owned.size());
    for (const Owned& o : owned)
        if (slots.empty() || slots.back() != o.slot) slots.push_back(o.slot);
    size_t next = 0;
    (void)readRuns(*lines, slots, kSlipLineSize, block, [&](uint32_t slot, auto bytes) {
        while (next < owned.size() && owned[next].slot < slot) ++next;
        for (; next < owned.size() && owned[next].slot == slot; ++next)
            visit(owned[next].ordinal, owned[next].lineNumber, recordAt<SlipLine>(bytes, 0));
    });
    return result;
}

}  // namespace rk::tables
