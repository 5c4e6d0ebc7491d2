// The choice bar: one item out of a short horizontal list, chosen with Left/Right, the pad's
// digits, letters or the mouse. Enter and Down report the choice into the list result and
// give the focus back to the owning view (chosen()); Up reports it and calls the view
// directly (upChosen()).
#pragma once

#include <QWidget>

#include "controls/choice_bar.h"

namespace rk::ui {

class CChoiceBar : public QWidget {
    Q_OBJECT
public:
    CChoiceBar(const QString& items, int id, controls::ListResult& result, QWidget* view, int selected = 0);

    const controls::ChoiceBar& bar() const { return bar_; }
    QSize sizeHint() const override;

signals:
    void chosen();
    void upChosen();

protected:
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void act(controls::ChoiceBar::Action a);

    controls::ChoiceBar bar_;
    controls::ListResult& result_;
};

}  // namespace rk::ui
