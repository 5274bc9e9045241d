// kinloom-cli commands of the Cloning Lab: export-clone and import-clone.

#include <algorithm>
#include <filesystem>

#include "cli/Cli.h"
#include "cli/CliCommon.h"
#include "core/cloning/Cloning.h"
#include "core/editing/CharacterFields.h"
#include "core/platform/Paths.h"

namespace kinloom::cli {
namespace {

namespace fs = std::filesystem;

// Messages to the error stream; the one question (replacing a file) answered as told beforehand.
class AnsweredMessages final : public Messages {
public:
    AnsweredMessages(std::ostream& err, bool answer) : err_(err), answer_(answer) {}
    void Show(const std::string& text) override { err_ << StreamMessages::Flat(text) << '\n'; }
    bool AskOkCancel(const std::string& text, DefaultAnswer = DefaultAnswer::No) override {
        return Answer(text);
    }
    bool AskYesNo(const std::string& text, DefaultAnswer = DefaultAnswer::No) override {
        return Answer(text);
    }
    UnsavedAnswer AskSaveDiscardCancel(const std::string& text) override {
        err_ << StreamMessages::Flat(text) << " (answered Cancel)\n";
        return UnsavedAnswer::Cancel;
    }

private:
    bool Answer(const std::string& text) {
        err_ << StreamMessages::Flat(text)
             << (answer_ ? " (answered OK)\n" : " (answered Cancel)\n");
        return answer_;
    }
    std::ostream& err_;
    bool answer_;
};

// The names --groups takes, one per tick box of the Cloning Lab.
struct GroupName {
    const char* name;
    bool CloneGroups::*group;
};
constexpr GroupName kGroupNames[] = {
    {"character", &CloneGroups::Character},
    {"personality", &CloneGroups::Personality},
    {"aspiration", &CloneGroups::Aspiration},
    {"skills", &CloneGroups::Skills},
    {"interests", &CloneGroups::Interests},
    {"job", &CloneGroups::Job},
    {"body", &CloneGroups::Body},
    {"university", &CloneGroups::University},
    {"genes", &CloneGroups::Genes},
    {"attraction", &CloneGroups::Attraction},
    {"hobbies", &CloneGroups::Hobbies},
    {"needs", &CloneGroups::Needs},
};

std::string GroupList(const CloneGroups& groups) {
    std::string list;
    for (const GroupName& g : kGroupNames)
        if (groups.*g.group) list += (list.empty() ? "" : ",") + std::string(g.name);
    return list;
}

// "all" or names separated by commas; the error text for a name that is not one.
std::optional<std::string> ParseGroups(const std::string& text, CloneGroups& groups) {
    groups = {};
    if (text == "all") {
        groups = CloneGroups::All();
        return std::nullopt;
    }
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string name = text.substr(start, comma - start);
        const auto found = std::find_if(std::begin(kGroupNames), std::end(kGroupNames),
                                        [&](const GroupName& g) { return name == g.name; });
        if (found == std::end(kGroupNames))
            return "not a group: \"" + name + "\" (groups: all or " +
                   GroupList(CloneGroups::All()) + ")";
        groups.*found->group = true;
        start = comma + 1;
    }
    return std::nullopt;
}

// Takes "--groups LIST" (or "--groups=LIST") out of the arguments.
bool TakeGroupsOption(std::vector<std::string>& args, std::optional<std::string>& list,
                      std::ostream& err) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::optional<std::string> value;
        if (args[i] == "--groups") {
            if (i + 1 >= args.size()) {
                err << "kinloom-cli: --groups wants a list of groups\n";
                return false;
            }
            value = args[i + 1];
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                       args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        } else if (args[i].starts_with("--groups=")) {
            value = args[i].substr(9);
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            continue;
        }
        if (list) {
            err << "kinloom-cli: --groups is given twice\n";
            return false;
        }
        list = value;
        --i;
    }
    return true;
}

bool ExistingFile(const fs::path& file) {
    std::error_code ec;
    return fs::is_regular_file(file, ec);
}

std::string LowerExtension(const fs::path& file) {
    std::string ext = file.extension().string();
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return ext;
}

}  // namespace

int ExportCloneCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    StartupArguments parsed;
    std::vector<std::string> positional, flags;
    if (!Discovery(args, parsed, positional, flags, err)) return kUsage;
    bool replace = false;
    if (!TakeFlags(flags, {{"--replace", &replace}}, err)) return kUsage;
    if (positional.size() != 3) {
        err << "kinloom-cli: usage: export-clone NEIGHBORHOOD SIM FILE [--replace]\n";
        return kUsage;
    }
    // As the window saves it: whatever extension was typed, the clone is a ".clone".
    const fs::path target = CloneTargetPath(PathFromUtf8(positional[2]));
    std::error_code ec;
    if (fs::exists(target, ec) && !replace) {
        err << "kinloom-cli: " << target.string()
            << " already exists; nothing was written (use --replace to replace it)\n";
        return kRefused;
    }

    AnsweredMessages messages(err, replace);
    Opened opened;
    Character* sim = nullptr;
    if (int code = OpenSim(parsed, positional[0], positional[1], opened, sim, messages, err))
        return code;
    const CloningButtons allowed = CloningButtonsFor(*sim, opened.Packs.HasPets);
    if (!allowed.CreateAClone) {
        messages.Show(allowed.Status);
        return kRefused;
    }
    CloneExportOptions options;
    options.HasFreeTime = opened.Packs.HasFreeTime;
    options.GameLanguage = opened.GameLanguage;
    if (!ExportClone(opened.State, *sim, target, options, messages)) {
        err << "kinloom-cli: no clone was written\n";
        return kNotSaved;
    }
    out << target.string() << '\n';
    return kOk;
}

int ImportCloneCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    constexpr const char* kUsageLine =
        "kinloom-cli: usage: import-clone NEIGHBORHOOD SIM FILE [--groups LIST] [--dry-run] "
        "[--force]\n";
    std::vector<std::string> rest = args;
    std::optional<std::string> groupList;
    if (!TakeGroupsOption(rest, groupList, err)) return kUsage;
    StartupArguments parsed;
    std::vector<std::string> positional, flags;
    if (!Discovery(rest, parsed, positional, flags, err)) return kUsage;
    bool dryRun = false, force = false;
    if (!TakeFlags(flags, {{"--dry-run", &dryRun}, {"--force", &force}}, err)) return kUsage;
    if (positional.size() != 3) {
        err << kUsageLine;
        return kUsage;
    }
    CloneGroups asked = CloneGroups::All();
    if (groupList) {
        if (auto problem = ParseGroups(*groupList, asked)) {
            err << "kinloom-cli: " << *problem << '\n';
            return kUsage;
        }
    }
    // Absolute, so the body source noted for the save names the same file wherever it runs from.
    std::error_code absoluteError;
    fs::path file = fs::absolute(PathFromUtf8(positional[2]), absoluteError);
    if (absoluteError) file = PathFromUtf8(positional[2]);
    if (!ExistingFile(file)) {
        err << "kinloom-cli: no file " << file.string() << '\n';
        return kUsage;
    }
    if (LowerExtension(file) == ".package" && !asked.Body) {
        err << "kinloom-cli: a package gives a body and nothing else; its import needs the body "
               "group\n";
        return kUsage;
    }

    if (int code = RefuseWhileGameRuns(dryRun, force, err)) return code;

    StreamMessages messages(err);
    Opened opened;
    Character* sim = nullptr;
    if (int code = OpenSim(parsed, positional[0], positional[1], opened, sim, messages, err))
        return code;
    // Only what the Cloning Lab offers with these packs; "all" means all of that.
    const CloneGroups offered = OfferedCloneGroups(opened.Packs);
    CloneGroups groups;
    for (const GroupName& g : kGroupNames) {
        if (!(asked.*g.group)) continue;
        if (offered.*g.group) {
            groups.*g.group = true;
        } else if (groupList && *groupList != "all") {
            err << "kinloom-cli: the group " << g.name
                << " is not offered with the expansion packs installed\n";
            return kUsage;
        }
    }
    const CloningButtons allowed = CloningButtonsFor(*sim, opened.Packs.HasPets);
    if (!allowed.GetAClone) {
        messages.Show(allowed.Status);
        return kRefused;
    }

    const Character before = *sim;
    if (!ImportClone(file, groups, *sim, opened.State.FindDNA(sim->DescriptionInstance),
                     messages)) {
        err << "kinloom-cli: nothing was imported\n";
        return kUnreadable;
    }
    // A clone taken over only partly would be reported saved while some of it was dropped.
    if (const auto problems = UnstorableChanges(before, *sim); !problems.empty()) {
        for (const std::string& why : problems) err << "kinloom-cli: " << why << '\n';
        err << "kinloom-cli: nothing was written; leave out the groups that hold these fields "
               "(--groups)\n";
        return kUsage;
    }
    out << "groups: " << GroupList(groups) << '\n';
    for (const CharacterField& f : CharacterFields()) {
        const std::string was = FieldText(before, f), now = FieldText(*sim, f);
        // The flags and the body source are the clone's own bookkeeping, told below.
        if (f.Kind == FieldKind::Flag || f.Kind == FieldKind::Path) continue;
        if (was != now) out << f.Name << ": " << was << " -> " << now << '\n';
    }
    if (const DNA* dna = opened.State.FindDNA(sim->DescriptionInstance); dna && dna->Modified)
        out << "genes: taken over into the genetics record\n";
    if (!sim->BodySourcePath.empty()) out << "body: from " << sim->BodySourcePath.string() << '\n';
    return SaveEdited(opened, *sim, dryRun, messages, out);
}

}  // namespace kinloom::cli
