#include "ui/tables/JyuchuuSBView.h"

#include "base/format.h"
#include "tables/search_print.h"
#include "ui/tables/JyuchuuSWnd.h"

namespace rk::ui {

JyuchuuSBView::JyuchuuSBView(JyuchuuSWnd& wnd) : RowListView(&wnd), wnd_(wnd) {
    setObjectName("JyuchuuSBView");
    setColumns({{QString::fromUtf8(" 月日"), 70, false},
                {QString::fromUtf8("商品ｺｰﾄﾞ"), 100, false},
                {QString::fromUtf8("商　品　名"), 220, false},
                {QString::fromUtf8("数量"), 90},
                {QString::fromUtf8("単価"), 100},
                {QString::fromUtf8("金額"), 130}});
}

int JyuchuuSBView::rowCount() const {
    const auto& t = wnd_.totals();
    return static_cast<int>(wnd_.byProduct() ? t.byProduct.size() : t.byDate.size());
}

QStringList JyuchuuSBView::rowTexts(int row) const {
    const auto& t = wnd_.totals();
    const tables::OrderEntry& e = (wnd_.byProduct() ? t.byProduct : t.byDate)[static_cast<size_t>(row)];
    const auto& names = wnd_.names();
    const QString name = e.product >= 0 && static_cast<size_t>(e.product) < names.size()
                             ? QString::fromStdString(names[static_cast<size_t>(e.product)])
                             : QString();
    return {wnd_.byProduct() ? QString() : QString::fromStdString(monthday::dashed(e.date)),
            QString("%1-%2-%3").arg(e.product, 3).arg(e.grade1, 2).arg(e.grade2, 2),
            name,
            QString::fromStdString(tables::quantityText(e.quantity)),
            QString::fromStdString(tables::yenText(e.price, 10)).trimmed(),
            QString::fromStdString(tables::yenText(e.amount, 14)).trimmed()};
}

}  // namespace rk::ui
