// Clone files: the bytes written for every attribute group, the body copies and the index, and
// reading them back (or refusing to) without trusting anything the file says.
#include <gtest/gtest.h>

#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "core/cloning/CloneFile.h"
#include "core/cloning/Cloning.h"

namespace kinloom {
namespace {

using test::GetU32;
using test::PackageBuilder;
using test::Text;

constexpr std::uint32_t kFaceType = 0xAC506764;
constexpr std::uint32_t kSkinType = 0xFC6EB1F7;

std::int16_t Word(const Bytes& b, std::size_t at) {
    return static_cast<std::int16_t>(b.at(at) | (b.at(at + 1) << 8));
}
FourBytes Four(const Bytes& b, std::size_t at) {
    return {b.at(at), b.at(at + 1), b.at(at + 2), b.at(at + 3)};
}

// A sim whose every cloned field holds a value of its own, so a field in the wrong place shows.
Character DistinctSim() {
    Character c;
    std::int16_t next = 100;
    for (std::int16_t* w : {&c.Neat,
                            &c.Outgoing,
                            &c.Active,
                            &c.Playful,
                            &c.Nice,
                            &c.OrgNeat,
                            &c.OrgOutgoing,
                            &c.OrgActive,
                            &c.OrgPlayful,
                            &c.OrgNice,
                            &c.Zodiac,
                            &c.Aspiration,
                            &c.AspirationScore,
                            &c.AspirationLevel,
                            &c.AspirationRewardPoints,
                            &c.Cleaning,
                            &c.Cooking,
                            &c.Charisma,
                            &c.Mechanical,
                            &c.Creativity,
                            &c.Body,
                            &c.Logic,
                            &c.Politics,
                            &c.Money,
                            &c.Environment,
                            &c.Crime,
                            &c.Entertainment,
                            &c.Culture,
                            &c.Food,
                            &c.Health,
                            &c.Fashion,
                            &c.Sports,
                            &c.Paranormal,
                            &c.Travel,
                            &c.Work,
                            &c.Weather,
                            &c.Animals,
                            &c.SchoolInterest,
                            &c.Toys,
                            &c.SciFi,
                            &c.JobData,
                            &c.Jobs,
                            &c.Grade,
                            &c.RetJobs,
                            &c.Performance,
                            &c.NPCType,
                            &c.Pension,
                            &c.PTO,
                            &c.MalePref,
                            &c.FemalePref,
                            &c.FitnessPreference,
                            &c.LocoBalance,
                            &c.LocoWeight1,
                            &c.Gender,
                            &c.Ages,
                            &c.AgeDaysLeft,
                            &c.AgeDuration,
                            &c.DaysPrevAge,
                            &c.Fatness,
                            &c.ClassPerformance,
                            &c.GPA,
                            &c.UniversityClass,
                            &c.YoungAdult,
                            &c.InfluenceLevel,
                            &c.Cuisine,
                            &c.ArtsCrafts,
                            &c.FilmsLiterature,
                            &c.SportsHB,
                            &c.Games,
                            &c.Nature,
                            &c.Tinkering,
                            &c.Fitness,
                            &c.Science,
                            &c.MusicDance,
                            &c.Talent,
                            &c.Hunger,
                            &c.Comfort,
                            &c.Bladder,
                            &c.Energy,
                            &c.Hygiene,
                            &c.Fun,
                            &c.Social})
        *w = next++;
    c.Hunger = -300;  // a negative value travels as its two's complement
    std::uint8_t b = 0x10;
    for (FourBytes* f : {&c.Career, &c.School, &c.RetCareer, &c.UniversityMajor,
                         &c.AttractionTraits, &c.TurnOns, &c.TurnOffs})
        for (auto& x : *f) x = b++;
    c.FirstName = "Ann";
    c.LastName = "Sm\xC3\xAFth";
    c.CharacterDescription = "Keeps bees.";
    c.SkinColor = "skin-guid";
    c.HairColor = "hair-guid";
    c.EyeColor = "eye-guid";
    return c;
}

DNA DistinctDna() {
    DNA d;
    int k = 0;
    for (std::string* s :
         {&d.SkinTone, &d.RecSkinTone, &d.FatherHairColor, &d.MotherHairColor, &d.FatherSkinTone,
          &d.MotherSkinTone, &d.DomEyeColor, &d.RecEyeColor, &d.Key5, &d.Key4, &d.Key7, &d.Key8,
          &d.Key268435460, &d.Key268435461, &d.Key268435463, &d.Key268435464})
        *s = "gene" + std::to_string(k++);
    d.Key8.clear();  // an empty string is stored as its length alone
    return d;
}

// A character package: body entries among others, a thumbnail, the body types out of their
// listed order, one with an instance-high.
Bytes CharacterPackage(int form) {
    PackageBuilder p(form);
    p.add(types::TextList, 1, Text("names"));
    p.add(kSkinType, 9, Text("skin-bytes"), 0x11, 0x22);
    p.add(types::Picture, 1, Text("thumbnail"));
    for (std::uint32_t type : kBodyEntryTypes)
        if (type != kSkinType) p.add(type, 3, Text("body-" + TypeIdText(type)), 0x7FD46CD0);
    p.add(types::ObjectData, 0x80, Text("object"));
    return p.build();
}

struct Listed {
    PackageIndexEntry entry;
    Bytes content;
};

std::vector<Listed> ListClone(const Bytes& image, int expectedForm) {
    EntryList entries;
    EXPECT_EQ(ReadIndex(image, entries), expectedForm);
    std::vector<Listed> out;
    for (const auto& e : entries) {
        ByteView v = StoredBytes(image, e);
        out.push_back({e, Bytes(v.begin(), v.end())});
    }
    return out;
}

TEST(CloneFileWriteTest, EveryGroupHoldsItsFieldsAtTheirOffsets) {
    const Character sim = DistinctSim();
    const DNA dna = DistinctDna();
    const Bytes image = BuildCloneImage(sim, &dna, CharacterPackage(24), false, 4);
    const auto listed = ListClone(image, 24);

    const std::vector<std::uint32_t> order = {1, 2, 3, 4, 5, 6, 7, 8, 9, 256, 260, 258, 261, 262};
    ASSERT_EQ(listed.size(), order.size() + 9);
    std::map<std::uint32_t, Bytes> g;
    std::uint32_t expectedOffset = 96;
    for (std::size_t i = 0; i < order.size(); ++i) {
        SCOPED_TRACE(order[i]);
        EXPECT_EQ(TypeIdText(listed[i].entry), "4B4C4F4E");
        EXPECT_EQ(listed[i].entry.Group, order[i]);
        EXPECT_EQ(listed[i].entry.Instance, 0u);
        EXPECT_EQ(listed[i].entry.InstanceHigh, 0u);
        EXPECT_EQ(listed[i].entry.Offset, expectedOffset);  // back to back after the header
        expectedOffset += listed[i].entry.Size;
        g[order[i]] = listed[i].content;
    }

    const std::vector<std::pair<std::uint32_t, std::size_t>> sizes = {
        {1, 22}, {2, 8},    {3, 14},   {4, 36},   {5, 28},
        {6, 22}, {256, 14}, {258, 12}, {261, 22}, {262, 14}};
    for (auto [group, size] : sizes) EXPECT_EQ(g[group].size(), size) << group;

    // Personality, zodiac last.
    const std::int16_t personality[] = {
        sim.Neat,        sim.Outgoing,  sim.Active,     sim.Playful, sim.Nice,  sim.OrgNeat,
        sim.OrgOutgoing, sim.OrgActive, sim.OrgPlayful, sim.OrgNice, sim.Zodiac};
    for (std::size_t i = 0; i < std::size(personality); ++i)
        EXPECT_EQ(Word(g[1], 2 * i), personality[i]);
    EXPECT_EQ(Word(g[2], 0), sim.Aspiration);
    EXPECT_EQ(Word(g[2], 6), sim.AspirationRewardPoints);
    EXPECT_EQ(Word(g[3], 0), sim.Cleaning);
    EXPECT_EQ(Word(g[3], 12), sim.Logic);
    EXPECT_EQ(Word(g[4], 0), sim.Politics);
    EXPECT_EQ(Word(g[4], 30), sim.SchoolInterest);
    EXPECT_EQ(Word(g[4], 34), sim.SciFi);
    // Job: 4-byte identifiers among the words.
    EXPECT_EQ(Four(g[5], 0), sim.Career);
    EXPECT_EQ(Word(g[5], 4), sim.JobData);
    EXPECT_EQ(Word(g[5], 6), sim.Jobs);
    EXPECT_EQ(Four(g[5], 8), sim.School);
    EXPECT_EQ(Word(g[5], 12), sim.Grade);
    EXPECT_EQ(Four(g[5], 14), sim.RetCareer);
    EXPECT_EQ(Word(g[5], 18), sim.RetJobs);
    EXPECT_EQ(Word(g[5], 20), sim.Performance);
    EXPECT_EQ(Word(g[5], 22), sim.NPCType);
    EXPECT_EQ(Word(g[5], 24), sim.Pension);
    EXPECT_EQ(Word(g[5], 26), sim.PTO);
    const std::int16_t character[] = {sim.MalePref,    sim.FemalePref,  sim.FitnessPreference,
                                      sim.LocoBalance, sim.LocoWeight1, sim.Gender,
                                      sim.Ages,        sim.AgeDaysLeft, sim.AgeDuration,
                                      sim.DaysPrevAge, sim.Fatness};
    for (std::size_t i = 0; i < std::size(character); ++i)
        EXPECT_EQ(Word(g[6], 2 * i), character[i]);
    // Names: language byte, the bytes as held, two zeros.
    EXPECT_EQ(g[7], (Bytes{4, 'A', 'n', 'n', 0, 0}));
    EXPECT_EQ(g[8], (Bytes{4, 'S', 'm', 0xC3, 0xAF, 't', 'h', 0, 0}));
    EXPECT_EQ(g[9].size(), sim.CharacterDescription.size() + 3);
    EXPECT_EQ(Word(g[256], 0), sim.ClassPerformance);
    EXPECT_EQ(Word(g[256], 2), sim.GPA);
    EXPECT_EQ(Four(g[256], 4), sim.UniversityMajor);
    EXPECT_EQ(Word(g[256], 8), sim.UniversityClass);
    EXPECT_EQ(Word(g[256], 10), sim.YoungAdult);
    EXPECT_EQ(Word(g[256], 12), sim.InfluenceLevel);
    EXPECT_EQ(Four(g[258], 0), sim.AttractionTraits);
    EXPECT_EQ(Four(g[258], 4), sim.TurnOns);
    EXPECT_EQ(Four(g[258], 8), sim.TurnOffs);
    EXPECT_EQ(Word(g[261], 0), sim.Cuisine);
    EXPECT_EQ(Word(g[261], 20), sim.Talent);
    EXPECT_EQ(Word(g[262], 0), sim.Hunger);
    EXPECT_EQ(Word(g[262], 12), sim.Social);
    EXPECT_EQ(g[262][0], 0xD4);  // -300 little-endian
    EXPECT_EQ(g[262][1], 0xFE);

    // Genes: 16 strings in record order, then skin, hair, eyes; each with a 16-bit length.
    Bytes genes;
    for (const std::string& s :
         {dna.SkinTone, dna.RecSkinTone, dna.FatherHairColor, dna.MotherHairColor,
          dna.FatherSkinTone, dna.MotherSkinTone, dna.DomEyeColor, dna.RecEyeColor, dna.Key5,
          dna.Key4, dna.Key7, dna.Key8, dna.Key268435460, dna.Key268435461, dna.Key268435463,
          dna.Key268435464, sim.SkinColor, sim.HairColor, sim.EyeColor}) {
        genes.push_back(static_cast<std::uint8_t>(s.size()));
        genes.push_back(0);
        genes.insert(genes.end(), s.begin(), s.end());
    }
    EXPECT_EQ(g[260], genes);

    // Body entries follow in the character package's order, verbatim, with their own ids; the
    // thumbnail and the other entries stay behind.
    EXPECT_EQ(listed[14].entry.Type, kSkinType);
    EXPECT_EQ(listed[14].entry.Group, 0x11u);
    EXPECT_EQ(listed[14].entry.Instance, 9u);
    EXPECT_EQ(listed[14].entry.InstanceHigh, 0x22u);
    EXPECT_EQ(listed[14].content, Text("skin-bytes"));
    std::size_t at = 15;
    for (std::uint32_t type : kBodyEntryTypes) {
        if (type == kSkinType) continue;
        SCOPED_TRACE(TypeIdText(type));
        EXPECT_EQ(listed[at].entry.Type, type);
        EXPECT_EQ(listed[at].content, Text("body-" + TypeIdText(type)));
        ++at;
    }
}

TEST(CloneFileWriteTest, HeaderAndIndexFollowTheCharacterPackagesForm) {
    for (int form : {20, 24}) {
        SCOPED_TRACE(form);
        const Character sim = DistinctSim();
        const Bytes image = BuildCloneImage(sim, nullptr, CharacterPackage(form), false, 1);
        EXPECT_EQ(Bytes(image.begin(), image.begin() + 4), Text("DBPF"));
        const std::pair<std::size_t, std::uint32_t> fixed[] = {
            {4, 1},  {8, 1},  {12, 0}, {16, 0}, {20, 0}, {24, 0}, {28, 0},
            {32, 7}, {48, 0}, {52, 0}, {56, 0}, {60, 2}, {64, 0}, {92, 0}};
        for (auto [offset, value] : fixed) EXPECT_EQ(GetU32(image, offset), value) << offset;
        const std::uint32_t count = GetU32(image, 36);
        EXPECT_EQ(count, 13u + 9u);  // no genetics record: no genes group
        EXPECT_EQ(GetU32(image, 44), count * static_cast<std::uint32_t>(form));
        EXPECT_EQ(GetU32(image, 40) + GetU32(image, 44), image.size());  // the index ends the file
        for (const Listed& l : ListClone(image, form)) EXPECT_NE(l.entry.Group, 260u);
    }
}

TEST(CloneFileWriteTest, OptionalGroupsAndEmptyTexts) {
    Character sim = DistinctSim();
    sim.CharacterDescription.clear();
    const DNA dna = DistinctDna();
    // With Free Time the game keeps aspirations elsewhere: no aspiration group.
    const Bytes image = BuildCloneImage(sim, &dna, CharacterPackage(24), true, 2);
    bool sawDescription = false;
    for (const Listed& l : ListClone(image, 24)) {
        if (l.entry.Type != kCloneGroupType) continue;
        EXPECT_NE(l.entry.Group, 2u);
        if (l.entry.Group == 9) {
            sawDescription = true;
            EXPECT_EQ(l.content, (Bytes{2, 0, 0}));
        }
    }
    EXPECT_TRUE(sawDescription);
}

TEST(CloneFileWriteTest, ACharacterPackageWithoutAListableIndexGivesNoClone) {
    Bytes broken = CharacterPackage(24);
    test::SetU32(broken, 36, 0);
    EXPECT_THROW(BuildCloneImage(DistinctSim(), nullptr, broken, false, 1), IndexError);
    Bytes cut = CharacterPackage(24);
    cut.resize(cut.size() - 10);
    EXPECT_THROW(BuildCloneImage(DistinctSim(), nullptr, cut, false, 1), ReadError);
}

// A clone re-read and taken over whole by a blank sim writes the same clone again.
TEST(CloneFileReadTest, AWrittenCloneReadsBackIdentically) {
    for (int form : {20, 24}) {
        SCOPED_TRACE(form);
        const Character sim = DistinctSim();
        const DNA dna = DistinctDna();
        const Bytes package = CharacterPackage(form);
        const Bytes image = BuildCloneImage(sim, &dna, package, false, 1);

        const CloneContents clone = ReadCloneFile(image);
        EXPECT_TRUE(clone.HasBody);
        Character copy;
        copy.NPCType = sim.NPCType;  // travels in the clone but is never taken over
        DNA copyDna;
        ApplyClone(clone, CloneGroups::All(), copy, &copyDna);
        EXPECT_EQ(BuildCloneImage(copy, &copyDna, package, false, 1), image);
    }
}

TEST(CloneFileReadTest, ACloneCutShortAnywhereIsRefused) {
    const Character sim = DistinctSim();
    const DNA dna = DistinctDna();
    const Bytes image = BuildCloneImage(sim, &dna, CharacterPackage(24), false, 1);
    for (std::size_t size = 0; size < image.size(); ++size) {
        SCOPED_TRACE(size);
        EXPECT_THROW(ReadCloneFile(ByteView(image).first(size)), CloneFileError);
    }
}

TEST(CloneFileReadTest, LyingGroupsAreRefused) {
    Bytes genesTooLong;
    AppendU16(genesTooLong, 3);
    genesTooLong.insert(genesTooLong.end(), {'a', 'b', 'c'});
    AppendU16(genesTooLong, 200);  // the second string claims more than the group holds
    genesTooLong.push_back('x');

    struct Case {
        const char* name;
        PackageBuilder package;
    };
    std::vector<Case> cases;
    cases.push_back({"personality shorter than its layout",
                     std::move(PackageBuilder(24).add(kCloneGroupType, 0, Bytes(20, 1), 1))});
    cases.push_back({"job group of one byte",
                     std::move(PackageBuilder(24).add(kCloneGroupType, 0, Bytes{5}, 5))});
    cases.push_back({"first name without its closing zeros",
                     std::move(PackageBuilder(24).add(kCloneGroupType, 0, Bytes{1, 0}, 7))});
    cases.push_back({"gene string running past its group",
                     std::move(PackageBuilder(20).add(kCloneGroupType, 0, genesTooLong, 260))});
    cases.push_back(
        {"group past the end of the file",
         std::move(PackageBuilder(24).add({kCloneGroupType, 3, 0, 0, {}, false, 5000u, 14u}))});
    cases.push_back({"body entry past the end of the file",
                     std::move(PackageBuilder(24)
                                   .add(kCloneGroupType, 0, Bytes(22, 0), 1)
                                   .add({kFaceType, 0, 1, 0, {}, false, 5000u, 40u}))});
    cases.push_back({"no index", std::move(PackageBuilder(24))});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(ReadCloneFile(c.package.build()), CloneFileError);
    }
}

TEST(CloneFileReadTest, GroupsBeyondTheLayoutAreToleratedAndEmptyGenesIgnored) {
    Bytes personality(24, 0);  // two spare bytes after the zodiac
    personality[0] = 7;
    const Bytes file = PackageBuilder(24)
                           .add(kCloneGroupType, 0, personality, 1)
                           .add(kCloneGroupType, 0, Bytes{}, 260)
                           .add(0x12345678, 0, Bytes{1, 2, 3}, 1)  // other types are not read
                           .build();
    const CloneContents clone = ReadCloneFile(file);
    EXPECT_FALSE(clone.Genes.has_value());
    EXPECT_FALSE(clone.HasBody);
    Character target;
    ApplyClone(clone, CloneGroups::All(), target, nullptr);
    EXPECT_EQ(target.Neat, 7);
}

TEST(BodyPackageTest, OnlyAPackageWithEveryBodyTypeOffersABody) {
    auto body = [](std::optional<std::uint32_t> leaveOut) {
        PackageBuilder p(24);
        p.add(types::Picture, 1, Text("thumb"));
        for (std::uint32_t type : kBodyEntryTypes)
            if (type != leaveOut) p.add(type, 1, Text("b"));
        return p.build();
    };
    EXPECT_TRUE(HoldsCompleteBody(body(std::nullopt)));
    for (std::uint32_t type : kBodyEntryTypes) {
        SCOPED_TRACE(TypeIdText(type));
        EXPECT_FALSE(HoldsCompleteBody(body(type)));
    }
    EXPECT_FALSE(HoldsCompleteBody(test::NoiseBytes(300, 5)));
    EXPECT_FALSE(HoldsCompleteBody(Bytes{}));
    Bytes cut = body(std::nullopt);
    cut.resize(cut.size() / 2);
    EXPECT_FALSE(HoldsCompleteBody(cut));
}

TEST(CloneNamesTest, TargetPathAndProposedName) {
    const std::pair<const char*, const char*> paths[] = {{"AnnSmith", "AnnSmith.clone"},
                                                         {"AnnSmith.txt", "AnnSmith.clone"},
                                                         {"Ann.Smith.CLONE", "Ann.Smith.clone"},
                                                         {"AnnSmith.clone", "AnnSmith.clone"}};
    for (auto [chosen, expected] : paths)
        EXPECT_EQ(CloneTargetPath(std::filesystem::path("/c") / chosen),
                  std::filesystem::path("/c") / expected);

    Character sim;
    sim.FirstName = " Ann ";
    sim.LastName = "Smith";
    EXPECT_EQ(ProposedCloneName(sim), u"AnnSmith");
}

TEST(CloneNamesTest, TheProposedNameAlwaysNamesAFileInTheStartFolder) {
    struct Case {
        const char* first;
        const char* last;
        const char16_t* expected;
    };
    const Case cases[] = {
        {"Ann", "Smith", u"AnnSmith"},
        {"Zo\xC3\xAB", "M\xC3\xBCller", u"Zo\u00EBM\u00FCller"},  // kept as typed
        {"../../Ann", "Smith", u"____AnnSmith"},
        {"..\\..\\Ann", "", u"____Ann"},
        {"Ann/Bo", "Smith", u"Ann_BoSmith"},
        {"A<n>n:", "\"S|m?i*th\"", u"A_n_n__S_m_i_th_"},
        {"Ann\tB\x01o", "Smith\x7F", u"Ann_B_oSmith_"},
        {"Ann", "Smith...", u"AnnSmith"},
        {"Ann", "Smith.", u"AnnSmith"},
        {"Ann.", " ", u"Ann"},
        {"...", "", u"Clone"},
        {"..", "..", u"Clone"},
        {"Ann..", "..Smith", u"Ann____Smith"},
        {".", "", u"Clone"},
        {"", "", u"Clone"},
        {"  ", "  ", u"Clone"},
        {".Ann", "", u"Ann"},
        {"Ann.Mary", "Smith", u"Ann_MarySmith"},  // no extension to replace
        {"Mr.", "Smith.clone", u"Mr_Smith_clone"},
        {"con", "", u"con_"},
        {"Nul", "", u"Nul_"},
        {"LPT1", "", u"LPT1_"},
        {"Con", "stance", u"Constance"},
    };
    const std::filesystem::path start = "/clones";
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.first) + "|" + c.last);
        Character sim;
        sim.FirstName = c.first;
        sim.LastName = c.last;
        const std::u16string name = ProposedCloneName(sim);
        EXPECT_EQ(name, std::u16string(c.expected));
        const std::filesystem::path file = (start / std::filesystem::path(name)).lexically_normal();
        EXPECT_EQ(file.parent_path(), start);
        EXPECT_EQ(file.filename(), std::filesystem::path(name));
        // Taken as proposed, the clone is written under the whole name.
        EXPECT_EQ(CloneTargetPath(start / std::filesystem::path(name)),
                  start / std::filesystem::path(name + u".clone"));
    }

    // A very long name is cut without splitting a character in two.
    Character sim;
    sim.FirstName = std::string(119, 'a') + "\xF0\x9F\x98\x80";  // one character beyond 16 bits
    const std::u16string name = ProposedCloneName(sim);
    EXPECT_EQ(name, std::u16string(119, u'a'));
}

}  // namespace
}  // namespace kinloom
