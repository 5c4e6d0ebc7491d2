#include "ui/listtable/PackInsBView.h"

#include <QMouseEvent>
#include <QPainter>

#include "listtable/day_table.h"
#include "ui/listtable/PackInsWnd.h"

namespace rk::ui {
namespace {

QString statusText(const listtable::Row& row) {
    if (row.customer <= 0) return {};
    switch (row.status) {
        case listtable::kRowNew:
            return "新規";
        case 0:
            return "受注";
        case 1:
            return "納品";
        case 2:
            return "売掛済";
        case 3:
            return "入金済";
        default:
            return "重複行";
    }
}

}  // namespace

PackInsBView::PackInsBView(PackInsWnd& wnd) : QWidget(&wnd), wnd_(wnd) {
    setObjectName("PackInsBView");
    setFixedWidth(PackInsWnd::kRowHeadWidth);
    setFont(QFont("IPAGothic", 10));
}

QRect PackInsBView::fieldRect(int row) const {
    const int y = (row - wnd_.firstRow()) * PackInsWnd::kRowHeight;
    return {4, y + 2, 44, 20};
}

void PackInsBView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const listtable::DayTable& t = wnd_.table();
    p.fillRect(rect(), QColor(0xFF, 0xF8, 0xE8));
    const char* captions[] = {"箱数", "数量", "単価"};
    for (int i = 0; i <= wnd_.visibleRows(); ++i) {
        const int r = wnd_.firstRow() + i;
        if (r > listtable::kMaxRows) break;
        const listtable::Row& row = t.row(r);
        const int y = i * PackInsWnd::kRowHeight;
        const QRect band(0, y, width(), PackInsWnd::kRowHeight);
        if (!t.editable(r)) p.fillRect(band, QColor(0xE0, 0xE0, 0xE0));
        const bool current =
            wnd_.row() == r && (wnd_.area() == PackInsWnd::Area::RowHead || wnd_.area() == PackInsWnd::Area::Cell);
        if (current) p.fillRect(QRect(0, y, 140, PackInsWnd::kRowHeight), QColor(0xFF, 0xF0, 0xA0));
        if (wnd_.area() == PackInsWnd::Area::RowHead && current) p.fillRect(fieldRect(r), QColor(0xFF, 0xFF, 0x80));
        p.setPen(Qt::black);
        const bool editing = wnd_.area() == PackInsWnd::Area::RowHead && current && wnd_.edit();
        if (!editing && row.customer > 0)
            p.drawText(fieldRect(r), Qt::AlignVCenter | Qt::AlignLeft, QString::asprintf("%4d ", row.customer));
        p.drawText(QRect(54, y + 2, 80, 20), Qt::AlignVCenter, statusText(row));
        p.drawText(QRect(4, y + 2 + PackInsWnd::kSubRow, 140, 20), Qt::AlignVCenter, QString::fromStdString(row.name));
        for (int s = 0; s < 3; ++s)
            p.drawText(QRect(146, y + 2 + s * PackInsWnd::kSubRow, 42, 20), Qt::AlignVCenter, captions[s]);
        p.setPen(QColor(0x90, 0x90, 0x90));
        p.drawLine(0, y + PackInsWnd::kRowHeight - 1, width(), y + PackInsWnd::kRowHeight - 1);
    }
    p.drawLine(width() - 1, 0, width() - 1, height());
}

void PackInsBView::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const int r = wnd_.firstRow() + static_cast<int>(e->position().y()) / PackInsWnd::kRowHeight;
    wnd_.toRowHead(r);
}

}  // namespace rk::ui
