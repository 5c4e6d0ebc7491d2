// The four CSV files of a day or month table: A quantity, unit price and amount; B quantity;
// C unit price; D amount. Fixed-width Shift-JIS fields, each ending with a comma, CR LF lines.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "base/dialogs.h"
#include "platform/file_system.h"
#include "tables/table_engine.h"

namespace rk::tables {

enum class CsvPart { All = 0, Quantity = 1, Price = 2, Amount = 3 };

// The bytes of one file. `names` (Shift-JIS, index = code) as keyNames gives them.
std::string tableCsv(const TableResult& r, const std::vector<std::string>& names, CsvPart part);

// The four file names for a chosen name: ".Csv" added when the name has no period, then
// "A" .. "D" before the extension. Nullopt (after the message) when it has more than one.
std::optional<std::array<fs::path, 4>> tableCsvFiles(const fs::path& chosen, Dialogs& dialogs);

// Writes the four files (each replaced whole). False when the name is refused or a write fails.
bool writeTableCsv(FileSystem& fs, const fs::path& chosen, const TableResult& r, const std::vector<std::string>& names,
                   Dialogs& dialogs);

}  // namespace rk::tables
