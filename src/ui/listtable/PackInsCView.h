// The cell view of the list-table entry: per cell the boxes, quantity and unit price, with
// the cell's sales method beside them.
#pragma once

#include <QWidget>

namespace rk::ui {

class PackInsWnd;

class PackInsCView : public QWidget {
    Q_OBJECT
public:
    explicit PackInsCView(PackInsWnd& wnd);

    // Where sub-row `sub` (0 boxes, 1 quantity, 2 price) of a cell is drawn.
    QRect fieldRect(int column, int row, int sub) const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    PackInsWnd& wnd_;
};

}  // namespace rk::ui
