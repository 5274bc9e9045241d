#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/editing/LoadedNeighborhood.h"
#include "core/editing/RelationshipEdits.h"

namespace kinloom {
namespace {

RelationshipRecord Rel(std::uint16_t a, std::uint16_t b, std::uint8_t one = 0,
                       std::uint8_t two = 0) {
    RelationshipRecord r;
    r.SimA = a;
    r.SimB = b;
    r.ShortTerm = 10 * a + b;
    r.LongTerm = -(10 * a + b);
    r.RelBitOne = one;
    r.RelBitTwo = two;
    return r;
}

const RelationshipFlag& Flag(const std::string& name) {
    for (const RelationshipFlag& f : RelationshipFlags())
        if (name == f.Name) return f;
    throw std::logic_error("no flag " + name);
}

// Sims 1 and 2 know each other both ways; sim 1 also knows 3, who has no entry about 1.
struct Pair {
    std::vector<RelationshipRecord> list{Rel(1, 2), Rel(2, 1), Rel(1, 3), Rel(2, 3)};
    RelationshipRecord& r() { return list[0]; }
    RelationshipRecord& reverse() { return list[1]; }
};

TEST(RelationshipEditsTest, FlagsKeepTheGameBitsOfTheSecondByte) {
    RelationshipRecord r = Rel(1, 2, 0x00, 0x2A);
    PutFlag(r, Flag("UnAvailable"), true);
    PutFlag(r, Flag("Aquaintance"), true);
    EXPECT_EQ(r.RelBitTwo, 0xEA);
    EXPECT_EQ(r.RelBitOne, 0x00);
    PutFlag(r, Flag("UnAvailable"), false);
    EXPECT_EQ(r.RelBitTwo, 0xAA);
    EXPECT_TRUE(HasFlag(r, Flag("Aquaintance")));
    EXPECT_FALSE(HasFlag(r, Flag("Enemy")));  // bit 7 of the other byte
    PutFlag(r, Flag("Enemy"), true);
    EXPECT_EQ(r.RelBitOne, 0x80);
    EXPECT_EQ(r.RelBitTwo, 0xAA);
}

TEST(RelationshipEditsTest, MutualFlagsGoBothWaysOthersStayOnTheirSide) {
    struct Case {
        const char* flag;
        RelationshipSide side;
        bool record;   // r written
        bool reverse;  // the reverse record written
    };
    const Case cases[] = {
        {"Married", RelationshipSide::Selected, true, true},
        {"Married", RelationshipSide::Other, true, true},
        {"Aquaintance", RelationshipSide::Other, true, true},
        {"UnAvailable", RelationshipSide::Selected, true, true},
        {"Crush", RelationshipSide::Selected, true, false},
        {"Crush", RelationshipSide::Other, false, true},
        {"BestFriend", RelationshipSide::Other, false, true},
        {"Enemy", RelationshipSide::Selected, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.flag) +
                     (c.side == RelationshipSide::Selected ? " selected" : " other"));
        Pair p;
        const RelationshipFlag& flag = Flag(c.flag);
        const RelationshipEdit set = WriteRelationshipFlag(p.list, p.r(), c.side, flag, true);
        EXPECT_TRUE(set.Wrote);
        EXPECT_FALSE(set.Refused);
        EXPECT_EQ(HasFlag(p.r(), flag), c.record);
        EXPECT_EQ(p.r().Modified, c.record ? 1 : 0);
        EXPECT_EQ(HasFlag(p.reverse(), flag), c.reverse);
        EXPECT_EQ(p.reverse().Modified, c.reverse ? 1 : 0);
        for (std::size_t i = 2; i < p.list.size(); ++i) {
            EXPECT_EQ(p.list[i].Modified, 0);
            EXPECT_FALSE(HasFlag(p.list[i], flag));
        }
        // Cleared the same way.
        EXPECT_TRUE(WriteRelationshipFlag(p.list, p.r(), c.side, flag, false).Wrote);
        EXPECT_FALSE(HasFlag(p.r(), flag));
        EXPECT_FALSE(HasFlag(p.reverse(), flag));
    }
}

TEST(RelationshipEditsTest, TermsOfTheOtherSideGoToTheReverseOnly) {
    Pair p;
    EXPECT_TRUE(
        WriteRelationshipTerm(p.list, p.r(), RelationshipSide::Other, RelationshipTerm::Short, -55)
            .Wrote);
    EXPECT_EQ(p.reverse().ShortTerm, -55);
    EXPECT_EQ(p.reverse().LongTerm, -21);
    EXPECT_EQ(p.reverse().Modified, 1);
    EXPECT_EQ(p.r().ShortTerm, 12);
    EXPECT_EQ(p.r().Modified, 0);

    EXPECT_TRUE(
        WriteRelationshipTerm(p.list, p.r(), RelationshipSide::Selected, RelationshipTerm::Long, 77)
            .Wrote);
    EXPECT_EQ(p.r().LongTerm, 77);
    EXPECT_EQ(p.r().ShortTerm, 12);
    EXPECT_EQ(p.r().Modified, 1);
    EXPECT_EQ(p.reverse().LongTerm, -21);

    // Without a reverse record the other side has nowhere to go.
    RelationshipRecord& lonely = p.list[2];
    const RelationshipEdit nowhere =
        WriteRelationshipTerm(p.list, lonely, RelationshipSide::Other, RelationshipTerm::Short, 9);
    EXPECT_FALSE(nowhere.Wrote);
    EXPECT_FALSE(nowhere.Refused);
    for (std::size_t i = 2; i < p.list.size(); ++i) EXPECT_EQ(p.list[i].Modified, 0);
}

TEST(RelationshipEditsTest, MaxBothWritesOnlyWhatIsNotThereYet) {
    constexpr std::uint8_t kFriends = 0x30;
    struct Case {
        const char* what;
        RelationshipRecord r, reverse;
        bool wrote, rModified, reverseModified;
    };
    auto rel = [](std::uint16_t a, std::uint16_t b, int st, int lt, std::uint8_t one) {
        RelationshipRecord x = Rel(a, b, one, 0x80);
        x.ShortTerm = st;
        x.LongTerm = lt;
        return x;
    };
    const Case cases[] = {
        {"already maxed", rel(1, 2, 100, 100, kFriends), rel(2, 1, 100, 100, kFriends | 0x08),
         false, false, false},
        {"beyond the slider counts as its end", rel(1, 2, 150, 100, kFriends),
         rel(2, 1, 100, 300, kFriends), false, false, false},
        {"one side short of it", rel(1, 2, 100, 100, kFriends), rel(2, 1, 20, 100, kFriends), true,
         false, true},
        {"best friend missing", rel(1, 2, 100, 100, 0x10), rel(2, 1, 100, 100, kFriends), true,
         true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<RelationshipRecord> list{c.r, c.reverse, Rel(1, 3)};
        const RelationshipEdit edit = MaxBothRelationships(list, list[0]);
        EXPECT_EQ(edit.Wrote, c.wrote);
        EXPECT_FALSE(edit.Refused);
        EXPECT_EQ(list[0].Modified, c.rModified ? 1 : 0);
        EXPECT_EQ(list[1].Modified, c.reverseModified ? 1 : 0);
        EXPECT_EQ(list[2].Modified, 0);
        for (int i : {0, 1}) {
            const RelationshipRecord& x = list[static_cast<std::size_t>(i)];
            EXPECT_GE(x.ShortTerm, 100);
            EXPECT_GE(x.LongTerm, 100);
            EXPECT_EQ(x.RelBitOne & kFriends, kFriends);
            EXPECT_EQ(x.RelBitTwo, 0x80);
        }
        EXPECT_EQ(list[1].RelBitOne & 0x08, c.reverse.RelBitOne & 0x08);  // other flags kept
    }

    // Not editable without a reverse record: nothing is written.
    std::vector<RelationshipRecord> lonely{Rel(1, 3)};
    EXPECT_FALSE(MaxBothRelationships(lonely, lonely[0]).Wrote);
    EXPECT_EQ(lonely[0].Modified, 0);
    EXPECT_EQ(lonely[0].ShortTerm, 13);
}

// A record whose entry is too short is never written: every edit that would write into it,
// directly or by mirroring a mutual flag, is refused whole with the reason, and no record of the
// pair changes; edits that stay on the other side go through.
TEST(RelationshipEditsTest, EditsThatWouldWriteIntoAReadOnlyRecordAreRefused) {
    enum class Edit { Flag, Term, MaxBoth };
    struct Case {
        const char* what;
        bool readOnlyShown;  // else the reverse record is the read-only one
        Edit edit;
        const char* flag;
        RelationshipSide side;
        bool refused;
    };
    const auto Selected = RelationshipSide::Selected;
    const auto Other = RelationshipSide::Other;
    const Case cases[] = {
        {"own flag of the read-only side", true, Edit::Flag, "Crush", Selected, true},
        {"own term of the read-only side", true, Edit::Term, "", Selected, true},
        {"mutual flag from the other side", true, Edit::Flag, "Married", Other, true},
        {"mutual flag mirrored into the reverse", false, Edit::Flag, "Aquaintance", Selected, true},
        {"term of a read-only reverse", false, Edit::Term, "", Other, true},
        {"max both, shown record read-only", true, Edit::MaxBoth, "", Selected, true},
        {"max both, reverse read-only", false, Edit::MaxBoth, "", Selected, true},
        {"own flag beside a read-only reverse", false, Edit::Flag, "Enemy", Selected, false},
        {"own term beside a read-only reverse", false, Edit::Term, "", Selected, false},
        {"reverse's flag beside a read-only record", true, Edit::Flag, "Love", Other, false},
        {"reverse's term beside a read-only record", true, Edit::Term, "", Other, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Pair p;
        (c.readOnlyShown ? p.r() : p.reverse()).ReadOnly = true;
        const std::vector<RelationshipRecord> before = p.list;
        RelationshipEdit edit;
        switch (c.edit) {
            case Edit::Flag:
                edit = WriteRelationshipFlag(p.list, p.r(), c.side, Flag(c.flag), true);
                break;
            case Edit::Term:
                edit = WriteRelationshipTerm(p.list, p.r(), c.side, RelationshipTerm::Long, 66);
                break;
            case Edit::MaxBoth:
                edit = MaxBothRelationships(p.list, p.r());
                break;
        }
        ASSERT_EQ(edit.Refused.has_value(), c.refused);
        if (!c.refused) {
            EXPECT_TRUE(edit.Wrote);
            const RelationshipRecord& readOnly = c.readOnlyShown ? p.r() : p.reverse();
            const RelationshipRecord& untouched = c.readOnlyShown ? before[0] : before[1];
            EXPECT_EQ(readOnly.Modified, 0);
            EXPECT_EQ(readOnly.RelBitOne, untouched.RelBitOne);
            EXPECT_EQ(readOnly.LongTerm, untouched.LongTerm);
            continue;
        }
        EXPECT_FALSE(edit.Wrote);
        const RelationshipRecord& readOnly = c.readOnlyShown ? p.r() : p.reverse();
        EXPECT_EQ(*edit.Refused, ReadOnlyRefusal(readOnly));
        for (std::size_t i = 0; i < p.list.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(p.list[i].Modified, 0);
            EXPECT_EQ(p.list[i].ShortTerm, before[i].ShortTerm);
            EXPECT_EQ(p.list[i].LongTerm, before[i].LongTerm);
            EXPECT_EQ(p.list[i].RelBitOne, before[i].RelBitOne);
            EXPECT_EQ(p.list[i].RelBitTwo, before[i].RelBitTwo);
        }
    }
    RelationshipRecord shortOne = Rel(7, 3);
    EXPECT_EQ(ReadOnlyRefusal(shortOne),
              "How sim 7 feels about sim 3 cannot be changed: its entry in the neighborhood is too "
              "short for Kinloom to change safely, so it is kept exactly as stored. Nothing was "
              "changed.");
}

struct Neighborhood {
    LoadedNeighborhood state;

    Character& Add(std::uint32_t instance, const char* first, const char* last) {
        auto sim = std::make_unique<Character>();
        sim->DescriptionInstance = instance;
        sim->FirstName = first;
        sim->LastName = last;
        sim->FileName = "N001_User" + std::to_string(instance) + ".package";
        state.Sims.push_back(sim.get());
        state.Characters.push_back(std::move(sim));
        return *state.Characters.back();
    }
};

TEST(RelationshipEditsTest, EntriesAreTheSimsRelationshipsSortedByLabel) {
    Neighborhood n;
    Character& anna = n.Add(1, "Anna", "Bell");
    n.Add(2, "zed", "Moss");
    n.Add(3, "Carl", "Ash");
    n.Add(4, "bea", "Ash");
    n.state.Relationships = {Rel(1, 2), Rel(2, 1), Rel(1, 3), Rel(1, 9), Rel(3, 1), Rel(1, 4)};
    const std::vector<RelationshipEntry> entries = RelationshipEntries(n.state, anna);
    ASSERT_EQ(entries.size(), 3u);  // the record about sim 9, who is not listed, is left out
    EXPECT_EQ(entries[0].Label, u"bea Ash : N001_User4");
    EXPECT_EQ(entries[0].Record, 5u);
    EXPECT_EQ(entries[1].Label, u"Carl Ash : N001_User3");
    EXPECT_EQ(entries[1].Record, 2u);
    EXPECT_EQ(entries[2].Other->DescriptionInstance, 2u);
    EXPECT_EQ(entries[2].Record, 0u);

    n.state.Form = LabelForm::LastName;
    EXPECT_EQ(RelationshipEntries(n.state, anna)[0].Label, u"Ash, bea : N001_User4");
    EXPECT_TRUE(RelationshipEntries(n.state, *SimOfInstance(n.state, 4)).empty());
    EXPECT_EQ(SimOfInstance(n.state, 9), nullptr);
}

TEST(RelationshipEditsTest, CaptionsUseDecodedTrimmedNames) {
    Neighborhood n;
    Character& a = n.Add(1, "  Ren\xC3\xA9 ", "Moss\t");
    Character& b = n.Add(2, "Owen", " Hartwell");
    EXPECT_EQ(LikesCaption(a, b), u"How much Ren\u00e9 Moss likes Owen Hartwell");
    EXPECT_EQ(LikesCaption(b, a), u"How much Owen Hartwell likes Ren\u00e9 Moss");
}

}  // namespace
}  // namespace kinloom
