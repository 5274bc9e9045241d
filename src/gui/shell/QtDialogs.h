#pragma once
// The desktop's own open dialog and folder picker.

#include <QStringList>
#include <QWidget>

#include "core/platform/Dialogs.h"

namespace kinloom::gui {

class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    std::optional<std::filesystem::path> OpenFile(const std::string& filter) override;
    std::optional<std::filesystem::path> ChooseFolder(const std::filesystem::path& start) override;
    std::optional<std::filesystem::path> OpenFileIn(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path> SaveFile(const FileDialogRequest& request) override;

    // The program's "Caption (*.a;*.b)|*.a;*.b|..." filter as Qt's name filters, one per pair:
    // "Caption (*.a *.b)".
    static QStringList NameFilters(const std::string& filter);

private:
    QWidget* parent_;
};

}  // namespace kinloom::gui
