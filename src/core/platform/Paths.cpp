#include "core/platform/Paths.h"

#include <system_error>

#include "core/platform/GameRegistry.h"

namespace kinloom {
namespace fs = std::filesystem;

fs::path PathFromUtf8(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Name(const fs::path& path) {
    const std::u8string name = path.filename().u8string();
    return std::string(name.begin(), name.end());
}

fs::path ChildIgnoringCase(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    fs::path exact = folder / PathFromUtf8(name);
#ifndef _WIN32
    // Windows finds a file in any case; the listing below gives the name as the disk spells it,
    // so a folder put back in its place keeps that spelling.
    if (fs::exists(exact, ec)) return exact;
#endif
    const std::string wanted = LowerAscii(name);
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (LowerAscii(Utf8Name(it->path())) == wanted) return it->path();
    }
    return exact;
}

}  // namespace kinloom
