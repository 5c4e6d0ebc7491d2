// The day table: all delivery slips of one day as one table. Columns are goods items (sales
// method, product, two grades), rows are customers (one slip each), and each cell holds the
// boxes, quantity and unit price delivered to that customer. Loading a day turns its slips
// into the table; recording turns the table back into slips through the slip document, so
// the slip files have one writer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "slips/packing_fill.h"

namespace rk {
class DataLock;
}

namespace rk::listtable {

constexpr int kMaxColumns = 233;
constexpr int kMaxRows = 467;

// The editable lines of a column header.
enum ColumnLine : int {
    kLineMethod = 1,
    kLineProduct = 2,
    kLineGrade1 = 3,
    kLineGrade2 = 4,
    kLinePieces = 5,
    kLinePrice = 6,
    kLineAllowed = 7,
};

// Row status: the stage of the slip the row came from, or one of these.
constexpr int kRowNew = -1;
constexpr int kRowDuplicateKeys = 4;  // the slip holds one goods item on two lines: not rewritten

enum class CellPart : int { Boxes = 0, Quantity = 1, Price = 2 };

struct Column {
    int method = 0, product = 0, grade1 = 0, grade2 = 0;
    double pieces = 0;   // pieces per box
    double price = 0;    // default price of the column's cells
    double allowed = 0;  // allowed total quantity, 0 = no limit
    double totalBoxes = 0, totalQuantity = 0;
    int packingKind = 0;  // 0 none, 1 box, 2 flower container, 3 tray
    int64_t key = 0;
    std::string name, grade1Name, grade2Name;  // UTF-8

    int64_t computeKey() const {
        return int64_t{method} * 10000000 + int64_t{product} * 10000 + int64_t{grade1} * 100 + grade2;
    }
    // Cells can only be typed into a column that names goods.
    bool takesCells() const { return (method > 0 && product > 0) || (grade1 > 0 && grade2 > 0); }
};

struct Cell {
    int32_t line = -1;  // slip line record the cell came from, -1 none
    int method = 1;
    double price = 0, boxes = 0, quantity = 0;
};

struct Row {
    int customer = 0;
    std::string name;  // UTF-8
    int header = 0;    // slip header record, 0 for a row not in the files
    int status = kRowNew;
    double boxes = 0, quantity = 0;  // row totals
};

class DayTable {
public:
    DayTable(AppContext& ctx, Dialogs& dialogs);

    // --- loading ---
    // Loads the slips of `day` (a month-day value), replacing the whole table.
    void load(int32_t day);
    int32_t day() const { return day_; }
    bool isLoaded() const { return day_ > 100; }

    // --- the table (columns and rows count from 1) ---
    const Column& column(int c) const { return columns_[static_cast<size_t>(c)]; }
    const Row& row(int r) const { return rows_[static_cast<size_t>(r)]; }
    const Cell& cell(int c, int r) const { return cells_[index(c, r)]; }
    // Leading columns that name goods (the cursor goes one further).
    int definedColumns() const;
    // Columns up to the last one with a total quantity: what the sheet and the CSV show.
    int usedColumns() const;
    // Leading rows with a customer.
    int usedRows() const;
    bool editable(int r) const { return row(r).status <= 1; }

    // --- editing (refusals keep the previous value and show their message) ---
    void editColumn(int c, int line, double value);
    void setPackingKind(int c, int kind);
    void editCustomer(int r, int customer);
    void editCell(int c, int r, CellPart part, double value);
    void setCellMethod(int c, int r, int method);

    // --- moving columns and rows (asks first where the operator's data moves) ---
    bool cutColumn(int c);
    bool copyColumn(int c);
    bool pasteColumn(int c);
    bool holdsColumn() const { return heldColumn_.has_value(); }
    bool moveColumn(int from, int to);
    // Clears the column's cells, keeping its definition.
    void deleteColumnData(int c);
    // Orders the defined columns by product code, then method and grades.
    void sortByProduct();
    bool cutRow(int r);
    bool pasteRow(int r);

    // --- recording ---
    enum class RecordResult { Ok, Declined, Refused, Failed };
    // Writes every new or delivered row with a quantity into its slip; see the .cpp.
    RecordResult record(PackingFill* packing = nullptr);

    // Changes since loading are told by the header file's full modification time and size.
    struct Stamp {
        std::optional<FileTime> time;
        std::optional<uint64_t> size;
        bool operator==(const Stamp&) const = default;
    };
    Stamp currentStamp() const;

private:
    struct HeldColumn {
        Column column;
        std::vector<Cell> cells;  // rows 1..kMaxRows
        bool fromCut = false;
    };
    struct HeldRow {
        Row row;
        std::vector<Cell> cells;  // columns 1..kMaxColumns
    };

    static size_t index(int c, int r) { return static_cast<size_t>(r) * (kMaxColumns + 1) + static_cast<size_t>(c); }
    Cell& at(int c, int r) { return cells_[index(c, r)]; }
    void clear();
    void clearCells();
    void recomputeTotals();
    int columnWithKey(int64_t key, int except) const;
    void readColumnNames(Column& col, bool product, bool grades);
    void loadRow(int r, std::vector<bool>& overflow);
    HeldColumn takeColumn(int c) const;
    void removeColumn(int c);
    bool insertColumn(int c, const HeldColumn& held);
    bool recordRow(int r, const DataLock& lock, PackingFill* packing);

    AppContext& ctx_;
    Dialogs& dialogs_;
    int32_t day_ = 0;
    Stamp loadedStamp_;
    std::vector<int> onDisk_;  // customers with a slip on the day at load time
    std::vector<Column> columns_;
    std::vector<Row> rows_;
    std::vector<Cell> cells_;
    std::optional<HeldColumn> heldColumn_;
    std::optional<HeldRow> heldRow_;
};

// The label of a packing kind in remarks and on the sheet ("" for none).
const char* packingLabel(int kind);
// The remark a line with boxes gets: pieces, unit, " x ", boxes, packing label, and the
// order mark for an order sale.
std::string boxRemark(double pieces, const std::string& unit, double boxes, int packingKind, int method);

}  // namespace rk::listtable
