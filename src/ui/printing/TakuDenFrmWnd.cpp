#include "ui/printing/TakuDenFrmWnd.h"

#include <QCloseEvent>
#include <QVBoxLayout>
#include <cstring>

#include "app/command_table.h"
#include "printing/messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/printing/TakuDenFrmAView.h"
#include "ui/printing/TakuDenFrmBView.h"

namespace rk::ui {

TakuDenFrmWnd::TakuDenFrmWnd(AppContext& ctx, Dialogs& dialogs, std::function<void(const std::string&)> guide,
                             QWidget* parent)
    : QWidget(parent), ctx_(ctx), dialogs_(dialogs), guide_(std::move(guide)) {
    setObjectName("TakuDenFrmWnd");
    setWindowTitle("　宅配印刷フォーム設定");
    auto form = printing::loadHomeDeliveryForm(ctx.files, ctx.programFolder());
    if (!form) dialogs.message(printing::msg::kHomeDeliveryFormUnreadable);
    form_ = stored_ = form.value_or(printing::HomeDeliveryForm{});
    head_ = new TakuDenFrmAView(this);
    table_ = new TakuDenFrmBView(ctx, dialogs, form_, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(head_);
    layout->addWidget(table_);
    setFocusProxy(table_);
    resize(520, head_->height() + table_->height());
    table_->setCurrent(0);
}

bool TakuDenFrmWnd::save() {
    table_->commit();
    if (std::memcmp(&form_, &stored_, sizeof form_) == 0) return true;
    if (!printing::saveHomeDeliveryForm(ctx_.files, ctx_.programFolder(), form_)) {
        dialogs_.beep();
        dialogs_.message(printing::msg::kHomeDeliveryFormUnreadable, Icon::Stop);
        return false;
    }
    stored_ = form_;
    return true;
}

void TakuDenFrmWnd::closeEvent(QCloseEvent* e) {
    (void)save();
    QWidget::closeEvent(e);
}

bool TakuDenFrmWnd::onCommand(int command) {
    switch (command) {
        case cmd::kHelp:
            if (guide_) guide_(printing::msg::kHomeDeliveryFormTopic);
            return true;
        case cmd::kCopy:
        case cmd::kCut:
        case cmd::kPaste:
            return CDataEdit::clipboardCommand(table_->edit(), command);
        default:
            return false;
    }
}

}  // namespace rk::ui
