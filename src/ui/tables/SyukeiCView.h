// The grid of the shipping date list: a row of 22 units per date with the date at its head,
// a column of 50 units per customer; a slip's cell shows its line count on the colour of its
// stage, an empty cell a dot on white. Scrolls by rows and columns.
#pragma once

#include <QAbstractScrollArea>
#include <QColor>

namespace rk::ui {

class SyukeiWnd;

class SyukeiCView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 22, kColumnWidth = 50, kHeadWidth = 64;
    explicit SyukeiCView(SyukeiWnd& wnd);

    static QColor stageColour(int stage);
    // " %3d" of a slip's line count, "･" for an empty cell.
    QString cellText(size_t row, size_t column) const;
    // The cell under a point of the viewport; false outside the cells.
    bool cellAt(QPoint p, size_t& row, size_t& column) const;
    QRect cellRect(size_t row, size_t column) const;

    int firstRow() const;
    int firstColumn() const;
    int firstDate() const;
    int firstCustomer() const;
    void scrollToDate(int monthDay);
    void scrollToCustomer(int customer);
    // The grid was built again: ranges anew, the last 15 dates in view when there are more.
    void reset();

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void scrollContentsBy(int, int) override;

private:
    void updateRanges();
    SyukeiWnd& wnd_;
};

}  // namespace rk::ui
