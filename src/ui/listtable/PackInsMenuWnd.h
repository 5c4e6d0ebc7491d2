// The small menu window of the list-table entry: delete a column's data, paste the held
// column, order the columns by product code.
#pragma once

#include <QFrame>

namespace rk::ui {

class PackInsWnd;

class PackInsMenuWnd : public QFrame {
    Q_OBJECT
public:
    PackInsMenuWnd(PackInsWnd& wnd, int column);
    int column() const { return column_; }

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    PackInsWnd& wnd_;
    int column_;
};

}  // namespace rk::ui
