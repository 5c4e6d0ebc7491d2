// The fields of the buyer totals window: start and end date, customer code (0: every
// customer) and buyer code (0: every buyer); Enter on the buyer runs the totals.
#pragma once

#include "ui/tables/TableFieldsView.h"

namespace rk::ui {

class BaisanWnd;

class BaisanView : public TableFieldsView {
    Q_OBJECT
public:
    static constexpr int kHeight = 80;
    explicit BaisanView(BaisanWnd& wnd);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void finished(controls::Key k) override;
    QRect valueRect(int field) const override;
    int fieldValue(int field) const override;
    QString fieldText(int field) const override;

    BaisanWnd& wnd_;
};

}  // namespace rk::ui
