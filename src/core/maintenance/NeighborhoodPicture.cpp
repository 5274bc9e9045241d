#include "core/maintenance/NeighborhoodPicture.h"

#include "core/pictures/Bmp.h"
#include "core/pictures/MakeThumb.h"
#include "core/platform/FileIO.h"

namespace kinloom {

std::filesystem::path NeighborhoodPictureFile(const Neighborhood& neighborhood) {
    return neighborhood.PackagePath.parent_path() / (neighborhood.FolderName + "_Neighborhood.png");
}

std::optional<std::string> ReplaceNeighborhoodPicture(const std::filesystem::path& chosen,
                                                      const std::filesystem::path& pictureFile,
                                                      AtomicFileWriter* writer) {
    try {
        const Bitmap picture = DecodeAnyPicture(ReadWholeFile(chosen));
        Bitmap fitted;
        MakeThumbFit(picture, fitted, 400, 300);
        if (fitted.Empty()) return std::string("The picture is too narrow to be shown.");
        const Bytes png = EncodePng(fitted);
        AtomicFileWriter defaultWriter;
        (writer ? *writer : defaultWriter).Replace(pictureFile, png);
    } catch (const ImageError& e) {
        return std::string(e.what());
    } catch (const FileError& e) {
        return std::string(e.what());
    }
    return std::nullopt;
}

}  // namespace kinloom
