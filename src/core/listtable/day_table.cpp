#include "listtable/day_table.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

#include "base/cp932.h"
#include "base/money.h"
#include "listtable/list_messages.h"
#include "masters/master_io.h"
#include "slips/CFq7Doc.h"
#include "slips/slip_index.h"

namespace rk::listtable {
namespace {

// The first `width` bytes of a Shift-JIS field as UTF-8, never splitting a character.
std::string prefix(const char* field, size_t width, size_t limit) {
    std::string_view raw(field, cp932::fieldLength(field, width));
    return cp932::toUtf8(raw.substr(0, cp932::cutAtCharBoundary(raw, limit)));
}

std::string format(const char* pattern, int a, int b = 0) {
    char buf[512];
    std::snprintf(buf, sizeof buf, pattern, a, b);
    return buf;
}

}  // namespace

const char* packingLabel(int kind) {
    switch (kind) {
        case 1:
            return "箱";
        case 2:
            return "ﾌﾗｺﾝ";
        case 3:
            return "ﾄﾚｰ";
        default:
            return "";
    }
}

std::string boxRemark(double pieces, const std::string& unit, double boxes, int packingKind, int method) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%d%s x %d ", static_cast<int>(pieces), unit.c_str(), static_cast<int>(boxes));
    std::string s = std::string(buf) + packingLabel(packingKind);
    if (method == 2) s += "注文品";
    return s;
}

DayTable::DayTable(AppContext& ctx, Dialogs& dialogs) : ctx_(ctx), dialogs_(dialogs) { clear(); }

void DayTable::clear() {
    columns_.assign(kMaxColumns + 1, Column{});
    rows_.assign(kMaxRows + 1, Row{});
    clearCells();
    onDisk_.clear();
    heldColumn_.reset();
    heldRow_.reset();
}

void DayTable::clearCells() { cells_.assign((kMaxColumns + 1) * (kMaxRows + 1), Cell{}); }

DayTable::Stamp DayTable::currentStamp() const {
    const fs::path& headers = ctx_.fileSet[kSlipHeaders];
    return {ctx_.files.modified(headers), ctx_.files.size(headers)};
}

int DayTable::definedColumns() const {
    int n = 0;
    while (n < kMaxColumns && columns_[static_cast<size_t>(n + 1)].key != 0) ++n;
    return n;
}

int DayTable::usedColumns() const {
    for (int c = kMaxColumns; c >= 1; --c)
        if (column(c).totalQuantity > 0) return c;
    return 0;
}

int DayTable::usedRows() const {
    int n = 0;
    while (n < kMaxRows && rows_[static_cast<size_t>(n + 1)].customer > 0) ++n;
    return n;
}

void DayTable::recomputeTotals() {
    for (int c = 1; c <= kMaxColumns; ++c)
        columns_[static_cast<size_t>(c)].totalBoxes = columns_[static_cast<size_t>(c)].totalQuantity = 0;
    for (int r = 1; r <= kMaxRows; ++r) {
        Row& row = rows_[static_cast<size_t>(r)];
        row.boxes = row.quantity = 0;
        for (int c = 1; c <= kMaxColumns; ++c) {
            const Cell& x = cell(c, r);
            if (x.boxes == 0 && x.quantity == 0) continue;
            Column& col = columns_[static_cast<size_t>(c)];
            col.totalBoxes += x.boxes;
            col.totalQuantity += x.quantity;
            row.boxes += x.boxes;
            row.quantity += x.quantity;
        }
    }
    for (Column& col : columns_)
        col.totalBoxes = money::clean(col.totalBoxes), col.totalQuantity = money::clean(col.totalQuantity);
    for (Row& row : rows_) row.boxes = money::clean(row.boxes), row.quantity = money::clean(row.quantity);
}

int DayTable::columnWithKey(int64_t key, int except) const {
    for (int c = 1; c <= kMaxColumns; ++c)
        if (c != except && column(c).key == key) return c;
    return 0;
}

void DayTable::readColumnNames(Column& col, bool product, bool grades) {
    if (product) {
        ProductRecord p{};
        masters::readProduct(ctx_.files, ctx_.fileSet[kProducts], col.product, p);
        col.name = prefix(p.name, sizeof p.name, 16);
        col.packingKind = std::clamp(p.packingKind, 0, 3);
    }
    if (grades) {
        GradeRecord g{};
        col.grade1Name = masters::readRecord(ctx_.files, ctx_.fileSet[kGrades], col.grade1, g)
                             ? prefix(g.grade1Name, sizeof g.grade1Name, 8)
                             : std::string();
        g = {};
        col.grade2Name = masters::readRecord(ctx_.files, ctx_.fileSet[kGrades], col.grade2, g)
                             ? prefix(g.grade2Name, sizeof g.grade2Name, 8)
                             : std::string();
    }
}

// --- loading ---

void DayTable::load(int32_t day) {
    clear();
    day_ = day;
    loadedStamp_ = currentStamp();
    const std::vector<IndexEntry> entries = readIndexEntries(ctx_.files, ctx_.fileSet[kIndex1]);
    int r = 0;
    bool rowsOverflow = false;
    for (size_t n = 1; n < entries.size(); ++n) {
        if (entries[n].first != day) continue;
        onDisk_.push_back(entries[n].second);
        if (r == kMaxRows) {
            rowsOverflow = true;
            continue;
        }
        Row& row = rows_[static_cast<size_t>(++r)];
        row.customer = entries[n].second;
        row.header = static_cast<int>(n);
    }
    std::vector<bool> columnsOverflow;
    for (int i = 1; i <= r; ++i) loadRow(i, columnsOverflow);
    recomputeTotals();
    if (rowsOverflow) dialogs_.message(msg::kTooManyRows);
    if (!columnsOverflow.empty()) dialogs_.message(msg::kTooManyColumns);
}

// Fills row r from its slip. A slip that does not fit the table (more goods items than
// columns) is shown as far as it fits and never rewritten.
void DayTable::loadRow(int r, std::vector<bool>& overflow) {
    Row& row = rows_[static_cast<size_t>(r)];
    CFq7Doc doc(ctx_, dialogs_);
    if (!doc.loadRecord(row.header) || doc.header.date != day_ || doc.header.customer != row.customer) {
        // The index says this day but the header does not: nothing to show or rewrite.
        row.status = kRowDuplicateKeys;
        return;
    }
    row.status = doc.header.stage;
    row.name = prefix(doc.header.customerName, sizeof doc.header.customerName, 20);
    const int n = std::clamp(doc.header.lineCount, 0, kMaxSlipLines);
    for (int j = 1; j <= n; ++j) {
        const SlipLine& l = doc.lines[static_cast<size_t>(j)];
        Column probe;
        probe.method = l.salesMethod, probe.product = l.product, probe.grade1 = l.grade1, probe.grade2 = l.grade2;
        const int64_t key = probe.computeKey();
        int c = columnWithKey(key, 0);
        if (c == 0) {
            c = columnWithKey(0, 0);
            if (c == 0) {
                overflow.push_back(true);
                row.status = kRowDuplicateKeys;
                continue;
            }
            Column& col = columns_[static_cast<size_t>(c)];
            col.method = probe.method, col.product = probe.product, col.grade1 = probe.grade1,
            col.grade2 = probe.grade2;
            col.key = key;
            if (col.pieces == 0) col.pieces = l.piecesPerBox;
            col.price = l.price;
            readColumnNames(col, true, true);
        }
        Cell& x = at(c, r);
        if (x.line != -1) row.status = kRowDuplicateKeys;
        x.line = doc.header.lineSlots[j];
        x.method = l.salesMethod;
        x.price = l.price;
        x.boxes += l.boxes;
        // An order has nothing delivered yet: its cells show (and record back) what was ordered.
        x.quantity += doc.header.stage == kStageOrder ? l.ordered : l.delivered;
    }
}

// --- editing ---

void DayTable::editColumn(int c, int line, double value) {
    if (c < 1 || c > kMaxColumns) return;
    Column& col = columns_[static_cast<size_t>(c)];
    const Column before = col;
    const int whole = static_cast<int>(std::trunc(value));
    switch (line) {
        case kLineMethod:
            col.method = std::clamp(whole, 0, 9);
            break;
        case kLineProduct:
            col.product = std::clamp(whole, 0, 1000);
            break;
        case kLineGrade1:
            col.grade1 = std::clamp(whole, 0, 99);
            break;
        case kLineGrade2:
            col.grade2 = std::clamp(whole, 0, 99);
            break;
        case kLinePieces:
            col.pieces = value;
            break;
        case kLinePrice:
            col.price = value;
            break;
        case kLineAllowed:
            col.allowed = value;
            break;
        default:
            return;
    }
    if (value > 0) {
        if (col.method < 1) col.method = 1;
        if (col.product < 1) col.product = 1;
        if (col.grade1 < 1) col.grade1 = kNoGrade;
        if (col.grade2 < 1) col.grade2 = kNoGrade;
    }
    col.key = col.computeKey();
    if (col.key != 0 && columnWithKey(col.key, c) != 0) {
        dialogs_.message(msg::kCodeRegistered);
        col = before;
        return;
    }
    readColumnNames(col, col.product != before.product, col.grade1 != before.grade1 || col.grade2 != before.grade2);
}

void DayTable::setPackingKind(int c, int kind) {
    if (c >= 1 && c <= kMaxColumns) columns_[static_cast<size_t>(c)].packingKind = std::clamp(kind, 0, 3);
}

void DayTable::editCustomer(int r, int customer) {
    if (r < 1 || r > kMaxRows) return;
    Row& row = rows_[static_cast<size_t>(r)];
    if (customer == row.customer) return;
    if (customer > 0) {
        for (int o = 1; o <= kMaxRows; ++o) {
            if (o == r || rows_[static_cast<size_t>(o)].customer != customer) continue;
            dialogs_.message(rows_[static_cast<size_t>(o)].status > 1 ? msg::kCustomerOnSettledRow
                                                                      : msg::kCustomerOnOtherRow);
            return;
        }
        if (std::find(onDisk_.begin(), onDisk_.end(), customer) != onDisk_.end()) {
            dialogs_.message(msg::kCustomerOnDiskOnly);
            return;
        }
    }
    // A row read from a slip is that slip: it keeps its customer (moving a slip to another
    // customer is the date change window's work).
    if (row.status > 1 || row.header > 0) return;
    row.customer = std::max(0, customer);
    CustomerRecord rec{};
    masters::readCustomer(ctx_.files, ctx_.fileSet[kCustomers], row.customer, rec);
    row.name = row.customer > 0 ? prefix(rec.name, sizeof rec.name, 20) : std::string();
}

void DayTable::editCell(int c, int r, CellPart part, double value) {
    if (c < 1 || c > kMaxColumns || r < 1 || r > kMaxRows) return;
    const Column& col = column(c);
    if (!editable(r) || !col.takesCells()) return;
    Cell& x = at(c, r);
    switch (part) {
        case CellPart::Boxes:
            x.boxes = value;
            if (x.quantity == 0 && value > 0 && col.method > 0) x.method = col.method;
            if (value > 0 && col.pieces > 0) x.quantity = money::clean(value * col.pieces);
            break;
        case CellPart::Quantity:
            x.quantity = value;
            break;
        case CellPart::Price:
            x.price = value;
            break;
    }
    if (part != CellPart::Price) {
        recomputeTotals();
        if (col.allowed > 0 && col.totalQuantity > col.allowed) {
            dialogs_.message(x.quantity > 0 ? msg::kAllowedExceeded : msg::kAllowedExceededByOthers);
            x.boxes = x.quantity = 0;
            recomputeTotals();
        }
    }
    if (x.price == 0 && x.method > 1 && col.price != 0) x.price = col.price;
}

void DayTable::setCellMethod(int c, int r, int method) {
    if (c < 1 || c > kMaxColumns || r < 1 || r > kMaxRows) return;
    const Column& col = column(c);
    if (!editable(r) || !col.takesCells()) return;
    Cell& x = at(c, r);
    x.method = std::clamp(method, 1, 9);
    if (x.price == 0 && x.method > 1 && col.price != 0) x.price = col.price;
}

// --- moving columns and rows ---

DayTable::HeldColumn DayTable::takeColumn(int c) const {
    HeldColumn h{column(c), std::vector<Cell>(kMaxRows + 1), false};
    for (int r = 1; r <= kMaxRows; ++r) h.cells[static_cast<size_t>(r)] = cell(c, r);
    return h;
}

void DayTable::removeColumn(int c) {
    for (int k = c; k < kMaxColumns; ++k) {
        columns_[static_cast<size_t>(k)] = columns_[static_cast<size_t>(k + 1)];
        for (int r = 1; r <= kMaxRows; ++r) at(k, r) = cell(k + 1, r);
    }
    columns_[kMaxColumns] = Column{};
    for (int r = 1; r <= kMaxRows; ++r) at(kMaxColumns, r) = Cell{};
}

bool DayTable::insertColumn(int c, const HeldColumn& held) {
    bool lastEmpty = column(kMaxColumns).key == 0;
    for (int r = 1; r <= kMaxRows && lastEmpty; ++r)
        lastEmpty = cell(kMaxColumns, r).quantity == 0 && cell(kMaxColumns, r).line == -1;
    if (!lastEmpty) {
        dialogs_.message(msg::kColumnsFull);
        return false;
    }
    for (int k = kMaxColumns; k > c; --k) {
        columns_[static_cast<size_t>(k)] = columns_[static_cast<size_t>(k - 1)];
        for (int r = 1; r <= kMaxRows; ++r) at(k, r) = cell(k - 1, r);
    }
    columns_[static_cast<size_t>(c)] = held.column;
    for (int r = 1; r <= kMaxRows; ++r) at(c, r) = held.cells[static_cast<size_t>(r)];
    return true;
}

bool DayTable::cutColumn(int c) {
    if (c < 1 || c > kMaxColumns) return false;
    if (dialogs_.ask(msg::kCutColumn, Buttons::YesNo, Answer::No) != Answer::Yes) return false;
    heldColumn_ = takeColumn(c);
    heldColumn_->fromCut = true;
    removeColumn(c);
    recomputeTotals();
    return true;
}

bool DayTable::copyColumn(int c) {
    if (c < 1 || c > kMaxColumns) return false;
    if (dialogs_.ask(msg::kCopyColumn, Buttons::YesNo, Answer::No) != Answer::Yes) return false;
    heldColumn_ = takeColumn(c);
    return true;
}

// A copied column brings its quantities as new lines; a processed row never takes them.
// Either way the pasted key must be free, so no slip ever gets one goods item twice.
bool DayTable::pasteColumn(int c) {
    if (c < 1 || c > kMaxColumns) return false;
    if (!heldColumn_) {
        dialogs_.message(msg::kNothingToPaste);
        return false;
    }
    HeldColumn held = *heldColumn_;
    if (held.column.key != 0 && columnWithKey(held.column.key, 0) != 0) {
        dialogs_.message(msg::kCodeRegistered);
        return false;
    }
    if (!held.fromCut) {
        for (int r = 1; r <= kMaxRows; ++r) {
            Cell& x = held.cells[static_cast<size_t>(r)];
            x.line = -1;
            if (!editable(r)) x = Cell{};
        }
    }
    if (!insertColumn(c, held)) return false;
    if (held.fromCut) heldColumn_.reset();
    recomputeTotals();
    return true;
}

bool DayTable::moveColumn(int from, int to) {
    if (from < 1 || to < 1 || from > kMaxColumns || to > kMaxColumns || from == to) return false;
    const std::string question = format(msg::kMoveColumnHead, from) + format(msg::kMoveColumnTail, to);
    if (dialogs_.ask(question, Buttons::YesNo, Answer::No) != Answer::Yes) return false;
    const HeldColumn held = takeColumn(from);
    removeColumn(from);
    (void)insertColumn(to, held);  // removing made room at the end
    recomputeTotals();
    return true;
}

void DayTable::deleteColumnData(int c) {
    if (c < 1 || c > kMaxColumns) return;
    for (int r = 1; r <= kMaxRows; ++r) {
        if (!editable(r)) continue;
        Cell& x = at(c, r);
        x.boxes = x.quantity = x.price = 0;
        x.method = 1;
    }
    recomputeTotals();
}

void DayTable::sortByProduct() {
    const int n = definedColumns();
    std::vector<int> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 1);
    auto sortKey = [this](int c) {
        const Column& col = column(c);
        return std::tuple(col.product, col.method, col.grade1, col.grade2);
    };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return sortKey(a) < sortKey(b); });
    std::vector<Column> cols(columns_);
    std::vector<Cell> cells(cells_);
    for (int k = 1; k <= n; ++k) {
        const int from = order[static_cast<size_t>(k - 1)];
        columns_[static_cast<size_t>(k)] = cols[static_cast<size_t>(from)];
        for (int r = 1; r <= kMaxRows; ++r) at(k, r) = cells[index(from, r)];
    }
}

bool DayTable::cutRow(int r) {
    if (r < 1 || r > kMaxRows) return false;
    if (dialogs_.ask(msg::kCutRow, Buttons::YesNo, Answer::No) != Answer::Yes) return false;
    HeldRow h{row(r), std::vector<Cell>(kMaxColumns + 1)};
    for (int c = 1; c <= kMaxColumns; ++c) h.cells[static_cast<size_t>(c)] = cell(c, r);
    heldRow_ = std::move(h);
    for (int k = r; k < kMaxRows; ++k) {
        rows_[static_cast<size_t>(k)] = rows_[static_cast<size_t>(k + 1)];
        for (int c = 1; c <= kMaxColumns; ++c) at(c, k) = cell(c, k + 1);
    }
    rows_[kMaxRows] = Row{};
    for (int c = 1; c <= kMaxColumns; ++c) at(c, kMaxRows) = Cell{};
    recomputeTotals();
    return true;
}

bool DayTable::pasteRow(int r) {
    if (r < 1 || r > kMaxRows) return false;
    if (!heldRow_) {
        dialogs_.message(msg::kNothingToPaste);
        return false;
    }
    const int customer = heldRow_->row.customer;
    for (int o = 1; o <= kMaxRows && customer > 0; ++o) {
        if (rows_[static_cast<size_t>(o)].customer == customer) {
            dialogs_.message(msg::kCustomerOnOtherRow);
            return false;
        }
    }
    bool lastEmpty = row(kMaxRows).customer == 0 && row(kMaxRows).header == 0;
    for (int c = 1; c <= kMaxColumns && lastEmpty; ++c) lastEmpty = cell(c, kMaxRows).quantity == 0;
    if (!lastEmpty) {
        dialogs_.message(msg::kRowsFull);
        return false;
    }
    for (int k = kMaxRows; k > r; --k) {
        rows_[static_cast<size_t>(k)] = rows_[static_cast<size_t>(k - 1)];
        for (int c = 1; c <= kMaxColumns; ++c) at(c, k) = cell(c, k - 1);
    }
    rows_[static_cast<size_t>(r)] = heldRow_->row;
    for (int c = 1; c <= kMaxColumns; ++c) at(c, r) = heldRow_->cells[static_cast<size_t>(c)];
    heldRow_.reset();
    recomputeTotals();
    return true;
}

}  // namespace rk::listtable
