// The grid of the period-by-month display: a row per business year ("%2d 期"), a column per
// month in business-year order ("%6d 月"); a month without data is blank.
#pragma once

#include <QWidget>

namespace rk::ui {

class GBlockSyuWnd;

class GBlockSyuBView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 24, kHeadWidth = 64, kColumnWidth = 76;
    explicit GBlockSyuBView(GBlockSyuWnd& wnd);
    // The text of a cell as drawn (row 0.., month column 0..11).
    QString cellText(int row, int column) const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    GBlockSyuWnd& wnd_;
};

}  // namespace rk::ui
