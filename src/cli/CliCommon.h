#pragma once
// What the command-line tool's commands share.

#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "core/editing/LoadedNeighborhood.h"
#include "core/neighborhoods/Discovery.h"
#include "core/platform/Messages.h"

namespace kinloom::cli {

// Messages from core operations go to the error stream, one per line; questions are answered
// "no" (the tool never asks).
class StreamMessages final : public Messages {
public:
    explicit StreamMessages(std::ostream& err) : err_(err) {}
    void Show(const std::string& text) override { err_ << Flat(text) << '\n'; }
    bool AskOkCancel(const std::string& text, DefaultAnswer = DefaultAnswer::No) override {
        err_ << Flat(text) << " (answered Cancel)\n";
        return false;
    }
    bool AskYesNo(const std::string& text, DefaultAnswer = DefaultAnswer::No) override {
        err_ << Flat(text) << " (answered No)\n";
        return false;
    }
    UnsavedAnswer AskSaveDiscardCancel(const std::string& text) override {
        err_ << Flat(text) << " (answered Cancel)\n";
        return UnsavedAnswer::Cancel;
    }

    // Each "\r\n" line break becomes one blank.
    static std::string Flat(const std::string& text) {
        std::string flat;
        flat.reserve(text.size());
        for (std::size_t i = 0; i < text.size(); ++i) {
            const bool lineBreak = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
            flat.push_back(lineBreak ? ' ' : text[i]);
            if (lineBreak) ++i;
        }
        return flat;
    }

private:
    std::ostream& err_;
};

// Runs the start-up discovery the way the window does, steered by the command's options.
StartupOutcome DiscoverFromArguments(const StartupArguments& parsed);

// A neighborhood found through the discovery options and loaded.
struct Opened {
    LoadedNeighborhood State;
    int GameLanguage = 1;
    ExpansionFlags Packs;
    std::filesystem::path UserDataFolder;
};

// Splits discovery options off; returns false (after reporting) for an option without its value.
bool Discovery(const std::vector<std::string>& args, StartupArguments& parsed,
               std::vector<std::string>& positional, std::vector<std::string>& flags,
               std::ostream& err);
// Sets the switch of each flag given; an unknown flag is reported and false returned.
struct FlagSwitch {
    const char* Name;
    bool* On;
};
inline bool TakeFlags(const std::vector<std::string>& flags,
                      std::initializer_list<FlagSwitch> known, std::ostream& err) {
    for (const std::string& f : flags) {
        const FlagSwitch* match = nullptr;
        for (const FlagSwitch& k : known)
            if (f == k.Name) match = &k;
        if (!match) {
            err << "kinloom-cli: unknown option " << f << '\n';
            return false;
        }
        *match->On = true;
    }
    return true;
}
// Discovers the game, finds the neighborhood by folder name and loads it.
int OpenNeighborhood(const StartupArguments& parsed, const std::string& folder, Opened& opened,
                     Messages& messages, std::ostream& err);
// SIM as a file name (with or without ".package"), a GUID (8 hex digits) or a label.
Character* FindSim(const LoadedNeighborhood& state, const std::string& sim);
// What every command on one sim does first: OpenNeighborhood, then FindSim, reporting a sim that
// is not there (usage error). sim is null unless the exit code is kOk.
int OpenSim(const StartupArguments& parsed, const std::string& folder, const std::string& name,
            Opened& opened, Character*& sim, Messages& messages, std::ostream& err);
// Saves the edited neighborhood (the sim's package among the files), or with dryRun only says
// which files a save would rewrite. Exit 5 when the save fails.
int SaveEdited(Opened& opened, const Character& sim, bool dryRun, Messages& messages,
               std::ostream& out);
// A command that writes stops while the game runs (exit 4), unless forced or only trying.
int RefuseWhileGameRuns(bool dryRun, bool force, std::ostream& err);

// The commands that work on a loaded neighborhood (arguments after the command name).
int Demo(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int Sims(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int Show(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int Set(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int ExportCloneCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int ImportCloneCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int Check(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int Export(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kinloom::cli
