#include "ui/masters/KikakuMasAView.h"

#include <QPainter>
#include <QPushButton>

#include "ui/masters/MasterGrid.h"
#include "ui/masters/MasterUi.h"

namespace rk::ui {

KikakuMasAView::KikakuMasAView(AppContext& ctx, QWidget* parent) : QWidget(parent) {
    setObjectName("KikakuMasAView");
    setFixedHeight(56);
    QPushButton* guide = masterButton("解説", this);
    guide->setGeometry(8, 4, 64, 24);
    connect(guide, &QPushButton::clicked, this, [this, &ctx] { openGuide(this, ctx, "＊．規格マスター"); });
}

void KikakuMasAView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xE0, 0xE0, 0xE0));
    p.setFont(MasterGrid::gridFont());
    p.drawText(QPoint(0, 48), "  No.    規格１名　　　規格２名　　未使用　　未使用");
}

}  // namespace rk::ui
