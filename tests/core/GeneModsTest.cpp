// Custom genes: which packages the scan reads and in what order, what one package yields, how
// unreadable packages are reported, and how the genetics lists store and show gene values.
#include <gtest/gtest.h>

#include <fstream>

#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "core/demo/DemoPackage.h"
#include "core/demo/DemoWriter.h"
#include "core/editing/GeneMods.h"
#include "core/editing/GeneTables.h"
#include "core/platform/FileIO.h"

namespace kinloom {
namespace {
namespace fs = std::filesystem;
using test::PackageBuilder;

constexpr const char* kHairId = "8C1580B5";
constexpr const char* kSkinId = "4C158081";
constexpr const char* kEyeId = "2C1FD8A1";

// 36-character families, told apart by their last digit.
std::string Family(int n) {
    return "a1d3c0de-7e11-4b0b-9a1e-5eed0000c0" + std::to_string(10 + n);
}

Bytes GeneSet(const std::string& family, std::optional<std::uint32_t> subtype = std::nullopt) {
    std::vector<Property> props = {TextProperty("name", "ignored"),
                                   {"flags", valuetypes::Opaque, 7, {}},
                                   TextProperty("family", family)};
    if (subtype) props.push_back(NumberProperty("subtype", *subtype));
    return DemoPropertySet(props);
}

Bytes GeneXml(const std::string& familyElement, const std::string& extra = {}) {
    return test::Text("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<cGZPropertySetString>\n  " +
                      familyElement + "\n" + extra + "</cGZPropertySetString>");
}

std::string FamilyElement(const std::string& family) {
    return "<AnyString key=\"family\" type=\"0x0b8bea18\">" + family + "</AnyString>";
}

std::string SubtypeElement(const std::string& value) {
    return "<AnyUint32 key=\"subtype\" type=\"0xeb61e4f7\">" + value + "</AnyUint32>";
}

Bytes NameList(const std::string& title, int language = 1) {
    return DemoTextList({{language, title}});
}

Bytes HairPackage(const std::string& family, const std::string& name) {
    return PackageBuilder()
        .add(genetypes::Hair, 1, GeneSet(family))
        .add(types::HouseholdText, 1, NameList(name))
        .build();
}

void Write(const fs::path& file, const Bytes& bytes) {
    fs::create_directories(file.parent_path());
    ReplaceFileAtomically(file, bytes);
}

TEST(GeneModsTest, OnePackageYieldsTheGeneOfTheEntryReadLast) {
    struct Case {
        const char* name;
        std::vector<test::FixtureEntry> entries;
        std::string type;  // empty: no gene
        std::string family;
    };
    auto entry = [](std::uint32_t type, Bytes content, bool compressed = false) {
        test::FixtureEntry e;
        e.type = type;
        e.instance = 1;
        e.content = std::move(content);
        e.compressed = compressed;
        return e;
    };
    const std::vector<Case> cases = {
        {"hair tone", {entry(genetypes::Hair, GeneSet(Family(1)))}, kHairId, Family(1)},
        {"skin tone in XML",
         {entry(genetypes::Skin, GeneXml(FamilyElement(Family(2))))},
         kSkinId,
         Family(2)},
        {"compressed hair tone",
         {entry(genetypes::Hair, GeneSet(Family(3)), true)},
         kHairId,
         Family(3)},
        {"eye colour, subtype 3",
         {entry(genetypes::Eye, GeneSet(Family(4), 3))},
         kEyeId,
         Family(4)},
        {"eye colour in XML, subtype 3",
         {entry(genetypes::Eye, GeneXml(FamilyElement(Family(5)), SubtypeElement("3")))},
         kEyeId,
         Family(5)},
        {"eye overlay of subtype 2", {entry(genetypes::Eye, GeneSet(Family(6), 2))}, "", ""},
        {"eye resource without subtype", {entry(genetypes::Eye, GeneSet(Family(6)))}, "", ""},
        {"XML subtype that is not a number",
         {entry(genetypes::Eye, GeneXml(FamilyElement(Family(6)), SubtypeElement("three")))},
         "",
         ""},
        {"hair tone, then an eye overlay of subtype 2",
         {entry(genetypes::Hair, GeneSet(Family(1))), entry(genetypes::Eye, GeneSet(Family(6), 2))},
         "",
         ""},
        {"hair tone, then skin tone",
         {entry(genetypes::Hair, GeneSet(Family(1))), entry(genetypes::Skin, GeneSet(Family(2)))},
         kSkinId,
         Family(2)},
        {"skin tone, then hair tone",
         {entry(genetypes::Skin, GeneSet(Family(2))), entry(genetypes::Hair, GeneSet(Family(1)))},
         kHairId,
         Family(1)},
        {"eye colour, then hair tone",
         {entry(genetypes::Eye, GeneSet(Family(4), 3)), entry(genetypes::Hair, GeneSet(Family(1)))},
         kHairId,
         Family(1)},
        {"XML family element closing itself",
         {entry(genetypes::Hair, GeneXml("<AnyString key=\"family\" type=\"0x0b8bea18\"/>"))},
         "",
         ""},
        {"XML family element left empty",
         {entry(genetypes::Hair, GeneXml(FamilyElement("")))},
         "",
         ""},
        {"XML family element with its attributes in another order",
         {entry(genetypes::Hair, GeneXml("<AnyString type=\"0x0b8bea18\" key=\"family\">" +
                                         Family(1) + "</AnyString>"))},
         "",
         ""},
        {"XML family element with a further attribute, then the real one",
         {entry(genetypes::Hair,
                GeneXml("<AnyString key=\"family\" type=\"0x0b8bea18\" x=\"1\">no</AnyString>",
                        FamilyElement(Family(7)) + "\n"))},
         kHairId,
         Family(7)},
        {"content that is neither property set nor XML",
         {entry(genetypes::Hair, test::Text("family=" + Family(1)))},
         "",
         ""},
        {"no gene entry", {entry(types::HouseholdText, NameList("Lonely"))}, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PackageBuilder builder;
        for (const test::FixtureEntry& e : c.entries) builder.add(e);
        const std::optional<GeneMod> gene = ReadGenePackage(builder.build(), "Downloads/G.package");
        if (c.type.empty()) {
            EXPECT_FALSE(gene.has_value());
            continue;
        }
        ASSERT_TRUE(gene.has_value());
        EXPECT_EQ(gene->TypeId, c.type);
        EXPECT_EQ(gene->Family, c.family);
        EXPECT_EQ(gene->SourceFile, fs::path("Downloads/G.package"));
    }
}

TEST(GeneModsTest, GeneNamesComeFromTheTextLists) {
    const struct {
        const char* name;
        std::vector<Bytes> lists;
        std::string expected;
    } cases[] = {
        {"English title, trimmed", {NameList("  Copper Sunset \t")}, "Copper Sunset"},
        {"the last language-1 title wins", {NameList("First"), NameList("Second")}, "Second"},
        {"an empty title gives the file name", {NameList("First"), NameList("   ")}, "Ginger Hair"},
        {"no English title keeps the file name", {NameList("Rotschopf", 4)}, "Ginger Hair"},
        {"no text list at all", {}, "Ginger Hair"},
        {"a list without its marker is not a name list", {Bytes(80, 0x20)}, "Ginger Hair"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PackageBuilder builder;
        builder.add(genetypes::Hair, 1, GeneSet(Family(1)));
        for (const Bytes& list : c.lists) builder.add(types::HouseholdText, 1, list);
        const auto gene =
            ReadGenePackage(builder.build(), fs::path("Downloads") / "Ginger Hair.package");
        ASSERT_TRUE(gene.has_value());
        EXPECT_EQ(gene->GeneName, c.expected);
    }
}

TEST(GeneModsTest, ScanWalksTheThreeFoldersDepthFirstAndNumbersTheListEntries) {
    test::TempDir dir;
    const fs::path d = dir.path();
    Write(d / "Teleport" / "f.package", HairPackage(Family(6), "F"));
    Write(d / "SavedSims" / "e.package", HairPackage(Family(2), "E"));  // shares A's family
    Write(d / "Downloads" / "sub" / "c.package",
          PackageBuilder().add(genetypes::Skin, 1, GeneSet(Family(3))).build());
    Write(d / "Downloads" / "aa" / "deep" / "d.package",
          PackageBuilder().add(genetypes::Eye, 1, GeneSet(Family(4), 3)).build());
    Write(d / "Downloads" / "b.package", HairPackage(Family(1), "B"));
    Write(d / "Downloads" / "A.PACKAGE", HairPackage(Family(2), "A"));
    Write(d / "Downloads" / "notes.txt", HairPackage(Family(7), "not a package"));
    Write(d / "Downloads" / "x.package.bak", HairPackage(Family(7), "not a package"));
    Write(d / "Neighborhoods" / "g.package", HairPackage(Family(7), "outside the three folders"));
    fs::create_directories(d / "Downloads" / "folder.package");

    EXPECT_EQ(FindGenePackages(d), (std::vector<fs::path>{
                                       d / "Downloads" / "A.PACKAGE",
                                       d / "Downloads" / "b.package",
                                       d / "Downloads" / "aa" / "deep" / "d.package",
                                       d / "Downloads" / "sub" / "c.package",
                                       d / "SavedSims" / "e.package",
                                       d / "Teleport" / "f.package",
                                   }));

    test::FakeMessages messages;
    std::vector<std::pair<int, int>> progress;
    const std::vector<GeneMod> genes = ScanGeneMods(
        d, messages, [&](int position, int maximum) { progress.emplace_back(position, maximum); });
    EXPECT_TRUE(messages.shown.empty());
    std::vector<std::pair<std::string, int>> listed;
    for (const GeneMod& g : genes)
        listed.emplace_back(g.SourceFile.filename().string(), g.ListIndex);
    // Hair after the five fixed hair entries, skin after six, eyes after seven.
    EXPECT_EQ(listed, (std::vector<std::pair<std::string, int>>{{"A.PACKAGE", 5},
                                                                {"b.package", 6},
                                                                {"d.package", 7},
                                                                {"c.package", 6},
                                                                {"e.package", 7},
                                                                {"f.package", 8}}));
    EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{
                            {0, 5}, {1, 5}, {2, 5}, {3, 5}, {4, 5}, {5, 5}, {0, 100}}));

    const std::vector<std::string> hair = GeneListEntries(GeneKind::Hair, genes);
    EXPECT_EQ(std::vector<std::string>(hair.begin() + 4, hair.end()),
              (std::vector<std::string>{"Red Hair", "* A", "* B", "* E", "* F"}));
    // A and E share a family: the stored value shows the later entry; each entry stores it.
    EXPECT_EQ(GeneListPosition(GeneKind::Hair, Family(2), genes), 7);
    EXPECT_EQ(GeneValueAt(GeneKind::Hair, 5, genes), Family(2));
    EXPECT_EQ(GeneListPosition(GeneKind::Hair, Family(1), genes), 6);
    // A family is looked for among the genes of the list's kind only.
    EXPECT_EQ(GeneListPosition(GeneKind::Skin, Family(1), genes), 0);
    EXPECT_EQ(GeneListPosition(GeneKind::Skin, Family(3), genes), 6);
    EXPECT_EQ(GeneValueAt(GeneKind::Eye, 7, genes), Family(4));
    EXPECT_EQ(GeneValueAt(GeneKind::Eye, 8, genes), std::nullopt);
}

TEST(GeneModsTest, UnreadablePackagesAreReportedAndTheScanGoesOn) {
    test::TempDir dir;
    const fs::path downloads = dir / "Downloads";
    Write(downloads / "1good.package", HairPackage(Family(1), "Good"));
    // The gene entry points past the end of the file.
    test::FixtureEntry past;
    past.type = genetypes::Hair;
    past.offset = 4000;
    past.size = 100;
    Write(downloads / "2past.package", PackageBuilder().add(past).build());
    // The index runs past the end of the file.
    Bytes cut = HairPackage(Family(2), "Cut");
    cut.resize(cut.size() - 10);
    Write(downloads / "3cut.package", cut);
    // An index that lists nothing is skipped without a word.
    Bytes empty = HairPackage(Family(3), "Empty");
    test::SetU32(empty, kIndexCountField, 0);
    Write(downloads / "4noindex.package", empty);
    Write(downloads / "5zero.package", Bytes{});
    // A compressed gene entry whose data do not decode.
    Bytes broken = PackageBuilder().addCompressed(genetypes::Hair, 1, GeneSet(Family(4))).build();
    EntryList index;
    ReadIndex(broken, index);
    broken[index[0].Offset + 6] ^= 0x40;  // announced size no longer matches
    Write(downloads / "6broken.package", broken);
    // A name list that runs past its end.
    Bytes names = NameList("Cut short");
    names.pop_back();
    names.pop_back();
    Write(downloads / "7names.package", PackageBuilder()
                                            .add(genetypes::Hair, 1, GeneSet(Family(5)))
                                            .add(types::HouseholdText, 1, names)
                                            .build());
    Write(downloads / "8good.package", HairPackage(Family(6), "Also good"));

    test::FakeMessages messages;
    const std::vector<GeneMod> genes = ScanGeneMods(dir.path(), messages);
    std::vector<std::string> expected;
    for (const char* name : {"2past", "3cut", "5zero", "6broken", "7names"})
        expected.push_back("Data Read Error Found in:\r\n\"" +
                           (downloads / (std::string(name) + ".package")).string() +
                           "\"\r\nThis file will be ignored.");
    EXPECT_EQ(messages.shown, expected);
    ASSERT_EQ(genes.size(), 2u);
    EXPECT_EQ(genes[0].GeneName, "Good");
    EXPECT_EQ(genes[1].GeneName, "Also good");
    EXPECT_EQ(genes[1].ListIndex, 6);
}

TEST(GeneModsTest, APackageCutAtAnyByteIsReadOrRefusedNeverMisread) {
    const Bytes whole = PackageBuilder()
                            .add(genetypes::Skin, 1, GeneSet(Family(1)))
                            .addCompressed(genetypes::Hair, 2, GeneSet(Family(2)))
                            .add(types::HouseholdText, 1, NameList("Whole"))
                            .build();
    for (std::size_t size = 0; size < whole.size(); ++size) {
        SCOPED_TRACE(size);
        const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
        try {
            const std::optional<GeneMod> gene = ReadGenePackage(cut, "cut.package");
            // Whatever is read is what the package holds.
            if (gene) {
                EXPECT_EQ(gene->TypeId, kHairId);
                EXPECT_EQ(gene->Family, Family(2));
            }
        } catch (const ReadError&) {
        }
    }
}

TEST(GeneModsTest, TheDemoDownloadsHoldTwoGenesOfEachKind) {
    test::TempDir dir;
    WriteDemoUserData(dir.path(), DemoOptions{});
    test::FakeMessages messages;
    const std::vector<GeneMod> genes = ScanGeneMods(dir.path(), messages);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(GeneListEntries(GeneKind::Hair, genes).back(), "* Silver Fox Hair");
    EXPECT_EQ(GeneListEntries(GeneKind::Skin, genes).size(), 8u);
    EXPECT_EQ(GeneListEntries(GeneKind::Eye, genes).size(), 9u);
    // The demo's sim with a custom father's hair colour finds it in the list.
    EXPECT_EQ(GeneListPosition(GeneKind::Hair, "a1d3c0de-7e11-4b0b-9a1e-5eed0000c0a1", genes), 5);
}

// The fixed entries: every identifier leads back to its own entry, and "NA" stores 36 zeros.
TEST(GeneTablesTest, FixedEntriesRoundTrip) {
    for (GeneKind kind : {GeneKind::Hair, GeneKind::Skin, GeneKind::Eye}) {
        const auto fixed = FixedGenes(kind);
        EXPECT_EQ(std::string(fixed[0].Name), "NA");
        EXPECT_EQ(GeneValueAt(kind, 0, {}), std::string(36, '0'));
        for (int i = 1; i < static_cast<int>(fixed.size()); ++i) {
            SCOPED_TRACE(fixed[static_cast<std::size_t>(i)].Name);
            const std::optional<std::string> value = GeneValueAt(kind, i, {});
            ASSERT_TRUE(value.has_value());
            EXPECT_EQ(value->size(), 36u);
            EXPECT_EQ(GeneListPosition(kind, *value, {}), i);
        }
        // Anything else shows "NA"; comparisons are exact.
        EXPECT_EQ(GeneListPosition(kind, "NA", {}), 0);
        EXPECT_EQ(GeneListPosition(kind, std::string(36, '0'), {}), 0);
        EXPECT_EQ(GeneListPosition(kind, "00000001-0000-0000-0000-00000000000", {}), 0);
    }
    EXPECT_EQ(GeneListPosition(GeneKind::Eye, "32DEE745-B6CE-419F-9E86-AE93802D2682", {}), 0);
}

class GeneChangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        genes = {{kHairId, Family(1), "h.package", "Copper", 5},
                 {kSkinId, Family(2), "s.package", "Olive", 6}};
        sim = Character{};
        dna = DNA{};
        sim.HairColor = "00000002-0000-0000-0000-000000000000";
        sim.EyeColor = "51c4a750-c9f4-4cfe-801c-898efc360cb7";
        dna.Instance = 7;
        dna.SkinTone = "00000003-0000-0000-0000-000000000000";
        dna.FatherHairColor = "00000001-0000-0000-0000-000000000000";
        dna.MotherSkinTone = "NA";
        dna.DomEyeColor = "ffffffff-0000-4000-8000-00000000dead";  // a gene no longer installed
    }
    std::vector<GeneMod> genes;
    Character sim;
    DNA dna;
};

TEST_F(GeneChangeTest, AChoiceStoresItsValueAndAsksForANewThumbnailOnlyForTheSimsOwnLooks) {
    const struct {
        const char* name;
        GeneList list;
        int position;
        std::string Character::*simField;
        std::string DNA::*dnaField;
        std::string expected;
        bool resetThumbnail;
    } cases[] = {
        {"NA in father's hair", GeneList::FatherHairColor, 0, nullptr, &DNA::FatherHairColor,
         std::string(36, '0'), false},
        {"mother's skin tone", GeneList::MotherSkinTone, 4, nullptr, &DNA::MotherSkinTone,
         "00000004-0000-0000-0000-000000000000", false},
        {"custom hair colour", GeneList::HairColor, 5, &Character::HairColor, nullptr, Family(1),
         true},
        {"custom skin tone", GeneList::SkinTone, 6, nullptr, &DNA::SkinTone, Family(2), true},
        {"eye colour", GeneList::EyeColor, 6, &Character::EyeColor, nullptr,
         "12d4f3e1-fdbe-4fe7-ace3-46dd9ff52b51", true},
        {"recessive eye colour", GeneList::RecEyeColor, 1, nullptr, &DNA::RecEyeColor,
         "32dee745-b6ce-419f-9e86-ae93802d2682", false},
        {"hair entry without a gene keeps the value", GeneList::HairColor, 9, &Character::HairColor,
         nullptr, "00000002-0000-0000-0000-000000000000", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        const DNA untouched = dna;
        const Character before = sim;
        ChangeGene(c.list, c.position, sim, &dna, genes);
        EXPECT_EQ(c.simField ? sim.*c.simField : dna.*c.dnaField, c.expected);
        EXPECT_EQ(sim.ResetThumbnail, c.resetThumbnail);
        EXPECT_TRUE(sim.Modified);
        EXPECT_EQ(dna.Modified, c.dnaField != nullptr);
        // Only the list chosen changes: a value the lists cannot show stays as stored.
        EXPECT_EQ(dna.DomEyeColor, untouched.DomEyeColor);
        if (c.list != GeneList::HairColor) {
            EXPECT_EQ(sim.HairColor, before.HairColor);
        }
        if (c.list != GeneList::MotherSkinTone) {
            EXPECT_EQ(dna.MotherSkinTone, "NA");
        }
    }
}

TEST_F(GeneChangeTest, PositionsShownForASim) {
    auto at = [](const std::array<int, kGeneListCount>& p, GeneList list) {
        return p[static_cast<std::size_t>(list)];
    };
    const auto withDna = GenePositions(sim, &dna, genes);
    EXPECT_EQ(at(withDna, GeneList::HairColor), 2);
    EXPECT_EQ(at(withDna, GeneList::EyeColor), 2);
    EXPECT_EQ(at(withDna, GeneList::SkinTone), 3);
    EXPECT_EQ(at(withDna, GeneList::FatherHairColor), 1);
    EXPECT_EQ(at(withDna, GeneList::DomEyeColor), 0);

    // Without a DNA record the sim's own colours still show; the genes show "NA", and choosing
    // one changes nothing but the sim's modified mark.
    const auto without = GenePositions(sim, nullptr, genes);
    EXPECT_EQ(at(without, GeneList::HairColor), 2);
    EXPECT_EQ(at(without, GeneList::EyeColor), 2);
    EXPECT_EQ(at(without, GeneList::SkinTone), 0);
    const Character before = sim;
    ChangeGene(GeneList::FatherHairColor, 3, sim, nullptr, genes);
    EXPECT_TRUE(sim.Modified);
    EXPECT_EQ(sim.HairColor, before.HairColor);
}

TEST(GeneTablesTest, PetsGetNoGeneLists) {
    const struct {
        bool hasPets;
        std::uint16_t species;
        bool enabled;
    } cases[] = {{true, 0, true},  {true, 1, false}, {true, 2, false},
                 {true, 3, false}, {true, 4, true},  {false, 2, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.species) + (c.hasPets ? " with pets" : " without pets"));
        Character sim;
        sim.Species = c.species;
        EXPECT_EQ(GeneListsEnabled(sim, c.hasPets), c.enabled);
    }
}

}  // namespace
}  // namespace kinloom
