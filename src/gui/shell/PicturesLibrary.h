#pragma once
// The pictures library: Images.rcc beside the program (or, once installed, in the program's
// share folder), a binary Qt resource file holding every picture by name ("IMGUnknown",
// "IMGVARN", ...). It is opened only while a picture is taken.

#include <QImage>
#include <QString>
#include <optional>

namespace kinloom::gui {

class PicturesLibrary {
public:
    // The library of the running program (see Locate).
    PicturesLibrary();
    explicit PicturesLibrary(QString path) : path_(std::move(path)) {}

    // The named picture; nullopt when the library cannot be opened or lacks the picture (the
    // caller then shows "Bad DLL Load").
    std::optional<QImage> Take(const QString& name) const;

    const QString& Path() const { return path_; }

    // Where the library of a program in programFolder is: beside it (a build, or Windows), else
    // in ../share/kinloom (an installed program); beside it when neither exists, so the missing
    // library is reported where it was first looked for.
    static QString Locate(const QString& programFolder);

private:
    QString path_;
};

}  // namespace kinloom::gui
