// The files a backup carries: the 28 of the management-data method (settings of the three
// editions, home-delivery master and form, print forms, the two carrier tables, both
// editions' data and master files of the year) and the 26 a compressed-file restore puts back.
#pragma once

#include <string>
#include <vector>

#include "app/app_context.h"

namespace rk::maintenance {

struct YearFile {
    fs::path live;          // where the file lives
    std::string name;       // its name in a backup folder or archive
    std::string backingUp;  // progress line while it is backed up (may be empty)
    std::string restoring;  // progress line while it is restored
};

inline constexpr int kManagementFiles = 28;
inline constexpr int kArchiveRestoreFiles = 26;

// The business year as four digits.
std::string yearText(const AppContext& ctx);

std::vector<YearFile> managementFiles(const AppContext& ctx);
std::vector<YearFile> archiveRestoreFiles(const AppContext& ctx);

// The qualified-invoice file of the program folder. Both methods carry it beside their fixed
// lists (the management file keeps its 28 entries), and both restores put it back when the
// backup holds it.
YearFile invoiceFile(const AppContext& ctx);

// Whether a plain file name matches a pattern of '?' (one character) and a trailing ".*".
bool matchesYearPattern(const std::string& name, const std::string& year);

// The files of `folder` whose names are four characters, the year, a period and anything.
std::vector<fs::path> yearFiles(const fs::path& folder, const std::string& year,
                                const std::vector<std::string>& extensions = {});

}  // namespace rk::maintenance
