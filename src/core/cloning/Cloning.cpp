#include "core/cloning/Cloning.h"

#include <algorithm>
#include <cctype>

#include "core/cloning/CloneLayout.h"
#include "core/packages/ByteReader.h"
#include "core/packages/Compression.h"
#include "core/packages/Utf8.h"
#include "core/platform/FileIO.h"
#include "core/platform/Messages.h"
#include "core/platform/Paths.h"
#include "core/records/BodyProperties.h"

namespace kinloom {
namespace fs = std::filesystem;

namespace {

constexpr const char* kPendingBody =
    "The Character you have selected is in the process of being Cloned already. Before you will "
    "be able to use a new Clone for their Body you will need to complete the previous Cloning "
    "operation by saving.";
constexpr const char* kPetTarget = "Pet Cloning is currently not available.";
constexpr const char* kMemoryOnly =
    "You will not be able to clone a new body onto this character since they only exist in the "
    "memories of others.";
constexpr const char* kNotABodyPackage =
    "The file you have selected is Not a Bodyshop or Character Package";
constexpr const char* kBodyImported =
    "The skin and body information for this package has been imported. Other attributes are not "
    "avaiable in this file.";

// The zodiac's place in the personality group.
constexpr std::size_t kZodiacOffset = 20;

std::string LowerExtension(const fs::path& file) {
    std::string ext = file.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

std::array<std::string*, 16> DnaStrings(DNA& d) {
    return {&d.SkinTone,
            &d.RecSkinTone,
            &d.FatherHairColor,
            &d.MotherHairColor,
            &d.FatherSkinTone,
            &d.MotherSkinTone,
            &d.DomEyeColor,
            &d.RecEyeColor,
            &d.Key5,
            &d.Key4,
            &d.Key7,
            &d.Key8,
            &d.Key268435460,
            &d.Key268435461,
            &d.Key268435463,
            &d.Key268435464};
}

// The fixed-layout groups a tick box stands for.
std::vector<std::uint32_t> TickedFixedGroups(const CloneGroups& g) {
    std::vector<std::uint32_t> out;
    if (g.Personality) out.push_back(clonegroups::Personality);
    if (g.Aspiration) out.push_back(clonegroups::Aspiration);
    if (g.Skills) out.push_back(clonegroups::Skills);
    if (g.Interests) out.push_back(clonegroups::Interests);
    if (g.Job) out.push_back(clonegroups::Job);
    if (g.Character) out.push_back(clonegroups::Character);
    if (g.University) out.push_back(clonegroups::University);
    if (g.Attraction) out.push_back(clonegroups::Attraction);
    if (g.Hobbies) out.push_back(clonegroups::Hobbies);
    if (g.Needs) out.push_back(clonegroups::Needs);
    return out;
}

}  // namespace

std::optional<std::string> CloneGroupRefusal(const Character& target, bool targetHasGenes,
                                             bool CloneGroups::*group) {
    if (group == &CloneGroups::Body) return std::nullopt;
    if (group == &CloneGroups::Genes && targetHasGenes) return std::nullopt;
    CloneGroups ticked;
    ticked.*group = true;
    std::vector<const CharacterField*> fields;
    for (std::uint32_t fixed : TickedFixedGroups(ticked))
        for (const CharacterField* f : CloneGroupFields(fixed)) fields.push_back(f);
    std::vector<const char*> others;
    if (group == &CloneGroups::Personality) others = {"Zodiac"};
    if (group == &CloneGroups::Character)
        others = {"FirstName", "LastName", "CharacterDescription"};
    if (group == &CloneGroups::Genes)
        others = {"PropertyAge", "PropertyGender", "HairColor", "EyeColor"};
    for (const char* name : others)
        if (const CharacterField* f = FindCharacterField(name)) fields.push_back(f);
    std::optional<std::string> first;
    for (const CharacterField* f : fields) {
        std::optional<std::string> why = WhyNotStorable(target, *f);
        if (!why) return std::nullopt;
        if (!first) first = std::move(why);
    }
    return first;
}

CloneGroups CloneGroups::All() {
    return {true, true, true, true, true, true, true, true, true, true, true, true};
}

CloneGroups OfferedCloneGroups(const ExpansionFlags& packs) {
    CloneGroups offered = CloneGroups::All();
    offered.University = packs.HasUniversity;
    offered.Attraction = packs.HasNightlife || packs.HasPets || packs.HasSeasons ||
                         packs.HasBonVoyage || packs.HasFreeTime;
    offered.Hobbies = offered.Needs = packs.HasFreeTime;
    offered.Aspiration = !packs.HasFreeTime;
    return offered;
}

CloningButtons CloningButtonsFor(const Character& target, bool hasPets) {
    CloningButtons b;
    if (target.HasBody && !target.CloneInProgress) {
        b.DirectClone = b.GetAClone = b.CreateAClone = true;
    } else if (target.HasBody) {
        b.CreateAClone = true;
        b.Status = kPendingBody;
    } else {
        b.Status = hasPets && target.Species > 0 ? kPetTarget : kMemoryOnly;
    }
    return b;
}

bool GivesClone(const Character& source) {
    return source.HasBody && !source.IncompleteBody && source.BodySourcePath.empty();
}

std::vector<Character*> CloneSources(const LoadedNeighborhood& state, const Character& target) {
    std::vector<Character*> out;
    for (Character* sim : state.Sims)
        if (sim != &target && GivesClone(*sim)) out.push_back(sim);
    return out;
}

void ApplyClone(const CloneContents& clone, const CloneGroups& groups, Character& target,
                DNA* targetDna) {
    // Written order, so the university group's young-adult age wins over the life stage's.
    for (std::uint32_t group : TickedFixedGroups(groups)) {
        const auto found = clone.Groups.find(group);
        if (found == clone.Groups.end()) continue;
        const Bytes& bytes = found->second;
        TakeCloneGroup(group, bytes, target);

        if (group == clonegroups::Personality) {
            // An unset zodiac in the clone keeps the target's sign.
            const auto zodiac = ByteReader(bytes).Slice(kZodiacOffset, 2);
            const auto value = static_cast<std::int16_t>(zodiac[0] | (zodiac[1] << 8));
            if (value >= 1) target.Zodiac = value;
        } else if (group == clonegroups::Character) {
            if (auto gender = PropertyGenderFor(target.Gender)) target.PropertyGender = *gender;
            if (auto age = PropertyAgeFor(target.Ages)) target.PropertyAge = *age;
            if (clone.FirstName) target.FirstName = *clone.FirstName;
            if (clone.LastName) target.LastName = *clone.LastName;
            if (clone.Description) target.CharacterDescription = *clone.Description;
        } else if (group == clonegroups::University) {
            if (target.YoungAdult == 1) target.PropertyAge = 64;
        }
    }
    // The names may come without the life-stage group.
    if (groups.Character && !clone.Groups.contains(clonegroups::Character)) {
        if (clone.FirstName) target.FirstName = *clone.FirstName;
        if (clone.LastName) target.LastName = *clone.LastName;
        if (clone.Description) target.CharacterDescription = *clone.Description;
    }

    if (groups.Genes && clone.Genes && targetDna != nullptr) {
        const CloneGenes& genes = *clone.Genes;
        const auto strings = DnaStrings(*targetDna);
        for (std::size_t i = 0; i < strings.size(); ++i) *strings[i] = genes[i];
        target.SkinColor = genes[16];
        target.HairColor = genes[17];
        target.EyeColor = genes[18];
        targetDna->Modified = true;
    }
}

bool DirectClone(const Character& source, const DNA* sourceDna, Character& target, DNA* targetDna,
                 const CloneGroups& groups) {
    if (&source == &target || !GivesClone(source) || !CloningButtonsFor(target, true).DirectClone)
        return false;

    for (std::uint32_t group : TickedFixedGroups(groups)) CopyCloneGroup(group, source, target);
    if (groups.Personality) target.Zodiac = source.Zodiac;
    if (groups.Character) {
        target.FirstName = source.FirstName;
        target.LastName = source.LastName;
        target.CharacterDescription = source.CharacterDescription;
    }
    if (groups.Genes) {
        // The skin stays the target's own: only what the sim passes on and shows in hair and eyes.
        target.PropertyAge = source.PropertyAge;
        target.PropertyGender = source.PropertyGender;
        target.HairColor = source.HairColor;
        target.EyeColor = source.EyeColor;
        if (sourceDna != nullptr && targetDna != nullptr) {
            DNA copy = *sourceDna;
            const auto from = DnaStrings(copy);
            const auto to = DnaStrings(*targetDna);
            for (std::size_t i = 0; i < to.size(); ++i) *to[i] = *from[i];
            targetDna->Modified = true;
        }
    }
    if (groups.Body) {
        target.BodySourcePath = source.FilePath;
        target.CloneInProgress = true;
    }
    target.Modified = true;
    return true;
}

bool ImportClone(const fs::path& file, const CloneGroups& groups, Character& target, DNA* targetDna,
                 Messages& messages) {
    // The window offers no Get A Clone for such a target; other callers are held to the same rule.
    const CloningButtons allowed = CloningButtonsFor(target, true);
    if (!allowed.GetAClone) {
        messages.Show(allowed.Status);
        return false;
    }
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return false;

    Bytes data;
    try {
        data = ReadWholeFile(file);
    } catch (const FileError& e) {
        messages.Show("The file \"" + file.filename().string() + "\" cannot be read (" + e.what() +
                      ").");
        return false;
    }

    if (LowerExtension(file) == ".package") {
        // A package offers a body and nothing else.
        if (!groups.Body) return false;
        if (!HoldsCompleteBody(data)) {
            messages.Show(kNotABodyPackage);
            return false;
        }
        messages.Show(kBodyImported);
        target.BodySourcePath = file;
    } else {
        CloneContents clone;
        try {
            clone = ReadCloneFile(data);
        } catch (const CloneFileError& e) {
            messages.Show("The clone file \"" + file.filename().string() +
                          "\" cannot be used: " + e.what() + ".\r\nNothing was imported.");
            return false;
        }
        // Saving would take the sim's own body away and put nothing in its place.
        if (groups.Body && !clone.HasBody) {
            messages.Show("The clone file \"" + file.filename().string() +
                          "\" holds no complete body.\r\nNothing was imported; clear Body to "
                          "import its other attributes.");
            return false;
        }
        ApplyClone(clone, groups, target, targetDna);
        if (groups.Body) target.BodySourcePath = file;
    }

    if (!target.BodySourcePath.empty()) {
        target.ResetThumbnail = true;
        target.CloneInProgress = true;
    }
    target.Modified = true;
    return true;
}

fs::path CloneTargetPath(const fs::path& chosen) {
    fs::path out = chosen;
    out.replace_extension(".clone");
    return out;
}

std::u16string ProposedCloneName(const Character& sim) {
    // Names are the player's own text: they may hold anything, but the proposal must name one
    // file in the folder the dialog opens, on Windows as well.
    constexpr std::u16string_view kForbidden = u"<>:\"/\\|?*";
    constexpr std::size_t kLongest = 120;
    std::u16string name = DecodeUtf8(sim.FirstName) + DecodeUtf8(sim.LastName);
    // Windows drops dots and blanks at the end of a name; at the start they hide the file.
    auto trim = [&name] {
        auto edge = [](char16_t c) { return c == u' ' || c == u'.'; };
        while (!name.empty() && edge(name.back())) name.pop_back();
        std::size_t first = 0;
        while (first < name.size() && edge(name[first])) ++first;
        name.erase(0, first);
    };
    trim();
    // A dot inside would make the rest an extension, which the save replaces by ".clone"; dots
    // in a row could climb out of the folder.
    for (char16_t& c : name)
        if (c < 0x20 || c == 0x7F || c == u'.' || kForbidden.find(c) != kForbidden.npos) c = u'_';
    if (name.size() > kLongest) {
        name.resize(kLongest);
        if (name.back() >= 0xD800 && name.back() <= 0xDBFF) name.pop_back();  // half a character
        trim();
    }
    if (name.empty()) return u"Clone";
    // Device names open a device, not a file.
    std::u16string upper = name;
    for (char16_t& c : upper)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    static const std::u16string_view kDevices[] = {
        u"CON",  u"PRN",  u"AUX",  u"NUL",  u"COM1", u"COM2", u"COM3", u"COM4",
        u"COM5", u"COM6", u"COM7", u"COM8", u"COM9", u"LPT1", u"LPT2", u"LPT3",
        u"LPT4", u"LPT5", u"LPT6", u"LPT7", u"LPT8", u"LPT9"};
    for (std::u16string_view device : kDevices)
        if (upper == device) return name + u"_";
    return name;
}

bool ExportClone(LoadedNeighborhood& state, const Character& sim, const fs::path& target,
                 const CloneExportOptions& options, Messages& messages, AtomicFileWriter* writer) {
    Bytes image;
    try {
        // Read and decoded in memory: the player's file stays as it is.
        const PackageImage plain = DecompressPackageImage(ReadWholeFile(sim.FilePath), messages);
        image = BuildCloneImage(sim, state.FindDNA(sim.DescriptionInstance), plain.Data,
                                options.HasFreeTime, options.GameLanguage);
    } catch (const std::exception& e) {
        messages.Show("No clone was written: the character package " +
                      sim.FilePath.filename().string() + " cannot be read (" + e.what() + ").");
        return false;
    }

    std::error_code ec;
    if (fs::exists(target, ec) &&
        !messages.AskOkCancel("\"" + target.filename().string() +
                              "\" already exists, Do you wish to replace this file?"))
        return false;

    try {
        AtomicFileWriter defaultWriter;
        (writer ? *writer : defaultWriter).Replace(target, image);
    } catch (const FileError& e) {
        messages.Show(e.what());
        return false;
    }
    return true;
}

std::u16string LabelAfterImport(const LoadedNeighborhood& state, const Character& target) {
    const auto& sims = state.Sims;
    const auto at = std::find(sims.begin(), sims.end(), &target);
    if (sims.size() < 2 || at == sims.end()) return SimLabel(target, state.Form);
    const bool first = at == sims.begin();
    const Character& reference = *sims[first ? 1 : 0];
    const auto form = DetectLabelForm(SimLabel(reference, state.Form), reference);
    return SimLabel(target, form ? *form : (first ? LabelForm::File : LabelForm::FirstName));
}

std::optional<fs::path> CloneStartFolder(const Settings& settings, const fs::path& documents) {
    if (auto remembered = settings.ReadText("ClonePath"); remembered && !remembered->empty())
        return PathFromUtf8(*remembered);
    // Without a documents folder there is no default: a relative path would land anywhere.
    if (documents.empty()) return std::nullopt;
    // One level only: without the program's own folder the dialog opens where it likes.
    const fs::path folder = documents / "Quillfern" / "Clones";
    std::error_code ec;
    if (fs::is_directory(folder, ec)) return folder;
    if (fs::create_directory(folder, ec) && !ec) return folder;
    return std::nullopt;
}

void RememberCloneFolder(Settings& settings, const fs::path& chosenFile) {
    std::string folder = chosenFile.parent_path().string();
    folder.push_back(static_cast<char>(fs::path::preferred_separator));
    settings.WriteText("ClonePath", folder);
}

}  // namespace kinloom
