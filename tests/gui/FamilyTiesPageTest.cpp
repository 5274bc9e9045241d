// The Family Tree page: what it shows for a sim's ties, how it leads to relatives, and how its
// menus and the family-tie dialog change a sim's parents; alone on a small neighborhood in memory
// and in the editor window on the demo neighborhoods (switching sims, Save and reloading).

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>

#include "FakeMessages.h"
#include "FakePageHost.h"
#include "core/editing/DescriptionIndex.h"
#include "core/editing/FamilyTree.h"
#include "core/editing/LoadedNeighborhood.h"
#include "gui/editors/FamilyTiesPage.h"
#include "gui/editors/ParentChoiceDialog.h"

#include "SimPageFixtures.h"

namespace kinloom::gui {
namespace {

using namespace tiekinds;
using test_pages::SimPagesWindowTest;

constexpr Pixel kRed = Pixel::Rgb(200, 30, 30);

bool AllGrey(const QImage& image) {
    if (image.isNull()) return false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() != c.green() || c.green() != c.blue()) return false;
        }
    return true;
}

QImage Shown(const QLabel* label) {
    return label->pixmap().toImage();
}

bool PanelIsBlue(QWidget* panel) {
    return panel->grab().toImage().pixelColor(1, 1) == QColor(0, 0, 255);
}

void DoubleClick(QWidget* widget) {
    QMouseEvent event(QEvent::MouseButtonDblClick, QPointF(5, 5),
                      widget->mapToGlobal(QPointF(5, 5)), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Answers the family-tie dialog once it is shown; a dialog the answer leaves open is cancelled
// so that a failing test cannot hang.
void AnswerDialog(std::function<void(ParentChoiceDialog&)> answer) {
    QTimer::singleShot(0, [answer = std::move(answer)] {
        ParentChoiceDialog* dialog = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<ParentChoiceDialog*>(w); d && d->isVisible()) dialog = d;
        ASSERT_NE(dialog, nullptr) << "no family-tie dialog";
        answer(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
}

// Chooses the sim with this instance in the dialog's list and presses OK.
void ChooseInDialog(ParentChoiceDialog& dialog, std::uint32_t instance) {
    auto* list = dialog.findChild<SimPictureList*>("cbParents");
    ASSERT_NE(list, nullptr);
    for (int i = 0; i < list->count(); ++i)
        if (list->SimAt(i)->DescriptionInstance == instance) list->setCurrentIndex(i);
    ASSERT_EQ(list->SimAt(list->currentIndex())->DescriptionInstance, instance);
    dialog.findChild<QPushButton*>("btnOkay")->click();
}

std::vector<std::uint32_t> Listed(const SimPictureList* list) {
    std::vector<std::uint32_t> out;
    for (int i = 0; i < list->count(); ++i) out.push_back(list->SimAt(i)->DescriptionInstance);
    return out;
}

// The page alone on a neighborhood of sims made in memory, listed in the order added. Selecting
// a relative makes it the current sim and fills the page again, as the window does.
class TreeHarness : public FakePageHost {
public:
    LoadedNeighborhood hood;
    std::vector<std::uint32_t> selected;  // every sim the page selected, in order
    FamilyTiesPage page{*this};

    LoadedNeighborhood* Neighborhood() override { return &hood; }
    void SelectSim(Character& sim) override {
        selected.push_back(sim.DescriptionInstance);
        Open(sim);
    }

    Character& Add(std::uint32_t instance, const char* first, std::int16_t household = 1) {
        auto sim = std::make_unique<Character>();
        sim->DescriptionInstance = instance;
        sim->FirstName = first;
        sim->LastName = "Oak";
        sim->FamilyNumber = household;
        sim->Thumbnail = Bitmap(16, 16, kRed);
        hood.Sims.push_back(sim.get());
        hood.Characters.push_back(std::move(sim));
        return *hood.Characters.back();
    }
    Character& Sim(std::uint32_t instance) {
        return *hood.Sims[static_cast<std::size_t>(SimPositionByInstance(hood, instance))];
    }
    int At(std::uint32_t instance) const { return SimPositionByInstance(hood, instance); }

    void Open(Character& sim) {
        current = &sim;
        page.Open([this] { page.setEnabled(true); });
    }
    template <typename T>
    T* child(const QString& name) {
        T* c = page.findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name.toStdString();
        return c;
    }
    void Trigger(const char* action) {
        QAction* a = page.findChild<QAction*>(action);
        ASSERT_NE(a, nullptr) << action;
        a->trigger();
    }
};

// S = 10 with parents P = 20 and Q = 30 (Q outside every household), spouse X = 50, children
// "dora" 61 and "ben" 62, sibling C = 41 (Q's child), a tie of an unknown kind and one to a sim
// that is not listed. R = 80 has a child of its own, K = 81.
void TwoParentFamily(TreeHarness& h) {
    h.Add(10, "S");
    h.Add(20, "P");
    h.Add(30, "Q", 0);
    h.Add(41, "C");
    h.Add(50, "X");
    h.Add(61, "dora");
    h.Add(62, "ben", 0);
    h.Add(80, "R");
    h.Add(81, "K");
    h.hood.FamilyTies = {
        {10, FirstParent, 20},
        {10, SecondParent, 30},
        {10, Spouse, 50},
        {10, Sibling, 41},
        {10, Child, 61},
        {10, Child, 62},
        {10, 7, 20},
        {10, Sibling, 999},
        {20, Child, 10},
        {30, Child, 10},
        {30, Child, 41},
        {41, Sibling, 10},
        {41, SecondParent, 30},
        {50, Spouse, 10},
        {61, FirstParent, 10},
        {62, FirstParent, 10},
        {80, Child, 81},
        {81, FirstParent, 80},
    };
}

TEST(FamilyTiesPageTest, ShowsTheSimsRelativesWithoutWriting) {
    TreeHarness h;
    TwoParentFamily(h);
    const std::vector<FamilyTie> before = h.hood.FamilyTies;
    h.Open(h.Sim(10));

    struct {
        const char* panel;
        const char* image;
        std::uint32_t instance;
        bool grey;
    } shown[] = {
        {"pnlPrimaryParent", "imgPrimaryParent", 20, false},
        {"pnlSecondParent", "imgSecondParent", 30, true},
        {"pnlSpouse", "imgSpouse", 50, false},
    };
    for (const auto& c : shown) {
        SCOPED_TRACE(c.image);
        auto* image = h.child<QLabel>(c.image);
        EXPECT_TRUE(image->isEnabled());
        EXPECT_EQ(image->toolTip().toStdU16String(), SimName(h.Sim(c.instance)));
        EXPECT_EQ(AllGrey(Shown(image)), c.grey);
        EXPECT_TRUE(PanelIsBlue(h.child<QWidget>(c.panel)));
    }
    EXPECT_EQ(h.page.FirstParentPosition(), h.At(20));
    EXPECT_EQ(h.page.SecondParentPosition(), h.At(30));
    EXPECT_EQ(h.page.SpousePosition(), h.At(50));
    // A parent is shown: its panel offers no "Add Parent".
    EXPECT_FALSE(h.child<QMenu>("popAddParent1")->isEnabled());
    EXPECT_FALSE(PanelIsBlue(h.child<QWidget>("pnlSelf")));

    // Lists are sorted by their text, whatever the order of the ties; the first entry shows.
    auto* children = h.child<SimPictureList>("cbChildren");
    EXPECT_EQ(Listed(children), (std::vector<std::uint32_t>{62, 61}));
    EXPECT_EQ(children->itemText(0), "ben Oak");
    EXPECT_EQ(children->currentIndex(), 0);
    EXPECT_TRUE(AllGrey(children->PictureAt(0)));
    EXPECT_FALSE(AllGrey(children->PictureAt(1)));
    EXPECT_EQ(Listed(h.child<SimPictureList>("cbSiblings")), std::vector<std::uint32_t>{41});

    // One memo line per tie shown; a kind the page does not know is named by its number.
    auto* memo = h.child<QPlainTextEdit>("memFamilyTies");
    EXPECT_TRUE(memo->isHidden());
    EXPECT_EQ(memo->document()->blockCount(), 7);
    EXPECT_TRUE(memo->toPlainText().contains("P Oak - (7) 10:7:20"));

    EXPECT_EQ(h.saveOffered, 0);
    EXPECT_EQ(h.hood.FamilyTies, before);
    EXPECT_TRUE(h.selected.empty());
}

TEST(FamilyTiesPageTest, ASimWithoutTiesShowsNobody) {
    TreeHarness h;
    TwoParentFamily(h);
    Character& loner = h.Add(90, "Loner", 0);
    h.Open(h.Sim(10));  // everything shown first: nothing of it may stay
    h.Open(loner);

    struct {
        const char* panel;
        const char* image;
        const char* hint;
    } empty[] = {
        {"pnlPrimaryParent", "imgPrimaryParent", "Primary Parent"},
        {"pnlSecondParent", "imgSecondParent", "Secondary Parent"},
        {"pnlSpouse", "imgSpouse", "Spouse"},
    };
    for (const auto& c : empty) {
        SCOPED_TRACE(c.image);
        auto* image = h.child<QLabel>(c.image);
        EXPECT_FALSE(image->isEnabled());
        EXPECT_TRUE(image->pixmap().isNull());
        EXPECT_EQ(image->toolTip(), c.hint);
        EXPECT_FALSE(PanelIsBlue(h.child<QWidget>(c.panel)));
    }
    EXPECT_EQ(h.page.FirstParentPosition(), -1);
    EXPECT_EQ(h.page.SecondParentPosition(), -1);
    EXPECT_TRUE(h.child<QMenu>("popAddParent1")->isEnabled());
    EXPECT_TRUE(h.child<QMenu>("popAddParent2")->isEnabled());
    EXPECT_EQ(h.child<QComboBox>("cbChildren")->count(), 0);
    EXPECT_EQ(h.child<QComboBox>("cbSiblings")->count(), 0);
    EXPECT_TRUE(h.child<QPlainTextEdit>("memFamilyTies")->toPlainText().isEmpty());
    // The sim itself, outside every household, is grey too.
    EXPECT_TRUE(AllGrey(Shown(h.child<QLabel>("imgSelf"))));
    EXPECT_EQ(h.child<QLabel>("imgSelf")->toolTip(), "Loner Oak");

    // An empty picture leads nowhere, however the double click reaches it.
    DoubleClick(h.child<QLabel>("imgPrimaryParent"));
    h.Trigger("mnuSelectParent1");
    h.Trigger("mnuSelectSpouse");
    EXPECT_TRUE(h.selected.empty());
    EXPECT_EQ(h.current, &loner);
}

TEST(FamilyTiesPageTest, RightClickOffersAddWhileNoParentIsShownElseTheParentsMenu) {
    TreeHarness h;
    TwoParentFamily(h);
    Character& loner = h.Add(90, "Loner");
    for (const bool shown : {true, false}) {
        SCOPED_TRACE(shown ? "parent shown" : "no parent");
        h.Open(shown ? h.Sim(10) : loner);
        auto* image = h.child<QLabel>("imgPrimaryParent");
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                                image->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(image, &click);
        auto* parentMenu = h.child<QMenu>("popFirstParent");
        auto* addMenu = h.child<QMenu>("popAddParent1");
        EXPECT_EQ(parentMenu->isVisible(), shown);
        EXPECT_EQ(addMenu->isVisible(), !shown);
        parentMenu->close();
        addMenu->close();
    }
}

TEST(FamilyTiesPageTest, PicturesAndListsLeadToTheRelative) {
    TreeHarness h;
    TwoParentFamily(h);
    const struct {
        const char* name;
        std::function<void(TreeHarness&)> act;
        std::uint32_t reached;
    } cases[] = {
        {"double click on the first parent",
         [](TreeHarness& t) { DoubleClick(t.child<QLabel>("imgPrimaryParent")); }, 20},
        {"double click on the second parent",
         [](TreeHarness& t) { DoubleClick(t.child<QLabel>("imgSecondParent")); }, 30},
        {"double click on the spouse",
         [](TreeHarness& t) { DoubleClick(t.child<QLabel>("imgSpouse")); }, 50},
        {"Select Parent", [](TreeHarness& t) { t.Trigger("mnuSelectParent2"); }, 30},
        {"Select Spouse", [](TreeHarness& t) { t.Trigger("mnuSelectSpouse"); }, 50},
        {"a child chosen",
         [](TreeHarness& t) { emit t.child<QComboBox>("cbChildren")->activated(1); }, 61},
        {"the first child chosen again",
         [](TreeHarness& t) { emit t.child<QComboBox>("cbChildren")->activated(0); }, 62},
        {"a sibling chosen",
         [](TreeHarness& t) { emit t.child<QComboBox>("cbSiblings")->activated(0); }, 41},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        h.selected.clear();
        h.Open(h.Sim(10));
        c.act(h);
        EXPECT_EQ(h.selected, std::vector<std::uint32_t>{c.reached});
        EXPECT_EQ(h.current->DescriptionInstance, c.reached);
    }
    EXPECT_EQ(h.saveOffered, 0);
}

TEST(FamilyTiesPageTest, ChangingAParentThroughTheDialogRebuildsTheTies) {
    TreeHarness h;
    TwoParentFamily(h);
    h.Open(h.Sim(10));
    std::vector<std::uint32_t> offered;
    AnswerDialog([&](ParentChoiceDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Choose New Parent");
        auto* list = dialog.findChild<SimPictureList*>("cbParents");
        offered = Listed(list);
        // The parent shown now is preselected.
        EXPECT_EQ(list->SimAt(list->currentIndex())->DescriptionInstance, 30u);
        ChooseInDialog(dialog, 80);
    });
    h.Trigger("mnuChangeParent2");

    // Neither the sim itself nor its other parent is offered.
    EXPECT_EQ(offered, (std::vector<std::uint32_t>{30, 41, 50, 61, 62, 80, 81}));
    EXPECT_EQ(h.saveOffered, 1);
    EXPECT_TRUE(h.hood.FamilyTiesModified);
    EXPECT_FALSE(h.Sim(10).Modified);
    // The page was filled again for the same sim, from the new ties.
    EXPECT_EQ(h.selected, std::vector<std::uint32_t>{10});
    EXPECT_EQ(h.page.SecondParentPosition(), h.At(80));
    EXPECT_EQ(h.child<QLabel>("imgSecondParent")->toolTip(), "R Oak");
    EXPECT_EQ(Listed(h.child<SimPictureList>("cbSiblings")), std::vector<std::uint32_t>{81});
    EXPECT_EQ(Listed(h.child<SimPictureList>("cbChildren")), (std::vector<std::uint32_t>{62, 61}));
    const FamilyView old = FamilyOf(h.hood, h.Sim(30));
    EXPECT_TRUE(old.Children.size() == 1 && old.Children[0].Sim->DescriptionInstance == 41);
}

TEST(FamilyTiesPageTest, RemovingAParentKeepsTheOtherParentsChildrenAsSiblings) {
    TreeHarness h;
    TwoParentFamily(h);
    h.Open(h.Sim(10));
    h.Trigger("mnuRemoveParent1");

    EXPECT_EQ(h.saveOffered, 1);
    EXPECT_TRUE(h.hood.FamilyTiesModified);
    EXPECT_EQ(h.page.FirstParentPosition(), -1);
    EXPECT_EQ(h.page.SecondParentPosition(), h.At(30));
    EXPECT_FALSE(h.child<QLabel>("imgPrimaryParent")->isEnabled());
    EXPECT_TRUE(h.child<QMenu>("popAddParent1")->isEnabled());
    EXPECT_EQ(Listed(h.child<SimPictureList>("cbSiblings")), std::vector<std::uint32_t>{41});
    EXPECT_TRUE(FamilyOf(h.hood, h.Sim(20)).Children.empty());
}

TEST(FamilyTiesPageTest, TheDialogChangesNothingUnlessASimIsChosenAndConfirmed) {
    const struct {
        const char* name;
        const char* action;  // both open the dialog
        bool chooseThenCancel;
    } cases[] = {
        {"Add Parent, OK with nothing chosen, then Cancel", "mnuAddParent1", false},
        {"Change Parent, a sim chosen, then Cancel", "mnuChangeParent2", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TreeHarness h;
        TwoParentFamily(h);
        // Without a first parent the dialog opened by "Add Parent" preselects nobody.
        h.hood.FamilyTies.erase(h.hood.FamilyTies.begin());
        const std::vector<FamilyTie> before = h.hood.FamilyTies;
        h.Open(h.Sim(10));
        bool stayedOpen = false;
        AnswerDialog([&](ParentChoiceDialog& dialog) {
            auto* list = dialog.findChild<SimPictureList*>("cbParents");
            if (c.chooseThenCancel) {
                list->setCurrentIndex(list->count() - 1);
            } else {
                EXPECT_EQ(list->currentIndex(), -1);
                dialog.findChild<QPushButton*>("btnOkay")->click();
                stayedOpen = dialog.isVisible();
            }
            dialog.findChild<QPushButton*>("Button2")->click();
        });
        h.Trigger(c.action);

        if (!c.chooseThenCancel) {
            EXPECT_TRUE(stayedOpen);
            EXPECT_EQ(h.messages.shown,
                      std::vector<std::string>{ParentChoiceDialog::kChooseParentFirst});
        }
        EXPECT_EQ(h.hood.FamilyTies, before);
        EXPECT_FALSE(h.hood.AnythingModified());
        EXPECT_EQ(h.saveOffered, 0);
        EXPECT_TRUE(h.selected.empty());
    }
}

// Sims that matched no sim description all carry the "no description" marker, whose low 16 bits
// read 65535, but they have no tie number: ties naming 65535 belong to neither, their parents
// cannot be added, and they are never offered as anybody's parent.
TEST(FamilyTiesPageTest, SimsWithoutADescriptionHaveNoFamilyAndCannotBecomeParents) {
    TreeHarness h;
    Character& ada = h.Add(1, "Ada");
    h.Add(2, "Bram");
    h.Add(3, "Cleo");
    Character& nobody = h.Add(kNoDescription, "Nobody");
    Character& noone = h.Add(kNoDescription, "Noone");
    h.hood.FamilyTies = {{3, FirstParent, 2},
                         {2, Child, 3},
                         {65535, FirstParent, 2},
                         {65535, Sibling, 1},
                         {1, Sibling, 65535}};
    const std::vector<FamilyTie> before = h.hood.FamilyTies;

    for (Character* stray : {&nobody, &noone}) {
        SCOPED_TRACE(stray->FirstName);
        h.Open(h.Sim(3));  // a parent shown first: nothing of it may stay
        h.Open(*stray);
        EXPECT_FALSE(h.child<QLabel>("imgPrimaryParent")->isEnabled());
        EXPECT_EQ(h.page.FirstParentPosition(), -1);
        EXPECT_EQ(h.child<QComboBox>("cbSiblings")->count(), 0);
        EXPECT_TRUE(h.child<QPlainTextEdit>("memFamilyTies")->toPlainText().isEmpty());
        for (const char* menu : {"popAddParent1", "popAddParent2"})
            EXPECT_FALSE(h.child<QMenu>(menu)->isEnabled()) << menu;
        for (const char* panel : {"pnlPrimaryParent", "pnlSecondParent"})
            EXPECT_EQ(h.child<QWidget>(panel)->toolTip(), kNoFamilyTiesForSim) << panel;

        // "Add Parent" reached anyway says why and opens no dialog.
        h.messages.shown.clear();
        auto dialogShown = std::make_shared<bool>(false);
        QTimer::singleShot(0, [dialogShown] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<ParentChoiceDialog*>(w); d && d->isVisible()) {
                    *dialogShown = true;
                    d->reject();
                }
        });
        h.Trigger("mnuAddParent1");
        QApplication::processEvents();
        EXPECT_FALSE(*dialogShown);
        EXPECT_EQ(h.messages.shown, std::vector<std::string>{kNoFamilyTiesForSim});
        EXPECT_EQ(h.hood.FamilyTies, before);
    }

    // An ordinary sim's tree shows no tie to 65535, and its tooltips are its own again.
    h.Open(ada);
    EXPECT_EQ(h.child<QComboBox>("cbSiblings")->count(), 0);
    EXPECT_TRUE(h.child<QMenu>("popAddParent1")->isEnabled());
    EXPECT_TRUE(h.child<QWidget>("pnlPrimaryParent")->toolTip().isEmpty());
    std::vector<std::uint32_t> offered;
    AnswerDialog([&](ParentChoiceDialog& dialog) {
        offered = Listed(dialog.findChild<SimPictureList*>("cbParents"));
        ChooseInDialog(dialog, 2);
    });
    h.Trigger("mnuAddParent1");
    EXPECT_EQ(offered, (std::vector<std::uint32_t>{2, 3}));
    EXPECT_EQ(h.page.FirstParentPosition(), h.At(2));
    for (const FamilyTie& tie : h.hood.FamilyTies) {
        if (tie.Owner != 65535 && tie.Relative != 65535) continue;
        EXPECT_NE(std::find(before.begin(), before.end(), tie), before.end())
            << "a new tie names 65535: " << tie.Owner << ":" << tie.Kind << ":" << tie.Relative;
    }
}

// ---------------------------------------------------------------------------------------------
// In the editor window on the demo neighborhood.

class FamilyTiesWindowTest : public SimPagesWindowTest {
protected:
    int PositionOf(std::uint32_t instance) {
        return SimPositionByInstance(editor->State(), instance);
    }
    std::uint32_t Selected() { return editor->SelectedSim()->DescriptionInstance; }
    void OpenTreeOf(std::uint32_t instance) {
        ChooseSim(PositionOf(instance));
        child<QPushButton>("btnFamilyTies")->click();
        ASSERT_TRUE(window->Page("pnlFamilyTies")->isVisible());
        ASSERT_EQ(Selected(), instance);
    }
    void Trigger(const char* name) {
        QAction* action = window->findChild<QAction*>(name);
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    }
};

// The demo's Quennells (6 and 7) are the parents of Mira (9), who with Elias (10) has Juniper
// (11) and Sol (12); Cassius (15) lives in no household and is the father of Theo (13) and
// Wren (14).
TEST_F(FamilyTiesWindowTest, RelativesAreReachedThroughThreeGenerations) {
    ASSERT_TRUE(Start());
    OpenTreeOf(11);
    auto* combo = child<QComboBox>("cbUserName");
    auto* siblings = child<SimPictureList>("cbSiblings");
    EXPECT_EQ(Listed(siblings), std::vector<std::uint32_t>{12});

    DoubleClick(child<QLabel>("imgPrimaryParent"));  // up to the mother
    EXPECT_EQ(Selected(), 9u);
    EXPECT_EQ(combo->currentIndex(), PositionOf(9));
    EXPECT_TRUE(window->Page("pnlFamilyTies")->isVisible());
    DoubleClick(child<QLabel>("imgSpouse"));
    EXPECT_EQ(Selected(), 10u);
    emit child<QComboBox>("cbChildren")->activated(0);  // Juniper before Sol
    EXPECT_EQ(Selected(), 11u);
    emit siblings->activated(0);
    EXPECT_EQ(Selected(), 12u);
    DoubleClick(child<QLabel>("imgPrimaryParent"));
    DoubleClick(child<QLabel>("imgSecondParent"));  // the grandfather
    EXPECT_EQ(Selected(), 7u);
    auto* children = child<SimPictureList>("cbChildren");
    EXPECT_EQ(Listed(children), std::vector<std::uint32_t>{9});
    emit children->activated(0);
    EXPECT_EQ(Selected(), 9u);

    // A father outside every household is drawn grey; his children are not.
    OpenTreeOf(13);
    EXPECT_TRUE(AllGrey(Shown(child<QLabel>("imgSecondParent"))));
    EXPECT_FALSE(AllGrey(Shown(child<QLabel>("imgSelf"))));
    OpenTreeOf(15);
    EXPECT_TRUE(AllGrey(Shown(child<QLabel>("imgSelf"))));
    for (int i = 0; i < 2; ++i)
        EXPECT_FALSE(AllGrey(child<SimPictureList>("cbChildren")->PictureAt(i)));

    // Walking the tree is no edit.
    for (int i = 0; i < combo->count(); ++i) ChooseSim(i);
    EXPECT_FALSE(child<QPushButton>("btnSave")->isEnabled());
    EXPECT_FALSE(editor->State().AnythingModified());
}

// A parent change is one step: undone, every tie is as loaded and the tree shows the old father;
// redone, the new one again.
TEST_F(FamilyTiesWindowTest, AParentChangeIsUndoneAndRedone) {
    ASSERT_TRUE(Start());
    OpenTreeOf(13);
    const std::vector<FamilyTie> loaded = editor->State().FamilyTies;
    const QString father = child<QLabel>("imgSecondParent")->toolTip();
    AnswerDialog([](ParentChoiceDialog& dialog) { ChooseInDialog(dialog, 6); });
    Trigger("mnuChangeParent2");
    const std::vector<FamilyTie> changed = editor->State().FamilyTies;
    ASSERT_NE(changed, loaded);
    test_window::PressKeys(*window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor->State().FamilyTies, loaded);
    EXPECT_FALSE(editor->State().AnythingModified());
    EXPECT_EQ(Selected(), 13u);
    EXPECT_EQ(child<QLabel>("imgSecondParent")->toolTip(), father);
    EXPECT_EQ(Listed(child<SimPictureList>("cbSiblings")), std::vector<std::uint32_t>{14});
    test_window::PressKeys(*window, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(editor->State().FamilyTies, changed);
    EXPECT_EQ(Listed(child<SimPictureList>("cbSiblings")), std::vector<std::uint32_t>{9});
}

TEST_F(FamilyTiesWindowTest, ANewParentIsSavedAndTheSiblingsRebuilt) {
    ASSERT_TRUE(Start());
    OpenTreeOf(13);
    ASSERT_EQ(Listed(child<SimPictureList>("cbSiblings")), std::vector<std::uint32_t>{14});
    AnswerDialog([](ParentChoiceDialog& dialog) { ChooseInDialog(dialog, 6); });
    Trigger("mnuChangeParent2");

    EXPECT_TRUE(child<QPushButton>("btnSave")->isEnabled());
    EXPECT_EQ(Selected(), 13u);
    const std::u16string six =
        SimName(*editor->State().Sims[static_cast<std::size_t>(PositionOf(6))]);
    EXPECT_EQ(child<QLabel>("imgSecondParent")->toolTip().toStdU16String(), six);
    SaveAndReload();

    OpenTreeOf(13);
    EXPECT_EQ(child<QLabel>("imgSecondParent")->toolTip().toStdU16String(), six);
    EXPECT_FALSE(child<QLabel>("imgPrimaryParent")->isEnabled());
    EXPECT_EQ(Listed(child<SimPictureList>("cbSiblings")), std::vector<std::uint32_t>{9});
    // Cassius keeps only Wren, who has lost her brother; Mira has gained one.
    OpenTreeOf(15);
    EXPECT_EQ(Listed(child<SimPictureList>("cbChildren")), std::vector<std::uint32_t>{14});
    OpenTreeOf(14);
    EXPECT_EQ(child<SimPictureList>("cbSiblings")->count(), 0);
    OpenTreeOf(9);
    EXPECT_EQ(Listed(child<SimPictureList>("cbSiblings")), std::vector<std::uint32_t>{13});
    EXPECT_FALSE(child<QPushButton>("btnSave")->isEnabled());
}

}  // namespace
}  // namespace kinloom::gui
