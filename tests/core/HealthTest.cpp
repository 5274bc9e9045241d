// The neighborhood health check and its safe mends: a demo neighborhood checks clean; one hurt the
// ways tools and hand-deletions hurt them shows each finding; the mend drops only references to
// sims that exist nowhere, after a backup, and leaves every other entry as it was.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "DemoN001.h"
#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "WinePrefix.h"
#include "core/editing/LoadNeighborhood.h"
#include "core/editing/SaveNeighborhood.h"
#include "core/health/Mending.h"
#include "core/health/NeighborhoodHealth.h"
#include "core/packages/Compression.h"
#include "core/platform/FileIO.h"
#include "core/platform/Messages.h"

namespace kinloom {
namespace {

namespace fs = std::filesystem;

std::multiset<FindingKind> Kinds(const HealthReport& report) {
    std::multiset<FindingKind> kinds;
    for (const Finding& f : report.Findings) kinds.insert(f.Kind);
    return kinds;
}

std::string Listed(const HealthReport& report) {
    std::string text;
    for (const Finding& f : report.Findings)
        text += SeverityName(f.Level) + " " + FindingKindName(f.Kind) + ": " + f.Subject + ": " +
                f.Explanation + "\n";
    return text;
}

// Every entry's plain content by (type, instance, position among equals).
std::map<std::tuple<std::uint32_t, std::uint32_t, int>, Bytes> PlainEntries(const fs::path& file) {
    const Package p = Package::Open(file);
    SilentMessages silent;
    std::map<std::tuple<std::uint32_t, std::uint32_t, int>, Bytes> out;
    std::map<std::pair<std::uint32_t, std::uint32_t>, int> seen;
    for (const PackageIndexEntry& e : p.Entries) {
        if (e.Type == types::CompressedDirectory) continue;
        Bytes plain;
        DecompressEntry(p.View(), e, plain, silent);
        out[{e.Type, e.Instance, seen[{e.Type, e.Instance}]++}] = plain;
    }
    return out;
}

class HealthTest : public ::testing::Test {
protected:
    test::TempDir dir;
    test::FakeMessages messages;
    EditingContext context = test::BlankPictureContext(messages);
    Neighborhood n001 = test::WriteDemoN001(dir / "demo");
    LoadedNeighborhood state;

    void Load() {
        state = LoadedNeighborhood{};
        ASSERT_TRUE(LoadNeighborhood(n001, state, LabelForm::FirstName, context).Loaded);
    }
    fs::path Characters() const { return n001.PackagePath.parent_path() / "Characters"; }

    // Hurts the neighborhood: a relationship with sim 0x999 (no description), a family tie naming
    // it, a household member no file knows, a character package deleted by hand (its description
    // stays), one copied (a duplicate GUID), one that is not a package at all.
    void Hurt() {
        Load();
        const std::uint16_t known = static_cast<std::uint16_t>(state.Sims[0]->DescriptionInstance);
        state.FamilyTies.push_back({known, 4, 0x999});
        state.FamilyTiesModified = true;
        state.Households[0]->Members.push_back({9, 9, 9, 9});
        state.Households[0]->Modified = true;
        ASSERT_TRUE(SaveNeighborhood(state, context).Saved);

        // The save never adds entries: the relationship is put in by rebuilding the package.
        const Package p = Package::Open(n001.PackagePath);
        SilentMessages silent;
        test::PackageBuilder rebuilt(p.EntrySize);
        for (const PackageIndexEntry& e : p.Entries) {
            if (e.Type == types::CompressedDirectory) continue;
            Bytes plain;
            ASSERT_TRUE(DecompressEntry(p.View(), e, plain, silent));
            rebuilt.add(e.Type, e.Instance, plain, e.Group, e.InstanceHigh);
        }
        Bytes relationship(24, 0);
        test::SetU32(relationship, 8, 50);
        rebuilt.add(types::Relationship, 0x0999u << 16 | known, relationship);
        rebuilt.write(n001.PackagePath);

        const std::vector<fs::path> files = PackageFilesIn(Characters());
        ASSERT_GE(files.size(), 3u);
        fs::remove(files[1]);
        fs::copy_file(files[2], Characters() / "N001_User90000.package");
        test::WriteTextFile(Characters() / "N001_User90001.package", "not a package");
        Load();
    }
};

TEST_F(HealthTest, TheDemoNeighborhoodHasNoProblem) {
    Load();
    const HealthReport report = CheckNeighborhood(state);
    EXPECT_FALSE(report.HasProblem()) << Listed(report);
    EXPECT_TRUE(PlanSafeMends(state, report).Empty());
}

TEST_F(HealthTest, EachHurtIsFoundAndOnlyReferencesToNobodyAreMendable) {
    Hurt();
    std::vector<std::pair<std::size_t, std::size_t>> progress;
    const HealthReport report = CheckNeighborhood(
        state, [&](std::size_t done, std::size_t total) { progress.emplace_back(done, total); });
    const std::multiset<FindingKind> kinds = Kinds(report);
    for (FindingKind kind :
         {FindingKind::MemberWithoutSim, FindingKind::TieToNobody,
          FindingKind::RelationshipToNobody, FindingKind::DescriptionWithoutCharacter,
          FindingKind::DuplicateGuid, FindingKind::UnreadableCharacter}) {
        EXPECT_EQ(kinds.count(kind), 1u) << FindingKindName(kind) << "\n" << Listed(report);
    }
    EXPECT_TRUE(report.HasProblem());
    for (const Finding& f : report.Findings) {
        const bool toNobody = f.Kind == FindingKind::MemberWithoutSim ||
                              f.Kind == FindingKind::TieToNobody ||
                              f.Kind == FindingKind::RelationshipToNobody;
        EXPECT_EQ(f.Mendable, toNobody) << FindingKindName(f.Kind);
    }
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back().first, progress.back().second);

    const MendPlan plan = PlanSafeMends(state, report);
    ASSERT_EQ(plan.Changes.size(), 3u);
    EXPECT_NE(plan.Changes[0].find("relationship of sim 2457"), std::string::npos)
        << plan.Changes[0];
}

// The kinds nothing can mend without guessing, each made the way a tool or a hand would make it.
TEST_F(HealthTest, EveryOtherKindIsFoundAndNoneOfThemIsMendable) {
    Load();
    Character* named = state.Sims[0];
    Character* moved = nullptr;  // a member of some household
    Household* home = nullptr;
    for (Character* sim : state.Sims) {
        if (sim->FamilyNumber == 0 || moved) continue;
        moved = sim;
        home = state.FindHousehold(static_cast<std::uint16_t>(sim->FamilyNumber));
    }
    ASSERT_NE(home, nullptr);
    Household* other = nullptr;
    for (const auto& h : state.Households)
        if (h.get() != home && !other) other = h.get();
    ASSERT_NE(other, nullptr);
    Character* homeless = nullptr;
    for (Character* sim : state.Sims)
        if (sim != moved && sim != named && !homeless) homeless = sim;
    ASSERT_NE(homeless, nullptr);

    named->FirstName = "Bad\xFF";  // not UTF-8
    named->Modified = true;
    other->Members.push_back(moved->GUID);  // listed by two households
    other->Modified = true;
    homeless->FamilyNumber = 0x7777;  // a household that does not exist
    homeless->Modified = true;
    // A member dropped from its household's list while it still names the household.
    const auto unlisted =
        std::find_if(home->Members.begin(), home->Members.end(),
                     [&](const FourBytes& m) { return m != moved->GUID && m != homeless->GUID; });
    ASSERT_NE(unlisted, home->Members.end());
    home->Members.erase(unlisted);
    home->Modified = true;
    const auto a = static_cast<std::uint16_t>(named->DescriptionInstance);
    const auto b = static_cast<std::uint16_t>(homeless->DescriptionInstance);
    state.FamilyTies.push_back({a, 4, b});  // a child that has no such parent
    state.FamilyTies.push_back({b, 3, b});  // its own sibling
    state.FamilyTiesModified = true;
    ASSERT_FALSE(state.Relationships.empty());
    RelationshipRecord dropped = state.Relationships.front();
    state.Relationships.erase(state.Relationships.begin());  // one direction gone
    ASSERT_TRUE(SaveNeighborhood(state, context).Saved);

    // A description removed and an entry that does not decode, by rebuilding the package.
    const Package p = Package::Open(n001.PackagePath);
    SilentMessages silent;
    test::PackageBuilder rebuilt(p.EntrySize);
    bool removed = false;
    const std::uint32_t lostInstance = state.Sims.back()->DescriptionInstance;
    for (const PackageIndexEntry& e : p.Entries) {
        if (e.Type == types::CompressedDirectory) continue;
        if (e.Type == types::SimDescription && e.Instance == lostInstance && !removed) {
            removed = true;
            continue;
        }
        Bytes plain;
        ASSERT_TRUE(DecompressEntry(p.View(), e, plain, silent));
        rebuilt.add(e.Type, e.Instance, plain, e.Group, e.InstanceHigh);
    }
    ASSERT_TRUE(removed);
    // Stored bytes that announce compressed content of another size.
    rebuilt.add(0x0BADC0DE, 1, Bytes{0, 0, 0, 0, 0x10, 0xFB, 0, 0x40, 0, 0xFC, 1, 2, 3});
    rebuilt.write(n001.PackagePath);
    const std::string movedFile = moved->FilePath.filename().string();
    Load();  // the records above are gone now

    const HealthReport report = CheckNeighborhood(state);
    const std::multiset<FindingKind> kinds = Kinds(report);
    for (FindingKind kind :
         {FindingKind::SimInTwoHouseholds, FindingKind::FamilyWithoutHousehold,
          FindingKind::NotListedByHousehold, FindingKind::TiesDisagree, FindingKind::OwnRelative,
          FindingKind::OneSidedRelationship, FindingKind::CharacterWithoutDescription,
          FindingKind::NameNotUtf8, FindingKind::UndecodableEntry}) {
        EXPECT_GE(kinds.count(kind), 1u) << FindingKindName(kind) << "\n" << Listed(report);
    }
    for (const Finding& f : report.Findings) {
        if (f.Kind == FindingKind::TieToNobody || f.Kind == FindingKind::RelationshipToNobody)
            continue;  // the removed description leaves references to nobody behind
        EXPECT_FALSE(f.Mendable) << FindingKindName(f.Kind);
    }
    for (const Finding& f : report.Findings) {
        if (f.Kind == FindingKind::OneSidedRelationship) {
            EXPECT_EQ(f.Level, Severity::Note);
        }
        if (f.Kind == FindingKind::SimInTwoHouseholds) {
            EXPECT_NE(f.Subject.find(movedFile), std::string::npos) << f.Subject;
        }
    }
    EXPECT_NE(Listed(report).find("Sim " + std::to_string(dropped.SimB) +
                                  " has a relationship with sim " + std::to_string(dropped.SimA)),
              std::string::npos)
        << Listed(report);
}

TEST_F(HealthTest, MendingDropsTheReferencesAfterABackupAndChangesNothingElse) {
    Hurt();
    const auto before = PlainEntries(n001.PackagePath);
    const Bytes packageBefore = ReadWholeFile(n001.PackagePath);

    // A dry run and a refused backup change nothing.
    MendOutcome tried = MendSafeProblems(
        state, context, [] { return true; }, true);
    EXPECT_FALSE(tried.Mended);
    EXPECT_EQ(tried.Plan.Changes.size(), 3u);
    tried = MendSafeProblems(
        state, context, [] { return false; }, false);
    EXPECT_FALSE(tried.Mended);
    ASSERT_TRUE(tried.Failure);
    EXPECT_EQ(ReadWholeFile(n001.PackagePath), packageBefore);
    // Other unsaved edits would be saved with the mend: refused.
    state.Sims[0]->Modified = true;
    tried = MendSafeProblems(
        state, context, [] { return true; }, false);
    EXPECT_FALSE(tried.Mended);
    EXPECT_EQ(ReadWholeFile(n001.PackagePath), packageBefore);
    state.Sims[0]->Modified = false;

    int backups = 0;
    const MendOutcome mended = MendSafeProblems(
        state, context,
        [&] {
            ++backups;
            // The backup comes before anything changes on disk.
            EXPECT_EQ(ReadWholeFile(n001.PackagePath), packageBefore);
            return true;
        },
        false);
    ASSERT_TRUE(mended.Mended) << mended.Failure.value_or("");
    EXPECT_EQ(backups, 1);
    EXPECT_TRUE(PlanSafeMends(state, mended.After).Empty());

    // Reloaded from disk: the references are gone, the other findings stay.
    Load();
    const HealthReport again = CheckNeighborhood(state);
    const std::multiset<FindingKind> kinds = Kinds(again);
    EXPECT_EQ(kinds.count(FindingKind::MemberWithoutSim), 0u);
    EXPECT_EQ(kinds.count(FindingKind::TieToNobody), 0u);
    EXPECT_EQ(kinds.count(FindingKind::RelationshipToNobody), 0u);
    EXPECT_EQ(kinds.count(FindingKind::DuplicateGuid), 1u);
    EXPECT_EQ(kinds.count(FindingKind::UnreadableCharacter), 1u);

    // Every entry the mend did not concern holds what it held.
    const auto after = PlainEntries(n001.PackagePath);
    for (const auto& [key, content] : before) {
        const auto [type, instance, nth] = key;
        if (type == types::Relationship && instance >> 16 == 0x999) {
            EXPECT_FALSE(after.contains(key));
            continue;
        }
        if (type == types::FamilyTies || type == types::Household) continue;
        ASSERT_TRUE(after.contains(key)) << std::hex << type << " " << instance;
        EXPECT_EQ(after.at(key), content) << std::hex << type << " " << instance;
    }
    EXPECT_EQ(std::count_if(state.FamilyTies.begin(), state.FamilyTies.end(),
                            [](const FamilyTie& t) { return t.Relative == 0x999; }),
              0);
}

}  // namespace
}  // namespace kinloom
