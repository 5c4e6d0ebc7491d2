// Footer of the slip entry window: line count and totals, the key hints and the two rows of
// command buttons. A button whose window is not part of the program stays disabled.
#pragma once

#include <QWidget>

class QPushButton;

namespace rk::ui {

class FMdinWnd;

class FMdinCView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 120;
    explicit FMdinCView(FMdinWnd& wnd);
    QPushButton* button(const QString& caption) const;

protected:
    void paintEvent(QPaintEvent*) override;
    void showEvent(QShowEvent*) override;

private:
    QPushButton* add(const QString& caption, int row, int column, bool enabled);

    FMdinWnd& wnd_;
};

}  // namespace rk::ui
