#include <gtest/gtest.h>

#include "core/records/FamilyTies.h"

namespace kinloom {
namespace {

// Family-ties content built by hand: per owner its number, the word after it and its ties.
struct Group {
    std::uint16_t owner;
    std::uint32_t word;
    std::vector<std::pair<std::uint32_t, std::uint16_t>> ties;
};

Bytes Content(std::uint32_t first, const std::vector<Group>& groups) {
    Bytes b;
    AppendU32(b, first);
    AppendU32(b, static_cast<std::uint32_t>(groups.size()));
    for (const Group& g : groups) {
        AppendU16(b, g.owner);
        AppendU32(b, g.word);
        AppendU32(b, static_cast<std::uint32_t>(g.ties.size()));
        for (auto [kind, relative] : g.ties) {
            AppendU32(b, kind);
            AppendU16(b, relative);
        }
    }
    return b;
}

TEST(FamilyTiesTest, ReadsEveryTieInFileOrderAndAppends) {
    const Bytes content =
        Content(0x77, {{5, 0x1234, {{1, 6}, {3, 7}}}, {6, 9, {}}, {7, 0, {{2, 5}}}});
    std::vector<FamilyTie> ties{{1, 2, 3}};
    ReadFamilyTies(content, ties);
    EXPECT_EQ(ties, (std::vector<FamilyTie>{{1, 2, 3}, {5, 1, 6}, {5, 3, 7}, {7, 2, 5}}));
}

// Writing regroups by owner in order of first appearance; the uninterpreted words become 1.
TEST(FamilyTiesTest, WritesTiesGroupedByOwner) {
    struct Case {
        const char* name;
        std::vector<FamilyTie> ties;
        Bytes expected;
    } cases[] = {
        {"empty list", {}, Bytes{1, 0, 0, 0, 0, 0, 0, 0}},
        {"adjacent owners",
         {{5, 1, 6}, {5, 3, 7}, {7, 2, 5}},
         Content(1, {{5, 1, {{1, 6}, {3, 7}}}, {7, 1, {{2, 5}}}})},
        {"owner ties apart",
         {{5, 1, 6}, {7, 2, 5}, {8, 4, 5}, {5, 3, 7}, {7, 9, 8}},
         Content(1, {{5, 1, {{1, 6}, {3, 7}}}, {7, 1, {{2, 5}, {9, 8}}}, {8, 1, {{4, 5}}}})},
        {"full-width numbers",
         {{0xFFFF, 0xFFFFFFFF, 0x8001}},
         Content(1, {{0xFFFF, 1, {{0xFFFFFFFF, 0x8001}}}})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WriteFamilyTies(c.ties), c.expected);
    }

    // Read back, a written list gives the grouped ties and writes the same bytes again.
    std::vector<FamilyTie> again;
    ReadFamilyTies(cases[2].expected, again);
    EXPECT_EQ(WriteFamilyTies(again), cases[2].expected);
}

// Content cut anywhere, or counts beyond what remains: a read error with nothing appended.
TEST(FamilyTiesTest, ShortContentIsAReadError) {
    const Bytes full = Content(1, {{5, 1, {{1, 6}, {3, 7}}}, {7, 1, {{2, 5}}}});
    for (std::size_t cut = 0; cut < full.size(); ++cut) {
        const Bytes part(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut));
        std::vector<FamilyTie> ties{{1, 2, 3}};
        EXPECT_THROW(ReadFamilyTies(part, ties), ReadError) << cut;
        EXPECT_EQ(ties.size(), 1u) << cut;
    }
    struct Case {
        const char* name;
        std::size_t offset;
        std::uint32_t value;
    } cases[] = {
        {"owner count", 4, 0xFFFFFFFF},
        {"owner count one too many", 4, 3},
        {"tie count", 14, 0x7FFFFFFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes b = full;
        for (int i = 0; i < 4; ++i)
            b[c.offset + static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>(c.value >> (8 * i));
        std::vector<FamilyTie> ties;
        EXPECT_THROW(ReadFamilyTies(b, ties), ReadError);
        EXPECT_TRUE(ties.empty());
    }
}

}  // namespace
}  // namespace kinloom
