// "  マスターコード一括変更": the frame of the bulk code change screen.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "app/app_context.h"
#include "base/dialogs.h"

namespace rk::ui {

class CodeAllChenVew;

class CodeAllChenWnd : public QWidget {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void()> endProgram;
        std::function<void(const std::string& topic)> openGuide;
    };
    CodeAllChenWnd(AppContext& ctx, Dialogs& dialogs, Hooks hooks, QWidget* parent = nullptr);
    CodeAllChenVew* view() const { return view_; }
    QSize sizeHint() const override { return {640, 500}; }

private:
    CodeAllChenVew* view_;
};

}  // namespace rk::ui
