#pragma once
// Dialogs fake: records what each dialog was opened with and answers from a script.

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace kinloom::test {

class FakeDialogs final : public Dialogs {
public:
    using Answer = std::optional<std::filesystem::path>;

    std::optional<std::filesystem::path> OpenFile(const std::string& filter) override {
        filters.push_back(filter);
        return Next(files);
    }
    std::optional<std::filesystem::path> ChooseFolder(const std::filesystem::path& start) override {
        starts.push_back(start);
        return Next(folders);
    }

    // Answers for the next open dialogs and folder pickers, in order; an unscripted dialog is
    // cancelled.
    std::deque<Answer> files;
    std::deque<Answer> folders;

    std::vector<std::string> filters;
    std::vector<std::filesystem::path> starts;

private:
    static Answer Next(std::deque<Answer>& answers) {
        if (answers.empty()) return std::nullopt;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
};

}  // namespace kinloom::test
