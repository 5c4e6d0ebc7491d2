#include "ui/tables/SyukeiBView.h"

#include <QPainter>

#include "base/cp932.h"
#include "ui/tables/SyukeiCView.h"
#include "ui/tables/SyukeiWnd.h"

namespace rk::ui {

SyukeiBView::SyukeiBView(SyukeiWnd& wnd) : QWidget(&wnd), wnd_(wnd) {
    setObjectName("SyukeiBView");
    setFixedHeight(kHeight);
}

void SyukeiBView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xF4, 0xF4, 0xF4));
    const tables::ShippingGrid& g = wnd_.grid();
    const int first = wnd_.cells()->firstColumn();
    QFont f = font();
    f.setPixelSize(18);
    p.setFont(f);
    for (int c = first; c < static_cast<int>(g.customers.size()); ++c) {
        const int x = SyukeiCView::kHeadWidth + (c - first) * SyukeiCView::kColumnWidth;
        if (x > width()) break;
        p.save();
        // The name rises from the bottom of its column, slanted by 22 degrees off the vertical.
        p.translate(x + SyukeiCView::kColumnWidth / 2 - 4, height() - 4);
        p.rotate(-68);
        p.drawText(0, 0,
                   QString("%1 ").arg(g.customers[static_cast<size_t>(c)]) +
                       QString::fromStdString(cp932::toUtf8(g.names[static_cast<size_t>(c)])));
        p.restore();
        p.drawLine(x, height() - 8, x, height());
    }
}

}  // namespace rk::ui
