#include "ui/masters/GaitouDrowWnd.h"

#include <QMdiSubWindow>
#include <QVBoxLayout>

#include "ui/masters/GaitouDrowView.h"

namespace rk::ui {

GaitouDrowWnd::GaitouDrowWnd(AppContext& ctx, std::vector<int> products, QWidget* parent) : QWidget(parent) {
    setObjectName("GaitouDrowWnd");
    setWindowTitle("　検索該当商品マスター");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = new GaitouDrowView(ctx, std::move(products), this);
    layout->addWidget(view_);
    setFocusProxy(view_);
    connect(view_, &GaitouDrowView::chosen, this, &GaitouDrowWnd::chosen);
    // Esc closes the list (its frame's close command).
    connect(view_, &GaitouDrowView::escaped, this, [this] {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
            sub->close();
        else
            close();
    });
}

void GaitouDrowWnd::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (placed_) return;
    placed_ = true;
    QWidget* frame = qobject_cast<QMdiSubWindow*>(parentWidget()) ? parentWidget() : this;
    frame->setGeometry(kLeft, kTop, kWidth, kHeight);
}

}  // namespace rk::ui
