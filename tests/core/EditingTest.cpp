// Loading and saving whole neighborhoods, end to end on the demo data.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "DemoN001.h"
#include "FailingSteps.h"
#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "core/demo/DemoWriter.h"
#include "core/editing/LoadNeighborhood.h"
#include "core/editing/SaveNeighborhood.h"
#include "core/packages/Compression.h"
#include "core/packages/TextList.h"
#include "core/platform/FileIO.h"
#include "core/records/GeneticsStrings.h"

namespace kinloom {
namespace {
namespace fs = std::filesystem;

// Every file of a folder tree with its bytes.
std::map<fs::path, Bytes> Snapshot(const fs::path& root) {
    std::map<fs::path, Bytes> files;
    for (const auto& item : fs::recursive_directory_iterator(root))
        if (item.is_regular_file())
            files[fs::relative(item.path(), root)] = ReadWholeFile(item.path());
    return files;
}

// The plain content of every entry of a package, by type and instance (in index order).
std::map<std::pair<std::uint32_t, std::uint32_t>, std::vector<Bytes>> Entries(
    const fs::path& file) {
    test::FakeMessages quiet;
    const Bytes data = ReadWholeFile(file);
    EntryList list;
    ReadIndex(data, list);
    std::map<std::pair<std::uint32_t, std::uint32_t>, std::vector<Bytes>> out;
    for (const PackageIndexEntry& e : list) {
        if (e.Type == types::CompressedDirectory) continue;
        Bytes content;
        EXPECT_TRUE(DecompressEntry(data, e, content, quiet));
        out[{e.Type, e.Instance}].push_back(std::move(content));
    }
    return out;
}

class EditingTest : public ::testing::Test {
protected:
    void SetUp() override { neighborhood = test::WriteDemoN001(dir.path()); }

    LoadOutcome Load(LoadedNeighborhood& state) {
        EditingContext context{
            messages, 1, [] { return std::make_shared<const Bitmap>(Bitmap(128, 128)); },
            [this](int position, int maximum) { progress.emplace_back(position, maximum); }};
        return LoadNeighborhood(neighborhood, state, LabelForm::FirstName, context);
    }
    SaveOutcome Save(LoadedNeighborhood& state, AtomicFileWriter* writer = nullptr) {
        EditingContext context = test::BlankPictureContext(messages);
        return SaveNeighborhood(state, context, writer);
    }

    test::TempDir dir;
    Neighborhood neighborhood;
    test::FakeMessages messages;
    std::vector<std::pair<int, int>> progress;
};

TEST_F(EditingTest, LoadsEveryPartOfTheDemoNeighborhood) {
    LoadedNeighborhood state;
    ASSERT_TRUE(Load(state).Loaded);
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();
    const auto files = PackageFilesIn(state.CharactersFolder);
    ASSERT_GE(files.size(), 10u);
    EXPECT_EQ(state.Sims.size(), files.size());
    for (const Character* sim : state.Sims) {
        SCOPED_TRACE(sim->FileName);
        EXPECT_NE(sim->DescriptionInstance, kNoDescription);
        EXPECT_FALSE(sim->FirstName.empty());
        EXPECT_EQ(sim->Thumbnail.Picture().Width(), 128);
        EXPECT_FALSE(sim->Modified);
    }
    // List order follows the labels.
    for (std::size_t i = 1; i < state.Sims.size(); ++i)
        EXPECT_FALSE(LabelLess(SimLabel(*state.Sims[i], state.Form),
                               SimLabel(*state.Sims[i - 1], state.Form)));
    EXPECT_GE(state.Households.size(), 4u);
    EXPECT_FALSE(state.FamilyTies.empty());
    EXPECT_FALSE(state.DNAList.empty());
    EXPECT_FALSE(state.Relationships.empty());
    EXPECT_FALSE(state.Selected.NGBDName.empty());
    EXPECT_FALSE(state.Selected.NGBDVersion.empty());
    // Progress runs over the characters, then four passes over the index, and ends at 0 of 100.
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.front(), std::make_pair(0, static_cast<int>(files.size())));
    EXPECT_EQ(progress.back(), std::make_pair(0, 100));
    EXPECT_EQ(progress[files.size()],
              std::make_pair(static_cast<int>(files.size()), static_cast<int>(files.size())));
}

TEST_F(EditingTest, DamagedCharactersAreReportedAndSkipped) {
    LoadedNeighborhood first;
    ASSERT_TRUE(Load(first).Loaded);
    const std::size_t total = first.Sims.size();
    const fs::path characters = first.CharactersFolder;
    // One package whose index count is 0, one cut short inside its entries, one empty file.
    const auto files = PackageFilesIn(characters);
    Bytes zero = ReadWholeFile(files[0]);
    test::SetU32(zero, kIndexCountField, 0);
    ReplaceFileAtomically(files[0], zero);
    Bytes cut = ReadWholeFile(files[1]);
    EntryList list;
    ReadIndex(cut, list);
    test::SetU32(cut, kIndexOffsetField, static_cast<std::uint32_t>(cut.size() - 8));
    ReplaceFileAtomically(files[1], cut);
    ReplaceFileAtomically(characters / "N001_Empty.package", Bytes{});

    messages.shown.clear();
    LoadedNeighborhood state;
    ASSERT_TRUE(Load(state).Loaded);
    EXPECT_EQ(state.Sims.size(), total - 2);
    const std::string ignored = "\r\nThis Character will be ignored.";
    std::vector<std::string> expected{
        "An Index Error was found in " + files[0].filename().string() + ignored,
        "An Data Error was found in " + files[1].filename().string() + ignored,
        "An Data Error was found in N001_Empty.package" + ignored};
    std::vector<std::string> shown = messages.shown;
    std::sort(expected.begin(), expected.end());
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, expected);
}

TEST_F(EditingTest, MissingOrBrokenNeighborhoodPackages) {
    LoadedNeighborhood state;
    neighborhood.PackagePath = dir.path() / "Neighborhoods" / "N009" / "N009_Neighborhood.package";
    LoadOutcome missing = Load(state);
    EXPECT_FALSE(missing.Loaded);
    EXPECT_FALSE(missing.Failure);
    EXPECT_TRUE(messages.shown.empty()) << "a missing package is not reported";

    neighborhood.PackagePath = dir.path() / "Neighborhoods" / "N001" / "N001_Neighborhood.package";
    Bytes data = ReadWholeFile(neighborhood.PackagePath);
    test::SetU32(data, kIndexSizeField, 0);
    ReplaceFileAtomically(neighborhood.PackagePath, data);
    EXPECT_FALSE(Load(state).Loaded);
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{"An Index Error was found in N001_Neighborhood.package\r\n"
                                       "This Neighborhood will be ignored."});
    EXPECT_TRUE(state.Sims.empty());
}

TEST_F(EditingTest, SavingWithNothingModifiedRewritesOnlyTheNeighborhoodPackage) {
    LoadedNeighborhood state;
    ASSERT_TRUE(Load(state).Loaded);
    const auto before = Snapshot(dir.path());
    const auto entriesBefore = Entries(neighborhood.PackagePath);
    SaveOutcome saved = Save(state);
    ASSERT_TRUE(saved.Saved) << saved.Failure.value_or("");
    const auto after = Snapshot(dir.path());
    const fs::path package = fs::relative(neighborhood.PackagePath, dir.path());
    for (const auto& [path, bytes] : before) {
        SCOPED_TRACE(path.string());
        if (path != package) {
            EXPECT_TRUE(after.at(path) == bytes);
        }
    }
    // Stored plain now, every entry the same content; the name list is regenerated as it was.
    EXPECT_EQ(Entries(neighborhood.PackagePath), entriesBefore);
    EXPECT_EQ(
        FindFirst(Package::Open(neighborhood.PackagePath).Entries, types::CompressedDirectory),
        nullptr);
}

TEST_F(EditingTest, AFullCycleChangesExactlyWhatWasEdited) {
    LoadedNeighborhood state;
    ASSERT_TRUE(Load(state).Loaded);
    const auto before = Snapshot(dir.path());
    const auto entriesBefore = Entries(neighborhood.PackagePath);

    // A sim's skill and first name; a household's funds and members; genes; a relationship; a tie.
    Character& sim = *state.Sims.front();
    sim.Cooking = static_cast<std::int16_t>(sim.Cooking == 777 ? 778 : 777);
    sim.FirstName = "R\xC3\xA9mi";
    sim.Modified = true;
    Household& household = *state.Households.front();
    household.Cash += 1234;
    household.Members.push_back(FourBytes{1, 2, 3, 4});
    household.Modified = true;
    DNA& dna = state.DNAList.front();
    dna.SkinTone = "00000000-0000-0000-0000-0000000000aa";
    dna.Modified = true;
    Character* owner = nullptr;
    for (Character* c : state.Sims)
        if (c->DescriptionInstance == dna.Instance) owner = c;
    ASSERT_NE(owner, nullptr);
    owner->Modified = true;
    RelationshipRecord& rel = state.Relationships.front();
    rel.ShortTerm = 42;
    rel.Modified = 1;
    state.FamilyTies.push_back({static_cast<std::uint16_t>(sim.DescriptionInstance), 7, 999});
    const std::string simFile = sim.FileName, ownerFile = owner->FileName;

    SaveOutcome saved = Save(state);
    ASSERT_TRUE(saved.Saved) << saved.Failure.value_or("");
    EXPECT_FALSE(sim.Modified);
    EXPECT_FALSE(household.Modified);
    EXPECT_FALSE(dna.Modified);

    // Character packages of sims that were not changed are untouched.
    const auto after = Snapshot(dir.path());
    for (const auto& [path, bytes] : before) {
        const std::string name = path.filename().string();
        if (path.parent_path().filename() != "Characters" || name == simFile || name == ownerFile)
            continue;
        SCOPED_TRACE(name);
        EXPECT_TRUE(after.at(path) == bytes);
    }

    LoadedNeighborhood again;
    ASSERT_TRUE(Load(again).Loaded);
    const Character* reloaded = nullptr;
    for (const Character* c : again.Sims)
        if (c->FileName == simFile) reloaded = c;
    ASSERT_NE(reloaded, nullptr);
    EXPECT_EQ(reloaded->Cooking, sim.Cooking);
    EXPECT_EQ(reloaded->FirstName, "R\xC3\xA9mi");
    const Household* h = again.FindHousehold(household.Instance);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->Cash, household.Cash);
    EXPECT_EQ(h->Members, household.Members);
    EXPECT_EQ(again.FindDNA(dna.Instance)->SkinTone, dna.SkinTone);
    EXPECT_EQ(again.Relationships.front().ShortTerm, 42);
    EXPECT_EQ(again.FamilyTies.size(), state.FamilyTies.size());

    // Entry by entry, only the entries of those records changed.
    const auto entriesAfter = Entries(neighborhood.PackagePath);
    ASSERT_EQ(entriesAfter.size(), entriesBefore.size());
    std::vector<std::string> changed;
    for (const auto& [key, contents] : entriesBefore)
        if (entriesAfter.at(key) != contents) changed.push_back(TypeIdText(key.first));
    std::sort(changed.begin(), changed.end());
    EXPECT_EQ(changed, (std::vector<std::string>{"46414D49", "8C870743", "AACE2EFB", "CC364C2A",
                                                 "EBFEE33F"}));
}

// Fails every write of a file after the first n files.
class FailAfterFiles : public AtomicFileWriter {
public:
    explicit FailAfterFiles(int files) : left_(files) {}

protected:
    std::size_t WriteChunk(std::FILE* file, ByteView chunk) override {
        if (chunk.data() != last_) {
            last_ = chunk.data();
            --left_;
        }
        return left_ < 0 ? 0 : AtomicFileWriter::WriteChunk(file, chunk);
    }

private:
    const std::uint8_t* last_ = nullptr;
    int left_;
};

TEST_F(EditingTest, AFailedSaveChangesNoFileAndKeepsTheEdits) {
    LoadedNeighborhood state;
    ASSERT_TRUE(Load(state).Loaded);
    const auto before = Snapshot(dir.path());
    Character& sim = *state.Sims.front();
    sim.Cooking = 555;
    sim.Modified = true;
    state.Households.front()->Modified = true;

    FailAfterFiles failing(0);
    SaveOutcome failed = Save(state, &failing);
    EXPECT_FALSE(failed.Saved);
    ASSERT_TRUE(failed.Failure);
    EXPECT_NE(failed.Failure->find("N001_Neighborhood.package"), std::string::npos)
        << *failed.Failure;
    EXPECT_TRUE(Snapshot(dir.path()) == before);
    EXPECT_TRUE(sim.Modified);
    EXPECT_TRUE(state.Households.front()->Modified);

    // A character package that vanished stops the save before any file is replaced.
    fs::remove(sim.FilePath);
    auto withoutSim = Snapshot(dir.path());
    SaveOutcome vanished = Save(state);
    EXPECT_FALSE(vanished.Saved);
    ASSERT_TRUE(vanished.Failure);
    EXPECT_NE(vanished.Failure->find(sim.FileName), std::string::npos) << *vanished.Failure;
    EXPECT_TRUE(vanished.Changed.empty());
    EXPECT_TRUE(Snapshot(dir.path()) == withoutSim);
    EXPECT_TRUE(sim.Modified);
}

// Whatever a save would write counts as unsaved (closing or switching asks first), stays unsaved
// through a failed save, and is saved by a successful one.
TEST_F(EditingTest, EveryEditASaveWritesCountsAsUnsavedUntilSaved) {
    struct Case {
        const char* edit;
        std::function<void(LoadedNeighborhood&)> make;
    };
    const Case cases[] = {
        {"neighborhood name", [](LoadedNeighborhood& s) { s.Selected.Modified = 1; }},
        {"sim", [](LoadedNeighborhood& s) { s.Sims.back()->Modified = true; }},
        {"household", [](LoadedNeighborhood& s) { s.Households.back()->Modified = true; }},
        {"parents", [](LoadedNeighborhood& s) { s.FamilyTiesModified = true; }},
        {"genes", [](LoadedNeighborhood& s) { s.DNAList.back().Modified = true; }},
        {"relationship", [](LoadedNeighborhood& s) { s.Relationships.back().Modified = 1; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edit);
        LoadedNeighborhood state;
        ASSERT_TRUE(Load(state).Loaded);
        ASSERT_FALSE(state.AnythingModified()) << "loading is no edit";
        c.make(state);
        EXPECT_TRUE(state.AnythingModified());
        FailAfterFiles failing(0);
        EXPECT_FALSE(Save(state, &failing).Saved);
        EXPECT_TRUE(state.AnythingModified()) << "a failed save keeps the edits unsaved";
        const SaveOutcome saved = Save(state);
        ASSERT_TRUE(saved.Saved) << saved.Failure.value_or("");
        EXPECT_FALSE(state.AnythingModified());
    }

    // The question names the neighborhood as the list shows it.
    Neighborhood named;
    named.FolderName = "N001";
    named.NGBDName = " Zo\xC3\xAB's Bay ";
    EXPECT_EQ(UnsavedChangesQuestion(named),
              "The changes to N001 : Zo\xC3\xAB's Bay have not been saved.\r\nDo you want to save "
              "them?");
}

// A save of three files (the neighborhood package and two sims) that fails at each replacement
// in turn: every file stays byte for byte as it was, and the message says so.
TEST_F(EditingTest, ASaveFailingAtAnyReplacementChangesNoFile) {
    using Step = test::FailingSteps::Step;
    LoadedNeighborhood state;
    ASSERT_TRUE(Load(state).Loaded);
    Character& first = *state.Sims[0];
    Character& second = *state.Sims[1];
    first.FirstName = "Ida";
    second.FirstName = "Ole";
    first.Modified = second.Modified = true;
    const auto before = Snapshot(dir.path());
    const fs::path files[] = {neighborhood.PackagePath, first.FilePath, second.FilePath};

    for (Step step : {Step::Write, Step::MoveAside, Step::Commit}) {
        for (int at = 0; at < 3; ++at) {
            SCOPED_TRACE(testing::Message()
                         << "step " << static_cast<int>(step) << ", file " << at);
            test::FailingSteps failing(step, at);
            const SaveOutcome failed = Save(state, &failing);
            EXPECT_FALSE(failed.Saved);
            EXPECT_TRUE(failed.Changed.empty());
            const std::string cause = step == Step::Write ? "cannot write " + files[at].string() +
                                                                " (the original is unchanged)"
                                                          : "injected failure";
            EXPECT_EQ(failed.Failure,
                      "The neighborhood was not saved: " + files[at].filename().string() +
                          " could not be replaced (" + cause +
                          ").\r\nNo file was changed; your edits are still here, so Save can be "
                          "pressed again.");
            EXPECT_TRUE(Snapshot(dir.path()) == before);
            EXPECT_TRUE(first.Modified && second.Modified);
            EXPECT_EQ(first.FirstName, "Ida");
        }
    }

    // The last file cannot take its image and the neighborhood package cannot be put back (the
    // third put-back, as they run last file first): the message names it and its earlier version.
    test::FailingSteps stuck;
    stuck.Fail(Step::Commit, 2).Fail(Step::PutBack, 2);
    const SaveOutcome failed = Save(state, &stuck);
    EXPECT_FALSE(failed.Saved);
    ASSERT_EQ(failed.Changed.size(), 1u);
    const StrandedFile& changed = failed.Changed[0];
    EXPECT_EQ(changed.Target, neighborhood.PackagePath);
    EXPECT_EQ(failed.Failure,
              "The neighborhood was not saved: " + files[2].filename().string() +
                  " could not be replaced (injected failure), and putting the earlier files back "
                  "failed too.\r\nThese files are changed:\r\n" +
                  neighborhood.PackagePath.string() +
                  " holds the new version; its earlier version is " + changed.OldCopy.string() +
                  "\r\nEvery other file is as it was, and your edits are still here. To go back to "
                  "an earlier version, rename it over the changed file.");
    auto after = Snapshot(dir.path());
    const fs::path package = fs::relative(neighborhood.PackagePath, dir.path());
    const fs::path oldCopy = fs::relative(changed.OldCopy, dir.path());
    EXPECT_TRUE(after.at(oldCopy) == before.at(package));
    EXPECT_FALSE(after.at(package) == before.at(package));
    after.erase(oldCopy);
    after[package] = before.at(package);
    EXPECT_TRUE(after == before);
    EXPECT_TRUE(first.Modified && second.Modified);
}

TEST_F(EditingTest, AnEarlierVersionThatCannotBeDeletedDoesNotFailTheSave) {
    using Step = test::FailingSteps::Step;
    LoadedNeighborhood state;
    ASSERT_TRUE(Load(state).Loaded);
    Character& sim = *state.Sims[0];
    sim.FirstName = "Ida";
    sim.Modified = true;
    const FourBytes guid = sim.GUID;

    test::FailingSteps undeletable(Step::Remove, 1);  // the sim's earlier version stays
    const SaveOutcome saved = Save(state, &undeletable);
    ASSERT_TRUE(saved.Saved) << saved.Failure.value_or("");
    EXPECT_FALSE(sim.Modified);
    ASSERT_EQ(saved.OldCopiesLeft.size(), 1u);
    const fs::path left = saved.OldCopiesLeft[0];
    EXPECT_EQ(left.parent_path(), state.CharactersFolder);
    ASSERT_TRUE(saved.Notice);
    EXPECT_NE(saved.Notice->find(left.string()), std::string::npos) << *saved.Notice;
    EXPECT_TRUE(fs::exists(left));

    // The hidden earlier version is never loaded as a sim.
    messages.shown.clear();
    LoadedNeighborhood again;
    ASSERT_TRUE(Load(again).Loaded);
    EXPECT_EQ(again.Sims.size(), state.Sims.size());
    ASSERT_NE(again.FindSim(guid), nullptr);
    EXPECT_EQ(again.FindSim(guid)->FirstName, "Ida");
    EXPECT_TRUE(messages.shown.empty());
}

// Sims whose package names are longer than the 28 characters shown, and alike in those 28.
TEST_F(EditingTest, ASimWithALongFileNameSavesItsOwnPackage) {
    LoadedNeighborhood first;
    ASSERT_TRUE(Load(first).Loaded);
    const fs::path folder = first.CharactersFolder;
    const fs::path longA = folder / "N001_User00000_with_a_long_name_A.package";
    const fs::path longB = folder / "N001_User00000_with_a_long_name_B.package";
    fs::rename(first.Sims[0]->FilePath, longA);
    fs::rename(first.Sims[1]->FilePath, longB);

    LoadedNeighborhood state;
    ASSERT_TRUE(Load(state).Loaded);
    Character* a = nullptr;
    Character* b = nullptr;
    for (Character* c : state.Sims) {
        if (c->FilePath == longA) a = c;
        if (c->FilePath == longB) b = c;
    }
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->FileName, "N001_User00000_with_a_long_n");
    EXPECT_EQ(b->FileName, a->FileName);
    const auto before = Snapshot(dir.path());

    b->FirstName = "Longname";
    b->Cooking = 432;
    b->Modified = true;
    const FourBytes guid = b->GUID;
    const SaveOutcome saved = Save(state);
    ASSERT_TRUE(saved.Saved) << saved.Failure.value_or("");

    // Only the neighborhood package and B's own package changed; no file came or went.
    auto after = Snapshot(dir.path());
    const fs::path package = fs::relative(neighborhood.PackagePath, dir.path());
    const fs::path own = fs::relative(longB, dir.path());
    EXPECT_FALSE(after.at(own) == before.at(own));
    after[package] = before.at(package);
    after[own] = before.at(own);
    EXPECT_TRUE(after == before);

    LoadedNeighborhood again;
    ASSERT_TRUE(Load(again).Loaded);
    const Character* reloaded = again.FindSim(guid);
    ASSERT_NE(reloaded, nullptr);
    EXPECT_EQ(reloaded->FilePath, longB);
    EXPECT_EQ(reloaded->FirstName, "Longname");
    EXPECT_EQ(reloaded->Cooking, 432);
}

}  // namespace
}  // namespace kinloom
