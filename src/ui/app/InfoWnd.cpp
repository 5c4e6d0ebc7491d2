#include "ui/app/InfoWnd.h"

#include <QMdiSubWindow>
#include <QVBoxLayout>

#include "ui/app/InfoView.h"

namespace rk::ui {

InfoWnd::InfoWnd(AppContext& ctx, QWidget* parent) : QWidget(parent) {
    setObjectName("InfoWnd");
    setWindowTitle("  操作案内");
    view_ = new InfoView(ctx, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    setFocusProxy(view_);
    resize(kWidth, kHeight);
    // Closed later, not from inside the focus change that asked for it.
    connect(view_, &InfoView::closeRequested, this, &InfoWnd::closeWindow, Qt::QueuedConnection);
}

void InfoWnd::closeWindow() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        sub->close();
    } else {
        close();
    }
}

}  // namespace rk::ui
