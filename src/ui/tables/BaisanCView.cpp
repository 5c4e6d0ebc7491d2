#include "ui/tables/BaisanCView.h"

#include "base/format.h"
#include "tables/search_print.h"
#include "ui/tables/BaisanWnd.h"

namespace rk::ui {

BaisanCView::BaisanCView(BaisanWnd& wnd) : RowListView(&wnd), wnd_(wnd) {
    setObjectName("BaisanCView");
    // The head "No  買参人  月-日   商品コード    商　品　名" over its five columns.
    setColumns({{QString::fromUtf8("No"), 50},
                {QString::fromUtf8("買参人"), 70},
                {QString::fromUtf8("月-日"), 70},
                {QString::fromUtf8("商品コード"), 130},
                {QString::fromUtf8("商　品　名"), 200, false},
                {QString::fromUtf8("数量"), 90},
                {QString::fromUtf8("単価"), 90},
                {QString::fromUtf8("金額"), 120}});
}

int BaisanCView::rowCount() const { return static_cast<int>(wnd_.totals().rows.size()); }

QStringList BaisanCView::rowTexts(int row) const {
    const tables::BuyerRow& r = wnd_.totals().rows[static_cast<size_t>(row)];
    const auto& names = wnd_.names();
    return {QString::asprintf("%4d", row + 1),
            QString::asprintf("%5d", r.buyer),
            QString::fromStdString(monthday::dashed(r.date)),
            QString::fromStdString(tables::compositeText(r)),
            r.product >= 0 && static_cast<size_t>(r.product) < names.size()
                ? QString::fromStdString(names[static_cast<size_t>(r.product)])
                : QString(),
            QString::fromStdString(tables::quantityText(r.quantity)),
            QString::fromStdString(tables::yenText(r.price, 10)).trimmed(),
            QString::fromStdString(tables::yenText(r.amount, 14)).trimmed()};
}

}  // namespace rk::ui
