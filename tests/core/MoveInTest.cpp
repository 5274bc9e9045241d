// Moving sims between households and deleting sims: in memory, and end to end on the demo data.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "DemoN001.h"
#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "core/demo/DemoWriter.h"
#include "core/editing/LoadNeighborhood.h"
#include "core/editing/MoveIn.h"
#include "core/editing/SaveNeighborhood.h"
#include "core/platform/FileIO.h"
#include "core/platform/FileOps.h"

namespace kinloom {
namespace {
namespace fs = std::filesystem;

FourBytes Guid(std::uint8_t n) {
    return {n, 0x10, 0x20, 0x30};
}

bool IsMember(const Household& household, const FourBytes& guid) {
    return std::find(household.Members.begin(), household.Members.end(), guid) !=
           household.Members.end();
}

// Trash is a folder of the test; it can be made to refuse.
class TrashFileOps final : public FilesystemFileOps {
public:
    explicit TrashFileOps(fs::path trash) : trash_(std::move(trash)) {}
    bool DeleteToTrash(const fs::path& item) override {
        trashed.push_back(item);
        if (!works) return false;
        fs::create_directories(trash_);
        return FilesystemFileOps::RenameItem(item, FreeName(trash_, item.filename()));
    }
    bool DeletePermanently(const fs::path& item) override {
        ADD_FAILURE() << "a sim's package is never deleted for good: " << item;
        return false;
    }
    bool works = true;
    std::vector<fs::path> trashed;

private:
    fs::path trash_;
};

// A neighborhood of households only, members given by GUID number.
struct Households {
    explicit Households(std::initializer_list<std::pair<std::uint32_t, std::vector<int>>> list) {
        for (const auto& [instance, members] : list) {
            auto h = std::make_unique<Household>();
            h->Instance = instance;
            for (int m : members) h->Members.push_back(Guid(static_cast<std::uint8_t>(m)));
            state.Households.push_back(std::move(h));
        }
        state.SortHouseholds();
    }
    Household& at(std::size_t i) { return *state.Households[i]; }
    LoadedNeighborhood state;
};

TEST(MoveIn, MembershipMovesAndEveryTouchedHouseholdIsMarked) {
    struct Case {
        const char* name;
        Households neighborhood;
        std::size_t target;
        std::vector<std::vector<int>> members;  // per household afterwards
        std::vector<bool> modified;
    };
    Case cases[] = {
        {"listed in two households, moved into a third",
         Households{{1, {7, 2}}, {2, {3, 7}}, {3, {4}}, {4, {5}}},
         2,
         {{2}, {3}, {4, 7}, {5}},
         {true, true, true, false}},
        {"listed twice in one household",
         Households{{1, {7, 2, 7}}, {2, {3}}},
         1,
         {{2}, {3, 7}},
         {true, true}},
        {"moved into its own household goes to the end",
         Households{{1, {7, 2}}, {2, {3}}},
         0,
         {{2, 7}, {3}},
         {true, false}},
        {"from no household", Households{{1, {2}}, {2, {3}}}, 1, {{2}, {3, 7}}, {false, true}},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        Character sim;
        sim.GUID = Guid(7);
        MoveIn(c.neighborhood.state, sim, c.neighborhood.at(c.target));
        for (std::size_t i = 0; i < c.members.size(); ++i) {
            SCOPED_TRACE(i);
            std::vector<FourBytes> expected;
            for (int m : c.members[i]) expected.push_back(Guid(static_cast<std::uint8_t>(m)));
            EXPECT_EQ(c.neighborhood.at(i).Members, expected);
            EXPECT_EQ(c.neighborhood.at(i).Modified, c.modified[i]);
        }
    }
}

TEST(MoveIn, TheSimsFamilyNumberNamesItsNewHousehold) {
    struct Case {
        const char* name;
        std::uint32_t instance;
        std::int16_t before;
        std::int16_t after;
        bool simModified;
    };
    const Case cases[] = {
        {"another household", 4, 1, 4, true},
        {"from no household", 2, 0, 2, true},
        {"the household it names already", 3, 3, 3, false},
        {"an instance using all 16 bits", 0xFFFE, 1, -2, true},
        {"an instance too wide for the field", 0x12345, 1, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Households neighborhood{{1, {7}}, {c.instance, {}}};
        Character sim;
        sim.GUID = Guid(7);
        sim.FamilyNumber = c.before;
        MoveIn(neighborhood.state, sim, neighborhood.at(1));
        EXPECT_EQ(sim.FamilyNumber, c.after);
        EXPECT_EQ(sim.Modified, c.simModified);
        EXPECT_TRUE(IsMember(neighborhood.at(1), sim.GUID));
    }
}

TEST(MoveIn, IsOfferedOnlyOutsideTheSimsOwnHousehold) {
    Households neighborhood{{1, {2, 7}}, {2, {3}}};
    Character sim;
    sim.GUID = Guid(7);
    EXPECT_FALSE(CanMoveIn(neighborhood.at(0), sim));
    EXPECT_TRUE(CanMoveIn(neighborhood.at(1), sim));
}

// Sims named A, B, C... whose character packages are files of a test folder.
class DeleteTest : public ::testing::Test {
protected:
    void Make(int count) {
        state.CharactersFolder = dir / "Characters";
        fs::create_directories(state.CharactersFolder);
        for (int i = 0; i < count; ++i) {
            auto sim = std::make_unique<Character>();
            sim->FirstName = std::string(1, static_cast<char>('A' + i));
            sim->FileName = "N001_User0000" + std::to_string(i) + ".package";
            sim->FilePath = state.CharactersFolder / sim->FileName;
            sim->GUID = Guid(static_cast<std::uint8_t>(i));
            WriteWholeFile(sim->FilePath, Bytes{1, 2, 3});
            state.Characters.push_back(std::move(sim));
        }
        state.SortSims(LabelForm::FirstName);
    }
    std::string Names() const {
        std::string names;
        for (const Character* sim : state.Sims) names += sim->FirstName;
        return names;
    }
    static void WriteWholeFile(const fs::path& file, const Bytes& bytes) {
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

    test::TempDir dir;
    LoadedNeighborhood state;
    test::FakeMessages messages;
    TrashFileOps files{dir / "Trash"};
};

TEST_F(DeleteTest, SelectsTheSimNowAtThePositionOrTheNewLast) {
    struct Case {
        int sims;
        std::size_t deleted;
        const char* left;
        std::optional<std::size_t> next;
    };
    const Case cases[] = {
        {3, 0, "BC", 0},
        {3, 1, "AC", 1},
        {3, 2, "AB", 1},
        {1, 0, "", std::nullopt},
    };
    std::vector<std::string> questions;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sims << " sims, deleting " << c.deleted);
        state = LoadedNeighborhood{};
        fs::remove_all(dir.path());
        Make(c.sims);
        const std::string file = state.Sims[c.deleted]->FileName;
        questions.push_back(DeleteSimQuestion(*state.Sims[c.deleted]));
        messages.script({true});
        const SimDeleteOutcome outcome = DeleteCharacter(state, c.deleted, messages, files);
        EXPECT_TRUE(outcome.Deleted);
        EXPECT_EQ(outcome.NextSelection, c.next);
        EXPECT_EQ(Names(), c.left);
        EXPECT_EQ(state.Characters.size(), state.Sims.size());
        EXPECT_FALSE(fs::exists(state.CharactersFolder / file));
        EXPECT_TRUE(fs::exists(dir / "Trash" / file));
    }
    EXPECT_EQ(messages.asked, questions);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DeleteTest, NothingChangesWithoutYesOrWhenTheTrashFails) {
    Make(2);
    const fs::path file = state.CharactersFolder / state.Sims[0]->FileName;

    // No.
    messages.script({false});
    EXPECT_FALSE(DeleteCharacter(state, 0, messages, files).Deleted);
    EXPECT_TRUE(files.trashed.empty());
    EXPECT_EQ(messages.asked.size(), 1u);

    // Yes, but the trash refuses.
    files.works = false;
    messages.script({true});
    const SimDeleteOutcome failed = DeleteCharacter(state, 0, messages, files);
    EXPECT_FALSE(failed.Deleted);
    EXPECT_FALSE(failed.NextSelection);
    EXPECT_EQ(files.trashed, std::vector<fs::path>{file});
    EXPECT_EQ(messages.shown, std::vector<std::string>{kDeleteSimFailed});

    EXPECT_EQ(Names(), "AB");
    EXPECT_EQ(state.Characters.size(), 2u);
    EXPECT_TRUE(fs::exists(file));
}

TEST_F(DeleteTest, TheQuestionNamesTheSimAndDefaultsToNo) {
    struct Case {
        const char* first;
        const char* last;
        const char* question;
    };
    const Case cases[] = {
        {"Anna", "Bell",
         "You are about to delete the selected Character \"Anna Bell\" (N001_User00000). Are you "
         "sure you want to do this?\r\nThis cannot be undone."},
        {" Zo\xC3\xAB ", "",
         "You are about to delete the selected Character \"Zo\xC3\xAB\" (N001_User00000). Are you "
         "sure you want to do this?\r\nThis cannot be undone."},
        {"", "",
         "You are about to delete the selected Character (N001_User00000). Are you sure you want "
         "to do this?\r\nThis cannot be undone."},
    };
    Make(1);
    Character& sim = *state.Sims[0];
    for (const Case& c : cases) {
        SCOPED_TRACE(c.question);
        sim.FirstName = c.first;
        sim.LastName = c.last;
        EXPECT_EQ(DeleteSimQuestion(sim), c.question);
    }
    // Enter on the question keeps the sim.
    EXPECT_FALSE(DeleteCharacter(state, 0, messages, files).Deleted);
    EXPECT_EQ(messages.asked, std::vector<std::string>{cases[2].question});
    EXPECT_EQ(messages.defaults, std::vector<DefaultAnswer>{DefaultAnswer::No});
}

TEST_F(DeleteTest, APendingBodySourceIsKeptUntilSaved) {
    Make(2);
    Character& source = *state.Sims[0];
    const fs::path file = state.CharactersFolder / source.FileName;
    state.Sims[1]->CloneInProgress = true;
    state.Sims[1]->BodySourcePath = file;
    messages.script({true});
    EXPECT_FALSE(DeleteCharacter(state, 0, messages, files).Deleted);
    EXPECT_TRUE(messages.asked.empty());
    EXPECT_EQ(messages.shown, std::vector<std::string>{kDeleteBodySourcePending});
    EXPECT_TRUE(fs::exists(file));
    EXPECT_EQ(Names(), "AB");
    // The sim taking the body can itself be deleted.
    EXPECT_TRUE(DeleteCharacter(state, 1, messages, files).Deleted);
}

TEST_F(DeleteTest, ALongFileNameTrashesThatFile) {
    Make(2);
    Character& sim = *state.Sims[1];
    const fs::path file = state.CharactersFolder / "N001_User00001_with_a_long_name.package";
    fs::rename(sim.FilePath, file);
    sim.FilePath = file;
    sim.FileName = file.filename().string().substr(0, 28);
    messages.script({true});
    EXPECT_TRUE(DeleteCharacter(state, 1, messages, files).Deleted);
    EXPECT_EQ(files.trashed, std::vector<fs::path>{file});
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(Names(), "A");
}

TEST_F(DeleteTest, AMissingPackageOrPositionAsksNothing) {
    Make(2);
    fs::remove(state.CharactersFolder / state.Sims[1]->FileName);
    // A package outside the Characters folder is never trashed, even when it exists.
    state.Characters.front()->FilePath = dir / "N001_User00000.package";
    WriteWholeFile(dir / "N001_User00000.package", Bytes{1});
    for (std::size_t index : {0u, 1u, 2u}) {
        SCOPED_TRACE(index);
        messages.script({true});
        EXPECT_FALSE(DeleteCharacter(state, index, messages, files).Deleted);
        messages.answers.clear();
    }
    EXPECT_TRUE(messages.asked.empty());
    EXPECT_TRUE(files.trashed.empty());
    EXPECT_EQ(Names(), "AB");
}

TEST(DeleteToolTip, NamesWhatStaysBehindAndAdvisesABackup) {
    const std::string tip = kDeleteSimToolTip;
    for (const char* words : {"household", "family ties", "relationships", "backup", "trash"})
        EXPECT_NE(tip.find(words), std::string::npos) << words;
}

// End to end on the demo neighborhood.
class MoveInDemoTest : public ::testing::Test {
protected:
    void SetUp() override { neighborhood = test::WriteDemoN001(dir.path()); }
    void Load(LoadedNeighborhood& state) {
        EditingContext context = test::BlankPictureContext(messages);
        ASSERT_TRUE(LoadNeighborhood(neighborhood, state, LabelForm::FirstName, context).Loaded);
    }
    void Save(LoadedNeighborhood& state) {
        EditingContext context = test::BlankPictureContext(messages);
        const SaveOutcome outcome = SaveNeighborhood(state, context);
        ASSERT_TRUE(outcome.Saved) << outcome.Failure.value_or("");
    }
    // A loaded sim that lives in a household, and another household with loaded members.
    static std::pair<Character*, Household*> SimAndOtherHousehold(const LoadedNeighborhood& s) {
        for (Character* sim : s.Sims) {
            Household* home = s.FindHousehold(static_cast<std::uint16_t>(sim->FamilyNumber));
            if (sim->FamilyNumber == 0 || !home || !IsMember(*home, sim->GUID)) continue;
            for (const auto& other : s.Households)
                if (other.get() != home && !other->Members.empty() &&
                    s.FindSim(other->Members.front()))
                    return {sim, other.get()};
        }
        return {nullptr, nullptr};
    }

    test::TempDir dir;
    Neighborhood neighborhood;
    test::FakeMessages messages;
};

TEST_F(MoveInDemoTest, AMovedSimStaysMovedAfterSaveAndReload) {
    LoadedNeighborhood state;
    Load(state);
    auto [sim, target] = SimAndOtherHousehold(state);
    ASSERT_TRUE(sim && target);
    const FourBytes guid = sim->GUID;
    const std::uint32_t from = static_cast<std::uint16_t>(sim->FamilyNumber);
    const std::uint32_t to = target->Instance;
    std::vector<FourBytes> expectedTo = target->Members;
    expectedTo.push_back(guid);
    std::vector<FourBytes> expectedFrom = state.FindHousehold(from)->Members;
    std::erase(expectedFrom, guid);

    MoveIn(state, *sim, *target);
    Save(state);
    EXPECT_FALSE(state.AnythingModified());

    LoadedNeighborhood again;
    Load(again);
    EXPECT_EQ(again.FindHousehold(to)->Members, expectedTo);
    EXPECT_EQ(again.FindHousehold(from)->Members, expectedFrom);
    const Character* reloaded = again.FindSim(guid);
    ASSERT_TRUE(reloaded);
    EXPECT_EQ(static_cast<std::uint16_t>(reloaded->FamilyNumber), to);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MoveInDemoTest, ADeletedSimIsGoneOnReloadButStaysInItsHousehold) {
    LoadedNeighborhood state;
    Load(state);
    const fs::path package = neighborhood.PackagePath;
    const Bytes packageBefore = ReadWholeFile(package);
    const auto it = std::find_if(state.Sims.begin(), state.Sims.end(), [&](const Character* s) {
        const Household* home = state.FindHousehold(static_cast<std::uint16_t>(s->FamilyNumber));
        return s->FamilyNumber != 0 && home && IsMember(*home, s->GUID);
    });
    ASSERT_NE(it, state.Sims.end());
    const FourBytes guid = (*it)->GUID;
    const std::uint32_t home = static_cast<std::uint16_t>((*it)->FamilyNumber);
    const fs::path file = state.CharactersFolder / (*it)->FileName;
    const std::size_t count = state.Sims.size();

    test::TempDir trash;
    TrashFileOps files{trash.path()};
    messages.script({true});
    const SimDeleteOutcome outcome =
        DeleteCharacter(state, static_cast<std::size_t>(it - state.Sims.begin()), messages, files);
    ASSERT_TRUE(outcome.Deleted);
    EXPECT_FALSE(state.FindSim(guid));
    EXPECT_FALSE(state.AnythingModified());
    EXPECT_FALSE(fs::exists(file));
    EXPECT_TRUE(fs::exists(trash.path() / file.filename()));
    EXPECT_EQ(ReadWholeFile(package), packageBefore);

    LoadedNeighborhood again;
    Load(again);
    EXPECT_EQ(again.Sims.size(), count - 1);
    EXPECT_FALSE(again.FindSim(guid));
    EXPECT_TRUE(IsMember(*again.FindHousehold(home), guid));
}

}  // namespace
}  // namespace kinloom
