#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "CsvReader.h"
#include "core/careers/Careers.h"
#include "core/editing/CharacterFields.h"
#include "core/editing/DescriptionIndex.h"
#include "core/editing/ReadableFields.h"
#include "core/editing/SimExport.h"
#include "core/packages/Utf8.h"

namespace kinloom {
namespace {

using test::ReadCsv;

TEST(ValidUtf8Test, KeepsWellFormedTextAndReplacesEachBrokenPieceOnce) {
    struct Case {
        const char* what;
        std::string bytes;
        std::string expected;
    };
    const std::string r = "\xEF\xBF\xBD";  // U+FFFD
    const Case cases[] = {
        {"ascii", "Anna, \"Bell\"", "Anna, \"Bell\""},
        {"two, three and four bytes", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80",
         "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"},
        {"a NUL is a character", std::string("a\0b", 3), std::string("a\0b", 3)},
        {"Latin-1 byte",
         "Ren\xE9"
         "e",
         "Ren" + r + "e"},
        {"stray continuation", "\x80x", r + "x"},
        {"cut short at the end", "ab\xE2\x82", "ab" + r},
        {"cut short before ascii",
         "\xE2\x82"
         "A",
         r + "A"},
        {"overlong two-byte", "\xC0\x80", r + r},
        {"overlong three-byte", "\xE0\x80\x80", r + r + r},
        {"surrogate", "\xED\xA0\x80", r + r + r},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", r + r + r + r},
        {"no such lead", "\xF5\xFF", r + r},
        {"highest character", "\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ValidUtf8(c.bytes), c.expected);
    }
}

// The reader the exports are checked with must refuse what RFC 4180 does not allow, or a broken
// export would read back as fine.
TEST(CsvReaderTest, RefusesMalformedInput) {
    EXPECT_EQ(ReadCsv("a,\"b,\"\"c\"\"\"\r\n\"d\"\"\",\"e\r\nf\"\r\n"),
              (std::vector<std::vector<std::string>>{{"a", "b,\"c\""}, {"d\"", "e\r\nf"}}));
    for (const char* bad : {"a,b\n", "a,b\rc", "a\"b", "\"a\"b", "\"a", "a,b\r\nc\r\n"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(ReadCsv(bad), test::CsvError);
    }
}

// A small neighborhood with the texts that break naive exports: separators and quotes, a line
// break, formula starts, bytes that are not UTF-8, identifiers a spreadsheet would take for
// numbers.
class SimExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto household = std::make_unique<Household>();
        household->Instance = 0x8001;  // beyond 16 bits signed: the sim's number is negative
        household->HouseHoldFile = 12;
        household->HouseholdName = "Bell, \"the\" family";
        state.Households.push_back(std::move(household));
        state.HouseholdNamed.push_back(true);

        Add("Ann, \"Annie\"", "Bell", {0x00, 0x00, 0x1E, 0x40}, -32767);
        Add("=HYPERLINK(\"x\")", "Line\r\nBreak", {0x00, 0x00, 0x01, 0x00}, 0);
        Add("Ren\xE9", "-Minus", {0x12, 0x34, 0x56, 0x78}, 5);
        Add("@home", "+plus", {0xAB, 0xCD, 0xEF, 0x01}, 0);
    }
    void Add(const std::string& first, const std::string& last, FourBytes guid,
             std::int16_t family) {
        auto sim = std::make_unique<Character>();
        sim->FirstName = first;
        sim->LastName = last;
        sim->FileName = "N001_User0000" + std::to_string(state.Characters.size()) + ".package";
        sim->GUID = guid;
        sim->FamilyNumber = family;
        sim->Cooking = static_cast<std::int16_t>(100 * (state.Characters.size() + 1));
        sim->Nice = -3;
        sim->TurnOnsExt = {0x1E, 0x05};
        sim->HasBody = state.Characters.size() % 2 == 0;
        sim->HasNameList = true;
        sim->DescriptionInstance = kNoDescription;
        state.Sims.push_back(sim.get());
        state.Characters.push_back(std::move(sim));
    }
    std::size_t Column(const std::string& name) const {
        const auto& header = SimExportTable(state).Header;
        const auto at = std::find(header.begin(), header.end(), name);
        EXPECT_NE(at, header.end()) << name;
        return static_cast<std::size_t>(at - header.begin());
    }
    LoadedNeighborhood state;
};

TEST_F(SimExportTest, TheTableHasEveryFieldInOrderAndTypedCells) {
    const SimTable table = SimExportTable(state);
    std::vector<std::string> expected = {"Label", "Household"};
    for (const CharacterField& f : CharacterFields()) expected.push_back(f.Name);
    expected.push_back("Storable");
    // The readable companions only follow: every stored column keeps its place.
    for (const ReadableField& r : ReadableFields()) expected.push_back(r.Name);
    EXPECT_EQ(table.Header, expected);
    ASSERT_EQ(table.Rows.size(), 4u);
    for (const auto& row : table.Rows) EXPECT_EQ(row.size(), expected.size());

    const auto& first = table.Rows[0];
    EXPECT_EQ(first[0], SimCell(std::string("Ann, \"Annie\" Bell : N001_User00000")));
    EXPECT_EQ(first[1], SimCell(std::string("Bell, \"the\" family")));
    EXPECT_EQ(first[Column("Cooking")], SimCell(std::int64_t{100}));
    EXPECT_EQ(first[Column("Nice")], SimCell(std::int64_t{-3}));
    EXPECT_EQ(first[Column("GUID")], SimCell(HexDigits{"00001E40"}));
    EXPECT_EQ(first[Column("TurnOnsExt")], SimCell(HexDigits{"1E05"}));
    EXPECT_EQ(first[Column("HasBody")], SimCell(true));
    EXPECT_EQ(table.Rows[1][Column("HasBody")], SimCell(false));
    // No household (0) and a number naming none are both left empty.
    EXPECT_EQ(table.Rows[1][1], SimCell(std::string()));
    EXPECT_EQ(table.Rows[2][1], SimCell(std::string()));
    EXPECT_EQ(table.Rows[2][Column("FirstName")], SimCell(std::string("Ren\xEF\xBF\xBD")));
}

TEST_F(SimExportTest, CsvReadsBackCellForCell) {
    std::ostringstream out;
    ASSERT_TRUE(WriteSimsCsv(state, out));
    const std::string text = out.str();
    EXPECT_TRUE(text.ends_with("\r\n"));
    EXPECT_EQ(text.find("\xE9"), std::string::npos) << "only well-formed UTF-8 is written";
    const auto rows = ReadCsv(text);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0], SimExportTable(state).Header);

    struct Case {
        std::size_t row;
        const char* column;
        std::string cell;
    };
    const Case cases[] = {
        {1, "FirstName", "Ann, \"Annie\""},
        {1, "Household", "Bell, \"the\" family"},
        {1, "Cooking", "100"},
        {1, "Nice", "-3"},  // a negative number stays a number: no formula guard
        {1, "GUID", "0x00001E40"},
        {2, "GUID", "0x00000100"},
        {1, "TurnOnsExt", "0x1E05"},
        {1, "HasBody", "true"},
        {2, "HasBody", "false"},
        {2, "LastName", "Line\r\nBreak"},
        {2, "FirstName", "'=HYPERLINK(\"x\")"},
        {2, "Label", "'=HYPERLINK(\"x\") Line\r\nBreak : N001_User00001"},
        {3, "LastName", "'-Minus"},
        {3, "FirstName", "Ren\xEF\xBF\xBD"},
        {4, "FirstName", "'@home"},
        {4, "LastName", "'+plus"},
        {4, "GUID", "0xABCDEF01"},
        {4, "BodySourcePath", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.row) + " " + c.column);
        EXPECT_EQ(rows[c.row][Column(c.column)], c.cell);
    }
    // The fields a save would write back, by name; a sim without a description stores none of
    // its description's fields.
    const std::string storable = rows[1][Column("Storable")];
    EXPECT_NE(storable.find("FirstName"), std::string::npos) << storable;
    EXPECT_EQ(storable.find("Cooking"), std::string::npos) << storable;
}

TEST_F(SimExportTest, JsonKeepsTextsAndTypesAsShowGivesThem) {
    std::ostringstream out;
    ASSERT_TRUE(WriteSimsJson(state, out));
    const auto sims = nlohmann::ordered_json::parse(out.str());  // throws on invalid UTF-8
    ASSERT_TRUE(sims.is_array());
    ASSERT_EQ(sims.size(), 4u);
    const auto& first = sims[0];
    EXPECT_EQ(first["Label"], "Ann, \"Annie\" Bell : N001_User00000");
    EXPECT_EQ(first["FirstName"], "Ann, \"Annie\"");
    EXPECT_TRUE(first["Cooking"].is_number_integer());
    EXPECT_EQ(first["Cooking"], 100);
    EXPECT_EQ(first["Nice"], -3);
    EXPECT_EQ(first["FamilyNumber"], -32767);
    EXPECT_EQ(first["GUID"], "00001E40");  // no spreadsheet here: the digits as set takes them
    EXPECT_EQ(first["HasBody"], true);
    EXPECT_TRUE(first["Storable"].is_array());
    EXPECT_EQ(sims[1]["FirstName"], "=HYPERLINK(\"x\")");
    EXPECT_EQ(sims[1]["Household"], "");
    EXPECT_EQ(sims[2]["FirstName"], "Ren\xEF\xBF\xBD");
    std::vector<std::string> keys;
    for (const auto& [key, value] : first.items()) keys.push_back(key);
    EXPECT_EQ(keys, SimExportTable(state).Header) << "keys in column order";
}

// Text, whole number or number with a fraction; nlohmann keeps signed and unsigned apart besides.
char Kind(const nlohmann::ordered_json& value) {
    return value.is_string() ? 's' : value.is_number_float() ? 'f' : value.is_number() ? 'i' : '?';
}

// Each sim's stored values and their readable companions, side by side in both files: the
// stored columns keep the units and codes the files hold, the companions what the window shows.
TEST_F(SimExportTest, ReadableColumnsAgreeWithTheStoredOnesInBothFormats) {
    struct Sim {
        std::int16_t pto, points, aspiration, jobs;
        const char* career;
    };
    const Sim sims[] = {
        {500, 123, 2, 5, "55651945"},    // adult business, level 5
        {250, 0, 0, 0, "00000000"},      // unemployed
        {7, -5, 1 | 32, 1, "DEADBEEF"},  // a career from a mod
        {0, 32767, 256, 0, "77051E4C"},  // teen business; an aspiration bit no list has
    };
    for (std::size_t i = 0; i < std::size(sims); ++i) {
        Character& c = *state.Sims[i];
        c.PTO = sims[i].pto;
        c.AspirationRewardPoints = sims[i].points;
        c.Aspiration = sims[i].aspiration;
        c.Jobs = sims[i].jobs;
        c.Career = *IdBytes(sims[i].career);
    }
    struct Cell {
        std::size_t sim;
        const char* column;
        std::string csv;
        nlohmann::ordered_json json;
    };
    const Cell cells[] = {
        {0, "PTO", "500", 500},
        {0, "PTOShown", "5", 5},
        {1, "PTOShown", "2.5", 2.5},
        {2, "PTOShown", "0.07", 0.07},
        {0, "AspirationRewardPoints", "123", 123},
        {0, "AspirationRewardPointsShown", "1230", 1230},
        {2, "AspirationRewardPointsShown", "-50", -50},
        {3, "AspirationRewardPointsShown", "327670", 327670},
        {0, "Aspiration", "2", 2},
        {0, "AspirationName", "Family", "Family"},
        {1, "AspirationName", "-", "-"},  // no formula: nothing follows the minus
        {2, "AspirationName", "Romance + Knowledge", "Romance + Knowledge"},
        {3, "AspirationName", "", ""},
        {0, "Career", "0x55651945", "55651945"},
        {0, "CareerName", "Business", "Business"},
        {0, "JobsName", "Executive", "Executive"},
        {1, "CareerName", "Unemployed", "Unemployed"},
        {2, "Career", "0xDEADBEEF", "DEADBEEF"},
        {2, "CareerName", "", ""},
        {2, "JobsName", "", ""},
        {3, "CareerName", "Business", "Business"},
    };

    std::ostringstream csvText, jsonText;
    ASSERT_TRUE(WriteSimsCsv(state, csvText));
    ASSERT_TRUE(WriteSimsJson(state, jsonText));
    const auto rows = ReadCsv(csvText.str());
    const auto json = nlohmann::ordered_json::parse(jsonText.str());
    ASSERT_EQ(rows.size(), std::size(sims) + 1);
    ASSERT_EQ(json.size(), std::size(sims));
    for (const Cell& c : cells) {
        SCOPED_TRACE(std::to_string(c.sim) + " " + c.column);
        EXPECT_EQ(rows[c.sim + 1][Column(c.column)], c.csv);
        EXPECT_EQ(json[c.sim][c.column], c.json);
        EXPECT_EQ(Kind(json[c.sim][c.column]), Kind(c.json));
    }
    // Whole days stay whole numbers in JSON: 5, not 5.0.
    EXPECT_EQ(json[0]["PTOShown"].dump(), "5");
    EXPECT_EQ(json[2]["PTOShown"].dump(), "0.07");
}

TEST_F(SimExportTest, AnEmptyNeighborhoodGivesTheHeaderAndAnEmptyArray) {
    LoadedNeighborhood empty;
    std::ostringstream csv, json;
    ASSERT_TRUE(WriteSimsCsv(empty, csv));
    ASSERT_TRUE(WriteSimsJson(empty, json));
    const auto rows = ReadCsv(csv.str());
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].front(), "Label");
    EXPECT_EQ(nlohmann::json::parse(json.str()), nlohmann::json::array());
}

TEST_F(SimExportTest, AFailingStreamIsReported) {
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    EXPECT_FALSE(WriteSimsCsv(state, out));
    EXPECT_FALSE(WriteSimsJson(state, out));
}

}  // namespace
}  // namespace kinloom
