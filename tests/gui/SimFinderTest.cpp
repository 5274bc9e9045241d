// The sim finder: Ctrl+F opens it, typing filters (case and accents aside), Up/Down/Enter select
// with the keyboard, Escape leaves the selection alone.

#include <QLineEdit>
#include <QListView>
#include <QTest>

#include "WindowFixture.h"
#include "core/packages/Utf8.h"
#include "gui/editing/SimFinder.h"

namespace kinloom::gui {
namespace {

using test_window::WindowTest;

class SimFinderTest : public WindowTest {
protected:
    SimFinder* Finder() { return window->findChild<SimFinder*>("pnlSimFinder"); }
    QLineEdit* Box() { return Finder()->findChild<QLineEdit*>("edtFindSim"); }
    QListView* List() { return Finder()->findChild<QListView*>("lstSimFinder"); }
    QStringList Rows() {
        QStringList rows;
        for (int i = 0; i < List()->model()->rowCount(); ++i)
            rows << List()->model()->index(i, 0).data().toString();
        return rows;
    }
    void OpenWithKeys() {
        QApplication::setActiveWindow(window.get());
        QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
        ASSERT_TRUE(Finder()->isVisible());
        // The box takes the keys (the popup's focus, whether or not the desktop made it active).
        ASSERT_EQ(Finder()->focusWidget(), Box());
    }
};

TEST_F(SimFinderTest, TypingFiltersAndTheKeyboardSelects) {
    ASSERT_TRUE(Start());
    auto& sims = editor->State().Sims;
    ASSERT_GE(sims.size(), 3u);
    Character* zoe = sims[2];
    zoe->FirstName = "Zo\xC3\xAB";

    OpenWithKeys();
    EXPECT_EQ(static_cast<std::size_t>(Rows().size()), sims.size());
    QTest::keyClicks(Box(), "ZOE");
    ASSERT_EQ(Rows().size(), 1) << Rows().join(", ").toStdString();
    EXPECT_TRUE(Rows()[0].startsWith(QString::fromUtf8("Zo\xC3\xAB ")));
    QTest::keyClick(Box(), Qt::Key_Return);
    EXPECT_FALSE(Finder()->isVisible());
    EXPECT_EQ(editor->SelectedSim(), zoe);

    // Up and Down walk the list as filtered; Enter takes the row reached.
    OpenWithKeys();
    QTest::keyClick(Box(), Qt::Key_Home);
    const int at = List()->currentIndex().row();
    ASSERT_GT(at, 0) << Rows().join(", ").toStdString();
    QTest::keyClick(Box(), Qt::Key_Down);
    EXPECT_EQ(List()->currentIndex().row(), at + 1);
    QTest::keyClick(Box(), Qt::Key_Up);
    QTest::keyClick(Box(), Qt::Key_Up);
    EXPECT_EQ(List()->currentIndex().row(), at - 1);
    QTest::keyClick(Box(), Qt::Key_Return);
    EXPECT_EQ(editor->SelectedSim(), sims[static_cast<std::size_t>(at - 1)]);

    // Escape: closed, the selection as it was.
    OpenWithKeys();
    QTest::keyClicks(Box(), "elder");
    EXPECT_GE(Rows().size(), 1);
    for (const QString& row : Rows()) EXPECT_FALSE(row.isEmpty());
    Character* before = editor->SelectedSim();
    QTest::keyClick(Box(), Qt::Key_Escape);
    EXPECT_FALSE(Finder()->isVisible());
    EXPECT_EQ(editor->SelectedSim(), before);

    // Nothing matches: Enter does nothing.
    OpenWithKeys();
    QTest::keyClicks(Box(), "nobody by this name");
    EXPECT_TRUE(Rows().isEmpty());
    QTest::keyClick(Box(), Qt::Key_Return);
    EXPECT_EQ(editor->SelectedSim(), before);
}

TEST_F(SimFinderTest, AHouseholdsNameFindsItsMembers) {
    ASSERT_TRUE(Start());
    Character* housed = ChooseAHousedSimOnTheHouseholdsPage();
    ASSERT_NE(housed, nullptr);
    const Household* home =
        editor->State().FindHousehold(static_cast<std::uint16_t>(housed->FamilyNumber));
    ASSERT_NE(home, nullptr);
    const QString label = QString::fromStdU16String(editor->State().HouseholdLabel(*home));
    child<QPushButton>("btnFindSim")->click();
    ASSERT_TRUE(Finder()->isVisible());
    QTest::keyClicks(Box(), label.toLower());
    if (const QString shots = qEnvironmentVariable("KINLOOM_SHOTS"); !shots.isEmpty())
        Finder()->grab().save(shots + "/sim-finder.png");
    int members = 0;
    for (const Character* sim : editor->State().Sims)
        if (sim->FamilyNumber == housed->FamilyNumber) ++members;
    EXPECT_GE(Rows().size(), members);
    for (const QString& row : Rows())
        EXPECT_TRUE(row.contains(label, Qt::CaseInsensitive)) << row.toStdString();
}

}  // namespace
}  // namespace kinloom::gui
