// The fields of the bulk totals window (start and end date), the stage list and the buttons.
// Confirming the end date opens the conditions window.
#pragma once

#include <QWidget>

#include "controls/keys.h"

class QListWidget;
class QPushButton;

namespace rk::ui {

class CDataEdit;
class IkkatuSyuWnd;

class IkkatuSyuAView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 110;
    explicit IkkatuSyuAView(IkkatuSyuWnd& wnd);
    int field() const { return field_; }
    CDataEdit* edit() const { return edit_; }
    QListWidget* stageList() const { return stages_; }
    QPushButton* button(const QString& caption) const;
    void enterField(int field);
    void showStages();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void finished(controls::Key k);
    QRect valueRect(int field) const;

    IkkatuSyuWnd& wnd_;
    int field_ = 1;
    CDataEdit* edit_ = nullptr;
    QListWidget* stages_ = nullptr;
};

}  // namespace rk::ui
