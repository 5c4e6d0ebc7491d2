// The note a window shows while it aggregates or writes files ("ただ今集計中・・・"), with
// the wait cursor; both go away when the note is destroyed.
#pragma once

#include <QLabel>
#include <memory>

namespace rk::ui {

class BusyNote {
public:
    BusyNote(QWidget* over, const char* text);
    ~BusyNote();
    BusyNote(const BusyNote&) = delete;
    BusyNote& operator=(const BusyNote&) = delete;

private:
    std::unique_ptr<QLabel> label_;
};

}  // namespace rk::ui
