#pragma once
// The file and folder choosers an operation opens. Core and the pages ask through this interface;
// the window answers with the desktop's own dialogs, tests with scripted answers.

#include <filesystem>
#include <optional>
#include <string>

namespace kinloom {

// Where a file dialog opens and what it shows first.
struct FileDialogRequest {
    std::string Filter;              // as for OpenFile
    int Preselected = 0;             // the filter pair chosen at first (0: the first)
    std::filesystem::path Folder;    // empty: the platform's choice
    std::filesystem::path FileName;  // the name proposed by a save dialog
};

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

    // An open dialog as OpenFile, opened in the request's folder with its filter preselected.
    virtual std::optional<std::filesystem::path> OpenFileIn(const FileDialogRequest& request) {
        return OpenFile(request.Filter);
    }
    // A save dialog proposing the request's name; the name chosen (which may exist: replacing is
    // the caller's question), nullopt when the user cancelled or no save dialog can be shown.
    virtual std::optional<std::filesystem::path> SaveFile(const FileDialogRequest& request) {
        (void)request;
        return std::nullopt;
    }
};

// Cancels every dialog: for callers that have no way to ask.
class SilentDialogs final : public Dialogs {
public:
    std::optional<std::filesystem::path> OpenFile(const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::filesystem::path> ChooseFolder(const std::filesystem::path&) override {
        return std::nullopt;
    }
};

}  // namespace kinloom
