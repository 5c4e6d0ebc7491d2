// The list of the name search window: the total on top, then one row per matching slip:
// running number, customer number and name, date, settlement date and line count, and the
// four amounts of the sales totals.
#pragma once

#include "ui/tables/RowListView.h"

namespace rk::ui {

class NameSyuWnd;

class NameSyuBView : public RowListView {
    Q_OBJECT
public:
    explicit NameSyuBView(NameSyuWnd& wnd);
    int rowCount() const override;
    QStringList rowTexts(int row) const override;

private:
    NameSyuWnd& wnd_;
};

}  // namespace rk::ui
