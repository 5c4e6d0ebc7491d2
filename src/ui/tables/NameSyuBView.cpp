#include "ui/tables/NameSyuBView.h"

#include "base/cp932.h"
#include "base/format.h"
#include "tables/messages.h"
#include "tables/search_messages.h"
#include "tables/search_print.h"
#include "ui/tables/NameSyuWnd.h"

namespace rk::ui {

namespace {

QString yen(double v) { return QString::fromStdString(tables::yenText(v, 14)).trimmed(); }

}  // namespace

NameSyuBView::NameSyuBView(NameSyuWnd& wnd) : RowListView(&wnd), wnd_(wnd) {
    setObjectName("NameSyuBView");
    const auto& h = tables::msg::kSalesTotalsColumns[wnd.context().edition == Edition::Sales ? 0 : 1];
    setColumns({{QString::fromUtf8(tables::msg::kNameSearchHeads[0]), 280, false},
                {QString::fromUtf8(" 月日"), 60},
                {QString::fromUtf8(tables::msg::kNameSearchHeads[1]), 100},
                {QString::fromUtf8(h[1]), 110},
                {QString::fromUtf8(h[2]), 110},
                {QString::fromUtf8(h[3]), 110},
                {QString::fromUtf8(h[4]), 110}});
}

int NameSyuBView::rowCount() const { return static_cast<int>(wnd_.result().rows.size()) + 1; }

QStringList NameSyuBView::rowTexts(int row) const {
    const tables::NameSearch& s = wnd_.result();
    if (row == 0)
        return {QString::fromUtf8("      合計"),
                "",
                "",
                yen(s.total.sales),
                yen(s.total.commission),
                yen(s.total.expenses),
                yen(s.total.net())};
    const tables::NameSearchRow& r = s.rows[static_cast<size_t>(row - 1)];
    return {QString("%1  %2 ").arg(row, 4).arg(r.customer, 4) + QString::fromStdString(cp932::toUtf8(r.name)),
            QString::fromStdString(monthday::dashed(r.date)),
            QString("%1 %2").arg(r.settlementDate, 5).arg(r.lines, 3),
            yen(r.sales()),
            yen(r.commission),
            yen(r.expenses),
            yen(r.net())};
}

}  // namespace rk::ui
