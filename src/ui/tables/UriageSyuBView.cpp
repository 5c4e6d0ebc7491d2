#include "ui/tables/UriageSyuBView.h"

#include "base/format.h"
#include "tables/messages.h"
#include "ui/tables/UriageSyuWnd.h"

namespace rk::ui {

namespace {

QString yen(double v) { return QString::fromStdString(fmt::grouped(static_cast<int64_t>(v), 14)).trimmed(); }

}  // namespace

UriageSyuBView::UriageSyuBView(UriageSyuWnd& wnd) : RowListView(&wnd, 100), wnd_(wnd) {
    setObjectName("UriageSyuBView");
    const auto& h = tables::msg::kSalesTotalsColumns[wnd.context().edition == Edition::Sales ? 0 : 1];
    setColumns({{QString::fromUtf8(" No.  得意先名"), 300, false},
                {QString::fromUtf8(h[1]), 130},
                {QString::fromUtf8(h[2]), 130},
                {QString::fromUtf8(h[3]), 130},
                {QString::fromUtf8(h[4]), 130}});
}

int UriageSyuBView::rowCount() const { return static_cast<int>(wnd_.totals().of(wnd_.selection()).size()); }

QStringList UriageSyuBView::rowTexts(int row) const {
    const auto& set = wnd_.totals().of(wnd_.selection());
    const tables::CustomerTotals& c =
        row == 0 ? wnd_.totals().totalOf(wnd_.selection()) : set[static_cast<size_t>(row)];
    const QString label =
        row == 0 ? QString::fromUtf8("      合計")
                 : QString("%1  ").arg(row, 4) + QString::fromStdString(wnd_.names()[static_cast<size_t>(row)]);
    return {label, yen(c.sales), yen(c.commission), yen(c.expenses), yen(c.net())};
}

}  // namespace rk::ui
