// The demo user-data folder must be data the editor reads exactly like the game's own: every
// package listable and decodable, every sim matched, households, ties and relationships that
// agree with each other, and the same bytes for the same seed.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "core/demo/DemoPeople.h"
#include "core/demo/DemoQfs.h"
#include "core/demo/DemoSims.h"
#include "core/demo/DemoWriter.h"
#include "core/editing/Attraction.h"
#include "core/neighborhoods/Discovery.h"
#include "core/neighborhoods/NeighborhoodScan.h"
#include "core/packages/Compression.h"
#include "core/packages/PropertySet.h"
#include "core/packages/TextList.h"
#include "core/pictures/ImageCodecs.h"
#include "core/platform/FileIO.h"
#include "core/records/BodyProperties.h"
#include "core/records/FamilyTies.h"
#include "core/records/Household.h"
#include "core/records/Relationship.h"
#include "core/records/SimDescription.h"

namespace kinloom {
namespace {

namespace fs = std::filesystem;
using test::FakeMessages;
using test::TempDir;

std::vector<fs::path> FilesUnder(const fs::path& folder, const std::string& extension) {
    std::vector<fs::path> out;
    for (const auto& e : fs::recursive_directory_iterator(folder))
        if (e.is_regular_file() && e.path().extension() == extension) out.push_back(e.path());
    std::sort(out.begin(), out.end());
    return out;
}

Bytes Content(const Package& p, const PackageIndexEntry& e) {
    FakeMessages messages;
    Bytes out;
    EXPECT_TRUE(DecompressEntry(p.View(), e, out, messages)) << p.Path;
    return out;
}

// One neighborhood as the editor would see it, read with the program's own record readers.
struct LoadedDemo {
    Package Hood;
    std::vector<Character> Sims;  // one per character package, matched to its description
    std::vector<Household> Households;
    std::vector<FamilyTie> Ties;
    std::vector<RelationshipRecord> Relations;
    std::map<std::uint32_t, int> MatchesPerSim;  // description instance -> matching descriptions
};

LoadedDemo Load(const fs::path& userData, const std::string& folder, int language = 1) {
    LoadedDemo d;
    FakeMessages messages;
    const fs::path dir = userData / "Neighborhoods" / folder;
    d.Hood = Package::Open(dir / (folder + "_Neighborhood.package"));
    for (const fs::path& file : FilesUnder(dir / "Characters", ".package")) {
        const Package p = Package::Open(file);
        Character c;
        c.FileName = file.filename().string();
        const auto* object = FindFirst(p.Entries, types::ObjectData);
        if (!object) {
            ADD_FAILURE() << file << " has no object data";
            continue;
        }
        const Bytes objectData = Content(p, *object);
        ByteReader r(objectData);
        r.Seek(92);
        for (auto& b : c.GUID) b = r.U8();
        for (const auto& e : p.Entries) {
            if (e.Type == types::SimProperties) ReadSimProperties(Content(p, e), c);
            if (e.Type == types::TextList) {
                auto names = ReadTextList(Content(p, e), 3, language);
                if (names) c.FirstName = (*names)[0], c.LastName = (*names)[2];
            }
        }
        int matches = 0;
        for (const auto* e : FindAll(d.Hood.Entries, types::SimDescription)) {
            Character probe = c;
            if (ReadSimDescription(Content(d.Hood, *e), probe, messages)) {
                if (++matches == 1) {
                    c = probe;
                    c.DescriptionInstance = e->Instance;
                }
            }
        }
        d.MatchesPerSim[c.DescriptionInstance] = matches;
        d.Sims.push_back(c);
    }
    for (const auto* e : FindAll(d.Hood.Entries, types::Household)) {
        Household h;
        h.Instance = e->Instance;
        ReadHousehold(Content(d.Hood, *e), h);
        for (const auto* t : FindAll(d.Hood.Entries, types::HouseholdText))
            if (t->Instance == h.Instance) {
                auto names = ReadTextList(Content(d.Hood, *t), 2, language);
                if (names) h.HouseholdName = (*names)[0];
            }
        d.Households.push_back(h);
    }
    ReadFamilyTies(Content(d.Hood, *FindFirst(d.Hood.Entries, types::FamilyTies)), d.Ties);
    d.Relations = LoadRelationships(d.Hood.View(), d.Hood.Entries, messages);
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();
    return d;
}

const Character* ByName(const LoadedDemo& d, const std::string& first) {
    for (const Character& c : d.Sims)
        if (c.FirstName == first) return &c;
    return nullptr;
}

class DemoFolder : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir();
        WriteDemoUserData(dir_->path() / "demo", DemoOptions{});
    }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
    }
    static fs::path Root() { return dir_->path() / "demo"; }

    static TempDir* dir_;
};
TempDir* DemoFolder::dir_ = nullptr;

TEST_F(DemoFolder, EveryPackageListsItsIndexAndDecompressesWhole) {
    const auto packages = FilesUnder(Root(), ".package");
    ASSERT_FALSE(packages.empty());
    int compressedPackages = 0;
    for (const fs::path& file : packages) {
        SCOPED_TRACE(file.string());
        const Package p = Package::Open(file);
        ASSERT_TRUE(p.EntrySize == 20 || p.EntrySize == 24);
        ASSERT_FALSE(p.Entries.empty());
        bool anyCompressed = false;
        for (const auto& e : p.Entries)
            anyCompressed = anyCompressed || IsCompressedEntry(StoredBytes(p.View(), e));
        // A compressed entry always comes with the directory that lists it, and only then.
        EXPECT_EQ(anyCompressed, FindFirst(p.Entries, types::CompressedDirectory) != nullptr);
        compressedPackages += anyCompressed ? 1 : 0;
        FakeMessages messages;
        const PackageImage plain = DecompressPackageImage(p.View(), messages);
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_EQ(FindFirst(plain.Entries, types::CompressedDirectory), nullptr);
    }
    EXPECT_GT(compressedPackages, 3);
    EXPECT_TRUE(fs::exists(Root() / "Neighborhoods/N001/Characters/N001_User00000.package"));
}

TEST_F(DemoFolder, EachCharacterMatchesExactlyOneDescriptionOfItsVersion) {
    const std::map<std::string, std::set<std::uint16_t>> versions = {
        {"N001", {51}}, {"G001", {32, 41}}, {"F001", {44}}};
    for (const auto& [folder, expected] : versions) {
        SCOPED_TRACE(folder);
        const LoadedDemo d = Load(Root(), folder);
        ASSERT_FALSE(d.Sims.empty());
        std::set<std::uint16_t> seen;
        for (const Character& c : d.Sims) {
            SCOPED_TRACE(c.FileName);
            EXPECT_EQ(d.MatchesPerSim.at(c.DescriptionInstance), 1);
            EXPECT_FALSE(c.FirstName.empty());
            EXPECT_NE(c.PropertyAge, Character::kPropertyUnread);
            // The body's gender code is the one the editor would give the description's gender.
            EXPECT_EQ(c.PropertyGender, PropertyGenderFor(c.Gender).value_or(0xFFFF));
            EXPECT_EQ(c.HairColor.size(), 36u);
            seen.insert(c.FormatVersion);
        }
        EXPECT_EQ(seen, expected);
        EXPECT_EQ(FindAll(d.Hood.Entries, types::SimDescription).size(), d.Sims.size());
        EXPECT_EQ(FindAll(d.Hood.Entries, types::GeneticsStrings).size(), d.Sims.size());
    }
}

TEST_F(DemoFolder, StandardNeighborhoodHasEveryKindOfSim) {
    const LoadedDemo d = Load(Root(), "N001");
    EXPECT_GE(d.Sims.size(), 12u);
    EXPECT_EQ(d.Households.size(), 4u);

    auto count = [&](auto pred) { return std::count_if(d.Sims.begin(), d.Sims.end(), pred); };
    EXPECT_EQ(count([](const Character& c) { return c.FamilyNumber == 0; }), 1);
    EXPECT_EQ(count([](const Character& c) { return c.Species == 3 && c.Ages == 19; }), 1);
    EXPECT_EQ(count([](const Character& c) { return c.Species == 1; }), 1);
    EXPECT_GE(count([](const Character& c) { return c.Ages == 16 && c.School != FourBytes{}; }), 1);
    EXPECT_GE(count([](const Character& c) {
                  return c.YoungAdult == 1 && c.PropertyAge == 64 &&
                         c.UniversityMajor != FourBytes{} && c.UniversityClass > 0;
              }),
              1);
    EXPECT_GE(count([](const Character& c) {
                  return c.Ages == 51 && c.RetCareer != FourBytes{} && c.RetJobs > 0;
              }),
              2);
    EXPECT_GE(count([](const Character& c) { return c.TurnOns != FourBytes{}; }), 5);
    EXPECT_GE(count([](const Character& c) { return c.AttractionTraits != FourBytes{}; }), 3);
    EXPECT_GE(count([](const Character& c) { return c.Cooking > 0 && c.Talent != 0; }), 3);

    // Household members are sims of this neighborhood, and those sims name the household.
    for (const Household& h : d.Households) {
        SCOPED_TRACE(h.HouseholdName);
        EXPECT_FALSE(h.Members.empty());
        for (const FourBytes& guid : h.Members) {
            auto it = std::find_if(d.Sims.begin(), d.Sims.end(),
                                   [&](const Character& c) { return c.GUID == guid; });
            ASSERT_NE(it, d.Sims.end());
            EXPECT_EQ(static_cast<std::uint32_t>(it->FamilyNumber), h.Instance);
        }
    }
}

TEST_F(DemoFolder, NamesReadBackInBothLanguages) {
    const LoadedDemo english = Load(Root(), "N001", 1);
    const LoadedDemo german = Load(Root(), "N001", 4);
    ASSERT_EQ(english.Households.size(), german.Households.size());
    int translated = 0, fallenBack = 0;
    for (std::size_t i = 0; i < english.Households.size(); ++i) {
        const std::string& en = english.Households[i].HouseholdName;
        const std::string& de = german.Households[i].HouseholdName;
        EXPECT_FALSE(en.empty());
        EXPECT_FALSE(de.empty());
        (en == de ? fallenBack : translated) += 1;
    }
    // Most households carry German names; one has English only, which the German game shows.
    EXPECT_GE(translated, 2);
    EXPECT_EQ(fallenBack, 1);
    // A sim's names are written in the game's own sim shape: both languages carry them.
    EXPECT_NE(ByName(german, "Owen"), nullptr);

    const NeighborhoodScan scan = ScanNeighborhoods(Root() / "Neighborhoods", 3);
    ASSERT_FALSE(scan.Termination.has_value());
    EXPECT_TRUE(scan.Messages.empty());
    std::vector<std::string> folders;
    for (const Neighborhood& n : scan.Neighborhoods) folders.push_back(n.FolderName);
    ASSERT_EQ(folders, (std::vector<std::string>{"N001", "G001", "F001"}));
    EXPECT_EQ(scan.Neighborhoods[0].NGBDName, "Willowmere Hollow");
    EXPECT_EQ(scan.Neighborhoods[0].NGBDVersion, "1.14 - 51");
    EXPECT_EQ(scan.Neighborhoods[1].NGBDName, "Mouettes-sur-Mer");
    EXPECT_EQ(ScanNeighborhoods(Root() / "Neighborhoods", 1).Neighborhoods[1].NGBDName,
              "Gullhaven Cove");
}

TEST_F(DemoFolder, RelationshipsAndFamilyTiesAgreeFromBothSides) {
    for (const std::string folder : {"N001", "G001", "F001"}) {
        SCOPED_TRACE(folder);
        const LoadedDemo d = Load(Root(), folder);
        std::set<std::uint32_t> instances;
        for (const Character& c : d.Sims) instances.insert(c.DescriptionInstance);

        ASSERT_FALSE(d.Relations.empty());
        for (const RelationshipRecord& r : d.Relations) {
            EXPECT_TRUE(instances.count(r.SimA) && instances.count(r.SimB));
            const RelationshipRecord* back = FindRelationship(d.Relations, r.SimB, r.SimA);
            ASSERT_NE(back, nullptr) << r.SimA << "->" << r.SimB;
            // Mutual flags (engaged, married, steady; unavailable, acquaintance) agree.
            EXPECT_EQ(r.RelBitOne & 0x4C, back->RelBitOne & 0x4C);
            EXPECT_EQ(r.RelBitTwo & 0xC0, back->RelBitTwo & 0xC0);
        }

        auto has = [&](std::uint16_t owner, std::uint32_t kind, std::uint16_t relative) {
            return std::find(d.Ties.begin(), d.Ties.end(), FamilyTie{owner, kind, relative}) !=
                   d.Ties.end();
        };
        for (const FamilyTie& t : d.Ties) {
            SCOPED_TRACE(std::to_string(t.Owner) + " " + std::to_string(t.Kind) + " " +
                         std::to_string(t.Relative));
            EXPECT_TRUE(instances.count(t.Owner) && instances.count(t.Relative));
            if (t.Kind == 0 || t.Kind == 1) {
                EXPECT_TRUE(has(t.Relative, 4, t.Owner));
            } else if (t.Kind == 4) {
                EXPECT_TRUE(has(t.Relative, 0, t.Owner) || has(t.Relative, 1, t.Owner));
            } else {
                EXPECT_TRUE(has(t.Relative, t.Kind, t.Owner));  // spouse and sibling mirror
            }
            if (t.Kind == 2) {
                const RelationshipRecord* r = FindRelationship(d.Relations, t.Owner, t.Relative);
                ASSERT_NE(r, nullptr);
                EXPECT_TRUE(r->RelBitOne >> relbits::Married & 1);
            }
        }
    }
    // The standard families: parents, children and siblings are all there.
    const LoadedDemo n = Load(Root(), "N001");
    std::set<std::uint32_t> kinds;
    for (const FamilyTie& t : n.Ties) kinds.insert(t.Kind);
    EXPECT_EQ(kinds, (std::set<std::uint32_t>{0, 1, 2, 3, 4}));
}

TEST_F(DemoFolder, ThumbnailsAndNeighborhoodPicturesDecode) {
    for (const fs::path& file : FilesUnder(Root() / "Neighborhoods", ".package")) {
        if (file.parent_path().filename() != "Characters") continue;
        SCOPED_TRACE(file.string());
        const Package p = Package::Open(file);
        // The picture the loader shows: the last one whose instance's first byte is not 0.
        const PackageIndexEntry* shown = nullptr;
        bool skipped = false;  // a picture the loader passes over is there too
        for (const auto& e : p.Entries) {
            if (e.Type != types::Picture) continue;
            if (e.Instance & 0xFF)
                shown = &e;
            else
                skipped = true;
        }
        ASSERT_NE(shown, nullptr);
        EXPECT_TRUE(skipped);
        const Bytes jpeg = Content(p, *shown);
        ASSERT_GE(jpeg.size(), 4u);
        EXPECT_EQ(Bytes(jpeg.begin(), jpeg.begin() + 4), (Bytes{0xFF, 0xD8, 0xFF, 0xE0}));
        const Bitmap face = DecodeJpeg(jpeg);
        EXPECT_EQ(face.Width(), 128);
    }
    for (const std::string folder : {"N001", "G001", "F001"}) {
        const Bytes png =
            ReadWholeFile(Root() / "Neighborhoods" / folder / (folder + "_Neighborhood.png"));
        EXPECT_EQ(DetectImageFormat(png), ImageFormat::Png);
        EXPECT_FALSE(DecodePng(png).Empty());
    }
}

TEST_F(DemoFolder, DownloadsHoldOneCustomGenePerPackage) {
    std::map<std::uint32_t, int> kinds;
    for (const fs::path& file : FilesUnder(Root() / "Downloads", ".package")) {
        SCOPED_TRACE(file.string());
        const Package p = Package::Open(file);
        const PackageIndexEntry* gene = nullptr;
        for (const auto& e : p.Entries)
            if (e.Type == 0x8C1580B5 || e.Type == 0x4C158081 || e.Type == 0x2C1FD8A1) {
                EXPECT_EQ(gene, nullptr);
                gene = &e;
            }
        ASSERT_NE(gene, nullptr);
        ++kinds[gene->Type];
        const Bytes content = Content(p, *gene);
        std::string family;
        if (content.size() > 4 && std::string(content.begin(), content.begin() + 4) == "<?xm") {
            const std::string xml(content.begin(), content.end());
            const std::string open = "<AnyString key=\"family\" type=\"0x0b8bea18\">";
            const auto at = xml.find(open);
            ASSERT_NE(at, std::string::npos);
            family = xml.substr(at + open.size(), 36);
            if (gene->Type == 0x2C1FD8A1) {
                EXPECT_NE(xml.find("<AnyUint32 key=\"subtype\" type=\"0xeb61e4f7\">3</AnyUint32>"),
                          std::string::npos);
            }
        } else {
            for (const Property& prop : ReadPropertySet(content)) {
                if (prop.Name == "family") family = prop.Text;
                if (prop.Name == "subtype") {
                    EXPECT_EQ(prop.Number, 3u);
                }
            }
        }
        EXPECT_EQ(family.size(), 36u);
        const auto* title = FindFirst(p.Entries, types::HouseholdText);
        ASSERT_NE(title, nullptr);
        EXPECT_FALSE(ReadTextList(Content(p, *title), 1, 1)->front().empty());
    }
    EXPECT_EQ(kinds.size(), 3u);  // hair, skin and eyes
}

// The demo's people name their turn-ons and traits by list number; the records must carry them
// at the bits the editor reads, the later traits (14 and up, kept out of number order) included.
TEST(DemoWriter, TraitNumbersLandWhereTheEditorReadsThem) {
    demo::Person p;
    p.TurnOns = {33, 14, 0};
    p.TurnOffs = {20, 0};
    p.Traits = {3, 21};
    demo::Dice dice(1);
    const DemoSim sim = demo::MakeSim(p, 51, 1, 0, dice);
    const AttractionView view = ReadAttraction(sim.Record);
    EXPECT_EQ(view.TurnOn1, 33);  // 33 is scanned before 14
    EXPECT_EQ(view.TurnOn2, 14);
    EXPECT_EQ(view.TurnOff, 20);
    EXPECT_EQ(view.Traits, (std::vector<std::string>{AttractionTraitOf(3)->Label,
                                                     AttractionTraitOf(21)->Label}));
    EXPECT_TRUE(view.Reports.empty());
}

TEST(DemoRegistry, HasEveryPackAndEnglish) {
    const MemoryRegistry registry = DemoRegistry();
    const ExpansionFlags flags = ReadExpansionFlags(registry);
    EXPECT_EQ(flags, (ExpansionFlags{true, true, true, true, true, true, true}));
    const GameRegistration game = ReadGameRegistration(registry);
    EXPECT_EQ(game.DisplayName, "The Sims 2");
    ASSERT_TRUE(game.LanguageName.has_value());
    EXPECT_EQ(LanguageFromName(*game.LanguageName).GameLanguage, 1);
}

TEST(DemoWriter, GeneratedNeighborhoodHoldsTheAskedNumberOfSims) {
    TempDir dir;
    WriteDemoUserData(dir.path(), DemoOptions{30, 5});
    const LoadedDemo d = Load(dir.path(), "N001");
    ASSERT_EQ(d.Sims.size(), 30u);
    std::set<std::uint32_t> instances;
    for (const Character& c : d.Sims) {
        EXPECT_EQ(d.MatchesPerSim.at(c.DescriptionInstance), 1) << c.FileName;
        instances.insert(c.DescriptionInstance);
    }
    EXPECT_EQ(instances.size(), 30u);
    std::size_t members = 0;
    for (const Household& h : d.Households) members += h.Members.size();
    EXPECT_EQ(members, 30u);
    EXPECT_FALSE(d.Relations.empty());
}

TEST(DemoWriter, SameSeedGivesTheSameBytesAndAnotherSeedDoesNot) {
    TempDir dir;
    WriteDemoUserData(dir / "a", DemoOptions{0, 7});
    WriteDemoUserData(dir / "b", DemoOptions{0, 7});
    WriteDemoUserData(dir / "c", DemoOptions{0, 8});
    auto files = FilesUnder(dir / "a", ".package");
    const auto pictures = FilesUnder(dir / "a", ".png");
    files.insert(files.end(), pictures.begin(), pictures.end());
    ASSERT_EQ(pictures.size(), 3u);
    for (const fs::path& file : files) {
        const fs::path relative = fs::relative(file, dir / "a");
        EXPECT_EQ(ReadWholeFile(file), ReadWholeFile(dir / "b" / relative)) << relative;
    }
    EXPECT_EQ(FilesUnder(dir / "b", ".package").size() + FilesUnder(dir / "b", ".png").size(),
              files.size());
    const fs::path hood = "Neighborhoods/N001/N001_Neighborhood.package";
    EXPECT_NE(ReadWholeFile(dir / "a" / hood), ReadWholeFile(dir / "c" / hood));
}

TEST(DemoWriter, NeverWritesIntoAFolderThatIsNotAnEarlierDemo) {
    TempDir dir;
    const fs::path game = dir / "game";
    fs::create_directories(game / "Neighborhoods/N001");
    const Bytes precious = test::Text("a player's neighborhood");
    ReplaceFileAtomically(game / "Neighborhoods/N001/N001_Neighborhood.package", precious);
    EXPECT_THROW(WriteDemoUserData(game, {}), DemoError);
    EXPECT_EQ(ReadWholeFile(game / "Neighborhoods/N001/N001_Neighborhood.package"), precious);
    EXPECT_FALSE(fs::exists(game / "Downloads"));

    for (int sims : {-1, 60001}) {
        SCOPED_TRACE(sims);
        EXPECT_THROW(WriteDemoUserData(dir / "odd", DemoOptions{sims, 1}), DemoError);
        EXPECT_FALSE(fs::exists(dir / "odd"));
    }

    // An earlier demo is replaced whole: no sim of a larger demo is left behind.
    const fs::path demo = dir / "demo";
    WriteDemoUserData(demo, DemoOptions{30, 1});
    WriteDemoUserData(demo, DemoOptions{});
    WriteDemoUserData(dir / "fresh", DemoOptions{});
    const auto characters = FilesUnder(demo / "Neighborhoods/N001/Characters", ".package");
    EXPECT_EQ(characters.size(),
              FilesUnder(dir / "fresh" / "Neighborhoods/N001/Characters", ".package").size());
    for (const fs::path& file : characters)
        EXPECT_EQ(ReadWholeFile(file), ReadWholeFile(dir / "fresh" / fs::relative(file, demo)));
}

TEST(DemoCompress, EveryStoredEntryReadsAsCompressedAndDecodesBack) {
    // Sizes around the point where the compressed form is exactly as long as the plain one.
    int equalSizes = 0;
    for (std::size_t n = 1; n < 300; ++n) {
        Bytes plain = test::NoiseBytes(n, static_cast<std::uint32_t>(n));
        for (std::size_t i = n / 2; i < n; ++i) plain[i] = plain[i % 7];
        const Bytes raw = DemoCompress(plain);
        if (raw.size() == plain.size()) ++equalSizes;
        const Bytes stored = DemoStoredCompressed(plain);
        SCOPED_TRACE(n);
        ASSERT_TRUE(IsCompressedEntry(stored));
        Bytes decoded;
        ASSERT_TRUE(DecodeRefPack(stored, decoded));
        EXPECT_EQ(decoded, plain);
    }
    EXPECT_GT(equalSizes, 0);  // the lengthening case was met
}

}  // namespace
}  // namespace kinloom
