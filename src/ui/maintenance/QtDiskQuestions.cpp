#include "ui/maintenance/QtDiskQuestions.h"

#include <QApplication>
#include <QMessageBox>
#include <deque>

#include "ui/app/QtDialogs.h"

namespace rk::ui {
namespace {

using maintenance::DiskAnswer;

std::deque<DiskAnswer>& queued() {
    static std::deque<DiskAnswer> q;
    return q;
}

}  // namespace

void QtDiskQuestions::queueAnswers(std::initializer_list<DiskAnswer> answers) {
    for (DiskAnswer a : answers) queued().push_back(a);
}

DiskAnswer QtDiskQuestions::retryOrCancel(std::string_view text) { return ask(text, false); }
DiskAnswer QtDiskQuestions::abortRetryIgnore(std::string_view text) { return ask(text, true); }

DiskAnswer QtDiskQuestions::ask(std::string_view text, bool threeWay) {
    const QString t = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    QtDialogs::shownTexts() << t;
    if (!queued().empty()) {
        const DiskAnswer a = queued().front();
        queued().pop_front();
        return a;
    }
    const auto buttons = threeWay ? QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore
                                  : QMessageBox::Retry | QMessageBox::Cancel;
    QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(), t, buttons, parent_);
    box.setDefaultButton(QMessageBox::Retry);
    switch (box.exec()) {
        case QMessageBox::Retry:
            return DiskAnswer::Retry;
        case QMessageBox::Ignore:
            return DiskAnswer::Ignore;
        case QMessageBox::Abort:
            return DiskAnswer::Abort;
        default:
            return threeWay ? DiskAnswer::Abort : DiskAnswer::Cancel;
    }
}

}  // namespace rk::ui
