// The Relationships page: alone on a small neighborhood in memory (showing is no edit, the two
// directions, mutual flags, Max Both, a relationship without its reverse, the attraction area),
// and in the editor window on the demo (Save and reload).

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QStandardItemModel>

#include <memory>
#include <string>

#include "FakeMessages.h"
#include "FakePageHost.h"
#include "SimPageFixtures.h"
#include "core/editing/Attraction.h"
#include "core/editing/LoadedNeighborhood.h"
#include "core/editing/RelationshipEdits.h"
#include "gui/editors/RelationshipsPage.h"

namespace kinloom::gui {
namespace {

using test_pages::SimPagesWindowTest;

constexpr std::uint8_t kFriend = 1u << 4;
constexpr std::uint8_t kBestFriend = 1u << 5;
constexpr std::uint8_t kMarried = 1u << 3;
constexpr std::uint8_t kCrush = 1u << 0;
constexpr std::uint8_t kAcquaintance = 1u << 7;  // second byte

RelationshipRecord Rel(std::uint16_t a, std::uint16_t b, int st, int lt, std::uint8_t one,
                       std::uint8_t two = kAcquaintance) {
    RelationshipRecord r;
    r.SimA = a;
    r.SimB = b;
    r.ShortTerm = st;
    r.LongTerm = lt;
    r.RelBitOne = one;
    r.RelBitTwo = two;
    return r;
}

// Anna (1) and Ben (2) know each other both ways; Anna knows Cleo (3), who has no entry about
// her; Dora (4) has no body and knows nobody; Cleo lives in no household.
class Harness : public FakePageHost {
public:
    LoadedNeighborhood state;
    std::unique_ptr<RelationshipsPage> page;

    Harness() {
        loaded = &state;
        advanced = true;
        packs.HasPets = packs.HasFreeTime = packs.HasUniversity = true;
        Add(1, "Anna", "Bell", 1);
        Add(2, "Ben", "Cole", 1);
        Add(3, "Cleo", "Ash", 0);
        Add(4, "Dora", "Dunn", 2).HasBody = false;
        state.Relationships = {Rel(1, 2, 40, 55, kFriend), Rel(2, 1, -10, 20, kCrush),
                               Rel(1, 3, 5, 6, 0), Rel(2, 3, 1, 1, 0)};
        current = state.Sims[0];
        page = std::make_unique<RelationshipsPage>(*this);
    }

    Character& Add(std::uint32_t instance, const char* first, const char* last,
                   std::int16_t family) {
        auto sim = std::make_unique<Character>();
        sim->DescriptionInstance = instance;
        sim->FirstName = first;
        sim->LastName = last;
        sim->FileName = std::string("N001_User0000") + std::to_string(instance) + ".package";
        sim->FamilyNumber = family;
        sim->HasBody = true;
        sim->FormatVersion = 51;
        sim->Thumbnail = Bitmap(64, 64, Pixel::Rgb(200, 40, 40));
        state.Sims.push_back(sim.get());
        state.Characters.push_back(std::move(sim));
        return *state.Characters.back();
    }

    void Open(std::size_t sim = 0) {
        current = state.Sims.at(sim);
        page->Open([this] { page->setEnabled(true); });
    }

    template <typename T>
    T* child(const QString& name) {
        T* c = page->findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name.toStdString();
        return c;
    }
    QString Text(const QString& label) { return child<QLabel>(label)->text(); }
    bool Shown(const QString& name) { return child<QWidget>(name)->isVisibleTo(page.get()); }
    void Choose(const QString& list, int index) {
        auto* cb = child<QComboBox>(list);
        cb->setCurrentIndex(index);
        emit cb->activated(index);
    }
    RelationshipRecord& r() { return state.Relationships[0]; }
    RelationshipRecord& reverse() { return state.Relationships[1]; }
    bool AnyModified() {
        for (const RelationshipRecord& x : state.Relationships)
            if (x.Modified) return true;
        for (const Character* s : state.Sims)
            if (s->Modified) return true;
        return false;
    }
};

TEST(RelationshipsPageTest, ShowingRelationshipsIsNoEdit) {
    Harness h;
    h.state.Relationships[2].ShortTerm = 250;  // beyond the slider: shown at its end, kept
    h.Open();
    auto* list = h.child<QComboBox>("cbRelationShips");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(0), "Ben Cole : N001_User00002");
    EXPECT_EQ(list->itemText(1), "Cleo Ash : N001_User00003");
    EXPECT_EQ(h.Text("lblSimLike"), "How much Anna Bell likes Ben Cole");
    EXPECT_EQ(h.Text("lblSim2Like"), "How much Ben Cole likes Anna Bell");
    EXPECT_EQ(h.child<QSlider>("trkLongTerm")->value(), 55);
    EXPECT_EQ(h.Text("lblShortTerm2"), "Short Term: -10");
    EXPECT_TRUE(h.child<QCheckBox>("ckFriend")->isChecked());
    EXPECT_FALSE(h.child<QCheckBox>("ckCrush")->isChecked());
    EXPECT_TRUE(h.child<QCheckBox>("ckCrush2")->isChecked());
    EXPECT_TRUE(h.child<QCheckBox>("ckAquaintance2")->isChecked());
    EXPECT_TRUE(h.child<QSlider>("trkShortTerm")->isEnabled());  // the guard is open again

    // Every relationship, then another sim and back: the controls move, nothing is written.
    h.Choose("cbRelationShips", 1);
    EXPECT_EQ(h.child<QSlider>("trkShortTerm")->value(), 100);
    h.Choose("cbRelationShips", 0);
    h.Open(1);
    EXPECT_EQ(h.child<QComboBox>("cbRelationShips")->count(), 2);
    h.Open(0);
    EXPECT_FALSE(h.AnyModified());
    EXPECT_EQ(h.state.Relationships[2].ShortTerm, 250);
    EXPECT_EQ(h.saveOffered, 0);
    EXPECT_TRUE(h.messages.shown.empty());
}

TEST(RelationshipsPageTest, SimWithoutRelationshipsShowsNothingToEdit) {
    Harness h;
    h.Open();
    h.Open(3);
    EXPECT_EQ(h.child<QComboBox>("cbRelationShips")->count(), 0);
    EXPECT_FALSE(h.child<QComboBox>("cbRelationShips")->isEnabled());
    for (const char* name :
         {"trkShortTerm", "trkLongTerm2", "ckFriend", "ckMarried2", "btnMaxBothRelationships"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(h.child<QWidget>(name)->isEnabled());
    }
    EXPECT_FALSE(h.Shown("lblSimLike"));
    EXPECT_FALSE(h.Shown("lblSim2Like"));
    h.child<QPushButton>("btnMaxBothRelationships")->click();
    EXPECT_FALSE(h.AnyModified());
}

TEST(RelationshipsPageTest, MutualFlagsAreWrittenBothWays) {
    Harness h;
    h.Open();
    h.child<QCheckBox>("ckMarried")->click();
    EXPECT_EQ(h.r().RelBitOne & kMarried, kMarried);
    EXPECT_EQ(h.reverse().RelBitOne & kMarried, kMarried);
    EXPECT_EQ(h.r().Modified, 1);
    EXPECT_EQ(h.reverse().Modified, 1);
    EXPECT_TRUE(h.child<QCheckBox>("ckMarried2")->isChecked());
    EXPECT_GT(h.saveOffered, 0);

    h.child<QCheckBox>("ckMarried2")->click();
    EXPECT_EQ(h.r().RelBitOne & kMarried, 0);
    EXPECT_EQ(h.reverse().RelBitOne & kMarried, 0);
    EXPECT_FALSE(h.child<QCheckBox>("ckMarried")->isChecked());
    // The other flags of both records are as they were.
    EXPECT_EQ(h.r().RelBitOne, kFriend);
    EXPECT_EQ(h.reverse().RelBitOne, kCrush);
    EXPECT_EQ(h.state.Relationships[2].Modified, 0);

    // Acquaintance is mutual too, and shown without the Advanced switch.
    h.child<QCheckBox>("ckAquaintance2")->click();
    EXPECT_EQ(h.r().RelBitTwo, 0);
    EXPECT_EQ(h.reverse().RelBitTwo, 0);
}

TEST(RelationshipsPageTest, EachDirectionOfItsOwnWritesOneRecord) {
    struct Case {
        const char* what;
        const char* control;
        bool forward;  // the shown record written (else the reverse only)
    };
    const Case cases[] = {
        {"crush in panel two", "ckCrush2", false},
        {"enemy in panel one", "ckEnemy", true},
        {"short term of panel two", "trkShortTerm2", false},
        {"long term of panel one", "trkLongTerm", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Harness h;
        h.Open();
        const RelationshipRecord r = h.r();
        const RelationshipRecord q = h.reverse();
        if (auto* slider = qobject_cast<QSlider*>(h.child<QWidget>(c.control)))
            slider->setValue(-77);
        else
            h.child<QCheckBox>(c.control)->click();
        RelationshipRecord& written = c.forward ? h.r() : h.reverse();
        const RelationshipRecord& before = c.forward ? r : q;
        const RelationshipRecord& untouched = c.forward ? h.reverse() : h.r();
        const RelationshipRecord& untouchedBefore = c.forward ? q : r;
        EXPECT_EQ(written.Modified, 1);
        EXPECT_TRUE(written.ShortTerm != before.ShortTerm || written.LongTerm != before.LongTerm ||
                    written.RelBitOne != before.RelBitOne);
        EXPECT_EQ(untouched.Modified, 0);
        EXPECT_EQ(untouched.ShortTerm, untouchedBefore.ShortTerm);
        EXPECT_EQ(untouched.LongTerm, untouchedBefore.LongTerm);
        EXPECT_EQ(untouched.RelBitOne, untouchedBefore.RelBitOne);
    }
    Harness h;
    h.Open();
    h.child<QSlider>("trkShortTerm2")->setValue(-77);
    EXPECT_EQ(h.reverse().ShortTerm, -77);
    EXPECT_EQ(h.reverse().LongTerm, 20);
    EXPECT_EQ(h.r().ShortTerm, 40);
    EXPECT_EQ(h.Text("lblShortTerm2"), "Short Term: -77");
}

TEST(RelationshipsPageTest, MaxBothRelationships) {
    Harness h;
    h.r() = Rel(1, 2, 100, 100, kFriend | kBestFriend);
    h.reverse() = Rel(2, 1, 100, 130, kFriend | kBestFriend | kMarried);
    h.Open();
    h.child<QPushButton>("btnMaxBothRelationships")->click();
    EXPECT_FALSE(h.AnyModified());
    EXPECT_EQ(h.saveOffered, 0);
    EXPECT_EQ(h.reverse().LongTerm, 130);

    h.reverse().ShortTerm = -40;
    h.reverse().RelBitOne = kMarried;
    h.Open();
    h.child<QPushButton>("btnMaxBothRelationships")->click();
    EXPECT_EQ(h.r().Modified, 0);
    EXPECT_EQ(h.reverse().Modified, 1);
    EXPECT_EQ(h.reverse().ShortTerm, 100);
    EXPECT_EQ(h.reverse().RelBitOne, kFriend | kBestFriend | kMarried);
    EXPECT_EQ(h.child<QSlider>("trkShortTerm2")->value(), 100);
    EXPECT_TRUE(h.child<QCheckBox>("ckBestFriend2")->isChecked());
    EXPECT_GT(h.saveOffered, 0);
}

TEST(RelationshipsPageTest, NoReverseRecordHidesBothPanels) {
    Harness h;
    h.Open();
    ASSERT_TRUE(h.Shown("pnlRelationshipsOne"));
    h.Choose("cbRelationShips", 1);  // Cleo has no entry about Anna
    EXPECT_FALSE(h.Shown("pnlRelationshipsOne"));
    EXPECT_FALSE(h.Shown("pnlRelationshipsTwo"));
    EXPECT_EQ(h.Text("lblSimLike"), "");
    EXPECT_EQ(h.Text("lblRelAttractionTraits"), "");
    h.child<QPushButton>("btnMaxBothRelationships")->click();
    EXPECT_FALSE(h.AnyModified());
    h.Choose("cbRelationShips", 0);
    EXPECT_TRUE(h.Shown("pnlRelationshipsTwo"));
}

// A record whose entry is too short to change safely: every control that would write into it is
// disabled and says why, on both sims' pages; the controls of the other direction still edit it,
// and the read-only record never changes.
TEST(RelationshipsPageTest, ReadOnlyRecordsCannotBeEdited) {
    Harness h;
    h.r().ReadOnly = true;  // how Anna feels about Ben
    const RelationshipRecord stored = h.r();
    const QString direction = kReadOnlyDirectionTip;
    const QString mutual = kReadOnlyMutualTip;
    auto expectLocked = [&h](const char* name, const QString& why) {
        SCOPED_TRACE(name);
        auto* control = h.child<QWidget>(name);
        EXPECT_FALSE(control->isEnabled());
        EXPECT_EQ(control->toolTip(), why);
    };
    auto expectOpen = [&h](const char* name) {
        SCOPED_TRACE(name);
        auto* control = h.child<QWidget>(name);
        EXPECT_TRUE(control->isEnabled());
        EXPECT_EQ(control->toolTip(), "");
    };

    // Anna's page: the shown record is the read-only one.
    h.Open();
    EXPECT_EQ(h.child<QSlider>("trkLongTerm")->value(), 55);  // shown as it is
    for (const char* name : {"trkShortTerm", "trkLongTerm", "ckCrush", "ckFriend", "ckMarried"})
        expectLocked(name, direction);
    EXPECT_EQ(h.child<QLabel>("lblCrush")->toolTip(), direction);
    for (const char* name : {"ckMarried2", "ckAquaintance2", "ckSteady2"})
        expectLocked(name, mutual);
    expectLocked("btnMaxBothRelationships", kReadOnlyPairTip);
    for (const char* name : {"trkShortTerm2", "trkLongTerm2", "ckCrush2", "ckFriend2"})
        expectOpen(name);
    EXPECT_TRUE(h.child<QComboBox>("cbRelationShips")->isEnabled());

    // Clicks on locked boxes and captions write nothing; the other direction is still edited.
    h.child<QCheckBox>("ckCrush")->click();
    h.child<QCheckBox>("ckAquaintance2")->click();
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                        Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(h.child<QLabel>("lblMarried"), &release);
    EXPECT_FALSE(h.AnyModified());
    h.child<QSlider>("trkLongTerm2")->setValue(-70);
    h.child<QCheckBox>("ckLove2")->click();
    EXPECT_EQ(h.reverse().LongTerm, -70);
    EXPECT_EQ(h.reverse().RelBitOne & (1u << 1), 1u << 1);
    EXPECT_EQ(h.reverse().Modified, 1);

    // Ben's page: the read-only record is now the reverse.
    h.Open(1);
    ASSERT_EQ(h.child<QComboBox>("cbRelationShips")->currentText(), "Anna Bell : N001_User00001");
    for (const char* name : {"trkShortTerm2", "trkLongTerm2", "ckCrush2", "ckEnemy2", "ckMarried2"})
        expectLocked(name, direction);
    for (const char* name : {"ckMarried", "ckAquaintance", "ckUnAvailable"})
        expectLocked(name, mutual);
    expectLocked("btnMaxBothRelationships", kReadOnlyPairTip);
    for (const char* name : {"trkShortTerm", "trkLongTerm", "ckCrush", "ckEnemy"}) expectOpen(name);
    h.child<QCheckBox>("ckEnemy")->click();
    h.child<QSlider>("trkShortTerm")->setValue(33);
    EXPECT_EQ(h.reverse().ShortTerm, 33);
    EXPECT_EQ(h.reverse().RelBitOne & (1u << 7), 1u << 7);

    // An ordinary relationship shown next unlocks everything again.
    h.r().ReadOnly = false;
    h.Open(0);
    for (const char* name : {"trkShortTerm", "ckCrush", "ckMarried2", "btnMaxBothRelationships"})
        expectOpen(name);

    EXPECT_EQ(h.r().Modified, 0);
    EXPECT_EQ(h.r().ShortTerm, stored.ShortTerm);
    EXPECT_EQ(h.r().LongTerm, stored.LongTerm);
    EXPECT_EQ(h.r().RelBitOne, stored.RelBitOne);
    EXPECT_EQ(h.r().RelBitTwo, stored.RelBitTwo);
    EXPECT_TRUE(h.messages.shown.empty());
}

TEST(RelationshipsPageTest, AdvancedSwitchShowsTheStateFlags) {
    Harness h;
    h.advanced = false;
    h.Open();
    for (const char* name : {"ckSteady", "lblEngaged", "ckMarried2", "lblUnAvailable2"})
        EXPECT_FALSE(h.Shown(name)) << name;
    for (const char* name : {"ckAquaintance", "lblAquaintance2", "ckCrush", "ckBestFriend2"})
        EXPECT_TRUE(h.Shown(name)) << name;
    h.page->ApplyAdvanced(true);
    for (const char* name : {"ckSteady", "lblEngaged", "ckMarried2", "lblUnAvailable2"})
        EXPECT_TRUE(h.Shown(name)) << name;
    EXPECT_EQ(h.Text("lblUnAvailable"), "UnAvailable");
    EXPECT_EQ(h.Text("lblAquaintance"), "Acquaintance");
}

TEST(RelationshipsPageTest, TurnOnChoicesWriteTheGameBits) {
    struct Case {
        const char* list;
        int number;
        FourBytes TurnOns, TurnOffs;
        TwoBytes TurnOnsExt;
    };
    const Case cases[] = {
        {"cbTurnOn1", 33, {0, 0x20, 0, 0}, {}, {}},  // Jewelery
        {"cbTurnOn2", 30, {}, {}, {0x01, 0}},        // Robots
        {"cbTurnOff", 33, {}, {0, 0x20, 0, 0}, {}},
        {"cbTurnOn1", kNoTrait, {}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.list) + " " + std::to_string(c.number));
        Harness h;
        h.Open();
        EXPECT_EQ(h.child<QComboBox>(c.list)->count(), 34);
        h.Choose(c.list, c.number);
        const Character& anna = *h.state.Sims[0];
        EXPECT_EQ(anna.TurnOns, c.TurnOns);
        EXPECT_EQ(anna.TurnOffs, c.TurnOffs);
        EXPECT_EQ(anna.TurnOnsExt, c.TurnOnsExt);
        EXPECT_TRUE(anna.Modified);
        EXPECT_EQ(h.saveOffered, 1);
    }
}

TEST(RelationshipsPageTest, ThreeStoredTurnOnsBecomeTheTwoShown) {
    Harness h;
    Character& anna = *h.state.Sims[0];
    anna.TurnOns = {0x01, 0x01, 0x00, 0x01};   // Cologne, Facial Hair, Logical
    anna.TurnOffs = {0x00, 0x02, 0x00, 0x00};  // Glasses
    h.Open();
    EXPECT_EQ(h.child<QComboBox>("cbTurnOn1")->currentText(), "Cologne");
    EXPECT_EQ(h.child<QComboBox>("cbTurnOn2")->currentText(), "Facial Hair");
    EXPECT_EQ(h.child<QComboBox>("cbTurnOff")->currentText(), "Glasses");
    EXPECT_FALSE(anna.Modified);
    EXPECT_EQ(anna.TurnOns[3], 0x01);

    h.Choose("cbTurnOff", 10);  // Glasses again: the turn-ons are rebuilt all the same
    EXPECT_EQ(anna.TurnOns, (FourBytes{0x01, 0x01, 0x00, 0x00}));
    EXPECT_EQ(anna.TurnOffs, (FourBytes{0x00, 0x02, 0x00, 0x00}));
    EXPECT_TRUE(anna.Modified);
}

TEST(RelationshipsPageTest, TraitsOfBothSims) {
    Harness h;
    Character& anna = *h.state.Sims[0];
    Character& ben = *h.state.Sims[1];
    anna.AttractionTraits = {0xFF, 0x07, 0x00, 0x01};  // twelve traits: four not shown
    ben.AttractionTraits = {0x00, 0x22, 0x01, 0x00};   // Glasses, Jewelery, Blonde Hair
    h.Open();
    EXPECT_EQ(h.Text("lblSelAttractionTraits"), "Attraction Traits for Anna Bell:");
    EXPECT_EQ(h.Text("lblTurnOns"), "Turn-Ons for Anna Bell:");
    EXPECT_EQ(h.Text("lblTurnOff"), "Turn-Off for Anna Bell:");
    const char* annas[] = {"Cologne",     "Stink",    "Fatness",   "Fitness",
                           "Formal Wear", "SwimWear", "Underwear", "Vampirism"};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(h.Text(QString("lblTrait%1").arg(i + 1)), annas[i]) << i;
    EXPECT_EQ(h.Text("lblRelAttractionTraits"), "Attraction Traits for Ben Cole:");
    EXPECT_EQ(h.Text("lblRelTrait1"), "Glasses");
    EXPECT_EQ(h.Text("lblRelTrait2"), "Jewelery");
    EXPECT_EQ(h.Text("lblRelTrait3"), "Blonde Hair");
    EXPECT_EQ(h.Text("lblRelTrait4"), "");
    EXPECT_TRUE(h.messages.shown.empty());
}

TEST(RelationshipsPageTest, UnknownBitsAreReportedForTheSelectedSimOnly) {
    Harness h;
    h.state.Sims[0]->AttractionTraits[1] = 0x80;
    h.state.Sims[0]->TurnOffs[1] = 0x40;
    h.state.Sims[1]->AttractionTraits[1] = 0xC0;  // Ben's are not reported
    h.Open();
    EXPECT_EQ(h.messages.shown,
              (std::vector<std::string>{"AttractionTraitsA2 Bit 7", "AttractionTurnOffsA2 6"}));
}

TEST(RelationshipsPageTest, AttractionAreaNeedsABody) {
    Harness h;
    h.state.Sims[3]->AttractionTraits[1] = 0x80;
    h.state.Relationships.push_back(Rel(4, 1, 0, 0, 0));
    h.state.Relationships.push_back(Rel(1, 4, 0, 0, 0));
    h.Open(3);
    for (const char* name : {"lblSelAttractionTraits", "lblTrait1", "cbTurnOn1", "cbTurnOff",
                             "lblRelAttractionTraits", "lblRelTrait1"})
        EXPECT_FALSE(h.Shown(name)) << name;
    EXPECT_TRUE(h.messages.shown.empty());
    EXPECT_TRUE(h.Shown("pnlRelationshipsOne"));  // the relationship itself is editable
    h.Open(0);
    EXPECT_TRUE(h.Shown("cbTurnOn1"));
    // The relationship character without a body shows no traits.
    h.Choose("cbRelationShips", 2);
    EXPECT_EQ(h.child<QComboBox>("cbRelationShips")->currentText(), "Dora Dunn : N001_User00004");
    EXPECT_EQ(h.Text("lblRelAttractionTraits"), "");
}

TEST(RelationshipsPageTest, ChoicesTheDescriptionCannotKeepAreNotOffered) {
    struct Case {
        std::uint16_t version;
        bool lists;
        bool robots;
    };
    for (const Case& c : {Case{32, false, false}, Case{44, true, false}, Case{51, true, true}}) {
        SCOPED_TRACE(c.version);
        Harness h;
        h.state.Sims[0]->FormatVersion = c.version;
        h.Open();
        auto* list = h.child<QComboBox>("cbTurnOn1");
        EXPECT_EQ(list->isEnabled(), c.lists);
        auto* model = qobject_cast<QStandardItemModel*>(list->model());
        ASSERT_NE(model, nullptr);
        EXPECT_EQ(model->item(30)->isEnabled(), c.robots);
        EXPECT_EQ(model->item(33)->isEnabled(), c.lists);
    }
}

// ---- In the window, on the demo ----

TEST_F(SimPagesWindowTest, RelationshipAndTurnOnSurviveSaveAndReload) {
    ASSERT_TRUE(Start());
    ChooseSim(0);
    Character* sim = editor->SelectedSim();
    ASSERT_NE(sim, nullptr);
    ASSERT_TRUE(sim->HasBody);
    const std::string file = sim->FileName;
    child<QPushButton>("btnRelationships")->click();
    ASSERT_TRUE(window->Page("pnlRelationships")->isVisible());
    EXPECT_FALSE(child<QPushButton>("btnSave")->isEnabled());
    auto* list = child<QComboBox>("cbRelationShips");
    ASSERT_GT(list->count(), 0);
    ASSERT_TRUE(child<QWidget>("pnlRelationshipsTwo")->isVisible());

    // The first listed relationship: panel two's long term and the mutual Acquaintance flag.
    const std::vector<RelationshipRecord>& rels = editor->State().Relationships;
    const std::size_t relationshipCount = rels.size();
    const auto entries = RelationshipEntries(editor->State(), *sim);
    ASSERT_FALSE(entries.empty());
    const RelationshipRecord shown = rels[entries[0].Record];
    const int longTerm = shown.LongTerm == -33 ? -34 : -33;
    child<QSlider>("trkLongTerm2")->setValue(longTerm);
    auto* acquaintance = child<QCheckBox>("ckAquaintance2");
    acquaintance->click();
    const bool acquainted = acquaintance->isChecked();
    EXPECT_EQ(child<QCheckBox>("ckAquaintance")->isChecked(), acquainted);
    child<QComboBox>("cbTurnOn1")->setCurrentIndex(33);
    emit child<QComboBox>("cbTurnOn1")->activated(33);
    child<QComboBox>("cbTurnOn2")->setCurrentIndex(30);
    emit child<QComboBox>("cbTurnOn2")->activated(30);
    EXPECT_TRUE(child<QPushButton>("btnSave")->isEnabled());
    SaveAndReload();

    Character* again = FindSim(file);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->TurnOns, (FourBytes{0, 0x20, 0, 0}));
    EXPECT_EQ(again->TurnOnsExt[0], 0x01);
    const std::vector<RelationshipRecord>& after = editor->State().Relationships;
    const RelationshipRecord* r = FindRelationship(after, shown.SimA, shown.SimB);
    const RelationshipRecord* q = FindRelationship(after, shown.SimB, shown.SimA);
    ASSERT_NE(r, nullptr);
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->LongTerm, longTerm);
    EXPECT_EQ(r->LongTerm, shown.LongTerm);
    EXPECT_EQ(r->ShortTerm, shown.ShortTerm);
    EXPECT_EQ((r->RelBitTwo & kAcquaintance) != 0, acquainted);
    EXPECT_EQ((q->RelBitTwo & kAcquaintance) != 0, acquainted);
    EXPECT_EQ(r->RelBitTwo & 0x3F, shown.RelBitTwo & 0x3F);
    EXPECT_EQ(r->Modified, 0);
    EXPECT_EQ(after.size(), relationshipCount);  // none dropped by the save
}

TEST_F(SimPagesWindowTest, OpeningRelationshipsForEverySimIsNoEdit) {
    ASSERT_TRUE(Start());
    child<QPushButton>("btnRelationships")->click();
    const int count = child<QComboBox>("cbUserName")->count();
    for (int i = 0; i < count; ++i) {
        ChooseSim(i);
        auto* list = child<QComboBox>("cbRelationShips");
        for (int e = 0; e < list->count(); ++e) {
            list->setCurrentIndex(e);
            emit list->activated(e);
        }
    }
    EXPECT_TRUE(window->Page("pnlRelationships")->isVisible());
    EXPECT_FALSE(child<QPushButton>("btnSave")->isEnabled());
    EXPECT_FALSE(editor->State().AnythingModified());
}

}  // namespace
}  // namespace kinloom::gui
