// check: the neighborhood health check from a terminal, and its safe mends.

#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/Cli.h"
#include "cli/CliCommon.h"
#include "core/health/Mending.h"
#include "core/health/NeighborhoodHealth.h"
#include "core/maintenance/Backups.h"
#include "core/platform/FileOps.h"
#include "core/platform/Settings.h"

namespace kinloom::cli {
namespace {

namespace fs = std::filesystem;

// The tool has no desktop trash: a backup that would replace one taken in the same second fails
// instead of deleting it.
class NoTrashFileOps final : public FilesystemFileOps {
public:
    bool DeleteToTrash(const fs::path&) override { return false; }
};

std::string Flat(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return text;
}

void PrintFindings(const HealthReport& report, bool json, std::ostream& out) {
    if (json) {
        nlohmann::ordered_json all = nlohmann::ordered_json::array();
        for (const Finding& f : report.Findings) {
            nlohmann::ordered_json j;
            j["severity"] = SeverityName(f.Level);
            j["kind"] = FindingKindName(f.Kind);
            j["subject"] = f.Subject;
            j["explanation"] = f.Explanation;
            j["mendable"] = f.Mendable;
            all.push_back(std::move(j));
        }
        nlohmann::ordered_json j;
        j["problems"] = report.Count(Severity::Problem);
        j["warnings"] = report.Count(Severity::Warning);
        j["notes"] = report.Count(Severity::Note);
        j["findings"] = std::move(all);
        out << j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
        return;
    }
    for (const Finding& f : report.Findings)
        out << SeverityName(f.Level) << '\t' << FindingKindName(f.Kind) << '\t' << Flat(f.Subject)
            << '\t' << Flat(f.Explanation) << '\t' << (f.Mendable ? "mendable" : "-") << '\n';
}

// Where a backup goes: the default archive of the documents folder that holds the game's
// user-data folder ("Documents/EA Games/The Sims 2"), else of the user-data folder itself, as
// the window does when it knows no documents folder.
fs::path ArchiveDocuments(const fs::path& userData) {
    const fs::path eaGames = userData.parent_path();
    if (eaGames.filename() == "EA Games" || eaGames.filename() == "EA GAMES")
        return eaGames.parent_path();
    return userData;
}

}  // namespace

int Check(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    StartupArguments parsed;
    std::vector<std::string> positional, flags;
    if (!Discovery(args, parsed, positional, flags, err)) return kUsage;
    bool json = false, fix = false, dryRun = false, force = false;
    if (!TakeFlags(
            flags,
            {{"--json", &json}, {"--fix", &fix}, {"--dry-run", &dryRun}, {"--force", &force}}, err))
        return kUsage;
    if (positional.size() != 1 || ((dryRun || force) && !fix)) {
        err << "kinloom-cli: usage: check NEIGHBORHOOD [--json] [--fix [--dry-run] [--force]] "
               "[discovery options]\n";
        return kUsage;
    }
    StreamMessages messages(err);
    Opened opened;
    if (int code = OpenNeighborhood(parsed, positional[0], opened, messages, err)) return code;

    if (!fix) {
        const HealthReport report = CheckNeighborhood(opened.State);
        PrintFindings(report, json, out);
        return report.HasProblem() ? kProblemsFound : kOk;
    }
    if (int code = RefuseWhileGameRuns(dryRun, force, err)) return code;

    MemorySettings settings;
    NoTrashFileOps files;
    const fs::path documents = ArchiveDocuments(opened.UserDataFolder);
    Backups backups({opened.State.Selected.PackagePath.parent_path().parent_path(), documents,
                     opened.GameLanguage},
                    settings, messages, files);
    EditingContext context{messages, opened.GameLanguage, {}, {}};
    const MendOutcome outcome = MendSafeProblems(
        opened.State, context,
        [&] {
            const bool made = backups.BackupNeighborhood(opened.State.Selected).Succeeded;
            if (made) err << "Backup made in " << backups.ArchiveFolder().string() << '\n';
            return made;
        },
        dryRun);
    for (const std::string& change : outcome.Plan.Changes)
        err << (outcome.Mended ? "Mended: " : "Would mend: ") << change << '\n';
    if (outcome.Plan.Empty()) err << "Nothing to mend safely.\n";
    if (outcome.Failure) {
        messages.Show(*outcome.Failure);
        return kNotSaved;
    }
    PrintFindings(outcome.After, json, out);
    return outcome.After.HasProblem() ? kProblemsFound : kOk;
}

}  // namespace kinloom::cli
