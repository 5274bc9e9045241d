#include <gtest/gtest.h>

#include "PackageBuilder.h"
#include "WinePrefix.h"
#include "core/platform/MemoryRegistry.h"
#include "core/platform/WineRegistry.h"

namespace kinloom {
namespace {

using test::RegFileText;
using test::RegKey;
constexpr RegistryRoot LM = RegistryRoot::LocalMachine;
constexpr RegistryRoot CU = RegistryRoot::CurrentUser;

// A system.reg as Wine writes it, with the value kinds the game's keys hold.
constexpr std::string_view kSystemReg =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Machine\n"
    "\n"
    "#arch=win32\n"
    "\n"
    "[Software\\\\EA GAMES\\\\The Sims 2] 1700000000\n"
    "#time=1d9a0b1c2d3e4f5\n"
    "@=\"default text\"\n"
    "\"DisplayName\"=\"The Sims 2\"\n"
    "\"EPsInstalled\"=dword:00000001\n"
    "\"Blob\"=hex:01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\\\n"
    "  17,18,19,1a\n"
    "\"Install Dir\"=\"C:\\\\Program Files\\\\EA GAMES\\\\The Sims 2\"\n"
    "\"Paths\"=str(7):\"a\\0b\\0\"\n"
    "\n"
    "[Software\\\\EA GAMES\\\\The Sims 2\\\\1.0] 1700000000\n"
    "\"LanguageName\"=\"English US\"\n";

TEST(WineRegistryTest, ReadsStringValuesWithoutRegardToCase) {
    MemoryRegistry r;
    ASSERT_TRUE(ParseWineRegistry(kSystemReg, LM, r));
    EXPECT_EQ(r.ReadString(LM, "\\Software\\EA GAMES\\The Sims 2", "DisplayName"), "The Sims 2");
    EXPECT_EQ(r.ReadString(LM, "software\\ea games\\THE SIMS 2", "displayname"), "The Sims 2");
    EXPECT_EQ(r.ReadString(LM, "Software\\EA GAMES\\The Sims 2", ""), "default text");
    EXPECT_EQ(r.ReadString(LM, "Software\\EA GAMES\\The Sims 2", "Install Dir"),
              "C:\\Program Files\\EA GAMES\\The Sims 2");
    EXPECT_EQ(r.ReadString(LM, "Software\\EA GAMES\\The Sims 2\\1.0", "LanguageName"),
              "English US");
    // Other value types are passed over, including binary data continued on the next line.
    EXPECT_EQ(r.ReadString(LM, "Software\\EA GAMES\\The Sims 2", "EPsInstalled"), std::nullopt);
    EXPECT_EQ(r.ReadString(LM, "Software\\EA GAMES\\The Sims 2", "Blob"), std::nullopt);
    EXPECT_EQ(r.ReadString(LM, "Software\\EA GAMES\\The Sims 2", "Paths"), std::nullopt);
    // Keys above a listed key exist too; the other root holds nothing.
    EXPECT_TRUE(r.KeyExists(LM, "\\Software\\EA Games"));
    EXPECT_TRUE(r.KeyExists(LM, "\\SOFTWARE"));
    EXPECT_FALSE(r.KeyExists(LM, "\\Software\\EA GAMES\\The Sims 2 University"));
    EXPECT_FALSE(r.KeyExists(CU, "\\Software\\EA GAMES\\The Sims 2"));
}

TEST(WineRegistryTest, DecodesEscapes) {
    struct Case {
        const char* stored;  // between the quotes, as in the file
        std::string read;
    };
    const Case cases[] = {
        {R"(C:\\users\\bob)", "C:\\users\\bob"},
        {R"(say \"hi\")", "say \"hi\""},
        {R"(one\ntwo\tthree\r)", "one\ntwo\tthree\r"},
        {R"(The Sims\x2122 2)", "The Sims\xE2\x84\xA2 2"},
        {R"(caf\xe9)", "caf\xC3\xA9"},
        {R"(\x00e9a)",
         "\xC3\xA9"
         "a"},  // padded to four digits because a hex digit follows
        {R"(\xd83d\xde00!)", "\xF0\x9F\x98\x80!"},
        {R"(\xd800x)", "\xEF\xBF\xBDx"},  // a lone surrogate
        {R"(\101\60)", "A0"},
        {R"(cut\0here)", "cut"},
        {"raw \xC3\xA9", "raw \xC3\xA9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        const std::string text =
            std::string("WINE REGISTRY Version 2\n[K]\n\"V\"=\"") + c.stored + "\"\n";
        MemoryRegistry r;
        EXPECT_TRUE(ParseWineRegistry(text, CU, r));
        EXPECT_EQ(r.ReadString(CU, "K", "V"), c.read);
    }
}

TEST(WineRegistryTest, NamesAndValuesSurviveWinesOwnEscaping) {
    const std::string names[] = {
        "The Sims\xE2\x84\xA2 2 Ultimate Collection",
        "Les Sims\xE2\x84\xA2 2 \xC3\xA0 la fac",
        "\xE2\x84\xA2"
        "abc",  // hex letters right after an escaped character
        "quote \" and back\\slash",
        "\xF0\x9F\x98\x80 and ]",
        "line\nbreak",
    };
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        for (const char* lineEnd : {"\n", "\r\n"}) {
            MemoryRegistry r;
            const std::string text =
                RegFileText({{"Software\\EA GAMES\\" + name, {{name, name}}, {}}}, lineEnd);
            ASSERT_TRUE(ParseWineRegistry(text, LM, r));
            EXPECT_TRUE(r.KeyExists(LM, "Software\\EA GAMES\\" + name));
            EXPECT_EQ(r.ReadString(LM, "Software\\EA GAMES\\" + name, name), name);
        }
    }
}

TEST(WineRegistryTest, ACutFileYieldsOnlyWholeValues) {
    const std::string full = RegFileText(
        {{"Software\\EA GAMES\\The Sims 2", {{"DisplayName", "The Sims 2"}}, {"\"N\"=dword:1"}},
         {"Software\\EA GAMES\\The Sims 2\\1.0",
          {{"LanguageName",
            "Fran\xC3\xA7"
            "ais"}},
          {}}},
        "\r\n");
    for (std::size_t length = 0; length <= full.size(); ++length) {
        SCOPED_TRACE(length);
        MemoryRegistry r;
        ParseWineRegistry(std::string_view(full).substr(0, length), LM, r);
        auto name = r.ReadString(LM, "Software\\EA GAMES\\The Sims 2", "DisplayName");
        auto language = r.ReadString(LM, "Software\\EA GAMES\\The Sims 2\\1.0", "LanguageName");
        if (name) {
            EXPECT_EQ(*name, "The Sims 2");
        }
        if (language) {
            EXPECT_EQ(*language,
                      "Fran\xC3\xA7"
                      "ais");
        }
        if (length == full.size()) {
            EXPECT_TRUE(name && language);
        }
    }
}

TEST(WineRegistryTest, StopsAtTheFirstMalformedLine) {
    struct Case {
        const char* name;
        std::string text;
        bool wellFormed;
        bool firstRead, secondRead;
    };
    const std::string head = "WINE REGISTRY Version 2\n[A]\n\"V\"=\"1\"\n";
    const std::string tail = "[B]\n\"V\"=\"2\"\n";
    const Case cases[] = {
        {"whole", head + tail, true, true, true},
        {"no signature", "[A]\n\"V\"=\"1\"\n" + tail, false, false, false},
        {"other version", "WINE REGISTRY Version 1\n[A]\n\"V\"=\"1\"\n", false, false, false},
        {"unclosed key", head + "[C\n" + tail, false, true, false},
        {"unclosed string", head + "\"W\"=\"oops\n" + tail, false, true, false},
        {"value without =", head + "\"W\" \"x\"\n" + tail, false, true, false},
        {"garbage line", head + "garbage\n" + tail, false, true, false},
        {"value before any key", "WINE REGISTRY Version 2\n\"V\"=\"1\"\n" + tail, false, false,
         false},
        {"binary cut in its continuation", head + "\"H\"=hex:01,\\\n", false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryRegistry r;
        EXPECT_EQ(ParseWineRegistry(c.text, CU, r), c.wellFormed);
        EXPECT_EQ(r.ReadString(CU, "A", "V").has_value(), c.firstRead);
        EXPECT_EQ(r.ReadString(CU, "B", "V").has_value(), c.secondRead);
    }
}

// A reading that keeps some subtrees keeps each with every key below it, whatever the case of
// the names, and nothing beside them: not a sibling whose name merely begins the same.
TEST(WineRegistryTest, AReadingKeepsOnlyTheSubtreesAsked) {
    const RegistryKeyFilter keep{"\\Software\\EA GAMES", "Control Panel\\Desktop\\"};
    struct Case {
        const char* key;
        bool kept;
    };
    const Case cases[] = {
        {"Software\\EA GAMES", true},
        {"SOFTWARE\\ea games\\The Sims 2", true},
        {"Software\\EA GAMES\\The Sims 2 University\\1.0", true},
        {"Control Panel\\Desktop", true},
        {"Software\\EA GAMES Extra", false},
        {"Software\\EA", false},
        {"Software\\Wow6432Node\\EA GAMES\\The Sims 2", false},  // the plain parser has no twins
        {"Software\\Classes\\CLSID\\{1}", false},
        {"Control Panel\\Desktop Colors", false},
    };
    std::vector<RegKey> keys;
    for (const Case& c : cases) keys.push_back({c.key, {{"V", c.key}}, {"\"N\"=dword:1"}});
    MemoryRegistry r;
    ASSERT_TRUE(ParseWineRegistry(RegFileText(keys), LM, r, keep));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(r.ReadString(LM, c.key, "V"),
                  c.kept ? std::optional<std::string>(c.key) : std::nullopt);
        EXPECT_EQ(keep.Keeps(NormalizeRegistryKey(c.key)), c.kept);
    }
    EXPECT_FALSE(r.KeyExists(LM, "Software\\Classes"));
    EXPECT_FALSE(r.KeyExists(LM, "Software\\EA GAMES Extra"));
}

// The lines of a key that is not kept are only checked, not decoded; they must be checked as
// strictly as a whole reading checks them, so a reading stops at the same line either way.
TEST(WineRegistryTest, AReadingThatKeepsSomeKeysStopsWhereAWholeReadingStops) {
    struct Case {
        const char* name;
        std::string line;  // a line of a key that is not kept, before the kept key's value
    };
    const Case cases[] = {
        {"escaped quote", R"("V"="say \"hi\" ]")"},
        {"escaped backslash last", R"("Path"="C:\\")"},
        {"escaped name", R"("na\"me"="x")"},
        {"default value", R"(@="x")"},
        {"hex and octal escapes", R"("V"="\x2122\101\"")"},
        {"dword", R"("V"=dword:00000001)"},
        {"escaped quote ending a name", R"("V\"="x")"},
        {"unclosed string", R"("V"="oops)"},
        {"escaped quote at the end", R"("V"="oops\")"},
        {"backslash at the end", R"("V"="oops\)"},
        {"unclosed name", R"("V=x)"},
        {"value without =", R"("V" "x")"},
        {"garbage", "garbage"},
        {"binary cut in its continuation", "\"H\"=hex:01,\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = "WINE REGISTRY Version 2\n[Other]\n" + c.line +
                                 "\n[Software\\\\EA GAMES]\n\"V\"=\"kept\"\n";
        MemoryRegistry whole, some;
        const bool wellFormed = ParseWineRegistry(text, CU, whole);
        EXPECT_EQ(ParseWineRegistry(text, CU, some, RegistryKeyFilter{"Software\\EA GAMES"}),
                  wellFormed);
        EXPECT_EQ(some.ReadString(CU, "Software\\EA GAMES", "V"),
                  whole.ReadString(CU, "Software\\EA GAMES", "V"));
        EXPECT_FALSE(some.KeyExists(CU, "Other"));
    }
}

// A subtree under Software\ is kept in the 32-bit view too, where lookups find it.
TEST(WineRegistryTest, KeepsThe32BitTwinOfASubtree) {
    WineRegistry r(RegistryKeyFilter{"Software\\EA GAMES"});
    r.Load(
        LM,
        RegFileText(
            {{"Software\\Wow6432Node\\EA GAMES\\The Sims 2", {{"DisplayName", "The Sims 2"}}, {}},
             {"Software\\Wow6432Node\\EA GAMES\\The Sims 2 Pets", {}, {}},
             {"Software\\Wow6432Node\\Classes\\CLSID\\{1}", {{"", "x"}}, {}}}));
    EXPECT_EQ(r.ReadString(LM, "\\Software\\EA GAMES\\The Sims 2", "DisplayName"), "The Sims 2");
    EXPECT_TRUE(r.KeyExists(LM, "\\Software\\EA GAMES\\The Sims 2 Pets"));
    EXPECT_FALSE(r.KeyExists(LM, "\\Software\\Wow6432Node\\Classes"));
    EXPECT_EQ(r.ReadString(LM, "\\Software\\Classes\\CLSID\\{1}", ""), std::nullopt);
}

TEST(WineRegistryTest, FindsThe32BitGamesKeysInA64BitPrefix) {
    test::TempDir dir;
    test::WriteTextFile(
        dir / "system.reg",
        RegFileText(
            {{"Software\\Wow6432Node\\EA GAMES\\The Sims 2", {{"DisplayName", "The Sims 2"}}, {}},
             {"Software\\Wow6432Node\\EA GAMES\\The Sims 2 Pets", {}, {}},
             {"Software\\EA GAMES\\The Sims 2", {{"Other", "native"}}, {}}}));
    test::WriteTextFile(dir / "user.reg",
                        RegFileText({{"Software\\Quillfern\\Kinloom", {{"NGBD", "N001"}}, {}}}));
    WineRegistry r = WineRegistry::FromPrefix(dir.path());
    EXPECT_TRUE(r.KeyExists(LM, "\\Software\\EA GAMES\\The Sims 2 Pets"));
    EXPECT_FALSE(r.KeyExists(LM, "\\Software\\EA GAMES\\The Sims 2 Seasons"));
    // A value missing from the native key is looked for in the 32-bit one.
    EXPECT_EQ(r.ReadString(LM, "\\Software\\EA GAMES\\The Sims 2", "DisplayName"), "The Sims 2");
    EXPECT_EQ(r.ReadString(LM, "\\Software\\EA GAMES\\The Sims 2", "Other"), "native");
    // Each file fills its own root.
    EXPECT_EQ(r.ReadString(CU, "\\Software\\Quillfern\\Kinloom", "NGBD"), "N001");
    EXPECT_FALSE(r.KeyExists(CU, "\\Software\\EA GAMES\\The Sims 2"));
    EXPECT_FALSE(r.KeyExists(LM, "\\Software\\Quillfern\\Kinloom"));
}

TEST(WineRegistryTest, APrefixWithoutRegistryFilesIsEmpty) {
    test::TempDir dir;
    WineRegistry r = WineRegistry::FromPrefix(dir / "missing");
    EXPECT_FALSE(r.KeyExists(LM, "\\Software"));
    EXPECT_EQ(r.ReadString(CU, "\\Software\\EA GAMES\\The Sims 2", "DisplayName"), std::nullopt);
}

}  // namespace
}  // namespace kinloom
