#include "ui/masters/BikouMasAView.h"

#include <QPainter>
#include <QPushButton>

#include "ui/masters/MasterGrid.h"
#include "ui/masters/MasterUi.h"

namespace rk::ui {

BikouMasAView::BikouMasAView(AppContext& ctx, QWidget* parent) : QWidget(parent) {
    setObjectName("BikouMasAView");
    setFixedHeight(56);
    QPushButton* guide = masterButton("解説", this);
    guide->setGeometry(8, 4, 64, 24);
    connect(guide, &QPushButton::clicked, this, [this, &ctx] { openGuide(this, ctx, "＊．備考マスター"); });
}

void BikouMasAView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xE0, 0xE0, 0xE0));
    p.setFont(MasterGrid::gridFont());
    p.drawText(QPoint(0, 48), "  No.    備　考　文");
}

}  // namespace rk::ui
