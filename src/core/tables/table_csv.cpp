#include "tables/table_csv.h"

#include <algorithm>
#include <cstdio>

#include "base/cp932.h"
#include "base/format.h"
#include "tables/messages.h"

namespace rk::tables {

namespace {

std::string sj(const char* utf8) { return cp932::fromUtf8(utf8); }

std::string number(double v) { return fmt::decimal(v, 11, 0, false) + ","; }

// The name cut at a character boundary and padded with blanks to `width` bytes.
std::string fitted(const std::string& name, size_t width) {
    std::string s = name.substr(0, cp932::cutAtCharBoundary(name, width));
    s.resize(width, ' ');
    return s;
}

double measure(const Sum& s, CsvPart part) {
    return part == CsvPart::Quantity ? s.quantity : part == CsvPart::Price ? s.price() : s.amount;
}

const char* measureLabel(CsvPart part) {
    return part == CsvPart::Quantity ? "数量     ," : part == CsvPart::Price ? "平均単価 ," : "金額     ,";
}

}  // namespace

std::string tableCsv(const TableResult& r, const std::vector<std::string>& names, CsvPart part) {
    const Dimension d = tableKind(r.kind).dimension;
    const std::string blank = "         ,";
    const std::string eol = "\r\n";
    std::string out;
    char buf[32];

    out += blank + sj("     Ｎｏ,") + blank;
    for (int k : r.keys) {
        std::snprintf(buf, sizeof buf, "%9d,", k);
        out += buf;
    }
    out += eol;
    out += blank + blank + blank;
    for (int k : r.keys) {
        const std::string& name = static_cast<size_t>(k) < names.size() ? names[static_cast<size_t>(k)] : std::string();
        if (d == kByCustomer) out += fitted(name, 16) + " , ";
        if (d == kByProduct) out += fitted(name, 16) + ",  ";
        if (d == kByGrade1 || d == kByGrade2) out += fitted(name, 8) + " , ";
    }
    out += eol;

    std::vector<CsvPart> parts = {part};
    if (part == CsvPart::All) parts = {CsvPart::Quantity, CsvPart::Price, CsvPart::Amount};
    for (CsvPart p : parts) {
        out += blank + sj(measureLabel(p)) + blank;
        for (int k : r.keys) out += number(measure(r.codeTotals[static_cast<size_t>(k)], p));
        out += eol;
    }

    bool separated = false;
    for (int e : r.order) {
        const int label = r.labels[static_cast<size_t>(e)];
        if (label == 0) {
            if (!separated) out += "      " + eol;
            separated = true;
            continue;
        }
        const Sum& total = r.periods[static_cast<size_t>(e)];
        bool first = true;
        for (CsvPart p : parts) {
            if (first)
                out += csvPeriodLabel(label, separated) + "," + sj(measureLabel(p));
            else
                out += "        ," + sj(measureLabel(p)) + " ";
            first = false;
            out += number(measure(total, p));
            for (int k : r.keys) out += number(measure(r.cell(e, k), p));
            out += eol;
        }
    }
    return out;
}

std::optional<std::array<fs::path, 4>> tableCsvFiles(const fs::path& chosen, Dialogs& dialogs) {
    std::string name = chosen.filename().string();
    const auto periods = std::count(name.begin(), name.end(), '.');
    if (periods > 1) {
        dialogs.message(msg::kTooManyPeriods);
        return std::nullopt;
    }
    if (periods == 0) name += ".Csv";
    const size_t dot = name.find('.');
    std::array<fs::path, 4> files;
    for (int i = 0; i < 4; ++i)
        files[static_cast<size_t>(i)] = chosen.parent_path() / (name.substr(0, dot) + char('A' + i) + name.substr(dot));
    return files;
}

bool writeTableCsv(FileSystem& fs, const fs::path& chosen, const TableResult& r, const std::vector<std::string>& names,
                   Dialogs& dialogs) {
    auto files = tableCsvFiles(chosen, dialogs);
    if (!files) return false;
    bool ok = true;
    for (int i = 0; i < 4; ++i) {
        const std::string text = tableCsv(r, names, static_cast<CsvPart>(i));
        ok = fs.replaceWhole((*files)[static_cast<size_t>(i)],
                             std::span(reinterpret_cast<const std::byte*>(text.data()), text.size())) &&
             ok;
    }
    return ok;
}

}  // namespace rk::tables
