#pragma once
// Start-up discovery: what the registry says about the installed game (packs, display name,
// language), where the game keeps its user data, and the neighborhoods found there. The result is
// the start-up state the whole program reads, plus the messages to show and, when start-up cannot
// go on, the text to show before the program ends.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/neighborhoods/NeighborhoodScan.h"
#include "core/platform/GameRegistry.h"
#include "core/platform/WineRegistry.h"

namespace kinloom {

class Settings;

struct LanguageChoice {
    int GameLanguage = 1;
    std::string FontName = "Arial";
    std::uint8_t FontCharset = 0;
};

// The game language, and the font that shows it, for the registry's LanguageName (compared
// regardless of case); English US for an unknown or missing name.
LanguageChoice LanguageFromName(std::string_view languageName);

// Every "/l" (either case) replaces the language by the argument after it; 1 when that is missing
// or is not a number that fits the byte the language is stored in.
int LanguageFromArguments(const std::vector<std::string>& arguments, int gameLanguage);

struct ExpansionFlags {
    bool HasUniversity = false;
    bool HasNightlife = false;  // Nightlife or the Deluxe edition
    bool HasBusiness = false;
    bool HasPets = false;
    bool HasSeasons = false;
    bool HasBonVoyage = false;
    bool HasFreeTime = false;

    bool operator==(const ExpansionFlags&) const = default;
};

ExpansionFlags ReadExpansionFlags(const GameRegistry& registry);

// The registry keys discovery reads, each with the keys below it: the game's and its packs'
// (display name, language, which packs are installed) and Explorer's shell folders (the
// documents folder). A Wine prefix's registry is read keeping only these.
RegistryKeyFilter DiscoveryRegistryKeys();

struct GameRegistration {
    std::string DisplayName;                  // empty when the registry names none
    std::optional<std::string> LanguageName;  // the last one found
};

// The display name (current user first, then local machine) and the language name of the base
// game and the packs that carry one. Once a lookup has fallen back to the local machine, the later
// ones stay there, as the game's own installers expect.
GameRegistration ReadGameRegistration(const GameRegistry& registry);

struct UserDataChoice {
    std::optional<std::filesystem::path> Folder;
    std::optional<std::string> Termination;         // several candidates and nothing to choose by
    std::vector<std::filesystem::path> Candidates;  // with Termination: the folders to choose from
};

// Every "EA Games/The Sims 2*" folder of the documents folder that holds a Neighborhoods folder,
// sorted.
std::vector<std::filesystem::path> GameUserDataFolders(
    const std::optional<std::filesystem::path>& documents);

// The start of the message when several user-data folders were found and nothing chooses one.
inline constexpr const char* kSeveralUserDataFolders = "Several game user-data folders were found:";

// The game's user-data folder in documents: "EA Games/<display name>" when that folder exists;
// otherwise the only "EA Games/The Sims 2*" folder that holds a Neighborhoods folder (players keep
// the retail game, the Ultimate Collection or the Legacy edition there); with several, the one
// named like the display name. Without any candidate, "EA Games/<display name>" all the same.
UserDataChoice ChooseUserDataFolder(const std::optional<std::filesystem::path>& documents,
                                    const std::string& displayName);

struct StartupState {
    ExpansionFlags Packs;
    int GameLanguage = 1;
    std::string LanguageFontName = "Arial";
    std::uint8_t LanguageFontCharset = 0;
    std::filesystem::path UserDataFolder;
    std::filesystem::path NeighborhoodsFolder;
    std::string LastNeighborhood;  // setting "NGBD"
    std::vector<Neighborhood> Neighborhoods;
};

struct StartupOutcome {
    StartupState State;
    std::vector<std::string> Messages;       // to show in order
    std::optional<std::string> Termination;  // to show, after which the program ends
    // With kSeveralUserDataFolders as the termination: the folders found.
    std::vector<std::filesystem::path> UserDataCandidates;
};

inline constexpr const char* kUserDataNotFound = "Unable to continue, Game User Data Not Found.";

struct StartupInputs {
    const GameRegistry* Registry = nullptr;          // required
    std::optional<std::filesystem::path> Documents;  // the user's documents folder, if known
    std::optional<std::filesystem::path> UserData;   // --user-data: skips the folder discovery
    const Settings* Stored = nullptr;                // the program's settings, if any
    std::vector<std::string> Arguments;              // the command line, for "/l"
};

// Runs the start-up discovery: packs, last neighborhood, display name, user-data folder,
// language and font, "/l", neighborhoods folder and the neighborhood list.
StartupOutcome DiscoverStartup(const StartupInputs& inputs);

// The command-line options that steer discovery; other arguments are left to the caller.
struct StartupArguments {
    std::optional<std::filesystem::path> UserData;    // --user-data DIR
    std::optional<std::filesystem::path> WinePrefix;  // --wine-prefix DIR
    std::vector<std::string> Rest;                    // everything else, in order
    std::optional<std::string> Error;                 // an option without its folder
};

StartupArguments ParseStartupArguments(const std::vector<std::string>& arguments);

// The window takes nothing beyond the discovery options and "/l N": what is wrong with the first
// argument that is neither (a mistyped option must not be ignored while the program goes on as
// if it was never given), or with "/l" missing its number; nullopt when every argument fits.
std::optional<std::string> StrayArgument(const StartupArguments& parsed);

// The game's registry and documents folder on this machine: the Windows registry and shell on
// Windows; elsewhere the Wine prefix chosen by winePrefix, $WINEPREFIX or ~/.wine.
struct GamePlatform {
    // Never changed once read, so the search and the discovery after it can share one.
    std::shared_ptr<const GameRegistry> Registry;
    std::optional<std::filesystem::path> Documents;
    std::optional<std::filesystem::path> WinePrefix;  // the prefix read, under Wine
};

// The name Wine gives the prefix's user: the Unix account's ($USER first); empty on Windows.
std::string WineUserName();

// prefixRegistry: the registry of winePrefix when it was read already (by the search that found
// the game there), taken as it is rather than read again; ignored without a winePrefix.
GamePlatform OpenGamePlatform(const std::optional<std::filesystem::path>& winePrefix,
                              std::shared_ptr<const GameRegistry> prefixRegistry = nullptr);

}  // namespace kinloom
