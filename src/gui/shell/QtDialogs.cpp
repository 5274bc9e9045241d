#include "gui/shell/QtDialogs.h"
#include "gui/shell/PathText.h"

#include <QFileDialog>

namespace kinloom::gui {

QStringList QtDialogs::NameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString caption = parts[i].trimmed();
        // The caption repeats its patterns in brackets; Qt reads the patterns from there, so
        // they are put back as Qt spells them.
        const qsizetype bracket = caption.lastIndexOf('(');
        if (bracket > 0 && caption.endsWith(')')) caption = caption.left(bracket).trimmed();
        QString patterns = parts[i + 1].trimmed();
        patterns.replace(';', ' ');
        out << caption + " (" + patterns + ")";
    }
    return out;
}

std::optional<std::filesystem::path> QtDialogs::OpenFile(const std::string& filter) {
    const QStringList filters = NameFilters(filter);
    QFileDialog dialog(parent_);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty()) dialog.selectNameFilter(filters.front());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return PathOfText(dialog.selectedFiles().front());
}

namespace {

// The request's folder and filter on a dialog; the name filter preselected when it exists.
void Prepare(QFileDialog& dialog, const FileDialogRequest& request) {
    const QStringList filters = QtDialogs::NameFilters(request.Filter);
    dialog.setNameFilters(filters);
    if (request.Preselected >= 0 && request.Preselected < filters.size())
        dialog.selectNameFilter(filters[request.Preselected]);
    if (!request.Folder.empty()) dialog.setDirectory(PathText(request.Folder));
}

std::optional<std::filesystem::path> Chosen(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return PathOfText(dialog.selectedFiles().front());
}

}  // namespace

std::optional<std::filesystem::path> QtDialogs::OpenFileIn(const FileDialogRequest& request) {
    QFileDialog dialog(parent_);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    Prepare(dialog, request);
    return Chosen(dialog);
}

std::optional<std::filesystem::path> QtDialogs::SaveFile(const FileDialogRequest& request) {
    QFileDialog dialog(parent_);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The caller asks before replacing, in its own words.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    Prepare(dialog, request);
    if (!request.FileName.empty()) dialog.selectFile(PathText(request.FileName));
    return Chosen(dialog);
}

std::optional<std::filesystem::path> QtDialogs::ChooseFolder(const std::filesystem::path& start) {
    const QString chosen = QFileDialog::getExistingDirectory(parent_, QString(), PathText(start),
                                                             QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty()) return std::nullopt;
    return PathOfText(chosen);
}

}  // namespace kinloom::gui
