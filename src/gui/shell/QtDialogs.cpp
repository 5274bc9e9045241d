#include "shell/QtDialogs.h"

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
    return std::filesystem::path(dialog.selectedFiles().front().toStdU16String());
}

std::optional<std::filesystem::path> QtDialogs::ChooseFolder(const std::filesystem::path& start) {
    const QString chosen = QFileDialog::getExistingDirectory(
        parent_, QString(), QString::fromStdU16String(start.u16string()),
        QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty()) return std::nullopt;
    return std::filesystem::path(chosen.toStdU16String());
}

}  // namespace kinloom::gui
