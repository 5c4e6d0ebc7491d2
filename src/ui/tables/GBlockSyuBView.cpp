#include "ui/tables/GBlockSyuBView.h"

#include <QPainter>

#include "base/format.h"
#include "ui/tables/GBlockSyuWnd.h"

namespace rk::ui {

GBlockSyuBView::GBlockSyuBView(GBlockSyuWnd& wnd) : QWidget(&wnd), wnd_(wnd) { setObjectName("GBlockSyuBView"); }

QString GBlockSyuBView::cellText(int row, int column) const {
    const auto& rows = wnd_.grid().rows;
    if (row < 0 || static_cast<size_t>(row) >= rows.size() || column < 0 || column > 11) return {};
    const auto& v = rows[static_cast<size_t>(row)].months[static_cast<size_t>(column)];
    return v ? QString::fromStdString(fmt::grouped(static_cast<int64_t>(*v), 11)).trimmed() : QString();
}

void GBlockSyuBView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const tables::PeriodGrid& g = wnd_.grid();
    p.fillRect(QRect(0, 0, width(), kRowHeight), QColor(0xE0, 0xE0, 0xE0));
    for (int c = 0; c < 12; ++c)
        p.drawText(QRect(kHeadWidth + c * kColumnWidth, 0, kColumnWidth - 4, kRowHeight),
                   Qt::AlignVCenter | Qt::AlignRight,
                   QString::fromStdString(tables::monthText(g.monthNumbers[static_cast<size_t>(c)])));
    for (size_t r = 0; r < g.rows.size(); ++r) {
        const int y = kRowHeight * static_cast<int>(r + 1);
        p.setPen(Qt::black);
        p.drawText(QRect(4, y, kHeadWidth - 8, kRowHeight), Qt::AlignVCenter,
                   QString::fromStdString(tables::periodText(g.rows[r].period)));
        for (int c = 0; c < 12; ++c)
            p.drawText(QRect(kHeadWidth + c * kColumnWidth, y, kColumnWidth - 4, kRowHeight),
                       Qt::AlignVCenter | Qt::AlignRight, cellText(static_cast<int>(r), c));
        p.setPen(QColor(0xD0, 0xD0, 0xD0));
        p.drawLine(0, y + kRowHeight - 1, width(), y + kRowHeight - 1);
    }
    for (int c = 0; c <= 12; ++c)
        p.drawLine(kHeadWidth + c * kColumnWidth, 0, kHeadWidth + c * kColumnWidth,
                   kRowHeight * static_cast<int>(g.rows.size() + 1));
}

}  // namespace rk::ui
