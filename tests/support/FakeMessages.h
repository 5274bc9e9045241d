#pragma once
// Messages fake: records every text shown or asked, answers questions from a script.

#include <deque>
#include <string>
#include <vector>

#include "core/platform/Messages.h"

namespace kinloom::test {

class FakeMessages final : public Messages {
public:
    void Show(const std::string& text) override { shown.push_back(text); }
    bool AskOkCancel(const std::string& text) override { return answer(text); }
    bool AskYesNo(const std::string& text) override { return answer(text); }

    // Answers for the next questions, in order; an unscripted question is answered "no".
    void script(std::initializer_list<bool> next) { answers.insert(answers.end(), next); }

    std::vector<std::string> shown;
    std::vector<std::string> asked;
    std::deque<bool> answers;

private:
    bool answer(const std::string& text) {
        asked.push_back(text);
        if (answers.empty()) return false;
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
};

}  // namespace kinloom::test
