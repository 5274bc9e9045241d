// What the pages' boxes do with the sim's data: Tab leaves every box, numbers beyond a field are
// refused where they are typed, stored text is shown and kept whole, reward points are written
// only when the user leaves their field, and controls a save could not keep are not offered.

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolTip>

#include <string>
#include <vector>

#include "SimPageFixtures.h"
#include "core/editing/CharacterFields.h"
#include "core/editing/DescriptionIndex.h"
#include "core/neighborhoods/NeighborhoodScan.h"
#include "core/records/SimDescription.h"
#include "gui/editing/HouseholdsPage.h"
#include "gui/editors/AspirationPage.h"
#include "gui/editors/CharacterPage.h"
#include "gui/editors/HobbiesPage.h"
#include "gui/editors/InterestsPage.h"
#include "gui/editors/JobSchoolPage.h"
#include "gui/editors/PersonalityPage.h"
#include "gui/editors/SkillsPage.h"
#include "gui/neighborhoods/NeighborhoodPage.h"
#include "gui/shell/TextBoxes.h"

namespace kinloom::gui::test_pages {
namespace {

// A page shown in a window of its own with the keyboard focus, so Tab walks it as a user does.
template <typename Harness>
void ShowWithFocus(Harness& h) {
    h.page.show();
    QApplication::setActiveWindow(&h.page);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&h.page));
}

QString Focused() {
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QString("(none)");
}

// ---- Tab ----

TEST(TextAndNumberBoxesTest, TabWalksTheCharacterPageTopLeftToBottomRightAndTypesNoTab) {
    PageHarness<CharacterPage> h;
    h.sim.Ages = 19;  // the young-adult box is offered
    h.sim.Thumbnail = Bitmap(4, 4);
    h.sim.FamilyNumber = 7;  // Fix Thumbnail is offered
    h.sim.CharacterDescription = "Bio";
    h.Open();
    ShowWithFocus(h);
    h.child<QLineEdit>("edtFirstName")->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(Focused(), "edtFirstName");

    // The left column top to bottom, then the right one; the display-only day count is skipped
    // and the gender group is one stop, at its checked button.
    const std::vector<QString> forward = {"edtLastName",
                                          "memCharacterDescription",
                                          "rbMale",
                                          "cbAges",
                                          "ckYoungAdult",
                                          "edtAgeDaysLeft",
                                          "edtAgeDuration",
                                          "trkFatness",
                                          "trkMalePref",
                                          "trkFemalePref",
                                          "edtFitnessPreference",
                                          "trkLocoBalance",
                                          "btnFixThumbs",
                                          "edtFirstName"};
    std::vector<QString> walked;
    for (std::size_t i = 0; i < forward.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked.push_back(Focused());
    }
    EXPECT_EQ(walked, forward);
    // And back: Shift+Tab from the first name goes to the last control, and out of the bio.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(Focused(), "btnFixThumbs");
    h.child<QPlainTextEdit>("memCharacterDescription")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(Focused(), "edtLastName");

    EXPECT_EQ(h.sim.CharacterDescription, "Bio");  // no tab typed into it
    EXPECT_FALSE(h.sim.Modified);                  // walking through the page is no edit
}

// A pasted tab stays what it was: text of the user's, stored as given.
TEST(TextAndNumberBoxesTest, PastedTabsAreKept) {
    PageHarness<CharacterPage> h;
    h.sim.CharacterDescription = "Bio";
    h.sim.HasNameList = true;
    h.Open();
    auto* bio = h.child<QPlainTextEdit>("memCharacterDescription");
    bio->moveCursor(QTextCursor::End);
    bio->insertPlainText("\tpasted");
    EXPECT_EQ(h.sim.CharacterDescription, "Bio\tpasted");
}

// ---- Numbers ----

TEST(TextAndNumberBoxesTest, ANumberBeyondItsFieldIsRefusedVisiblyAndTheOldValueKept) {
    PageHarness<CharacterPage> h;
    h.sim.AgeDaysLeft = 12;
    h.Open();
    auto* days = h.child<QLineEdit>("edtAgeDaysLeft");
    days->selectAll();
    QTest::keyClicks(days, "70000");
    EXPECT_EQ(h.sim.AgeDaysLeft, 7000);  // the last entry that fit
    EXPECT_TRUE(IsRefusedNumber(*days));
    EXPECT_TRUE(days->toolTip().contains("70000 is outside -32768..32767"))
        << days->toolTip().toStdString();
    EXPECT_TRUE(days->toolTip().contains("keeps 7000")) << days->toolTip().toStdString();
    // The box shows what the sim keeps, and the reason opens beside it, not only on hover.
    EXPECT_EQ(days->text(), "7000");
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), days->toolTip());
    // Going on from there takes the mark and the reason away and stores the number.
    QTest::keyClick(days, Qt::Key_Backspace);
    EXPECT_FALSE(IsRefusedNumber(*days));
    EXPECT_TRUE(days->toolTip().isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
    EXPECT_EQ(h.sim.AgeDaysLeft, 700);
    // The next sim's page starts without the mark.
    days->selectAll();
    QTest::keyClicks(days, "99999");
    ASSERT_TRUE(IsRefusedNumber(*days));
    h.Open();
    EXPECT_FALSE(IsRefusedNumber(*days));
    EXPECT_EQ(days->text(), "9999");
}

TEST(TextAndNumberBoxesTest, RewardPointsBeyondTheFieldAreRefused) {
    PageHarness<AspirationPage> h;
    h.sim.AspirationRewardPoints = 45;
    h.Open();
    auto* points = h.child<QLineEdit>("edtAspirationRewardPoints");
    points->selectAll();
    QTest::keyClicks(points, "700000");
    QTest::keyClick(points, Qt::Key_Return);
    EXPECT_EQ(h.sim.AspirationRewardPoints, 45);  // once 4464, the low 16 bits of 70000
    EXPECT_TRUE(IsRefusedNumber(*points));
    EXPECT_EQ(points->text(), "450");
    EXPECT_FALSE(h.sim.Modified);
}

TEST_F(SimPagesWindowTest, HouseholdFundsBeyond32BitsAreRefused) {
    ASSERT_TRUE(Start());
    ASSERT_NE(ChooseAHousedSimOnTheHouseholdsPage(), nullptr);
    Household* h = window->findChild<HouseholdsPage*>()->SelectedHousehold();
    ASSERT_NE(h, nullptr);
    auto* cash = child<QLineEdit>("edtCash");
    cash->selectAll();
    QTest::keyClicks(cash, "5000");
    EXPECT_EQ(h->Cash, 5000);
    QTest::keyClicks(cash, "000000");  // 5000000000: once stored as 0
    EXPECT_EQ(h->Cash, 500000000);
    EXPECT_TRUE(IsRefusedNumber(*cash));
    EXPECT_EQ(cash->text(), "500000000");
}

// ---- Stored text ----

TEST(TextAndNumberBoxesTest, StoredNamesAndBiographyAreShownWholeAndKeptUntilEdited) {
    const std::string longName(40, 'n');
    const std::string longBio = std::string(1200, 'b') + "\r\nend";
    PageHarness<CharacterPage> h;
    h.sim.FirstName = longName;
    h.sim.LastName = "Short";
    h.sim.CharacterDescription = longBio;
    h.sim.HasNameList = true;
    h.Open();
    auto* first = h.child<QLineEdit>("edtFirstName");
    auto* last = h.child<QLineEdit>("edtLastName");
    auto* bio = h.child<QPlainTextEdit>("memCharacterDescription");
    EXPECT_EQ(first->text().size(), 40);
    EXPECT_EQ(TypedText(*bio).size(), 1204);
    EXPECT_EQ(h.sim.FirstName, longName);
    EXPECT_EQ(h.sim.CharacterDescription, longBio);  // shown, not written
    EXPECT_FALSE(h.sim.Modified);

    // A long stored name stays editable up to its stored length, and says why it takes no more.
    first->end(false);
    QTest::keyClicks(first, "x");
    EXPECT_EQ(h.sim.FirstName, longName);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_TRUE(QToolTip::text().contains("stored 40 characters long"))
        << QToolTip::text().toStdString();
    QTest::keyClick(first, Qt::Key_Backspace);
    EXPECT_EQ(h.sim.FirstName, std::string(39, 'n'));
    QTest::keyClicks(first, "x");
    EXPECT_EQ(h.sim.FirstName, std::string(39, 'n') + "x");
    // A short name grows to the limit and no further.
    last->end(false);
    QTest::keyClicks(last, QString(30, 'y'));
    EXPECT_EQ(last->text().size(), 30);

    // The long bio at its stored length takes no more, says why, and changes nothing.
    bio->moveCursor(QTextCursor::End);
    QToolTip::hideText();
    const int edits = h.saveOffered;
    QTest::keyClicks(bio, "!");
    EXPECT_EQ(TypedText(*bio).size(), 1204);
    EXPECT_EQ(h.sim.CharacterDescription, longBio);
    EXPECT_EQ(h.saveOffered, edits) << "a refused key is no edit";
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_TRUE(QToolTip::text().contains("stored 1204 characters long"))
        << QToolTip::text().toStdString();
    // Deleting keeps the stored line break as CR LF.
    QTest::keyClick(bio, Qt::Key_Backspace);
    EXPECT_EQ(h.sim.CharacterDescription, std::string(1200, 'b') + "\r\nen");
    for (int i = 0; i < 4; ++i) QTest::keyClick(bio, Qt::Key_Backspace);  // "en", the break, "b"
    EXPECT_EQ(h.sim.CharacterDescription, std::string(1199, 'b'));
    // Still beyond the typing limit, it stays editable up to its stored length: a new line and
    // letters are taken, in the middle too; nothing is ever cut.
    QTest::keyClick(bio, Qt::Key_Return);
    QTest::keyClicks(bio, "z");
    EXPECT_EQ(h.sim.CharacterDescription, std::string(1199, 'b') + "\r\nz");
    bio->moveCursor(QTextCursor::Start);
    QTest::keyClicks(bio, "AB");
    EXPECT_EQ(h.sim.CharacterDescription, "AB" + std::string(1199, 'b') + "\r\nz");
    QTest::keyClicks(bio, "CD");  // as long as it was stored (1204), then one more
    EXPECT_EQ(h.sim.CharacterDescription, "ABC" + std::string(1199, 'b') + "\r\nz");

    // A new line in a bio of CR LF breaks is stored as CR LF.
    h.sim.CharacterDescription = "a\r\nb";
    h.Open();
    bio->moveCursor(QTextCursor::End);
    QTest::keyClick(bio, Qt::Key_Return);
    QTest::keyClicks(bio, "c");
    EXPECT_EQ(h.sim.CharacterDescription, "a\r\nb\r\nc");
}

TEST(TextAndNumberBoxesTest, NeighborhoodTextIsShownWholeAndKeepsItsLineBreaks) {
    NeighborhoodPage page;
    Neighborhood n;
    n.NGBDName = std::string(35, 'a');
    n.NGBDDescription = "One\r\nTwo " + std::string(1100, 'd');
    page.Fill(n, {});
    auto* name = page.findChild<QLineEdit*>("edtNGBDName");
    auto* description = page.findChild<QPlainTextEdit*>("memNGBDDescription");
    ASSERT_TRUE(name && description);
    EXPECT_EQ(name->text().size(), 35);
    EXPECT_EQ(TypedText(*description).size(), 1108);
    EXPECT_TRUE(description->tabChangesFocus());

    QSignalSpy names(&page, &NeighborhoodPage::NameEdited);
    QSignalSpy descriptions(&page, &NeighborhoodPage::DescriptionEdited);
    name->end(false);
    QTest::keyClicks(name, "b");  // the stored name is at the limit's far side: no more
    EXPECT_EQ(name->text().size(), 35);
    QTest::keyClick(name, Qt::Key_Backspace);
    ASSERT_FALSE(names.isEmpty());
    EXPECT_EQ(names.last().at(0).toString(), QString(34, 'a'));

    description->moveCursor(QTextCursor::End);
    QTest::keyClick(description, Qt::Key_Backspace);
    ASSERT_FALSE(descriptions.isEmpty());
    EXPECT_EQ(descriptions.last().at(0).toString(),
              "One\r\nTwo " + QString(1099, 'd'));  // whole, and CR LF as stored
}

TEST_F(SimPagesWindowTest, HouseholdDescriptionKeepsItsLineBreaksAndTabLeavesIt) {
    ASSERT_TRUE(Start());
    ASSERT_NE(ChooseAHousedSimOnTheHouseholdsPage(), nullptr);
    auto* page = window->findChild<HouseholdsPage*>();
    Household* h = page->SelectedHousehold();
    ASSERT_NE(h, nullptr);
    h->HouseholdDescription = "First\r\nSecond";
    page->Refresh();
    auto* memo = child<QPlainTextEdit>("memHouseholdDescription");
    EXPECT_TRUE(memo->tabChangesFocus());
    memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo, "!");
    EXPECT_EQ(h->HouseholdDescription, "First\r\nSecond!");
    // Every multi-line box of the window gives Tab to the focus.
    for (QPlainTextEdit* box : window->findChildren<QPlainTextEdit*>())
        EXPECT_TRUE(box->tabChangesFocus()) << box->objectName().toStdString();
}

// ---- Reward points ----

TEST(TextAndNumberBoxesTest, RewardPointsAreWrittenOnlyWhenTheUserLeavesTheField) {
    PageHarness<AspirationPage> h;
    h.sim.AspirationRewardPoints = 45;
    h.Open();
    auto* points = h.child<QLineEdit>("edtAspirationRewardPoints");
    auto leave = [points](Qt::FocusReason reason) {
        QFocusEvent event(QEvent::FocusOut, reason);
        QApplication::sendEvent(points, &event);
    };
    // Passing through the field is no edit.
    leave(Qt::TabFocusReason);
    EXPECT_FALSE(h.sim.Modified);

    points->selectAll();
    QTest::keyClicks(points, "1234");
    // A context menu, the menu bar or another window taking the focus: the user comes back.
    for (Qt::FocusReason reason :
         {Qt::PopupFocusReason, Qt::ActiveWindowFocusReason, Qt::MenuBarFocusReason}) {
        leave(reason);
        EXPECT_EQ(h.sim.AspirationRewardPoints, 45) << reason;
        EXPECT_EQ(points->text(), "1234");
    }
    EXPECT_FALSE(h.sim.Modified);

    // Enter takes them; so do Tab, Shift+Tab and a click elsewhere. The sim keeps points in
    // tens: 1234 is refused out loud, never rounded, and the box shows what the sim keeps.
    QTest::keyClick(points, Qt::Key_Return);
    EXPECT_EQ(points->text(), "450");
    EXPECT_EQ(h.sim.AspirationRewardPoints, 45);
    EXPECT_FALSE(h.sim.Modified);
    EXPECT_TRUE(IsRefusedNumber(*points));
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_TRUE(QToolTip::text().contains("1234 cannot be stored, 1230 or 1240 can"))
        << QToolTip::text().toStdString();
    points->selectAll();
    QTest::keyClicks(points, "1230");
    QTest::keyClick(points, Qt::Key_Return);
    EXPECT_EQ(points->text(), "1230");
    EXPECT_EQ(h.sim.AspirationRewardPoints, 123);
    EXPECT_TRUE(h.sim.Modified);
    EXPECT_FALSE(IsRefusedNumber(*points));
    const std::pair<Qt::FocusReason, std::int16_t> leaving[] = {
        {Qt::TabFocusReason, 56}, {Qt::BacktabFocusReason, 78}, {Qt::MouseFocusReason, 90}};
    for (auto [reason, stored] : leaving) {
        points->selectAll();
        QTest::keyClicks(points, QString::number(stored * 10));
        leave(reason);
        EXPECT_EQ(h.sim.AspirationRewardPoints, stored) << reason;
    }
    // An emptied box is 0 points.
    points->clear();
    QTest::keyClicks(points, "5");
    QTest::keyClick(points, Qt::Key_Backspace);
    leave(Qt::TabFocusReason);
    EXPECT_EQ(points->text(), "0");
    EXPECT_EQ(h.sim.AspirationRewardPoints, 0);
}

// ---- Controls a save could not keep ----

// A sim description older than the fields it lacks: the controls of those fields are disabled and
// say why; a current description offers them again. Read from the version table.
TEST(TextAndNumberBoxesTest, ControlsWhoseFieldTheDescriptionCannotKeepAreNotOffered) {
    auto firstVersion = [](std::int16_t Character::*member) {
        return DescriptionVersionsOf(member)->First;
    };
    const std::uint16_t noHobbies =
        static_cast<std::uint16_t>(firstVersion(&Character::Talent) - 1);
    const std::uint16_t noUniversity =
        static_cast<std::uint16_t>(firstVersion(&Character::YoungAdult) - 1);
    const std::uint16_t newest = DescriptionVersionsOf(&Character::Talent)->Last;

    struct Case {
        const char* control;
        std::uint16_t refusedAt;
    };
    auto check = [&](auto& h, std::initializer_list<Case> cases) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.control);
            for (std::uint16_t version : {c.refusedAt, newest}) {
                h.sim.FormatVersion = version;
                h.Open();
                auto* control = h.template child<QWidget>(c.control);
                ASSERT_NE(control, nullptr);
                const bool refused = version == c.refusedAt;
                EXPECT_EQ(control->isEnabled(), !refused) << version;
                EXPECT_EQ(control->toolTip().contains("record has no place"), refused)
                    << control->toolTip().toStdString();
            }
        }
    };
    {
        PageHarness<SkillsPage> h;
        h.sim.DescriptionInstance = 1;
        check(h, {{"rbHunger0", noHobbies}, {"rbSocial0", noHobbies}});
    }
    {
        PageHarness<HobbiesPage> h;
        h.sim.DescriptionInstance = 1;
        check(h, {{"cbTalent", noHobbies}, {"trkNature", noHobbies}});
        // Max All leaves what cannot be kept alone.
        h.sim.FormatVersion = noHobbies;
        h.Open();
        h.child<QPushButton>("btnMaxHobbies")->click();
        EXPECT_NE(h.sim.Nature, 1000);
    }
    {
        PageHarness<AspirationPage> h;
        h.sim.DescriptionInstance = 1;
        h.sim.YoungAdult = 1;
        check(h, {{"trkLTAspiration", noHobbies},
                  {"cbLTAUnlocks", noHobbies},
                  {"trkInfluenceLevel", noUniversity}});
    }
    {
        PageHarness<CharacterPage> h;
        h.sim.DescriptionInstance = 1;
        h.sim.Ages = 19;
        check(h, {{"ckYoungAdult", noUniversity}});
    }
    {
        PageHarness<JobSchoolPage> h;
        h.sim.DescriptionInstance = 1;
        h.sim.Ages = 19;
        h.sim.YoungAdult = 1;
        check(h, {{"cbUniversityMajor", noUniversity}});
    }
}

// Every button that writes several fields at once, on a version-32 sim (FreeTime installed) and
// on a sim without a description: a button with nothing the record can keep is not offered and
// says why; one that is offered changes only what a save writes, and the sim is marked exactly
// when it changed. What it left out is said beside it.
TEST(TextAndNumberBoxesTest, GroupButtonsWriteOnlyWhatASaveKeeps) {
    struct Sim {
        const char* what;
        std::uint16_t version;
        std::uint32_t description;
    };
    const Sim sims[] = {{"version 32", 32, 1}, {"no description", 51, kNoDescription}};
    struct Button {
        const char* name;
        bool offeredAt32;  // a version-32 description keeps something of what it writes
    };
    auto changed = [](const Character& before, const Character& after) {
        for (const CharacterField& f : CharacterFields())
            if (f.Kind != FieldKind::Flag && f.Kind != FieldKind::Path &&
                FieldText(before, f) != FieldText(after, f))
                return true;
        return false;
    };
    auto run = [&](auto& h, const Sim& s, std::initializer_list<Button> buttons) {
        for (const Button& b : buttons) {
            SCOPED_TRACE(std::string(s.what) + " " + b.name);
            h.sim = Character();
            h.sim.FormatVersion = s.version;
            h.sim.DescriptionInstance = s.description;
            h.sim.FileName = "N001_User00001.package";
            h.Open();
            auto* button = h.template child<QPushButton>(b.name);
            ASSERT_NE(button, nullptr);
            const bool offered = s.description != kNoDescription && b.offeredAt32;
            EXPECT_EQ(button->isEnabled(), offered);
            if (!offered) {
                EXPECT_TRUE(button->toolTip().contains("no place for anything this writes"))
                    << button->toolTip().toStdString();
                continue;
            }
            const Character before = h.sim;
            button->click();
            EXPECT_TRUE(UnstorableChanges(before, h.sim).empty());
            EXPECT_EQ(h.sim.Modified, changed(before, h.sim));
        }
    };
    for (const Sim& s : sims) {
        {
            PageHarness<SkillsPage> h;
            run(h, s, {{"btnRandomSkills", true}, {"btnMaxSkills", true}, {"btnFreeTime", false}});
        }
        {
            PageHarness<PersonalityPage> h;
            run(h, s,
                {{"btnRandomPersonality", true},
                 {"btnMaxPersonality", true},
                 {"btnOrgRandomPersonality", true},
                 {"btnOrgMaxPersonality", true}});
        }
        {
            PageHarness<InterestsPage> h;
            run(h, s, {{"btnRandomInterests", true}, {"btnMaxInterests", true}});
        }
        {
            PageHarness<HobbiesPage> h;
            run(h, s, {{"btnRandomHobbies", false}, {"btnMaxHobbies", false}});
        }
    }
}

// A group partly kept: the part a save writes is written, and the rest said beside the button.
TEST(TextAndNumberBoxesTest, AGroupButtonSaysWhatItLeftOut) {
    PageHarness<SkillsPage> h;
    h.sim.DescriptionInstance = 1;
    h.Open();
    QPushButton* random = h.child<QPushButton>("btnRandomSkills");
    // A skill the description could not keep (taken away by hand here: no version lacks one).
    auto* cooking = h.child<QSlider>("trkCooking");
    cooking->setProperty("kinloomUnstorable", true);
    cooking->setEnabled(false);
    QToolTip::hideText();
    random->click();
    EXPECT_EQ(h.sim.Cooking, 0);
    EXPECT_TRUE(h.sim.Modified);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "Left out, as this sim's record has no place for them: Cooking.");
}

}  // namespace
}  // namespace kinloom::gui::test_pages
