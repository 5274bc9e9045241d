#include "core/platform/ProgramVersion.h"

#include "core/platform/GameRegistry.h"

namespace kinloom {

std::string ProgramVersionText() {
    return std::to_string(KINLOOM_VERSION_MAJOR) + "." + std::to_string(KINLOOM_VERSION_MINOR) +
           "." + std::to_string(KINLOOM_VERSION_PATCH) + "  (Build " +
           std::to_string(KINLOOM_BUILD_NUMBER) + ")";
}

std::string ProgramTitle() {
    return "Kinloom " + std::to_string(KINLOOM_VERSION_MAJOR) + "." +
           std::to_string(KINLOOM_VERSION_MINOR);
}

std::string GetFileVersionText(const std::filesystem::path& file) {
    if (file.filename().empty()) return "NA";
    const std::string extension = LowerAscii(file.extension().string());
    if (extension == ".exe" || extension == ".dll" || extension.empty())
        return ProgramVersionText();
    return "NA";
}

}  // namespace kinloom
