// The dialogs a backup or restore runs with from a window: messages and questions go to the
// program's message boxes, progress lines show in a text on the window.
#pragma once

#include <QApplication>
#include <QLabel>

#include "base/dialogs.h"

namespace rk::ui {

class ProgressNote final : public Dialogs {
public:
    ProgressNote(Dialogs& boxes, QLabel* note) : boxes_(boxes), note_(note) {}
    void message(std::string_view text, Icon icon) override { boxes_.message(text, icon); }
    Answer ask(std::string_view text, Buttons buttons, Answer preselected, Icon icon) override {
        return boxes_.ask(text, buttons, preselected, icon);
    }
    void beep() override { boxes_.beep(); }
    void progress(int done, int total, std::string_view label) override {
        const bool finished = done >= total && label.empty();
        note_->setText(QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())));
        note_->setVisible(!finished);
        note_->repaint();
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

private:
    Dialogs& boxes_;
    QLabel* note_;
};

}  // namespace rk::ui
