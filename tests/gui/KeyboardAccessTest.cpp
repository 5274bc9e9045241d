// Every control can be found without a mouse: inputs carry the names of their captions (what a
// screen reader announces), and every push button on screen has its own Alt key.

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QTest>

#include <map>

#include "WindowFixture.h"
#include "gui/shell/KeyboardAccess.h"

namespace kinloom::gui {
namespace {

// The name an assistive tool reads: the widget's accessible name, or what its interface reports
// (for a combo box on Linux that is its current text; the caption reaches the reader through the
// label relation then, which the buddy provides).
QString AccessibleName(QWidget* widget) {
    if (!widget->accessibleName().isEmpty()) return widget->accessibleName();
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

TEST(KeyboardAccessTest, CaptionsNameTheInputBesideOrBelowThem) {
    QWidget page;
    auto* grid = new QGridLayout(&page);
    auto* first = new QLabel("&First Name:");
    auto* firstBox = new QLineEdit;
    auto* above = new QLabel("Biography");
    auto* belowBox = new QLineEdit;
    auto* heading = new QLabel("Notes");  // a caption with nothing to name
    auto* button = new QPushButton("Go");
    grid->addWidget(first, 0, 0);
    grid->addWidget(firstBox, 0, 1);
    grid->addWidget(above, 1, 0);
    grid->addWidget(belowBox, 2, 0);
    grid->addWidget(heading, 3, 0);
    grid->addWidget(button, 3, 1);
    auto* row = new QHBoxLayout;
    auto* cooking = new QLabel("Cooking:");
    auto* slider = new QSlider(Qt::Horizontal);
    auto* plain = new QCheckBox;
    auto* named = new QLineEdit;
    named->setAccessibleName("Kept");
    auto* ownCaption = new QLabel("Own:");
    row->addWidget(cooking);
    row->addStretch(1);
    row->addWidget(slider);
    row->addWidget(new QLabel("Young Adult"));
    row->addWidget(plain);
    row->addWidget(ownCaption);
    row->addWidget(named);
    grid->addLayout(row, 4, 0, 1, 2);

    NameInputsFromCaptions(&page);
    EXPECT_EQ(first->buddy(), firstBox);
    EXPECT_EQ(AccessibleName(firstBox), "First Name");
    EXPECT_EQ(above->buddy(), belowBox);
    EXPECT_EQ(AccessibleName(belowBox), "Biography");
    EXPECT_EQ(heading->buddy(), nullptr);
    EXPECT_EQ(AccessibleName(slider), "Cooking");
    EXPECT_EQ(AccessibleName(plain), "Young Adult");
    EXPECT_EQ(AccessibleName(named), "Kept");  // a name given by hand stays,
    EXPECT_EQ(ownCaption->buddy(), nullptr);   // nor is the caption beside it its label

    // Ticks with their captions right of them, two pairs to a row.
    QWidget ticks;
    auto* tickGrid = new QGridLayout(&ticks);
    QCheckBox* boxes[4];
    for (int i = 0; i < 4; ++i) {
        boxes[i] = new QCheckBox;
        tickGrid->addWidget(boxes[i], i / 2, (i % 2) * 2);
        tickGrid->addWidget(new QLabel(QString("Group %1").arg(i)), i / 2, (i % 2) * 2 + 1);
    }
    NameInputsFromCaptions(&ticks);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(AccessibleName(boxes[i]), QString("Group %1").arg(i)) << i;
}

TEST(KeyboardAccessTest, MnemonicsAreDistinctAndPreferWordStarts) {
    struct Case {
        QStringList texts;
        QString taken;
        QStringList expected;
    };
    const Case cases[] = {
        {{"Max All", "Random"}, "", {"&Max All", "&Random"}},
        {{"Max All", "Max Both"}, "", {"&Max All", "Max &Both"}},
        {{"Save", "Sort"}, "", {"&Save", "S&ort"}},
        {{"Random"}, "r", {"R&andom"}},
        {{"E&xport", "Export"}, "", {"E&xport", "&Export"}},  // an own letter is kept
        {{"Ab"}, "ab", {"Ab"}},                               // no letter left
        {{"Family Tree"}, "f", {"Family &Tree"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.texts.join(",").toStdString());
        QList<QAbstractButton*> buttons;
        std::vector<std::unique_ptr<QPushButton>> owned;
        for (const QString& text : c.texts) {
            owned.push_back(std::make_unique<QPushButton>(text));
            buttons.push_back(owned.back().get());
        }
        QSet<QChar> taken;
        for (QChar letter : c.taken) taken.insert(letter);
        AssignMnemonics(buttons, taken);
        for (int i = 0; i < buttons.size(); ++i)
            EXPECT_EQ(buttons[i]->text().toStdString(), c.expected[i].toStdString());
    }
    EXPECT_EQ(CaptionName("&Days Left in current Life Stage: "), "Days Left in current Life Stage");
    EXPECT_EQ(CaptionName("Fish && Chips:"), "Fish & Chips");
    EXPECT_EQ(CaptionName("Recessive Skin Tone: ?"), "Recessive Skin Tone");  // a value after
    EXPECT_EQ(CaptionName("Time: Day"), "Time: Day");
    EXPECT_EQ(MnemonicOf("Fish && &Chips"), QChar('c'));
    EXPECT_TRUE(MnemonicOf("Fish && Chips").isNull());
}

class KeyboardAccessWindowTest : public test_window::WindowTest {};

// Every page the navigation column opens.
const char* const kPageButtons[] = {
    "btnNeighborhood", "btnHouseHolds", "btnJobs",     "btnSkills",        "btnPersonality",
    "btnInterests",    "btnCharacters", "btnCloning",  "btnRelationships", "btnAspiration",
    "btnFamilyTies",   "btnAbout",      "btnGenetics", "btnHobbies",       "btnCheck"};

// On every page, with a sim chosen: each input on screen has a name, and the push buttons on
// screen have distinct keys.
TEST_F(KeyboardAccessWindowTest, EveryPageNamesItsInputsAndKeysItsButtons) {
    ASSERT_TRUE(Start());
    for (const char* button : kPageButtons) {
        SCOPED_TRACE(button);
        window->OpenPage(button);
        QStringList unnamed;
        std::map<QString, QString> keys;
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            if (!widget->isVisible()) continue;
            if (IsInput(widget) && AccessibleName(widget).isEmpty())
                unnamed << widget->objectName() + " (" + widget->metaObject()->className() + ")";
            auto* push = qobject_cast<QPushButton*>(widget);
            if (!push) continue;
            const QChar letter = MnemonicOf(push->text());
            const QString key =
                letter.isNull() ? push->shortcut().toString() : "Alt+" + QString(letter).toUpper();
            if (key.isEmpty()) {
                ADD_FAILURE() << "no key: " << push->objectName().toStdString() << " "
                              << push->text().toStdString();
                continue;
            }
            auto [at, fresh] = keys.emplace(key, push->objectName());
            EXPECT_TRUE(fresh) << key.toStdString() << " on " << at->second.toStdString() << " and "
                               << push->objectName().toStdString();
        }
        EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(", ").toStdString();
    }
}

TEST_F(KeyboardAccessWindowTest, ScreenReadersHearTheCaptions) {
    ASSERT_TRUE(Start());
    const struct {
        const char* button;
        const char* control;
        const char* name;
    } cases[] = {
        {"btnCharacters", "edtFirstName", "First Name"},
        {"btnCharacters", "edtAgeDaysLeft", "Days Left in current Life Stage"},
        {"btnSkills", "trkCooking", "Cooking"},
        {"btnNeighborhood", "cbNeighborhood", "Neighborhoods"},
        {"btnNeighborhood", "cbUserName", "Characters"},
        {"btnHouseHolds", "cbHouseMembers", "Members"},
        {"btnHouseHolds", "edtHouseholdName", "Household Name"},
        {"btnFamilyTies", "cbChildren", "Children"},
        {"btnGenetics", "cbRecSkinTone", "Recessive Skin Tone"},
        {"btnRelationships", "trkLongTerm", "Long Term"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control);
        window->OpenPage(c.button);
        QWidget* control = child<QWidget>(c.control);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(AccessibleName(control).toStdString(), c.name);
    }
}

// The keys do what a click does: Alt and the underlined letter, or the Ctrl+Shift key of a button
// the letters did not reach.
TEST_F(KeyboardAccessWindowTest, AButtonsKeyPressesIt) {
    ASSERT_TRUE(Start());
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    for (const char* name : {"btnMaxSkills", "btnOrgMaxPersonality"}) {
        SCOPED_TRACE(name);
        window->OpenPage(QString(name).contains("Skills") ? "btnSkills" : "btnPersonality");
        auto* button = child<QPushButton>(name);
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(button->isVisible() && button->isEnabled());
        int clicks = 0;
        QObject::connect(button, &QPushButton::clicked, [&clicks] { ++clicks; });
        const QChar letter = MnemonicOf(button->text());
        if (!letter.isNull())
            QTest::keyClick(window.get(), static_cast<Qt::Key>(letter.toUpper().unicode()),
                            Qt::AltModifier);
        else
            QTest::keySequence(window.get(), button->shortcut());
        // A key presses the button as a click would, shown down for a moment first.
        for (int wait = 0; wait < 100 && clicks == 0; ++wait) QTest::qWait(10);
        EXPECT_EQ(clicks, 1);
    }
}

// Tab walks each page as it is read: along a row to the right, then down; a step up is only ever
// into a column further right. A step that goes back left without going down is out of order.
TEST_F(KeyboardAccessWindowTest, TabWalksEveryPageInReadingOrder) {
    ASSERT_TRUE(Start());
    window->show();
    constexpr int kSlack = 4;  // controls of one row are not always aligned to the pixel
    for (const char* button : kPageButtons) {
        SCOPED_TRACE(button);
        window->OpenPage(button);
        QWidget* shown = nullptr;
        for (QWidget* candidate : window->findChildren<QWidget*>(QRegularExpression("^pnl")))
            if (candidate->isVisible() && candidate->parentWidget() &&
                candidate->parentWidget()->objectName() == "pnlPages")
                shown = candidate;
        ASSERT_NE(shown, nullptr);
        // The page's controls in the order Tab reaches them.
        QList<QWidget*> order;
        for (QWidget* w = shown->nextInFocusChain(); w != shown; w = w->nextInFocusChain()) {
            if (!shown->isAncestorOf(w) || !w->isVisible() || !w->isEnabled() ||
                !(w->focusPolicy() & Qt::TabFocus) || w->focusProxy())
                continue;
            if (order.contains(w)) break;
            order.push_back(w);
        }
        for (int i = 1; i < order.size(); ++i) {
            const QRect a(order[i - 1]->mapTo(shown, QPoint(0, 0)), order[i - 1]->size());
            const QRect b(order[i]->mapTo(shown, QPoint(0, 0)), order[i]->size());
            const bool back = b.left() < a.left() - kSlack && b.top() < a.bottom() - kSlack;
            EXPECT_FALSE(back) << order[i - 1]->objectName().toStdString() << " then "
                               << order[i]->objectName().toStdString();
        }
    }
}

}  // namespace
}  // namespace kinloom::gui
