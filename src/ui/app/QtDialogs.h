// Message boxes for the core's questions and messages. Tests queue the next answers
// instead of clicking, and read back every text shown.
#pragma once

#include <QStringList>
#include <QWidget>
#include <deque>
#include <functional>

#include "base/dialogs.h"

namespace rk::ui {

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void message(std::string_view text, Icon icon = Icon::Warning) override;
    Answer ask(std::string_view text, Buttons buttons, Answer preselected, Icon icon = Icon::Question) override;
    void beep() override;

    // Test hook: while answers are queued no box is shown; each question takes the next one
    // (messages take nothing). Every text goes to `shownTexts()`.
    static void queueAnswers(std::initializer_list<Answer> answers);
    static void setHeadless(bool headless);
    static QStringList& shownTexts();

private:
    QWidget* parent_;
};

}  // namespace rk::ui
