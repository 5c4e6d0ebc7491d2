// Name search totals: the slips of a date range whose customer matches a search name or
// number, slip by slip, with the sales-totals sums, and "詳細Data.Csv" of their lines.
#pragma once

#include <string>
#include <vector>

#include "app/app_context.h"
#include "slips/slip_records.h"
#include "tables/sales_totals.h"

namespace rk::tables {

enum class NameMatch { Contains = 0, StartsWith = 1, Code = 2 };

struct NameSearchRow {
    int record = 0;  // header record number
    int customer = 0, date = 0, stage = 0, settlementDate = 0, lines = 0;
    std::string name;  // the slip's customer name, Shift-JIS
    double amount = 0, tax = 0, commission = 0, receivable = 0, expenses = 0;
    double sales() const { return amount + tax; }
    double net() const { return sales() - commission - expenses; }
};

struct NameSearchLine {
    int slip = 0;  // index into rows
    int number = 0;
    SlipLine line{};
};

struct NameSearch {
    bool read = false;  // false: the slip files could not be read
    int from = 0, to = 0;
    std::vector<NameSearchRow> rows;    // file order
    std::vector<NameSearchLine> lines;  // slip by slip, by line number
    CustomerTotals total;
};

// `text` is Shift-JIS. Contains: the customer name holds the text (empty: every slip);
// starts with: the name begins with it; code: the customer number is the text's number.
NameSearch runNameSearch(const AppContext& ctx, int from, int to, const std::string& text, NameMatch how);

// "詳細Data.Csv": Shift-JIS, CR LF lines.
std::string nameSearchCsv(const NameSearch& s);
bool writeNameSearchCsv(const AppContext& ctx, const NameSearch& s, const fs::path& file);

}  // namespace rk::tables
