// The customer export "得意先.Csv": Shift-JIS, CR LF, one line per named customer.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "masters/master_records.h"
#include "platform/file_system.h"

namespace rk::masters {

// The title line, Shift-JIS with its CR LF.
std::string customerCsvTitle();
// The line of customer n, Shift-JIS with its CR LF.
std::string customerCsvLine(int n, const CustomerRecord& r);
// The whole export of `all` (index = customer number, index 0 unused).
std::string customerCsv(const std::vector<CustomerRecord>& all);
// The whole export of customers 1..count of the file; nullopt when the customer file cannot be read.
std::optional<std::string> customerCsv(FileSystem& fs, const fs::path& customerFile, int count);
// Writes the export to `out` (replacing it). False when it cannot.
bool exportCustomers(FileSystem& fs, const fs::path& customerFile, int count, const fs::path& out);

}  // namespace rk::masters
