// The line text window ("　拡張備考文（行文字）入力"): the extended text of one slip line, typed
// into one text field. Enter keeps it, F4 detaches the line's text, Esc leaves it as it was.
#pragma once

#include <QWidget>

#include "controls/keys.h"

namespace rk::ui {

class CDataEdit;
class FMdinWnd;

class FWidthMojiWnd : public QWidget {
    Q_OBJECT
public:
    FWidthMojiWnd(FMdinWnd& wnd, int line);
    int line() const { return line_; }
    CDataEdit* edit() const { return edit_; }

signals:
    // The window closed; `changed` when the line's text or remark changed.
    void done(bool changed);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void makeField();
    void finished(controls::Key k);

    FMdinWnd& wnd_;
    int line_;
    CDataEdit* edit_ = nullptr;
    char buffer_[82]{};  // 81 characters typed; the line keeps 80 bytes of them
};

}  // namespace rk::ui
