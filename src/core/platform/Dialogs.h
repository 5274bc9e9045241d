#pragma once
// The file and folder choosers an operation opens. Core and the pages ask through this interface;
// the window answers with the desktop's own dialogs, tests with scripted answers.

#include <filesystem>
#include <optional>
#include <string>

namespace kinloom {

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // An open dialog for one existing file. filter lists caption and patterns alternately,
    // separated by "|" ("All (*.png;*.bmp)|*.png;*.bmp|..."); the first pair is preselected.
    // nullopt when the user cancelled.
    virtual std::optional<std::filesystem::path> OpenFile(const std::string& filter) = 0;
    // A folder picker opened at start; nullopt when the user cancelled.
    virtual std::optional<std::filesystem::path> ChooseFolder(
        const std::filesystem::path& start) = 0;
};

}  // namespace kinloom
