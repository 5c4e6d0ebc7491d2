#include "app/file_set.h"

#include <cstdio>
#include <string>

namespace rk {
namespace {

std::string yyyy(int year) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%4d", year);
    return std::string(buf).substr(0, 4);
}

}  // namespace

fs::path FileSet::settingsFile(Edition e) const { return programFolder / std::string(info(e).settingsFile); }
fs::path FileSet::settingsBackup(Edition e) const { return programFolder / std::string(info(e).settingsBackup); }
fs::path FileSet::guideFile(Edition e) const { return programFolder / std::string(info(e).guideFile); }
fs::path FileSet::instanceLockFile(Edition e) const {
    return programFolder / (std::string(1, info(e).letter) + "Q7.LCK");
}

FileSet programFiles(const fs::path& programFolder) {
    FileSet f;
    f.programFolder = programFolder;
    return f;
}

FileSet buildFileSet(Edition e, const fs::path& programFolder, const fs::path& dataFolder, int year, bool memberMode) {
    // The finance edition keeps the purchase edition's base names.
    const bool sales = e == Edition::Sales;
    static const char* const kDataSales[10] = {"FLAN", "F7da", "F7db", "F7dc", "F7dd", "S7de", "F7df", "GENK", "", ""};
    static const char* const kDataPurchase[10] = {"SLAN", "S7da", "S7db", "S7dc", "S7dd",
                                                  "S7de", "S7df", "GENK", "",     ""};
    static const char* const kMasterSales[7] = {"", "F7ma", "F7mb", "F7mc", "S7md", "F7me", "S7mf"};
    static const char* const kMasterPurchase[7] = {"", "S7ma", "F7mb", "F7mc", "S7md", "S7me", "S7mf"};

    FileSet f = programFiles(programFolder);
    f.dataFolder = dataFolder;
    f.masterFolder = memberMode ? programFolder : dataFolder;
    const std::string y = yyyy(year);
    for (int i = 0; i < 10; ++i)
        f.data[i] = dataFolder / (std::string(sales ? kDataSales[i] : kDataPurchase[i]) + y + ".FT2");
    f.data[kIndex1] = dataFolder / (std::string(info(e).indexBase1) + y + ".FT2");
    f.data[kIndex2] = dataFolder / (std::string(info(e).indexBase2) + y + ".FT2");

    auto fill = [&](std::array<fs::path, 8>& group, const fs::path& folder) {
        group[0] = folder;
        for (int i = 1; i <= 6; ++i)
            group[i] = folder / (std::string(sales ? kMasterSales[i] : kMasterPurchase[i]) + y + ".FT1");
        group[7] = folder / "TAKUHAI.Mas";
    };
    fill(f.master, f.masterFolder);
    fill(f.serverMaster, dataFolder);
    return f;
}

}  // namespace rk
