#include "ui/listtable/PackInsCView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "listtable/day_table.h"
#include "ui/listtable/PackInsText.h"
#include "ui/listtable/PackInsWnd.h"

namespace rk::ui {

PackInsCView::PackInsCView(PackInsWnd& wnd) : QWidget(&wnd), wnd_(wnd) {
    setObjectName("PackInsCView");
    setFont(QFont("IPAGothic", 10));
}

QRect PackInsCView::fieldRect(int column, int row, int sub) const {
    const int x = (column - wnd_.firstColumn()) * PackInsWnd::kColumnWidth;
    const int y = (row - wnd_.firstRow()) * PackInsWnd::kRowHeight;
    return {x + 26, y + 2 + sub * PackInsWnd::kSubRow, PackInsWnd::kColumnWidth - 30, 20};
}

void PackInsCView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const listtable::DayTable& t = wnd_.table();
    p.fillRect(rect(), Qt::white);
    const bool onCell = wnd_.area() == PackInsWnd::Area::Cell;
    for (int j = 0; j <= wnd_.visibleRows(); ++j) {
        const int r = wnd_.firstRow() + j;
        if (r > listtable::kMaxRows) break;
        const int y = j * PackInsWnd::kRowHeight;
        if (!t.editable(r)) p.fillRect(QRect(0, y, width(), PackInsWnd::kRowHeight), QColor(0xE0, 0xE0, 0xE0));
        for (int i = 0; i <= wnd_.visibleColumns(); ++i) {
            const int c = wnd_.firstColumn() + i;
            if (c > listtable::kMaxColumns) break;
            const listtable::Cell& x = t.cell(c, r);
            const int left = i * PackInsWnd::kColumnWidth;
            const bool current = onCell && wnd_.column() == c && wnd_.row() == r;
            if (current) {
                p.fillRect(QRect(left, y, PackInsWnd::kColumnWidth, PackInsWnd::kRowHeight), QColor(0xFF, 0xF8, 0xD0));
                p.fillRect(fieldRect(c, r, wnd_.subRow()), QColor(0xFF, 0xFF, 0x80));
            }
            p.setPen(QColor(0xC0, 0xC0, 0xC0));
            p.drawRect(QRect(left, y, PackInsWnd::kColumnWidth, PackInsWnd::kRowHeight).adjusted(0, 0, -1, -1));
            if (x.quantity == 0 && x.boxes == 0 && x.price == 0) continue;
            p.setPen(x.method == 1 ? QColor(0x80, 0x80, 0x80) : QColor(0xC0, 0x20, 0x20));
            p.drawText(QRect(left + 4, y + 2, 20, 20), Qt::AlignVCenter, QString::number(x.method));
            p.setPen(Qt::black);
            const double values[] = {x.boxes, x.quantity, x.price};
            for (int s = 0; s < 3; ++s) {
                if (current && wnd_.subRow() == s && wnd_.edit()) continue;
                p.drawText(fieldRect(c, r, s).adjusted(0, 0, -4, 0), Qt::AlignVCenter | Qt::AlignRight,
                           packins::number(values[s]));
            }
        }
    }
}

void PackInsCView::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const QPoint pos = e->position().toPoint();
    const int c = wnd_.firstColumn() + pos.x() / PackInsWnd::kColumnWidth;
    const int r = wnd_.firstRow() + pos.y() / PackInsWnd::kRowHeight;
    const int sub = std::clamp((pos.y() % PackInsWnd::kRowHeight - 2) / PackInsWnd::kSubRow, 0, 2);
    wnd_.toCell(c, r, sub);
}

void PackInsCView::wheelEvent(QWheelEvent* e) {
    const int steps = e->angleDelta().y() / 120;
    if (steps == 0) return;
    const int r = std::clamp(wnd_.row() - steps, 1, listtable::kMaxRows);
    if (wnd_.area() == PackInsWnd::Area::Cell) wnd_.toCell(wnd_.column(), r, wnd_.subRow());
}

}  // namespace rk::ui
