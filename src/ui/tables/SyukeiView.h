// The header of the shipping date list: "集計開始月日" (the first date shown) and
// "表示開始番号" (the first customer column shown), the stage legend, "解 説" and "再集計".
#pragma once

#include "ui/tables/TableFieldsView.h"

namespace rk::ui {

class SyukeiWnd;

class SyukeiView : public TableFieldsView {
    Q_OBJECT
public:
    static constexpr int kHeight = 44;
    explicit SyukeiView(SyukeiWnd& wnd);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void finished(controls::Key k) override;
    QRect valueRect(int field) const override;
    int fieldValue(int field) const override;
    QString fieldText(int field) const override;

    SyukeiWnd& wnd_;
};

}  // namespace rk::ui
