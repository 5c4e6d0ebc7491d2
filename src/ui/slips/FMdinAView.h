// Header of the slip entry window: input mode, slip kind, handling date with its weekday,
// customer, the caption rows of the grid and the invalid-slip warning. Fields 1..3 take input.
#pragma once

#include <QWidget>

#include "controls/keys.h"

namespace rk::ui {

class CDataEdit;
class CMojiList;
class FMdinWnd;

class FMdinAView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 108;
    explicit FMdinAView(FMdinWnd& wnd);

    void enter(int field);
    void leave();
    int field() const { return field_; }
    // The guide-line prompt of the current field.
    static const char* prompt(int field);
    CDataEdit* edit() const { return edit_; }
    // "文字検索" on the header: the customers whose name holds the text of the name field.
    void characterSearch();
    CMojiList* searchList() const { return search_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    QRect fieldRect(int field) const;
    void finished(controls::Key k);

    FMdinWnd& wnd_;
    int field_ = 1;
    CDataEdit* edit_ = nullptr;
    CMojiList* search_ = nullptr;
    char nameBuffer_[32]{};
};

}  // namespace rk::ui
