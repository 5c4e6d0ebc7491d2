// The one pass every table makes over a year's slips: the header file front to back in
// large blocks (or, given an index filter, only the headers whose index entry passes it),
// then the line records the chosen headers name, in runs, each file opened once. Line
// slots outside the line file are skipped, line counts are clamped to 0..99, so a damaged
// header never reads past the files.
#pragma once

#include <climits>
#include <cstdint>
#include <functional>

#include "platform/file_system.h"
#include "slips/slip_records.h"

namespace rk::tables {

// Chooses a header; `record` is its record number. A chosen header gets the next ordinal
// (0, 1, 2 ...), which is what its lines are handed over with.
using HeaderChoice = std::function<bool(const SlipHeader& header, int record)>;
// One line of a chosen header: the header's ordinal, the line's position 1..99 on the slip.
using LineVisit = std::function<void(int ordinal, int lineNumber, const SlipLine& line)>;

// Passes the headers worth reading by their entry in index file 1 (date, customer). The
// index only points the way: a header it passes still goes to the HeaderChoice. When the
// index cannot be read or is out of step with the header file, every header is read.
struct IndexFilter {
    fs::path indexFile;
    std::function<bool(int record, int32_t date, int32_t customer)> wanted;
};

// Passes the live slips dated within [first, last] in business order (keys as
// monthday::businessKey makes them with `firstMonth`) whose customer lies in [fromCustomer,
// toCustomer].
IndexFilter periodFilter(const fs::path& indexFile, int firstMonth, int first, int last, int fromCustomer = INT32_MIN,
                         int toCustomer = INT32_MAX);

struct ScanResult {
    bool headersRead = false;  // false when the header file cannot be read
    int chosen = 0;            // headers chosen
    int skippedSlots = 0;      // line slots outside the line file
};

// Lines arrive in line-file order, not slip by slip; callers that need slip order keep
// what they need per ordinal.
ScanResult scanSlips(FileSystem& fs, const fs::path& headerFile, const fs::path& lineFile, const HeaderChoice& choose,
                     const LineVisit& visit, const IndexFilter* byIndex = nullptr);

}  // namespace rk::tables
