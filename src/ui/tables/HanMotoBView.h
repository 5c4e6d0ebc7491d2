// The entries of the ledger, one row each: number and date, amount before expenses,
// payment, fee, running balance, amount after expenses and group payment.
#pragma once

#include <QAbstractScrollArea>

namespace rk::ui {

class HanMotoWnd;

class HanMotoBView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kHeadHeight = 26, kRowHeight = 22;
    explicit HanMotoBView(HanMotoWnd& wnd);
    void reset();
    // The cells of row `entry` as shown.
    QStringList rowTexts(int entry) const;

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void scrollContentsBy(int, int) override { viewport()->update(); }

private:
    void updateRange();
    HanMotoWnd& wnd_;
};

}  // namespace rk::ui
