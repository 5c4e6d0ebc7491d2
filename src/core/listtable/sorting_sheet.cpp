#include "listtable/sorting_sheet.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "base/cp932.h"
#include "base/format.h"
#include "base/money.h"
#include "listtable/list_messages.h"

namespace rk::listtable {
namespace {

// Numbers on the sheet are whole numbers.
// Whole units, truncated; a damaged value (NaN, infinite, beyond 2^53) is written as 0.
long long whole(double v) { return money::holdsWhole(v) ? static_cast<long long>(std::trunc(v)) : 0; }

std::string number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, ", %lld", whole(v));
    return buf;
}

std::vector<int> customerRows(const DayTable& t) {
    std::vector<int> rows;
    for (int r = 1; r <= kMaxRows; ++r)
        if (t.row(r).customer > 0) rows.push_back(r);
    return rows;
}

// UTF-8 text cut to `bytes` Shift-JIS bytes at a character boundary.
std::string cut(const std::string& utf8, size_t bytes) {
    const std::string sjis = cp932::fromUtf8(utf8);
    return cp932::toUtf8(std::string_view(sjis).substr(0, cp932::cutAtCharBoundary(sjis, bytes)));
}

const char* methodCaption(int method) {
    switch (method) {
        case 1:
            return "  競売り";
        case 2:
            return "  注文売";
        case 3:
            return "  卸売り";
        case 4:
            return "  小売り";
        default:
            return "";
    }
}

std::string shown(double v) { return v == 0 ? std::string() : fmt::groupDigits(std::to_string(whole(v))); }

}  // namespace

std::string sortingSheetCsv(const DayTable& t) {
    const int used = t.usedColumns();
    std::string out;
    auto line = [&out](const std::string& utf8) { out += cp932::fromUtf8(utf8) + "\r\n"; };
    auto texts = [&](const char* head, auto get) {
        std::string s = head;
        for (int c = 1; c <= used; ++c) s += ", " + get(t.column(c));
        line(s);
    };
    auto numbers = [&](const char* head, auto get) {
        std::string s = head;
        for (int c = 1; c <= used; ++c) s += number(get(t.column(c)));
        line(s);
    };
    texts("－ ,－ , 商品名 ", [](const Column& c) { return c.name; });
    texts(" － ,－ , ", [](const Column& c) { return c.grade1Name; });
    texts("－ ,－ , ", [](const Column& c) { return c.grade2Name; });
    numbers("－ , － ,品ｺｰﾄﾞ ", [](const Column& c) { return double(c.product); });
    numbers("－ , － ,入り数 ", [](const Column& c) { return c.pieces; });
    numbers("－ ,－ , 単価 ", [](const Column& c) { return c.price; });
    numbers("－ , － ,合計箱数 ", [](const Column& c) { return c.totalBoxes; });
    numbers("－ ,－ ,合計数量 ", [](const Column& c) { return c.totalQuantity; });
    line(" 得意先No&名, 合計値, 項目名");
    char buf[64];
    for (int r : customerRows(t)) {
        const Row& row = t.row(r);
        std::snprintf(buf, sizeof buf, " %d , , 単価 ", row.customer);
        std::string s = buf;
        for (int c = 1; c <= used; ++c) s += number(t.cell(c, r).price);
        line(s);
        std::snprintf(buf, sizeof buf, " , %lld , 箱数 ", whole(row.boxes));
        s = row.name + buf;
        for (int c = 1; c <= used; ++c) s += number(t.cell(c, r).boxes);
        line(s);
        std::snprintf(buf, sizeof buf, " , %lld, 数量 ", whole(row.quantity));
        s = buf;
        for (int c = 1; c <= used; ++c) s += number(t.cell(c, r).quantity);
        line(s);
    }
    return out;
}

const char* csvNameProblem(const fs::path& file) {
    const std::string name = file.filename().string();
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos) return msg::kCsvNoPeriod;
    std::string ext = name.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char ch) { return std::tolower(ch); });
    if (ext != "csv") return msg::kCsvBadExtension;
    if (cp932::byteLength(name) > 12) return msg::kCsvNameTooLong;
    return nullptr;
}

bool exportSortingSheet(const DayTable& table, FileSystem& fs, const fs::path& file, Dialogs& dialogs) {
    if (const char* problem = csvNameProblem(file)) {
        dialogs.message(problem);
        return false;
    }
    const std::string text = sortingSheetCsv(table);
    if (!fs.replaceWhole(file, std::as_bytes(std::span(text.data(), text.size())))) {
        dialogs.message(msg::kCsvCannotCreate, Icon::Stop);
        return false;
    }
    return true;
}

// --- the printed sheet ---

// Label (customer) and caption columns, then the row totals, then the goods columns.
constexpr int kLabelChars = 22, kCaptionChars = 10, kColumnChars = 12;
constexpr int kHeadLines = 3, kBandLines = 5, kPageLines = 46;

SheetLayout sheetLayout(const printing::PageMetrics& m) {
    SheetLayout l;
    l.pitch = std::max(1, (m.bottom - m.top) / kPageLines);
    l.charWidth = std::max(1, l.pitch * 9 / 20);
    const int width = m.right - m.left;
    l.columnsPerPage = std::max(1, (width / l.charWidth - kLabelChars - kCaptionChars - kColumnChars) / kColumnChars);
    l.rowsPerPage = std::max(1, (kPageLines - kHeadLines - kBandLines - 1) / 2);
    return l;
}

printing::Document sortingSheetPlan(const DayTable& t, const printing::PrintForm& form,
                                    const printing::PageArea& area) {
    using printing::Align;
    const printing::PageMetrics m = printing::pageMetrics(form, area);
    const SheetLayout l = sheetLayout(m);
    printing::Document doc = printing::documentFor(form, m, "仕訳表");
    doc.landscape = true;
    if (doc.dataHeight <= 0) doc.dataHeight = l.pitch * 8 / 10;
    doc.titleHeight = std::max(doc.titleHeight, l.pitch * 3 / 2);

    const std::vector<int> rows = customerRows(t);
    const int used = t.usedColumns();
    const int columnBlocks = std::max(1, (used + l.columnsPerPage - 1) / l.columnsPerPage);
    const int rowBlocks = std::max(1, static_cast<int>((rows.size() + l.rowsPerPage - 1) / l.rowsPerPage));
    const int cw = l.charWidth, p = l.pitch;
    const int xCaption = m.left + kLabelChars * cw;
    const int xTotal = xCaption + kCaptionChars * cw;
    const int xFirst = xTotal + kColumnChars * cw;
    const int yBand = m.top + kHeadLines * p;
    const int yRows = yBand + kBandLines * p;
    const int pad = cw / 2;

    for (int cb = 0; cb < columnBlocks; ++cb) {
        const int c0 = cb * l.columnsPerPage + 1;
        const int c1 = std::min(used, c0 + l.columnsPerPage - 1);
        for (int rb = 0; rb < rowBlocks; ++rb) {
            printing::Page page;
            char head[160];
            std::snprintf(head, sizeof head, " %d 月 %d 日   【 仕 訳 表 】  帳票 No　%d - %d ", t.day() / 100,
                          t.day() % 100, cb + 1, rb + 1);
            page.text(m.left, m.top, head, printing::FontRole::Title);

            const size_t r0 = static_cast<size_t>(rb * l.rowsPerPage);
            const size_t r1 = std::min(rows.size(), r0 + static_cast<size_t>(l.rowsPerPage));
            const int xEnd = xFirst + std::max(0, c1 - c0 + 1) * kColumnChars * cw;
            const int yEnd = yRows + static_cast<int>(r1 - r0) * 2 * p;

            // The band: method, name, grades, totals of each column.
            const char* captions[] = {" 売 り 方", " 商 品 名", "", " 合計箱数", " 合計数量"};
            for (int i = 0; i < kBandLines; ++i) page.text(xCaption, yBand + i * p, captions[i]);
            page.text(xTotal + pad, yBand, "合計");
            double allBoxes = 0, allQuantity = 0;
            for (int r : rows) allBoxes += t.row(r).boxes, allQuantity += t.row(r).quantity;
            page.text(xFirst - pad, yBand + 3 * p, shown(allBoxes), printing::FontRole::Data, Align::Right);
            page.text(xFirst - pad, yBand + 4 * p, shown(allQuantity), printing::FontRole::Data, Align::Right);
            for (int c = c0; c <= c1; ++c) {
                const Column& col = t.column(c);
                const int x = xFirst + (c - c0) * kColumnChars * cw;
                const int xr = x + kColumnChars * cw - pad;
                page.text(x, yBand, methodCaption(col.method));
                page.text(x + pad, yBand + p, cut(col.name, kColumnChars - 1));
                page.text(x + pad, yBand + 2 * p, cut(col.grade1Name + " " + col.grade2Name, kColumnChars - 1));
                page.text(xr, yBand + 3 * p, shown(col.totalBoxes), printing::FontRole::Data, Align::Right);
                page.text(xr, yBand + 4 * p, shown(col.totalQuantity), printing::FontRole::Data, Align::Right);
            }

            // Two lines per customer: boxes and quantities.
            for (size_t i = r0; i < r1; ++i) {
                const int r = rows[i];
                const Row& row = t.row(r);
                const int y = yRows + static_cast<int>(i - r0) * 2 * p;
                char number[32];
                std::snprintf(number, sizeof number, "    %4d ", row.customer);
                page.text(m.left, y, number);
                page.text(m.left + 2 * cw, y + p, cut(row.name, kLabelChars - 3));
                page.text(xCaption, y, " 　　箱数");
                page.text(xCaption, y + p, " 　　数量");
                page.text(xFirst - pad, y, shown(row.boxes), printing::FontRole::Data, Align::Right);
                page.text(xFirst - pad, y + p, shown(row.quantity), printing::FontRole::Data, Align::Right);
                for (int c = c0; c <= c1; ++c) {
                    const int xr = xFirst + (c - c0 + 1) * kColumnChars * cw - pad;
                    page.text(xr, y, shown(t.cell(c, r).boxes), printing::FontRole::Data, Align::Right);
                    page.text(xr, y + p, shown(t.cell(c, r).quantity), printing::FontRole::Data, Align::Right);
                }
                page.rule(m.left, y + 2 * p, xEnd, y + 2 * p);
            }

            // Frame and column rules.
            page.box(m.left, yBand, xEnd - m.left, yEnd - yBand);
            page.rule(m.left, yRows, xEnd, yRows, 2);
            page.rule(m.left, yBand + 3 * p, xEnd, yBand + 3 * p);
            for (int x : {xCaption, xTotal, xFirst}) page.rule(x, yBand, x, yEnd);
            for (int c = c0; c <= c1; ++c) {
                const int x = xFirst + (c - c0 + 1) * kColumnChars * cw;
                page.rule(x, yBand, x, yEnd);
            }
            doc.pages.push_back(std::move(page));
        }
    }
    return doc;
}

}  // namespace rk::listtable
