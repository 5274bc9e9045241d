#include "editing/SaveNeighborhood.h"

#include <algorithm>

#include "packages/Compression.h"
#include "packages/GeneticsStrings.h"
#include "packages/PropertySet.h"
#include "packages/TextList.h"
#include "platform/FileIO.h"
#include "platform/Messages.h"
#include "records/SimDescription.h"

namespace kinloom {
namespace fs = std::filesystem;

namespace {

// Entry types that make up a sim's body, exchanged whole when the sim takes another body.
constexpr std::uint32_t kBodyTypes[] = {types::SimProperties, 0xAC506764, 0xEBCF3E27,
                                        types::BodyPresence,  0xAC4F8687, 0x7BA3838C,
                                        0x49596978,           0xE519C933, 0xFC6EB1F7};

bool IsBodyType(std::uint32_t type) {
    return std::find(std::begin(kBodyTypes), std::end(kBodyTypes), type) != std::end(kBodyTypes);
}

struct PendingFile {
    fs::path path;
    Bytes image;
};

}  // namespace

PackageImage BuildNeighborhoodImage(ByteView plainPackage, const LoadedNeighborhood& state,
                                    int gameLanguage) {
    std::vector<const Character*> modified;
    for (const Character* sim : state.Sims)
        if (sim->Modified) modified.push_back(sim);

    return RewritePackageImage(plainPackage, [&](const PackageIndexEntry& e, std::size_t) {
        switch (e.Type) {
            case types::TextList:
                return EntryChoice::Replace(WriteTextList(
                    TextListShape::Pair, {state.Selected.NGBDName, state.Selected.NGBDDescription},
                    gameLanguage));
            case types::SimDescription:
                if (modified.empty()) return EntryChoice::Copy();
                return EntryChoice::Patch(
                    [&](std::span<std::uint8_t> bytes) { WriteSimDescription(bytes, modified); });
            case types::Relationship:
                return SaveRelationshipEntry(e, state.Relationships);
            case types::Household: {
                const Household* h = state.FindHousehold(e.Instance);
                if (!h || !h->Modified) return EntryChoice::Copy();
                return EntryChoice::Replace(WriteHousehold(StoredBytes(plainPackage, e), *h));
            }
            case types::HouseholdText: {
                const Household* h = state.FindHousehold(e.Instance);
                if (!h || !h->Modified) return EntryChoice::Copy();
                return EntryChoice::Replace(WriteTextList(
                    TextListShape::Pair, {h->HouseholdName, h->HouseholdDescription}, gameLanguage));
            }
            case types::GeneticsStrings: {
                // The first changed sim (in list order) that the set belongs to decides.
                auto owner = std::find_if(state.Sims.begin(), state.Sims.end(), [&](const Character* c) {
                    return c->DescriptionInstance == e.Instance && c->Modified;
                });
                if (owner == state.Sims.end()) return EntryChoice::Copy();
                for (const DNA& dna : state.DNAList)
                    if (dna.Instance == e.Instance)
                        return dna.Modified ? EntryChoice::Replace(WriteGeneticsStrings(dna))
                                            : EntryChoice::Copy();
                return EntryChoice::Copy();
            }
            case types::FamilyTies:
                return EntryChoice::Replace(WriteFamilyTies(state.FamilyTies));
            default:
                return EntryChoice::Copy();
        }
    });
}

PackageImage BuildCharacterImage(ByteView plainPackage, const Character& sim,
                                 const Bytes* plainBodySource, int gameLanguage,
                                 Messages& messages) {
    const bool newBody = plainBodySource != nullptr;
    auto patchColours = [&sim, &messages](std::span<std::uint8_t> bytes) {
        PatchColorStrings(bytes, sim, messages);
    };

    std::vector<AppendedEntry> body;
    if (newBody) {
        EntryList sourceEntries;
        const int form = ReadIndex(*plainBodySource, sourceEntries);
        if (form != 20 && form != 24)
            throw IndexError("the body source package has no usable index");
        for (const PackageIndexEntry& e : sourceEntries) {
            if (!IsBodyType(e.Type)) continue;
            ByteView stored = StoredBytes(*plainBodySource, e);
            AppendedEntry extra{e, Bytes(stored.begin(), stored.end()), {}};
            if (e.Type == types::SimProperties) extra.Patch = patchColours;
            body.push_back(std::move(extra));
        }
    }

    return RewritePackageImage(
        plainPackage,
        [&](const PackageIndexEntry& e, std::size_t) {
            if (e.Type == types::CompressedDirectory) return EntryChoice::Drop();
            if (newBody && (e.Type == types::Picture || IsBodyType(e.Type))) return EntryChoice::Drop();
            if (sim.ResetThumbnail && e.Type == types::Picture) return EntryChoice::Drop();
            if (e.Type == types::TextList)
                return EntryChoice::Replace(WriteTextList(
                    TextListShape::Sim, {sim.FirstName, sim.CharacterDescription, sim.LastName},
                    gameLanguage));
            if (e.Type == types::SimProperties) return EntryChoice::Patch(patchColours);
            return EntryChoice::Copy();
        },
        body);
}

SaveOutcome SaveNeighborhood(LoadedNeighborhood& state, EditingContext& context,
                             AtomicFileWriter* writer) {
    SaveOutcome outcome;
    Messages& messages = context.messages;
    std::vector<PendingFile> pending;
    std::string current;

    // Ties are only ever replaced in place; a package without them has nowhere to keep changed
    // parents, and saving the rest would report success while dropping them.
    if (state.FamilyTiesModified && !FindFirst(state.NeighborhoodIndex, types::FamilyTies)) {
        outcome.Failure = kNoFamilyTiesToSave;
        return outcome;
    }

    // Every image first: nothing on disk changes until all of them are built.
    try {
        current = state.Selected.PackagePath.filename().string();
        const Bytes stored = ReadWholeFile(state.Selected.PackagePath);
        const PackageImage plain = DecompressPackageImage(stored, messages);
        pending.push_back({state.Selected.PackagePath,
                           BuildNeighborhoodImage(plain.Data, state, context.GameLanguage).Data});

        for (const Character* sim : state.Sims) {
            if (!sim->Modified) continue;
            const fs::path path = state.CharactersFolder / sim->FileName;
            current = sim->FileName;
            const PackageImage own = DecompressPackageImage(ReadWholeFile(path), messages);
            std::optional<Bytes> source;
            if (!sim->BodySourcePath.empty()) {
                current = sim->BodySourcePath.filename().string();
                source = DecompressPackageImage(ReadWholeFile(sim->BodySourcePath), messages).Data;
                current = sim->FileName;
            }
            pending.push_back({path, BuildCharacterImage(own.Data, *sim, source ? &*source : nullptr,
                                                         context.GameLanguage, messages)
                                         .Data});
        }
    } catch (const std::exception& e) {
        outcome.Failure = "The neighborhood was not saved: " + current + " cannot be rewritten (" +
                          e.what() + ").\r\nNo file was changed; your edits are still here.";
        return outcome;
    }

    AtomicFileWriter defaultWriter;
    AtomicFileWriter& out = writer ? *writer : defaultWriter;
    for (const PendingFile& f : pending) {
        try {
            out.Replace(f.path, f.image);
            outcome.Written.push_back(f.path);
        } catch (const FileError& e) {
            outcome.Failure = "The neighborhood was only partly saved: " + f.path.filename().string() +
                              " could not be written (" + e.what() +
                              ").\r\nIt and the files after it are unchanged; your edits are still "
                              "here, so Save can be pressed again.";
            return outcome;
        }
    }

    // Everything is on disk: clear the flags and put the placeholder where pictures went.
    state.Selected.Modified = 0;
    state.FamilyTiesModified = false;
    for (auto& h : state.Households) h->Modified = false;
    for (RelationshipRecord& r : state.Relationships) r.Modified = 0;
    for (DNA& d : state.DNAList) d.Modified = false;
    for (Character* sim : state.Sims) {
        if (!sim->Modified) continue;
        if (!sim->BodySourcePath.empty() || sim->ResetThumbnail) {
            if (context.placeholder) {
                if (auto picture = context.placeholder())
                    sim->Thumbnail = std::move(*picture);
                else
                    messages.Show("Bad DLL Load");
            }
        }
        sim->ResetThumbnail = false;
        sim->Modified = false;
        sim->CloneInProgress = false;
        sim->BodySourcePath.clear();
    }
    outcome.Saved = true;
    return outcome;
}

}  // namespace kinloom
