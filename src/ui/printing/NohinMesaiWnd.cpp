#include "ui/printing/NohinMesaiWnd.h"

#include <QVBoxLayout>

#include "app/command_table.h"
#include "printing/messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/printing/NohinMesaiView.h"

namespace rk::ui {

NohinMesaiWnd::NohinMesaiWnd(AppContext& ctx, Dialogs& dialogs, bool details, GuideOpener guide, QWidget* parent)
    : QWidget(parent), guide_(std::move(guide)) {
    setObjectName("NohinMesaiWnd");
    setWindowTitle(ctx.edition == Edition::Purchase ? "　支払い明細書印刷" : "　請求書印刷");
    setFont(QFont("IPAGothic", 10));
    view_ = new NohinMesaiView(ctx, dialogs, details, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    setFocusProxy(view_);
    resize(770, 380);
    connect(view_, &NohinMesaiView::helpRequested, this, [this] { onCommand(cmd::kHelp); });
    view_->setCurrent(NohinMesaiView::kFrom);
}

bool NohinMesaiWnd::onCommand(int command) {
    switch (command) {
        case cmd::kHelp:
            if (guide_) guide_(printing::msg::kBillTopic);
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
