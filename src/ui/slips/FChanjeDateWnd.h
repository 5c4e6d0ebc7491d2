// The date / customer change of a recorded slip ("　伝票月日の変更"): two entry fields, the new
// date at the left and the new customer at the right; Enter applies the field, Esc closes.
#pragma once

#include <QWidget>

#include "controls/keys.h"

namespace rk::ui {

class CDataEdit;
class FMdinWnd;

class FChanjeDateWnd : public QWidget {
    Q_OBJECT
public:
    FChanjeDateWnd(FMdinWnd& wnd, bool dateOnly);
    int field() const { return field_; }

signals:
    // The slip moved (true) or the window was left without a change (false).
    void done(bool changed);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void enter(int field);
    void finished(controls::Key k);

    FMdinWnd& wnd_;
    bool dateOnly_;
    int field_ = 1;
    CDataEdit* edit_ = nullptr;
};

}  // namespace rk::ui
