#include "ui/printing/TakuDenFrmAView.h"

#include <QPainter>

#include "printing/messages.h"

namespace rk::ui {

TakuDenFrmAView::TakuDenFrmAView(QWidget* parent) : QWidget(parent) {
    setObjectName("TakuDenFrmAView");
    setFont(QFont("IPAGothic", 10));
    setFixedSize(520, 52);
}

void TakuDenFrmAView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xE0, 0xE8, 0xF0));
    p.drawText(QRect(200, 4, 130, 20), Qt::AlignCenter, "  発送先  ");
    p.drawText(QRect(360, 4, 130, 20), Qt::AlignCenter, "  発送元  ");
    p.drawText(QRect(8, 28, 512, 20), Qt::AlignVCenter, QString::fromUtf8(printing::msg::kHomeDeliveryFormHead));
    p.drawLine(0, 50, width(), 50);
}

}  // namespace rk::ui
