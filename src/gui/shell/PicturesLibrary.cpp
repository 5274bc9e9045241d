#include "gui/shell/PicturesLibrary.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QResource>

namespace kinloom::gui {

namespace {
const QString kRoot = "/kinloom-pictures";
}

PicturesLibrary::PicturesLibrary()
    : path_(QCoreApplication::applicationDirPath() + "/Images.rcc") {}

std::optional<QImage> PicturesLibrary::Take(const QString& name) const {
    if (!QFileInfo(path_).isFile()) return std::nullopt;
    if (!QResource::registerResource(path_, kRoot)) return std::nullopt;
    QImage picture(":" + kRoot + "/" + name);
    QResource::unregisterResource(path_, kRoot);
    if (picture.isNull()) return std::nullopt;
    return picture;
}

}  // namespace kinloom::gui
