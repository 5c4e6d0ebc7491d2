#include "ui/settings/FkihonWnd.h"

#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QVBoxLayout>

#include "app/command_table.h"
#include "settings/messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/settings/FkihonView.h"

namespace rk::ui {

namespace {
constexpr int kFindVersion7Folder = 1324, kFindVersion6Folder = 1325;
}  // namespace

FkihonWnd::FkihonWnd(AppContext& ctx, Dialogs& dialogs, SettingsHooks hooks, QWidget* parent)
    : QWidget(parent),
      ctx_(ctx),
      dialogs_(dialogs),
      hooks_(std::move(hooks)),
      startupMode_(ctx.windowFlags[kBasicSettingsFlag] == 2) {
    setObjectName("FkihonWnd");
    setWindowTitle("  基本設定");
    view_ = new FkihonView(ctx, dialogs, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    setFocusProxy(view_);
    resize(kWidth, kHeight);
    connect(
        view_, &FkihonView::closeRequested, this,
        [this] {
            if (hooks_.refreshAll) hooks_.refreshAll();
            closeWindow();
        },
        Qt::QueuedConnection);
    connect(view_, &FkihonView::endRequested, this, &FkihonWnd::endProgram, Qt::QueuedConnection);
    connect(view_, &FkihonView::helpRequested, this, [this] {
        if (hooks_.openGuide) hooks_.openGuide(msg::kBasicSettingsTopic);
    });
    view_->setCurrent(FkihonView::kYear);
}

bool FkihonWnd::onCommand(int command) {
    CDataEdit* edit = view_->edit();
    switch (command) {
        case cmd::kCopy:
        case cmd::kCut:
        case cmd::kPaste:
            return CDataEdit::clipboardCommand(edit, command);
        case cmd::kRefreshBackground:
            view_->update();
            return true;
        case kFindVersion7Folder:
            view_->findDataFolder(7);
            return true;
        case kFindVersion6Folder:
            view_->findDataFolder(6);
            return true;
        case cmd::kHelp:
            if (hooks_.openGuide) hooks_.openGuide(msg::kBasicSettingsTopic);
            return true;
        default:
            return false;
    }
}

void FkihonWnd::closeWindow() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        sub->close();
    } else {
        close();
    }
}

void FkihonWnd::endProgram() {
    if (ending_) return;
    ending_ = true;
    if (hooks_.endProgram) hooks_.endProgram();
}

void FkihonWnd::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (placed_) return;
    placed_ = true;
    // The window's own place in the window area (or on the screen above a dialog).
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        sub->move(40, 40);
    } else if (isWindow()) {
        move(40, 40);
    }
}

void FkihonWnd::closeEvent(QCloseEvent* e) {
    if (!ending_) {
        // Opened by the start-up: what was entered is read at the next start.
        if (ctx_.fileSet[kSlipHeaders].empty()) {
            dialogs_.message(msg::kRestartForFileSet);
            endProgram();
        } else if (startupMode_) {
            dialogs_.message(msg::kRestartForStartup);
            endProgram();
        }
    }
    e->accept();
}

}  // namespace rk::ui
