// The list of the bulk totals window: the total on top, then the customers with figures.
#pragma once

#include "ui/tables/RowListView.h"

namespace rk::ui {

class IkkatuSyuWnd;

class IkkatuSyuBView : public RowListView {
    Q_OBJECT
public:
    explicit IkkatuSyuBView(IkkatuSyuWnd& wnd);
    // The first quantity's head follows the stage selection.
    void updateHeads();
    int rowCount() const override;
    QStringList rowTexts(int row) const override;

private:
    IkkatuSyuWnd& wnd_;
};

}  // namespace rk::ui
