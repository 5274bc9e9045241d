#pragma once
// Dialogs fake: records what each dialog was opened with and answers from a script.

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/Dialogs.h"

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

    std::optional<std::filesystem::path> OpenFileIn(const FileDialogRequest& request) override {
        filters.push_back(request.Filter);
        opened.push_back(request);
        return Next(files);
    }
    std::optional<std::filesystem::path> SaveFile(const FileDialogRequest& request) override {
        saved.push_back(request);
        return Next(saves);
    }

    // Answers for the next open dialogs, folder pickers and save dialogs, in order; an
    // unscripted dialog is cancelled.
    std::deque<Answer> files;
    std::deque<Answer> folders;
    std::deque<Answer> saves;

    std::vector<std::string> filters;  // of every open dialog
    std::vector<std::filesystem::path> starts;
    std::vector<FileDialogRequest> opened;  // open dialogs given a folder and preselection
    std::vector<FileDialogRequest> saved;   // save dialogs

private:
    static Answer Next(std::deque<Answer>& answers) {
        if (answers.empty()) return std::nullopt;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
};

}  // namespace kinloom::test
