// The basic settings window ("  基本設定"). Opened from the menu, or by the start-up when the
// settings or the data are missing (start-up mode): closing it then ends the program so that
// the next start reads what was entered.
#pragma once

#include <QWidget>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "ui/app/CommandTarget.h"
#include "ui/settings/SettingsHooks.h"

namespace rk::ui {

class FkihonView;

class FkihonWnd : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    // Tall enough for the network role row under the last field.
    static constexpr int kWidth = 630, kHeight = 610;

    FkihonWnd(AppContext& ctx, Dialogs& dialogs, SettingsHooks hooks, QWidget* parent = nullptr);
    FkihonView* view() const { return view_; }
    bool startupMode() const { return startupMode_; }
    QSize sizeHint() const override { return {kWidth, kHeight}; }
    bool onCommand(int command) override;

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void closeWindow();
    void endProgram();

    AppContext& ctx_;
    Dialogs& dialogs_;
    SettingsHooks hooks_;
    FkihonView* view_;
    bool startupMode_;
    bool ending_ = false;
    bool placed_ = false;
};

}  // namespace rk::ui
