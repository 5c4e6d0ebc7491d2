#include "ui/settings/FKankyoWnd.h"

#include <QMdiSubWindow>
#include <QVBoxLayout>

#include "app/command_table.h"
#include "settings/messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/settings/FKankyoView.h"

namespace rk::ui {

FKankyoWnd::FKankyoWnd(AppContext& ctx, Dialogs& dialogs, SettingsHooks hooks, QWidget* parent)
    : QWidget(parent), hooks_(std::move(hooks)) {
    setObjectName("FKankyoWnd");
    setWindowTitle("  環境設定");
    view_ = new FKankyoView(ctx, dialogs, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    setFocusProxy(view_);
    resize(kWidth, kHeight);
    connect(view_, &FKankyoView::closeRequested, this, &FKankyoWnd::closeWindow, Qt::QueuedConnection);
    connect(
        view_, &FKankyoView::endRequested, this,
        [this] {
            if (hooks_.endProgram) hooks_.endProgram();
        },
        Qt::QueuedConnection);
    connect(view_, &FKankyoView::helpRequested, this, [this] {
        if (hooks_.openGuide) hooks_.openGuide(msg::kEnvironmentTopic);
    });
    connect(view_, &FKankyoView::coloursChanged, this, [this] {
        if (hooks_.refreshAll) hooks_.refreshAll();
    });
    view_->setCurrent(view_->codeField(0, false));
}

bool FKankyoWnd::onCommand(int command) {
    CDataEdit* edit = view_->edit();
    switch (command) {
        case cmd::kAutoBackupToggle:
            view_->toggleAutoBackup();
            return true;
        case cmd::kCheckModeToggle:
            view_->toggleCheckMode();
            return true;
        case cmd::kRefreshBackground:
            view_->update();
            return true;
        case cmd::kCopy:
        case cmd::kCut:
        case cmd::kPaste:
            return CDataEdit::clipboardCommand(edit, command);
        case cmd::kHelp:
            if (hooks_.openGuide) hooks_.openGuide(msg::kEnvironmentTopic);
            return true;
        default:
            return false;
    }
}

void FKankyoWnd::closeWindow() {
    // The other windows draw with the saved colours.
    if (hooks_.refreshAll) hooks_.refreshAll();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        sub->close();
    } else {
        close();
    }
}

}  // namespace rk::ui
