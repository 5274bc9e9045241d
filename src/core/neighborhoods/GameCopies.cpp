#include "core/neighborhoods/GameCopies.h"

#include <algorithm>
#include <array>
#include <memory>
#include <set>
#include <system_error>

#include "core/neighborhoods/Discovery.h"
#include "core/platform/FileIO.h"
#include "core/platform/Paths.h"
#include "core/platform/WinePrefix.h"
#include "core/platform/WineRegistry.h"

namespace kinloom {
namespace fs = std::filesystem;

namespace {

bool IsFolder(const fs::path& p) {
    std::error_code ec;
    return fs::is_directory(p, ec);
}

std::string Shown(const fs::path& p) {
    const std::u8string text = p.u8string();
    return std::string(text.begin(), text.end());
}

// A registry file's text; empty when it cannot be read whole (missing, a folder, a pipe), which
// names no game: a partly read one could pass for a registry that lacks the game's keys.
std::string RegistryText(const fs::path& file) {
    try {
        const Bytes bytes = ReadWholeFile(file);
        return std::string(bytes.begin(), bytes.end());
    } catch (const FileError&) {
        return {};
    }
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether the text mentions the game at all: most prefixes (every Steam game has its own) do
// not, and are passed over without reading their registry in full. Registry files run to
// megabytes, so the search skips ahead (Horspool's), blind to the case of ASCII letters.
bool MentionsTheGame(std::string_view text) {
    static constexpr std::string_view kName = "the sims 2";
    constexpr std::size_t n = kName.size();
    std::array<std::size_t, 256> skip;
    skip.fill(n);
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const auto c = static_cast<unsigned char>(kName[i]);
        skip[c] = n - 1 - i;
        if (c >= 'a' && c <= 'z') skip[c - 'a' + 'A'] = n - 1 - i;
    }
    for (std::size_t at = 0; at + n <= text.size();) {
        std::size_t i = n;
        while (i > 0 && Lower(text[at + i - 1]) == kName[i - 1]) --i;
        if (i == 0) return true;
        at += skip[static_cast<unsigned char>(text[at + n - 1])];
    }
    return false;
}

}  // namespace

std::size_t CountNeighborhoods(const fs::path& userDataFolder) {
    const fs::path hoods = ChildIgnoringCase(userDataFolder, "Neighborhoods");
    std::size_t count = 0;
    std::error_code ec;
    for (fs::directory_iterator it(hoods, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = Utf8Name(it->path());
        const fs::path package = ChildIgnoringCase(it->path(), name + "_Neighborhood.package");
        std::error_code fileEc;
        if (fs::is_regular_file(package, fileEc)) ++count;
    }
    return count;
}

std::vector<GameCopy> CopiesOfFolders(const std::vector<fs::path>& folders,
                                      const std::optional<fs::path>& winePrefix,
                                      const std::string& launcher) {
    std::vector<GameCopy> copies;
    for (const fs::path& folder : folders) {
        GameCopy copy;
        copy.Edition = Utf8Name(folder);
        copy.Launcher = launcher;
        copy.WinePrefix = winePrefix;
        copy.UserDataFolder = folder;
        copy.NeighborhoodCount = CountNeighborhoods(folder);
        copies.push_back(std::move(copy));
    }
    return copies;
}

GameCopySearch FindGameCopies(const std::vector<FoundPrefix>& prefixes, std::string_view userName) {
    GameCopySearch search;
    std::set<fs::path> seenFolders;
    for (const FoundPrefix& found : prefixes) {
        const std::string where = found.Launcher + " prefix " + Shown(found.Prefix);
        const std::string system = RegistryText(found.Prefix / "system.reg");
        const std::string user = RegistryText(found.Prefix / "user.reg");
        std::string displayName;
        auto registry = std::make_shared<WineRegistry>(DiscoveryRegistryKeys());
        if (MentionsTheGame(system) || MentionsTheGame(user)) {
            registry->Load(RegistryRoot::LocalMachine, system);
            registry->Load(RegistryRoot::CurrentUser, user);
            displayName = ReadGameRegistration(*registry).DisplayName;
        }
        if (displayName.empty()) {
            search.Looked.push_back(where + ": the registry names no edition of The Sims 2");
            continue;
        }
        const std::optional<fs::path> documents =
            WineDocumentsFolder(found.Prefix, *registry, userName);
        if (!documents) {
            search.Looked.push_back(where + ": " + displayName + ", but no documents folder");
            continue;
        }
        std::vector<fs::path> folders = GameUserDataFolders(documents);
        // The folder named like the display name counts too, whatever it is called.
        const fs::path named =
            ChildIgnoringCase(ChildIgnoringCase(*documents, "EA Games"), displayName);
        if (displayName.find_first_of("/\\") == std::string::npos && displayName != "." &&
            displayName != ".." && IsFolder(ChildIgnoringCase(named, "Neighborhoods")) &&
            std::find(folders.begin(), folders.end(), named) == folders.end())
            folders.push_back(named);

        std::vector<fs::path> fresh;
        for (const fs::path& folder : folders) {
            std::error_code ec;
            const fs::path canonical = fs::canonical(folder, ec);
            // Plain Wine links each prefix's documents to the same Linux folder: one copy.
            if (!ec && seenFolders.insert(canonical).second) fresh.push_back(folder);
        }
        if (folders.empty()) {
            search.Looked.push_back(where + ": " + displayName +
                                    ", but no user-data folder with neighborhoods in " +
                                    Shown(ChildIgnoringCase(*documents, "EA Games")));
            continue;
        }
        for (GameCopy& copy : CopiesOfFolders(fresh, found.Prefix, found.Launcher)) {
            copy.Registry = registry;
            search.Copies.push_back(std::move(copy));
        }
    }
    return search;
}

std::string SeveralCopiesText(const std::vector<GameCopy>& copies) {
    std::string text = kSeveralUserDataFolders;
    for (const GameCopy& copy : copies) {
        text += "\r\n" + Shown(copy.UserDataFolder);
        if (copy.WinePrefix)
            text += " (" + copy.Launcher + " prefix " + Shown(*copy.WinePrefix) + ")";
    }
    text += "\r\nStart Kinloom with --user-data and the folder to use.";
    return text;
}

}  // namespace kinloom
