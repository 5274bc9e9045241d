#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "core/careers/Careers.h"
#include "core/careers/Education.h"

namespace kinloom {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// Start and end of a shift as minutes after midnight, read once from the 12-hour form and once
// from the 24-hour form of an hours text; nullopt when the text is not in the expected shape.
struct ParsedHours {
    int start12, end12, start24, end24;
};

std::optional<ParsedHours> ParseHours(const std::string& text) {
    static const std::regex shape(
        R"(^(\d{1,2}):(\d\d)(AM|PM) - (\d{1,2}):(\d\d)(AM|PM) \((\d\d)(\d\d)-(\d\d)(\d\d)\)$)");
    std::smatch m;
    if (!std::regex_match(text, m, shape)) return std::nullopt;
    auto num = [&](int i) { return std::stoi(m[static_cast<std::size_t>(i)].str()); };
    auto from12 = [&](int h, int min, const std::string& half) -> int {
        if (h < 1 || h > 12 || min > 59) return -1;
        return ((h % 12) + (half == "PM" ? 12 : 0)) * 60 + min;
    };
    auto from24 = [&](int h, int min) { return h > 23 || min > 59 ? -1 : h * 60 + min; };
    ParsedHours p{from12(num(1), num(2), m[3].str()), from12(num(4), num(5), m[6].str()),
                  from24(num(7), num(8)), from24(num(9), num(10))};
    if (p.start12 < 0 || p.end12 < 0 || p.start24 < 0 || p.end24 < 0) return std::nullopt;
    return p;
}

std::array<bool, 7> Days(const std::string& pattern) {
    std::array<bool, 7> days{};
    for (std::size_t i = 0; i < 7; ++i) days[i] = pattern[i] == 'X';
    return days;
}

InstalledPacks AllPacks() {
    return {true, true, true, true, true, true, true};
}

TEST(IdTextTest, StoredByteOrderBothWays) {
    struct Case {
        StoredId bytes;
        const char* text;
    };
    const Case cases[] = {
        {{0x55, 0x65, 0x19, 0x45}, "55651945"},
        {{0x00, 0x00, 0x00, 0x00}, "00000000"},
        {{0x0A, 0x40, 0x8F, 0xD0}, "0A408FD0"},
        {{0xFF, 0x01, 0xAB, 0x10}, "FF01AB10"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(IdText(c.bytes), c.text);
        EXPECT_EQ(IdBytes(c.text), c.bytes);
    }
    EXPECT_EQ(IdBytes("ff01ab10"), (StoredId{0xFF, 0x01, 0xAB, 0x10}));
}

TEST(IdTextTest, IdBytesRefusesTextThatIsNotEightHexDigits) {
    for (const char* text : {"", "5565194", "556519450", "5565194G", " 5565194", "-5565194"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(IdBytes(text), std::nullopt);
    }
}

TEST(CareerTableTest, IdentifiersAreUniqueAndWellFormed) {
    std::set<std::string_view> ids;
    std::set<std::string_view> labels;
    for (const CareerTrack& track : CareerTable()) {
        SCOPED_TRACE(track.Id);
        EXPECT_TRUE(ids.insert(track.Id).second) << "duplicate identifier";
        labels.insert(track.Label);
        auto bytes = IdBytes(track.Id);
        ASSERT_TRUE(bytes.has_value());
        EXPECT_EQ(IdText(*bytes), track.Id) << "identifier text must be upper-case hex";
        EXPECT_EQ(FindCareer(track.Id), &track);
    }
    EXPECT_EQ(ids.size(), 51u);
    EXPECT_EQ(labels.size(), 30u);
}

TEST(CareerTableTest, TellingTracks) {
    struct Case {
        const char* id;
        const char* label;
        CareerAudience audience;
        Pack pack;
        std::size_t items;  // level list including item 0
    };
    const Case cases[] = {
        {"00000000", "Unemployed", CareerAudience::Both, Pack::None, 1},
        {"0A408FD0", "Lot Managed Job", CareerAudience::Both, Pack::Business, 3},
        {"55651945", "Business", CareerAudience::Adult, Pack::None, 11},
        {"77051E4C", "Business", CareerAudience::TeenElder, Pack::None, 4},
        {"DC7BA06C", "Slacker", CareerAudience::TeenElder, Pack::None, 4},
        {"1C0070EE", "Natural Scientist", CareerAudience::Adult, Pack::University, 11},
        {"B0FF6FAE", "Show Business", CareerAudience::Adult, Pack::University, 11},
        {"A5CB4032", "Adventurer", CareerAudience::Adult, Pack::Seasons, 11},
        {"D2BB43B2", "Music", CareerAudience::TeenElder, Pack::Seasons, 4},
        {"2294E0D3", "Dance", CareerAudience::Adult, Pack::FreeTime, 11},
        {"A594E0D3", "Dance", CareerAudience::TeenElder, Pack::FreeTime, 4},
        {"0FC3E153", "Architecture", CareerAudience::TeenElder, Pack::FreeTime, 4},
        {"00A488D1", "Security", CareerAudience::Pet, Pack::None, 5},
        {"2DCC75D1", "ShowBiz", CareerAudience::Pet, Pack::None, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const CareerTrack* track = FindCareer(c.id);
        ASSERT_NE(track, nullptr);
        EXPECT_EQ(track->Label, c.label);
        EXPECT_EQ(track->Audience, c.audience);
        EXPECT_EQ(track->RequiredPack, c.pack);
        EXPECT_EQ(track->Levels.size(), c.items);
    }
    EXPECT_EQ(FindCareer("55651946"), nullptr);
    EXPECT_EQ(FindCareer("55651945 "), nullptr);
}

TEST(LevelTitlesTest, WholeListsAndUnknownIdentifiers) {
    EXPECT_THAT(LevelTitles("55651945"),
                ElementsAre("Unemployed", "Mailroom Technician", "Executive Assistant",
                            "Field Sales Rep", "Junior Executive", "Executive", "Senior Manager",
                            "Vice President", "President", "CEO", "Business Tycoon"));
    EXPECT_THAT(LevelTitles("77051E4C"),
                ElementsAre("Unemployed", "Gofer", "Mailroom Technician", "Executive Assistant"));
    EXPECT_THAT(LevelTitles("0A408FD0"), ElementsAre("Unemployed ?", "Employee ?", "Manager ?"));
    EXPECT_THAT(LevelTitles("00000000"), ElementsAre("Unemployed"));
    EXPECT_THAT(LevelTitles("C1A488B1"), ElementsAre("Unemployed", "Vermin Chaser", "Therapy Pet",
                                                     "Seeing Eye Pet", "Rescue Pet"));
    for (const char* unknown : {"12345678", "", "55651945X", "55651945 "}) {
        SCOPED_TRACE(unknown);
        EXPECT_THAT(LevelTitles(unknown), ElementsAre("Unknown"));
    }
}

TEST(LevelTitlesTest, TellingTitlesKeepTheirSpelling) {
    struct Case {
        const char* id;
        std::size_t level;
        const char* title;
    };
    const Case cases[] = {
        {"FD61770C", 10, "Chief Of Staff"},
        {"5FBD9EEC", 4, "Host/Hostess"},
        {"0B6277EC", 5, "Party D.J."},
        {"B0FF6FAE", 4, "Commerical Actor(ess)"},
        {"2294E0D3", 1, "Aerobics Intructor"},
        {"2294E0D3", 4, "Pop 'n Lock Performer"},
        {"0494E073", 10, "Hand of Posiedon"},
        {"0E94E033", 10, "Head of SCIA"},
        {"A5CB4032", 3, "Multiregional Sim of Some Question"},
        {"00A488D1", 4, "Pet Corps"},
        {"32BD9E6C", 10, "General"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        auto titles = LevelTitles(c.id);
        ASSERT_GT(titles.size(), c.level);
        EXPECT_EQ(titles[c.level], c.title);
    }
}

TEST(WorkInfoTest, TellingRows) {
    struct Case {
        const char* id;
        int level;
        const char* hours;
        const char* salary;
        const char* days;  // Sunday first
    };
    const Case cases[] = {
        {"55651945", 1, "9:00AM - 3:00PM (0900-1500)", "$168", "-XXXX-X"},
        {"55651945", 10, "9:00AM - 4:00PM (0900-1600)", "$2100", "-XXXX--"},
        {"77051E4C", 1, "3:00PM - 6:00PM (1500-1800)", "$52", "-XXXX-X"},
        {"1C0070EE", 10, "12:00AM - 9:00AM (0000-0900)", "$10497", "---X---"},
        {"00A488D1", 1, "7:00PM - 2:00AM (1900-0200)", "$113", "X-XXX-X"},
        // Every item of the lot-managed job, "none" included, shows the same office hours.
        {"0A408FD0", 0, "9:00AM - 5:00PM (0900-1700)", "$0", "-XXXXX-"},
        {"0A408FD0", 1, "9:00AM - 5:00PM (0900-1700)", "$0", "-XXXXX-"},
        {"0A408FD0", 2, "9:00AM - 5:00PM (0900-1700)", "$0", "-XXXXX-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.id) + " level " + std::to_string(c.level));
        EXPECT_EQ(WorkInfoFor(c.id, c.level), (WorkInfo{c.hours, c.salary, Days(c.days)}));
    }
}

TEST(WorkInfoTest, NothingForNoLevelOrUnknownTracks) {
    struct Case {
        const char* id;
        int level;
    };
    const Case cases[] = {
        {"55651945", 0}, {"55651945", 11}, {"55651945", -1},    {"77051E4C", 4},
        {"00A488D1", 5}, {"0A408FD0", 3},  {"00000000", 0},     {"00000000", 1},
        {"12345678", 1}, {"", 1},          {"55651945", 65535},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.id) + " level " + std::to_string(c.level));
        EXPECT_EQ(WorkInfoFor(c.id, c.level), WorkInfo{});
    }
}

// Checks every level of every track, so a mistyped row anywhere in the table shows up.
TEST(WorkInfoTest, EveryLevelHasConsistentWorkInformation) {
    for (const CareerTrack& track : CareerTable()) {
        SCOPED_TRACE(track.Id);
        ASSERT_FALSE(track.Levels.empty());
        const bool lotJob = track.Id == kLotManagedJobId;
        if (!lotJob) {
            EXPECT_EQ(track.Levels[0].Title, "Unemployed");
            EXPECT_TRUE(track.Levels[0].Hours.empty()) << "item 0 is no level";
        }
        int previousSalary = -1;
        for (std::size_t level = lotJob ? 0 : 1; level < track.Levels.size(); ++level) {
            const JobLevel& row = track.Levels[level];
            SCOPED_TRACE(row.Title);
            EXPECT_FALSE(row.Title.empty());
            auto parsed = ParseHours(std::string(row.Hours));
            ASSERT_TRUE(parsed.has_value()) << row.Hours;
            EXPECT_EQ(parsed->start12, parsed->start24) << row.Hours;
            EXPECT_EQ(parsed->end12, parsed->end24) << row.Hours;
            const int shift = (parsed->end24 - parsed->start24 + 24 * 60) % (24 * 60);
            EXPECT_GE(shift, 60) << row.Hours;
            EXPECT_LE(shift, 12 * 60) << row.Hours;
            ASSERT_EQ(row.Days.size(), 7u);
            EXPECT_EQ(row.Days.find_first_not_of("-X"), std::string_view::npos) << row.Days;
            EXPECT_NE(row.Days.find('X'), std::string_view::npos) << "a job works some day";
            if (!lotJob) {
                EXPECT_GT(row.Salary, previousSalary) << "later levels pay more";
                previousSalary = row.Salary;
            }
        }
    }
}

std::vector<std::string> Labels(const std::vector<CareerListItem>& items) {
    std::vector<std::string> labels;
    for (const CareerListItem& item : items) labels.push_back(item.Label);
    return labels;
}

TEST(CareerListTest, ListsInDisplayOrderWithAllPacks) {
    const InstalledPacks all = AllPacks();
    EXPECT_THAT(
        Labels(BuildCareerList(CareerList::Adult, all)),
        ElementsAre("Unemployed", "Lot Managed Job", "Business", "Law Enforcement", "Criminal",
                    "Medicine", "Military", "Politics", "Athletics", "Science", "Culinary",
                    "Slacker", "Artist", "Natural Scientist", "Paranormal", "Show Business",
                    "Adventurer", "Education", "Gamer", "Journalism", "Law", "Music",
                    "Oceanography", "Intelligence", "Entertainment", "Dance", "Architecture"));
    EXPECT_THAT(
        Labels(BuildCareerList(CareerList::TeenElder, all)),
        ElementsAre("Unemployed", "Lot Managed Job", "Business", "Law Enforcement", "Criminal",
                    "Medicine", "Military", "Politics", "Athletics", "Science", "Culinary",
                    "Slacker", "Adventurer", "Education", "Gamer", "Journalism", "Law", "Music",
                    "Oceanography", "Intelligence", "Entertainment", "Dance", "Architecture"));
    EXPECT_THAT(Labels(BuildCareerList(CareerList::Pet, all)),
                ElementsAre("Unemployed", "Security", "Service", "ShowBiz"));
    EXPECT_THAT(
        Labels(BuildCareerList(CareerList::ElderRetired, all)),
        ElementsAre("Unemployed", "Lot Managed Job", "Adult - Business", "Adult - Law Enforcement",
                    "Adult - Criminal", "Adult - Medicine", "Adult - Military", "Adult - Politics",
                    "Adult - Athletics", "Adult - Science", "Adult - Culinary", "Adult - Slacker",
                    "Artist", "Natural Scientist", "Paranormal", "Show Business", "Adventurer",
                    "Education", "Gamer", "Journalism", "Law", "Music", "Oceanography",
                    "Intelligence", "Entertainment", "Dance", "Architecture", "Elder - Business",
                    "Elder - Law Enforcement", "Elder - Criminal", "Elder - Medicine",
                    "Elder - Military", "Elder - Politics", "Elder - Athletics", "Elder - Science",
                    "Elder - Culinary", "Elder - Slacker", "Adventurer", "Education", "Gamer",
                    "Journalism", "Law", "Music", "Oceanography", "Intelligence", "Entertainment",
                    "Dance", "Architecture"));
}

TEST(CareerListTest, ItemsCarryTheirOwnTrackIdentifier) {
    const InstalledPacks all = AllPacks();
    // Same label, different track: the identifier decides what is stored.
    auto adult = BuildCareerList(CareerList::Adult, all);
    auto teen = BuildCareerList(CareerList::TeenElder, all);
    ASSERT_GT(adult.size(), 2u);
    ASSERT_GT(teen.size(), 2u);
    EXPECT_EQ(adult[2], (CareerListItem{"Business", "55651945"}));
    EXPECT_EQ(teen[2], (CareerListItem{"Business", "77051E4C"}));
    EXPECT_EQ(adult.back(), (CareerListItem{"Architecture", "01C3E1F3"}));
    EXPECT_EQ(teen.back(), (CareerListItem{"Architecture", "0FC3E153"}));

    // The adult's hidden retired list is the elder's with plain teen-and-elder labels.
    auto elderRetired = BuildCareerList(CareerList::ElderRetired, all);
    auto adultRetired = BuildCareerList(CareerList::AdultRetired, all);
    ASSERT_EQ(adultRetired.size(), elderRetired.size());
    for (std::size_t i = 0; i < adultRetired.size(); ++i) {
        SCOPED_TRACE(elderRetired[i].Label);
        EXPECT_EQ(adultRetired[i].Id, elderRetired[i].Id);
        const CareerTrack* track = FindCareer(adultRetired[i].Id);
        ASSERT_NE(track, nullptr);
        if (track->Audience == CareerAudience::TeenElder) {
            EXPECT_EQ(adultRetired[i].Label, track->Label);
        } else {
            EXPECT_EQ(adultRetired[i].Label, elderRetired[i].Label);
        }
    }
    for (const auto& list : {adult, teen, elderRetired}) {
        for (const CareerListItem& item : list) EXPECT_NE(FindCareer(item.Id), nullptr);
    }
}

TEST(CareerListTest, TracksOfMissingPacksAreLeftOut) {
    struct Case {
        const char* name;
        InstalledPacks packs;
        CareerList list;
        std::vector<std::string> expected;
    };
    const std::vector<std::string> base{"Business", "Law Enforcement", "Criminal",  "Medicine",
                                        "Military", "Politics",        "Athletics", "Science",
                                        "Culinary", "Slacker"};
    auto with = [](std::vector<std::string> head, const std::vector<std::string>& tail) {
        head.insert(head.end(), tail.begin(), tail.end());
        return head;
    };
    InstalledPacks business;
    business.HasBusiness = true;
    InstalledPacks university;
    university.HasUniversity = true;
    InstalledPacks seasons;
    seasons.HasSeasons = true;
    InstalledPacks freeTime;
    freeTime.HasFreeTime = true;
    const Case cases[] = {
        {"adult, no packs", {}, CareerList::Adult, with({"Unemployed"}, base)},
        {"adult, Business", business, CareerList::Adult,
         with({"Unemployed", "Lot Managed Job"}, base)},
        {"adult, University", university, CareerList::Adult,
         with(with({"Unemployed"}, base),
              {"Artist", "Natural Scientist", "Paranormal", "Show Business"})},
        {"teen, University", university, CareerList::TeenElder, with({"Unemployed"}, base)},
        {"teen, Seasons", seasons, CareerList::TeenElder,
         with(with({"Unemployed"}, base),
              {"Adventurer", "Education", "Gamer", "Journalism", "Law", "Music"})},
        {"adult, FreeTime", freeTime, CareerList::Adult,
         with(with({"Unemployed"}, base),
              {"Oceanography", "Intelligence", "Entertainment", "Dance", "Architecture"})},
        {"pet, no packs", {}, CareerList::Pet, {"Unemployed", "Security", "Service", "ShowBiz"}},
        {"elder retired, no packs",
         {},
         CareerList::ElderRetired,
         {"Unemployed",
          "Adult - Business",
          "Adult - Law Enforcement",
          "Adult - Criminal",
          "Adult - Medicine",
          "Adult - Military",
          "Adult - Politics",
          "Adult - Athletics",
          "Adult - Science",
          "Adult - Culinary",
          "Adult - Slacker",
          "Elder - Business",
          "Elder - Law Enforcement",
          "Elder - Criminal",
          "Elder - Medicine",
          "Elder - Military",
          "Elder - Politics",
          "Elder - Athletics",
          "Elder - Science",
          "Elder - Culinary",
          "Elder - Slacker"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THAT(Labels(BuildCareerList(c.list, c.packs)), ElementsAreArray(c.expected));
    }
}

TEST(NpcTypeTest, TableGroupedByPackWithUniqueCodes) {
    auto table = NpcTypeTable();
    EXPECT_EQ(table.size(), 53u);
    std::set<std::uint16_t> codes;
    for (const NpcType& type : table) {
        SCOPED_TRACE(type.Code);
        EXPECT_TRUE(codes.insert(type.Code).second) << "the code identifies an entry";
    }
    // Groups appear in this order and each group is contiguous.
    const Pack order[] = {Pack::None,     Pack::University, Pack::Nightlife,
                          Pack::Business, Pack::Pets,       Pack::BonVoyage};
    std::size_t group = 0;
    for (const NpcType& type : table) {
        while (group < std::size(order) && order[group] != type.AddedBy) ++group;
        ASSERT_LT(group, std::size(order)) << "code " << type.Code << " is out of group order";
    }
}

TEST(NpcTypeTest, TellingEntries) {
    struct Case {
        std::uint16_t code;
        const char* name;
        Pack pack;
    };
    const Case cases[] = {
        {0, "NA", Pack::None},
        {4, "Burgler", Pack::None},
        {9, "Police Officer", Pack::None},
        {31, "Clerk", Pack::None},
        {1, "Lounge Bartender", Pack::University},
        {33, "Chinese Delivery", Pack::University},
        {18, "Gypsy Matchmaker", Pack::Nightlife},
        {41, "Undercover Reporter", Pack::Business},
        {3, "Unknown ?", Pack::Pets},
        {46, "Police Officer", Pack::Pets},
        {60, "Food Judge", Pack::BonVoyage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        auto table = NpcTypeTable();
        auto it = std::find_if(table.begin(), table.end(),
                               [&](const NpcType& t) { return t.Code == c.code; });
        ASSERT_NE(it, table.end());
        EXPECT_EQ(it->Name, c.name);
        EXPECT_EQ(it->AddedBy, c.pack);
    }
    EXPECT_EQ(NpcTypeTable().front().Name, "NA");
}

TEST(NpcTypeTest, ListHoldsOnlyInstalledGroups) {
    auto codes = [](const InstalledPacks& packs) {
        std::vector<std::uint16_t> out;
        for (const NpcType& type : NpcTypeList(packs)) out.push_back(type.Code);
        return out;
    };
    const std::vector<std::uint16_t> always{0,  2,  4,  5,  9,  10, 11, 12, 13, 16,
                                            17, 19, 20, 21, 22, 23, 26, 29, 30, 31};
    EXPECT_EQ(codes({}), always);
    InstalledPacks pets;
    pets.HasPets = true;
    auto withPets = always;
    withPets.insert(withPets.end(), {3, 42, 43, 44, 46, 47});
    EXPECT_EQ(codes(pets), withPets);
    EXPECT_EQ(NpcTypeList(AllPacks()).size(), NpcTypeTable().size());
}

TEST(SchoolTest, SchoolsAndGrades) {
    auto schools = SchoolTable();
    ASSERT_EQ(schools.size(), 2u);
    EXPECT_EQ(schools[0].Label, "Public School");
    EXPECT_EQ(schools[0].Id, "B58867D0");
    EXPECT_EQ(schools[0].Id, kPublicSchoolId);
    EXPECT_EQ(schools[1].Label, "Private School");
    EXPECT_EQ(schools[1].Id, "114C8FCC");
    EXPECT_EQ(FindSchool("114C8FCC"), &schools[1]);
    EXPECT_EQ(FindSchool("00000000"), nullptr);

    EXPECT_THAT(GradeScale(), ElementsAre("F", "D-", "D", "D+", "C-", "C", "C+", "B-", "B", "B+",
                                          "A-", "A", "A+"));
    struct Case {
        int grade;
        const char* text;
    };
    const Case cases[] = {
        {0, ""}, {1, "F"}, {9, "B"}, {13, "A+"}, {14, ""}, {-1, ""}, {kDefaultGrade, "B"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.grade);
        EXPECT_EQ(GradeText(c.grade), c.text);
    }
}

TEST(MajorTest, MajorsInListOrder) {
    const std::pair<const char*, const char*> expected[] = {
        {"Undeclared", "1DBF978E"}, {"Psychology", "7CF09CCE"}, {"Politics", "6DF09C4E"},
        {"Physics", "63F09CAE"},    {"Philosophy", "57F09C2E"}, {"Mathematics", "8DF09CEE"},
        {"Literature", "85F09CCE"}, {"History", "74F09C2E"},    {"Economics", "44F09CEE"},
        {"Drama", "4DF09C4E"},      {"Biology", "2BF09C4E"},    {"Art", "07F09C2E"},
    };
    auto majors = MajorTable();
    ASSERT_EQ(majors.size(), std::size(expected));
    for (std::size_t i = 0; i < majors.size(); ++i) {
        SCOPED_TRACE(expected[i].first);
        EXPECT_EQ(majors[i].Label, expected[i].first);
        EXPECT_EQ(majors[i].Id, expected[i].second);
        EXPECT_EQ(FindMajor(expected[i].second), &majors[i]);
    }
    EXPECT_EQ(majors[0].Id, kUndeclaredMajorId);
}

TEST(MajorTest, ClassListsAndTimes) {
    EXPECT_THAT(ClassTitles(kUndeclaredMajorId), ElementsAre("Not Enrolled"));
    EXPECT_TRUE(ClassTitles("00000000").empty());
    EXPECT_TRUE(ClassTitles("12345678").empty());
    for (const Major& major : MajorTable()) {
        if (major.Id == kUndeclaredMajorId) continue;
        SCOPED_TRACE(major.Label);
        ASSERT_EQ(major.Classes.size(), 8u);
        ASSERT_EQ(major.Hours.size(), 8u);
        std::set<std::string_view> titles(major.Classes.begin(), major.Classes.end());
        EXPECT_EQ(titles.size(), 8u) << "one class per semester";
        for (std::string_view hours : major.Hours) {
            auto parsed = ParseHours(std::string(hours));
            ASSERT_TRUE(parsed.has_value()) << hours;
            EXPECT_EQ(parsed->start12, parsed->start24) << hours;
            EXPECT_EQ(parsed->end12, parsed->end24) << hours;
            EXPECT_LT(parsed->start24, parsed->end24) << "classes end the same day: " << hours;
        }
    }

    struct Case {
        const char* major;
        int position;
        const char* title;
        const char* hours;
    };
    const Case cases[] = {
        {"7CF09CCE", 0, "Introduction To Psychology: We are too a science!",
         "4:00PM - 6:00PM (1600-1800)"},
        {"7CF09CCE", 7, "Advanced Autonomy: Finding the Best Action",
         "6:00PM - 8:00PM (1800-2000)"},
        {"63F09CAE", 0, "Newtonian Physics 1: Measuring Falling Stuff",
         "9:00AM - 11:00AM (0900-1100)"},
        {"63F09CAE", 4, nullptr, "8:00AM - 10:00AM (0800-1000)"},
        {"07F09C2E", 7, nullptr, "8:00AM - 10:00AM (0800-1000)"},
        {"57F09C2E", 4, nullptr, "9:00AM - 12:00PM (0900-1200)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.major) + " " + std::to_string(c.position));
        if (c.title) {
            EXPECT_EQ(ClassTitles(c.major)[static_cast<std::size_t>(c.position)], c.title);
        }
        EXPECT_EQ(ClassHours(c.major, c.position), c.hours);
    }

    EXPECT_EQ(ClassHours(kUndeclaredMajorId, 0), "");
    EXPECT_EQ(ClassHours("63F09CAE", 8), "");
    EXPECT_EQ(ClassHours("63F09CAE", -1), "");
    EXPECT_EQ(ClassHours("12345678", 0), "");
}

TEST(MajorTest, YearOfSemester) {
    const std::pair<int, const char*> cases[] = {
        {-1, ""},      {0, "Freshman"}, {1, "Freshman"}, {2, "Sophomore"}, {3, "Sophomore"},
        {4, "Junior"}, {5, "Junior"},   {6, "Senior"},   {7, "Senior"},    {8, ""},
    };
    for (const auto& [position, year] : cases) {
        SCOPED_TRACE(position);
        EXPECT_EQ(YearOfSemester(position), year);
    }
}

}  // namespace
}  // namespace kinloom
