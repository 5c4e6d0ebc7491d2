// The grid of a table window: one column per key (its code and name in the head), one row
// per period in display order, each cell the current measure. Scrolls by whole rows and
// columns; dragging one column head onto another swaps the two columns after asking.
#pragma once

#include <QAbstractScrollArea>
#include <vector>

namespace rk::ui {

class GraSyuWnd;

class GraSyuCView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kHeadHeight = 44, kRowHeight = 22, kColumnWidth = 108;
    explicit GraSyuCView(GraSyuWnd& wnd);

    // Period entries shown, in display order (entries without a label are left out).
    std::vector<int> rows() const;
    int topRow() const;
    int firstColumn() const;
    void resetScroll();
    // The text of a cell as shown ("･" for a cell without an amount).
    QString cellText(int period, int code) const;

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void scrollContentsBy(int, int) override;

private:
    void updateRanges();
    int columnAt(int x) const;  // index in the key list, -1 none

    GraSyuWnd& wnd_;
    int pressedColumn_ = -1;
};

}  // namespace rk::ui
