// kinloom-cli commands on a loaded neighborhood: demo, sims, show, set.

#include <algorithm>
#include <charconv>
#include <nlohmann/json.hpp>

#include "cli/Cli.h"
#include "cli/CliCommon.h"
#include "core/careers/Careers.h"
#include "core/demo/DemoWriter.h"
#include "core/editing/CharacterFields.h"
#include "core/editing/LoadNeighborhood.h"
#include "core/editing/SaveNeighborhood.h"
#include "core/editing/SimExport.h"
#include "core/neighborhoods/Discovery.h"
#include "core/packages/Utf8.h"
#include "core/platform/GameProcess.h"
#include "core/platform/Paths.h"
#include "core/startup/StartupSource.h"

namespace kinloom::cli {
namespace {

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string GuidText(const FourBytes& guid) {
    return IdText(guid);
}

}  // namespace

bool Discovery(const std::vector<std::string>& args, StartupArguments& parsed,
               std::vector<std::string>& positional, std::vector<std::string>& flags,
               std::ostream& err) {
    parsed = ParseStartupArguments(args);
    if (parsed.Error) {
        err << "kinloom-cli: " << *parsed.Error << '\n';
        return false;
    }
    std::vector<std::string> language;
    for (std::size_t i = 0; i < parsed.Rest.size(); ++i) {
        const std::string& a = parsed.Rest[i];
        if ((a == "/l" || a == "/L") && i + 1 < parsed.Rest.size()) {
            language = {a, parsed.Rest[i + 1]};
            ++i;
        } else if (a.starts_with("--")) {
            flags.push_back(a);
        } else {
            positional.push_back(a);
        }
    }
    parsed.Rest = language;
    return true;
}

int OpenNeighborhood(const StartupArguments& parsed, const std::string& folder, Opened& opened,
                     Messages& messages, std::ostream& err) {
    StartupOutcome outcome = DiscoverFromArguments(parsed);
    for (const std::string& text : outcome.Messages) messages.Show(text);
    if (outcome.Termination) {
        messages.Show(*outcome.Termination);
        return kNoNeighborhoods;
    }
    const Neighborhood* found = nullptr;
    for (const Neighborhood& n : outcome.State.Neighborhoods)
        if (Lower(n.FolderName) == Lower(folder)) found = &n;
    if (!found) {
        err << "kinloom-cli: no neighborhood " << folder << " in "
            << outcome.State.NeighborhoodsFolder.string() << '\n';
        return kUsage;
    }
    opened.GameLanguage = outcome.State.GameLanguage;
    opened.Packs = outcome.State.Packs;
    opened.UserDataFolder = outcome.State.UserDataFolder;
    EditingContext context{messages, opened.GameLanguage, {}, {}};
    LoadOutcome loaded = LoadNeighborhood(*found, opened.State, LabelForm::FirstName, context);
    if (!loaded.Loaded) {
        if (loaded.Failure) messages.Show(*loaded.Failure);
        err << "kinloom-cli: " << folder << " could not be loaded\n";
        return kUnreadable;
    }
    return kOk;
}

int SaveEdited(Opened& opened, const Character& sim, bool dryRun, Messages& messages,
               std::ostream& out) {
    if (dryRun) {
        out << "dry run: would rewrite " << opened.State.Selected.PackagePath.string() << " and "
            << sim.FilePath.string() << '\n';
        return kOk;
    }
    EditingContext context{messages, opened.GameLanguage, {}, {}};
    SaveOutcome saved = SaveNeighborhood(opened.State, context);
    if (!saved.Saved) {
        messages.Show(saved.Failure.value_or("The neighborhood was not saved."));
        return kNotSaved;
    }
    if (saved.Notice) messages.Show(*saved.Notice);
    out << "saved\n";
    return kOk;
}

int RefuseWhileGameRuns(bool dryRun, bool force, std::ostream& err) {
    if (dryRun) return kOk;
    const auto running = RunningGameProcesses();
    if (running.empty()) return kOk;
    err << "kinloom-cli: " << StreamMessages::Flat(kGameRunningWarning) << '\n';
    for (const std::string& p : running) err << "  " << p << '\n';
    if (force) return kOk;
    err << "kinloom-cli: nothing was written (use --force to save anyway)\n";
    return kRefused;
}

int OpenSim(const StartupArguments& parsed, const std::string& folder, const std::string& name,
            Opened& opened, Character*& sim, Messages& messages, std::ostream& err) {
    sim = nullptr;
    if (int code = OpenNeighborhood(parsed, folder, opened, messages, err)) return code;
    sim = FindSim(opened.State, name);
    if (sim) return kOk;
    err << "kinloom-cli: no sim " << name << " in " << folder << '\n';
    return kUsage;
}

Character* FindSim(const LoadedNeighborhood& state, const std::string& sim) {
    const std::string wanted = Lower(sim);
    // The whole file name first: the shown one is cut to 28 characters and may fit several sims.
    for (Character* c : state.Sims) {
        const std::string file = Lower(c->FilePath.filename().string());
        if (!file.empty() && (file == wanted || file == wanted + ".package")) return c;
    }
    for (Character* c : state.Sims) {
        const std::string file = Lower(c->FileName);
        if (file == wanted || file == wanted + ".package") return c;
        if (Lower(GuidText(c->GUID)) == wanted) return c;
        for (LabelForm form : {LabelForm::FirstName, LabelForm::File, LabelForm::LastName})
            if (EncodeUtf8(SimLabel(*c, form)) == sim) return c;
    }
    return nullptr;
}

namespace {

nlohmann::ordered_json RecordJson(const Character& sim) {
    nlohmann::ordered_json j;
    for (const CharacterField& f : CharacterFields()) {
        const std::string text = FieldText(sim, f);
        switch (f.Kind) {
            case FieldKind::Int16:
            case FieldKind::UInt16:
            case FieldKind::UInt32:
                j[f.Name] = std::stoll(text);
                break;
            case FieldKind::Flag:
                j[f.Name] = text == "true";
                break;
            default:
                j[f.Name] = text;
                break;
        }
    }
    // What a save would write back for this sim, so a script can tell before it sets anything.
    nlohmann::ordered_json storable = nlohmann::ordered_json::array();
    for (const CharacterField& f : CharacterFields())
        if (!WhyNotStorable(sim, f)) storable.push_back(f.Name);
    j["Storable"] = std::move(storable);
    // The names and units the window shows, after every stored key, as the export gives them.
    nlohmann::ordered_json readable = nlohmann::ordered_json::parse(ReadableFieldsJson(sim));
    for (auto& [name, value] : readable.items()) j[name] = std::move(value);
    return j;
}

}  // namespace

StartupOutcome DiscoverFromArguments(const StartupArguments& parsed) {
    const GameLocation location = LocateGame(parsed, LauncherHome::FromEnvironment());
    if (location.Found.Copies.size() > 1) {
        StartupOutcome several;
        several.Termination = SeveralCopiesText(location.Found.Copies);
        return several;
    }
    GamePlatform platform = OpenGamePlatform(location.Arguments.WinePrefix, location.Registry);
    StartupInputs inputs;
    inputs.Registry = platform.Registry.get();
    inputs.Documents = platform.Documents;
    inputs.UserData = location.Arguments.UserData;
    inputs.Arguments = parsed.Rest;
    return DiscoverStartup(inputs);
}

int Demo(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    DemoOptions options;
    std::optional<std::string> folder;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--sims" && i + 1 < args.size()) {
            const std::string& n = args[++i];
            auto [ptr, ec] = std::from_chars(n.data(), n.data() + n.size(), options.Sims);
            if (ec != std::errc() || ptr != n.data() + n.size() || options.Sims < 1 ||
                options.Sims > 5000) {
                err << "kinloom-cli: --sims wants a number from 1 to 5000\n";
                return kUsage;
            }
        } else if (args[i] == "--every-pair") {
            options.EveryPairRelated = true;
        } else if (!folder && !args[i].starts_with("--")) {
            folder = args[i];
        } else {
            err << "kinloom-cli: usage: demo DIR [--sims N [--every-pair]]\n";
            return kUsage;
        }
    }
    if (!folder) {
        err << "kinloom-cli: usage: demo DIR [--sims N [--every-pair]]\n";
        return kUsage;
    }
    // n sims related pairwise make n * (n - 1) entries: a thousand sims already make 68 MB.
    if (options.EveryPairRelated && (options.Sims < 1 || options.Sims > 1000)) {
        err << "kinloom-cli: --every-pair wants --sims N with N from 1 to 1000\n";
        return kUsage;
    }
    try {
        WriteDemoUserData(PathFromUtf8(*folder), options);
    } catch (const DemoError& e) {
        err << "kinloom-cli: " << e.what() << '\n';
        return kUsage;
    } catch (const std::exception& e) {
        err << "kinloom-cli: the demo folder could not be written: " << e.what() << '\n';
        return kUnreadable;
    }
    out << *folder << '\n';
    return kOk;
}

int Sims(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    StartupArguments parsed;
    std::vector<std::string> positional, flags;
    if (!Discovery(args, parsed, positional, flags, err)) return kUsage;
    if (positional.size() != 1 || !flags.empty()) {
        err << "kinloom-cli: usage: sims NEIGHBORHOOD [discovery options]\n";
        return kUsage;
    }
    StreamMessages messages(err);
    Opened opened;
    if (int code = OpenNeighborhood(parsed, positional[0], opened, messages, err)) return code;
    for (const Character* sim : opened.State.Sims) {
        out << EncodeUtf8(SimLabel(*sim, opened.State.Form)) << '\t'
            << sim->FilePath.filename().string() << '\t' << GuidText(sim->GUID) << '\t';
        if (sim->DescriptionInstance == kNoDescription)
            out << '-';
        else
            out << sim->DescriptionInstance;
        out << '\t' << sim->FamilyNumber << '\n';
    }
    return kOk;
}

int Show(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    StartupArguments parsed;
    std::vector<std::string> positional, flags;
    if (!Discovery(args, parsed, positional, flags, err)) return kUsage;
    if (positional.size() != 2 || !flags.empty()) {
        err << "kinloom-cli: usage: show NEIGHBORHOOD SIM [discovery options]\n";
        return kUsage;
    }
    StreamMessages messages(err);
    Opened opened;
    Character* sim = nullptr;
    if (int code = OpenSim(parsed, positional[0], positional[1], opened, sim, messages, err))
        return code;
    // Names are the game's bytes; anything that is not UTF-8 is shown replaced, not refused.
    out << RecordJson(*sim).dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    return kOk;
}

int Set(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    StartupArguments parsed;
    std::vector<std::string> positional, flags;
    if (!Discovery(args, parsed, positional, flags, err)) return kUsage;
    bool dryRun = false, force = false;
    if (!TakeFlags(flags, {{"--dry-run", &dryRun}, {"--force", &force}}, err)) return kUsage;
    if (positional.size() < 3) {
        err << "kinloom-cli: usage: set NEIGHBORHOOD SIM FIELD=VALUE... [--dry-run] [--force]\n";
        return kUsage;
    }

    // Every assignment is checked before anything is loaded or written.
    struct Assignment {
        const CharacterField* field;
        std::string value;
    };
    std::vector<Assignment> assignments;
    for (std::size_t i = 2; i < positional.size(); ++i) {
        const std::string& a = positional[i];
        const std::size_t eq = a.find('=');
        const CharacterField* field =
            eq == std::string::npos ? nullptr : FindCharacterField(a.substr(0, eq));
        if (!field) {
            err << "kinloom-cli: not a field: " << a.substr(0, eq) << '\n';
            return kUsage;
        }
        Character probe;
        if (auto problem = SetFieldText(probe, *field, a.substr(eq + 1))) {
            err << "kinloom-cli: " << field->Name << ": " << *problem << '\n';
            return kUsage;
        }
        assignments.push_back({field, a.substr(eq + 1)});
    }

    if (int code = RefuseWhileGameRuns(dryRun, force, err)) return code;

    StreamMessages messages(err);
    Opened opened;
    Character* sim = nullptr;
    if (int code = OpenSim(parsed, positional[0], positional[1], opened, sim, messages, err))
        return code;
    // Refused before anything is written when a save would not keep every assignment.
    Character edited = *sim;
    for (const Assignment& a : assignments) SetFieldText(edited, *a.field, a.value);
    std::vector<std::string> problems;
    for (const Assignment& a : assignments)
        if (auto why = WhyNotStorable(edited, *a.field)) problems.push_back(*why);
    for (const std::string& why : UnstorableChanges(*sim, edited))
        if (std::find(problems.begin(), problems.end(), why) == problems.end())
            problems.push_back(why);
    if (!problems.empty()) {
        for (const std::string& why : problems) err << "kinloom-cli: " << why << '\n';
        err << "kinloom-cli: nothing was written\n";
        return kUsage;
    }
    for (const Assignment& a : assignments)
        out << a.field->Name << ": " << FieldText(*sim, *a.field) << " -> "
            << FieldText(edited, *a.field) << '\n';
    *sim = std::move(edited);
    sim->Modified = true;
    return SaveEdited(opened, *sim, dryRun, messages, out);
}

}  // namespace kinloom::cli
