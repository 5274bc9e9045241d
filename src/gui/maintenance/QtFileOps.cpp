#include "gui/maintenance/QtFileOps.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QString>
#include <system_error>

namespace kinloom::gui {

namespace {

QString QtPath(const std::filesystem::path& path) {
#ifdef _WIN32
    return QString::fromStdWString(path.native());
#else
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

}  // namespace

bool QtFileOps::DeleteToTrash(const std::filesystem::path& item) {
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(item, ec))) return false;
#ifndef _WIN32
    // Without the user's data folder, Qt 6.4 makes its "trash" in the current folder, where no
    // desktop would ever show it; the data folder is made first so the home trash is used.
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty() || !QDir().mkpath(dataHome)) return false;
#endif
    if (!QFile::moveToTrash(QtPath(item))) return false;
    return !std::filesystem::exists(std::filesystem::symlink_status(item, ec));
}

}  // namespace kinloom::gui
