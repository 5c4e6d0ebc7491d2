#include "printing/tags.h"

#include <cstdio>

#include "base/cp932.h"
#include "masters/customer_master.h"
#include "printing/messages.h"

namespace rk::printing {
namespace {

std::string trimmed(const char* field, size_t width) {
    std::string s = cp932::toUtf8(field, width);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.pop_back();
    // A full-width blank pads some names too.
    while (s.size() >= 3 && s.compare(s.size() - 3, 3, "　") == 0) s.resize(s.size() - 3);
    return s;
}

std::string formatted(const char* format, int n) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, n);
    return buf;
}

}  // namespace

std::string TagRun::slipCountText() const { return formatted(msg::kSlipCount, slips); }
std::string TagRun::tagCountText() const { return formatted(msg::kTagCount, static_cast<int>(tags.size())); }

TagRun buildTagRun(const SlipSnapshot& files, const TagSelection& sel) {
    TagRun run;
    run.selection = sel;
    if (sel.date <= 100) return run;
    const auto& index = files.index();
    for (size_t n = 1; n < index.size(); ++n) {
        if (index[n].first != sel.date || index[n].second < sel.from || index[n].second > sel.to) continue;
        const PrintedSlip slip = files.slip(static_cast<int>(n), false);
        // A stale index entry never prints another slip's lines.
        if (slip.header.date != sel.date || slip.header.customer != index[n].second) continue;
        ++run.slips;
        std::string customer = trimmed(slip.header.customerName, sizeof slip.header.customerName);
        if (customer.empty()) {
            const CustomerRecord c = files.customer(slip.header.customer);
            customer = trimmed(c.name, sizeof c.name);
        }
        for (const PrintedLine& l : slip.lines)
            run.tags.push_back({trimmed(l.line.productName, sizeof l.line.productName), l.grade1, l.grade2, customer});
    }
    return run;
}

Document planTags(const TagRun& run, const AppContext& ctx, const PrintForm& form, const PageArea& area) {
    Document doc;
    doc.name = "商品タック";
    doc.titleFont = form.title;
    doc.dataFont = form.data;
    doc.dataHeight = form.fields[kDataHeight];
    doc.pageWidthInch = kTagPageWidthInch;
    doc.pageHeightInch = kTagPageHeightInch;
    const int dpi = area.dpi > 0 ? area.dpi : 600;
    const int cellW = dpi * 48 / 10, cellH = dpi * 25 / 10, pitch = dpi / 3;
    const std::string sender = trimmed(ctx.settings.name, sizeof ctx.settings.name);
    for (size_t i = 0; i < run.tags.size(); ++i) {
        const size_t cell = i % TagRun::kPerPage;
        if (cell == 0) doc.pages.emplace_back();
        Page& page = doc.pages.back();
        const int x = area.left + static_cast<int>(cell % TagRun::kAcross) * cellW + dpi / 10;
        const int y = area.top + static_cast<int>(cell / TagRun::kAcross) * cellH + dpi / 6;
        const Tag& t = run.tags[i];
        page.text(x, y, "品名  " + t.product);
        page.text(x, y + pitch, "規格  " + t.grade1 + "   " + t.grade2);
        page.text(x, y + 2 * pitch, "宛先  " + t.customer + "  御中");
        page.text(x, y + 3 * pitch, "発送元  " + sender);
    }
    return doc;
}

}  // namespace rk::printing
