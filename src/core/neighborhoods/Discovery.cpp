#include "core/neighborhoods/Discovery.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <system_error>

#include "core/platform/Paths.h"
#include "core/platform/Settings.h"
#include "core/platform/WinePrefix.h"

#ifdef _WIN32
#include "core/platform/WindowsRegistry.h"
#else
#include <pwd.h>
#include <unistd.h>
#endif

namespace kinloom {
namespace fs = std::filesystem;

namespace {

// The game, each pack and their languages have their keys here.
constexpr std::string_view kEaGamesKey = "\\Software\\EA GAMES";
constexpr std::string_view kBaseGameKey = "\\Software\\EA GAMES\\The Sims 2";

struct LanguageRow {
    std::string_view Name;
    int Code;
    std::string_view Font;
    std::uint8_t Charset;
};

constexpr LanguageRow kLanguages[] = {
    {"english us", 1, "Arial", 0},
    {"usenglish", 1, "Arial", 0},
    {"english uk", 2, "Arial", 0},
    {"ukenglish", 2, "Arial", 0},
    {"french", 3, "Arial", 0},
    {"german", 4, "Arial", 0},
    {"italian", 5, "Arial", 0},
    {"spanish", 6, "Arial", 0},
    {"dutch", 7, "Arial", 0},
    {"danish", 8, "Trebuchet MS", 0},
    {"swedish", 9, "Arial", 0},
    {"norwegian", 10, "Trebuchet MS", 0},
    {"finnish", 11, "Trebuchet MS", 0},
    {"finish", 11, "Trebuchet MS", 0},
    {"hebrew", 12, "Trebuchet MS", 0},
    {"russian", 13, "Trebuchet MS", 0},
    {"portuguese", 14, "Arial", 0},
    {"japanese", 15, "MS Gothic", 128},
    {"polish", 16, "Arial", 0},
    {"traditional chinese", 17, "MingLiU", 128},
    {"chinese traditional", 17, "MingLiU", 128},
    {"simplified chinese", 18, "MS Hei", 128},
    {"chinese simplified", 18, "MS Hei", 128},
    {"thai", 19, "Angsana New", 128},
    {"korean", 20, "Trebuchet MS", 0},
};

bool IsFolder(const fs::path& p) {
    std::error_code ec;
    return fs::is_directory(p, ec);
}

// A game folder name as compared: lower case, without the trade mark sign that some editions
// carry in their registry name and others in their folder name.
std::string PlainGameName(const std::string& name) {
    std::string plain = LowerAscii(name);
    for (std::size_t at; (at = plain.find("\xE2\x84\xA2")) != std::string::npos;)
        plain.erase(at, 3);
    return plain;
}

// "The Sims 2 …" and "The Sims™ 2 …" alike.
bool LooksLikeGameFolder(const std::string& name) {
    return PlainGameName(name).starts_with("the sims 2");
}

}  // namespace

LanguageChoice LanguageFromName(std::string_view languageName) {
    const std::string lower = LowerAscii(languageName);
    for (const LanguageRow& row : kLanguages) {
        if (lower == row.Name) return {row.Code, std::string(row.Font), row.Charset};
    }
    return {};
}

int LanguageFromArguments(const std::vector<std::string>& arguments, int gameLanguage) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (LowerAscii(arguments[i]) != "/l") continue;
        int value = 1;
        if (i + 1 < arguments.size()) {
            const std::string& text = arguments[i + 1];
            const char* end = text.data() + text.size();
            int parsed = 0;
            auto [ptr, ec] = std::from_chars(text.data(), end, parsed);
            // The language is stored as one byte in every text list the program writes.
            if (ec == std::errc() && ptr == end && !text.empty() && parsed >= 0 && parsed <= 255)
                value = parsed;
        }
        gameLanguage = value;
    }
    return gameLanguage;
}

ExpansionFlags ReadExpansionFlags(const GameRegistry& registry) {
    auto installed = [&](std::string_view pack) {
        return registry.KeyExists(RegistryRoot::LocalMachine,
                                  std::string(kEaGamesKey) + "\\" + std::string(pack));
    };
    ExpansionFlags flags;
    flags.HasUniversity = installed("The Sims 2 University");
    flags.HasNightlife = installed("The Sims 2 Nightlife") || installed("The Sims 2 Deluxe");
    flags.HasBusiness = installed("The Sims 2 Open For Business");
    flags.HasPets = installed("The Sims 2 Pets");
    flags.HasSeasons = installed("The Sims 2 Seasons");
    flags.HasBonVoyage = installed("The Sims 2 Bon Voyage");
    flags.HasFreeTime = installed("The Sims 2 FreeTime");
    return flags;
}

RegistryKeyFilter DiscoveryRegistryKeys() {
    return {kEaGamesKey, kShellFoldersKey};
}

GameRegistration ReadGameRegistration(const GameRegistry& registry) {
    GameRegistration result;
    RegistryRoot root = RegistryRoot::CurrentUser;
    if (registry.KeyExists(root, kBaseGameKey))
        result.DisplayName = registry.ReadString(root, kBaseGameKey, "DisplayName").value_or("");
    if (result.DisplayName.empty()) {
        root = RegistryRoot::LocalMachine;
        if (registry.KeyExists(root, kBaseGameKey))
            result.DisplayName =
                registry.ReadString(root, kBaseGameKey, "DisplayName").value_or("");
    }

    static constexpr std::string_view kLanguageKeys[] = {
        "\\Software\\EA GAMES\\The Sims 2\\1.0",
        "\\Software\\EA GAMES\\The Sims 2 University\\1.0",
        "\\Software\\EA GAMES\\The Sims 2 Nightlife\\1.0",
        "\\Software\\EA GAMES\\The Sims 2 Open For Business\\1.0",
    };
    for (std::string_view key : kLanguageKeys) {
        if (!registry.KeyExists(root, key)) {
            root = RegistryRoot::LocalMachine;
            if (!registry.KeyExists(root, key)) continue;
        }
        // A pack key without the value keeps the language found before it.
        if (auto name = registry.ReadString(root, key, "LanguageName")) result.LanguageName = name;
    }
    return result;
}

std::vector<fs::path> GameUserDataFolders(const std::optional<fs::path>& documents) {
    std::vector<fs::path> found;
    if (!documents) return found;
    const fs::path eaGames = ChildIgnoringCase(*documents, "EA Games");
    std::error_code ec;
    for (fs::directory_iterator it(eaGames, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& p = it->path();
        if (LooksLikeGameFolder(Utf8Name(p)) && IsFolder(p) &&
            IsFolder(ChildIgnoringCase(p, "Neighborhoods")))
            found.push_back(p);
    }
    std::sort(found.begin(), found.end());
    return found;
}

UserDataChoice ChooseUserDataFolder(const std::optional<fs::path>& documents,
                                    const std::string& displayName) {
    UserDataChoice choice;
    if (!documents) return choice;
    const fs::path eaGames = ChildIgnoringCase(*documents, "EA Games");
    // A display name is one folder name; anything that would lead elsewhere names none.
    const bool usable = !displayName.empty() && displayName != "." && displayName != ".." &&
                        displayName.find_first_of("/\\") == std::string::npos;
    const fs::path named = usable ? ChildIgnoringCase(eaGames, displayName) : eaGames;
    if (usable && IsFolder(named)) {
        choice.Folder = named;
        return choice;
    }

    const std::vector<fs::path> candidates = GameUserDataFolders(documents);
    if (candidates.size() == 1) {
        choice.Folder = candidates.front();
        return choice;
    }
    if (candidates.size() > 1) {
        for (const fs::path& p : candidates) {
            if (usable && PlainGameName(Utf8Name(p)) == PlainGameName(displayName)) {
                choice.Folder = p;
                return choice;
            }
        }
        std::string text = kSeveralUserDataFolders;
        for (const fs::path& p : candidates) {
            const std::u8string shown = p.u8string();
            text += "\r\n" + std::string(shown.begin(), shown.end());
        }
        text += "\r\nStart Kinloom with --user-data and the folder to use.";
        choice.Termination = std::move(text);
        choice.Candidates = candidates;
        return choice;
    }
    choice.Folder = named;
    return choice;
}

StartupOutcome DiscoverStartup(const StartupInputs& inputs) {
    StartupOutcome outcome;
    StartupState& state = outcome.State;
    const GameRegistry& registry = *inputs.Registry;

    state.Packs = ReadExpansionFlags(registry);
    if (inputs.Stored) state.LastNeighborhood = inputs.Stored->ReadText("NGBD").value_or("");

    const GameRegistration registration = ReadGameRegistration(registry);
    std::optional<std::string> folderTermination;
    if (inputs.UserData) {
        state.UserDataFolder = *inputs.UserData;
    } else {
        UserDataChoice choice = ChooseUserDataFolder(inputs.Documents, registration.DisplayName);
        if (choice.Folder) state.UserDataFolder = *choice.Folder;
        folderTermination = std::move(choice.Termination);
        outcome.UserDataCandidates = std::move(choice.Candidates);
    }

    const LanguageChoice language = LanguageFromName(registration.LanguageName.value_or(""));
    state.GameLanguage = LanguageFromArguments(inputs.Arguments, language.GameLanguage);
    state.LanguageFontName = language.FontName;
    state.LanguageFontCharset = language.FontCharset;

    if (folderTermination) {
        outcome.Termination = std::move(folderTermination);
        return outcome;
    }
    // Without a user-data folder there is nothing to scan (and no relative folder is ever read).
    if (!state.UserDataFolder.empty()) {
        state.NeighborhoodsFolder = ChildIgnoringCase(state.UserDataFolder, "Neighborhoods");
        NeighborhoodScan scan = ScanNeighborhoods(state.NeighborhoodsFolder, state.GameLanguage);
        state.Neighborhoods = std::move(scan.Neighborhoods);
        outcome.Messages = std::move(scan.Messages);
        if (scan.Termination) {
            outcome.Termination = std::move(scan.Termination);
            return outcome;
        }
    }
    if (state.Neighborhoods.empty()) outcome.Termination = kUserDataNotFound;
    return outcome;
}

StartupArguments ParseStartupArguments(const std::vector<std::string>& arguments) {
    StartupArguments parsed;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        std::optional<fs::path>* target = nullptr;
        std::string option;
        for (const char* name : {"--user-data", "--wine-prefix"}) {
            const std::string n(name);
            if (a == n || a.starts_with(n + "=")) {
                target = n == "--user-data" ? &parsed.UserData : &parsed.WinePrefix;
                option = n;
            }
        }
        if (!target) {
            parsed.Rest.push_back(a);
            continue;
        }
        std::string value;
        if (a.size() > option.size()) {
            value = a.substr(option.size() + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        }
        if (value.empty()) {
            parsed.Error = option + " needs a folder";
            continue;
        }
        *target = PathFromUtf8(value);
    }
    return parsed;
}

std::optional<std::string> StrayArgument(const StartupArguments& parsed) {
    if (parsed.Error) return parsed.Error;
    const std::vector<std::string>& rest = parsed.Rest;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const std::string& a = rest[i];
        if (a == "/l" || a == "/L") {
            if (i + 1 == rest.size()) return a + " needs a language number";
            ++i;  // its number; an unusable one means English, as the game's own launcher has it
            continue;
        }
        if (a.starts_with("-") || a.starts_with("/")) return "unknown option " + a;
        return "unexpected argument " + a;
    }
    return std::nullopt;
}

std::string WineUserName() {
#ifdef _WIN32
    return {};
#else
    // Wine names the prefix's user after the Unix account.
    if (const char* name = std::getenv("USER"); name && *name) return name;
    const passwd* account = getpwuid(getuid());
    return account && account->pw_name ? account->pw_name : "";
#endif
}

GamePlatform OpenGamePlatform(const std::optional<fs::path>& winePrefix,
                              std::shared_ptr<const GameRegistry> prefixRegistry) {
    GamePlatform platform;
#ifdef _WIN32
    (void)winePrefix;
    (void)prefixRegistry;
    platform.Registry = std::make_unique<WindowsRegistry>();
    platform.Documents = WindowsDocumentsFolder();
#else
    const passwd* account = getpwuid(getuid());
    const char* home = std::getenv("HOME");
    if ((!home || !*home) && account) home = account->pw_dir;
    const std::string user = WineUserName();
    const fs::path prefix = ChooseWinePrefix(winePrefix, std::getenv("WINEPREFIX"), home);
    if (prefixRegistry && winePrefix && !winePrefix->empty())
        platform.Registry = std::move(prefixRegistry);
    else
        platform.Registry = std::make_shared<const WineRegistry>(
            WineRegistry::FromPrefix(prefix, DiscoveryRegistryKeys()));
    platform.Documents = WineDocumentsFolder(prefix, *platform.Registry, user);
    if (!prefix.empty()) platform.WinePrefix = prefix;
#endif
    return platform;
}

}  // namespace kinloom
