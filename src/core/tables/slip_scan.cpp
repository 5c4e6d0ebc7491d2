#include "tables/slip_scan.h"

#include <algorithm>
#include <new>
#include <vector>

#include "slips/slip_index.h"

namespace rk::tables {
namespace {

constexpr uint64_t kBlockBytes = 4u << 20;

// Reads [from, to) of a file block by block into `block`; `use` gets each block and the
// offset of its start.
template <class Use>
bool readBlocks(FileSystem& fs, const fs::path& p, uint64_t from, uint64_t to, uint64_t recordSize, Bytes& block,
                Use use) {
    const uint64_t perBlock = std::max<uint64_t>(1, kBlockBytes / recordSize) * recordSize;
    if (block.size() < perBlock) block.resize(perBlock);
    for (uint64_t at = from; at < to;) {
        const uint64_t want = std::min(perBlock, to - at);
        auto got = fs.read(p, at, std::span(block.data(), want));
        if (!got) return false;
        const uint64_t whole = *got / recordSize * recordSize;
        if (whole == 0) break;
        use(std::span<const std::byte>(block.data(), whole), at);
        at += whole;
    }
    return true;
}

// A record inside a block read from a file. The block's storage came from the allocator, which
// implicitly creates these trivially copyable records; records are multiples of 8 bytes.
template <class T>
const T& recordAt(std::span<const std::byte> block, size_t offset) {
    static_assert(sizeof(T) % alignof(T) == 0);
    return *std::launder(reinterpret_cast<const T*>(block.data() + offset));
}

struct Target {
    int32_t ordinal;
    int32_t lineNumber;
};

}  // namespace

ScanResult scanSlips(FileSystem& fs, const fs::path& headerFile, const fs::path& lineFile, const HeaderChoice& choose,
                     const LineVisit& visit) {
    ScanResult result;
    auto headerBytes = fs.size(headerFile);
    if (!headerBytes) return result;
    const uint64_t lineRecords = fs.size(lineFile).value_or(0) / kSlipLineSize;

    // Which chosen header (and which of its lines) each line record belongs to. A record named
    // twice (a damaged file) keeps its first owner here and the others in `again`.
    std::vector<Target> owner;
    std::vector<std::pair<uint64_t, Target>> again;
    uint64_t lowest = UINT64_MAX, highest = 0;

    const uint64_t headerEnd = *headerBytes / kSlipHeaderSize * kSlipHeaderSize;
    Bytes block;
    result.headersRead = readBlocks(fs, headerFile, kSlipHeaderSize, headerEnd, kSlipHeaderSize, block,
                                    [&](std::span<const std::byte> b, uint64_t at) {
                                        for (size_t off = 0; off < b.size(); off += kSlipHeaderSize) {
                                            const SlipHeader& h = recordAt<SlipHeader>(b, off);
                                            const int record = static_cast<int>((at + off) / kSlipHeaderSize);
                                            if (!choose(h, record)) continue;
                                            const int ordinal = result.chosen++;
                                            const int count = std::clamp(h.lineCount, 0, kMaxSlipLines);
                                            for (int j = 1; j <= count; ++j) {
                                                const int32_t slot = h.lineSlots[j];
                                                if (slot < 1 || static_cast<uint64_t>(slot) >= lineRecords) {
                                                    ++result.skippedSlots;
                                                    continue;
                                                }
                                                const auto s = static_cast<uint64_t>(slot);
                                                if (owner.empty()) owner.assign(lineRecords, Target{-1, 0});
                                                if (owner[s].ordinal < 0)
                                                    owner[s] = {ordinal, j};
                                                else
                                                    again.push_back({s, {ordinal, j}});
                                                lowest = std::min(lowest, s);
                                                highest = std::max(highest, s);
                                            }
                                        }
                                    });
    if (!result.headersRead || lowest == UINT64_MAX) return result;

    // Only the blocks that hold a wanted record are read.
    const uint64_t perBlock = std::max<uint64_t>(1, kBlockBytes / kSlipLineSize);
    for (uint64_t first = lowest; first <= highest; first += perBlock) {
        const uint64_t last = std::min(highest + 1, first + perBlock);
        uint64_t from = first;
        while (from < last && owner[from].ordinal < 0) ++from;
        if (from == last) continue;
        (void)readBlocks(fs, lineFile, from * kSlipLineSize, last * kSlipLineSize, kSlipLineSize, block,
                         [&](std::span<const std::byte> b, uint64_t at) {
                             for (size_t off = 0; off < b.size(); off += kSlipLineSize) {
                                 const Target t = owner[(at + off) / kSlipLineSize];
                                 if (t.ordinal < 0) continue;
                                 visit(t.ordinal, t.lineNumber, recordAt<SlipLine>(b, off));
                             }
                         });
    }
    for (const auto& [slot, t] : again) {
        SlipLine l{};
        auto got = fs.read(lineFile, slot * kSlipLineSize, bytesOf(l));
        if (got && *got == kSlipLineSize) visit(t.ordinal, t.lineNumber, l);
    }
    return result;
}

}  // namespace rk::tables
