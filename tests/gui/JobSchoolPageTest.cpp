// The Job/School page: alone on a sim in memory (rows by life stage, the stored selections, the
// choices and what they write, the number boxes, the university rows, the Advanced switch), and
// in the editor window on the demo neighborhood (no edit by opening, a career change saved).

#include <gtest/gtest.h>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <algorithm>
#include <string>

#include "core/careers/JobSchool.h"
#include "core/packages/Compression.h"
#include "core/packages/Package.h"
#include "gui/editors/JobSchoolPage.h"

#include "SimPageFixtures.h"

namespace kinloom::gui {
namespace {

using test_pages::PageHarness;
using test_pages::SimPagesWindowTest;
using JobsHarness = PageHarness<JobSchoolPage>;

FourBytes Id(std::string_view text) {
    return *IdBytes(text);
}

void Choose(QComboBox* list, const QString& entry) {
    const int i = list->findText(entry);
    ASSERT_GE(i, 0) << entry.toStdString();
    list->setCurrentIndex(i);
    emit list->activated(i);
}

QStringList Entries(QComboBox* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) entries << list->itemText(i);
    return entries;
}

bool Shown(JobsHarness& h, const char* name) {
    auto* w = h.child<QWidget>(name);
    return w && w->isVisibleTo(&h.page);
}

// Typing over a box's whole text as a user does, one key at a time. (Emptying the vacation-day
// box first would not do: an empty box shows the stored value again.)
void Type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

TEST(JobSchoolPageTest, RowsByLifeStage) {
    struct Case {
        const char* what;
        std::int16_t ages;
        std::uint16_t species;
        std::vector<const char*> shown;
    };
    const std::vector<const char*> all{"cbCareer",   "cbJobs",  "cbRetCareer",       "cbRetJobs",
                                       "cbSchool",   "cbGrade", "trkPerformance",    "cbNPCType",
                                       "edtPension", "edtPTO",  "cbUniversityMajor", "trkGPA"};
    const Case cases[] = {
        {"baby", 1, 0, {}},
        {"child", 3, 0, {"cbSchool", "cbGrade", "trkPerformance"}},
        {"teen",
         16,
         0,
         {"cbCareer", "cbJobs", "cbSchool", "cbGrade", "trkPerformance", "cbNPCType", "edtPTO",
          "cbUniversityMajor"}},
        {"elder",
         51,
         0,
         {"cbCareer", "cbJobs", "cbRetCareer", "cbRetJobs", "trkPerformance", "cbNPCType",
          "edtPension", "edtPTO", "cbUniversityMajor"}},
        {"adult cat",
         19,
         3,
         {"cbCareer", "cbJobs", "trkPerformance", "cbNPCType", "edtPension", "edtPTO"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        JobsHarness h;
        h.sim.Ages = c.ages;
        h.sim.Species = c.species;
        h.Open();
        for (const char* name : all) {
            const bool expected =
                std::find(c.shown.begin(), c.shown.end(), std::string_view(name)) != c.shown.end();
            EXPECT_EQ(Shown(h, name), expected) << name;
        }
        EXPECT_EQ(h.child<QSlider>("trkPerformance")->isEnabled(), c.ages != 1);
        EXPECT_TRUE(h.messages.shown.empty());
        EXPECT_FALSE(h.sim.Modified);
        EXPECT_EQ(h.saveOffered, 0);
    }

    JobsHarness baby;
    baby.sim.Ages = 1;
    baby.Open();
    EXPECT_EQ(Entries(baby.child<QComboBox>("cbCareer")), QStringList{"Unemployed"});
    EXPECT_FALSE(Shown(baby, "lblSun"));

    JobsHarness cat;
    cat.sim.Ages = 19;
    cat.sim.Species = 3;
    cat.Open();
    EXPECT_EQ(Entries(cat.child<QComboBox>("cbCareer")),
              (QStringList{"Unemployed", "Security", "Service", "ShowBiz"}));
    EXPECT_EQ(cat.child<QLabel>("lblWorkDays")->text(), "Working Days:");
    EXPECT_TRUE(Shown(cat, "lblSun"));
}

TEST(JobSchoolPageTest, ChildWithoutSchoolStartsAtPublicSchoolWithB) {
    JobsHarness h;
    h.sim.Ages = 3;
    h.sim.Performance = 40;
    h.Open();
    EXPECT_EQ(h.child<QComboBox>("cbSchool")->currentText(), "Public School");
    EXPECT_EQ(h.child<QComboBox>("cbGrade")->currentText(), "B");
    EXPECT_EQ(IdText(h.sim.School), "B58867D0");
    EXPECT_EQ(h.sim.Grade, 9);
    EXPECT_FALSE(h.sim.Modified);
    EXPECT_EQ(h.saveOffered, 0);
    EXPECT_EQ(h.child<QLabel>("lblPerformance")->text(), "Performance: (40)");

    // Another school keeps the grade.
    Choose(h.child<QComboBox>("cbSchool"), "Private School");
    EXPECT_EQ(IdText(h.sim.School), "114C8FCC");
    EXPECT_EQ(h.sim.Grade, 9);
    EXPECT_EQ(h.child<QComboBox>("cbGrade")->currentText(), "B");
    EXPECT_TRUE(h.sim.Modified);
    Choose(h.child<QComboBox>("cbGrade"), "A+");
    EXPECT_EQ(h.sim.Grade, 13);
    h.child<QSlider>("trkPerformance")->setValue(-30);
    EXPECT_EQ(h.sim.Performance, -30);
    EXPECT_EQ(h.child<QLabel>("lblPerformance")->text(), "Performance: (-30)");
}

TEST(JobSchoolPageTest, AdultWithATeenCareerShowsTheTeenTitles) {
    JobsHarness h;
    h.sim.Ages = 19;
    h.sim.Career = Id("77051E4C");
    h.sim.Jobs = 2;
    h.Open();
    EXPECT_TRUE(h.messages.shown.empty());
    EXPECT_EQ(h.child<QComboBox>("cbCareer")->currentText(), "Unemployed");
    EXPECT_EQ(Entries(h.child<QComboBox>("cbJobs")),
              (QStringList{"Unemployed", "Gofer", "Mailroom Technician", "Executive Assistant"}));
    EXPECT_EQ(h.child<QComboBox>("cbJobs")->currentText(), "Mailroom Technician");
    EXPECT_EQ(IdText(h.sim.Career), "77051E4C");
    EXPECT_FALSE(h.sim.Modified);
}

TEST(JobSchoolPageTest, ChoosingACareerKeepsTheLevelItHas) {
    struct Case {
        const char* what;
        std::uint16_t species;
        const char* career;
        const char* id;
        std::int16_t jobs;
        const char* level;
        const char* hours;
    };
    const Case cases[] = {
        {"Business keeps level 7", 0, "Business", "55651945", 7, "Vice President",
         "9:00AM - 5:00PM (0900-1700)"},
        {"a pet falls back to item 0", 1, "Security", "00A488D1", 0, "Unemployed", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        JobsHarness h;
        h.sim.Ages = 19;
        h.sim.Species = c.species;
        h.sim.Jobs = 7;
        h.Open();
        Choose(h.child<QComboBox>("cbCareer"), c.career);
        EXPECT_EQ(IdText(h.sim.Career), c.id);
        EXPECT_EQ(h.sim.Jobs, c.jobs);
        EXPECT_EQ(h.child<QComboBox>("cbJobs")->currentText(), c.level);
        EXPECT_EQ(h.child<QLabel>("lblHours")->text(), c.hours);
        EXPECT_TRUE(h.sim.Modified);
        EXPECT_EQ(h.saveOffered, 1);
    }
}

TEST(JobSchoolPageTest, LotManagedJobWorksNineToFiveAtEveryLevel) {
    JobsHarness h;
    h.sim.Ages = 19;
    h.Open();
    Choose(h.child<QComboBox>("cbCareer"), "Lot Managed Job");
    auto* jobs = h.child<QComboBox>("cbJobs");
    ASSERT_EQ(Entries(jobs), (QStringList{"Unemployed ?", "Employee ?", "Manager ?"}));
    for (int level = 0; level < 3; ++level) {
        SCOPED_TRACE(level);
        Choose(jobs, jobs->itemText(level));
        EXPECT_EQ(h.sim.Jobs, level);
        EXPECT_EQ(h.child<QLabel>("lblHours")->text(), "9:00AM - 5:00PM (0900-1700)");
        EXPECT_EQ(h.child<QLabel>("lblSalary")->text(), "$0");
        for (const char* day : {"imgCkMon", "imgCkTue", "imgCkWed", "imgCkThu", "imgCkFri"})
            EXPECT_TRUE(Shown(h, day)) << day;
        EXPECT_FALSE(Shown(h, "imgCkSun"));
        EXPECT_FALSE(Shown(h, "imgCkSat"));
    }

    // Without Business the job is not offered, yet a stored one still lists its levels.
    JobsHarness base;
    base.packs.HasBusiness = false;
    base.sim.Ages = 19;
    base.sim.Career = Id("0A408FD0");
    base.sim.Jobs = 1;
    base.Open();
    EXPECT_EQ(base.child<QComboBox>("cbCareer")->findText("Lot Managed Job"), -1);
    EXPECT_EQ(Entries(base.child<QComboBox>("cbJobs")),
              (QStringList{"Unemployed ?", "Employee ?", "Manager ?"}));
    EXPECT_EQ(base.child<QComboBox>("cbJobs")->currentText(), "Employee ?");
    EXPECT_TRUE(base.messages.shown.empty());
}

TEST(JobSchoolPageTest, UnknownCareersAndNpcTypes) {
    JobsHarness h;
    h.sim.Ages = 51;
    h.sim.Career = Id("12345678");
    h.sim.Jobs = 3;
    h.sim.RetCareer = Id("DEADBEEF");
    h.sim.RetJobs = 2;
    h.sim.NPCType = 99;
    h.Open();
    ASSERT_EQ(h.messages.shown.size(), 2u);
    EXPECT_EQ(h.messages.shown[0], "Unknown Job/Career: 12345678 Lvl=3");
    EXPECT_EQ(h.messages.shown[1], "Unkown NPC:( 99 )");
    EXPECT_EQ(Entries(h.child<QComboBox>("cbJobs")), QStringList{"Unknown"});
    EXPECT_EQ(h.child<QComboBox>("cbJobs")->currentIndex(), -1);
    EXPECT_EQ(Entries(h.child<QComboBox>("cbRetJobs")), QStringList{"Unknown"});
    EXPECT_EQ(h.child<QComboBox>("cbNPCType")->currentText(), "NA");
    EXPECT_EQ(h.child<QLabel>("lblNPCType")->text(), "Unkown NPC:( 99 )");
    // Nothing stored changes until the user chooses.
    EXPECT_EQ(IdText(h.sim.Career), "12345678");
    EXPECT_EQ(h.sim.Jobs, 3);
    EXPECT_EQ(IdText(h.sim.RetCareer), "DEADBEEF");
    EXPECT_EQ(h.sim.RetJobs, 2);
    EXPECT_EQ(h.sim.NPCType, 99);
    EXPECT_FALSE(h.sim.Modified);

    Choose(h.child<QComboBox>("cbNPCType"), "Maid");
    EXPECT_EQ(h.sim.NPCType, 19);
    EXPECT_EQ(h.child<QLabel>("lblNPCType")->text(), "NPC Type:");
    // The two "Police Officer" entries store their own codes.
    auto* npc = h.child<QComboBox>("cbNPCType");
    std::vector<int> codes;
    for (int i = npc->findText("Police Officer"); i >= 0 && i < npc->count(); ++i) {
        if (npc->itemText(i) != "Police Officer") continue;
        npc->setCurrentIndex(i);
        emit npc->activated(i);
        codes.push_back(h.sim.NPCType);
    }
    EXPECT_EQ(codes, (std::vector<int>{9, 46}));
    Choose(h.child<QComboBox>("cbRetCareer"), "Adult - Science");
    EXPECT_EQ(IdText(h.sim.RetCareer), "47BD9E0C");
    EXPECT_EQ(h.sim.RetJobs, 2);
    EXPECT_EQ(h.child<QComboBox>("cbRetJobs")->currentText(), "Lab Assistant");
}

TEST(JobSchoolPageTest, PensionAndVacationDays) {
    JobsHarness h;
    h.sim.Ages = 19;
    h.sim.PTO = 7;
    h.sim.Pension = 120;
    h.Open();
    auto* pto = h.child<QLineEdit>("edtPTO");
    auto* pension = h.child<QLineEdit>("edtPension");
    EXPECT_EQ(pto->text(), "0.07");
    EXPECT_EQ(pension->text(), "120");

    Type(pto, "3");
    EXPECT_EQ(h.sim.PTO, 300);
    EXPECT_TRUE(h.sim.Modified);
    Type(pto, "2.5");
    EXPECT_EQ(h.sim.PTO, 250);
    EXPECT_EQ(pto->text(), "2.5");
    Type(pto, "2.5.");  // no number: the stored value is shown again
    EXPECT_EQ(h.sim.PTO, 250);
    EXPECT_EQ(pto->text(), "2.5");
    Type(pto, "1x");
    EXPECT_EQ(pto->text(), "10");
    EXPECT_EQ(h.sim.PTO, 1000);

    Type(pension, "-5");
    EXPECT_EQ(pension->text(), "05");
    EXPECT_EQ(h.sim.Pension, 5);
}

TEST(JobSchoolPageTest, NumbersTooLargeForTheFieldAreRefused) {
    JobsHarness h;
    h.sim.Ages = 51;
    h.Open();
    auto* pension = h.child<QLineEdit>("edtPension");
    Type(pension, "40000");
    EXPECT_EQ(h.sim.Pension, 4000);  // the last entry that fit
    EXPECT_EQ(pension->text(), "4000");
    Type(pension, "32767");
    EXPECT_EQ(h.sim.Pension, 32767);

    auto* pto = h.child<QLineEdit>("edtPTO");
    Type(pto, "400");  // 40000 hundredths
    EXPECT_EQ(h.sim.PTO, 4000);
    EXPECT_EQ(pto->text(), "40");
    Type(pto, "327.67");
    EXPECT_EQ(h.sim.PTO, 32767);
}

TEST(JobSchoolPageTest, UniversityRows) {
    JobsHarness h;
    h.sim.Ages = 19;
    h.sim.YoungAdult = 1;
    h.sim.UniversityMajor = Id("63F09CAE");
    h.sim.UniversityClass = 5;
    h.sim.GPA = 875;
    h.sim.ClassPerformance = 600;
    h.sim.GradePeriod = 12;
    h.Open();
    auto* major = h.child<QComboBox>("cbUniversityMajor");
    auto* classes = h.child<QComboBox>("cbUniversityClass");
    EXPECT_EQ(major->currentText(), "Physics");
    EXPECT_EQ(classes->count(), 8);
    EXPECT_EQ(classes->currentIndex(), 4);
    EXPECT_EQ(h.child<QLabel>("lblUniversityYear")->text(), "Junior");
    EXPECT_EQ(h.child<QLabel>("lblClassHours")->text(), "8:00AM - 10:00AM (0800-1000)");
    EXPECT_EQ(h.child<QLabel>("lblGPA")->text(), "GPA: (3.5)");
    EXPECT_EQ(h.child<QLabel>("lblClassPerformance")->text(), "Class Performance: (600)");
    EXPECT_EQ(h.child<QLabel>("lblGradePeriod")->text(), "Remaining Hours: (12)");
    EXPECT_TRUE(Shown(h, "trkGPA"));
    EXPECT_FALSE(h.sim.Modified);

    h.child<QSlider>("trkGPA")->setValue(1000);
    EXPECT_EQ(h.sim.GPA, 1000);
    EXPECT_EQ(h.child<QLabel>("lblGPA")->text(), "GPA: (4)");
    h.child<QSlider>("trkGradePeriod")->setValue(30);
    EXPECT_EQ(h.sim.GradePeriod, 30);

    Choose(classes, classes->itemText(6));
    EXPECT_EQ(h.sim.UniversityClass, 7);
    EXPECT_EQ(h.child<QLabel>("lblUniversityYear")->text(), "Senior");
    Choose(major, "Literature");
    EXPECT_EQ(IdText(h.sim.UniversityMajor), "85F09CCE");
    EXPECT_EQ(h.sim.UniversityClass, 7);
    EXPECT_EQ(classes->currentIndex(), 6);
    EXPECT_EQ(h.child<QLabel>("lblClassHours")->text(), "2:00PM - 5:00PM (1400-1700)");
    Choose(major, "Undeclared");
    EXPECT_EQ(Entries(classes), QStringList{"Not Enrolled"});
    EXPECT_EQ(h.sim.UniversityClass, 1);
    EXPECT_EQ(h.child<QLabel>("lblUniversityYear")->text(), "");
    EXPECT_EQ(h.child<QLabel>("lblClassHours")->text(), "");

    // An adult who is no young adult has no sliders; without University there are no rows.
    JobsHarness adult;
    adult.sim.Ages = 19;
    adult.Open();
    EXPECT_TRUE(Shown(adult, "cbUniversityMajor"));
    EXPECT_FALSE(Shown(adult, "trkGPA"));
    JobsHarness without;
    without.hasUniversity = false;
    without.sim.Ages = 19;
    without.sim.YoungAdult = 1;
    without.Open();
    EXPECT_FALSE(Shown(without, "cbUniversityMajor"));
    EXPECT_FALSE(Shown(without, "cbUniversityClass"));
    EXPECT_FALSE(Shown(without, "trkGPA"));
}

TEST(JobSchoolPageTest, AdvancedSwitchUnlocksNpcTypeAndClass) {
    struct Case {
        const char* what;
        bool advanced;
        bool hasNightlife;
        bool npcEnabled;
        bool classEnabled;
    };
    const Case cases[] = {
        {"off", false, true, false, false},
        {"on, every later pack", true, true, true, false},
        {"on, Nightlife missing", true, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        JobsHarness h;
        h.advanced = c.advanced;
        h.packs.HasNightlife = c.hasNightlife;
        h.sim.Ages = 19;
        h.sim.UniversityMajor = Id("63F09CAE");
        h.Open();
        EXPECT_EQ(h.child<QComboBox>("cbNPCType")->isEnabled(), c.npcEnabled);
        EXPECT_EQ(h.child<QComboBox>("cbUniversityClass")->isEnabled(), c.classEnabled);
        // Locked or not, both stay in view.
        EXPECT_TRUE(Shown(h, "cbNPCType"));
        EXPECT_TRUE(Shown(h, "cbUniversityClass"));
        h.page.ApplyAdvanced(!c.advanced);
        EXPECT_EQ(h.child<QComboBox>("cbNPCType")->isEnabled(), !c.advanced);
    }
}

// ---- In the window, on the demo ----

TEST_F(SimPagesWindowTest, OpeningTheJobsPageForEverySimIsNoEdit) {
    ASSERT_TRUE(Start());
    const int count = child<QComboBox>("cbUserName")->count();
    ASSERT_GT(count, 2);
    child<QPushButton>("btnJobs")->click();
    for (int i = 0; i < count; ++i) {
        ChooseSim(i);
        ASSERT_TRUE(window->Page("pnlJobs")->isVisible());
    }
    child<QPushButton>("btnSkills")->click();
    child<QPushButton>("btnJobs")->click();
    EXPECT_TRUE(window->Page("pnlJobs")->isEnabled());
    EXPECT_FALSE(child<QPushButton>("btnSave")->isEnabled());
    EXPECT_FALSE(editor->State().AnythingModified());
    EXPECT_TRUE(messages.shown.empty());
}

// The two job words the game keeps for the current job, read from the saved package.
std::pair<std::uint16_t, std::uint16_t> JobWords(const std::filesystem::path& package,
                                                 std::uint32_t instance) {
    const Package p = Package::Open(package);
    test::FakeMessages quiet;
    for (const PackageIndexEntry& e : p.Entries) {
        if (e.Type != types::SimDescription || e.Instance != instance) continue;
        Bytes content;
        if (!DecompressEntry(p.View(), e, content, quiet)) break;
        ByteReader in{ByteView(content)};
        in.Seek(402);
        const std::uint16_t a = in.U16();
        return {a, in.U16()};
    }
    ADD_FAILURE() << "no sim description " << instance;
    return {};
}

TEST_F(SimPagesWindowTest, CareerChangeSurvivesSaveAndReload) {
    ASSERT_TRUE(Start());
    auto& sims = editor->State().Sims;
    const auto business = std::find_if(sims.begin(), sims.end(), [](const Character* s) {
        return IdText(s->Career) == "55651945" && s->FormatVersion == 51;
    });
    ASSERT_NE(business, sims.end());
    const auto other = std::find_if(sims.begin(), sims.end(), [&](const Character* s) {
        return s != *business && s->FormatVersion == 51 && s->Ages == 19;
    });
    ASSERT_NE(other, sims.end());
    const std::string file = (*business)->FileName;
    const std::string otherFile = (*other)->FileName;
    const std::int16_t jobs = (*business)->Jobs;
    const std::filesystem::path package = editor->State().Selected.PackagePath;
    const std::uint32_t instance = (*business)->DescriptionInstance;
    const std::uint32_t otherInstance = (*other)->DescriptionInstance;
    const auto wordsBefore = JobWords(package, instance);
    ASSERT_NE(wordsBefore, (std::pair<std::uint16_t, std::uint16_t>{0, 0}));
    const auto otherWords = JobWords(package, otherInstance);

    ChooseSim(static_cast<int>(business - sims.begin()));
    child<QPushButton>("btnJobs")->click();
    Choose(child<QComboBox>("cbCareer"), "Law Enforcement");
    Type(child<QLineEdit>("edtPTO"), "2.5");
    SaveAndReload();

    Character* again = FindSim(file);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(IdText(again->Career), "E3BC9EAC");
    EXPECT_EQ(IdText(again->LoadedCareer), "E3BC9EAC");
    EXPECT_EQ(again->Jobs, jobs);
    EXPECT_EQ(again->PTO, 250);
    EXPECT_EQ(JobWords(package, instance), (std::pair<std::uint16_t, std::uint16_t>{0, 0}));
    // A sim whose career stayed keeps its words.
    ASSERT_NE(FindSim(otherFile), nullptr);
    EXPECT_EQ(JobWords(package, otherInstance), otherWords);
}

}  // namespace
}  // namespace kinloom::gui
