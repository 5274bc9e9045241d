#include "cli/Cli.h"

#include "cli/CliCommon.h"

#include <charconv>
#include <ostream>

#include "core/editing/CharacterFields.h"
#include "core/neighborhoods/Discovery.h"
#include "core/packages/Compression.h"
#include "core/packages/Package.h"
#include "core/packages/Utf8.h"
#include "core/platform/FileIO.h"
#include "core/platform/Messages.h"
#include "core/platform/Paths.h"
#include "core/platform/ProgramVersion.h"
#include "core/startup/StartupSource.h"

namespace kinloom::cli {
namespace {

constexpr const char* kUsageText =
    "usage: kinloom-cli COMMAND ARGS\n"
    "  index PACKAGE            list the package index (tab-separated)\n"
    "  cat PACKAGE POSITION     write the plain content of one listed entry to standard output\n"
    "  decompress PACKAGE       rewrite the package with every entry stored plain\n"
    "  neighborhoods [--all] [--verbose] [--user-data DIR] [--wine-prefix DIR] [/l N]\n"
    "                           list the game's neighborhoods: folder, name, version, package;\n"
    "                           --all: every copy of the game found instead: edition, launcher,\n"
    "                           prefix, user-data folder, number of neighborhoods; --verbose:\n"
    "                           also the packs, language and user-data folder found (stderr)\n"
    "  demo DIR [--sims N [--every-pair]]\n"
    "                           write the demo user-data folder (N generated sims in N001;\n"
    "                           --every-pair: every sim knows every other, N up to 1000)\n"
    "  sims NEIGHBORHOOD [discovery options]\n"
    "                           the sims in list order: label, file, GUID, instance, household\n"
    "  show NEIGHBORHOOD SIM [discovery options]\n"
    "                           one sim's record as JSON (SIM: file name, GUID or label): every\n"
    "                           stored field, Storable, then what the window shows for codes and\n"
    "                           units: FIELDName (CareerName, JobsName, AspirationName, ...) and\n"
    "                           FIELDShown (PTOShown in days, GPAShown, reward points whole)\n"
    "  set NEIGHBORHOOD SIM FIELD=VALUE... [--dry-run] [--force] [discovery options]\n"
    "                           change fields and save (refused while the game runs, unless\n"
    "                           --force); --dry-run shows the changes and writes nothing\n"
    "  export-clone NEIGHBORHOOD SIM FILE [--replace] [discovery options]\n"
    "                           write the sim's clone file (FILE gets the extension \".clone\";\n"
    "                           an existing file is kept unless --replace)\n"
    "  import-clone NEIGHBORHOOD SIM FILE [--groups LIST] [--dry-run] [--force]\n"
    "               [discovery options]\n"
    "                           take a clone file's groups (or a package's body) over into the\n"
    "                           sim and save, as set does; LIST: all (the default) or some of\n"
    "                           character,personality,aspiration,skills,interests,job,body,\n"
    "                           university,genes,attraction,hobbies,needs\n"
    "  check NEIGHBORHOOD [--json] [--fix [--dry-run] [--force]] [discovery options]\n"
    "                           the health check: one finding per line (severity, kind, subject,\n"
    "                           explanation, mendable), exit 7 when there is a problem; --fix\n"
    "                           backs the neighborhood up, drops references to sims that exist\n"
    "                           nowhere, saves and checks again; --dry-run says what it would\n"
    "  export NEIGHBORHOOD (--csv FILE | --json FILE) [--replace] [discovery options]\n"
    "                           write every sim, one row per sim in list order, with the fields\n"
    "                           show gives (the readable ones last), as CSV for spreadsheets or\n"
    "                           as a JSON array (an existing file is kept unless --replace)\n"
    "  discovery options: --user-data DIR, --wine-prefix DIR, /l N\n"
    "set and import-clone refuse (exit 1, nothing written) an edit a save would not store: a\n"
    "field the sim's description version does not hold, a field of a sim without a description,\n"
    "a name when the sim's package holds no name list, or one of these fields, which no save\n"
    "ever writes back:\n";

// The fields show lists but no save writes, wrapped under the usage text.
std::string NeverStoredFields() {
    std::string text, line = " ";
    for (const CharacterField& f : CharacterFields()) {
        if (EverStored(f)) continue;
        if (line.size() + 1 + std::string(f.Name).size() > 92) {
            text += line + "\n";
            line = " ";
        }
        line += " ";
        line += f.Name;
    }
    return text + line + "\n";
}

std::string UsageText() {
    return kUsageText + NeverStoredFields();
}

// Opens a package and insists on a usable index; reports and returns false otherwise.
bool OpenPackage(const std::string& file, Package& package, std::ostream& err) {
    try {
        package = Package::Open(PathFromUtf8(file));
    } catch (const FileError& e) {
        err << "kinloom-cli: " << e.what() << '\n';
        return false;
    } catch (const ReadError& e) {
        err << "kinloom-cli: An Index Error was found in " << file << " (" << e.what() << ")\n";
        return false;
    }
    if (package.EntrySize == 0) {
        err << "kinloom-cli: An Index Error was found in " << file << '\n';
        return false;
    }
    return true;
}

int Index(const std::string& file, std::ostream& out, std::ostream& err) {
    Package p;
    if (!OpenPackage(file, p, err)) return kUnreadable;
    for (std::size_t i = 0; i < p.Entries.size(); ++i) {
        const PackageIndexEntry& e = p.Entries[i];
        out << i << '\t' << TypeIdText(e.Type) << '\t' << TypeIdText(e.Group) << '\t'
            << TypeIdText(e.Instance) << '\t'
            << (p.EntrySize == 24 ? TypeIdText(e.InstanceHigh) : std::string("-")) << '\t'
            << e.Offset << '\t' << e.Size << '\n';
    }
    return kOk;
}

int Cat(const std::string& file, const std::string& positionText, std::ostream& out,
        std::ostream& err) {
    std::size_t position = 0;
    const char* end = positionText.data() + positionText.size();
    auto [ptr, ec] = std::from_chars(positionText.data(), end, position);
    if (ec != std::errc() || ptr != end) {
        err << "kinloom-cli: not a position: " << positionText << '\n';
        return kUsage;
    }
    Package p;
    if (!OpenPackage(file, p, err)) return kUnreadable;
    if (position >= p.Entries.size()) {
        err << "kinloom-cli: " << file << " lists " << p.Entries.size()
            << " entries; there is no position " << position << '\n';
        return kUnreadable;
    }
    StreamMessages messages(err);
    Bytes content;
    try {
        if (!DecompressEntry(p.Data, p.Entries[position], content, messages)) return kDecompression;
    } catch (const ReadError& e) {
        err << "kinloom-cli: Decompression Error in " << file << ": " << e.what() << '\n';
        return kDecompression;
    }
    out.write(reinterpret_cast<const char*>(content.data()),
              static_cast<std::streamsize>(content.size()));
    return out ? kOk : kUnreadable;
}

int Decompress(const std::string& file, std::ostream& err) {
    Package p;
    if (!OpenPackage(file, p, err)) return kUnreadable;
    StreamMessages messages(err);
    try {
        DecompressPackage(PathFromUtf8(file), messages);
    } catch (const FileError& e) {
        err << "kinloom-cli: " << e.what() << '\n';
        return kUnreadable;
    } catch (const IndexError&) {
        err << "kinloom-cli: An Index Error was found in " << file << " (left unchanged)\n";
        return kUnreadable;
    } catch (const ReadError& e) {
        err << "kinloom-cli: Decompression Error in " << file << ": " << e.what()
            << " (left unchanged)\n";
        return kDecompression;
    } catch (const DecompressionError& e) {
        err << "kinloom-cli: Decompression Error in " << file << ": " << e.what()
            << " (left unchanged)\n";
        return kDecompression;
    }
    return kOk;
}

// One field of a tab-separated line: line breaks and tabs in a name would split it.
std::string Field(std::string text) {
    for (char& c : text) {
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    }
    return text;
}

// Every copy of the game found: edition, launcher, prefix, user-data folder, neighborhoods.
int AllCopies(const StartupArguments& parsed, std::ostream& out, std::ostream& err) {
    const GameLocation location = AllGameCopies(parsed, LauncherHome::FromEnvironment());
    for (const GameCopy& copy : location.Found.Copies) {
        out << Field(copy.Edition) << '\t' << Field(copy.Launcher.empty() ? "-" : copy.Launcher)
            << '\t' << (copy.WinePrefix ? copy.WinePrefix->string() : std::string("-")) << '\t'
            << copy.UserDataFolder.string() << '\t' << copy.NeighborhoodCount << '\n';
    }
    if (!location.Found.Copies.empty()) return kOk;
    StreamMessages messages(err);
    messages.Show(kUserDataNotFound);
    for (const std::string& place : SearchedPlaces(location)) err << "  " << place << '\n';
    return kNoNeighborhoods;
}

int Neighborhoods(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::vector<std::string> options;
    bool all = false;
    bool verbose = false;
    for (const std::string& a : args) {
        if (a == "--all")
            all = true;
        else if (a == "--verbose")
            verbose = true;
        else
            options.push_back(a);
    }
    StartupArguments parsed = ParseStartupArguments(options);
    bool understood = !parsed.Error;
    for (std::size_t i = 0; understood && i < parsed.Rest.size(); ++i) {
        if (parsed.Rest[i] == "/l" || parsed.Rest[i] == "/L")
            ++i;  // its number, read by the discovery itself
        else
            understood = false;
    }
    if (!understood) {
        if (parsed.Error) err << "kinloom-cli: " << *parsed.Error << '\n';
        err << UsageText();
        return kUsage;
    }
    if (all) return AllCopies(parsed, out, err);

    StartupOutcome outcome = DiscoverFromArguments(parsed);

    StreamMessages messages(err);
    for (const std::string& text : outcome.Messages) messages.Show(text);
    const StartupState& state = outcome.State;
    for (const Neighborhood& n : state.Neighborhoods) {
        out << Field(n.FolderName) << '\t' << Field(EncodeUtf8(DecodeUtf8(n.NGBDName))) << '\t'
            << Field(n.NGBDVersion) << '\t' << n.PackagePath.string() << '\n';
    }
    // What discovery concluded, for a player checking why a pack or language is not seen.
    const ExpansionFlags& p = state.Packs;
    if (verbose) {
        err << "HasUniversity=" << p.HasUniversity << " HasNightlife=" << p.HasNightlife
            << " HasBusiness=" << p.HasBusiness << " HasPets=" << p.HasPets
            << " HasSeasons=" << p.HasSeasons << " HasBonVoyage=" << p.HasBonVoyage
            << " HasFreeTime=" << p.HasFreeTime << '\n';
        err << "GameLanguage=" << state.GameLanguage << '\n';
        err << "UserDataFolder=" << state.UserDataFolder.string() << '\n';
    }
    if (outcome.Termination) {
        messages.Show(*outcome.Termination);
        return state.Neighborhoods.empty() && *outcome.Termination != kNeighborhoodAccessFailure
                   ? kNoNeighborhoods
                   : kUnreadable;
    }
    return kOk;
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        (args.empty() ? err : out) << UsageText();
        return args.empty() ? kUsage : kOk;
    }
    if (args[0] == "--version") {
        out << "kinloom-cli " << ProgramVersionText() << '\n';
        return kOk;
    }
    const std::string& command = args[0];
    if (command == "index" && args.size() == 2) return Index(args[1], out, err);
    if (command == "cat" && args.size() == 3) return Cat(args[1], args[2], out, err);
    if (command == "decompress" && args.size() == 2) return Decompress(args[1], err);
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "demo") return Demo(rest, out, err);
    if (command == "sims") return Sims(rest, out, err);
    if (command == "check") return Check(rest, out, err);
    if (command == "show") return Show(rest, out, err);
    if (command == "set") return Set(rest, out, err);
    if (command == "export-clone") return ExportCloneCommand(rest, out, err);
    if (command == "import-clone") return ImportCloneCommand(rest, out, err);
    if (command == "export") return Export(rest, out, err);
    if (command == "neighborhoods")
        return Neighborhoods(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
    err << UsageText();
    return kUsage;
}

}  // namespace kinloom::cli
