// The printed lists of the aggregation windows: headings, a row of column heads and rows of
// fixed-width columns, paged to the printable area. Every list prints today's date at the
// top right and the page number at the bottom right.
#pragma once

#include <string>
#include <vector>

#include "platform/clock.h"
#include "printing/page_plan.h"

namespace rk::tables {

struct ListColumn {
    std::string head;  // UTF-8
    int chars;         // width in half-width characters
    bool right = true;
};

struct ListBlock {
    std::string title;                  // first heading, in the title font
    std::vector<std::string> headings;  // lines under it
    std::vector<ListColumn> columns;
    std::vector<std::vector<std::string>> subheads;  // further lines of heads, left-aligned
    std::vector<std::vector<std::string>> rows;
    int rowsPerPage = 0;  // 0: as many as the page holds
    int linesPerRow = 1;  // rows of several lines keep them on one page
};

// Appends the pages of `block` to `doc`.
void planList(printing::Document& doc, const ListBlock& block, const printing::PageArea& area, const Clock& clock);

// A document with the program folder's print form fonts.
printing::Document listDocument(FileSystem& fs, const fs::path& programFolder, std::string name, bool landscape);

}  // namespace rk::tables
