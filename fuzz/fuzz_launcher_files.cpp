// Hostile launcher files: Steam's library list and Heroic's settings are read bounded, never
// crash, and every folder read back is text the file holds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/platform/LauncherFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kinloom;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const std::string& folder : SteamLibraryFolders(text)) {
        // Escapes only ever shorten a string, so a folder is never longer than the file.
        if (folder.size() > size) __builtin_trap();
    }
    for (const std::string& prefix : HeroicWinePrefixes(text)) {
        if (prefix.empty() || prefix.size() > size) __builtin_trap();
    }
    return 0;
}
