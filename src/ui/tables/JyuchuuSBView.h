// The list of the order totals window: one row per order line by date and product, or one
// per product key with its sums.
#pragma once

#include "ui/tables/RowListView.h"

namespace rk::ui {

class JyuchuuSWnd;

class JyuchuuSBView : public RowListView {
    Q_OBJECT
public:
    explicit JyuchuuSBView(JyuchuuSWnd& wnd);
    int rowCount() const override;
    QStringList rowTexts(int row) const override;

private:
    JyuchuuSWnd& wnd_;
};

}  // namespace rk::ui
