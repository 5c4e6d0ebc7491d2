// Conversion of the previous program generation's files (Ver 6.0) into this generation's file
// set, year by year. Of the previous record layouts only the slip line's is known; the files
// whose layout is known or that keep their layout are converted, the others are named in the
// window and left alone.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "maintenance/data_check_tools.h"
#include "slips/slip_records.h"

namespace rk::maintenance {

constexpr size_t kOldLineSize = 110;
constexpr int kMaxConvertedYears = 12;

// One row of the name mapping: the old base name, the new file it becomes and how.
struct OldFile {
    enum class How {
        SlipLines,  // 110-byte lines to 224-byte lines
        Records,    // copied record by record (the same record size)
        WholeFile,  // copied whole
        NotGiven,   // the old layout is not known: not converted
    };
    const char* oldBase;
    const char* newBase;
    bool master;  // ".ET1" / ".FT1" (else ".ET2" / ".FT2")
    How how;
    int oldRecord, newRecord;
    const char* content;  // UTF-8, for the window
};

// Every row, in the order the files are converted.
std::span<const OldFile> oldFiles();

// A previous-generation slip line as this generation's 224-byte line.
SlipLine convertSlipLine(std::span<const std::byte, kOldLineSize> old);

// The old file of `base` for `year` in `folder`: base + two-digit year + ".ET2" (".ET1" for a
// master), any letter case; a four-digit year is accepted too. Empty when there is none.
fs::path oldFileOf(FileSystem& fs, const fs::path& folder, const OldFile& f, int year);

struct ConversionReport {
    std::vector<int> years;              // the years converted, newest first
    std::vector<std::string> converted;  // "FD12026.ET2 -> F7da2026.FT2" and the like
};

// Converts, from the business year of the settings backwards (at most 12 years), every file
// of the mapping whose layout is known, into the data and master folders of the current
// settings. A year whose new files exist is converted only when the operator says so. Stops
// after the first year without any of the three main old files (sales lines, purchase lines,
// transfer slips). Each new file is written whole beside the old one and renamed over it.
ToolResult convertOldYears(AppContext& ctx, Dialogs& dialogs, const fs::path& oldFolder,
                           ConversionReport* report = nullptr);

}  // namespace rk::maintenance
