// The Job/School page's rules: rows and lists by life stage and species, what is selected when the
// page opens, what choices write, the pension and vacation-day boxes, and the university rows.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "core/careers/JobSchool.h"
#include "core/editing/EditingModel.h"
#include "core/records/SimDescription.h"

namespace kinloom {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

InstalledPacks AllPacks() {
    return {true, true, true, true, true, true, true};
}

FourBytes Id(std::string_view text) {
    return *IdBytes(text);
}

Character Sim(std::int16_t ages, std::uint16_t species = 0) {
    Character sim;
    sim.Ages = ages;
    sim.Species = species;
    return sim;
}

std::vector<std::string> Labels(const std::vector<CareerListItem>& items) {
    std::vector<std::string> labels;
    for (const CareerListItem& item : items) labels.push_back(item.Label);
    return labels;
}

// ---- Rows and lists ----

TEST(JobSchoolViewTest, RowsAndListsByLifeStageAndSpecies) {
    struct Case {
        const char* what;
        std::int16_t ages;
        std::uint16_t species;
        bool hasPets;
        JobSchoolRows rows;
        std::size_t careers;  // entries of the career list with every pack
        const char* secondCareer;
        std::size_t retired;
        const char* thirdRetired;
        bool schools;
    };
    // Rows: career, retired, school, performance, NPC type, work days, pension, vacation days.
    constexpr bool T = true, F = false;
    // clang-format off
    const Case cases[] = {
        {"baby", 1, 0, T, {}, 1, nullptr, 1, nullptr, F},
        {"toddler", 2, 0, T, {}, 1, nullptr, 1, nullptr, F},
        {"child", 3, 0, T, {F, F, T, T, F, F, F, F}, 1, nullptr, 1, nullptr, T},
        {"teen", 16, 0, T, {T, F, T, T, T, T, F, T}, 23, "Lot Managed Job", 1, nullptr, T},
        {"adult", 19, 0, T, {T, F, F, T, T, T, T, T}, 27, "Lot Managed Job", 48,
         "Adult - Business", F},
        {"elder", 51, 0, T, {T, T, F, T, T, T, T, T}, 23, "Lot Managed Job", 48,
         "Adult - Business", F},
        {"adult cat", 19, 3, T, {T, F, F, T, T, T, T, T}, 4, "Security", 4, "Service", F},
        {"elder dog", 51, 1, T, {T, T, F, T, T, T, T, T}, 4, "Security", 4, "Service", F},
        {"cat without Pets is a human", 19, 3, F, {T, F, F, T, T, T, T, T}, 27,
         "Lot Managed Job", 48, "Adult - Business", F},
        {"unknown species under Pets", 19, 7, T, {T, F, F, T, T, T, T, T}, 1, nullptr, 1,
         nullptr, F},
        {"no such life stage", 4, 0, T, {F, F, F, F, F, F, F, T}, 0, nullptr, 0, nullptr, F},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        InstalledPacks packs = AllPacks();
        packs.HasPets = c.hasPets;
        const JobSchoolView view = ViewJobSchool(Sim(c.ages, c.species), packs);
        EXPECT_EQ(view.Rows, c.rows);
        ASSERT_EQ(view.Careers.size(), c.careers);
        if (c.careers > 0) {
            EXPECT_EQ(view.Careers[0].Label, "Unemployed");
        }
        if (c.secondCareer) {
            EXPECT_EQ(view.Careers[1].Label, c.secondCareer);
        }
        ASSERT_EQ(view.RetiredCareers.size(), c.retired);
        if (c.thirdRetired) {
            EXPECT_EQ(view.RetiredCareers[2].Label, c.thirdRetired);
        }
        EXPECT_EQ(view.Schools.size(), c.schools ? 2u : 0u);
    }
}

TEST(JobSchoolViewTest, ListsHoldTheRightTracks) {
    const InstalledPacks packs = AllPacks();
    // A teen and an elder share the teen-and-elder tracks; an adult has the adult ones.
    const JobSchoolView teen = ViewJobSchool(Sim(16), packs);
    const JobSchoolView elder = ViewJobSchool(Sim(51), packs);
    const JobSchoolView adult = ViewJobSchool(Sim(19), packs);
    EXPECT_EQ(teen.Careers, elder.Careers);
    EXPECT_EQ(teen.Careers[2], (CareerListItem{"Business", "77051E4C"}));
    EXPECT_EQ(adult.Careers[2], (CareerListItem{"Business", "55651945"}));
    EXPECT_EQ(Labels(ViewJobSchool(Sim(19, 2), packs).Careers),
              (std::vector<std::string>{"Unemployed", "Security", "Service", "ShowBiz"}));

    // The elder's retired list tells the two base tracks of a career apart; the adult's hidden
    // one names the teen-and-elder tracks plainly.
    auto find = [](const std::vector<CareerListItem>& items, std::string_view id) {
        for (const CareerListItem& item : items)
            if (item.Id == id) return item.Label;
        return std::string("(absent)");
    };
    EXPECT_EQ(find(elder.RetiredCareers, "55651945"), "Adult - Business");
    EXPECT_EQ(find(elder.RetiredCareers, "DC7BA06C"), "Elder - Slacker");
    EXPECT_EQ(find(elder.RetiredCareers, "BCFF6F4E"), "Artist");
    EXPECT_EQ(find(elder.RetiredCareers, "35D240F2"), "Adventurer");
    EXPECT_EQ(find(adult.RetiredCareers, "55651945"), "Adult - Business");
    EXPECT_EQ(find(adult.RetiredCareers, "DC7BA06C"), "Slacker");
    EXPECT_EQ(find(elder.RetiredCareers, "00A488D1"), "(absent)");
}

TEST(JobSchoolViewTest, TracksOfMissingPacksAreNotOffered) {
    InstalledPacks packs;  // the base game only
    Character sim = Sim(19);
    sim.Career = Id(kLotManagedJobId);
    sim.Jobs = 2;
    const JobSchoolView view = ViewJobSchool(sim, packs);
    EXPECT_THAT(Labels(view.Careers),
                ElementsAre("Unemployed", "Business", "Law Enforcement", "Criminal", "Medicine",
                            "Military", "Politics", "Athletics", "Science", "Culinary", "Slacker"));
    // The stored lot-managed job is not offered, yet its levels and office hours still show.
    EXPECT_EQ(view.Career, 0);
    EXPECT_THAT(view.Jobs, ElementsAre("Unemployed ?", "Employee ?", "Manager ?"));
    EXPECT_EQ(view.Job, 2);
    EXPECT_FALSE(view.UnknownCareer);
    EXPECT_EQ(view.NpcTypes.size(), 20u);
}

// ---- What the page selects when it opens ----

TEST(JobSchoolViewTest, StoredCareersAndLevels) {
    struct Case {
        const char* what;
        std::int16_t ages;
        const char* career;
        std::int16_t jobs;
        const char* selected;  // label of the selected career entry
        const char* level;     // title of the selected level; nullptr: none selected
        const char* hours;
        const char* message;
    };
    const Case cases[] = {
        {"adult in Business", 19, "55651945", 7, "Business", "Vice President",
         "9:00AM - 5:00PM (0900-1700)", nullptr},
        // The adult list has no teen track: "Unemployed" is selected, the titles are the teen
        // track's, and the hours follow the selected entry.
        {"adult with a teen track", 19, "77051E4C", 2, "Unemployed", "Mailroom Technician", "",
         nullptr},
        {"level past the track", 19, "55651945", 11, "Business", nullptr, "", nullptr},
        {"negative level", 19, "55651945", -1, "Business", nullptr, "", nullptr},
        {"teen track beyond level 3", 16, "77051E4C", 4, "Business", nullptr, "", nullptr},
        {"unknown identifier", 19, "12345678", 3, "Unemployed", nullptr, "",
         "Unknown Job/Career: 12345678 Lvl=3"},
        {"unknown identifier, level 0", 19, "DEADBEEF", 0, "Unemployed", "Unknown", "",
         "Unknown Job/Career: DEADBEEF Lvl=0"},
        {"unknown identifier of a baby", 1, "ABCDEF01", 1, "Unemployed", nullptr, "",
         "Unknown Job/Career: ABCDEF01 Lvl=1"},
        {"lot-managed job, level 0", 19, "0A408FD0", 0, "Lot Managed Job", "Unemployed ?",
         "9:00AM - 5:00PM (0900-1700)", nullptr},
        {"pet in ShowBiz", 19, "2DCC75D1", 4, "ShowBiz", "Star", "12:00PM - 4:00PM (1200-1600)",
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Character sim = Sim(c.ages, std::string_view(c.what).starts_with("pet") ? 3 : 0);
        sim.Career = Id(c.career);
        sim.Jobs = c.jobs;
        const JobSchoolView view = ViewJobSchool(sim, AllPacks());
        ASSERT_GE(view.Career, 0);
        EXPECT_EQ(view.Careers[static_cast<std::size_t>(view.Career)].Label, c.selected);
        if (c.level) {
            ASSERT_GE(view.Job, 0);
            EXPECT_EQ(view.Jobs[static_cast<std::size_t>(view.Job)], c.level);
        } else {
            EXPECT_EQ(view.Job, -1);
        }
        EXPECT_EQ(view.Work.Hours, c.hours);
        EXPECT_EQ(view.UnknownCareer.value_or(""), c.message ? c.message : "");
        EXPECT_EQ(sim.Jobs, c.jobs);
    }
}

TEST(JobSchoolViewTest, WorkDaysOfTheSelectedLevel) {
    Character sim = Sim(19);
    sim.Career = Id(kLotManagedJobId);
    sim.Jobs = 1;
    const WorkInfo lot = ViewJobSchool(sim, AllPacks()).Work;
    EXPECT_EQ(lot.Salary, "$0");
    EXPECT_THAT(lot.Days, ElementsAre(false, true, true, true, true, true, false));
}

TEST(JobSchoolViewTest, RetiredCareerOfAnElder) {
    Character sim = Sim(51);
    sim.RetCareer = Id("E3BC9EAC");
    sim.RetJobs = 8;
    JobSchoolView view = ViewJobSchool(sim, AllPacks());
    EXPECT_EQ(view.RetiredCareers[static_cast<std::size_t>(view.RetiredCareer)].Label,
              "Adult - Law Enforcement");
    EXPECT_EQ(view.RetiredJobs[static_cast<std::size_t>(view.RetiredJob)], "SWAT Team");

    // An unknown retired career lists "Unknown" without a message.
    sim.RetCareer = Id("01020304");
    view = ViewJobSchool(sim, AllPacks());
    EXPECT_EQ(view.RetiredCareer, 0);
    EXPECT_THAT(view.RetiredJobs, ElementsAre("Unknown"));
    EXPECT_EQ(view.RetiredJob, -1);
    EXPECT_FALSE(view.UnknownCareer);
}

TEST(JobSchoolViewTest, DefaultSchoolForChildrenAndTeens) {
    struct Case {
        const char* what;
        std::int16_t ages;
        const char* school;
        std::int16_t grade;
        bool applied;
        std::string_view schoolAfter;
        std::int16_t gradeAfter;
    };
    const Case cases[] = {
        {"child without school", 3, "00000000", 0, true, kPublicSchoolId, 9},
        {"teen with an unknown school", 16, "DEADBEEF", 4, true, kPublicSchoolId, 9},
        {"teen at Private School", 16, "114C8FCC", 12, false, "114C8FCC", 12},
        {"adult without school", 19, "00000000", 0, false, "00000000", 0},
        {"toddler without school", 2, "00000000", 0, false, "00000000", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Character sim = Sim(c.ages);
        sim.School = Id(c.school);
        sim.Grade = c.grade;
        EXPECT_EQ(ApplyDefaultSchool(sim), c.applied);
        EXPECT_EQ(IdText(sim.School), c.schoolAfter);
        EXPECT_EQ(sim.Grade, c.gradeAfter);
        EXPECT_FALSE(sim.Modified);
    }

    Character child = Sim(3);
    ApplyDefaultSchool(child);
    const JobSchoolView view = ViewJobSchool(child, AllPacks());
    EXPECT_EQ(view.SchoolPosition, 0);
    EXPECT_TRUE(view.GradesListed);
    EXPECT_EQ(GradeScale()[static_cast<std::size_t>(view.Grade)], "B");
}

TEST(JobSchoolViewTest, GradeWithoutAnEntryIsShownAsNone) {
    for (std::int16_t grade : {std::int16_t{0}, std::int16_t{14}, std::int16_t{-3}}) {
        SCOPED_TRACE(grade);
        Character sim = Sim(16);
        sim.School = Id("B58867D0");
        sim.Grade = grade;
        EXPECT_EQ(ViewJobSchool(sim, AllPacks()).Grade, -1);
    }
}

TEST(JobSchoolViewTest, NpcTypeByCode) {
    struct Case {
        const char* what;
        std::int16_t code;
        bool hasPets;
        const char* name;
        const char* caption;
    };
    const Case cases[] = {
        {"base police", 9, true, "Police Officer", "NPC Type:"},
        {"pets police", 46, true, "Police Officer", "NPC Type:"},
        {"pets police without Pets", 46, false, "NA", "Unkown NPC:( 46 )"},
        {"no such code", 99, true, "NA", "Unkown NPC:( 99 )"},
        {"negative code", -2, true, "NA", "Unkown NPC:( -2 )"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Character sim = Sim(19);
        sim.NPCType = c.code;
        InstalledPacks packs = AllPacks();
        packs.HasPets = c.hasPets;
        const JobSchoolView view = ViewJobSchool(sim, packs);
        const NpcType& shown = view.NpcTypes[static_cast<std::size_t>(view.Npc)];
        EXPECT_EQ(shown.Name, c.name);
        EXPECT_EQ(view.NpcCaption, c.caption);
        EXPECT_EQ(view.UnknownNpc, std::string_view(c.name) == "NA");
        if (!view.UnknownNpc) {
            EXPECT_EQ(shown.Code, c.code);
        }
        EXPECT_EQ(sim.NPCType, c.code);
    }
}

// ---- Choices ----

TEST(JobSchoolChoiceTest, ChoosingACareerKeepsTheLevelWhenTheTrackHasIt) {
    struct Case {
        const char* what;
        const char* id;
        std::int16_t jobs;
        std::int16_t jobsAfter;
        const char* title;
    };
    const Case cases[] = {
        {"Business keeps level 7", "55651945", 7, 7, "Vice President"},
        {"Security has no level 7", "00A488D1", 7, 0, "Unemployed"},
        {"teen Business keeps 3", "77051E4C", 3, 3, "Executive Assistant"},
        {"teen Business has no 4", "77051E4C", 4, 0, "Unemployed"},
        {"lot-managed job keeps 2", "0A408FD0", 2, 2, "Manager ?"},
        {"unemployed drops to 0", "00000000", 5, 0, "Unemployed"},
        {"negative level drops to 0", "55651945", -4, 0, "Unemployed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (bool retired : {false, true}) {
            SCOPED_TRACE(retired ? "retired" : "current");
            Character sim = Sim(51);
            (retired ? sim.RetJobs : sim.Jobs) = c.jobs;
            const LevelChoice choice =
                retired ? ChooseRetiredCareer(sim, c.id) : ChooseCareer(sim, c.id);
            EXPECT_EQ(IdText(retired ? sim.RetCareer : sim.Career), c.id);
            EXPECT_EQ(retired ? sim.RetJobs : sim.Jobs, c.jobsAfter);
            EXPECT_EQ(choice.Titles, LevelTitles(c.id));
            EXPECT_EQ(choice.Selected, c.jobsAfter);
            EXPECT_EQ(choice.Titles[static_cast<std::size_t>(choice.Selected)], c.title);
            // The other career is left alone.
            EXPECT_EQ(IdText(retired ? sim.Career : sim.RetCareer), "00000000");
        }
    }
}

TEST(JobSchoolChoiceTest, IdentifiersAreWrittenInStoredByteOrder) {
    Character sim = Sim(19);
    ChooseCareer(sim, "55651945");
    EXPECT_THAT(sim.Career, ElementsAre(0x55, 0x65, 0x19, 0x45));
    ChooseSchool(sim, 1);
    EXPECT_THAT(sim.School, ElementsAre(0x11, 0x4C, 0x8F, 0xCC));
    ChooseMajor(sim, 3);  // Physics
    EXPECT_THAT(sim.UniversityMajor, ElementsAre(0x63, 0xF0, 0x9C, 0xAE));
}

TEST(JobSchoolChoiceTest, SchoolAndGrade) {
    Character sim = Sim(3);
    sim.Grade = 11;
    ChooseSchool(sim, 1);
    EXPECT_EQ(IdText(sim.School), "114C8FCC");
    EXPECT_EQ(sim.Grade, 11);  // the grade stays with a new school
    ChooseSchool(sim, 0);
    EXPECT_EQ(IdText(sim.School), "B58867D0");
    ChooseGrade(sim, 0);
    EXPECT_EQ(sim.Grade, 1);
    ChooseGrade(sim, 12);
    EXPECT_EQ(sim.Grade, 13);
    ChooseGrade(sim, 13);  // no such entry
    ChooseSchool(sim, 2);
    EXPECT_EQ(sim.Grade, 13);
    EXPECT_EQ(IdText(sim.School), "B58867D0");
}

// A career change reaches the file: the saved description holds the new career and the game's
// two job words start again at 0, except for the lot-managed job.
TEST(JobSchoolChoiceTest, CareerChangeResetsTheJobWordsWhenSaved) {
    struct Case {
        const char* what;
        const char* chosen;
        std::uint16_t wordsAfter;
    };
    const Case cases[] = {
        {"another career", "E3BC9EAC", 0},
        {"the lot-managed job", "0A408FD0", 3},
        {"the same career again", "55651945", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes description(SimDescriptionSize(51), 0);
        PutU16(description, 4, 51);
        const FourBytes guid{1, 2, 3, 4};
        std::copy(guid.begin(), guid.end(), description.begin() + 470);
        std::copy_n(Id("55651945").begin(), 4, description.begin() + 190);
        PutU16(description, 126, 6);  // Jobs
        PutU16(description, 402, 3);
        PutU16(description, 404, 3);

        Character sim;
        sim.GUID = guid;
        test::FakeMessages messages;
        ASSERT_TRUE(ReadSimDescription(description, sim, messages));
        ChooseCareer(sim, c.chosen);
        sim.Modified = true;
        const Character* list[] = {&sim};
        WriteSimDescription(description, list);

        ByteReader in{ByteView(description)};
        in.Seek(190);
        EXPECT_EQ(IdText(std::span<const std::uint8_t, 4>(in.Take(4).data(), 4)), c.chosen);
        in.Seek(402);
        EXPECT_EQ(in.U16(), c.wordsAfter);
        in.Seek(404);
        EXPECT_EQ(in.U16(), c.wordsAfter);
    }
}

// ---- Pension and vacation days ----

TEST(JobSchoolNumbersTest, PensionTakesWholeNumbersThatFit) {
    struct Case {
        std::u16string cleaned;
        std::optional<std::int16_t> value;
    };
    const Case cases[] = {
        {u"", 0},
        {u"05", 5},
        {u"120", 120},
        {u"32767", 32767},
        {u"32768", std::nullopt},
        {u"65536", std::nullopt},
        {u"9999999999", std::nullopt},
        {u"0000000012", 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.cleaned.begin(), c.cleaned.end()));
        EXPECT_EQ(PensionValue(c.cleaned), c.value);
    }
    // What a user types goes through the box's cleaning first: a minus sign becomes "0".
    EXPECT_EQ(PensionValue(CleanNumberText(u"-5")), 5);
}

TEST(JobSchoolNumbersTest, VacationDaysCleaning) {
    EXPECT_EQ(CleanVacationDaysText(u"-5"), u"05");
    EXPECT_EQ(CleanVacationDaysText(u"2,5"), u"205");
    EXPECT_EQ(CleanVacationDaysText(u"1.5d"), u"1.50");
    EXPECT_EQ(CleanVacationDaysText(u"a.b"), u"0.0");
}

TEST(JobSchoolNumbersTest, VacationDaysAreReadInHundredths) {
    struct Case {
        std::u16string cleaned;
        std::optional<std::int16_t> value;
    };
    const Case cases[] = {
        {u"3", 300},
        {u"2.5", 250},
        {u"0.07", 7},
        {u"0.29", 29},  // 0.29 * 100 is 28.999999999999996 in binary floating point
        {u"1.230", 123},
        {u"1.234", 0},  // finer than a hundredth: no whole number of hundredths
        {u"3.", 300},
        {u".5", 50},
        {u"007", 700},
        {u"327.67", 32767},
        {u"", std::nullopt},
        {u".", std::nullopt},
        {u"1.2.3", std::nullopt},
        {u"..", std::nullopt},
        {u"327.68", std::nullopt},
        {u"9999999999", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.cleaned.begin(), c.cleaned.end()));
        EXPECT_EQ(VacationDaysValue(c.cleaned), c.value);
    }
}

TEST(JobSchoolNumbersTest, VacationDaysShownWithoutTrailingZerosAndReadBack) {
    EXPECT_EQ(VacationDaysText(7), "0.07");
    EXPECT_EQ(VacationDaysText(250), "2.5");
    EXPECT_EQ(VacationDaysText(300), "3");
    EXPECT_EQ(VacationDaysText(0), "0");
    EXPECT_EQ(VacationDaysText(10), "0.1");
    EXPECT_EQ(VacationDaysText(-50), "-0.5");
    // Whatever the box shows for a stored value reads back as that value.
    for (int v = 0; v <= 32767; ++v) {
        const std::string text = VacationDaysText(static_cast<std::int16_t>(v));
        ASSERT_EQ(VacationDaysValue(std::u16string(text.begin(), text.end())), v) << text;
    }
}

// ---- University ----

TEST(UniversityViewTest, RowsShownForHumanStudentsWithUniversity) {
    struct Case {
        const char* what;
        std::int16_t ages;
        std::uint16_t species;
        bool hasUniversity;
        bool hasPets;
        std::int16_t youngAdult;
        bool shown;
        bool sliders;
    };
    const Case cases[] = {
        {"young adult", 19, 0, true, true, 1, true, true},
        {"adult", 19, 0, true, true, 0, true, false},
        {"teen", 16, 0, true, true, 0, true, false},
        {"elder", 51, 0, true, true, 0, true, false},
        {"child", 3, 0, true, true, 0, false, false},
        {"without University", 19, 0, false, true, 1, false, false},
        {"cat with Pets", 19, 3, true, true, 1, false, false},
        {"cat without Pets", 19, 3, true, false, 1, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Character sim = Sim(c.ages, c.species);
        sim.YoungAdult = c.youngAdult;
        InstalledPacks packs = AllPacks();
        packs.HasUniversity = c.hasUniversity;
        packs.HasPets = c.hasPets;
        const UniversityView u = ViewJobSchool(sim, packs).University;
        EXPECT_EQ(u.Shown, c.shown);
        EXPECT_EQ(u.Sliders, c.sliders);
        EXPECT_EQ(u.Majors.size(), c.shown ? 12u : 0u);
        if (c.shown) {
            EXPECT_EQ(u.Majors[0], "Undeclared");
        }
    }
}

TEST(UniversityViewTest, StoredMajorAndClass) {
    struct Case {
        const char* what;
        const char* major;
        std::int16_t universityClass;
        const char* selectedMajor;
        std::size_t classes;
        int selectedClass;
        const char* year;
        const char* hours;
    };
    const Case cases[] = {
        {"no major", "00000000", 3, "Undeclared", 0, -1, "", ""},
        {"unknown major", "12345678", 2, "Undeclared", 0, -1, "", ""},
        {"undeclared, enrolled in nothing", "1DBF978E", 1, "Undeclared", 1, 0, "", ""},
        {"undeclared, class 4", "1DBF978E", 4, "Undeclared", 1, 0, "", ""},
        {"physics, fifth semester", "63F09CAE", 5, "Physics", 8, 4, "Junior",
         "8:00AM - 10:00AM (0800-1000)"},
        {"physics, no semester", "63F09CAE", 0, "Physics", 8, 0, "Freshman",
         "9:00AM - 11:00AM (0900-1100)"},
        {"physics, past the last", "63F09CAE", 9, "Physics", 8, 0, "Freshman",
         "9:00AM - 11:00AM (0900-1100)"},
        {"art, last semester", "07F09C2E", 8, "Art", 8, 7, "Senior",
         "8:00AM - 10:00AM (0800-1000)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Character sim = Sim(19);
        sim.UniversityMajor = Id(c.major);
        sim.UniversityClass = c.universityClass;
        const UniversityView u = ViewJobSchool(sim, AllPacks()).University;
        ASSERT_GE(u.Major, 0);
        EXPECT_EQ(u.Majors[static_cast<std::size_t>(u.Major)], c.selectedMajor);
        EXPECT_EQ(u.Classes.size(), c.classes);
        EXPECT_EQ(u.Class, c.selectedClass);
        EXPECT_EQ(u.Year, c.year);
        EXPECT_EQ(u.Hours, c.hours);
        EXPECT_EQ(sim.UniversityClass, c.universityClass);
    }
}

TEST(UniversityViewTest, HiddenRowsStillFollowTheStoredMajor) {
    // A child with a stored major: no major is listed, so the first class is taken and no year or
    // hours are shown.
    Character sim = Sim(3);
    sim.UniversityMajor = Id("63F09CAE");
    sim.UniversityClass = 5;
    const UniversityView u = ViewJobSchool(sim, AllPacks()).University;
    EXPECT_EQ(u.Major, -1);
    EXPECT_EQ(u.Classes.size(), 8u);
    EXPECT_EQ(u.Class, 0);
    EXPECT_EQ(u.Year, "");
    EXPECT_EQ(u.Hours, "");
}

TEST(UniversityChoiceTest, ChoosingAMajorKeepsTheSemester) {
    struct Case {
        const char* what;
        int major;
        std::int16_t universityClass;
        std::int16_t classAfter;
        const char* classTitle;
    };
    const Case cases[] = {
        {"literature keeps semester 5", 6, 5, 5, nullptr},
        {"physics keeps semester 8", 3, 8, 8, nullptr},
        {"undeclared enrols in nothing", 0, 5, 1, "Not Enrolled"},
        {"no semester yet", 3, 0, 1, "Newtonian Physics 1: Measuring Falling Stuff"},
        {"semester past the list", 3, 9, 1, "Newtonian Physics 1: Measuring Falling Stuff"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Character sim = Sim(19);
        sim.UniversityClass = c.universityClass;
        const ClassChoice choice = ChooseMajor(sim, c.major);
        const Major& major = MajorTable()[static_cast<std::size_t>(c.major)];
        EXPECT_EQ(IdText(sim.UniversityMajor), major.Id);
        EXPECT_EQ(sim.UniversityClass, c.classAfter);
        EXPECT_THAT(choice.Classes, ElementsAreArray(major.Classes));
        EXPECT_EQ(choice.Selected, c.classAfter - 1);
        if (c.classTitle) {
            EXPECT_EQ(choice.Classes[static_cast<std::size_t>(choice.Selected)], c.classTitle);
        }
    }

    Character sim = Sim(19);
    ChooseMajor(sim, 3);
    ChooseClass(sim, 6);
    EXPECT_EQ(sim.UniversityClass, 7);
    const ClassShown shown = ShowClass(MajorTable()[3].Id, 6);
    EXPECT_EQ(shown.Year, "Senior");
    EXPECT_EQ(shown.Hours, "11:00AM - 1:00PM (1100-1300)");
    EXPECT_EQ(ShowClass(kUndeclaredMajorId, 0).Year, "");
}

TEST(UniversityViewTest, GpaOverTwoHundredFiftyWithoutTrailingZeros) {
    struct Case {
        int gpa;
        const char* text;
    };
    const Case cases[] = {{875, "3.5"}, {1000, "4"},    {0, "0"},      {1, "0.004"},
                          {250, "1"},   {333, "1.332"}, {990, "3.96"}, {-125, "-0.5"}};
    for (const Case& c : cases) EXPECT_EQ(GpaText(c.gpa), c.text) << c.gpa;
    EXPECT_EQ(GpaCaption(875), "GPA: (3.5)");
    EXPECT_EQ(ClassPerformanceCaption(600), "Class Performance: (600)");
    EXPECT_EQ(RemainingHoursCaption(12), "Remaining Hours: (12)");
}

}  // namespace
}  // namespace kinloom
