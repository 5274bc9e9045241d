#pragma once
// A sim's thumbnail, drawn from the JPEG its character package keeps only when it is first looked
// at. Opening a neighborhood of a thousand sims then decodes the few pictures the window shows,
// not a thousand (and the command line, which shows none, decodes none). A drawn picture is
// never changed, only replaced, so copies of a sim and the sims showing the placeholder share it.

#include <memory>
#include <utility>
#include <vector>

#include "core/packages/ByteReader.h"
#include "core/pictures/Bitmap.h"

namespace kinloom {

class SimThumbnail {
public:
    SimThumbnail() = default;
    // A picture already drawn; it converts, so a picture can be given wherever a thumbnail is.
    SimThumbnail(Bitmap picture) : picture_(std::make_shared<const Bitmap>(std::move(picture))) {}
    // A picture shown by many sims (the placeholder), shared rather than copied.
    explicit SimThumbnail(std::shared_ptr<const Bitmap> picture) : picture_(std::move(picture)) {}

    // A JPEG the sim's package holds for it, reduced to size × size (MakeThumb) when first looked
    // at. Of several, the last that decodes is the picture; when none does, the picture held
    // before stands.
    void AddStored(Bytes jpeg, int size);

    // The picture, drawn now if it has not been yet. Drawing changes the object: not for two
    // threads at once.
    const Bitmap& Picture() const;
    bool Empty() const { return Picture().Empty(); }

    // Pictures are compared as drawn.
    bool operator==(const SimThumbnail& other) const { return Picture() == other.Picture(); }

private:
    mutable std::shared_ptr<const Bitmap> picture_;
    mutable std::vector<Bytes> stored_;  // not drawn yet; empty once drawn
    int size_ = 0;
};

}  // namespace kinloom
