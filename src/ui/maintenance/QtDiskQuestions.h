// The backup medium's questions as message boxes (再試行/キャンセル, 中止/再試行/無視), with
// the same test hook as QtDialogs: queued answers are taken instead of showing a box, and
// every text goes to QtDialogs::shownTexts().
#pragma once

#include <QWidget>

#include "maintenance/disk_questions.h"

namespace rk::ui {

class QtDiskQuestions final : public maintenance::DiskQuestions {
public:
    explicit QtDiskQuestions(QWidget* parent) : parent_(parent) {}
    maintenance::DiskAnswer retryOrCancel(std::string_view text) override;
    maintenance::DiskAnswer abortRetryIgnore(std::string_view text) override;

    static void queueAnswers(std::initializer_list<maintenance::DiskAnswer> answers);

private:
    maintenance::DiskAnswer ask(std::string_view text, bool threeWay);
    QWidget* parent_;
};

}  // namespace rk::ui
