#include "core/startup/StartupSource.h"

#include <cstdlib>
#include <system_error>

#include "core/demo/DemoWriter.h"
#include "core/platform/Settings.h"

namespace kinloom {

namespace fs = std::filesystem;

fs::path DefaultDemoFolder() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return fs::path(xdg) / "kinloom" / "demo";
    if (const char* home = std::getenv("HOME"); home && *home)
        return fs::path(home) / ".local" / "share" / "kinloom" / "demo";
    return fs::temp_directory_path() / "kinloom" / "demo";
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
    if (choice.UserData) {
        settings.WriteText(kGameUserDataSetting, choice.UserData->string());
        settings.WriteText(kGameWinePrefixSetting, "");
    } else if (choice.WinePrefix) {
        settings.WriteText(kGameWinePrefixSetting, choice.WinePrefix->string());
        settings.WriteText(kGameUserDataSetting, "");
    }
}

namespace {

// The remembered choice as folder options, when none were given and the choice still exists.
StartupArguments WithRemembered(StartupArguments parsed, const Settings* stored) {
    if (!stored || parsed.UserData || parsed.WinePrefix) return parsed;
    std::error_code ec;
    const std::string userData = stored->ReadText(kGameUserDataSetting).value_or("");
    if (!userData.empty() && fs::is_directory(fs::path(userData) / "Neighborhoods", ec)) {
        parsed.UserData = fs::path(userData);
        return parsed;
    }
    const char* variable = std::getenv("WINEPREFIX");
    const std::string prefix = stored->ReadText(kGameWinePrefixSetting).value_or("");
    if ((!variable || !*variable) && !prefix.empty() && fs::is_directory(prefix, ec))
        parsed.WinePrefix = fs::path(prefix);
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

    GamePlatform platform = request.Platform ? request.Platform(parsed.WinePrefix)
                                             : OpenGamePlatform(parsed.WinePrefix);
    StartupInputs inputs;
    inputs.Registry = platform.Registry.get();
    inputs.Documents = platform.Documents;
    inputs.UserData = parsed.UserData;
    inputs.Stored = request.Stored;
    inputs.Arguments = parsed.Rest;

    StartupSource source;
    if (inputs.Registry) source.Outcome = DiscoverStartup(inputs);
    std::error_code ec;
    const bool gameFound = inputs.Registry && !source.Outcome.State.NeighborhoodsFolder.empty() &&
                           fs::is_directory(source.Outcome.State.NeighborhoodsFolder, ec);
    // Another problem (several folders and nothing to choose by) is reported as it stands.
    const bool otherProblem =
        source.Outcome.Termination && *source.Outcome.Termination != kUserDataNotFound;
    if (!gameFound && !otherProblem && (!parsed.UserData || source.Outcome.Termination)) {
        source.GameMissing = true;
        source.Looked = LookedPlaces(parsed, platform, source.Outcome);
        source.Outcome.Termination = kUserDataNotFound;
        return source;
    }
    source.Documents = platform.Documents.value_or(source.Outcome.State.UserDataFolder);
    return source;
}

}  // namespace kinloom
