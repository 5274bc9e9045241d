#pragma once
// The Cloning Lab's operations: copying attribute groups onto a sim from another sim (Direct
// Clone), from a clone file or a Body Shop package (Get A Clone), and writing a sim's clone file
// (Create A Clone). Attributes change in memory at once; a new body is only noted in
// BodySourcePath and taken over when the neighborhood is saved.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/cloning/CloneFile.h"
#include "core/editing/LoadedNeighborhood.h"
#include "core/neighborhoods/Discovery.h"
#include "core/platform/Settings.h"

namespace kinloom {

class AtomicFileWriter;
class Messages;

// The tick boxes of the Cloning Lab: which attribute groups are taken over.
struct CloneGroups {
    bool Character = false;  // gender, age, preferences, names, description
    bool Personality = false;
    bool Aspiration = false;
    bool Skills = false;
    bool Interests = false;
    bool Job = false;
    bool Body = false;
    bool University = false;
    bool Genes = false;
    bool Attraction = false;
    bool Hobbies = false;
    bool Needs = false;

    static CloneGroups All();
};

// The groups offered with the installed packs: University with University; Attraction with any
// pack from Nightlife on; Hobbies/Talents and Need Decay Mods with FreeTime, which takes
// Aspiration away (its clones carry none). Every other group always.
CloneGroups OfferedCloneGroups(const ExpansionFlags& packs);

// Which of the three buttons a target allows, and why not when some are off.
struct CloningButtons {
    bool DirectClone = false;
    bool GetAClone = false;
    bool CreateAClone = false;
    std::string Status;  // empty when every button is on
};
CloningButtons CloningButtonsFor(const Character& target, bool hasPets);

// Why nothing a tick box stands for could be kept for target: every field it writes is one a
// save would not write for this sim (its description's version, or no description at all);
// nullopt when something of it could be kept. The body is always kept; genes, when target has a
// genetics record (targetHasGenes).
std::optional<std::string> CloneGroupRefusal(const Character& target, bool targetHasGenes,
                                             bool CloneGroups::*group);

// Whether a sim may give its attributes and body: it has a body of its own, its character package
// holds every body entry type (half a body would strip the target's own entries at the save), and
// it is not itself waiting for a new body.
bool GivesClone(const Character& source);

// The sims that may give their attributes and body to target, in list order: every other sim
// that GivesClone.
std::vector<Character*> CloneSources(const LoadedNeighborhood& state, const Character& target);

// Takes the ticked groups of a clone file over into target (and its genetics record, when it has
// one). Sets no flags.
void ApplyClone(const CloneContents& clone, const CloneGroups& groups, Character& target,
                DNA* targetDna);

// Copies the ticked groups from source to target and marks target modified. With Body ticked,
// source's character package becomes target's body source. Nothing happens (false) when source
// and target are the same sim, source may not give a clone (GivesClone), or target may not take
// one (no body, or one already pending).
bool DirectClone(const Character& source, const DNA* sourceDna, Character& target, DNA* targetDna,
                 const CloneGroups& groups);

// Get A Clone on a chosen file: a "*.package" gives a body only (checked for all body entry
// types); any other file is read as a clone file, whole, before anything is taken over. Returns
// whether target was changed (and marked modified). Failures, and a target that may not take a
// clone, are shown through messages and leave target exactly as it was.
bool ImportClone(const std::filesystem::path& file, const CloneGroups& groups, Character& target,
                 DNA* targetDna, Messages& messages);

// Where a clone chosen under a name is written: the name with its extension replaced by ".clone".
std::filesystem::path CloneTargetPath(const std::filesystem::path& chosen);

// The file name a clone is proposed under: first and last name run together ("AnnSmith").
std::u16string ProposedCloneName(const Character& sim);

struct CloneExportOptions {
    bool HasFreeTime = false;
    int GameLanguage = 1;
};

// Writes sim's clone to target (asking before replacing an existing file). The character package
// is read, never rewritten. Returns whether the clone was written; failures are shown through
// messages and write nothing.
bool ExportClone(LoadedNeighborhood& state, const Character& sim,
                 const std::filesystem::path& target, const CloneExportOptions& options,
                 Messages& messages, AtomicFileWriter* writer = nullptr);

// The label target is listed under after an import may have changed its names, in the form the
// list shows: judged from a neighbouring entry as the Sort button judges it; with target alone in
// the list, the form the list was last sorted into.
std::u16string LabelAfterImport(const LoadedNeighborhood& state, const Character& target);

// Where the clone dialogs open: the folder last used ("ClonePath"), else the default clone folder
// under the documents folder, created when its parent exists. nullopt: the platform's choice.
std::optional<std::filesystem::path> CloneStartFolder(const Settings& settings,
                                                      const std::filesystem::path& documents);
// Remembers the folder of a chosen clone or package file as "ClonePath" (with a closing separator).
void RememberCloneFolder(Settings& settings, const std::filesystem::path& chosenFile);

}  // namespace kinloom
