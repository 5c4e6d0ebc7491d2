// The tape calculator of slip entry ("　電卓"): twelve rows of whole numbers, each ended with
// the operator it joins the total by (pad ×, + or /). Enter hands the total to the field of the
// slip grid as if it had been typed; Esc closes.
#pragma once

#include <QWidget>

#include "controls/keys.h"
#include "slips/line_tools.h"

namespace rk::ui {

class CDataEdit;
class FMdinWnd;

class DentakuWnd : public QWidget {
    Q_OBJECT
public:
    explicit DentakuWnd(FMdinWnd& wnd);
    const TapeCalculator& tape() const { return tape_; }
    int row() const { return row_; }
    CDataEdit* edit() const { return edit_; }

signals:
    // Enter: the total for the grid's field.
    void totalChosen(int32_t total);
    // Esc closed the calculator: the keyboard goes back to the grid.
    void escaped();

protected:
    void paintEvent(QPaintEvent*) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void enter(int row);
    void finished(controls::Key k);
    // Stores the row's value with `op`; false when the row was refused.
    bool store(int32_t value, TapeOp op);

    FMdinWnd& wnd_;
    TapeCalculator tape_;
    int row_ = 0;
    CDataEdit* edit_ = nullptr;
};

}  // namespace rk::ui
