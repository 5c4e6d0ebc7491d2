// The fields of the ledger window: customer number (with name and opening balance beside
// it), print start and end date; and its buttons.
#pragma once

#include <QWidget>

#include "controls/keys.h"

namespace rk::ui {

class CDataEdit;
class HanMotoWnd;

class HanMotoView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 76;
    explicit HanMotoView(HanMotoWnd& wnd);
    int field() const { return field_; }
    CDataEdit* edit() const { return edit_; }
    void enterField(int field);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void finished(controls::Key k);
    QRect valueRect(int field) const;

    HanMotoWnd& wnd_;
    int field_ = 1;
    int customer_ = 0;
    CDataEdit* edit_ = nullptr;
};

}  // namespace rk::ui
