#pragma once
// The pictures library: Images.rcc beside the program, a binary Qt resource file holding every
// picture by name ("IMGUnknown", "IMGVARN", ...). It is opened only while a picture is taken.

#include <QImage>
#include <QString>
#include <optional>

namespace kinloom::gui {

class PicturesLibrary {
public:
    // The library beside the running program.
    PicturesLibrary();
    explicit PicturesLibrary(QString path) : path_(std::move(path)) {}

    // The named picture; nullopt when the library cannot be opened or lacks the picture (the
    // caller then shows "Bad DLL Load").
    std::optional<QImage> Take(const QString& name) const;

    const QString& Path() const { return path_; }

private:
    QString path_;
};

}  // namespace kinloom::gui
