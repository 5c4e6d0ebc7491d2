// The header area of a table window: the four range fields (start and end date or year,
// start and end code), edited in place one at a time, and the buttons.
#pragma once

#include <QWidget>

#include "controls/keys.h"

class QCheckBox;
class QPushButton;

namespace rk::ui {

class CDataEdit;
class GraSyuWnd;

class GraSyuView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 78;
    explicit GraSyuView(GraSyuWnd& wnd);

    int field() const { return field_; }
    CDataEdit* edit() const { return edit_; }
    // Starts editing field 1..4.
    void enterField(int field);
    QString fieldText(int field) const;
    QPushButton* button(const QString& caption) const;
    QCheckBox* byMonthBox() const { return byMonth_; }
    QCheckBox* mixedBox() const { return mixed_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void finished(controls::Key k);
    QRect valueRect(int field) const;

    GraSyuWnd& wnd_;
    int field_ = 1;
    CDataEdit* edit_ = nullptr;
    QCheckBox* byMonth_ = nullptr;
    QCheckBox* mixed_ = nullptr;
};

}  // namespace rk::ui
