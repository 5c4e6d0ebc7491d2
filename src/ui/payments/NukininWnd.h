// Payment entry ("　入金データ入力"; purchase edition "　出金データ入力"): the entry view over
// the list of every customer's period totals. Owns the entry and with it the customer claim,
// which closing the window gives up.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "payments/payment_entry.h"
#include "ui/app/CommandTarget.h"

namespace rk::ui {

class NukininAView;
class NukininBView;

class NukininWnd : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    // `refreshAll` tells every open window that balances and stages changed.
    NukininWnd(AppContext& ctx, Dialogs& dialogs, std::function<void()> refreshAll = {}, QWidget* parent = nullptr);
    ~NukininWnd() override;

    payments::PaymentEntry& entry() { return *entry_; }
    NukininAView* entryView() const { return a_; }
    NukininBView* listView() const { return b_; }
    QSize sizeHint() const override { return {1000, 720}; }
    bool onCommand(int command) override;

private:
    std::unique_ptr<payments::PaymentEntry> entry_;
    NukininAView* a_ = nullptr;
    NukininBView* b_ = nullptr;
};

}  // namespace rk::ui
