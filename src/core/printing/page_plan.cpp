#include "printing/page_plan.h"

#include <algorithm>

#include "base/cp932.h"

namespace rk::printing {

PageMetrics pageMetrics(const PrintForm& form, const PageArea& page) {
    PageMetrics m;
    const int lines = std::clamp(form.fields[kLinesPerPage], 6, 20);
    m.left = std::max(0, form.fields[kLeftMargin]);
    m.top = std::max(0, form.fields[kTopMargin]);
    m.right = page.right - std::max(0, form.fields[kRightMargin]);
    m.bottom = page.bottom - std::max(0, form.fields[kBottomMargin]);
    const int units = 2 * lines + 29;
    m.u = std::max(1, (m.bottom - m.top) / units);
    m.h = std::max(1, (m.right - m.left) / 103);
    m.titleHeight = form.fields[kTitleHeight] > 0 ? form.fields[kTitleHeight] : 7 * m.u / 4;
    m.dataHeight = std::max(0, form.fields[kDataHeight]);
    m.dataEm = m.dataHeight > 0 ? m.dataHeight : defaultDataHeight(page.dpi);
    return m;
}

int textWidth(std::string_view utf8, int height) { return static_cast<int>(cp932::fromUtf8(utf8).size()) * height / 2; }

int fittingHeight(std::string_view utf8, int height, int width) {
    const int bytes = static_cast<int>(cp932::fromUtf8(utf8).size());
    if (bytes == 0) return height;
    return std::max(1, std::min(height, width * 2 / bytes));
}

Document documentFor(const PrintForm& form, const PageMetrics& m, std::string name) {
    Document d;
    d.name = std::move(name);
    d.titleFont = form.title;
    d.dataFont = form.data;
    d.titleHeight = m.titleHeight;
    d.dataHeight = m.dataHeight;
    return d;
}

}  // namespace rk::printing
