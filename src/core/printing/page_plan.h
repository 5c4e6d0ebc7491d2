// A printed document planned in device units: positioned texts, rules and boxes per page.
// The core plans every document; the windows only paint the plan on a printer, a preview
// or a PDF, so what is printed is tested without a screen.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "printing/print_form.h"

namespace rk::printing {

enum class FontRole { Data, Title };
enum class Align { Left, Right, Center };

struct TextItem {
    int x, y;          // top left (Align::Left), top right (Right) or top centre (Center)
    std::string text;  // UTF-8
    FontRole font = FontRole::Data;
    int height = 0;  // device units; 0 takes the role's height
    Align align = Align::Left;
};

struct RuleItem {
    int x1, y1, x2, y2;
    int width = 1;
    uint32_t colour = 0;  // 0xRRGGBB
};

struct BoxItem {
    int x, y, w, h;
    uint32_t fill = 0xFFFFFFFF;  // 0xRRGGBB, or all ones for none
    bool frame = true;
};

// A picture file drawn stretched into its box, under the texts.
struct ImageItem {
    int x, y, w, h;
    std::string path;  // file system path
};

struct Page {
    std::vector<TextItem> texts;
    std::vector<RuleItem> rules;
    std::vector<BoxItem> boxes;
    std::vector<ImageItem> images;

    void text(int x, int y, std::string s, FontRole f = FontRole::Data, Align a = Align::Left, int height = 0) {
        texts.push_back({x, y, std::move(s), f, height, a});
    }
    void rule(int x1, int y1, int x2, int y2, int width = 1) { rules.push_back({x1, y1, x2, y2, width}); }
    void box(int x, int y, int w, int h) { boxes.push_back({x, y, w, h}); }
};

struct Document {
    std::string name;  // print job name
    LogFont titleFont, dataFont;
    int titleHeight = 0;  // device units
    int dataHeight = 0;   // 0: the face's default
    bool landscape = false;
    // A page size of its own (tags); 0 prints on the printer's paper.
    double pageWidthInch = 0, pageHeightInch = 0;
    std::vector<Page> pages;
};

// The printable area of a page in device units.
struct PageArea {
    int left = 0, top = 0, right = 0, bottom = 0;
    int dpi = 600;  // device units per inch
};

// The data font's height when the form leaves it to the face: 10.5 points.
constexpr int defaultDataHeight(int dpi) { return dpi * 21 / 144 > 0 ? dpi * 21 / 144 : 1; }

// Width of a text in a font of `height` device units: the faces printed are fixed pitch, a
// half-width character half an em and a full-width one a whole em (one and two Shift-JIS bytes).
int textWidth(std::string_view utf8, int height);
// The height, at most `height`, at which the text fits into `width`.
int fittingHeight(std::string_view utf8, int height, int width);

// The grid every slip document is laid out on.
struct PageMetrics {
    int u = 1;       // vertical unit
    int h = 1;       // horizontal unit
    int left = 0;    // left margin
    int top = 0;     // top margin
    int right = 0;   // usable right edge
    int bottom = 0;  // usable bottom edge
    int titleHeight = 0;
    int dataHeight = 0;  // 0: the face's default
    int dataEm = 1;      // the data font's height as printed, for placing texts side by side
};

// The height for a data text that must fit into `width`: 0 (the data font as it is) when it
// fits, else the smaller height at which it does.
inline int dataFit(const PageMetrics& m, std::string_view utf8, int width) {
    const int h = fittingHeight(utf8, m.dataEm, width);
    return h < m.dataEm ? h : 0;
}

// x of k ninety-ninths of the usable width, from the left margin.
inline int column(const PageMetrics& m, int k) { return m.left + (m.right - m.left) * k / 99; }

// u: the largest whole number with top + u x (2 x lines + 29) within the usable bottom;
// h: the largest with left + 103 x h within the usable right. Never below 1.
PageMetrics pageMetrics(const PrintForm& form, const PageArea& page);

// A document with the form's fonts and heights for the given metrics.
Document documentFor(const PrintForm& form, const PageMetrics& m, std::string name);

}  // namespace rk::printing
