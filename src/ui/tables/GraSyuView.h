// The header area of a table window: the four range fields (start and end date or year,
// start and end code), edited in place one at a time, and the buttons.
#pragma once

#include "ui/tables/TableFieldsView.h"

class QCheckBox;
class QPushButton;

namespace rk::ui {

class CDataEdit;
class GraSyuWnd;

class GraSyuView : public TableFieldsView {
    Q_OBJECT
public:
    static constexpr int kHeight = 78;
    explicit GraSyuView(GraSyuWnd& wnd);

    QString fieldText(int field) const override;
    QCheckBox* byMonthBox() const { return byMonth_; }
    QCheckBox* mixedBox() const { return mixed_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void finished(controls::Key k) override;
    QRect valueRect(int field) const override;
    QRect hitRect(int field) const override;
    int fieldValue(int field) const override;

    GraSyuWnd& wnd_;
    QCheckBox* byMonth_ = nullptr;
    QCheckBox* mixed_ = nullptr;
};

}  // namespace rk::ui
