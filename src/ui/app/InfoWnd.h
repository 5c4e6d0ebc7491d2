// The operation guide window ("  操作案内"): shows the section of the guide text for the
// topic the asking window left in the context.
#pragma once

#include <QWidget>

#include "app/app_context.h"

namespace rk::ui {

class InfoView;

class InfoWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 860, kHeight = 600;

    explicit InfoWnd(AppContext& ctx, QWidget* parent = nullptr);
    InfoView* view() const { return view_; }
    QSize sizeHint() const override { return {kWidth, kHeight}; }

private:
    void closeWindow();

    InfoView* view_;
};

}  // namespace rk::ui
