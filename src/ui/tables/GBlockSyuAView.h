// The header of the period-by-month display: "表示No." (0 for the totals), the mode and the
// code's name, "ﾓｰﾄﾞ替", "ﾌﾟﾚﾋﾞｭｰ" and print.
#pragma once

#include "ui/tables/TableFieldsView.h"

namespace rk::ui {

class GBlockSyuWnd;

class GBlockSyuAView : public TableFieldsView {
    Q_OBJECT
public:
    explicit GBlockSyuAView(GBlockSyuWnd& wnd);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void finished(controls::Key k) override;
    QRect valueRect(int field) const override;
    int fieldValue(int field) const override;
    QString fieldText(int field) const override;

    GBlockSyuWnd& wnd_;
};

}  // namespace rk::ui
