// The two questions of a backup medium that is full or lacks a file, whose buttons
// (再試行/キャンセル, 中止/再試行/無視) the plain Yes/No questions do not have.
#pragma once

#include <deque>
#include <string_view>

#include "base/dialogs.h"

namespace rk::maintenance {

enum class DiskAnswer { Retry, Cancel, Abort, Ignore };

class DiskQuestions {
public:
    virtual ~DiskQuestions() = default;
    // Retry or Cancel.
    virtual DiskAnswer retryOrCancel(std::string_view text) = 0;
    // Abort, Retry or Ignore.
    virtual DiskAnswer abortRetryIgnore(std::string_view text) = 0;
};

// Answers from a list (Cancel, resp. Abort, when it runs out); the texts go to the scripted
// dialogs' list of shown texts. For tests and the command-line tool.
class ScriptedDiskQuestions final : public DiskQuestions {
public:
    explicit ScriptedDiskQuestions(ScriptedDialogs& shownTo) : shown_(shownTo) {}
    std::deque<DiskAnswer> answers;
    DiskAnswer retryOrCancel(std::string_view text) override { return next(text, DiskAnswer::Cancel); }
    DiskAnswer abortRetryIgnore(std::string_view text) override { return next(text, DiskAnswer::Abort); }

private:
    DiskAnswer next(std::string_view text, DiskAnswer otherwise) {
        shown_.shown.emplace_back(text);
        if (answers.empty()) return otherwise;
        const DiskAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    ScriptedDialogs& shown_;
};

}  // namespace rk::maintenance
