// The rows of the buyer totals window: number, buyer, date, the composite code of sales
// method, product and grades, product name, quantity, unit price and amount.
#pragma once

#include "ui/tables/RowListView.h"

namespace rk::ui {

class BaisanWnd;

class BaisanCView : public RowListView {
    Q_OBJECT
public:
    explicit BaisanCView(BaisanWnd& wnd);
    int rowCount() const override;
    QStringList rowTexts(int row) const override;

private:
    BaisanWnd& wnd_;
};

}  // namespace rk::ui
