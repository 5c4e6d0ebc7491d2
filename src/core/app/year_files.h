// The check a reader of the year makes before it reads: a missing, empty or unreadable year
// file is an error with its reason, never an empty year (a ledger computed from the payments
// alone would be a wrong balance, and storing it would lose money).
#pragma once

#include <initializer_list>
#include <optional>
#include <variant>

#include "app/basic_settings.h"
#include "app/file_set.h"
#include "platform/file_system.h"

namespace rk {

using YearFile = std::variant<DataSlot, MasterSlot>;

// The bytes a year file holds at least: its record 0.
uint64_t minimumSize(const YearFile& slot);

// Nullopt when every named file exists, can be read and holds at least its record 0;
// otherwise why the first one that does not.
std::optional<FileError> missingYearFile(FileSystem& fs, const FileSet& files, std::initializer_list<YearFile> slots);

// Whether the settings name a business year and first month the files can be built from
// (a short or damaged settings file reads as year 0 or month 0).
bool settingsUsable(const BasicSettings& s);

}  // namespace rk
