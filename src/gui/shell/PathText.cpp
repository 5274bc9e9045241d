#include "gui/shell/PathText.h"

#include <QByteArray>
#include <QFile>

#include <string>

namespace kinloom::gui {

namespace fs = std::filesystem;

#ifdef _WIN32

QString PathText(const fs::path& path) {
    return QString::fromStdWString(path.native());
}

fs::path PathOfText(const QString& text) {
    return fs::path(text.toStdWString());
}

QVariant PathData(const fs::path& path) {
    return PathText(path);  // UTF-16 units, kept as they are, paired or not
}

fs::path PathFromData(const QVariant& data) {
    return PathOfText(data.toString());
}

#else

QString PathText(const fs::path& path) {
    const std::string& bytes = path.native();
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

fs::path PathOfText(const QString& text) {
    return fs::path(QFile::encodeName(text).toStdString());
}

QVariant PathData(const fs::path& path) {
    const std::string& bytes = path.native();
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

fs::path PathFromData(const QVariant& data) {
    return fs::path(data.toByteArray().toStdString());
}

#endif

}  // namespace kinloom::gui
