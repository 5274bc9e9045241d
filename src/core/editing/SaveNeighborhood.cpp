#include "core/editing/SaveNeighborhood.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "core/editing/DescriptionIndex.h"
#include "core/packages/Compression.h"
#include "core/packages/PropertySet.h"
#include "core/packages/TextList.h"
#include "core/packages/Utf8.h"
#include "core/platform/FileIO.h"
#include "core/platform/Messages.h"
#include "core/records/BodyProperties.h"
#include "core/records/GeneticsStrings.h"
#include "core/records/SimDescription.h"

namespace kinloom {
namespace fs = std::filesystem;

namespace {

// Entry types that make up a sim's body, exchanged whole when the sim takes another body.
bool IsBodyType(std::uint32_t type) {
    return IsBodyEntryType(type);
}

struct PendingFile {
    fs::path path;
    Bytes image;
};

std::uint32_t GuidKey(const FourBytes& guid) {
    return static_cast<std::uint32_t>(guid[0]) | static_cast<std::uint32_t>(guid[1]) << 8 |
           static_cast<std::uint32_t>(guid[2]) << 16 | static_cast<std::uint32_t>(guid[3]) << 24;
}

// The GUID of a description copied into the image, read as WriteSimDescription reads it; nullopt
// for a description it leaves alone whatever the sims (unknown version, too short).
std::optional<std::uint32_t> DescriptionGuid(std::span<const std::uint8_t> description) {
    ByteReader in{ByteView(description)};
    if (in.Size() < 6) return std::nullopt;
    in.Seek(4);
    const std::uint16_t version = in.U16();
    const auto offset = SimDescriptionGuidOffset(version);
    if (!offset || in.Size() < SimDescriptionSize(version)) return std::nullopt;
    in.Seek(*offset);
    return in.U32();
}

// What a failed transaction left on disk, in the words the player reads.
std::string SaveFailureText(const TransactionOutcome& failed) {
    const std::string cause =
        failed.FailedFile.filename().string() + " could not be replaced (" + failed.Error + ")";
    if (failed.Stranded.empty())
        return "The neighborhood was not saved: " + cause +
               ".\r\nNo file was changed; your edits are still here, so Save can be pressed "
               "again.";
    std::string text = "The neighborhood was not saved: " + cause +
                       ", and putting the earlier files back failed too.\r\nThese files are "
                       "changed:";
    std::error_code ec;
    for (const StrandedFile& f : failed.Stranded) {
        text += "\r\n" + f.Target.string();
        if (f.OldCopy.empty())
            text += " (new; it did not exist before)";
        else
            text +=
                std::string(fs::exists(f.Target, ec) ? " holds the new version" : " is missing") +
                "; its earlier version is " + f.OldCopy.string();
    }
    return text +
           "\r\nEvery other file is as it was, and your edits are still here. To go back to an "
           "earlier version, rename it over the changed file.";
}

std::string OldCopiesLeftText(const std::vector<fs::path>& left) {
    std::string text =
        "The neighborhood was saved, but the earlier version of these files "
        "could not be deleted; they are hidden, the game ignores them, and they can "
        "be deleted by hand:";
    for (const fs::path& f : left) text += "\r\n" + f.string();
    return text;
}

}  // namespace

std::string UnsavedChangesQuestion(const Neighborhood& loaded) {
    return "The changes to " + EncodeUtf8(NeighborhoodDisplayText(loaded)) +
           " have not been saved.\r\nDo you want to save them?";
}

namespace {

// A name list goes back as stored unless one of its strings changed; then only that string's
// entries change, and the other languages' names of the rest stay.
EntryChoice NameListChoice(ByteView stored, TextListShape shape,
                           const std::vector<std::string>& strings, int gameLanguage) {
    Bytes saved = SaveTextList(stored, shape, strings, gameLanguage);
    if (std::equal(saved.begin(), saved.end(), stored.begin(), stored.end()))
        return EntryChoice::Copy();
    return EntryChoice::Replace(std::move(saved));
}

}  // namespace

PackageImage BuildNeighborhoodImage(ByteView plainPackage, const LoadedNeighborhood& state,
                                    int gameLanguage) {
    // Every look-up below is made once per entry, and a neighborhood may hold an entry for every
    // pair of its sims: the records are indexed once here, the first of each key winning, as the
    // list walks found it.
    std::unordered_map<std::uint32_t, std::vector<const Character*>> modifiedByGuid;  // list order
    std::unordered_set<std::uint32_t> modifiedInstances;
    for (const Character* sim : state.Sims) {
        if (!sim->Modified) continue;
        modifiedByGuid[GuidKey(sim->GUID)].push_back(sim);
        // A sim without a description owns no genetics set, whatever instance one carries.
        if (sim->DescriptionInstance != kNoDescription)
            modifiedInstances.insert(sim->DescriptionInstance);
    }
    std::unordered_map<std::uint32_t, const Household*> households;
    for (const auto& h : state.Households) households.try_emplace(h->Instance, h.get());
    std::unordered_map<std::uint32_t, const DNA*> genetics;
    for (const DNA& dna : state.DNAList) genetics.try_emplace(dna.Instance, &dna);
    const RelationshipLookup relationships(state.Relationships);
    const auto household = [&households](std::uint32_t instance) -> const Household* {
        const auto found = households.find(instance);
        return found == households.end() ? nullptr : found->second;
    };

    return RewritePackageImage(plainPackage, [&](const PackageIndexEntry& e, std::size_t) {
        switch (e.Type) {
            case types::TextList:
                return NameListChoice(StoredBytes(plainPackage, e), TextListShape::Pair,
                                      {state.Selected.NGBDName, state.Selected.NGBDDescription},
                                      gameLanguage);
            case types::SimDescription:
                if (modifiedByGuid.empty()) return EntryChoice::Copy();
                return EntryChoice::Patch([&](std::span<std::uint8_t> bytes) {
                    const std::optional<std::uint32_t> guid = DescriptionGuid(bytes);
                    if (!guid) return;
                    const auto sims = modifiedByGuid.find(*guid);
                    if (sims != modifiedByGuid.end()) WriteSimDescription(bytes, sims->second);
                });
            case types::Relationship:
                return SaveRelationshipEntry(e, relationships);
            case types::Household: {
                const Household* h = household(e.Instance);
                if (!h || !h->Modified) return EntryChoice::Copy();
                return EntryChoice::Replace(WriteHousehold(StoredBytes(plainPackage, e), *h));
            }
            case types::HouseholdText: {
                const Household* h = household(e.Instance);
                if (!h || !h->Modified) return EntryChoice::Copy();
                return NameListChoice(StoredBytes(plainPackage, e), TextListShape::Pair,
                                      {h->HouseholdName, h->HouseholdDescription}, gameLanguage);
            }
            case types::GeneticsStrings: {
                // Written only for a changed sim the set belongs to, from the first DNA record of
                // its instance, and only when that record changed.
                if (!modifiedInstances.contains(e.Instance)) return EntryChoice::Copy();
                const auto dna = genetics.find(e.Instance);
                if (dna == genetics.end() || !dna->second->Modified) return EntryChoice::Copy();
                return EntryChoice::Replace(WriteGeneticsStrings(*dna->second));
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
    // Colours, age and gender: the set keeps agreeing with the sim's description.
    auto patchProperties = [&sim, &messages](std::span<std::uint8_t> bytes) {
        PatchSimProperties(bytes, sim, messages);
    };

    std::vector<AppendedEntry> body;
    if (newBody) {
        EntryList sourceEntries;
        const int form = ReadIndex(*plainBodySource, sourceEntries);
        if (form != 20 && form != 24)
            throw IndexError("the body source package has no usable index");
        // Half a body would take the sim's own entries away and leave the rest missing.
        if (!ListsCompleteBody(sourceEntries, *plainBodySource))
            throw IndexError("the body source package does not hold every body entry");
        for (const PackageIndexEntry& e : sourceEntries) {
            if (!IsBodyType(e.Type)) continue;
            ByteView stored = StoredBytes(*plainBodySource, e);
            AppendedEntry extra{e, Bytes(stored.begin(), stored.end()), {}};
            if (e.Type == types::SimProperties) extra.Patch = patchProperties;
            body.push_back(std::move(extra));
        }
    }

    return RewritePackageImage(
        plainPackage,
        [&](const PackageIndexEntry& e, std::size_t) {
            if (e.Type == types::CompressedDirectory) return EntryChoice::Drop();
            if (newBody && (e.Type == types::Picture || IsBodyType(e.Type)))
                return EntryChoice::Drop();
            if (sim.ResetThumbnail && e.Type == types::Picture) return EntryChoice::Drop();
            if (e.Type == types::TextList)
                return NameListChoice(StoredBytes(plainPackage, e), TextListShape::Sim,
                                      {sim.FirstName, sim.CharacterDescription, sim.LastName},
                                      gameLanguage);
            if (e.Type == types::SimProperties) return EntryChoice::Patch(patchProperties);
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
            const fs::path& path = sim->FilePath;
            current = path.filename().string();
            const PackageImage own = DecompressPackageImage(ReadWholeFile(path), messages);
            std::optional<Bytes> source;
            if (!sim->BodySourcePath.empty()) {
                current = sim->BodySourcePath.filename().string();
                source = DecompressPackageImage(ReadWholeFile(sim->BodySourcePath), messages).Data;
                current = path.filename().string();
            }
            pending.push_back(
                {path, BuildCharacterImage(own.Data, *sim, source ? &*source : nullptr,
                                           context.GameLanguage, messages)
                           .Data});
        }
    } catch (const std::exception& e) {
        outcome.Failure = "The neighborhood was not saved: " + current + " cannot be rewritten (" +
                          e.what() + ").\r\nNo file was changed; your edits are still here.";
        return outcome;
    }

    // One transaction: every file takes its new image, or every file is put back.
    std::vector<FileReplacement> replacements;
    for (const PendingFile& f : pending) replacements.push_back({f.path, f.image});
    AtomicFileWriter defaultWriter;
    const TransactionOutcome replaced =
        (writer ? *writer : defaultWriter).ReplaceTogether(replacements);
    if (!replaced.Committed) {
        outcome.Failure = SaveFailureText(replaced);
        outcome.Changed = replaced.Stranded;
        return outcome;
    }
    if (!replaced.OldCopiesLeft.empty()) {
        outcome.OldCopiesLeft = replaced.OldCopiesLeft;
        outcome.Notice = OldCopiesLeftText(replaced.OldCopiesLeft);
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
                    sim->Thumbnail = SimThumbnail(std::move(picture));
                else
                    messages.Show("Bad DLL Load");
            }
        }
        if (!sim->BodySourcePath.empty()) sim->IncompleteBody = false;  // a whole body came in
        sim->ResetThumbnail = false;
        sim->Modified = false;
        sim->CloneInProgress = false;
        sim->BodySourcePath.clear();
    }
    outcome.Saved = true;
    return outcome;
}

}  // namespace kinloom
