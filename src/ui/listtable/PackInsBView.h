// The row-header view of the list-table entry: per row the customer number and name, the
// state of the row's slip and the captions of the three sub-rows of its cells.
#pragma once

#include <QWidget>

namespace rk::ui {

class PackInsWnd;

class PackInsBView : public QWidget {
    Q_OBJECT
public:
    explicit PackInsBView(PackInsWnd& wnd);

    QRect fieldRect(int row) const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    PackInsWnd& wnd_;
};

}  // namespace rk::ui
