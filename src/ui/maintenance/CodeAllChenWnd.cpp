#include "ui/maintenance/CodeAllChenWnd.h"

#include <QVBoxLayout>

#include "maintenance/code_change_messages.h"
#include "ui/maintenance/CodeAllChenVew.h"

namespace rk::ui {

CodeAllChenWnd::CodeAllChenWnd(AppContext& ctx, Dialogs& dialogs, Hooks hooks, QWidget* parent)
    : QWidget(parent), view_(new CodeAllChenVew(ctx, dialogs, this)) {
    setObjectName("CodeAllChenWnd");
    setWindowTitle(QString::fromUtf8(maintenance::msg::kCodeChangeTitle));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    resize(sizeHint());
    setFocusProxy(view_);
    connect(view_, &CodeAllChenVew::helpRequested, this, [hooks] {
        if (hooks.openGuide) hooks.openGuide(maintenance::msg::kCodeChangeTopic);
    });
    connect(view_, &CodeAllChenVew::endProgram, this, [hooks] {
        if (hooks.endProgram) hooks.endProgram();
    });
}

}  // namespace rk::ui
