#pragma once
// Pictures of the demo folder: simple painted faces as sim thumbnails (JPEG, as the game stores
// them) and a neighborhood picture (PNG).

#include <cstdint>
#include <string_view>

#include "core/packages/ByteReader.h"

namespace kinloom {

struct Character;

// A face (or, for a pet, a furry head with ears) coloured after the sim's skin, hair and eyes,
// side pixels square, as a JFIF JPEG whose bytes start FF D8 FF E0.
Bytes DemoFaceJpeg(const Character& sim, int side);
// A hazy landscape with a river, the colours varied by the name.
Bytes DemoNeighborhoodPng(std::string_view name, int width, int height);

}  // namespace kinloom
