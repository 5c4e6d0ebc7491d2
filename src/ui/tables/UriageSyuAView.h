// The fields of the sales totals window (start date, end date, a customer to scroll to),
// the slip selection list and the buttons.
#pragma once

#include <QWidget>

#include "controls/keys.h"

class QListWidget;
class QPushButton;

namespace rk::ui {

class CDataEdit;
class UriageSyuWnd;

class UriageSyuAView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 84;
    explicit UriageSyuAView(UriageSyuWnd& wnd);
    int field() const { return field_; }
    CDataEdit* edit() const { return edit_; }
    QListWidget* selectionList() const { return selection_; }
    QPushButton* button(const QString& caption) const;
    void enterField(int field);
    void showSelection();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void finished(controls::Key k);
    QRect valueRect(int field) const;

    UriageSyuWnd& wnd_;
    int field_ = 1;
    int customer_ = 1;
    CDataEdit* edit_ = nullptr;
    QListWidget* selection_ = nullptr;
};

}  // namespace rk::ui
