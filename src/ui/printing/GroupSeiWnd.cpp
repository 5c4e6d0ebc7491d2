#include "ui/printing/GroupSeiWnd.h"

#include <QVBoxLayout>

#include "app/command_table.h"
#include "printing/messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/printing/GroupSeiView.h"

namespace rk::ui {

GroupSeiWnd::GroupSeiWnd(AppContext& ctx, Dialogs& dialogs, GuideOpener guide, QWidget* parent)
    : QWidget(parent), guide_(std::move(guide)) {
    setObjectName("GroupSeiWnd");
    setWindowTitle(ctx.edition == Edition::Purchase ? "　グループ代表支払書印刷" : "　グループ代表請求書印刷");
    setFont(QFont("IPAGothic", 10));
    view_ = new GroupSeiView(ctx, dialogs, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    setFocusProxy(view_);
    resize(770, 380);
    connect(view_, &GroupSeiView::helpRequested, this, [this] { onCommand(cmd::kHelp); });
    view_->setCurrent(GroupSeiView::kFrom);
}

bool GroupSeiWnd::onCommand(int command) {
    switch (command) {
        case cmd::kHelp:
            if (guide_) guide_(printing::msg::kGroupBillTopic);
            return true;
        case cmd::kPrint:
            view_->print();
            return true;
        case cmd::kRefreshBackground:
            view_->update();
            return true;
        case cmd::kCopy:
        case cmd::kCut:
        case cmd::kPaste:
            return CDataEdit::clipboardCommand(view_->edit(), command);
        default:
            return false;
    }
}

}  // namespace rk::ui
