// The fields of the sales totals window (start date, end date, a customer to scroll to),
// the slip selection list and the buttons.
#pragma once

#include "ui/tables/TableFieldsView.h"

class QListWidget;
class QPushButton;

namespace rk::ui {

class CDataEdit;
class UriageSyuWnd;

class UriageSyuAView : public TableFieldsView {
    Q_OBJECT
public:
    static constexpr int kHeight = 84;
    explicit UriageSyuAView(UriageSyuWnd& wnd);
    QListWidget* selectionList() const { return selection_; }
    void showSelection();

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void finished(controls::Key k) override;
    QRect valueRect(int field) const override;
    int fieldValue(int field) const override;
    QString fieldText(int field) const override;

    UriageSyuWnd& wnd_;
    int customer_ = 1;
    QListWidget* selection_ = nullptr;
};

}  // namespace rk::ui
