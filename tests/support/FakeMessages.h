#pragma once
// Messages fake: records every text shown or asked and the answer each question offered as its
// default, and answers questions from a script.

#include <deque>
#include <string>
#include <vector>

#include "core/platform/Messages.h"

namespace kinloom::test {

class FakeMessages final : public Messages {
public:
    void Show(const std::string& text) override { shown.push_back(text); }
    bool AskOkCancel(const std::string& text, DefaultAnswer preset = DefaultAnswer::No) override {
        return answer(text, preset);
    }
    bool AskYesNo(const std::string& text, DefaultAnswer preset = DefaultAnswer::No) override {
        return answer(text, preset);
    }
    UnsavedAnswer AskSaveDiscardCancel(const std::string& text) override {
        unsavedAsked.push_back(text);
        if (unsavedAnswers.empty()) return UnsavedAnswer::Cancel;
        const UnsavedAnswer a = unsavedAnswers.front();
        unsavedAnswers.pop_front();
        return a;
    }

    // Answers for the next questions, in order; an unscripted question is answered "no".
    void script(std::initializer_list<bool> next) { answers.insert(answers.end(), next); }
    // Answers for the next Save / Discard / Cancel questions; unscripted ones are cancelled.
    void scriptUnsaved(std::initializer_list<UnsavedAnswer> next) {
        unsavedAnswers.insert(unsavedAnswers.end(), next);
    }

    std::vector<std::string> shown;
    std::vector<std::string> asked;         // OK/Cancel and Yes/No questions, in order
    std::vector<DefaultAnswer> defaults;    // the default answer of each of them
    std::vector<std::string> unsavedAsked;  // Save / Discard / Cancel questions
    std::deque<bool> answers;
    std::deque<UnsavedAnswer> unsavedAnswers;

private:
    bool answer(const std::string& text, DefaultAnswer preset) {
        asked.push_back(text);
        defaults.push_back(preset);
        if (answers.empty()) return false;
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
};

}  // namespace kinloom::test
