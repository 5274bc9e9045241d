#include "gui/shell/PicturesLibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QResource>

namespace kinloom::gui {

namespace {
const QString kRoot = "/kinloom-pictures";
}

PicturesLibrary::PicturesLibrary() : path_(Locate(QCoreApplication::applicationDirPath())) {}

QString PicturesLibrary::Locate(const QString& programFolder) {
    const QDir folder(programFolder);
    const QString beside = folder.filePath("Images.rcc");
    if (QFileInfo(beside).isFile()) return beside;
    const QString installed = QDir::cleanPath(folder.filePath("../share/kinloom/Images.rcc"));
    if (QFileInfo(installed).isFile()) return installed;
    return beside;
}

std::optional<QImage> PicturesLibrary::Take(const QString& name) const {
    if (!QFileInfo(path_).isFile()) return std::nullopt;
    if (!QResource::registerResource(path_, kRoot)) return std::nullopt;
    QImage picture(":" + kRoot + "/" + name);
    QResource::unregisterResource(path_, kRoot);
    if (picture.isNull()) return std::nullopt;
    return picture;
}

}  // namespace kinloom::gui
