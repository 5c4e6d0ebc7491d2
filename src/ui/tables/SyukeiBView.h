// The column heads of the shipping date list: the first 12 bytes of each customer's name,
// slanted, over the columns the grid shows.
#pragma once

#include <QWidget>

namespace rk::ui {

class SyukeiWnd;

class SyukeiBView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 96;
    explicit SyukeiBView(SyukeiWnd& wnd);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    SyukeiWnd& wnd_;
};

}  // namespace rk::ui
