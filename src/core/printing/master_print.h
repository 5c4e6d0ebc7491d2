// The master lists: customers, products, grades, account items and remark texts printed one
// line per code of a range, or written as "MstData.Csv" (Shift-JIS, CR LF) in the program folder.
#pragma once

#include <string>
#include <vector>

#include "app/app_context.h"
#include "printing/page_plan.h"

namespace rk::printing {

// In the order the window lists them.
enum class MasterList { Customers = 0, Products, Grades, Accounts, Remarks };
inline constexpr int kMasterLists = 5;
inline constexpr const char* kMasterCsvFile = "MstData.Csv";

// The codes a list can hold: customers 1..the customer count, products and remarks 1..999,
// grades 1..99, account items 100..599.
int firstCode(MasterList kind);
int lastCode(MasterList kind, const AppContext& ctx);

struct MasterSelection {
    MasterList kind = MasterList::Customers;
    int from = 1;
    int to = 999;
    int linesPerInch = 6;  // the line pitch of the printed list
};

// One code of a master with the texts of its columns (UTF-8, trailing blanks removed).
struct MasterRow {
    int code = 0;
    std::vector<std::string> cells;
};

struct MasterTable {
    MasterSelection selection;
    std::vector<MasterRow> rows;
    bool ok = false;  // false when the master file could not be read
};

// The selection's codes, clamped to the list's range, with their columns.
MasterTable loadMasterTable(const AppContext& ctx, MasterSelection sel);

// "MstData.Csv" of the table, Shift-JIS. A field holding a comma or a quote is quoted.
std::string masterCsv(const MasterTable& table, Edition e);
// Writes it into the program folder; false when it cannot be written.
bool writeMasterCsv(AppContext& ctx, const MasterTable& table);

Document planMasterList(const MasterTable& table, const PrintForm& form, const PageArea& area);

}  // namespace rk::printing
