#pragma once
// The demo user-data folder as the core tests use it: written fresh into a folder, with the record
// of its N001 neighborhood, and a loading context whose placeholder picture is blank.

#include <filesystem>
#include <optional>

#include "core/demo/DemoWriter.h"
#include "core/editing/LoadedNeighborhood.h"
#include "core/neighborhoods/NeighborhoodScan.h"
#include "core/pictures/Bitmap.h"

namespace kinloom::test {

inline Neighborhood WriteDemoN001(const std::filesystem::path& folder) {
    WriteDemoUserData(folder, DemoOptions{});
    Neighborhood n001;
    n001.FolderName = "N001";
    n001.PackagePath = folder / "Neighborhoods" / "N001" / "N001_Neighborhood.package";
    return n001;
}

inline EditingContext BlankPictureContext(Messages& messages) {
    return EditingContext{
        messages, 1, [] { return std::make_shared<const Bitmap>(Bitmap(128, 128)); }, {}};
}

}  // namespace kinloom::test
