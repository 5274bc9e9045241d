#include "core/startup/StartupSource.h"

#include <cstdlib>
#include <system_error>

#include "core/demo/DemoWriter.h"

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

}  // namespace

StartupSource DiscoverStartupSource(const StartupRequest& request) {
    const StartupArguments parsed = ParseStartupArguments(request.Arguments);
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
    // A folder named on the command line is the user's choice: its problems are reported.
    if (!parsed.UserData && !gameFound) return OpenDemo(request, parsed.Rest);
    source.Documents = platform.Documents.value_or(source.Outcome.State.UserDataFolder);
    return source;
}

}  // namespace kinloom
