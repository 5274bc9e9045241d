// The sim attribute pages: each page alone on a sim in memory (filling, the guard, the buttons,
// the pet and expansion rules), and in the editor window on the demo neighborhoods (switching
// sims, Save and reloading).

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <filesystem>

#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "core/demo/DemoWriter.h"
#include "core/editing/EditingModel.h"
#include "core/maintenance/Backups.h"
#include "core/packages/Utf8.h"
#include "core/platform/Settings.h"
#include "core/startup/StartupSource.h"
#include "gui/editing/NeighborhoodEditor.h"
#include "gui/editors/AspirationPage.h"
#include "gui/editors/CharacterPage.h"
#include "gui/editors/HobbiesPage.h"
#include "gui/editors/InterestsPage.h"
#include "gui/editors/PersonalityPage.h"
#include "gui/editors/SkillsPage.h"
#include "gui/neighborhoods/NeighborhoodPickerDialog.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/PicturesLibrary.h"
#include "gui/shell/Startup.h"

#include "SimPageFixtures.h"

namespace kinloom::gui {
namespace {

namespace fs = std::filesystem;
using test_pages::PageHarness;
using test_pages::SimPagesWindowTest;

using SkillsHarness = PageHarness<SkillsPage>;
using PersonalityHarness = PageHarness<PersonalityPage>;

TEST(SkillsPageTest, FillsWithoutWritingAndSlidersWriteWhenEnabled) {
    SkillsHarness h;
    h.sim.Cooking = 430;
    h.sim.Logic = 1200;  // beyond the slider: shown at its end, kept as stored
    h.sim.Fun = 7;       // not a step of the page: "Normal" shown, kept as stored
    h.sim.Hygiene = 24;
    h.Open();
    EXPECT_EQ(h.saveOffered, 0);
    EXPECT_FALSE(h.sim.Modified);
    EXPECT_EQ(h.sim.Logic, 1200);
    EXPECT_EQ(h.sim.Fun, 7);
    EXPECT_EQ(h.child<QSlider>("trkLogic")->value(), 1000);
    EXPECT_EQ(h.child<QLabel>("lblCooking")->text(), "Cooking:(430)");
    EXPECT_TRUE(h.child<QRadioButton>("rbFun0")->isChecked());
    EXPECT_TRUE(h.child<QRadioButton>("rbHygiene24")->isChecked());

    h.child<QSlider>("trkCooking")->setValue(512);
    EXPECT_EQ(h.sim.Cooking, 512);
    EXPECT_EQ(h.child<QLabel>("lblCooking")->text(), "Cooking:(512)");
    EXPECT_TRUE(h.sim.Modified);
    EXPECT_EQ(h.saveOffered, 1);

    // A need button writes its own row only.
    h.child<QRadioButton>("rbHygiene36")->click();
    EXPECT_EQ(h.sim.Hygiene, 36);
    EXPECT_EQ(h.sim.Fun, 7);
    h.child<QRadioButton>("rbFun12")->click();
    EXPECT_EQ(h.sim.Fun, 12);

    // While the panel is disabled captions follow but nothing is written.
    h.page.setEnabled(false);
    h.child<QSlider>("trkCooking")->setValue(100);
    EXPECT_EQ(h.child<QLabel>("lblCooking")->text(), "Cooking:(100)");
    EXPECT_EQ(h.sim.Cooking, 512);
}

TEST(SkillsPageTest, MaxAllRandomAndLotsaFreeTime) {
    SkillsHarness h;
    for (const TraitField& s : SkillFields()) h.sim.*s.Member = 1000;
    h.sim.Hunger = 36;
    h.Open();
    h.child<QPushButton>("btnMaxSkills")->click();
    EXPECT_FALSE(h.sim.Modified);  // already at the maximum: nothing moved, nothing written

    h.child<QPushButton>("btnRandomSkills")->click();
    EXPECT_TRUE(h.sim.Modified);
    TraitRandom expected([] { return std::uint64_t{1}; });
    for (const TraitField& s : SkillFields()) {
        SCOPED_TRACE(s.Name);
        const int draw = expected.Draw();
        EXPECT_EQ(h.sim.*s.Member, draw);
        EXPECT_LE(h.sim.*s.Member, 998);
    }
    h.child<QPushButton>("btnMaxSkills")->click();
    for (const TraitField& s : SkillFields()) EXPECT_EQ(h.sim.*s.Member, 1000) << s.Name;

    h.child<QPushButton>("btnFreeTime")->click();
    for (const TraitField& n : NeedFields()) EXPECT_EQ(h.sim.*n.Member, 36) << n.Name;
}

TEST(SkillsPageTest, ExpansionAndPetRules) {
    struct Case {
        const char* what;
        std::uint16_t species;
        bool hasPets;
        bool hasFreeTime;
        bool skillsEnabled;
    };
    const Case cases[] = {
        {"human without FreeTime", 0, true, false, true},
        {"cat with Pets", 3, true, true, false},
        {"cat without Pets is a human", 3, false, true, true},
        {"dog without FreeTime", 1, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SkillsHarness h;
        h.sim.Species = c.species;
        h.sim.Energy = 24;
        h.hasPets = c.hasPets;
        h.hasFreeTime = c.hasFreeTime;
        h.Open();
        EXPECT_EQ(h.child<QSlider>("trkBody")->isEnabled(), c.skillsEnabled);
        EXPECT_EQ(h.child<QPushButton>("btnRandomSkills")->isEnabled(), c.skillsEnabled);
        EXPECT_EQ(h.child<QPushButton>("btnMaxSkills")->isEnabled(), c.skillsEnabled);
        EXPECT_EQ(h.child<QRadioButton>("rbSocial36")->isEnabled(), c.hasFreeTime);
        EXPECT_EQ(h.child<QPushButton>("btnFreeTime")->isEnabled(), c.hasFreeTime);
        EXPECT_TRUE(h.child<QRadioButton>("rbEnergy24")->isChecked());  // still shown
    }
}

TEST(PersonalityPageTest, ZodiacWritesTheSignAndBothSets) {
    for (bool pet : {false, true}) {
        SCOPED_TRACE(pet ? "cat" : "human");
        PersonalityHarness h;
        h.sim.Species = pet ? 3 : 0;
        h.Open();
        EXPECT_EQ(h.child<QSlider>("trkNeat")->isEnabled(), !pet);
        EXPECT_TRUE(h.child<QComboBox>("cbZodiac")->isEnabled());
        auto* cb = h.child<QComboBox>("cbZodiac");
        cb->setCurrentIndex(4);
        emit cb->activated(4);
        EXPECT_EQ(h.sim.Zodiac, 5);
        const std::array<std::int16_t, 5> leo{400, 1000, 400, 400, 300};
        for (std::size_t i = 0; i < 5; ++i) {
            const PersonalityTrait& t = PersonalityTraits()[i];
            EXPECT_EQ(h.sim.*t.Current, leo[i]) << t.Name;
            EXPECT_EQ(h.sim.*t.Birth, leo[i]) << t.Name;
        }
        EXPECT_TRUE(h.sim.Modified);
        EXPECT_EQ(h.child<QLabel>("lblZodiacInfo")->text(),
                  "Leo (Jul 23 - Aug 22)\nAttracted To - Sagittarius & Cancer\n"
                  "Repelled By - Capricorn & Gemini");
        EXPECT_EQ(h.child<QLabel>("lblOrgOutgoingLevel")->text(), "1000");
    }
}

TEST(PersonalityPageTest, SignlessSimKeepsTheLastSignText) {
    PersonalityHarness h;
    h.sim.Zodiac = 3;
    h.Open();
    const QString gemini = h.child<QLabel>("lblZodiacInfo")->text();
    EXPECT_TRUE(gemini.startsWith("Gemini (May 21 - Jun 20)"));
    h.sim.Zodiac = 0;
    h.Open();
    EXPECT_EQ(h.child<QComboBox>("cbZodiac")->currentIndex(), -1);
    EXPECT_EQ(h.child<QLabel>("lblZodiacInfo")->text(), gemini);
    EXPECT_FALSE(h.sim.Modified);
}

TEST(PersonalityPageTest, RandomAndMaxAllActOnTheirOwnSet) {
    PersonalityHarness h;
    for (const PersonalityTrait& t : PersonalityTraits()) {
        h.sim.*t.Current = 1000;
        h.sim.*t.Birth = 999;
    }
    h.Open();
    h.child<QPushButton>("btnMaxPersonality")->click();
    EXPECT_FALSE(h.sim.Modified);
    for (const PersonalityTrait& t : PersonalityTraits()) EXPECT_EQ(h.sim.*t.Birth, 999);

    h.clock = 77;
    h.child<QPushButton>("btnOrgRandomPersonality")->click();
    TraitRandom expected([] { return std::uint64_t{77}; });
    for (const PersonalityTrait& t : PersonalityTraits()) {
        SCOPED_TRACE(t.Name);
        EXPECT_EQ(h.sim.*t.Birth, expected.Draw());
        EXPECT_LE(h.sim.*t.Birth, 998);
        EXPECT_EQ(h.sim.*t.Current, 1000);  // the current set is untouched
    }
    h.child<QPushButton>("btnOrgMaxPersonality")->click();
    for (const PersonalityTrait& t : PersonalityTraits()) EXPECT_EQ(h.sim.*t.Birth, 1000);
}

// A value of 0 is shown as its number like any other, on the first sim shown and after one
// whose value differed: a slider set to the value it had says nothing of itself.
TEST(PersonalityPageTest, ZeroValuesShowTheirNumber) {
    PersonalityHarness personality;
    SkillsHarness skills;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        personality.sim.Nice = 0;
        personality.sim.OrgNice = 0;
        personality.Open();
        EXPECT_EQ(personality.child<QLabel>("lblNiceLevel")->text(), "0");
        EXPECT_EQ(personality.child<QLabel>("lblOrgNiceLevel")->text(), "0");
        skills.sim.Cooking = 0;
        skills.Open();
        EXPECT_EQ(skills.child<QLabel>("lblCooking")->text(), "Cooking:(0)");
        // The next sim shown has other values; the round after comes back to 0.
        personality.sim.Nice = personality.sim.OrgNice = 500;
        personality.Open();
        skills.sim.Cooking = 500;
        skills.Open();
    }
}

using InterestsHarness = PageHarness<InterestsPage>;
using HobbiesHarness = PageHarness<HobbiesPage>;

TEST(InterestsPageTest, PetCaptionsHiddenSlotsAndRandom) {
    InterestsHarness h;
    h.sim.Politics = 400;
    h.sim.Sports = 250;
    h.Open();
    EXPECT_EQ(h.child<QLabel>("lblPolitics")->text(), "Politics:(400)");
    EXPECT_EQ(h.child<QLabel>("lblSciFi")->text(), "Sci-Fi:(0)");
    EXPECT_FALSE(h.child<QWidget>("pnlSports")->isHidden());

    // The same positions for a dog: the wording changes although no slider moves.
    h.sim.Species = 1;
    h.Open();
    const char* petCaptions[] = {"Pets:", "Scary Things:", "Food:", "Outside:", "Sleep:",
                                 "Play:", "Weather:",      "Toys:", "Animals:"};
    for (std::size_t i = 0; i < 9; ++i) {
        const InterestField& f = InterestFields()[i];
        SCOPED_TRACE(f.Name);
        EXPECT_TRUE(h.child<QLabel>(QString("lbl") + f.Name)->text().startsWith(petCaptions[i]));
    }
    for (std::size_t i = 9; i < 18; ++i)
        EXPECT_TRUE(h.child<QWidget>(QString("pnl") + InterestFields()[i].Name)->isHidden());
    EXPECT_FALSE(h.sim.Modified);

    h.child<QSlider>("trkMoney")->setValue(700);
    EXPECT_EQ(h.sim.Money, 700);
    EXPECT_EQ(h.child<QLabel>("lblMoney")->text(), "Scary Things:(700)");

    // Random reaches the hidden interests too.
    h.clock = 5;
    h.child<QPushButton>("btnRandomInterests")->click();
    TraitRandom expected([] { return std::uint64_t{5}; });
    for (const InterestField& f : InterestFields()) EXPECT_EQ(h.sim.*f.Member, expected.Draw());

    // Back to a human: human wording again.
    h.sim.Species = 0;
    h.Open();
    EXPECT_TRUE(h.child<QLabel>("lblPolitics")->text().startsWith("Politics:("));
    EXPECT_FALSE(h.child<QWidget>("pnlSports")->isHidden());
}

TEST(HobbiesPageTest, AvailabilityTalentAndSeparateSports) {
    struct Case {
        const char* what;
        std::uint16_t species;
        bool hasPets;
        bool hasFreeTime;
        bool shown;
    };
    const Case cases[] = {
        {"human with FreeTime", 0, true, true, true},
        {"human without FreeTime", 0, true, false, false},
        {"cat with FreeTime", 3, true, true, false},
        {"cat, Pets not installed", 3, false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HobbiesHarness h;
        h.sim.Species = c.species;
        h.hasPets = c.hasPets;
        h.hasFreeTime = c.hasFreeTime;
        h.sim.Tinkering = 640;
        h.sim.Talent = 210;
        h.Open();
        EXPECT_FALSE(h.sim.Modified);
        EXPECT_EQ(h.child<QWidget>("pnlTinkering")->isHidden(), !c.shown);
        EXPECT_EQ(h.child<QComboBox>("cbTalent")->isHidden(), !c.shown);
        EXPECT_EQ(h.child<QPushButton>("btnMaxHobbies")->isHidden(), !c.shown);
        EXPECT_EQ(h.child<QPushButton>("btnRandomHobbies")->isHidden(), !c.shown);
        if (c.shown) {
            EXPECT_EQ(h.child<QSlider>("trkTinkering")->value(), 640);
            EXPECT_EQ(h.child<QComboBox>("cbTalent")->currentText(), "Tinkering");
        }
    }

    HobbiesHarness h;
    h.sim.Talent = 99;
    h.Open();
    auto* cb = h.child<QComboBox>("cbTalent");
    EXPECT_EQ(cb->currentText(), "-");
    EXPECT_EQ(h.sim.Talent, 99);
    cb->setCurrentIndex(10);
    emit cb->activated(10);
    EXPECT_EQ(h.sim.Talent, 213);
    cb->setCurrentIndex(0);
    emit cb->activated(0);
    EXPECT_EQ(h.sim.Talent, 0);

    h.child<QSlider>("trkSportsHB")->setValue(300);
    EXPECT_EQ(h.sim.SportsHB, 300);
    EXPECT_EQ(h.sim.Sports, 0);
    EXPECT_EQ(h.child<QLabel>("lblSportsHB")->text(), "Sports:(300)");
    h.child<QPushButton>("btnMaxHobbies")->click();
    for (const HobbyField& f : HobbyFields()) EXPECT_EQ(h.sim.*f.Member, 1000) << f.Name;
}

using CharacterHarness = PageHarness<CharacterPage>;

TEST(CharacterPageTest, NumberFieldsCleanKeepCaretAndRefuseWhatDoesNotFit) {
    CharacterHarness h;
    h.sim.AgeDuration = 5;
    h.Open();
    auto* duration = h.child<QLineEdit>("edtAgeDuration");
    EXPECT_EQ(duration->text(), "5");
    duration->clear();
    QTest::keyClicks(duration, "12a");
    EXPECT_EQ(duration->text(), "120");
    EXPECT_EQ(h.sim.AgeDuration, 120);
    duration->selectAll();
    QTest::keyClick(duration, Qt::Key_Backspace);
    EXPECT_EQ(h.sim.AgeDuration, 0);

    // A character typed in the middle: replaced by "0" and the caret stays after it.
    duration->setText("12");
    duration->setCursorPosition(1);
    QTest::keyClicks(duration, "x");
    EXPECT_EQ(duration->text(), "102");
    EXPECT_EQ(duration->cursorPosition(), 2);
    EXPECT_EQ(h.sim.AgeDuration, 102);

    auto* daysLeft = h.child<QLineEdit>("edtAgeDaysLeft");
    daysLeft->clear();
    QTest::keyClicks(daysLeft, "70000");
    // 70000 does not fit the 16-bit field: refused, not stored as 4464; the last entry that fit
    // stays.
    EXPECT_EQ(h.sim.AgeDaysLeft, 7000);
    daysLeft->clear();
    QTest::keyClicks(daysLeft, "99999999999");
    // Each digit past what the field holds is refused: the box shows what the sim keeps.
    EXPECT_EQ(daysLeft->text(), "9999");
    EXPECT_EQ(h.sim.AgeDaysLeft, 9999);
    EXPECT_FALSE(h.child<QLineEdit>("edtDaysPrevAge")->isEnabled());
}

// A package without a name list cannot keep a name: the boxes are read-only and say why, and
// typing changes nothing; with a list the same typing is an edit.
TEST(CharacterPageTest, NamesAreReadOnlyWithoutANameList) {
    for (bool hasList : {false, true}) {
        SCOPED_TRACE(hasList);
        CharacterHarness h;
        h.sim.FirstName = "Ann";
        h.sim.CharacterDescription = "Bio";
        h.sim.HasNameList = hasList;
        h.Open();
        auto* first = h.child<QLineEdit>("edtFirstName");
        auto* bio = h.child<QPlainTextEdit>("memCharacterDescription");
        EXPECT_EQ(first->isReadOnly(), !hasList);
        EXPECT_EQ(bio->isReadOnly(), !hasList);
        EXPECT_EQ(first->toolTip().contains("no name list"), !hasList);
        first->setFocus();
        first->end(false);
        QTest::keyClicks(first, "e");
        bio->setFocus();
        bio->moveCursor(QTextCursor::End);
        QTest::keyClicks(bio, "!");
        EXPECT_EQ(h.sim.FirstName, hasList ? "Anne" : "Ann");
        EXPECT_EQ(h.sim.CharacterDescription, hasList ? "Bio!" : "Bio");
        EXPECT_EQ(h.sim.Modified, hasList);
    }
}

TEST(CharacterPageTest, GenderSanityAndYoungAdult) {
    CharacterHarness h;
    h.sim.Ages = 19;
    h.sim.PropertyAge = 64;
    h.sim.YoungAdult = 1;
    h.sim.LocoBalance = 50;
    h.sim.LocoWeight1 = 50;
    h.sim.Thumbnail = Bitmap(4, 4);
    h.sim.FamilyNumber = 7;
    h.Open();
    EXPECT_FALSE(h.sim.Modified);
    EXPECT_TRUE(h.child<QCheckBox>("ckYoungAdult")->isChecked());
    EXPECT_FALSE(h.child<QCheckBox>("ckYoungAdult")->isHidden());
    EXPECT_EQ(h.child<QLabel>("lblSpecies")->text(), "Species: Sim Adult");
    EXPECT_TRUE(h.child<QPushButton>("btnFixThumbs")->isEnabled());

    h.child<QRadioButton>("rbFemale")->click();
    EXPECT_EQ(h.sim.Gender, 1);
    EXPECT_EQ(h.sim.PropertyGender, 1);
    h.child<QRadioButton>("rbMale")->click();
    EXPECT_EQ(h.sim.Gender, 0);
    EXPECT_EQ(h.sim.PropertyGender, 2);

    h.child<QSlider>("trkLocoBalance")->setValue(30);
    EXPECT_EQ(h.sim.LocoBalance, 30);
    EXPECT_EQ(h.sim.LocoWeight1, 70);
    EXPECT_EQ(h.child<QLabel>("lblLocoWeight1")->text(), "70");

    // Clearing the box of an adult: a plain adult again.
    h.child<QCheckBox>("ckYoungAdult")->click();
    EXPECT_EQ(h.sim.YoungAdult, 0);
    EXPECT_EQ(h.sim.PropertyAge, 8);
    h.child<QCheckBox>("ckYoungAdult")->click();
    EXPECT_EQ(h.sim.PropertyAge, 64);

    // Teen for a young adult.
    auto* ages = h.child<QComboBox>("cbAges");
    ages->setCurrentIndex(3);
    emit ages->activated(3);
    EXPECT_EQ(h.sim.Ages, 16);
    EXPECT_EQ(h.sim.PropertyAge, 4);
    EXPECT_EQ(h.sim.YoungAdult, 0);
    EXPECT_TRUE(h.sim.ResetThumbnail);
    EXPECT_FALSE(h.child<QCheckBox>("ckYoungAdult")->isChecked());
    EXPECT_TRUE(h.child<QCheckBox>("ckYoungAdult")->isHidden());  // page reloaded for the teen
    EXPECT_EQ(h.child<QLabel>("lblPersonAge")->text(), "Life Stage: 16");
    EXPECT_FALSE(h.child<QPushButton>("btnFixThumbs")->isEnabled());  // already asked for
    EXPECT_TRUE(h.page.isEnabled());
}

TEST(CharacterPageTest, PetsGetTheirOwnStagesAndHiddenControls) {
    CharacterHarness h;
    h.sim.Species = 3;
    h.sim.Ages = 19;
    h.Open();
    auto* ages = h.child<QComboBox>("cbAges");
    ASSERT_EQ(ages->count(), 3);
    EXPECT_EQ(ages->itemText(0), "Puppy/Kitten");
    EXPECT_EQ(ages->currentText(), "Adult");
    EXPECT_EQ(h.child<QLabel>("lblSpecies")->text(), "Species: Adult Cat");
    for (const char* name : {"pnlLocoBalance", "pnlMalePref", "pnlFemalePref", "pnlFatness",
                             "lblFitnessNote", "ckYoungAdult", "lblYoungAdult"})
        EXPECT_TRUE(h.child<QWidget>(name)->isHidden()) << name;
    ages->setCurrentIndex(0);
    emit ages->activated(0);
    EXPECT_EQ(h.sim.Ages, 1);
    EXPECT_EQ(h.sim.PropertyAge, 32);
    EXPECT_EQ(h.child<QLabel>("lblSpecies")->text(), "Species: Kitten");

    // Without Pets the same sim is a human with six stages.
    CharacterHarness human;
    human.hasPets = false;
    human.sim.Species = 3;
    human.sim.Ages = 51;
    human.Open();
    EXPECT_EQ(human.child<QComboBox>("cbAges")->count(), 6);
    EXPECT_EQ(human.child<QLabel>("lblSpecies")->text(), "Species: Sim Elder");
    EXPECT_FALSE(human.child<QWidget>("pnlFatness")->isHidden());
}

TEST(CharacterPageTest, AdvancedSwitchDecidesTheExpertControls) {
    for (bool advanced : {false, true}) {
        SCOPED_TRACE(advanced);
        CharacterHarness h;
        h.advanced = advanced;
        h.Open();
        EXPECT_EQ(h.child<QComboBox>("cbAges")->isEnabled(), advanced);
        EXPECT_EQ(h.child<QRadioButton>("rbFemale")->isEnabled(), advanced);
        EXPECT_EQ(h.child<QWidget>("pnlLocoBalance")->isHidden(), !advanced);
        EXPECT_EQ(h.child<QLineEdit>("edtFitnessPreference")->isHidden(), !advanced);
    }
}

using AspirationHarness = PageHarness<AspirationPage>;

TEST(AspirationPageTest, TwoAspirationsWithFreeTime) {
    AspirationHarness h;
    h.sim.Aspiration = 17;
    h.sim.Ages = 19;
    h.Open();
    auto* primary = h.child<QComboBox>("cbAspiration1");
    auto* secondary = h.child<QComboBox>("cbAspiration2");
    EXPECT_EQ(primary->currentText(), "Romance");
    EXPECT_EQ(secondary->currentText(), "Popularity");
    EXPECT_EQ(h.child<QSlider>("trkAspirationScore")->maximum(), 100);
    EXPECT_FALSE(h.child<QLabel>("lblFTAspireWarning")->isHidden());

    // The same aspiration twice: the secondary goes back to "-".
    primary->setCurrentIndex(5);
    emit primary->activated(5);
    EXPECT_EQ(secondary->currentIndex(), 0);
    EXPECT_EQ(h.sim.Aspiration, 16);

    h.advanced = false;
    h.Open();
    EXPECT_FALSE(primary->isEnabled());
    EXPECT_TRUE(h.child<QLabel>("lblFTAspireWarning")->isHidden());
}

TEST(AspirationPageTest, OneAspirationWithoutFreeTime) {
    AspirationHarness h;
    h.hasFreeTime = false;
    h.packs.HasNightlife = false;                          // Pleasure comes with Nightlife too
    h.sim.Aspiration = static_cast<std::int16_t>(0x0300);  // bits the lists do not show
    h.sim.Ages = 2;
    h.Open();
    auto* primary = h.child<QComboBox>("cbAspiration1");
    EXPECT_EQ(primary->count(), 8);  // no Pleasure or Grilled Cheese without the packs
    EXPECT_EQ(primary->currentText(), "-");
    EXPECT_TRUE(h.child<QComboBox>("cbAspiration2")->isHidden());
    EXPECT_EQ(h.child<QSlider>("trkAspirationScore")->maximum(), 3000);
    primary->setCurrentIndex(6);
    emit primary->activated(6);
    EXPECT_EQ(h.sim.Aspiration, 32);

    h.sim.Ages = 1;  // a baby's level and score stay as they are
    h.Open();
    EXPECT_FALSE(h.child<QSlider>("trkAspirationLevel")->isEnabled());
    EXPECT_FALSE(h.child<QSlider>("trkAspirationScore")->isEnabled());
}

TEST(AspirationPageTest, RewardPointsUnlocksAndLongTermLevel) {
    AspirationHarness h;
    h.sim.AspirationRewardPoints = 45;
    h.sim.LTAUnlocksUsed = 3;
    h.sim.LTAUnlocks = 5;
    h.Open();
    auto* points = h.child<QLineEdit>("edtAspirationRewardPoints");
    EXPECT_EQ(points->text(), "450");
    points->clear();
    QTest::keyClicks(points, "1230");
    EXPECT_EQ(h.sim.AspirationRewardPoints, 45);  // nothing written while typing
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(points, &leave);
    EXPECT_EQ(points->text(), "1230");
    EXPECT_EQ(h.sim.AspirationRewardPoints, 123);

    auto* unlocks = h.child<QComboBox>("cbLTAUnlocks");
    ASSERT_EQ(unlocks->count(), 14);
    EXPECT_EQ(unlocks->itemText(13), "13");
    EXPECT_EQ(unlocks->currentText(), "2");
    EXPECT_EQ(h.child<QLabel>("lblLTAUnlocksUsed")->text(), "(3 of 16 Used)");
    unlocks->setCurrentIndex(4);
    emit unlocks->activated(4);
    EXPECT_EQ(h.sim.LTAUnlocks, 7);
    EXPECT_EQ(unlocks->currentText(), "4");

    h.child<QSlider>("trkLTAspiration")->setValue(2500);
    EXPECT_EQ(h.child<QLabel>("lblLTAspiration")->text(), "Long Term Aspiration Level (2500)");
    EXPECT_EQ(h.sim.LTAspiration, 2500);
    h.child<QSlider>("trkInfluenceLevel")->setValue(3);
    EXPECT_EQ(h.sim.InfluenceLevel, 3);
    EXPECT_EQ(h.child<QLabel>("lblInfluenceLevel")->text(), "Influence Level: (3)");
}

// ---- In the window, on the demo ----

TEST_F(SimPagesWindowTest, OpeningPagesAndSwitchingSimsIsNoEdit) {
    ASSERT_TRUE(Start());
    const int count = child<QComboBox>("cbUserName")->count();
    ASSERT_GT(count, 2);
    for (const char* button : {"btnCharacters", "btnSkills", "btnPersonality", "btnInterests",
                               "btnHobbies", "btnAspiration"}) {
        child<QPushButton>(button)->click();
        for (int i = 0; i < count; ++i) ChooseSim(i);
    }
    EXPECT_TRUE(window->Page("pnlAspiration")->isVisible());
    EXPECT_TRUE(window->Page("pnlAspiration")->isEnabled());
    EXPECT_FALSE(child<QPushButton>("btnSave")->isEnabled());
    EXPECT_FALSE(editor->State().AnythingModified());
}

TEST_F(SimPagesWindowTest, SkillsAndNeedsSurviveSaveAndReload) {
    ASSERT_TRUE(Start());
    ChooseSim(0);
    Character* sim = editor->SelectedSim();
    ASSERT_NE(sim, nullptr);
    const std::string file = sim->FileName;
    child<QPushButton>("btnSkills")->click();
    ASSERT_TRUE(window->Page("pnlSkills")->isVisible());
    const int cooking = sim->Cooking == 321 ? 322 : 321;
    child<QSlider>("trkCooking")->setValue(cooking);
    EXPECT_TRUE(child<QPushButton>("btnSave")->isEnabled());
    const QString rb = sim->Hygiene == 12 ? "rbHygiene24" : "rbHygiene12";
    child<QRadioButton>(rb)->click();
    const std::int16_t hygiene = sim->Hygiene;
    ASSERT_NE(hygiene, 0);
    SaveAndReload();

    Character* again = FindSim(file);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Cooking, cooking);
    EXPECT_EQ(again->Hygiene, hygiene);
    EXPECT_FALSE(again->Modified);
}

TEST_F(SimPagesWindowTest, PersonalityAndZodiacSurviveSaveAndReload) {
    ASSERT_TRUE(Start());
    ChooseSim(1);
    Character* sim = editor->SelectedSim();
    ASSERT_NE(sim, nullptr);
    const std::string file = sim->FileName;
    child<QPushButton>("btnPersonality")->click();
    auto* cb = child<QComboBox>("cbZodiac");
    const int sign = sim->Zodiac == 10 ? 8 : 9;  // Capricorn, or Sagittarius if already that
    cb->setCurrentIndex(sign);
    emit cb->activated(sign);
    child<QSlider>("trkNice")->setValue(123);
    SaveAndReload();

    Character* again = FindSim(file);
    ASSERT_NE(again, nullptr);
    const ZodiacSign& expected = ZodiacSigns()[static_cast<std::size_t>(sign)];
    EXPECT_EQ(again->Zodiac, sign + 1);
    EXPECT_EQ(again->Nice, 123);
    EXPECT_EQ(again->OrgNice, expected.Traits[4]);
    EXPECT_EQ(again->Neat, expected.Traits[0]);
    EXPECT_EQ(again->OrgActive, expected.Traits[2]);
}

TEST_F(SimPagesWindowTest, RenameKeepsTheListFormAndPlaceAndSurvivesSaveAndReload) {
    ASSERT_TRUE(Start());
    // Last-name form.
    child<QPushButton>("btnSortUsers")->click();
    child<QPushButton>("btnSortUsers")->click();
    auto* list = child<QComboBox>("cbUserName");
    ChooseSim(2);
    Character* sim = editor->SelectedSim();
    ASSERT_NE(sim, nullptr);
    const std::string file = sim->FileName;
    ASSERT_TRUE(
        list->currentText().startsWith(QString::fromStdU16String(DecodeUtf8(sim->LastName))));
    child<QPushButton>("btnCharacters")->click();
    auto* last = child<QLineEdit>("edtLastName");
    last->clear();
    QTest::keyClicks(last, "Zyx");
    EXPECT_EQ(list->currentIndex(), 2);
    EXPECT_EQ(list->currentText(),
              "Zyx, " + QString::fromStdU16String(DecodeUtf8(sim->FirstName)).trimmed() + " : " +
                  QString::fromStdU16String(FileLabel(*sim)));
    auto* bio = child<QPlainTextEdit>("memCharacterDescription");
    bio->setPlainText("A new life.");
    auto* days = child<QLineEdit>("edtAgeDaysLeft");
    days->clear();
    QTest::keyClicks(days, "9");
    SaveAndReload();

    Character* again = FindSim(file);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->LastName, "Zyx");
    EXPECT_EQ(again->CharacterDescription, "A new life.");
    EXPECT_EQ(again->AgeDaysLeft, 9);
}

TEST_F(SimPagesWindowTest, AspirationSurvivesSaveAndReload) {
    ASSERT_TRUE(Start());
    ChooseSim(0);
    Character* sim = editor->SelectedSim();
    ASSERT_NE(sim, nullptr);
    const std::string file = sim->FileName;
    child<QCheckBox>("ckAdvanced")->setChecked(true);
    child<QPushButton>("btnAspiration")->click();
    auto* primary = child<QComboBox>("cbAspiration1");
    ASSERT_TRUE(primary->isEnabled());
    const int chosen = primary->currentIndex() == 3 ? 2 : 3;
    primary->setCurrentIndex(chosen);
    emit primary->activated(chosen);
    const std::int16_t aspiration = sim->Aspiration;
    child<QSlider>("trkLTAspiration")->setValue(sim->LTAspiration == 4000 ? 4100 : 4000);
    const std::int16_t longTerm = sim->LTAspiration;
    SaveAndReload();

    Character* again = FindSim(file);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Aspiration, aspiration);
    EXPECT_EQ(again->LTAspiration, longTerm);
}

TEST_F(SimPagesWindowTest, InterestsHobbiesAndTalentSurviveSaveAndReload) {
    ASSERT_TRUE(Start());
    auto& sims = editor->State().Sims;
    auto human =
        std::find_if(sims.begin(), sims.end(), [](const Character* s) { return s->Species == 0; });
    ASSERT_NE(human, sims.end());
    ChooseSim(static_cast<int>(human - sims.begin()));
    Character* sim = editor->SelectedSim();
    ASSERT_EQ(sim, *human);
    const std::string file = sim->FileName;
    child<QPushButton>("btnInterests")->click();
    child<QSlider>("trkSciFi")->setValue(sim->SciFi == 777 ? 778 : 777);
    const std::int16_t scifi = sim->SciFi;
    child<QPushButton>("btnHobbies")->click();
    ASSERT_FALSE(child<QComboBox>("cbTalent")->isHidden());
    child<QSlider>("trkNature")->setValue(sim->Nature == 555 ? 556 : 555);
    const std::int16_t nature = sim->Nature;
    auto* cb = child<QComboBox>("cbTalent");
    const int entry = sim->Talent == 212 ? 2 : 9;
    cb->setCurrentIndex(entry);
    emit cb->activated(entry);
    SaveAndReload();

    Character* again = FindSim(file);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->SciFi, scifi);
    EXPECT_EQ(again->Nature, nature);
    EXPECT_EQ(again->Talent, TalentOfEntry(entry));
}

}  // namespace
}  // namespace kinloom::gui
