#include "gui/shell/BitmapImage.h"

#include <QPainter>
#include <cstring>

#include "core/pictures/MakeThumb.h"

namespace kinloom::gui {

QImage ToQImage(const Bitmap& bitmap) {
    if (bitmap.Empty()) return {};
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB888);
    for (int y = 0; y < bitmap.Height(); ++y) {
        auto source = bitmap.Row(y);
        uchar* line = image.scanLine(y);
        for (std::size_t x = 0; x + 2 < source.size(); x += 3) {
            line[x] = source[x + 2];  // red
            line[x + 1] = source[x + 1];
            line[x + 2] = source[x];  // blue
        }
    }
    return image;
}

Bitmap FromQImage(const QImage& image) {
    if (image.isNull()) return {};
    QImage opaque = image;
    if (image.hasAlphaChannel()) {
        opaque = QImage(image.size(), QImage::Format_RGB888);
        opaque.fill(Qt::white);
        QPainter painter(&opaque);
        painter.drawImage(0, 0, image);
    }
    opaque = opaque.convertToFormat(QImage::Format_RGB888);
    Bitmap bitmap(opaque.width(), opaque.height());
    for (int y = 0; y < bitmap.Height(); ++y) {
        const uchar* line = opaque.constScanLine(y);
        auto target = bitmap.Row(y);
        for (std::size_t x = 0; x + 2 < target.size(); x += 3) {
            target[x] = line[x + 2];
            target[x + 1] = line[x + 1];
            target[x + 2] = line[x];
        }
    }
    return bitmap;
}

QImage ThumbImage(const Bitmap& bitmap, int size) {
    Bitmap thumb;
    MakeThumb(bitmap, thumb, size);
    return ToQImage(thumb);
}

}  // namespace kinloom::gui
