// The payment list ("　入金データ集計削除"; purchase edition "　出金データ集計削除"): the
// conditions over the list of a period's payments, their deletion, the booking edit and the
// joining of another payment file.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "payments/payment_list.h"
#include "ui/payments/NyukinHenWnd.h"

namespace rk::ui {

class NukinChkAView;
class NukinChkBView;

class NukinChkWnd : public QWidget {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void()> refreshAll;                   // balances and stages changed
        std::function<void(const std::string&)> openGuide;  // the operation guide on a topic
        std::function<QString()> chooseFile;                // the payment file to join (empty: none)
    };

    NukinChkWnd(AppContext& ctx, Dialogs& dialogs, Hooks hooks = {}, QWidget* parent = nullptr);
    ~NukinChkWnd() override;

    payments::PaymentList& list() { return *list_; }
    NukinChkAView* conditionView() const { return a_; }
    NukinChkBView* listView() const { return b_; }
    NyukinHenWnd* editWindow() const { return edit_; }
    QSize sizeHint() const override { return {900, 640}; }

    // Opens the edit window on entry `index`; a beep when it is deleted or one is open.
    NyukinHenWnd* edit(int index);
    void join();

private:
    void closeEdit();

    AppContext& ctx_;
    Dialogs& dialogs_;
    Hooks hooks_;
    std::unique_ptr<payments::PaymentList> list_;
    NukinChkAView* a_ = nullptr;
    NukinChkBView* b_ = nullptr;
    QPointer<NyukinHenWnd> edit_;
};

}  // namespace rk::ui
