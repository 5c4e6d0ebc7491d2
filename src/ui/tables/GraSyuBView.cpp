#include "ui/tables/GraSyuBView.h"

#include <QPainter>

#include "base/format.h"
#include "tables/messages.h"
#include "ui/tables/GraSyuCView.h"
#include "ui/tables/GraSyuWnd.h"

namespace rk::ui {

GraSyuBView::GraSyuBView(GraSyuWnd& wnd) : QWidget(&wnd), wnd_(wnd) {
    setObjectName("GraSyuBView");
    setFixedWidth(kWidth);
}

void GraSyuBView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xF4, 0xF4, 0xEC));
    const tables::TableResult& r = wnd_.result();
    const bool month = wnd_.tableKind().month;
    constexpr int kHead = GraSyuCView::kHeadHeight, kRow = GraSyuCView::kRowHeight;
    // The head shows the grand total in the current measure (the frame of the grid's heads).
    p.fillRect(QRect(0, 0, width(), kHead), QColor(0xE0, 0xE0, 0xE0));
    p.drawText(QRect(6, 2, width() - 10, 20), Qt::AlignVCenter,
               QString::fromUtf8(month ? "年 月" : "月 日") + "      " +
                   QString::fromUtf8(tables::msg::kModeLabels[static_cast<int>(wnd_.measure())]));
    p.drawText(
        QRect(6, 22, width() - 10, 20), Qt::AlignVCenter | Qt::AlignRight,
        QString::fromStdString(fmt::grouped(static_cast<int64_t>(tables::measureOf(r.grand, wnd_.measure())), 14)));
    p.drawLine(0, kHead - 1, width(), kHead - 1);
    const std::vector<int> shown = wnd_.grid()->rows();
    for (int row = wnd_.grid()->topRow(); row < static_cast<int>(shown.size()); ++row) {
        const int y = kHead + (row - wnd_.grid()->topRow()) * kRow;
        if (y > height()) break;
        const int e = shown[static_cast<size_t>(row)];
        const double total = tables::measureOf(r.periods[static_cast<size_t>(e)], wnd_.measure());
        p.setPen(total == 0 ? Qt::white : month && e < tables::kYearTotals ? Qt::magenta : Qt::black);
        p.drawText(QRect(6, y, 60, kRow), Qt::AlignVCenter,
                   QString::fromStdString(tables::periodLabel(r.labels[static_cast<size_t>(e)])));
        p.drawText(QRect(60, y, width() - 66, kRow), Qt::AlignVCenter | Qt::AlignRight,
                   QString::fromStdString(fmt::grouped(static_cast<int64_t>(total), 14)));
        p.setPen(QColor(0xD0, 0xD0, 0xD0));
        p.drawLine(0, y + kRow - 1, width(), y + kRow - 1);
    }
    p.setPen(QColor(0xA0, 0xA0, 0xA0));
    p.drawLine(width() - 1, 0, width() - 1, height());
}

}  // namespace rk::ui
