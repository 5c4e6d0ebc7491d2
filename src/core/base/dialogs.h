// How core operations talk to the operator: fixed messages, questions with a preselected
// answer, the beep and progress. The windows answer with message boxes, the command-line
// tool from its options, tests from a script.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace rk {

enum class Icon { Information, Warning, Stop, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual void message(std::string_view text, Icon icon = Icon::Warning) = 0;
    virtual Answer ask(std::string_view text, Buttons buttons, Answer preselected, Icon icon = Icon::Question) = 0;
    virtual void beep() = 0;
    // Work done so far out of `total`; a long operation calls it now and then.
    virtual void progress(int /*done*/, int /*total*/, std::string_view /*label*/) {}
};

// Answers from a prepared list (the preselected answer when the list runs out) and keeps
// every text it was shown. Used by tests and by the command-line tool.
class ScriptedDialogs : public Dialogs {
public:
    std::vector<std::string> shown;  // every message and question, in order
    std::deque<Answer> answers;
    int beeps = 0;

    void message(std::string_view text, Icon) override { shown.emplace_back(text); }
    Answer ask(std::string_view text, Buttons, Answer preselected, Icon) override {
        shown.emplace_back(text);
        if (answers.empty()) return preselected;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    void beep() override { ++beeps; }
};

}  // namespace rk
