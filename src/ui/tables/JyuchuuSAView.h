// The fields of the order totals window: start and end date; the buttons and the heading
// of the listing shown.
#pragma once

#include "ui/tables/TableFieldsView.h"

namespace rk::ui {

class JyuchuuSWnd;

class JyuchuuSAView : public TableFieldsView {
    Q_OBJECT
public:
    static constexpr int kHeight = 80;
    explicit JyuchuuSAView(JyuchuuSWnd& wnd);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void finished(controls::Key k) override;
    QRect valueRect(int field) const override;
    int fieldValue(int field) const override;
    QString fieldText(int field) const override;

    JyuchuuSWnd& wnd_;
};

}  // namespace rk::ui
