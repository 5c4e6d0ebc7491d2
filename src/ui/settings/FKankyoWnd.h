// The environment settings window ("  環境設定").
#pragma once

#include <QWidget>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "ui/app/CommandTarget.h"
#include "ui/settings/SettingsHooks.h"

namespace rk::ui {

class FKankyoView;

class FKankyoWnd : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    static constexpr int kWidth = 920, kHeight = 420;

    FKankyoWnd(AppContext& ctx, Dialogs& dialogs, SettingsHooks hooks, QWidget* parent = nullptr);
    FKankyoView* view() const { return view_; }
    QSize sizeHint() const override { return {kWidth, kHeight}; }
    bool onCommand(int command) override;

private:
    void closeWindow();

    SettingsHooks hooks_;
    FKankyoView* view_;
};

}  // namespace rk::ui
