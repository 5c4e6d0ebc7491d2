// Which stored lines of a slip header can be loaded, for every reader that loads slips line
// by line: the lines before the first slot outside the line file, at most 99. A header that
// names more is a damaged slip, and loading it says so.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

#include "slips/slip_messages.h"
#include "slips/slip_records.h"

namespace rk {

inline int loadableLines(const SlipHeader& h, uint64_t lineRecords) {
    const int n = std::clamp(h.lineCount, 0, kMaxSlipLines);
    for (int j = 1; j <= n; ++j)
        if (h.lineSlots[j] < 1 || static_cast<uint64_t>(h.lineSlots[j]) >= lineRecords) return j - 1;
    return n;
}

// Whether a header of `stored` lines of which `loadable` can be loaded is damaged.
inline bool slipDamaged(int stored, int loadable) { return stored > kMaxSlipLines || loadable < std::max(stored, 0); }

// The warning of a damaged slip: `stored` lines named, `loadable` of them usable.
inline std::string invalidSlipWarning(int stored, int loadable) {
    char buf[256];
    std::snprintf(buf, sizeof buf, msg::kInvalidSlip, stored, loadable);
    return buf;
}

}  // namespace rk
