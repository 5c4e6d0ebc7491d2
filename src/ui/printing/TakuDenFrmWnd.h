// The home-delivery form settings window ("　宅配印刷フォーム設定"): the print positions of
// "TAKUFORM.DAT", read when the window opens and written whole when it closes.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "printing/home_delivery_print.h"
#include "ui/app/CommandTarget.h"

namespace rk::ui {

class TakuDenFrmAView;
class TakuDenFrmBView;

class TakuDenFrmWnd : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    TakuDenFrmWnd(AppContext& ctx, Dialogs& dialogs, std::function<void(const std::string&)> guide = {},
                  QWidget* parent = nullptr);

    TakuDenFrmBView* table() const { return table_; }
    const printing::HomeDeliveryForm& form() const { return form_; }
    // Writes the form file; false (after the message) when it could not be written.
    bool save();

    bool onCommand(int command) override;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    AppContext& ctx_;
    Dialogs& dialogs_;
    std::function<void(const std::string&)> guide_;
    printing::HomeDeliveryForm form_;
    printing::HomeDeliveryForm stored_;
    TakuDenFrmAView* head_;
    TakuDenFrmBView* table_;
};

}  // namespace rk::ui
