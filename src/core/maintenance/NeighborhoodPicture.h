#pragma once
// The picture the game shows for a neighborhood: "<folder>_Neighborhood.png" beside its package,
// at most 400 × 300.

#include <filesystem>
#include <optional>
#include <string>

#include "core/neighborhoods/NeighborhoodScan.h"

namespace kinloom {

class AtomicFileWriter;

std::filesystem::path NeighborhoodPictureFile(const Neighborhood& neighborhood);

// The confirmation asked before the picture is replaced.
inline constexpr const char* kReplacePictureQuestion =
    "If you continue the currently assigned neighborhood image will be replaced. This cannot be "
    "undone.\r\nClick OK to continue.\r\n";

// Replaces the picture file with the chosen picture (PNG, JPEG or BMP, told by its content),
// reduced to fit 400 × 300 and stored as PNG. Returns the error text when the picture cannot be
// read or the file cannot be written; the old picture then stays as it was.
std::optional<std::string> ReplaceNeighborhoodPicture(const std::filesystem::path& chosen,
                                                      const std::filesystem::path& pictureFile,
                                                      AtomicFileWriter* writer = nullptr);

}  // namespace kinloom
