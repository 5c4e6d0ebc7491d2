// "　得意先マスター登録": the customer master window. It holds the form view, the help and
// CSV buttons, and passes Copy and Paste to the open text field.
#pragma once

#include <QWidget>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "ui/app/CommandTarget.h"

namespace rk::ui {

class TokuisakiMsView;

class TokuisakiMsWnd : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    TokuisakiMsWnd(AppContext& ctx, Dialogs& dialogs, QWidget* parent = nullptr);
    TokuisakiMsView* view() const { return view_; }
    QSize sizeHint() const override { return {940, 640}; }
    bool onCommand(int command) override;

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void exportCsv();

    AppContext& ctx_;
    Dialogs& dialogs_;
    TokuisakiMsView* view_;
    bool started_ = false;
};

}  // namespace rk::ui
