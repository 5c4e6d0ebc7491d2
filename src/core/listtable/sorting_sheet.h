// The sorting sheet (仕訳表): the day table as a CSV file and as printed pages.
#pragma once

#include <string>

#include "base/dialogs.h"
#include "listtable/day_table.h"
#include "platform/file_system.h"
#include "printing/page_plan.h"

namespace rk::listtable {

// The CSV text of the table (Shift-JIS, CR LF lines).
std::string sortingSheetCsv(const DayTable& table);

// The message that refuses a CSV file name, nullptr when the name will do. Only the file
// name counts (not its folder): a period, the extension Csv, at most 12 Shift-JIS bytes.
const char* csvNameProblem(const fs::path& file);

// Checks the name, writes the file and shows what went wrong; true when written.
bool exportSortingSheet(const DayTable& table, FileSystem& fs, const fs::path& file, Dialogs& dialogs);

// The printed sheet: blocks of columns across, blocks of customers down, one page each,
// headed with the day and the block numbers.
printing::Document sortingSheetPlan(const DayTable& table, const printing::PrintForm& form,
                                    const printing::PageArea& area);

// Sheet geometry, in lines of the page and in half-width characters.
struct SheetLayout {
    int pitch = 1;      // height of one printed line
    int charWidth = 1;  // width of one half-width character
    int columnsPerPage = 1;
    int rowsPerPage = 1;
};
SheetLayout sheetLayout(const printing::PageMetrics& m);

}  // namespace rk::listtable
