// The fields of the bulk totals window (start and end date), the stage list and the buttons.
// Confirming the end date opens the conditions window.
#pragma once

#include "ui/tables/TableFieldsView.h"

class QListWidget;
class QPushButton;

namespace rk::ui {

class CDataEdit;
class IkkatuSyuWnd;

class IkkatuSyuAView : public TableFieldsView {
    Q_OBJECT
public:
    static constexpr int kHeight = 110;
    explicit IkkatuSyuAView(IkkatuSyuWnd& wnd);
    QListWidget* stageList() const { return stages_; }
    void showStages();

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void finished(controls::Key k) override;
    QRect valueRect(int field) const override;
    int fieldValue(int field) const override;
    QString fieldText(int field) const override;

    IkkatuSyuWnd& wnd_;
    QListWidget* stages_ = nullptr;
};

}  // namespace rk::ui
