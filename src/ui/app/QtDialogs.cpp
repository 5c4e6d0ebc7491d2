#include "ui/app/QtDialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace rk::ui {
namespace {

std::deque<Answer>& queued() {
    static std::deque<Answer> q;
    return q;
}
bool& headless() {
    static bool h = false;
    return h;
}

QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
        case Icon::Information:
            return QMessageBox::Information;
        case Icon::Warning:
            return QMessageBox::Warning;
        case Icon::Stop:
            return QMessageBox::Critical;
        case Icon::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton qtButton(Answer a) {
    switch (a) {
        case Answer::Ok:
            return QMessageBox::Ok;
        case Answer::Cancel:
            return QMessageBox::Cancel;
        case Answer::Yes:
            return QMessageBox::Yes;
        case Answer::No:
            return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

}  // namespace

QStringList& QtDialogs::shownTexts() {
    static QStringList texts;
    return texts;
}

void QtDialogs::queueAnswers(std::initializer_list<Answer> answers) {
    for (Answer a : answers) queued().push_back(a);
}

void QtDialogs::setHeadless(bool h) { headless() = h; }

void QtDialogs::message(std::string_view text, Icon icon) {
    const QString t = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    shownTexts() << t;
    if (headless() || !queued().empty()) return;
    QMessageBox box(qtIcon(icon), QApplication::applicationDisplayName(), t, QMessageBox::Ok, parent_);
    box.exec();
}

Answer QtDialogs::ask(std::string_view text, Buttons buttons, Answer preselected, Icon icon) {
    const QString t = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    shownTexts() << t;
    if (!queued().empty()) {
        Answer a = queued().front();
        queued().pop_front();
        return a;
    }
    if (headless()) return preselected;
    QMessageBox::StandardButtons set;
    switch (buttons) {
        case Buttons::Ok:
            set = QMessageBox::Ok;
            break;
        case Buttons::OkCancel:
            set = QMessageBox::Ok | QMessageBox::Cancel;
            break;
        case Buttons::YesNo:
            set = QMessageBox::Yes | QMessageBox::No;
            break;
        case Buttons::YesNoCancel:
            set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
            break;
    }
    QMessageBox box(qtIcon(icon), QApplication::applicationDisplayName(), t, set, parent_);
    box.setDefaultButton(qtButton(preselected));
    switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Ok:
            return Answer::Ok;
        default:
            return Answer::Cancel;
    }
}

void QtDialogs::beep() { QApplication::beep(); }

}  // namespace rk::ui
