// The column-header view of the list-table entry: the day field, the buttons and, per column,
// the seven header lines (method, product, grades, packing and pieces, price, allowed
// quantity) with the column totals under them.
#pragma once

#include <QWidget>

namespace rk::ui {

class PackInsWnd;

class PackInsAView : public QWidget {
    Q_OBJECT
public:
    explicit PackInsAView(PackInsWnd& wnd);

    // Where a column (1..) and a header line (1..9) are drawn; the day field for line 0.
    QRect lineRect(int column, int line) const;
    // Where the entry field of a header line sits (the code part of code lines).
    QRect fieldRect(int column, int line) const;
    static const char* prompt(int line);
    static QRect dayRect() { return {44, 1, 60, 18}; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    int columnAt(int x) const;

    PackInsWnd& wnd_;
    int dragFrom_ = 0;
};

}  // namespace rk::ui
