// The line grid of the slip entry window: 99 goods lines of two rows each. One entry field at
// a time edits the current (line, field); the key that ends it decides where the cursor goes.
#pragma once

#include <QWidget>

#include "app/app_context.h"
#include "controls/keys.h"

namespace rk::ui {

class CDataEdit;
class FMdinWnd;

class FMdinBView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 1000;
    static constexpr int kUnitX = 608, kTextX = 800;

    explicit FMdinBView(FMdinWnd& wnd);

    void enter(int line, int field);
    void leave();
    int field() const { return field_; }
    static QRect fieldRect(int field);  // within a line's 58-pixel band
    static QRect captionRect(int field);
    static QString caption(const AppContext& ctx, int field);
    static const char* prompt(Edition e, int field);

    // --- the commands of the footer buttons (on the current line) ---
    void insertLine();
    void deleteLine();
    void copyLine();
    void reduceTax();
    void boxKey(int kind);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void finished(controls::Key k);
    bool store(controls::Key k);
    void move(int line, int field);
    int settledSkip(int field, bool forward) const;

    FMdinWnd& wnd_;
    int line_ = 1;
    int field_ = 1;
    int next_ = 0;  // the field Enter goes to after a store that chose one
    CDataEdit* edit_ = nullptr;
    char textBuffer_[32]{};
};

}  // namespace rk::ui
