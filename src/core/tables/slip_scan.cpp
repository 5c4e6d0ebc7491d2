#include "tables/slip_scan.h"

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#include "base/format.h"
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

// Records [first, end) of a file.
struct Range {
    uint64_t first, end;
};

// Adds [first, end) to ranges kept in ascending order, joining it to the last one when it
// touches or overlaps it.
void addRange(std::vector<Range>& ranges, uint64_t first, uint64_t end) {
    if (!ranges.empty() && first <= ranges.back().end)
        ranges.back().end = std::max(ranges.back().end, end);
    else
        ranges.push_back({first, end});
}

// Reads the wanted records of a file (ascending ranges) in reads of up to one block: ranges
// closer than kGapRecords share a read. `use` gets each wanted record number with its bytes.
// False when a read fails.
template <class Use>
bool readRanges(FileReader& file, const std::vector<Range>& wanted, uint64_t recordSize, Buffer& block, Use use) {
    const uint64_t perBlock = std::max<uint64_t>(1, kBlockBytes / recordSize);
    size_t i = 0;
    uint64_t from = wanted.empty() ? 0 : wanted[0].first;  // the next wanted record
    while (i < wanted.size()) {
        // One read: from `from` on, through the following ranges that are close, within a block.
        const uint64_t first = from;
        uint64_t last = std::min(wanted[i].end, first + perBlock);
        size_t j = i;
        while (last == wanted[j].end && j + 1 < wanted.size() && wanted[j + 1].first - last <= kGapRecords &&
               wanted[j + 1].first < first + perBlock) {
            ++j;
            last = std::min(wanted[j].end, first + perBlock);
        }
        // Grown to the longest read, not to a whole block: a few scattered records stay cheap.
        const uint64_t count = last - first;
        std::byte* data = block.reserve(count * recordSize);
        auto got = file.read(first * recordSize, std::span(data, count * recordSize));
        if (!got) return false;
        const uint64_t whole = *got / recordSize;
        for (size_t k = i; k <= j; ++k) {
            const uint64_t a = std::max(wanted[k].first, first), b = std::min(wanted[k].end, last);
            for (uint64_t r = a; r < b; ++r) {
                if (r - first >= whole) return true;  // the file ended early
                use(r, std::span<const std::byte>(data + (r - first) * recordSize, recordSize));
            }
        }
        if (last < wanted[j].end) {
            i = j;
            from = last;  // the rest of a range longer than a block
        } else if (++j < wanted.size()) {
            i = j;
            from = wanted[j].first;
        } else {
            break;
        }
    }
    return true;
}

// Consecutive line records a chosen header names: `count` slots from `slot`, its lines
// `lineNumber` onwards. A slip's lines are usually appended together, so one run per slip.
struct Owned {
    uint32_t slot;
    uint32_t count;
    int32_t ordinal;
    int32_t lineNumber;
};

}  // namespace

IndexFilter periodFilter(const fs::path& indexFile, int firstMonth, int first, int last, int fromCustomer,
                         int toCustomer) {
    return {indexFile, [=](int, int32_t date, int32_t customer) {
                if (!liveDate(date) || customer < fromCustomer || customer > toCustomer) return false;
                const int key = monthday::businessKey(date, firstMonth);
                return key >= first && key <= last;
            }};
}

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
    std::vector<Range> wanted;
    bool all = true;
    if (byIndex) {
        const auto entries = readIndexEntries(fs, byIndex->indexFile);
        if (entries.size() == headerCount) {
            all = false;
            for (size_t n = 1; n < entries.size(); ++n)
                if (byIndex->wanted(static_cast<int>(n), entries[n].first, entries[n].second))
                    addRange(wanted, n, n + 1);
        }
    }
    if (all && headerCount > 1) wanted.push_back({1, headerCount});

    std::vector<Owned> owned;
    bool ordered = true;  // runs ascending and apart
    Buffer block;
    result.headersRead = readRanges(*headers, wanted, kSlipHeaderSize, block, [&](uint64_t record, auto bytes) {
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
            const auto s = static_cast<uint32_t>(slot);
            if (!owned.empty()) {
                Owned& last = owned.back();
                if (last.ordinal == ordinal && last.slot + last.count == s &&
                    last.lineNumber + static_cast<int32_t>(last.count) == j) {
                    ++last.count;
                    continue;
                }
                if (s < last.slot + last.count) ordered = false;
            }
            owned.push_back({s, 1, ordinal, j});
        }
    });
    if (!result.headersRead || owned.empty()) return result;

    // Slots out of order, or a slot named twice (a damaged file): one run per slot, in slot
    // order, each owner of a slot in the order chosen.
    if (!ordered) {
        std::vector<Owned> single;
        for (const Owned& o : owned)
            for (uint32_t k = 0; k < o.count; ++k)
                single.push_back({o.slot + k, 1, o.ordinal, o.lineNumber + int32_t(k)});
        std::stable_sort(single.begin(), single.end(), [](const Owned& a, const Owned& b) { return a.slot < b.slot; });
        owned = std::move(single);
    }
    std::vector<Range> slots;
    for (const Owned& o : owned) addRange(slots, o.slot, uint64_t{o.slot} + o.count);
    size_t next = 0;
    (void)readRanges(*lines, slots, kSlipLineSize, block, [&](uint64_t slot, auto bytes) {
        while (next < owned.size() && owned[next].slot + owned[next].count <= slot) ++next;
        for (size_t k = next; k < owned.size() && owned[k].slot <= slot; ++k)
            if (slot < owned[k].slot + owned[k].count)
                visit(owned[k].ordinal, owned[k].lineNumber + static_cast<int>(slot - owned[k].slot),
                      recordAt<SlipLine>(bytes, 0));
    });
    return result;
}

}  // namespace rk::tables
