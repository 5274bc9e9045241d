#pragma once
// Pictures between the program's 24-bit bitmaps and the window's images.

#include <QImage>

#include "core/pictures/Bitmap.h"

namespace kinloom::gui {

// An RGB888 image with the bitmap's pixels; a null image for an empty bitmap.
QImage ToQImage(const Bitmap& bitmap);
// The image's pixels as a 24-bit bitmap; transparency is laid over white, as the decoders do.
Bitmap FromQImage(const QImage& image);

// The picture reduced with MakeThumb to size × size, as every list and page draws sims and
// neighborhoods; a null image for an empty bitmap.
QImage ThumbImage(const Bitmap& bitmap, int size);

}  // namespace kinloom::gui
