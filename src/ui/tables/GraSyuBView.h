// The period column of a table window: the label of each row and the row's total in the
// current measure, scrolled with the grid.
#pragma once

#include <QWidget>

namespace rk::ui {

class GraSyuWnd;

class GraSyuBView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 190;
    explicit GraSyuBView(GraSyuWnd& wnd);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    GraSyuWnd& wnd_;
};

}  // namespace rk::ui
