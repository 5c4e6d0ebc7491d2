#include "ui/payments/NukininWnd.h"

#include <QSplitter>
#include <QVBoxLayout>

#include "app/command_table.h"
#include "app/lan_control.h"
#include "controls/keys.h"
#include "payments/messages.h"
#include "ui/payments/NukininAView.h"
#include "ui/payments/NukininBView.h"

namespace rk::ui {

NukininWnd::NukininWnd(AppContext& ctx, Dialogs& dialogs, std::function<void()> refreshAll, QWidget* parent)
    : QWidget(parent), entry_(std::make_unique<payments::PaymentEntry>(ctx, dialogs)) {
    setObjectName("NukininWnd");
    setWindowTitle(ctx.edition != Edition::Purchase ? "　入金データ入力" : "　出金データ入力");
    // Another station entering slips or payments on the shared folder is told, not refused.
    if (networked(ctx)) {
        const int idle = LanControl(ctx, dialogs).checkIdle();
        if (idle == lan::kTaken) dialogs.message(msg::kSlipEntryBusy);
        if (idle == lan::kClaimed) dialogs.message(msg::kPaymentEntryBusy);
    }
    a_ = new NukininAView(ctx, dialogs, *entry_);
    b_ = new NukininBView(ctx, entry_->table());
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(a_);
    split->addWidget(b_);
    split->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split);
    resize(sizeHint());
    connect(a_, &NukininAView::tableChanged, b_, [this] {
        b_->refresh();
        if (entry_->customer() > 0) b_->showCustomer(entry_->customer());
    });
    connect(a_, &NukininAView::recorded, this, [refreshAll] {
        if (refreshAll) refreshAll();
    });
    connect(b_, &NukininBView::customerPicked, a_, &NukininAView::takeCustomer);
}

NukininWnd::~NukininWnd() { entry_->release(); }

bool NukininWnd::onCommand(int command) {
    if (command == cmd::kFunctionF7) {
        a_->record();
        return true;
    }
    // Another window changed balances or names: the list shows them.
    if (command == cmd::kRefreshBackground) {
        b_->refresh();
        return true;
    }
    return false;
}

}  // namespace rk::ui
