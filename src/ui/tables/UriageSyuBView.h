// The list of the sales totals window: the total on top, then one row per customer of the
// selected slips: number and name, sales including tax, commission, expenses, net amount.
#pragma once

#include "ui/tables/RowListView.h"

namespace rk::ui {

class UriageSyuWnd;

class UriageSyuBView : public RowListView {
    Q_OBJECT
public:
    explicit UriageSyuBView(UriageSyuWnd& wnd);
    int rowCount() const override;
    QStringList rowTexts(int row) const override;

private:
    UriageSyuWnd& wnd_;
};

}  // namespace rk::ui
