#include "core/pictures/SimThumbnail.h"

#include "core/pictures/ImageCodecs.h"
#include "core/pictures/MakeThumb.h"

namespace kinloom {

void SimThumbnail::AddStored(Bytes jpeg, int size) {
    stored_.push_back(std::move(jpeg));
    size_ = size;
}

const Bitmap& SimThumbnail::Picture() const {
    // The last picture wins, as when each was drawn in turn over the one before.
    for (auto it = stored_.rbegin(); it != stored_.rend(); ++it) {
        try {
            const Bitmap picture = DecodeJpeg(*it);
            Bitmap thumb;
            MakeThumb(picture, thumb, size_);
            picture_ = std::make_shared<const Bitmap>(std::move(thumb));
            break;
        } catch (const ImageError&) {
            // A damaged thumbnail costs the sim its picture, not its place in the list.
        }
    }
    stored_.clear();
    static const Bitmap kNone;
    return picture_ ? *picture_ : kNone;
}

}  // namespace kinloom
