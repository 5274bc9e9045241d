#include "core/platform/WinePrefixSearch.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <set>
#include <system_error>

#include "core/platform/LauncherFiles.h"
#include "core/platform/Paths.h"

namespace kinloom {
namespace fs = std::filesystem;

namespace {

// No launcher file comes near this; a bigger one is not read.
constexpr std::uintmax_t kLargestLauncherFile = 1 << 20;
// Folders of one place looked at; beyond this the place is not a launcher's.
constexpr std::size_t kMostEntries = 1000;

bool IsFolder(const fs::path& p) {
    std::error_code ec;
    return fs::is_directory(p, ec);
}

bool IsFile(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

std::optional<std::string> ReadLauncherFile(const fs::path& file) {
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(file, ec);
    if (ec || size > kLargestLauncherFile) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text(static_cast<std::size_t>(size), '\0');
    in.read(text.data(), static_cast<std::streamsize>(size));
    if (in.bad()) return std::nullopt;  // a read that failed half-way names nothing
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

// The entries of a folder, sorted so the order never depends on the file system.
std::vector<fs::path> Children(const fs::path& folder) {
    std::vector<fs::path> children;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (children.size() >= kMostEntries) break;
        children.push_back(it->path());
    }
    std::sort(children.begin(), children.end());
    return children;
}

fs::path WithHome(const std::string& text, const fs::path& home) {
    if (text == "~") return home;
    if (text.starts_with("~/")) return home / PathFromUtf8(text.substr(2));
    if (text.starts_with("$HOME/")) return home / PathFromUtf8(text.substr(6));
    return PathFromUtf8(text);
}

class Search {
public:
    explicit Search(const LauncherHome& home) : home_(home) {}

    // One place: folder is a prefix itself, or (children) holds prefixes one level down.
    void Place(const std::string& launcher, const fs::path& folder, bool children) {
        if (!IsFolder(folder)) {
            result_.Absent.push_back(Shown(folder));
            return;
        }
        if (!children) {
            const bool prefix = Add(launcher, folder) != 0;
            result_.Looked.push_back(launcher + ": " + Shown(folder) +
                                     (prefix ? " (a prefix)" : " (not a prefix)"));
            return;
        }
        std::size_t found = 0;
        for (const fs::path& child : Children(folder)) found += Add(launcher, child);
        Report(launcher, folder, found);
    }

    // Heroic keeps its default prefixes one level further down ("Prefixes/default/<game>").
    void PlaceTwoDeep(const std::string& launcher, const fs::path& folder) {
        if (!IsFolder(folder)) {
            result_.Absent.push_back(Shown(folder));
            return;
        }
        std::size_t found = 0;
        for (const fs::path& child : Children(folder)) {
            if (IsWinePrefix(child)) {
                found += Add(launcher, child);
                continue;
            }
            for (const fs::path& grandchild : Children(child)) found += Add(launcher, grandchild);
        }
        Report(launcher, folder, found);
    }

    // Launcher files (folder/*.ext), each naming prefixes through read.
    template <typename Read>
    void Files(const std::string& launcher, const fs::path& folder, const std::string& ext,
               Read read) {
        if (!IsFolder(folder)) {
            result_.Absent.push_back(Shown(folder));
            return;
        }
        std::size_t files = 0, found = 0;
        for (const fs::path& file : Children(folder)) {
            if (file.extension() != ext || !IsFile(file)) continue;
            ++files;
            if (const auto text = ReadLauncherFile(file)) {
                for (const std::string& named : read(*text)) found += AddNamed(launcher, named);
            }
        }
        Report(launcher, folder, found,
               std::to_string(files) + (files == 1 ? " file, " : " files, "));
    }

    // One launcher file naming prefixes, or folders holding prefixes.
    template <typename Read>
    void File(const std::string& launcher, const fs::path& file, Read read) {
        if (!IsFile(file)) {
            result_.Absent.push_back(Shown(file));
            return;
        }
        std::size_t found = 0;
        if (const auto text = ReadLauncherFile(file)) {
            for (const std::string& named : read(*text)) found += AddNamed(launcher, named);
        }
        Report(launcher, file, found);
    }

    void Steam(const fs::path& root) {
        if (!IsFolder(root)) {
            result_.Absent.push_back(Shown(root));
            return;
        }
        std::error_code ec;
        const fs::path canonicalRoot = fs::canonical(root, ec);
        if (ec || !steamRoots_.insert(canonicalRoot).second) return;  // ~/.steam/steam is a link
        std::vector<fs::path> libraries{root};
        for (const fs::path& list :
             {root / "steamapps" / "libraryfolders.vdf", root / "config" / "libraryfolders.vdf"}) {
            if (!IsFile(list)) continue;
            if (const auto text = ReadLauncherFile(list)) {
                for (const std::string& folder : SteamLibraryFolders(*text))
                    libraries.push_back(WithHome(folder, home_.Home));
            }
        }
        std::size_t found = 0;
        for (const fs::path& library : libraries) {
            const fs::path canonicalLibrary = fs::canonical(library, ec);
            if (ec || !steamLibraries_.insert(canonicalLibrary).second) continue;
            for (const fs::path& game : Children(library / "steamapps" / "compatdata"))
                found += Add("Steam", game / "pfx");
        }
        Report("Steam", root, found);
    }

    PrefixSearch Take() { return std::move(result_); }

private:
    std::size_t Add(const std::string& launcher, const fs::path& folder) {
        if (!IsWinePrefix(folder)) return 0;
        std::error_code ec;
        const fs::path canonical = fs::canonical(folder, ec);
        if (ec || !seen_.insert(canonical).second) return 0;
        result_.Prefixes.push_back({folder, launcher});
        return 1;
    }

    // A path from a launcher's file: a prefix, or a folder of prefixes (Heroic's default).
    std::size_t AddNamed(const std::string& launcher, const std::string& named) {
        const fs::path folder = WithHome(named, home_.Home);
        if (!folder.is_absolute()) return 0;
        if (IsWinePrefix(folder)) return Add(launcher, folder);
        std::size_t found = 0;
        for (const fs::path& child : Children(folder)) found += Add(launcher, child);
        return found;
    }

    // One line per place: how many prefixes it gave ("Steam: ~/.steam/steam (2 prefixes)").
    void Report(const std::string& launcher, const fs::path& place, std::size_t found,
                const std::string& files = "") {
        result_.Looked.push_back(launcher + ": " + Shown(place) + " (" + files +
                                 std::to_string(found) + (found == 1 ? " prefix)" : " prefixes)"));
    }

    std::string Shown(const fs::path& place) const {
        const std::string home = home_.Home.string();
        const std::string text = place.string();
        if (!home.empty() && text.starts_with(home + "/")) return "~" + text.substr(home.size());
        return text;
    }

    const LauncherHome& home_;
    PrefixSearch result_;
    std::set<fs::path> seen_, steamRoots_, steamLibraries_;
};

}  // namespace

LauncherHome::LauncherHome(fs::path home)
    : Home(std::move(home)), ConfigHome(Home / ".config"), DataHome(Home / ".local" / "share") {}

std::optional<LauncherHome> LauncherHome::FromEnvironment() {
    const char* home = std::getenv("HOME");
    if (!home || !*home) return std::nullopt;
    LauncherHome result{fs::path(home)};
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/')
        result.ConfigHome = config;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/')
        result.DataHome = data;
    return result;
}

bool IsWinePrefix(const fs::path& folder) {
    return IsFolder(folder / "drive_c") &&
           (IsFile(folder / "system.reg") || IsFile(folder / "user.reg"));
}

std::optional<fs::path> PrefixHolding(const fs::path& folder) {
    std::error_code ec;
    fs::path at = fs::weakly_canonical(folder, ec);
    if (ec) return std::nullopt;
    for (;;) {
        if (IsWinePrefix(at)) return at;
        if (!at.has_relative_path()) return std::nullopt;
        at = at.parent_path();
    }
}

PrefixSearch FindWinePrefixes(const LauncherHome& home) {
    Search search(home);
    const fs::path& h = home.Home;
    search.Place("Wine", h / ".wine", false);

    const auto lutris = [](const std::string& text) {
        std::vector<std::string> named;
        if (auto prefix = LutrisGamePrefix(text)) named.push_back(*prefix);
        return named;
    };
    search.Files("Lutris", home.ConfigHome / "lutris" / "games", ".yml", lutris);
    search.Files("Lutris", home.DataHome / "lutris" / "games", ".yml", lutris);
    search.Place("Lutris", h / "Games", true);

    search.Steam(h / ".steam" / "steam");
    search.Steam(home.DataHome / "Steam");
    search.Steam(h / ".var" / "app" / "com.valvesoftware.Steam" / ".local" / "share" / "Steam");

    search.Place("Bottles", home.DataHome / "bottles" / "bottles", true);
    search.Place("Bottles",
                 h / ".var" / "app" / "com.usebottles.bottles" / "data" / "bottles" / "bottles",
                 true);

    search.PlaceTwoDeep("Heroic", h / "Games" / "Heroic" / "Prefixes");
    for (const fs::path& config :
         {home.ConfigHome / "heroic",
          h / ".var" / "app" / "com.heroicgameslauncher.hgl" / "config" / "heroic"}) {
        search.Files("Heroic", config / "GamesConfig", ".json", HeroicWinePrefixes);
        search.File("Heroic", config / "config.json", HeroicWinePrefixes);
    }

    search.Place("PlayOnLinux", h / ".PlayOnLinux" / "wineprefix", true);
    return search.Take();
}

}  // namespace kinloom
