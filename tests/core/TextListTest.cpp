#include <gtest/gtest.h>

#include "DemoN001.h"
#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "core/editing/LoadNeighborhood.h"
#include "core/editing/SaveNeighborhood.h"
#include "core/packages/Compression.h"
#include "core/packages/TextList.h"
#include "core/packages/Utf8.h"
#include "core/platform/FileIO.h"

namespace kinloom {
namespace {

struct Item {
    int language;
    std::string value;
};

// A text list as the game stores it (descriptions non-empty, to show they are skipped).
Bytes ListBytes(const std::vector<Item>& items, std::optional<std::uint16_t> count = {}) {
    Bytes out(64, 'n');
    out.push_back(0xFD);
    out.push_back(0xFF);
    AppendU16(out, count.value_or(static_cast<std::uint16_t>(items.size())));
    for (const Item& i : items) {
        out.push_back(static_cast<std::uint8_t>(i.language));
        out.insert(out.end(), i.value.begin(), i.value.end());
        out.push_back(0);
        const std::string description = "desc";
        out.insert(out.end(), description.begin(), description.end());
        out.push_back(0);
    }
    return out;
}

using Strings = std::vector<std::string>;

TEST(TextListTest, LanguageRule) {
    struct Case {
        const char* name;
        std::vector<Item> items;
        int language;
        std::size_t wanted;
        Strings expected;
    };
    const Case cases[] = {
        {"game language fills gaps, empty entries still count",
         {{1, "A"}, {1, ""}, {1, "C"}, {4, ""}, {4, "B"}, {4, ""}},
         4,
         3,
         {"A", "B", "C"}},
        {"game language replaces", {{1, "Anna"}, {3, "Anne"}}, 3, 1, {"Anne"}},
        {"language 1 only", {{1, "Anna"}, {3, "Anne"}}, 1, 1, {"Anna"}},
        {"trimmed at both ends", {{1, " \t Anna\r\n"}, {1, "  "}}, 1, 2, {"Anna", ""}},
        {"fewer entries than wanted", {{1, "Bell"}}, 1, 3, {"Bell", "", ""}},
        {"more entries than wanted", {{1, "a"}, {1, "b"}, {1, "c"}}, 1, 2, {"a", "b"}},
        {"other languages ignored", {{2, "x"}, {1, "y"}}, 1, 1, {"y"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto read = ReadTextList(ListBytes(c.items), c.wanted, c.language);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(*read, c.expected);
    }
}

TEST(TextListTest, DamagedListsEndWithoutRunningPastTheContent) {
    EXPECT_FALSE(ReadTextList(Bytes(70, 0), 2, 1).has_value()) << "no FD FF marker";
    EXPECT_FALSE(ReadTextList(Bytes{}, 2, 1).has_value());

    Bytes lyingCount = ListBytes({{1, "First"}, {1, "Desc"}}, 500);
    EXPECT_EQ(*ReadTextList(lyingCount, 3, 1), (Strings{"First", "Desc", ""}));

    Bytes unterminated = ListBytes({{1, "First"}});
    // The last value loses its terminator: it runs to the end of the content and ends the list.
    unterminated.resize(unterminated.size() - 6);
    unterminated.push_back(1);
    EXPECT_EQ(*ReadTextList(unterminated, 2, 1), (Strings{"First", ""}));

    Bytes full = ListBytes({{1, "First"}, {1, "Middle"}, {1, "Last"}});
    for (std::size_t cut = 0; cut <= full.size(); ++cut) {
        SCOPED_TRACE(cut);
        Bytes shortened(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut));
        auto read = ReadTextList(shortened, 3, 1);
        if (cut < 66) {
            EXPECT_FALSE(read.has_value());
        } else {
            ASSERT_TRUE(read.has_value());
            EXPECT_EQ(read->size(), 3u);
        }
    }
}

TEST(TextListTest, WriteShapes) {
    auto parse = [](const Bytes& b) { return ReadTextList(b, 3, 1); };
    // Pair, game language 1: just the two language-1 entries.
    Bytes pair1 = WriteTextList(TextListShape::Pair, {"Pleasantview", "A town"}, 1);
    EXPECT_TRUE(
        std::all_of(pair1.begin(), pair1.begin() + 64, [](std::uint8_t b) { return b == 0; }));
    const std::string tail1(pair1.begin() + 64, pair1.end());
    EXPECT_EQ(tail1, std::string("\xFD\xFF\x02\x00\x01Pleasantview\0\0\x01"
                                 "A town\0\0",
                                 28));
    EXPECT_EQ(*parse(pair1), (Strings{"Pleasantview", "A town", ""}));

    // Pair in another language: language 1 first, then the game's.
    Bytes pair5 = WriteTextList(TextListShape::Pair, {"Name", "Desc"}, 5);
    const std::string tail5(pair5.begin() + 64, pair5.end());
    EXPECT_EQ(tail5, std::string("\xFD\xFF\x04\x00\x01Name\0\0\x01"
                                 "Desc\0\0\x05Name\0\0\x05"
                                 "Desc\0\0",
                                 32));

    // Sim shape: 132 entries, values only for language 1 and the game's.
    Bytes sim = WriteTextList(TextListShape::Sim, {"Anna", "likes tea", "Bell"}, 3);
    ByteReader r(sim);
    r.Seek(66);
    ASSERT_EQ(r.U16(), 132);
    for (int language = 1; language <= 44; ++language) {
        for (const std::string& own :
             {std::string("Anna"), std::string("likes tea"), std::string("Bell")}) {
            SCOPED_TRACE(language);
            ASSERT_EQ(r.U8(), language);
            const std::string expected = (language == 1 || language == 3) ? own : "";
            ByteView v = r.Take(expected.size());
            EXPECT_EQ(std::string(v.begin(), v.end()), expected);
            EXPECT_EQ(r.U8(), 0);
            EXPECT_EQ(r.U8(), 0);
        }
    }
    EXPECT_TRUE(r.AtEnd());
    EXPECT_EQ(*ReadTextList(sim, 3, 3), (Strings{"Anna", "likes tea", "Bell"}));
}

TEST(Utf8Test, Decode) {
    struct Case {
        const char* name;
        std::string bytes;
        std::u16string expected;
    };
    const Case cases[] = {
        {"ASCII", "Anna", u"Anna"},
        {"two-byte form", "\xC3\xA9", u"\u00E9"},
        {"three-byte form", "\xE6\x97\xA5\xE6\x9C\xAC", u"\u65E5\u672C"},
        {"lone lead byte at the end dropped", "Ren\xC3", u"Ren"},
        {"cut three-byte form dropped", "a\xE6\x97", u"a"},
        {"continuation bytes not checked", "\xC3\x41", u"\u00C1"},
        {"a stray continuation byte leads a three-byte form", "\x80\x41\x42z", u"Bz"},
        {"four-byte form", "\xF0\x9F\x98\x80!", u"\U0001F600!"},
        {"highest four-byte form", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
        {"four-byte form beyond Unicode",
         "a\xF4\x90\x80\x80"
         "b",
         u"a\uFFFDb"},
        {"over-long four-byte form reads as its character", "\xF0\x80\x81\x81", u"A"},
        {"four-byte continuation bytes not checked", "\xF0\x1F\x18\x80", u"\U0001F600"},
        {"cut four-byte form dropped", "Zo\xF0\x9F\x98", u"Zo"},
        // Earlier saves wrote each half of a pair as a three-byte form; they still read back.
        {"surrogates as three-byte forms", "\xED\xA0\xBC\xED\xBC\xB8", u"\U0001F338"},
        {"leads above four-byte forms still take three", "\xF8\x81\x82z", u"\u8042z"},
        {"surrounding blanks trimmed", "  Bell \t", u"Bell"},
        {"empty", "", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecodeUtf8(c.bytes), c.expected);
    }
}

// What the user types survives the way to the package and back, in every shape written.
TEST(Utf8Test, TypedNamesRoundTripThroughATextList) {
    const std::vector<std::u16string> typed = {
        u"Ren\u00E9e", u"\u65E5\u672C\u306E\u540D\u524D \u00DF", u"M\u00FCller-\u0141\u00F3d\u017A",
        u"\u30B5\u30AF\u30E9 \U0001F338"};  // a character beyond 16 bits arrives as two
    struct Case {
        TextListShape shape;
        int language;
        std::size_t count;
    };
    for (const Case& c : {Case{TextListShape::Sim, 1, 3}, Case{TextListShape::Sim, 3, 3},
                          Case{TextListShape::Pair, 1, 2}, Case{TextListShape::Pair, 5, 2}}) {
        SCOPED_TRACE(c.language);
        for (std::size_t first = 0; first + c.count <= typed.size(); ++first) {
            std::vector<std::string> stored;
            for (std::size_t i = 0; i < c.count; ++i)
                stored.push_back(EncodeUtf8(typed[first + i]));
            auto read =
                ReadTextList(WriteTextList(c.shape, stored, c.language), c.count, c.language);
            ASSERT_TRUE(read.has_value());
            ASSERT_EQ(read->size(), c.count);
            for (std::size_t i = 0; i < c.count; ++i)
                EXPECT_EQ(DecodeUtf8((*read)[i]), typed[first + i]);
        }
    }
}

TEST(Utf8Test, EncodesEachCharacterInTheShortestForm) {
    struct Case {
        const char* name;
        std::u16string text;
        std::string bytes;
    };
    const Case cases[] = {
        {"ASCII as before", u"Plain ASCII~\x7F", "Plain ASCII~\x7F"},
        {"first two-byte", u"\u0080", "\xC2\x80"},
        {"e acute", u"\u00E9", "\xC3\xA9"},
        {"last two-byte", u"\u07FF", "\xDF\xBF"},
        {"first three-byte", u"\u0800", "\xE0\xA0\x80"},
        {"kanji", u"\u65E5", "\xE6\x97\xA5"},
        {"last 16-bit", u"\uFFFF", "\xEF\xBF\xBF"},
        {"surrogate pair as one four-byte form", u"\U0001F338", "\xF0\x9F\x8C\xB8"},
        {"first beyond 16 bits", u"\U00010000", "\xF0\x90\x80\x80"},
        {"last beyond 16 bits", u"\U0010FFFF", "\xF4\x8F\xBF\xBF"},
        // Half a pair is no character: it is replaced, never written as a surrogate.
        {"lone high surrogate", std::u16string{u'a', char16_t(0xD83C), u'b'},
         "a\xEF\xBF\xBD"
         "b"},
        {"lone low surrogate", std::u16string{char16_t(0xDF38)}, "\xEF\xBF\xBD"},
        {"high surrogate at the end", std::u16string{u'x', char16_t(0xD83C)}, "x\xEF\xBF\xBD"},
        {"pair in the wrong order", std::u16string{char16_t(0xDF38), char16_t(0xD83C)},
         "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"empty", u"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(EncodeUtf8(c.text), c.bytes);
    }
}

// Emoji joined into one picture, an accent, kanji and a character beyond 16 bits: written as the
// standard UTF-8 any other program writes, and read back to the same characters.
TEST(Utf8Test, TextBeyondSixteenBitsRoundTripsAsStandardUtf8) {
    const std::u16string text = u"\U0001F469\u200D\U0001F52C Zo\u00EB \u5C71\u7530 \U00020BB7";
    const std::string standard =
        "\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x94\xAC Zo\xC3\xAB \xE5\xB1\xB1\xE7\x94\xB0 "
        "\xF0\xA0\xAE\xB7";
    EXPECT_EQ(EncodeUtf8(text), standard);
    EXPECT_EQ(DecodeUtf8(standard), text);
    EXPECT_EQ(DecodeUtf8(EncodeUtf8(text)), text);
}

// A name typed with such characters is saved into the sim's character package and loads again
// as the same text.
TEST(Utf8Test, ANameBeyondSixteenBitsIsSavedAndReloaded) {
    test::TempDir dir;
    const Neighborhood n001 = test::WriteDemoN001(dir.path());
    test::FakeMessages messages;
    EditingContext context = test::BlankPictureContext(messages);
    LoadedNeighborhood before;
    ASSERT_TRUE(LoadNeighborhood(n001, before, LabelForm::FirstName, context).Loaded);
    ASSERT_FALSE(before.Sims.empty());
    Character& sim = *before.Sims.front();
    const FourBytes guid = sim.GUID;
    const std::u16string typed = u"\U0001F469\u200D\U0001F52C Zo\u00EB";
    sim.FirstName = EncodeUtf8(typed);
    sim.Modified = true;
    ASSERT_TRUE(SaveNeighborhood(before, context).Saved);

    LoadedNeighborhood after;
    ASSERT_TRUE(LoadNeighborhood(n001, after, LabelForm::FirstName, context).Loaded);
    const Character* again = after.FindSim(guid);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->FirstName, "\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x94\xAC Zo\xC3\xAB");
    EXPECT_EQ(DecodeUtf8(again->FirstName), typed);
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();
}

// Names that were never edited go back exactly as stored, whatever their bytes.
TEST(TextListTest, StoredBytesAreWrittenBackUnchanged) {
    const std::vector<std::string> stored = {
        "Ren\xE9"
        "e",
        "\xC3", "\xF0\x9F\x8C\xB8 x"};
    for (int language : {1, 7}) {
        SCOPED_TRACE(language);
        auto read = ReadTextList(WriteTextList(TextListShape::Sim, stored, language), 3, language);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(*read, stored);
    }
    // A zero byte cannot be stored inside a value: the value ends there, the list stays whole.
    const std::vector<std::string> withZero = {std::string("Ann\0a", 5), "Desc", "Bell"};
    auto read = ReadTextList(WriteTextList(TextListShape::Sim, withZero, 2), 3, 2);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, (Strings{"Ann", "Desc", "Bell"}));
}

// A save changes only the strings the player edited: the other languages' names and
// descriptions, the entries of the strings left alone, the name field and each entry's second
// text stay as stored.
TEST(TextListTest, OnlyTheEditedStringChangesInEveryLanguage) {
    // A sim's list in three languages: English (1), German (4) and French (2).
    const std::vector<Item> sim = {{1, "Anna"},  {1, "Likes tea"},   {1, "Bell"},
                                   {4, "Anne"},  {4, "Mag Tee"},     {4, "Glocke"},
                                   {2, "Annie"}, {2, "Aime le the"}, {2, "Cloche"}};
    struct Case {
        const char* name;
        int language;
        Strings strings;
        std::vector<Item> expected;
    };
    const Case cases[] = {
        {"nothing edited (English game)", 1, {"Anna", "Likes tea", "Bell"}, sim},
        {"nothing edited (German game)", 4, {"Anne", "Mag Tee", "Glocke"}, sim},
        {"first name edited in an English game",
         1,
         {"Zoe", "Likes tea", "Bell"},
         {{1, "Zoe"},
          {1, "Likes tea"},
          {1, "Bell"},
          {4, ""},
          {4, "Mag Tee"},
          {4, "Glocke"},
          {2, ""},
          {2, "Aime le the"},
          {2, "Cloche"}}},
        {"description edited in a German game",
         4,
         {"Anne", "Liest gern", "Glocke"},
         {{1, "Anna"},
          {1, "Liest gern"},
          {1, "Bell"},
          {4, "Anne"},
          {4, "Liest gern"},
          {4, "Glocke"},
          {2, "Annie"},
          {2, ""},
          {2, "Cloche"}}},
        {"a name cleared",
         1,
         {"Anna", "Likes tea", ""},
         {{1, "Anna"},
          {1, "Likes tea"},
          {1, ""},
          {4, "Anne"},
          {4, "Mag Tee"},
          {4, ""},
          {2, "Annie"},
          {2, "Aime le the"},
          {2, ""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes stored = ListBytes(sim);
        const std::optional<Bytes> saved = UpdateTextList(stored, c.strings, c.language);
        ASSERT_TRUE(saved.has_value());
        EXPECT_EQ(*saved, ListBytes(c.expected));
        EXPECT_EQ(*ReadTextList(*saved, 3, c.language), c.strings);
    }

    // A household's or neighborhood's pair, unedited in a game whose language it lacks.
    const Bytes pair = ListBytes({{1, "Pleasantview"}, {1, "A town"}, {4, "Schoenblick"}, {4, ""}});
    EXPECT_EQ(SaveTextList(pair, TextListShape::Pair, {"Pleasantview", "A town"}, 1), pair);
    EXPECT_EQ(SaveTextList(pair, TextListShape::Pair, {"Schoenblick", "A town"}, 4), pair);
}

// A stored list that cannot take the edit in place is written whole, as before.
TEST(TextListTest, AListThatCannotTakeTheEditIsWrittenWhole) {
    Bytes cut = ListBytes({{1, "Anna"}, {1, "Desc"}, {1, "Bell"}}, 5);
    Bytes noLanguageOne = ListBytes({{4, "Anne"}, {4, "Desc"}, {4, "Glocke"}});
    for (const Bytes& stored : {cut, noLanguageOne, Bytes(70, 0)}) {
        EXPECT_FALSE(UpdateTextList(stored, {"Zoe", "Desc", "Bell"}, 1).has_value());
        EXPECT_EQ(SaveTextList(stored, TextListShape::Sim, {"Zoe", "Desc", "Bell"}, 1),
                  WriteTextList(TextListShape::Sim, {"Zoe", "Desc", "Bell"}, 1));
    }
}

// The whole way: a German name list in a sim's package, a save after a skill edit, the list
// read back from the file byte for byte.
TEST(TextListTest, ASaveOfSkillsKeepsEveryLanguagesNames) {
    test::TempDir dir;
    const Neighborhood n001 = test::WriteDemoN001(dir.path());
    test::FakeMessages messages;
    EditingContext context = test::BlankPictureContext(messages);
    LoadedNeighborhood loaded;
    ASSERT_TRUE(LoadNeighborhood(n001, loaded, LabelForm::FirstName, context).Loaded);
    ASSERT_FALSE(loaded.Sims.empty());
    const std::filesystem::path file = loaded.Sims.front()->FilePath;
    const Bytes german = ListBytes({{1, "Anna"},
                                    {1, "Likes tea"},
                                    {1, "Bell"},
                                    {4, "Anne"},
                                    {4, "Trinkt gern Tee"},
                                    {4, "Glocke"}});
    RewritePackage(file, [&](const PackageIndexEntry& e, std::size_t) {
        return e.Type == types::TextList ? EntryChoice::Replace(german) : EntryChoice::Copy();
    });

    const auto listInFile = [&] {
        const PackageImage plain = DecompressPackageImage(ReadWholeFile(file), messages);
        EntryList entries;
        ReadIndex(plain.Data, entries);
        const PackageIndexEntry* list = FindFirst(entries, types::TextList);
        if (!list) return Bytes{};
        const ByteView bytes = StoredBytes(plain.Data, *list);
        return Bytes(bytes.begin(), bytes.end());
    };
    ASSERT_EQ(listInFile(), german);

    LoadedNeighborhood again;
    ASSERT_TRUE(LoadNeighborhood(n001, again, LabelForm::FirstName, context).Loaded);
    Character* sim = nullptr;
    for (Character* s : again.Sims)
        if (s->FilePath == file) sim = s;
    ASSERT_NE(sim, nullptr);
    EXPECT_EQ(sim->FirstName, "Anna");
    sim->Cooking = static_cast<std::int16_t>(sim->Cooking == 500 ? 600 : 500);
    sim->Modified = true;
    ASSERT_TRUE(SaveNeighborhood(again, context).Saved);
    EXPECT_EQ(listInFile(), german);

    // The neighborhood's and a household's German names stay when only the funds change.
    const Bytes town = ListBytes({{1, "Willowmere"}, {1, "A town"}, {4, "Weidensee"}, {4, "Ort"}});
    const Bytes family = ListBytes({{1, "Bell"}, {1, ""}, {4, "Familie Glocke"}, {4, ""}});
    RewritePackage(n001.PackagePath, [&](const PackageIndexEntry& e, std::size_t) {
        if (e.Type == types::TextList) return EntryChoice::Replace(town);
        if (e.Type == types::HouseholdText) return EntryChoice::Replace(family);
        return EntryChoice::Copy();
    });
    const auto listsInNeighborhood = [&] {
        const PackageImage plain =
            DecompressPackageImage(ReadWholeFile(n001.PackagePath), messages);
        EntryList entries;
        ReadIndex(plain.Data, entries);
        std::vector<Bytes> lists;
        for (const PackageIndexEntry& e : entries) {
            if (e.Type != types::TextList && e.Type != types::HouseholdText) continue;
            const ByteView bytes = StoredBytes(plain.Data, e);
            lists.emplace_back(bytes.begin(), bytes.end());
        }
        return lists;
    };
    const std::vector<Bytes> storedLists = listsInNeighborhood();
    ASSERT_GE(storedLists.size(), 2u);
    LoadedNeighborhood third;
    ASSERT_TRUE(LoadNeighborhood(n001, third, LabelForm::FirstName, context).Loaded);
    ASSERT_FALSE(third.Households.empty());
    third.Households.front()->Cash += 100;
    third.Households.front()->Modified = true;
    ASSERT_TRUE(SaveNeighborhood(third, context).Saved);
    EXPECT_EQ(listsInNeighborhood(), storedLists);

    sim = nullptr;
    for (Character* s : third.Sims)
        if (s->FilePath == file) sim = s;
    ASSERT_NE(sim, nullptr);
    sim->LastName = "Glockner";
    sim->Modified = true;
    ASSERT_TRUE(SaveNeighborhood(third, context).Saved);
    EXPECT_EQ(listInFile(), ListBytes({{1, "Anna"},
                                       {1, "Likes tea"},
                                       {1, "Glockner"},
                                       {4, "Anne"},
                                       {4, "Trinkt gern Tee"},
                                       {4, ""}}));
}

// A language number the language byte cannot hold never wraps round to another language.
TEST(TextListTest, GameLanguageOutsideTheByteWritesLanguageOneOnly) {
    for (int language : {0, -1, 256, 257, 300}) {
        SCOPED_TRACE(language);
        EXPECT_EQ(WriteTextList(TextListShape::Pair, {"Name", "Desc"}, language),
                  WriteTextList(TextListShape::Pair, {"Name", "Desc"}, 1));
        EXPECT_EQ(WriteTextList(TextListShape::Sim, {"A", "B", "C"}, language),
                  WriteTextList(TextListShape::Sim, {"A", "B", "C"}, 1));
    }
}

}  // namespace
}  // namespace kinloom
