#include "tables/list_print.h"

#include <algorithm>

#include "printing/conventions.h"
#include "printing/print_form.h"

namespace rk::tables {

void planList(printing::Document& doc, const ListBlock& b, const printing::PageArea& area, const Clock& clock) {
    using printing::Align;
    int chars = 0;
    for (const ListColumn& c : b.columns) chars += c.chars + 1;
    const int width = std::max(1, area.right - area.left);
    const int height = std::max(1, area.bottom - area.top);
    const int cw = std::max(1, width / std::max(chars, 60));
    // Heading lines, the column heads, a gap and the page number take nine row heights.
    const int fitting = b.rowsPerPage > 0 ? b.rowsPerPage * b.linesPerRow : 48;
    const int extra = 9 + static_cast<int>(b.headings.size() + b.subheads.size());
    const int rh = std::max(1, height / (fitting + extra));
    const int dataHeight = std::min(rh * 9 / 10, cw * 2);
    const int perPage = std::max(1, (height / rh - extra) / b.linesPerRow);
    const int rowsPerPage = b.rowsPerPage > 0 ? std::min(b.rowsPerPage, perPage) : perPage;
    const size_t logicalRows =
        (b.rows.size() + static_cast<size_t>(b.linesPerRow) - 1) / static_cast<size_t>(b.linesPerRow);
    const size_t pages =
        std::max<size_t>(1, (logicalRows + static_cast<size_t>(rowsPerPage) - 1) / static_cast<size_t>(rowsPerPage));

    for (size_t p = 0; p < pages; ++p) {
        printing::Page page;
        int y = area.top;
        page.text((area.left + area.right) / 2, y, b.title, printing::FontRole::Title, Align::Center, rh * 3 / 2);
        page.text(area.right, y, printing::dateStamp(clock), printing::FontRole::Data, Align::Right, dataHeight);
        y += rh * 2;
        for (const std::string& h : b.headings) {
            page.text(area.left, y, h, printing::FontRole::Data, Align::Left, dataHeight);
            y += rh;
        }
        y += rh / 2;
        auto row = [&](const std::vector<std::string>& cells, bool head) {
            int x = area.left;
            for (size_t c = 0; c < b.columns.size(); ++c) {
                const ListColumn& col = b.columns[c];
                const std::string& text =
                    head && cells.empty() ? col.head : (c < cells.size() ? cells[c] : std::string());
                const bool right = col.right && !head;
                page.text(right ? x + col.chars * cw : x, y, text, printing::FontRole::Data,
                          right ? Align::Right : Align::Left, dataHeight);
                x += (col.chars + 1) * cw;
            }
            y += rh;
        };
        page.rule(area.left, y - rh / 4, area.left + chars * cw, y - rh / 4);
        row({}, true);
        for (const auto& sub : b.subheads) row(sub, true);
        page.rule(area.left, y - rh / 4, area.left + chars * cw, y - rh / 4);
        const size_t first = p * static_cast<size_t>(rowsPerPage) * static_cast<size_t>(b.linesPerRow);
        const size_t last =
            std::min(b.rows.size(), first + static_cast<size_t>(rowsPerPage) * static_cast<size_t>(b.linesPerRow));
        for (size_t r = first; r < last; ++r) row(b.rows[r], false);
        page.text(area.right, area.bottom - rh, printing::pageNumber(static_cast<int>(doc.pages.size()) + 1),
                  printing::FontRole::Data, Align::Right, dataHeight);
        doc.pages.push_back(std::move(page));
    }
}

printing::Document listDocument(FileSystem& fs, const fs::path& programFolder, std::string name, bool landscape) {
    const printing::PrintForm form = printing::loadPrintForm(fs, programFolder).value_or(printing::defaultPrintForm());
    printing::Document d;
    d.name = std::move(name);
    d.titleFont = form.title;
    d.dataFont = form.data;
    d.landscape = landscape;
    return d;
}

}  // namespace rk::tables
