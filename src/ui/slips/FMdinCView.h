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
    // A hint line under the totals (the codes of the sales method); empty clears it.
    void setHint(const QString& hint);
    const QString& hint() const { return hint_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void showEvent(QShowEvent*) override;

private:
    QPushButton* add(const QString& caption, int row, int column, bool enabled);

    FMdinWnd& wnd_;
    QString hint_;
};

}  // namespace rk::ui
