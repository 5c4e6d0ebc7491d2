// Every file name of the business year, built once at start from the settings.
#pragma once

#include <array>
#include <filesystem>

#include "app/edition.h"

namespace rk {

namespace fs = std::filesystem;

// Slots of the data group (data folder + base + yyyy + ".FT2").
enum DataSlot : int {
    kLanControl = 0,
    kSlipLines = 1,
    kSlipHeaders = 2,
    kPayments = 3,
    kRemarkTexts = 4,
    kSharedData = 5,
    kHomeDelivery = 6,
    kDepreciation = 7,
    kModuleData = 8,
    kIndex1 = 10,
    kIndex2 = 11,
};

// Slots of the master group (master folder + base + yyyy + ".FT1"; slot 7 has no year).
enum MasterSlot : int {
    kMasterFolder = 0,
    kCustomers = 1,
    kProducts = 2,
    kGrades = 3,
    kAccounts = 4,
    kRemarks = 5,
    kFinanceDescriptions = 6,
    kHomeDeliveryMaster = 7,
};

struct FileSet {
    fs::path programFolder;
    fs::path dataFolder;
    fs::path masterFolder;
    std::array<fs::path, 12> data;
    std::array<fs::path, 8> master;
    std::array<fs::path, 8> serverMaster;  // the same names on the data folder

    const fs::path& operator[](DataSlot s) const { return data[s]; }
    const fs::path& operator[](MasterSlot s) const { return master[s]; }

    // The basic settings files of the three editions and their backups.
    fs::path settingsFile(Edition e) const;
    fs::path settingsBackup(Edition e) const;
    // The guide text of the operation guide window.
    fs::path guideFile(Edition e) const;
    // The file a running copy of the edition keeps locked.
    fs::path instanceLockFile(Edition e) const;
};

// Builds the three groups for `year`. `memberMode` chooses the program folder for the masters.
FileSet buildFileSet(Edition e, const fs::path& programFolder, const fs::path& dataFolder, int year, bool memberMode);

// Only the program-folder entries (what is known before the settings are read).
FileSet programFiles(const fs::path& programFolder);

}  // namespace rk
