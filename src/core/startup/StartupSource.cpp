#include "core/startup/StartupSource.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "core/demo/DemoWriter.h"
#include "core/platform/Paths.h"
#include "core/platform/Settings.h"

namespace kinloom {

namespace fs = std::filesystem;

fs::path DefaultDemoFolder() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return fs::path(xdg) / "kinloom" / "demo";
    if (const char* home = std::getenv("HOME"); home && *home)
        return fs::path(home) / ".local" / "share" / "kinloom" / "demo";
    std::error_code ec;  // a $TMPDIR that is no folder must not end the program
    const fs::path temp = fs::temp_directory_path(ec);
    return (ec ? fs::path("/tmp") : temp) / "kinloom" / "demo";
}

namespace {

StartupSource OpenDemo(const StartupRequest& request, const std::vector<std::string>& arguments) {
    StartupSource source;
    source.Demo = true;
    std::error_code ec;
    if (!fs::exists(request.DemoFolder / kDemoMarkerFile, ec)) {
        try {
            WriteDemoUserData(request.DemoFolder, DemoOptions{});
        } catch (const DemoError& e) {
            source.Outcome.Termination =
                std::string("The demo neighborhoods cannot be written: ") + e.what();
            return source;
        }
    }
    const MemoryRegistry registry = DemoRegistry();
    StartupInputs inputs;
    inputs.Registry = &registry;
    inputs.UserData = request.DemoFolder;
    inputs.Stored = request.Stored;
    inputs.Arguments = arguments;
    source.Documents = request.DemoFolder.parent_path();
    source.Outcome = DiscoverStartup(inputs);
    return source;
}

std::string FolderState(const fs::path& folder) {
    std::error_code ec;
    if (fs::is_directory(folder, ec)) return folder.string();
    if (fs::exists(folder, ec)) return folder.string() + " (not a folder)";
    return folder.string() + " (does not exist)";
}

// Where discovery looked, in the order it looked, for the player to check.
std::vector<std::string> LookedPlaces(const StartupArguments& parsed, const GamePlatform& platform,
                                      const StartupOutcome& outcome) {
    std::vector<std::string> looked;
    if (parsed.UserData) {
        looked.push_back("User data folder named: " + FolderState(*parsed.UserData) +
                         ", which holds no Neighborhoods folder");
        return looked;
    }
    if (platform.WinePrefix) looked.push_back("Wine prefix: " + FolderState(*platform.WinePrefix));
    if (platform.Registry && ReadGameRegistration(*platform.Registry).DisplayName.empty())
        looked.push_back("The registry names no edition of The Sims 2");
    if (platform.Documents)
        looked.push_back("Documents folder: " + FolderState(*platform.Documents));
    else
        looked.push_back("Documents folder: none found");
    if (!outcome.State.UserDataFolder.empty())
        looked.push_back("User data folder: " + FolderState(outcome.State.UserDataFolder));
    return looked;
}

}  // namespace

StartupRequest WithChoice(StartupRequest request, const GameChoice& choice) {
    if (choice.Demo) {
        request.Demo = true;
        return request;
    }
    // A choice that names no folder (the first start, before the player chose anything) leaves
    // the command line's folder options as they are.
    if (!choice.UserData && !choice.WinePrefix) return request;
    // The choice stands in for the folder options given before; "/l" and the rest stay.
    const StartupArguments parsed = ParseStartupArguments(request.Arguments);
    request.Arguments = parsed.Rest;
    if (choice.UserData) {
        request.Arguments.push_back("--user-data");
        request.Arguments.push_back(choice.UserData->string());
    }
    if (choice.WinePrefix) {
        request.Arguments.push_back("--wine-prefix");
        request.Arguments.push_back(choice.WinePrefix->string());
    }
    return request;
}

void RememberChoice(Settings& settings, const GameChoice& choice, const StartupSource& opened) {
    if (choice.Demo || opened.GameMissing || opened.Demo || opened.Outcome.Termination ||
        opened.ArgumentError)
        return;
    if (!choice.UserData && !choice.WinePrefix) return;
    const auto text = [](const std::optional<fs::path>& folder) {
        if (!folder) return std::string();
        const std::u8string utf8 = folder->u8string();
        return std::string(utf8.begin(), utf8.end());
    };
    settings.WriteText(kGameUserDataSetting, text(choice.UserData));
    settings.WriteText(kGameWinePrefixSetting, text(choice.WinePrefix));
}

namespace {

bool WinePrefixVariableSet() {
    const char* variable = std::getenv("WINEPREFIX");
    return variable && *variable;
}

}  // namespace

GameLocation LocateGame(StartupArguments parsed,
                        [[maybe_unused]] const std::optional<LauncherHome>& home) {
    GameLocation location;
    if (parsed.UserData && !parsed.WinePrefix && !WinePrefixVariableSet()) {
        // The registry that belongs to the folder: the prefix it lies in, when it lies in one.
        if (auto prefix = PrefixHolding(*parsed.UserData)) parsed.WinePrefix = *prefix;
    }
#ifndef _WIN32
    if (!parsed.UserData && !parsed.WinePrefix && !WinePrefixVariableSet() && home) {
        location.Searched = true;
        location.Places = FindWinePrefixes(*home);
        location.Found = FindGameCopies(location.Places.Prefixes, WineUserName());
        if (location.Found.Copies.size() == 1) {
            const GameCopy& copy = location.Found.Copies.front();
            parsed.UserData = copy.UserDataFolder;
            parsed.WinePrefix = copy.WinePrefix;
            location.Registry = copy.Registry;
        }
    }
#endif
    location.Arguments = std::move(parsed);
    return location;
}

GameLocation AllGameCopies(const StartupArguments& parsed,
                           const std::optional<LauncherHome>& home) {
    GameLocation location = LocateGame(parsed, home);
    if (location.Searched) return location;
    const StartupArguments& given = location.Arguments;
    std::error_code ec;
    if (given.UserData) {
        if (fs::is_directory(ChildIgnoringCase(*given.UserData, "Neighborhoods"), ec))
            location.Found.Copies = CopiesOfFolders({*given.UserData}, given.WinePrefix,
                                                    given.WinePrefix ? "Wine" : "");
        return location;
    }
    const GamePlatform platform = OpenGamePlatform(given.WinePrefix);
    if (!platform.Registry) return location;
    const GameRegistration registration = ReadGameRegistration(*platform.Registry);
    std::vector<fs::path> folders = GameUserDataFolders(platform.Documents);
    const UserDataChoice chosen =
        ChooseUserDataFolder(platform.Documents, registration.DisplayName);
    if (chosen.Folder && fs::is_directory(ChildIgnoringCase(*chosen.Folder, "Neighborhoods"), ec) &&
        std::find(folders.begin(), folders.end(), *chosen.Folder) == folders.end())
        folders.insert(folders.begin(), *chosen.Folder);
    location.Found.Copies =
        CopiesOfFolders(folders, platform.WinePrefix, platform.WinePrefix ? "Wine" : "");
    return location;
}

std::vector<std::string> SearchedPlaces(const GameLocation& location) {
    std::vector<std::string> looked = location.Places.Looked;
    looked.insert(looked.end(), location.Found.Looked.begin(), location.Found.Looked.end());
    if (!location.Places.Absent.empty()) {
        std::string absent = "Not there:";
        for (std::size_t i = 0; i < location.Places.Absent.size(); ++i)
            absent += (i ? ", " : " ") + location.Places.Absent[i];
        looked.push_back(absent);
    }
    return looked;
}

namespace {

// The remembered choice as folder options, when none were given and the choice still exists.
StartupArguments WithRemembered(StartupArguments parsed, const Settings* stored) {
    if (!stored || parsed.UserData || parsed.WinePrefix) return parsed;
    std::error_code ec;
    const std::string userData = stored->ReadText(kGameUserDataSetting).value_or("");
    const std::string prefix = stored->ReadText(kGameWinePrefixSetting).value_or("");
    const bool prefixUsable =
        !WinePrefixVariableSet() && !prefix.empty() && fs::is_directory(PathFromUtf8(prefix), ec);
    if (!userData.empty()) {
        // A copy chosen among several is its folder and its prefix; gone, it is not guessed at.
        if (!fs::is_directory(ChildIgnoringCase(PathFromUtf8(userData), "Neighborhoods"), ec))
            return parsed;
        parsed.UserData = PathFromUtf8(userData);
        if (prefixUsable) parsed.WinePrefix = PathFromUtf8(prefix);
        return parsed;
    }
    if (prefixUsable) parsed.WinePrefix = PathFromUtf8(prefix);
    return parsed;
}

}  // namespace

StartupSource DiscoverStartupSource(const StartupRequest& request) {
    const StartupArguments parsed =
        WithRemembered(ParseStartupArguments(request.Arguments), request.Stored);
    if (parsed.Error) {
        StartupSource source;
        source.ArgumentError = parsed.Error;
        return source;
    }
    if (request.Demo) return OpenDemo(request, parsed.Rest);

    const GameLocation location =
        LocateGame(parsed, request.Home ? request.Home : LauncherHome::FromEnvironment());
    if (location.Found.Copies.size() > 1) {
        StartupSource source;
        source.SeveralGames = true;
        source.Copies = location.Found.Copies;
        source.Outcome.Termination = SeveralCopiesText(source.Copies);
        return source;
    }
    const StartupArguments& located = location.Arguments;
    GamePlatform platform = request.Platform
                                ? request.Platform(located.WinePrefix)
                                : OpenGamePlatform(located.WinePrefix, location.Registry);
    StartupInputs inputs;
    inputs.Registry = platform.Registry.get();
    inputs.Documents = platform.Documents;
    inputs.UserData = located.UserData;
    inputs.Stored = request.Stored;
    inputs.Arguments = parsed.Rest;

    StartupSource source;
    if (inputs.Registry) source.Outcome = DiscoverStartup(inputs);
    if (!source.Outcome.UserDataCandidates.empty()) {
        // Several editions side by side in one documents folder.
        source.SeveralGames = true;
        source.Copies = CopiesOfFolders(source.Outcome.UserDataCandidates, platform.WinePrefix,
                                        platform.WinePrefix ? "Wine" : "");
        return source;
    }
    std::error_code ec;
    const bool gameFound = inputs.Registry && !source.Outcome.State.NeighborhoodsFolder.empty() &&
                           fs::is_directory(source.Outcome.State.NeighborhoodsFolder, ec);
    // Another problem (several folders and nothing to choose by) is reported as it stands.
    const bool otherProblem =
        source.Outcome.Termination && *source.Outcome.Termination != kUserDataNotFound;
    if (!gameFound && !otherProblem && (!located.UserData || source.Outcome.Termination)) {
        source.GameMissing = true;
        source.Looked = LookedPlaces(located, platform, source.Outcome);
        const std::vector<std::string> searched = SearchedPlaces(location);
        source.Looked.insert(source.Looked.end(), searched.begin(), searched.end());
        source.Outcome.Termination = kUserDataNotFound;
        return source;
    }
    source.Documents = platform.Documents.value_or(source.Outcome.State.UserDataFolder);
    return source;
}

}  // namespace kinloom
