// The fields of the ledger window: customer number (with name and opening balance beside
// it), print start and end date; and its buttons.
#pragma once

#include "ui/tables/TableFieldsView.h"

namespace rk::ui {

class CDataEdit;
class HanMotoWnd;

class HanMotoView : public TableFieldsView {
    Q_OBJECT
public:
    static constexpr int kHeight = 76;
    explicit HanMotoView(HanMotoWnd& wnd);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void finished(controls::Key k) override;
    QRect valueRect(int field) const override;
    int fieldValue(int field) const override;
    QString fieldText(int field) const override;

    HanMotoWnd& wnd_;
    int customer_ = 0;
};

}  // namespace rk::ui
