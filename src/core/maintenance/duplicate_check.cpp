#include "maintenance/duplicate_check.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <unordered_map>

#include "maintenance/record_blocks.h"
#include "slips/slip_index.h"

namespace rk::maintenance {

// The line records are kept in a table by record number, so a year of any size is checked
// whole (the record numbers are bounded by the header and line files themselves).
std::optional<std::vector<DuplicateLinePair>> findDuplicateLines(FileSystem& fs, const fs::path& headerFile) {
    std::vector<DuplicateLinePair> pairs;
    struct Holder {
        int32_t date, customer;
    };
    std::unordered_map<int32_t, Holder> seen;
    const bool ok = forEachRecord(fs, headerFile, kSlipHeaderSize, 0, [&](uint64_t, auto bytes) {
        const auto h = recordFrom<SlipHeader>(bytes);
        if (h.date <= 100) return;
        const int count = std::clamp(h.lineCount, 0, kMaxSlipLines);
        bool paired = false;
        for (int j = 1; j <= count && !paired; ++j) {
            auto it = seen.find(h.lineSlots[j]);
            if (it == seen.end()) continue;
            paired = true;
            pairs.push_back({h.date, h.customer, it->second.date, it->second.customer});
        }
        for (int j = 1; j <= count; ++j) seen.emplace(h.lineSlots[j], Holder{h.date, h.customer});
    });
    if (!ok) return std::nullopt;
    return pairs;
}

std::string duplicateLineRow(int number, const DuplicateLinePair& p) {
    auto dashed = [](int32_t d) {
        char s[16];
        std::snprintf(s, sizeof s, "%02d-%02d", (d / 100) % 100, d % 100);
        return std::string(s);
    };
    char row[128];
    std::snprintf(row, sizeof row, "  %3d     %s     %4d   と  %s     %4d", number, dashed(p.date).c_str(), p.customer,
                  dashed(p.otherDate).c_str(), p.otherCustomer);
    return row;
}

std::optional<std::vector<DuplicateSlipPair>> findDuplicateSlips(FileSystem& fs, const fs::path& headerFile) {
    std::vector<DuplicateSlipPair> pairs;
    std::unordered_map<uint64_t, int> first;
    const bool ok = forEachRecord(fs, headerFile, kSlipHeaderSize, 1, [&](uint64_t n, auto bytes) {
        const auto h = recordFrom<SlipHeader>(bytes);
        if (!liveDate(h.date)) return;
        const uint64_t key =
            (static_cast<uint64_t>(static_cast<uint32_t>(h.date)) << 32) | static_cast<uint32_t>(h.customer);
        auto [it, fresh] = first.emplace(key, static_cast<int>(n));
        if (!fresh) pairs.push_back({h.date, h.customer, it->second, static_cast<int>(n)});
    });
    if (!ok) return std::nullopt;
    return pairs;
}

}  // namespace rk::maintenance
