#include "ui/printing/NouhinPrnWnd.h"

#include <QVBoxLayout>

#include "app/command_table.h"
#include "printing/messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/printing/NouhinPrnView.h"

namespace rk::ui {

NouhinPrnWnd::NouhinPrnWnd(AppContext& ctx, Dialogs& dialogs, GuideOpener guide, QWidget* parent)
    : QWidget(parent), guide_(std::move(guide)) {
    setObjectName("NouhinPrnWnd");
    setWindowTitle(ctx.edition == Edition::Purchase ? "　受領書印刷" : "　納品書印刷");
    setFont(QFont("IPAGothic", 10));
    view_ = new NouhinPrnView(ctx, dialogs, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    setFocusProxy(view_);
    resize(760, 420);
    connect(view_, &NouhinPrnView::helpRequested, this, [this] { onCommand(cmd::kHelp); });
    view_->setCurrent(NouhinPrnView::kDate);
}

bool NouhinPrnWnd::onCommand(int command) {
    switch (command) {
        case cmd::kHelp:
            if (guide_) guide_(printing::msg::kDeliveryTopic);
            return true;
        case cmd::kPrint:
            view_->printAll();
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
