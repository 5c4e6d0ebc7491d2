#include "ui/tables/BaisanBView.h"

#include "tables/search_messages.h"
#include "ui/tables/BaisanWnd.h"

namespace rk::ui {

BaisanBView::BaisanBView(BaisanWnd& wnd) : QListWidget(&wnd) {
    setObjectName("BaisanBView");
    setFixedSize(130, 80);
    setFocusPolicy(Qt::NoFocus);
    setStyleSheet("QListWidget::item { height: 16px; }");
    for (const char* line : tables::msg::kBuyerSortLines) addItem(QString::fromUtf8(line));
    setCurrentRow(0);
    connect(this, &QListWidget::currentRowChanged, this, [&wnd](int row) {
        if (row >= 0) wnd.setSort(static_cast<tables::BuyerSort>(row + 1));
    });
}

}  // namespace rk::ui
