#include "core/cloning/CloneFile.h"

#include <algorithm>

#include "core/cloning/CloneLayout.h"
#include "core/packages/Compression.h"
#include "core/platform/Messages.h"

namespace kinloom {
namespace {

constexpr std::uint32_t kFixedGroupsBeforeNames[] = {
    clonegroups::Personality, clonegroups::Aspiration, clonegroups::Skills,
    clonegroups::Interests,   clonegroups::Job,        clonegroups::Character};
constexpr std::uint32_t kGroupsAfterGenes[] = {clonegroups::Attraction, clonegroups::Hobbies,
                                               clonegroups::Needs};

std::uint32_t Position(const Bytes& image) {
    if (image.size() > 0xFFFFFFFFu) throw CloneFileError("the clone would exceed 4 GB");
    return static_cast<std::uint32_t>(image.size());
}

// The header of a clone: index fields are filled in when the index is appended.
Bytes CloneHeader() {
    Bytes header(kPackageHeaderSize, 0);
    header[0] = 'D';
    header[1] = 'B';
    header[2] = 'P';
    header[3] = 'F';
    PutU32(header, 4, 1);
    PutU32(header, 8, 1);
    PutU32(header, 32, 7);
    PutU32(header, 60, 2);
    return header;
}

// A name as one string entry of a game text list: language, the text, its terminator and an
// empty second text.
Bytes TextGroup(const std::string& text, int gameLanguage) {
    Bytes out;
    out.reserve(text.size() + 3);
    out.push_back(static_cast<std::uint8_t>(gameLanguage));
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
    out.push_back(0);
    return out;
}

void AppendGeneString(Bytes& out, const std::string& text) {
    if (text.size() > 0xFFFF) throw CloneFileError("a gene string is longer than a clone can hold");
    AppendU16(out, static_cast<std::uint16_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

Bytes GenesGroup(const DNA& dna, const Character& sim) {
    Bytes out;
    for (const std::string* s :
         {&dna.SkinTone, &dna.RecSkinTone, &dna.FatherHairColor, &dna.MotherHairColor,
          &dna.FatherSkinTone, &dna.MotherSkinTone, &dna.DomEyeColor, &dna.RecEyeColor, &dna.Key5,
          &dna.Key4, &dna.Key7, &dna.Key8, &dna.Key268435460, &dna.Key268435461, &dna.Key268435463,
          &dna.Key268435464, &sim.SkinColor, &sim.HairColor, &sim.EyeColor})
        AppendGeneString(out, *s);
    return out;
}

std::string GroupText(std::uint32_t group) {
    return "group " + TypeIdText(group);
}

}  // namespace

bool HoldsCompleteBody(ByteView package) {
    EntryList entries;
    try {
        const int form = ReadIndex(package, entries);
        if (form != 20 && form != 24) return false;
    } catch (const ReadError&) {
        return false;
    }
    return ListsCompleteBody(entries, package);
}

Bytes BuildCloneImage(const Character& sim, const DNA* dna, ByteView plainCharacterPackage,
                      bool hasFreeTime, int gameLanguage) {
    // The character package decides the entry form; without a listable index there is no clone.
    EntryList source;
    const int entrySize = ReadIndex(plainCharacterPackage, source);
    if (entrySize != 20 && entrySize != 24)
        throw IndexError("the character package's index cannot be listed");

    Bytes image = CloneHeader();
    EntryList index;
    auto add = [&](std::uint32_t type, std::uint32_t group, std::uint32_t instance,
                   std::uint32_t instanceHigh, ByteView content) {
        const std::uint32_t offset = Position(image);
        image.insert(image.end(), content.begin(), content.end());
        index.push_back({type, group, instance, instanceHigh, offset, Position(image) - offset});
    };
    auto addGroup = [&](std::uint32_t group, const Bytes& content) {
        add(kCloneGroupType, group, 0, 0, content);
    };
    auto addFixed = [&](std::uint32_t group) {
        Bytes content;
        AppendCloneGroup(content, group, sim);
        addGroup(group, content);
    };

    for (std::uint32_t group : kFixedGroupsBeforeNames)
        if (group != clonegroups::Aspiration || !hasFreeTime) addFixed(group);
    addGroup(clonegroups::FirstName, TextGroup(sim.FirstName, gameLanguage));
    addGroup(clonegroups::LastName, TextGroup(sim.LastName, gameLanguage));
    addGroup(clonegroups::Description, TextGroup(sim.CharacterDescription, gameLanguage));
    addFixed(clonegroups::University);
    if (dna != nullptr) addGroup(clonegroups::Genes, GenesGroup(*dna, sim));
    for (std::uint32_t group : kGroupsAfterGenes) addFixed(group);

    for (const PackageIndexEntry& e : source)
        if (IsBodyEntryType(e.Type))
            add(e.Type, e.Group, e.Instance, e.InstanceHigh, StoredBytes(plainCharacterPackage, e));

    FinishPackageImage(image, index, entrySize);
    return image;
}

CloneContents ReadCloneFile(ByteView file) {
    CloneContents out;
    EntryList entries;
    try {
        const int form = ReadIndex(file, entries);
        if (form != 20 && form != 24) throw CloneFileError("its index cannot be listed");

        std::array<bool, kBodyEntryTypes.size()> body{};
        SilentMessages quiet;  // a damaged entry is reported once, by the caller
        for (const PackageIndexEntry& e : entries) {
            if (IsBodyEntryType(e.Type)) {
                StoredBytes(file, e);  // the save copies it; it must be there whole
                const auto at = std::find(kBodyEntryTypes.begin(), kBodyEntryTypes.end(), e.Type);
                body[static_cast<std::size_t>(at - kBodyEntryTypes.begin())] = true;
                continue;
            }
            if (e.Type != kCloneGroupType) continue;

            Bytes content;
            if (!DecompressEntry(file, e, content, quiet))
                throw CloneFileError(GroupText(e.Group) + " does not decode to its announced size");

            if (auto size = CloneGroupSize(e.Group)) {
                if (content.size() < *size)
                    throw CloneFileError(GroupText(e.Group) + " holds " +
                                         std::to_string(content.size()) + " bytes, not " +
                                         std::to_string(*size));
                out.Groups[e.Group] = std::move(content);
            } else if (e.Group == clonegroups::FirstName || e.Group == clonegroups::LastName ||
                       e.Group == clonegroups::Description) {
                if (content.size() < 3)
                    throw CloneFileError(GroupText(e.Group) + " is too short to hold a name");
                // The language byte before and the two closing zeros after are not the text.
                std::string text(content.begin() + 1, content.end() - 2);
                if (e.Group == clonegroups::FirstName)
                    out.FirstName = std::move(text);
                else if (e.Group == clonegroups::LastName)
                    out.LastName = std::move(text);
                else
                    out.Description = std::move(text);
            } else if (e.Group == clonegroups::Genes) {
                if (content.empty()) {
                    out.Genes.reset();
                    continue;
                }
                ByteReader in(content);
                CloneGenes genes;
                for (std::string& s : genes) {
                    const ByteView text = in.Take(in.U16());
                    s.assign(text.begin(), text.end());
                }
                out.Genes = std::move(genes);
            }
        }
        out.HasBody = std::all_of(body.begin(), body.end(), [](bool b) { return b; });
    } catch (const ReadError& e) {
        throw CloneFileError(std::string("it is cut short or damaged: ") + e.what());
    }
    return out;
}

}  // namespace kinloom
