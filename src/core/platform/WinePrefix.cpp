#include "core/platform/WinePrefix.h"

#include <string>
#include <system_error>
#include <vector>

namespace kinloom {
namespace fs = std::filesystem;

namespace {

bool IsSet(const char* text) {
    return text != nullptr && *text != '\0';
}

bool IsFolder(const fs::path& p) {
    std::error_code ec;
    return fs::is_directory(p, ec);
}

}  // namespace

fs::path ChooseWinePrefix(const std::optional<fs::path>& option, const char* winePrefixVariable,
                          const char* homeVariable) {
    if (option && !option->empty()) return *option;
    if (IsSet(winePrefixVariable)) return fs::path(winePrefixVariable);
    // Without a home there is no default prefix (and no folder relative to the current one).
    if (!IsSet(homeVariable)) return {};
    return fs::path(homeVariable) / ".wine";
}

std::optional<fs::path> WindowsPathInPrefix(const fs::path& prefix, std::string_view windowsPath) {
    if (prefix.empty() || windowsPath.size() < 2 || windowsPath[1] != ':') return std::nullopt;
    const char letter = LowerAscii(windowsPath.substr(0, 1))[0];
    if (letter < 'a' || letter > 'z') return std::nullopt;
    std::error_code ec;
    fs::path drive = prefix / "dosdevices" / (std::string(1, letter) + ":");
    if (!IsFolder(drive)) {
        // A prefix without its drive links still keeps C: in drive_c.
        if (letter != 'c' || !IsFolder(prefix / "drive_c")) return std::nullopt;
        drive = prefix / "drive_c";
    }
    fs::path result = drive;
    std::string part;
    auto flush = [&] {
        if (!part.empty() && part != ".") result = ChildIgnoringCase(result, part);
        part.clear();
    };
    for (char c : windowsPath.substr(2)) {
        if (c == '\\' || c == '/')
            flush();
        else
            part.push_back(c);
    }
    flush();
    fs::path resolved = fs::weakly_canonical(result, ec);
    return ec ? result : resolved;
}

std::optional<fs::path> WineDocumentsFolder(const fs::path& prefix, const GameRegistry& registry,
                                            std::string_view userName) {
    if (auto personal =
            registry.ReadString(RegistryRoot::CurrentUser, kShellFoldersKey, "Personal")) {
        if (auto mapped = WindowsPathInPrefix(prefix, *personal); mapped && IsFolder(*mapped))
            return mapped;
    }
    auto documentsOf = [&prefix](const std::string& user) -> std::optional<fs::path> {
        for (const char* documents : {"Documents", "My Documents"}) {
            std::string windows = "C:\\users\\" + user + "\\" + documents;
            if (auto mapped = WindowsPathInPrefix(prefix, windows); mapped && IsFolder(*mapped))
                return mapped;
        }
        return std::nullopt;
    };
    if (!userName.empty()) {
        if (auto mine = documentsOf(std::string(userName))) return mine;
    }
    // A prefix made under another account, or Proton's, whose one user is "steamuser".
    const auto users = WindowsPathInPrefix(prefix, "C:\\users");
    if (!users) return std::nullopt;
    std::vector<std::string> others;
    std::error_code ec;
    for (fs::directory_iterator it(*users, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = Utf8Name(it->path());
        if (LowerAscii(name) != "public" && IsFolder(it->path())) others.push_back(name);
        if (others.size() > 1) return std::nullopt;  // whose documents would be a guess
    }
    if (others.size() != 1) return std::nullopt;
    return documentsOf(others.front());
}

}  // namespace kinloom
