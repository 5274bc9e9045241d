// Taking attributes over: from clone files and Body Shop packages (Get A Clone) and from another
// sim (Direct Clone), the Cloning Lab's button rules, and the body exchange carried out by a save.
#include <gtest/gtest.h>

#include <map>

#include "CloneParts.h"
#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "ScopedEnvironment.h"
#include "core/cloning/CloneLayout.h"
#include "core/cloning/Cloning.h"
#include "core/demo/DemoWriter.h"
#include "core/editing/LoadNeighborhood.h"
#include "core/editing/SaveNeighborhood.h"
#include "core/platform/FileIO.h"

namespace kinloom {
namespace {
namespace fs = std::filesystem;
using test::PackageBuilder;
using test::Text;

using test::BodyPackage;
using test::GroupBytes;
using test::kBodyImported;
using test::kMemoryOnly;
using test::kNotABodyPackage;
using test::kPending;

constexpr std::uint32_t kFixedGroups[] = {1, 2, 3, 4, 5, 6, 256, 258, 261, 262};

// Everything a clone can change in a sim and its genetics record, as one comparable value.
struct Snapshot {
    Bytes clone;
    std::uint16_t age, gender;
    bool modified, inProgress, reset;
    fs::path bodySource;
    bool dnaModified;
    bool operator==(const Snapshot&) const = default;
};
Snapshot Take(const Character& sim, const DNA* dna) {
    return {BuildCloneImage(sim, dna, BodyPackage(), false, 1),
            sim.PropertyAge,
            sim.PropertyGender,
            sim.Modified,
            sim.CloneInProgress,
            sim.ResetThumbnail,
            sim.BodySourcePath,
            dna && dna->Modified};
}

Character Donor() {
    Character c;
    c.HasBody = true;
    c.Neat = 9;
    c.Outgoing = 8;
    c.Active = 7;
    c.Playful = 6;
    c.Nice = 5;
    c.OrgNeat = 4;
    c.OrgOutgoing = 3;
    c.OrgActive = 2;
    c.OrgPlayful = 1;
    c.OrgNice = 10;
    c.Zodiac = 4;
    c.Cooking = 700;
    c.Politics = 3;
    c.Career = {1, 2, 3, 4};
    c.NPCType = 11;
    c.Jobs = 5;
    c.Gender = 1;
    c.Ages = 19;
    c.YoungAdult = 1;
    c.GPA = 350;
    c.AttractionTraits = {1, 1, 1, 1};
    c.Cuisine = 500;
    c.Hunger = 25;
    c.FirstName = "Ann";
    c.LastName = "Smith";
    c.CharacterDescription = "From a clone.";
    c.SkinColor = "donor-skin";
    c.HairColor = "donor-hair";
    c.EyeColor = "donor-eyes";
    c.PropertyAge = 16;
    c.PropertyGender = 1;
    c.FileName = "N001_User00042.package";
    c.FilePath = "/hood/Characters/N001_User00042.package";
    return c;
}

DNA DonorDna() {
    DNA d;
    d.SkinTone = "donor-tone";
    d.FatherHairColor = "donor-father-hair";
    d.Key268435464 = "donor-last";
    return d;
}

Character Receiver() {
    Character c;
    c.HasBody = true;
    c.Neat = 100;
    c.Zodiac = 2;
    c.Cooking = 1;
    c.Politics = 1;
    c.NPCType = 2;
    c.Jobs = 1;
    c.Cuisine = 10;
    c.Hunger = 90;
    c.AttractionTraits = {0, 0, 0, 2};
    c.FirstName = "Bo";
    c.LastName = "Receiver";
    c.SkinColor = "own-skin";
    c.HairColor = "own-hair";
    c.EyeColor = "own-eyes";
    c.PropertyAge = 2;
    c.PropertyGender = 2;
    return c;
}

class CloneImportTest : public ::testing::Test {
protected:
    fs::path WriteClone(const Character& sim, const DNA* dna, bool withBody = true) {
        const fs::path file = dir / "donor.clone";
        const Bytes package =
            withBody ? BodyPackage() : PackageBuilder(24).add(types::Picture, 1, Text("t")).build();
        ReplaceFileAtomically(file, BuildCloneImage(sim, dna, package, false, 1));
        return file;
    }
    test::TempDir dir;
    test::FakeMessages messages;
};

TEST_F(CloneImportTest, OnlyTickedGroupsAreTakenOver) {
    const Character donor = Donor();
    const DNA donorDna = DonorDna();
    const fs::path file = WriteClone(donor, &donorDna);

    struct Case {
        const char* name;
        CloneGroups groups;
        std::vector<std::uint32_t> changed;
    };
    CloneGroups personality, attraction, jobAndNeeds;
    personality.Personality = true;
    attraction.Attraction = true;  // hobbies cleared: they stay
    jobAndNeeds.Job = jobAndNeeds.Needs = true;
    const Case cases[] = {{"personality", personality, {1}},
                          {"attraction without hobbies", attraction, {258}},
                          {"job and needs", jobAndNeeds, {5, 262}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Character target = Receiver();
        const Character before = target;
        ASSERT_TRUE(ImportClone(file, c.groups, target, nullptr, messages));
        for (std::uint32_t group : kFixedGroups) {
            SCOPED_TRACE(group);
            const bool changed =
                std::find(c.changed.begin(), c.changed.end(), group) != c.changed.end();
            Character expected = changed ? donor : before;
            if (group == 5) expected.NPCType = before.NPCType;  // the target's own, always
            EXPECT_EQ(GroupBytes(group, target), GroupBytes(group, expected));
        }
        EXPECT_EQ(target.FirstName, before.FirstName);
        EXPECT_EQ(target.HairColor, before.HairColor);
        EXPECT_TRUE(target.Modified);
        EXPECT_FALSE(target.CloneInProgress);
        EXPECT_FALSE(target.ResetThumbnail);
        EXPECT_TRUE(target.BodySourcePath.empty());
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CloneImportTest, AnUnsetZodiacKeepsTheTargetsSign) {
    CloneGroups groups;
    groups.Personality = true;
    for (int value : {0, 1, 12}) {
        const auto zodiac = static_cast<std::int16_t>(value);
        SCOPED_TRACE(zodiac);
        Character donor = Donor();
        donor.Zodiac = zodiac;
        Character target = Receiver();
        ASSERT_TRUE(ImportClone(WriteClone(donor, nullptr), groups, target, nullptr, messages));
        EXPECT_EQ(target.Zodiac, zodiac >= 1 ? zodiac : Receiver().Zodiac);
        EXPECT_EQ(target.Neat, donor.Neat);
    }
}

TEST_F(CloneImportTest, LifeStageAndGenderGiveTheBodyProperties) {
    struct Case {
        std::int16_t gender, ages, youngAdult;
        bool university;
        std::uint16_t propertyGender, propertyAge;
    };
    constexpr std::uint16_t kUnchanged = 777;
    const Case cases[] = {
        {1, 19, 0, false, 1, 8},
        {0, 1, 0, false, 2, 32},
        {0, 2, 0, false, 2, 1},
        {0, 3, 0, false, 2, 2},
        {1, 16, 0, false, 1, 4},
        {1, 51, 0, false, 1, 16},
        {5, 7, 0, false, kUnchanged, kUnchanged},  // values without a property form leave them
        {1, 19, 1, true, 1, 64},  // the university group is applied after the life stage
        {1, 19, 1, false, 1, 8},  // ... only when ticked
        {1, 19, 0, true, 1, 8}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.gender << "/" << c.ages << "/" << c.youngAdult);
        Character donor = Donor();
        donor.Gender = c.gender;
        donor.Ages = c.ages;
        donor.YoungAdult = c.youngAdult;
        Character target = Receiver();
        target.PropertyAge = target.PropertyGender = kUnchanged;
        CloneGroups groups;
        groups.Character = true;
        groups.University = c.university;
        ASSERT_TRUE(ImportClone(WriteClone(donor, nullptr), groups, target, nullptr, messages));
        EXPECT_EQ(target.PropertyGender, c.propertyGender);
        EXPECT_EQ(target.PropertyAge, c.propertyAge);
        EXPECT_EQ(target.FirstName, "Ann");
        EXPECT_EQ(target.LastName, "Smith");
        EXPECT_EQ(target.CharacterDescription, "From a clone.");
    }
}

TEST_F(CloneImportTest, GenesGoIntoTheTargetsGeneticsRecordOnly) {
    const Character donor = Donor();
    const DNA donorDna = DonorDna();
    const fs::path file = WriteClone(donor, &donorDna);
    CloneGroups genes;
    genes.Genes = true;

    Character target = Receiver();
    DNA targetDna;
    targetDna.Instance = 12;
    targetDna.Key5 = "own";
    ASSERT_TRUE(ImportClone(file, genes, target, &targetDna, messages));
    EXPECT_EQ(targetDna.SkinTone, "donor-tone");
    EXPECT_EQ(targetDna.FatherHairColor, "donor-father-hair");
    EXPECT_EQ(targetDna.Key268435464, "donor-last");
    EXPECT_EQ(targetDna.Key5, "");
    EXPECT_EQ(targetDna.Instance, 12u);
    EXPECT_TRUE(targetDna.Modified);
    EXPECT_EQ(target.SkinColor, "donor-skin");
    EXPECT_EQ(target.HairColor, "donor-hair");
    EXPECT_EQ(target.EyeColor, "donor-eyes");

    // A target without a genetics record takes no genes at all.
    Character lone = Receiver();
    ASSERT_TRUE(ImportClone(file, genes, lone, nullptr, messages));
    EXPECT_EQ(lone.HairColor, "own-hair");
}

TEST_F(CloneImportTest, ADamagedCloneChangesNothing) {
    const Character donor = Donor();
    const DNA donorDna = DonorDna();
    const Bytes image = BuildCloneImage(donor, &donorDna, BodyPackage(), false, 1);
    const fs::path file = dir / "cut.clone";
    for (std::size_t size = 0; size < image.size(); ++size) {
        SCOPED_TRACE(size);
        ReplaceFileAtomically(file, ByteView(image).first(size));
        Character target = Receiver();
        DNA targetDna;
        const Snapshot before = Take(target, &targetDna);
        messages.shown.clear();
        EXPECT_FALSE(ImportClone(file, CloneGroups::All(), target, &targetDna, messages));
        EXPECT_TRUE(Take(target, &targetDna) == before);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].rfind("The clone file \"cut.clone\" cannot be used: ", 0), 0u)
            << messages.shown[0];
    }
}

TEST_F(CloneImportTest, BodiesComeOnlyFromCompletePackages) {
    struct Case {
        const char* name;
        Bytes file;
        const char* extension;
        bool bodyTicked;
        std::optional<std::string> message;
        bool pending;
    };
    const Case cases[] = {
        {"Body Shop package", BodyPackage(), ".package", true, kBodyImported, true},
        {"upper-case extension", BodyPackage(), ".PACKAGE", true, kBodyImported, true},
        {"package without FC6EB1F7", BodyPackage(0xFC6EB1F7), ".package", true, kNotABodyPackage,
         false},
        {"not a package at all", test::NoiseBytes(500, 3), ".package", true, kNotABodyPackage,
         false},
        {"package with Body cleared", BodyPackage(), ".package", false, std::nullopt, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = dir / (std::string("body") + c.extension);
        ReplaceFileAtomically(file, c.file);
        Character target = Receiver();
        CloneGroups groups = CloneGroups::All();
        groups.Body = c.bodyTicked;
        messages.shown.clear();
        EXPECT_EQ(ImportClone(file, groups, target, nullptr, messages), c.pending);
        EXPECT_EQ(messages.shown,
                  c.message ? std::vector<std::string>{*c.message} : std::vector<std::string>{});
        EXPECT_EQ(target.BodySourcePath, c.pending ? file : fs::path());
        EXPECT_EQ(target.CloneInProgress, c.pending);
        EXPECT_EQ(target.ResetThumbnail, c.pending);
        EXPECT_EQ(target.Modified, c.pending);
        EXPECT_EQ(target.Neat, Receiver().Neat);  // a package carries no attributes
        fs::remove(file);
    }
}

TEST_F(CloneImportTest, ACloneWithoutABodyIsNotTakenAsOne) {
    Character target = Receiver();
    const Snapshot before = Take(target, nullptr);
    const fs::path file = WriteClone(Donor(), nullptr, /*withBody=*/false);
    EXPECT_FALSE(ImportClone(file, CloneGroups::All(), target, nullptr, messages));
    EXPECT_TRUE(Take(target, nullptr) == before);
    ASSERT_EQ(messages.shown.size(), 1u);

    // Without Body ticked the same clone gives its attributes.
    CloneGroups noBody = CloneGroups::All();
    noBody.Body = false;
    EXPECT_TRUE(ImportClone(file, noBody, target, nullptr, messages));
    EXPECT_EQ(target.Neat, Donor().Neat);
    EXPECT_TRUE(target.BodySourcePath.empty());
}

TEST_F(CloneImportTest, AMissingFileEndsTheImportSilently) {
    Character target = Receiver();
    EXPECT_FALSE(ImportClone(dir / "gone.clone", CloneGroups::All(), target, nullptr, messages));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(target.Modified);
}

TEST(CloningButtonsTest, ButtonsFollowTheTargetsBody) {
    struct Case {
        const char* name;
        bool hasBody, inProgress, hasPets;
        std::uint16_t species;
        bool direct, get, create;
        std::string status;
    };
    const Case cases[] = {
        {"free", true, false, false, 0, true, true, true, ""},
        {"body pending", true, true, false, 0, false, false, true, kPending},
        {"memory only", false, false, false, 0, false, false, false, kMemoryOnly},
        {"pet with Pets", false, false, true, 2, false, false, false,
         "Pet Cloning is currently not available."},
        {"pet without Pets", false, false, false, 2, false, false, false, kMemoryOnly}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Character sim;
        sim.HasBody = c.hasBody;
        sim.CloneInProgress = c.inProgress;
        sim.Species = c.species;
        const CloningButtons b = CloningButtonsFor(sim, c.hasPets);
        EXPECT_EQ(b.DirectClone, c.direct);
        EXPECT_EQ(b.GetAClone, c.get);
        EXPECT_EQ(b.CreateAClone, c.create);
        EXPECT_EQ(b.Status, c.status);
    }
}

TEST(CloningButtonsTest, TheInstalledPacksDecideTheGroupsOffered) {
    struct Case {
        const char* name;
        ExpansionFlags packs;
        bool university, attraction, aspiration, hobbiesAndNeeds;
    };
    ExpansionFlags base, university, pets, seasons, freeTime, business;
    university.HasUniversity = true;
    pets.HasPets = true;
    seasons.HasSeasons = true;
    freeTime.HasFreeTime = true;
    business.HasBusiness = true;  // brings nothing to clone
    const Case cases[] = {{"base game", base, false, false, true, false},
                          {"University", university, true, false, true, false},
                          {"Pets", pets, false, true, true, false},
                          {"Seasons", seasons, false, true, true, false},
                          {"Open for Business", business, false, false, true, false},
                          {"FreeTime", freeTime, false, true, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CloneGroups offered = OfferedCloneGroups(c.packs);
        EXPECT_EQ(offered.University, c.university);
        EXPECT_EQ(offered.Attraction, c.attraction);
        EXPECT_EQ(offered.Aspiration, c.aspiration);
        EXPECT_EQ(offered.Hobbies, c.hobbiesAndNeeds);
        EXPECT_EQ(offered.Needs, c.hobbiesAndNeeds);
        EXPECT_TRUE(offered.Character && offered.Personality && offered.Skills &&
                    offered.Interests && offered.Job && offered.Body && offered.Genes);
    }
}

TEST(DirectCloneTest, CopiesTickedGroupsAndKeepsTheTargetsSkin) {
    LoadedNeighborhood state;
    state.CharactersFolder = "/hood/Characters";
    for (int i = 0; i < 3; ++i) {
        state.Characters.push_back(std::make_unique<Character>(i == 0 ? Donor() : Receiver()));
        state.Sims.push_back(state.Characters.back().get());
    }
    Character& source = *state.Sims[0];
    source.Zodiac = 0;  // copied even when unset, unlike from a clone file
    Character& target = *state.Sims[1];
    Character& other = *state.Sims[2];
    const DNA sourceDna = DonorDna();
    DNA targetDna;
    targetDna.Key5 = "own";

    CloneGroups groups;
    groups.Personality = groups.Genes = groups.Job = groups.Character = groups.Body = true;
    ASSERT_TRUE(DirectClone(source, &sourceDna, target, &targetDna, groups));
    EXPECT_EQ(GroupBytes(1, target), GroupBytes(1, source));
    EXPECT_EQ(target.Zodiac, 0);
    EXPECT_EQ(target.Career, source.Career);
    EXPECT_EQ(target.NPCType, Receiver().NPCType);
    EXPECT_EQ(target.Cooking, Receiver().Cooking);  // skills not ticked
    EXPECT_EQ(target.FirstName, "Ann");
    EXPECT_EQ(target.PropertyAge, source.PropertyAge);
    EXPECT_EQ(target.PropertyGender, source.PropertyGender);
    EXPECT_EQ(target.HairColor, "donor-hair");
    EXPECT_EQ(target.EyeColor, "donor-eyes");
    EXPECT_EQ(target.SkinColor, "own-skin");
    EXPECT_EQ(targetDna.SkinTone, "donor-tone");
    EXPECT_EQ(targetDna.Key5, "");
    EXPECT_TRUE(targetDna.Modified);
    EXPECT_EQ(target.BodySourcePath, fs::path("/hood/Characters/N001_User00042.package"));
    EXPECT_TRUE(target.CloneInProgress);
    EXPECT_TRUE(target.Modified);
    EXPECT_FALSE(source.Modified);

    // The pending target is offered to nobody and may only be exported; the source stays free.
    const auto sources = CloneSources(state, other);
    EXPECT_EQ(sources, std::vector<Character*>{&source});
    EXPECT_EQ(CloneSources(state, source), std::vector<Character*>{&other});
    const CloningButtons b = CloningButtonsFor(target, false);
    EXPECT_FALSE(b.DirectClone);
    EXPECT_TRUE(b.CreateAClone);
    EXPECT_TRUE(CloningButtonsFor(source, false).DirectClone);
    EXPECT_FALSE(DirectClone(other, nullptr, target, nullptr, groups));

    // Without a genetics record on either side only the properties travel.
    Character lone = Receiver();
    DNA untouched;
    CloneGroups genes;
    genes.Genes = true;
    ASSERT_TRUE(DirectClone(source, nullptr, lone, &untouched, genes));
    EXPECT_EQ(lone.HairColor, "donor-hair");
    EXPECT_FALSE(untouched.Modified);
    EXPECT_TRUE(lone.BodySourcePath.empty());
}

// Whole neighborhoods from the demo: exported, taken over, saved and read again.
class CloneNeighborhoodTest : public ::testing::Test {
protected:
    void SetUp() override { WriteDemoUserData(dir.path(), DemoOptions{}); }

    bool Load(LoadedNeighborhood& state, const std::string& folder) {
        Neighborhood n;
        n.FolderName = folder;
        n.PackagePath = dir.path() / "Neighborhoods" / folder / (folder + "_Neighborhood.package");
        EditingContext context{
            messages, 1, [] { return std::make_shared<const Bitmap>(Bitmap(8, 8)); }, {}};
        return LoadNeighborhood(n, state, LabelForm::FirstName, context).Loaded;
    }
    bool Save(LoadedNeighborhood& state) {
        EditingContext context{
            messages, 1, [] { return std::make_shared<const Bitmap>(Bitmap(8, 8)); }, {}};
        const SaveOutcome outcome = SaveNeighborhood(state, context);
        EXPECT_FALSE(outcome.Failure) << *outcome.Failure;
        return outcome.Saved;
    }
    static Character* WithBody(const LoadedNeighborhood& state, std::size_t skip = 0) {
        for (Character* sim : state.Sims)
            if (sim->HasBody && skip-- == 0) return sim;
        return nullptr;
    }
    test::TempDir dir;
    test::FakeMessages messages;
};

TEST_F(CloneNeighborhoodTest, ACloneCarriesASimIntoAnotherNeighborhood) {
    LoadedNeighborhood from, to;
    ASSERT_TRUE(Load(from, "N001"));
    ASSERT_TRUE(Load(to, "G001"));  // the short index form
    Character* source = WithBody(from);
    Character* target = WithBody(to);
    ASSERT_TRUE(source && target);
    const fs::path sourcePackage = from.CharactersFolder / source->FileName;
    const Bytes sourceBefore = ReadWholeFile(sourcePackage);

    const fs::path file = dir / "Ann.clone";
    ASSERT_TRUE(ExportClone(from, *source, file, {false, 1}, messages));
    EXPECT_EQ(ReadWholeFile(sourcePackage), sourceBefore);  // read, never rewritten

    const Character original = *target;
    const FourBytes guid = target->GUID;
    CloneGroups groups;
    groups.Personality = groups.Skills = groups.Character = groups.Genes = groups.Body = true;
    ASSERT_TRUE(
        ImportClone(file, groups, *target, to.FindDNA(target->DescriptionInstance), messages));
    EXPECT_EQ(target->BodySourcePath, file);
    ASSERT_TRUE(Save(to));
    EXPECT_TRUE(target->BodySourcePath.empty());
    EXPECT_FALSE(target->CloneInProgress);

    LoadedNeighborhood again;
    ASSERT_TRUE(Load(again, "G001"));
    const Character* reloaded = again.FindSim(guid);
    ASSERT_NE(reloaded, nullptr);
    for (std::uint32_t group : {1u, 3u, 6u})
        EXPECT_EQ(GroupBytes(group, *reloaded), GroupBytes(group, *source)) << group;
    for (std::uint32_t group : {4u, 5u})
        EXPECT_EQ(GroupBytes(group, *reloaded), GroupBytes(group, original)) << group;
    EXPECT_EQ(reloaded->FirstName, source->FirstName);
    EXPECT_EQ(reloaded->LastName, source->LastName);
    EXPECT_EQ(reloaded->SkinColor, source->SkinColor);
    EXPECT_EQ(reloaded->HairColor, source->HairColor);
    EXPECT_EQ(reloaded->PropertyAge, source->PropertyAge);

    bool sourcePicture = false, targetPicture = true;
    const auto expectedBody = test::BodyEntries(sourcePackage, messages, sourcePicture);
    EXPECT_EQ(expectedBody.size(), kBodyEntryTypes.size());
    EXPECT_EQ(
        test::BodyEntries(again.CharactersFolder / reloaded->FileName, messages, targetPicture),
        expectedBody);
    EXPECT_FALSE(targetPicture);
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();
}

TEST_F(CloneNeighborhoodTest, DirectCloneBodyIsExchangedAtSave) {
    LoadedNeighborhood state;
    ASSERT_TRUE(Load(state, "N001"));
    Character* source = WithBody(state, 0);
    Character* target = WithBody(state, 1);
    ASSERT_TRUE(source && target);
    CloneGroups body;
    body.Body = true;
    ASSERT_TRUE(DirectClone(*source, nullptr, *target, nullptr, body));
    const FourBytes guid = target->GUID;
    ASSERT_TRUE(Save(state));

    LoadedNeighborhood again;
    ASSERT_TRUE(Load(again, "N001"));
    bool picture = false, targetPicture = true;
    const auto expected = test::BodyEntries(
        again.CharactersFolder / again.FindSim(source->GUID)->FileName, messages, picture);
    EXPECT_EQ(test::BodyEntries(again.CharactersFolder / again.FindSim(guid)->FileName, messages,
                                targetPicture),
              expected);
    EXPECT_FALSE(targetPicture);
}

// A character package that lacks a part of a body gives no body: it is not offered as a source,
// Direct Clone refuses it, and a save that would take it refuses before any file changes.
TEST_F(CloneNeighborhoodTest, OnlyAPackageWithTheWholeBodyGivesOne) {
    std::string sourceFile, targetFile;
    {
        LoadedNeighborhood state;
        ASSERT_TRUE(Load(state, "N001"));
        ASSERT_TRUE(WithBody(state, 2));
        for (Character* sim : state.Sims) EXPECT_FALSE(sim->HasBody && sim->IncompleteBody);
        sourceFile = WithBody(state, 0)->FileName;
        targetFile = WithBody(state, 1)->FileName;
    }
    const fs::path characters = dir.path() / "Neighborhoods" / "N001" / "Characters";
    const Bytes whole = ReadWholeFile(characters / sourceFile);
    for (std::uint32_t missing : kBodyEntryTypes) {
        SCOPED_TRACE(TypeIdText(missing));
        ReplaceFileAtomically(characters / sourceFile, whole);
        test::HideEntryType(characters / sourceFile, missing);
        LoadedNeighborhood state;
        ASSERT_TRUE(Load(state, "N001"));
        Character* source = nullptr;
        Character* target = nullptr;
        for (Character* sim : state.Sims) {
            if (sim->FileName == sourceFile) source = sim;
            if (sim->FileName == targetFile) target = sim;
        }
        ASSERT_TRUE(source && target);
        EXPECT_FALSE(GivesClone(*source));
        const auto offered = CloneSources(state, *target);
        EXPECT_EQ(std::count(offered.begin(), offered.end(), source), 0);
        EXPECT_FALSE(offered.empty()) << "sims with a whole body are still offered";

        CloneGroups groups = CloneGroups::All();
        const Character before = *target;
        EXPECT_FALSE(DirectClone(*source, nullptr, *target, nullptr, groups));
        EXPECT_EQ(target->Cooking, before.Cooking);
        EXPECT_TRUE(target->BodySourcePath.empty());
        EXPECT_FALSE(target->Modified);

        // A body source noted some other way is refused by the save itself.
        const Bytes targetBefore = ReadWholeFile(characters / targetFile);
        target->BodySourcePath = source->FilePath;
        target->CloneInProgress = target->Modified = true;
        EditingContext context{
            messages, 1, [] { return std::make_shared<const Bitmap>(Bitmap(8, 8)); }, {}};
        const SaveOutcome outcome = SaveNeighborhood(state, context);
        EXPECT_FALSE(outcome.Saved);
        ASSERT_TRUE(outcome.Failure);
        EXPECT_NE(outcome.Failure->find("does not hold every body entry"), std::string::npos);
        EXPECT_EQ(ReadWholeFile(characters / targetFile), targetBefore);
        EXPECT_TRUE(target->Modified);
    }
}

// Package names longer than the 28 characters shown: export reads and the body exchange uses
// the sims' own files.
TEST_F(CloneNeighborhoodTest, LongFileNamesCloneAndSave) {
    LoadedNeighborhood first;
    ASSERT_TRUE(Load(first, "N001"));
    const fs::path folder = first.CharactersFolder;
    const fs::path sourceFile = folder / "N001_Body_source_with_a_long_name.package";
    const fs::path targetFile = folder / "N001_Body_target_with_a_long_name.package";
    fs::rename(WithBody(first, 0)->FilePath, sourceFile);
    fs::rename(WithBody(first, 1)->FilePath, targetFile);

    LoadedNeighborhood state;
    ASSERT_TRUE(Load(state, "N001"));
    Character* source = nullptr;
    Character* target = nullptr;
    for (Character* c : state.Sims) {
        if (c->FilePath == sourceFile) source = c;
        if (c->FilePath == targetFile) target = c;
    }
    ASSERT_TRUE(source && target);

    const fs::path clone = dir / "Long.clone";
    ASSERT_TRUE(ExportClone(state, *source, clone, {}, messages));
    EXPECT_TRUE(ReadCloneFile(ReadWholeFile(clone)).HasBody);

    CloneGroups body;
    body.Body = true;
    ASSERT_TRUE(DirectClone(*source, nullptr, *target, nullptr, body));
    EXPECT_EQ(target->BodySourcePath, sourceFile);
    const FourBytes guid = target->GUID;
    ASSERT_TRUE(Save(state));

    LoadedNeighborhood again;
    ASSERT_TRUE(Load(again, "N001"));
    ASSERT_NE(again.FindSim(guid), nullptr);
    EXPECT_EQ(again.FindSim(guid)->FilePath, targetFile);
    bool picture = false, targetPicture = true;
    EXPECT_EQ(test::BodyEntries(targetFile, messages, targetPicture),
              test::BodyEntries(sourceFile, messages, picture));
    EXPECT_FALSE(targetPicture);
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();
}

TEST_F(CloneNeighborhoodTest, ExportAsksBeforeReplacingAndReportsWhatItCannotRead) {
    LoadedNeighborhood state;
    ASSERT_TRUE(Load(state, "N001"));
    Character* sim = WithBody(state);
    ASSERT_NE(sim, nullptr);
    const fs::path file = dir / "Kept.clone";
    ReplaceFileAtomically(file, Text("earlier"));

    EXPECT_FALSE(ExportClone(state, *sim, file, {}, messages));  // the question answered Cancel
    EXPECT_EQ(messages.asked,
              std::vector<std::string>{
                  "\"Kept.clone\" already exists, Do you wish to replace this file?"});
    EXPECT_EQ(ReadWholeFile(file), Text("earlier"));
    messages.script({true});
    EXPECT_TRUE(ExportClone(state, *sim, file, {}, messages));
    EXPECT_TRUE(ReadCloneFile(ReadWholeFile(file)).HasBody);

    // A failed write is reported with its own text and leaves the earlier clone as it was.
    struct FailingWriter : AtomicFileWriter {
        std::size_t WriteChunk(std::FILE*, ByteView) override { return 0; }
    } failing;
    const Bytes written = ReadWholeFile(file);
    messages.script({true});
    EXPECT_FALSE(ExportClone(state, *sim, file, {}, messages, &failing));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_FALSE(messages.shown[0].empty());
    EXPECT_EQ(ReadWholeFile(file), written);

    // A character package whose index cannot be listed gives no clone, and says so.
    const fs::path package = state.CharactersFolder / sim->FileName;
    Bytes broken = ReadWholeFile(package);
    test::SetU32(broken, 36, 0);
    ReplaceFileAtomically(package, broken);
    const fs::path other = dir / "Other.clone";
    EXPECT_FALSE(ExportClone(state, *sim, other, {}, messages));
    EXPECT_FALSE(fs::exists(other));
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.back().rfind(
                  "No clone was written: the character package " + sim->FileName, 0),
              0u);
}

}  // namespace
}  // namespace kinloom

namespace kinloom {
namespace {

TEST(CloneLabelTest, ARenamedSimIsLabelledInTheListsForm) {
    auto sim = [](const char* first, const char* last, const char* file) {
        auto c = std::make_unique<Character>();
        c->FirstName = first;
        c->LastName = last;
        c->FileName = file;
        return c;
    };
    struct Case {
        const char* name;
        LabelForm form;
        std::size_t sims, target;
    };
    const Case cases[] = {{"file form, judged from the first entry", LabelForm::File, 2, 1},
                          {"last-name form, judged from the second", LabelForm::LastName, 2, 0},
                          {"first-name form", LabelForm::FirstName, 3, 2},
                          {"alone: the form last sorted into", LabelForm::LastName, 1, 0},
                          {"alone in file form", LabelForm::File, 1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoadedNeighborhood state;
        state.Form = c.form;
        const char* names[][3] = {{"Ann", "Smith", "N001_User00001.package"},
                                  {"Bo", "Berg", "N001_User00002.package"},
                                  {"Cy", "Cole", "N001_User00003.package"}};
        for (std::size_t i = 0; i < c.sims; ++i) {
            state.Characters.push_back(sim(names[i][0], names[i][1], names[i][2]));
            state.Sims.push_back(state.Characters.back().get());
        }
        Character& target = *state.Sims[c.target];
        target.FirstName = "Zed";  // taken over from a clone
        EXPECT_EQ(LabelAfterImport(state, target), SimLabel(target, c.form));
    }
}

TEST(CloneFolderTest, TheLastFolderIsRememberedElseTheDefaultIsMade) {
    test::TempDir documents;
    MemorySettings settings;
    // Without the program's own folder under documents the default cannot be made in one step.
    EXPECT_EQ(CloneStartFolder(settings, documents.path()), std::nullopt);
    // Nor without a documents folder: nothing is made relative to wherever the program runs.
    {
        test::TempDir elsewhere;
        fs::create_directory(elsewhere / "Quillfern");
        {
            test::ScopedCurrentFolder inElsewhere(elsewhere.path());
            EXPECT_EQ(CloneStartFolder(settings, fs::path()), std::nullopt);
        }
        EXPECT_FALSE(fs::exists(elsewhere / "Quillfern" / "Clones"));
    }
    fs::create_directory(documents / "Quillfern");
    EXPECT_EQ(CloneStartFolder(settings, documents.path()), documents / "Quillfern" / "Clones");
    EXPECT_TRUE(fs::is_directory(documents / "Quillfern" / "Clones"));

    RememberCloneFolder(settings, fs::path("/games/clones/AnnSmith.clone"));
    const std::string remembered =
        std::string("/games/clones") + static_cast<char>(fs::path::preferred_separator);
    EXPECT_EQ(settings.ReadText("ClonePath"), remembered);
    EXPECT_EQ(CloneStartFolder(settings, documents.path()), fs::path(remembered));
}

}  // namespace
}  // namespace kinloom
