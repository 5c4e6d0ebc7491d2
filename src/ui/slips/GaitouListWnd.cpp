#include "ui/slips/GaitouListWnd.h"

#include <QMdiSubWindow>
#include <QVBoxLayout>

#include "ui/slips/GaitouListView.h"

namespace rk::ui {

GaitouListWnd::GaitouListWnd(AppContext& ctx, int32_t date, int mode, int selected, QWidget* parent) : QWidget(parent) {
    setObjectName("GaitouListWnd");
    setWindowTitle("  リスト");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = new GaitouListView(ctx, date, mode, selected, this);
    layout->addWidget(view_);
    setFocusProxy(view_);
    connect(view_, &GaitouListView::typedCharacter, this, &GaitouListWnd::typedCharacter);
    connect(view_, &GaitouListView::typedKey, this, &GaitouListWnd::typedKey);
    connect(view_, &GaitouListView::chosen, this, [this](int customer) {
        // Closed first: the slip window takes the keyboard back with the choice.
        QWidget* frame = qobject_cast<QMdiSubWindow*>(parentWidget()) ? parentWidget() : this;
        frame->hide();
        emit chosen(customer);
        frame->close();
    });
}

void GaitouListWnd::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (placed_) return;
    placed_ = true;
    QWidget* frame = qobject_cast<QMdiSubWindow*>(parentWidget()) ? parentWidget() : this;
    frame->setGeometry(kLeft, kTop, kWidth, kHeight);
}

}  // namespace rk::ui
