// What a save can write back for each field of a sim, and the refusals built on it.
#include <gtest/gtest.h>

#include "DemoN001.h"
#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "core/editing/CharacterFields.h"
#include "core/editing/DescriptionIndex.h"
#include "core/editing/LoadNeighborhood.h"
#include "core/editing/NameLists.h"
#include "core/editing/SaveNeighborhood.h"
#include "core/packages/Compression.h"
#include "core/packages/PropertySet.h"
#include "core/platform/FileIO.h"
#include "core/records/SimDescription.h"

namespace kinloom {
namespace {
namespace fs = std::filesystem;

constexpr std::uint16_t kVersions[] = {32, 34, 41, 42, 44, 47, 51};

const CharacterField& Field(const char* name) {
    const CharacterField* f = FindCharacterField(name);
    EXPECT_NE(f, nullptr) << name;
    return *f;
}

// A sim with a version-51 description, a name list and a complete body property set.
Character StorableSim(std::uint16_t version = 51) {
    Character sim;
    sim.FileName = "N001_User00007.package";
    sim.GUID = {1, 2, 3, 4};
    sim.DescriptionInstance = 7;
    sim.FormatVersion = version;
    sim.HasNameList = true;
    sim.Slots = {true, true, true, true, true};
    return sim;
}

TEST(DescriptionVersionsTest, KnownFieldsAndTheVersionsThatHoldThem) {
    struct Case {
        const char* field;
        std::uint16_t first;
        bool saved;
    };
    const Case cases[] = {
        {"Nice", 32, true},
        {"RetJobs", 32, true},
        {"UniversityMajor", 34, true},
        {"InfluenceLevel", 34, true},
        {"YoungAdult", 34, true},
        {"TurnOns", 41, true},
        {"TurnOnsExt", 47, true},
        {"Cuisine", 51, true},
        {"Talent", 51, true},
        {"LTAspiration", 51, true},
        {"LTAUnlocks", 51, true},
        {"Hunger", 51, true},
        {"Species", 44, false},
        {"OutfitSourceGUID", 32, false},
        {"LoadedCareer", 32, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        const CharacterField& f = Field(c.field);
        ASSERT_EQ(f.Home, FieldHome::Description);
        const auto versions = std::visit(
            [](auto member) -> std::optional<DescriptionVersions> {
                if constexpr (std::is_constructible_v<DescriptionMember, decltype(member)>)
                    return DescriptionVersionsOf(member);
                else
                    return std::nullopt;
            },
            f.Member);
        ASSERT_TRUE(versions);
        EXPECT_EQ(versions->First, c.first);
        EXPECT_EQ(versions->Last, 51);
        EXPECT_EQ(versions->Saved, c.saved);
        EXPECT_EQ(EverStored(f), c.saved);
    }
    EXPECT_FALSE(DescriptionVersionsOf(&Character::Nice)->Carries(31));
    EXPECT_FALSE(DescriptionVersionsOf(&Character::Species)->Carries(42));
}

// The table and the writer cannot disagree: a field a version is said to store is written into
// such a description, and one it does not store leaves every byte as copied.
TEST(DescriptionVersionsTest, AgreesWithWhatASaveWrites) {
    for (const CharacterField& f : CharacterFields()) {
        if (f.Home != FieldHome::Description || !EverStored(f)) continue;
        for (std::uint16_t version : kVersions) {
            SCOPED_TRACE(std::string(f.Name) + " in version " + std::to_string(version));
            Bytes description(SimDescriptionSize(version), 0);
            PutU16(description, 4, version);
            Character sim = StorableSim(version);
            const std::size_t guidAt = *SimDescriptionGuidOffset(version);
            std::copy(sim.GUID.begin(), sim.GUID.end(), description.begin() + guidAt);
            const Bytes before = description;
            ASSERT_FALSE(SetFieldText(sim, f,
                                      f.Kind == FieldKind::Four  ? "0A0B0C0D"
                                      : f.Kind == FieldKind::Two ? "0A0B"
                                                                 : "1234"));
            sim.Modified = true;
            const Character* sims[] = {&sim};
            WriteSimDescription(description, sims);
            const bool stored = !WhyNotStorable(sim, f);
            EXPECT_EQ(description != before, stored);
        }
    }
}

TEST(StorableTest, WhyAFieldOfASimCannotBeSaved) {
    Character v44 = StorableSim(44);
    Character v51 = StorableSim(51);
    Character none = StorableSim();
    none.DescriptionInstance = kNoDescription;
    Character nameless = StorableSim();
    nameless.HasNameList = false;
    Character noNumbers = StorableSim();
    noNumbers.Slots = {false, false, true, false, true};

    struct Case {
        const char* what;
        const Character& sim;
        const char* field;
        const char* reason;  // nullptr: stored
    };
    const Case cases[] = {
        {"a skill in any version", v44, "Cooking", nullptr},
        {"attraction from version 41", v44, "TurnOns", nullptr},
        {"a hobby before version 51", v44, "Cuisine",
         "a version 44 sim description does not hold it"},
        {"extended turn-ons before version 47", v44, "TurnOnsExt", "versions 47 to 51 do"},
        {"a hobby in version 51", v51, "Cuisine", nullptr},
        {"no description", none, "Cooking", "has no sim description"},
        {"names of a sim without a description", none, "FirstName", nullptr},
        {"no name list", nameless, "LastName", "holds no name list"},
        {"a numeric age", v44, "PropertyAge", nullptr},
        {"no numeric age", noNumbers, "PropertyAge", "holds no number"},
        {"no stored hair colour", noNumbers, "HairColor", "holds no 36-character text"},
        {"never written", v44, "Species", "never written back"},
        {"never written", v44, "OutfitSourceGUID", "never written back"},
        {"never written", v44, "FileName", "never written back"},
        {"never written", v44, "CharacterVersion", "never written back"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.what) + ": " + c.field);
        const auto why = WhyNotStorable(c.sim, Field(c.field));
        if (c.reason == nullptr) {
            EXPECT_FALSE(why) << *why;
        } else {
            ASSERT_TRUE(why);
            EXPECT_NE(why->find(c.field), std::string::npos) << *why;
            EXPECT_NE(why->find(c.reason), std::string::npos) << *why;
        }
    }
}

TEST(StorableTest, UnstorableChangesNameEachDroppedFieldAndIgnoreBookkeeping) {
    const Character before = StorableSim(41);
    Character after = before;
    after.Cooking = 500;            // stored
    after.Cuisine = 7;              // not in version 41
    after.Species = 2;              // never written
    after.SkinColor = "too short";  // not a colour
    after.Modified = after.CloneInProgress = true;
    after.BodySourcePath = "/elsewhere/N001_User00001.package";
    const auto problems = UnstorableChanges(before, after);
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_NE(problems[0].find("SkinColor"), std::string::npos);
    EXPECT_NE(problems[1].find("Species"), std::string::npos);
    EXPECT_NE(problems[2].find("Cuisine"), std::string::npos);

    after = before;
    after.Cooking = 1;
    after.Modified = true;
    EXPECT_TRUE(UnstorableChanges(before, after).empty());
}

// What a button wrote that no save would keep goes back; what a save keeps stays.
TEST(StorableTest, KeepStorableChangesTakesBackOnlyWhatASaveWouldDrop) {
    const Character before = StorableSim(41);
    Character after = before;
    after.Cooking = 500;
    after.Cuisine = 7;
    after.Species = 2;
    after.SkinColor = "too short";
    after.CloneInProgress = true;
    after.BodySourcePath = "/elsewhere/N001_User00001.package";
    const auto takenBack = KeepStorableChanges(before, after);
    EXPECT_EQ(takenBack, (std::vector<std::string>{"SkinColor", "Species", "Cuisine"}));
    EXPECT_EQ(after.Cooking, 500);
    EXPECT_EQ(after.Cuisine, before.Cuisine);
    EXPECT_EQ(after.Species, before.Species);
    EXPECT_EQ(after.SkinColor, before.SkinColor);
    EXPECT_TRUE(after.CloneInProgress) << "the save's own bookkeeping stays";
    EXPECT_TRUE(UnstorableChanges(before, after).empty());
    // Nothing to take back: nothing changes.
    Character same = after;
    EXPECT_TRUE(KeepStorableChanges(before, same).empty());
    EXPECT_EQ(FieldText(same, Field("Cooking")), "500");
}

TEST(StorableTest, BodyNumbersAreShownAndSetSigned) {
    Character sim;
    EXPECT_EQ(FieldText(sim, Field("PropertyAge")), "-1") << "unread";
    EXPECT_FALSE(SetFieldText(sim, Field("PropertyGender"), "-2"));
    EXPECT_EQ(sim.PropertyGender, 0xFFFE);
    EXPECT_TRUE(SetFieldText(sim, Field("PropertyAge"), "40000")) << "outside 16 signed bits";
    EXPECT_TRUE(SetFieldText(sim, Field("Species"), "1")) << "no save writes it";
    EXPECT_EQ(FieldText(sim, Field("FormatVersion")), "0");
}

// Name lists: the sim's own, the household's (by instance) and the neighborhood's.
TEST(NameListsTest, NameEditsNeedAListToLandIn) {
    Character sim = StorableSim();
    EXPECT_FALSE(SimNamesRefusal(sim));
    sim.HasNameList = false;
    ASSERT_TRUE(SimNamesRefusal(sim));
    EXPECT_NE(SimNamesRefusal(sim)->find("N001_User00007.package"), std::string::npos);

    LoadedNeighborhood state;
    Household named, unnamed;
    named.Instance = 5;
    unnamed.Instance = 6;
    PackageIndexEntry list;
    list.Type = types::HouseholdText;
    list.Instance = 5;
    PackageIndexEntry otherList = list;
    otherList.Type = types::Household;
    otherList.Instance = 6;
    state.NeighborhoodIndex = {list, otherList};
    EXPECT_FALSE(HouseholdNamesRefusal(state, named));
    EXPECT_TRUE(HouseholdNamesRefusal(state, unnamed));
    EXPECT_TRUE(NeighborhoodNamesRefusal(state));
    PackageIndexEntry hoodList;
    hoodList.Type = types::TextList;
    state.NeighborhoodIndex.push_back(hoodList);
    EXPECT_FALSE(NeighborhoodNamesRefusal(state));
}

class StorableSaveTest : public ::testing::Test {
protected:
    void SetUp() override { neighborhood = test::WriteDemoN001(dir.path()); }
    void Load(LoadedNeighborhood& state) {
        EditingContext context = test::BlankPictureContext(messages);
        ASSERT_TRUE(LoadNeighborhood(neighborhood, state, LabelForm::FirstName, context).Loaded);
    }
    test::TempDir dir;
    Neighborhood neighborhood;
    test::FakeMessages messages;
};

// Life stage and gender are held twice, in the description and in the body property set; a save
// keeps the two in step, so a reload shows what was saved.
TEST_F(StorableSaveTest, LifeStageAndGenderReachTheCharacterPackage) {
    LoadedNeighborhood state;
    Load(state);
    Character* sim = state.Sims.front();
    ASSERT_TRUE(sim->Slots.Age && sim->Slots.Gender);
    const fs::path file = sim->FilePath;
    const std::uint16_t age = sim->PropertyAge == 64 ? 32 : 64;
    const std::uint16_t gender = sim->PropertyGender == 1 ? 2 : 1;
    sim->PropertyAge = age;
    sim->PropertyGender = gender;
    sim->Modified = true;
    EditingContext context = test::BlankPictureContext(messages);
    ASSERT_TRUE(SaveNeighborhood(state, context).Saved);

    LoadedNeighborhood reloaded;
    Load(reloaded);
    const Character* again = nullptr;
    for (const Character* c : reloaded.Sims)
        if (c->GUID == sim->GUID) again = c;
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->PropertyAge, age);
    EXPECT_EQ(again->PropertyGender, gender);
    EXPECT_EQ(again->SkinColor, sim->SkinColor);
    EXPECT_EQ(again->FirstName, sim->FirstName);
}

}  // namespace
}  // namespace kinloom
