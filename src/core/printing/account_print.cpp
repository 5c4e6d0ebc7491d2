#include "printing/account_print.h"

#include <algorithm>
#include <cstdio>

#include "base/cp932.h"
#include "base/format.h"
#include "base/money.h"
#include "masters/account_items.h"

namespace rk::printing {
namespace {

std::string nameOf(const AccountItemRecord& r, int code) {
    if (code == kProfitAccountCode) return "累積未処分利益";
    std::string s = cp932::toUtf8(r.name, masters::kAccountNameLimit);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.pop_back();
    return s;
}

}  // namespace

Document planAccountItems(const std::vector<AccountItemRecord>& items, int linesPerPage, const PrintForm& form,
                          const PageArea& area) {
    static const char* const kCategories[5] = {"【 資 産 】", "【 負 債 】", "【 資 本 】", "【 収 益 】",
                                               "【 費 用 】"};
    const PageMetrics m = pageMetrics(form, area);
    Document doc = documentFor(form, m, "勘定科目データ");
    const int lines = std::clamp(linesPerPage, 20, 50);
    // The title and the column heads take four lines above the items.
    const int pitch = std::max(1, (m.bottom - m.top) / (lines + 4));
    const int em = m.dataEm;
    auto col = [&](int chars) { return m.left + chars * em / 2; };
    int line = lines;  // no page yet
    int pageNumber = 0, number = 0, category = -1;
    auto place = [&]() -> Page& {
        if (line >= lines) {
            doc.pages.emplace_back();
            Page& p = doc.pages.back();
            p.text(m.left, m.top, "【 勘 定 科 目 デ ー タ 】", FontRole::Title);
            char page[16];
            std::snprintf(page, sizeof page, "%2d P", ++pageNumber);
            p.text(m.right, m.top, page, FontRole::Data, Align::Right);
            const int head = m.top + 2 * pitch;
            p.text(m.left, head, "No.  ｺｰﾄﾞ　 科目名");
            p.text(col(58), head, "借り方", FontRole::Data, Align::Right);
            p.text(col(78), head, "貸し方", FontRole::Data, Align::Right);
            p.rule(m.left, head + pitch - pitch / 4, m.right, head + pitch - pitch / 4);
            line = 0;
        }
        return doc.pages.back();
    };
    for (size_t i = 0; i < items.size(); ++i) {
        const int code = kFirstAccountCode + static_cast<int>(i);
        const std::string name = nameOf(items[i], code);
        if (name.empty()) continue;
        if (masters::accountCategory(code) != category) {
            category = masters::accountCategory(code);
            Page& p = place();
            p.text(col(2), m.top + (4 + line) * pitch, kCategories[category]);
            ++line;
        }
        Page& p = place();
        const int y = m.top + (4 + line) * pitch;
        char head[32];
        std::snprintf(head, sizeof head, "%3d  %3d", ++number, code);
        p.text(m.left, y, head);
        p.text(col(11), y, name);
        if (masters::hasOpeningBalance(code)) {
            const std::string yen = fmt::grouped(money::wholeYen(items[i].openingBalance), 14) + " ";
            p.text(code < 200 ? col(58) : col(78), y, yen, FontRole::Data, Align::Right);
        }
        ++line;
    }
    return doc;
}

}  // namespace rk::printing
