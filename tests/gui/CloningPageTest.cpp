// The Cloning Lab: the page alone on a small neighborhood in memory (buttons and their messages,
// the source list, Direct Clone, Get A Clone and Create A Clone through scripted dialogs), and in
// the editor window on the demo, a body clone carried out by Save.

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <filesystem>
#include <memory>

#include "CloneParts.h"
#include "FakeDialogs.h"
#include "FakeMessages.h"
#include "FakePageHost.h"
#include "PackageBuilder.h"
#include "SimPageFixtures.h"
#include "core/cloning/CloneFile.h"
#include "core/editing/CharacterFields.h"
#include "core/editing/LoadedNeighborhood.h"
#include "core/packages/PropertySet.h"
#include "core/platform/FileIO.h"
#include "core/platform/Settings.h"
#include "core/records/SimDescription.h"
#include "gui/cloning/CloningPage.h"

namespace kinloom::gui {
namespace {

namespace fs = std::filesystem;
using test_pages::SimPagesWindowTest;

using test::BodyPackage;
using test::kBodyImported;
using test::kMemoryOnly;
using test::kNotABodyPackage;
using test::kPending;

constexpr const char* kPet = "Pet Cloning is currently not available.";

constexpr const char* kAllBoxes[] = {"ckCharClone",       "ckPersClone",       "ckAspireClone",
                                     "ckSkilClone",       "ckIntClone",        "ckJobClone",
                                     "ckBodyClone",       "ckUniversityClone", "ckGeneClone",
                                     "ckAttractionClone", "ckHobbyClone",      "ckNeedsClone"};

// The page on a neighborhood of four in memory: Ann, Bo and Cy have bodies of their own, Dot is
// a cat. The sims' character packages lie in a temporary folder.
class CloningHarness : public FakePageHost {
public:
    test::TempDir dir;
    LoadedNeighborhood state;
    CloningPage page;

    CloningHarness() : page(*this) {
        loaded = &state;
        packs = {true, true, true, true, true, true, true};
        state.CharactersFolder = dir / "Characters";
        fs::create_directories(state.CharactersFolder);
        documents = dir / "Documents";
        fs::create_directories(documents / "Quillfern");
        Add("Ann", "Smith", Pixel::Rgb(200, 30, 30), 1);
        Add("Bo", "Berg", Pixel::Rgb(30, 200, 30), 0);  // outside every household
        Add("Cy", "Cole", Pixel::Rgb(30, 30, 200), 1);
        Add("Dot", "Cat", Pixel::Rgb(90, 90, 90), 1).HasBody = false;
        state.Sims.back()->Species = 3;
    }

    Character& Add(const char* first, const char* last, Pixel colour, std::int16_t family) {
        auto sim = std::make_unique<Character>();
        sim->FirstName = first;
        sim->LastName = last;
        sim->FileName = std::string("N001_") + first + ".package";
        sim->FilePath = state.CharactersFolder / sim->FileName;
        sim->DescriptionInstance = static_cast<std::uint32_t>(state.Characters.size() + 1);
        sim->FamilyNumber = family;
        // Read from the newest description, with a name list and a whole body property set:
        // everything taken over can be saved.
        sim->FormatVersion = DescriptionVersionsOf(&Character::Nice)->Last;
        sim->HasNameList = true;
        sim->Slots = {true, true, true, true, true};
        sim->HasBody = true;
        sim->Thumbnail = Bitmap(64, 64, colour);
        sim->SkinColor = Colour("skin of ", first);
        sim->HairColor = Colour("hair of ", first);
        sim->EyeColor = Colour("eyes of ", first);
        state.Characters.push_back(std::move(sim));
        state.Sims.push_back(state.Characters.back().get());
        return *state.Sims.back();
    }
    Character& Sim(std::size_t i) { return *state.Sims[i]; }
    // A colour is stored as a text of exactly its stored length: the kind and the sim, padded.
    static std::string Colour(const char* kind, const char* first) {
        std::string colour = std::string(kind) + first;
        colour.resize(kColorTextLength, '-');
        return colour;
    }

    void Open(Character& sim) {
        current = &sim;
        page.Open([this] { page.setEnabled(true); });
    }
    template <typename T>
    T* child(const char* name) {
        T* c = page.findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    QStringList Sources() {
        QStringList out;
        auto* list = child<QComboBox>("cbCloningSelect");
        for (int i = 0; i < list->count(); ++i) out << list->itemText(i);
        return out;
    }
    // Only the named boxes ticked.
    void Tick(std::initializer_list<const char*> names) {
        for (const char* name : kAllBoxes) child<QCheckBox>(name)->setChecked(false);
        for (const char* name : names) child<QCheckBox>(name)->setChecked(true);
    }
    QString Label(const Character& sim) {
        return QString::fromStdU16String(SimLabel(sim, state.Form));
    }
};

struct ButtonState {
    bool direct, get, create;
    const char* status;  // nullptr: the label stays hidden
};

void ExpectButtons(CloningHarness& h, const ButtonState& expected) {
    EXPECT_EQ(h.child<QPushButton>("btnCloneGet")->isEnabled(), expected.direct);
    EXPECT_EQ(h.child<QPushButton>("btnCloneImport")->isEnabled(), expected.get);
    EXPECT_EQ(h.child<QPushButton>("btnCloneExport")->isEnabled(), expected.create);
    auto* status = h.child<QLabel>("lblPreviousClone");
    EXPECT_EQ(!status->isHidden(), expected.status != nullptr);
    if (expected.status) {
        EXPECT_EQ(status->text().toStdString(), expected.status);
    }
}

TEST(CloningPageTest, ButtonsAndMessagesFollowTheTargetsBody) {
    struct Case {
        const char* name;
        bool body, pending, petPacks;
        std::uint16_t species;
        ButtonState expected;
    };
    const Case cases[] = {
        {"a body of its own", true, false, true, 0, {true, true, true, nullptr}},
        {"a body pending", true, true, true, 0, {false, false, true, kPending}},
        {"only in memories", false, false, true, 0, {false, false, false, kMemoryOnly}},
        {"a pet", false, false, true, 3, {false, false, false, kPet}},
        {"a pet without Pets installed",
         false,
         false,
         false,
         3,
         {false, false, false, kMemoryOnly}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CloningHarness h;
        h.packs.HasPets = c.petPacks;
        Character& target = h.Sim(0);
        target.HasBody = c.body;
        target.CloneInProgress = c.pending;
        target.Species = c.species;
        h.Open(target);
        ExpectButtons(h, c.expected);
        EXPECT_FALSE(target.Modified);
        EXPECT_EQ(h.saveOffered, 0);
    }
}

TEST(CloningPageTest, EveryOpeningTicksBodyAndGenesAndThePacksDecideTheBoxes) {
    CloningHarness h;
    h.Open(h.Sim(0));
    h.Tick({"ckSkilClone"});
    h.Open(h.Sim(0));
    EXPECT_TRUE(h.child<QCheckBox>("ckBodyClone")->isChecked());
    EXPECT_TRUE(h.child<QCheckBox>("ckGeneClone")->isChecked());
    EXPECT_TRUE(h.child<QCheckBox>("ckSkilClone")->isChecked()) << "other boxes stay as left";

    struct Case {
        const char* name;
        ExpansionFlags packs;
        std::vector<const char*> shown, hidden;
    };
    const Case cases[] = {
        {"every pack",
         {true, true, true, true, true, true, true},
         {"ckUniversityClone", "lblAttractionClone", "ckHobbyClone", "lblNeedClone"},
         {"ckAspireClone", "lblAspireClone"}},
        {"the base game",
         {},
         {"ckAspireClone", "lblAspireClone", "ckCharClone"},
         {"ckUniversityClone", "lblUniversityClone", "ckAttractionClone", "ckHobbyClone",
          "ckNeedsClone", "lblNeedClone"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        h.packs = c.packs;
        h.Open(h.Sim(0));
        for (const char* name : c.shown) EXPECT_FALSE(h.child<QWidget>(name)->isHidden()) << name;
        for (const char* name : c.hidden) EXPECT_TRUE(h.child<QWidget>(name)->isHidden()) << name;
    }
    EXPECT_TRUE(h.child<QWidget>("ckImgClone")->isHidden());
    EXPECT_TRUE(h.child<QWidget>("btnCloneSEP")->isHidden());
}

TEST(CloningPageTest, SourcesAreOtherSimsWithAFreeBodyShownInTheirOwnColours) {
    CloningHarness h;
    Character& ann = h.Sim(0);
    Character& bo = h.Sim(1);
    Character& cy = h.Sim(2);
    ann.FamilyNumber = 0;  // the target's own picture is never grey
    h.Open(ann);
    EXPECT_EQ(h.Sources(), (QStringList{h.Label(bo), h.Label(cy)}));
    auto* oldPicture = h.child<QLabel>("imgCloneOld");
    EXPECT_EQ(oldPicture->toolTip(), "Ann Smith");
    EXPECT_EQ(oldPicture->pixmap().toImage().pixelColor(5, 5), QColor(200, 30, 30));
    // Bo lives outside every household: drawn grey, in the picture and in the list.
    auto* newPicture = h.child<QLabel>("imgCloneNew");
    EXPECT_EQ(newPicture->toolTip(), "Bo Berg");
    const QColor grey = newPicture->pixmap().toImage().pixelColor(5, 5);
    EXPECT_TRUE(grey.red() == grey.green() && grey.green() == grey.blue()) << grey.name().data();
    // The list draws 32-pixel pictures: Bo's grey, Cy's in colour.
    auto listed = [&h](int entry) {
        return h.child<QComboBox>("cbCloningSelect")
            ->itemData(entry, Qt::UserRole + 1)
            .value<QImage>();
    };
    EXPECT_EQ(listed(0).size(), QSize(32, 32));
    const QColor boListed = listed(0).pixelColor(3, 3);
    EXPECT_TRUE(boListed.red() == boListed.green() && boListed.green() == boListed.blue());
    EXPECT_GT(listed(1).pixelColor(3, 3).blue(), listed(1).pixelColor(3, 3).red());

    auto* list = h.child<QComboBox>("cbCloningSelect");
    list->setCurrentIndex(1);
    emit list->activated(1);
    EXPECT_EQ(newPicture->toolTip(), "Cy Cole");
    EXPECT_EQ(newPicture->pixmap().toImage().pixelColor(5, 5), QColor(30, 30, 200));

    // Ann takes Cy's body: while it is pending Ann gives no body to anyone, and Cy stays free.
    h.Tick({"ckBodyClone"});
    h.child<QPushButton>("btnCloneGet")->click();
    EXPECT_EQ(ann.BodySourcePath, h.state.CharactersFolder / cy.FileName);
    EXPECT_TRUE(ann.CloneInProgress);
    EXPECT_TRUE(ann.Modified);
    EXPECT_EQ(h.saveOffered, 1);
    ExpectButtons(h, {false, false, true, kPending});
    h.Open(bo);
    EXPECT_EQ(h.Sources(), QStringList{h.Label(cy)});
    h.Open(cy);
    EXPECT_EQ(h.Sources(), QStringList{h.Label(bo)});
    ExpectButtons(h, {true, true, true, nullptr});
    EXPECT_TRUE(cy.BodySourcePath.empty());
    h.Open(ann);
    ExpectButtons(h, {false, false, true, kPending});

    // With no one left to take from there is no source and nothing for Direct Clone to do.
    CloningHarness alone;
    alone.Sim(1).HasBody = alone.Sim(2).HasBody = false;
    alone.Open(alone.Sim(0));
    EXPECT_TRUE(alone.Sources().isEmpty());
    EXPECT_FALSE(alone.child<QPushButton>("btnCloneGet")->isEnabled());
    EXPECT_TRUE(alone.child<QLabel>("imgCloneNew")->pixmap().isNull());
}

TEST(CloningPageTest, DirectCloneTakesTheGenesButKeepsTheTargetsSkin) {
    CloningHarness h;
    Character& ann = h.Sim(0);
    Character& cy = h.Sim(2);
    DNA annGenes, cyGenes;
    annGenes.Instance = ann.DescriptionInstance;
    annGenes.SkinTone = "ann skin";
    cyGenes.Instance = cy.DescriptionInstance;
    cyGenes.SkinTone = "cy skin";
    cyGenes.FatherHairColor = "cy father hair";
    h.state.DNAList = {annGenes, cyGenes};
    cy.PropertyAge = 8;
    cy.Cooking = 777;
    ann.Cooking = 1;
    h.Open(ann);
    auto* list = h.child<QComboBox>("cbCloningSelect");
    list->setCurrentIndex(1);
    emit list->activated(1);
    h.Tick({"ckGeneClone"});
    h.child<QPushButton>("btnCloneGet")->click();

    EXPECT_EQ(ann.HairColor, CloningHarness::Colour("hair of ", "Cy"));
    EXPECT_EQ(ann.EyeColor, CloningHarness::Colour("eyes of ", "Cy"));
    EXPECT_EQ(ann.SkinColor, CloningHarness::Colour("skin of ", "Ann"));
    EXPECT_EQ(ann.PropertyAge, 8);
    const DNA& genes = *h.state.FindDNA(ann.DescriptionInstance);
    EXPECT_EQ(genes.SkinTone, "cy skin");
    EXPECT_EQ(genes.FatherHairColor, "cy father hair");
    EXPECT_TRUE(genes.Modified);
    EXPECT_EQ(ann.Cooking, 1) << "skills were not ticked";
    EXPECT_TRUE(ann.BodySourcePath.empty());
    EXPECT_TRUE(ann.Modified);
    EXPECT_EQ(h.saveOffered, 1);
    EXPECT_EQ(h.relabelled, 0) << "the names did not change";
    ExpectButtons(h, {true, true, true, nullptr});

    // With the character group the names come too, and the sim list shows them.
    h.Tick({"ckCharClone", "ckSkilClone"});
    h.child<QPushButton>("btnCloneGet")->click();
    EXPECT_EQ(ann.FirstName, "Cy");
    EXPECT_EQ(ann.Cooking, 777);
    EXPECT_EQ(h.relabelled, 1);
    EXPECT_EQ(h.child<QLabel>("imgCloneOld")->toolTip(), "Cy Cole");
}

// A target whose description is older than some of the groups ticked: Direct Clone takes over
// what its record keeps, says what it left out, and nothing is marked that a save would drop.
// With only groups it cannot keep ticked, Direct Clone and Get A Clone are not offered.
TEST(CloningPageTest, ATargetTakesOverOnlyWhatItsRecordKeeps) {
    CloningHarness h;
    Character& ann = h.Sim(0);
    Character& cy = h.Sim(2);
    ann.FormatVersion = 32;  // no hobbies, need decay or turn-ons
    cy.Cooking = 777;
    cy.Cuisine = 5;
    cy.Hunger = 36;
    h.Open(ann);
    auto* list = h.child<QComboBox>("cbCloningSelect");
    list->setCurrentIndex(1);  // Cy
    emit list->activated(1);
    const Character before = ann;
    h.Tick({"ckSkilClone", "ckHobbyClone", "ckNeedsClone"});
    ASSERT_TRUE(h.child<QPushButton>("btnCloneGet")->isEnabled());
    h.child<QPushButton>("btnCloneGet")->click();
    EXPECT_EQ(ann.Cooking, 777);
    EXPECT_EQ(ann.Cuisine, before.Cuisine);
    EXPECT_EQ(ann.Hunger, before.Hunger);
    EXPECT_TRUE(UnstorableChanges(before, ann).empty());
    ASSERT_FALSE(h.messages.shown.empty());
    const std::string& said = h.messages.shown.back();
    EXPECT_NE(said.find("no place for:"), std::string::npos) << said;
    EXPECT_NE(said.find("Cuisine"), std::string::npos) << said;
    EXPECT_NE(said.find("Hunger"), std::string::npos) << said;
    EXPECT_EQ(said.find("Cooking"), std::string::npos) << said;

    h.Tick({"ckHobbyClone", "ckNeedsClone"});
    for (const char* button : {"btnCloneGet", "btnCloneImport"}) {
        auto* b = h.child<QPushButton>(button);
        EXPECT_FALSE(b->isEnabled()) << button;
        EXPECT_TRUE(b->toolTip().contains("no place for anything ticked")) << button;
    }
    h.Tick({"ckBodyClone"});  // a body is always kept
    EXPECT_TRUE(h.child<QPushButton>("btnCloneGet")->isEnabled());
}

TEST(CloningPageTest, GetACloneTakesABodyOnlyFromACompletePackage) {
    CloningHarness h;
    Character& ann = h.Sim(0);
    const fs::path folder = h.dir / "Body Shop";
    fs::create_directories(folder);
    const fs::path noHair = folder / "NoHair.package";
    const fs::path whole = folder / "Whole.PACKAGE";
    ReplaceFileAtomically(noHair, BodyPackage(0xFC6EB1F7));
    ReplaceFileAtomically(whole, BodyPackage());
    h.Open(ann);
    h.Tick({"ckBodyClone", "ckPersClone"});

    h.dialogs.files = {std::nullopt};  // cancelled: nothing asked, nothing remembered
    h.child<QPushButton>("btnCloneImport")->click();
    ASSERT_EQ(h.dialogs.opened.size(), 1u);
    EXPECT_EQ(h.dialogs.opened[0].Filter,
              "All (*.clone;*.package)|*.clone;*.package|Kinloom Clone File (*.clone)|*.clone|"
              "Bodyshop Package File (*.package)|*.package");
    EXPECT_EQ(h.dialogs.opened[0].Preselected, 1);
    EXPECT_TRUE(h.dialogs.opened[0].Folder.empty());
    EXPECT_FALSE(h.settings.ReadText("ClonePath"));

    h.dialogs.files = {noHair};
    h.child<QPushButton>("btnCloneImport")->click();
    EXPECT_EQ(h.messages.shown, std::vector<std::string>{kNotABodyPackage});
    EXPECT_TRUE(ann.BodySourcePath.empty());
    EXPECT_FALSE(ann.Modified);
    EXPECT_FALSE(ann.CloneInProgress);
    EXPECT_EQ(h.saveOffered, 0);
    const std::string remembered =
        folder.string() + static_cast<char>(fs::path::preferred_separator);
    EXPECT_EQ(h.settings.ReadText("ClonePath"), remembered);

    h.messages.shown.clear();
    h.dialogs.files = {whole};
    h.child<QPushButton>("btnCloneImport")->click();
    EXPECT_EQ(h.dialogs.opened.back().Folder, fs::path(remembered));
    EXPECT_EQ(h.messages.shown, std::vector<std::string>{kBodyImported});
    EXPECT_EQ(ann.BodySourcePath, whole);
    EXPECT_TRUE(ann.CloneInProgress);
    EXPECT_TRUE(ann.ResetThumbnail);
    EXPECT_TRUE(ann.Modified);
    EXPECT_EQ(h.saveOffered, 1);
    ExpectButtons(h, {false, false, true, kPending});
    h.Open(h.Sim(1));
    EXPECT_FALSE(h.Sources().contains(h.Label(ann)));
}

TEST(CloningPageTest, CreateAndGetACloneCarryNamesBetweenSims) {
    CloningHarness h;
    Character& ann = h.Sim(0);
    Character& bo = h.Sim(1);
    bo.Nice = 900;
    ann.Nice = 5;
    test::PackageBuilder package(24);
    package.add(types::Picture, 1, test::Text("thumb"));
    for (std::uint32_t type : kBodyEntryTypes) package.add(type, 2, test::Text("bo's body"));
    package.write(h.state.CharactersFolder / bo.FileName);

    // Create A Clone: Bo's clone, proposed under Bo's names in the default folder.
    h.Open(bo);
    const fs::path chosen = h.dir / "Shared" / "BoBerg.txt";
    fs::create_directories(chosen.parent_path());
    h.dialogs.saves = {chosen};
    h.child<QPushButton>("btnCloneExport")->click();
    ASSERT_EQ(h.dialogs.saved.size(), 1u);
    EXPECT_EQ(h.dialogs.saved[0].Filter, "Kinloom Clone (*.clone)|*.CLONE");
    EXPECT_EQ(h.dialogs.saved[0].FileName, fs::path("BoBerg"));
    EXPECT_EQ(h.dialogs.saved[0].Folder, h.documents / "Quillfern" / "Clones");
    const fs::path clone = h.dir / "Shared" / "BoBerg.clone";
    ASSERT_TRUE(fs::exists(clone)) << (h.messages.shown.empty() ? "" : h.messages.shown[0]);
    EXPECT_FALSE(bo.Modified) << "writing a clone changes no sim";
    EXPECT_EQ(h.saveOffered, 0);

    // Asked before it is replaced; Cancel keeps the file as it was.
    const Bytes written = ReadWholeFile(clone);
    ReplaceFileAtomically(clone, test::Text("earlier"));
    h.dialogs.saves = {clone};
    h.child<QPushButton>("btnCloneExport")->click();
    EXPECT_EQ(
        h.dialogs.saved.back().Folder,
        fs::path((h.dir / "Shared").string() + static_cast<char>(fs::path::preferred_separator)))
        << "the folder last used";
    EXPECT_EQ(h.messages.asked,
              std::vector<std::string>{"\"BoBerg.clone\" already exists, Do you wish to replace "
                                       "this file?"});
    EXPECT_EQ(ReadWholeFile(clone), test::Text("earlier"));
    h.messages.script({true});
    h.dialogs.saves = {clone};
    h.child<QPushButton>("btnCloneExport")->click();
    EXPECT_EQ(ReadWholeFile(clone), written);

    // Get A Clone onto Ann, names and personality only: no body is pending afterwards.
    h.Open(ann);
    h.Tick({"ckCharClone", "ckPersClone"});
    h.dialogs.files = {clone};
    h.child<QPushButton>("btnCloneImport")->click();
    EXPECT_EQ(ann.FirstName, "Bo");
    EXPECT_EQ(ann.LastName, "Berg");
    EXPECT_EQ(ann.Nice, 900);
    EXPECT_TRUE(ann.Modified);
    EXPECT_TRUE(ann.BodySourcePath.empty());
    EXPECT_FALSE(ann.CloneInProgress);
    EXPECT_EQ(h.relabelled, 1);
    EXPECT_EQ(h.saveOffered, 1);
    EXPECT_EQ(h.child<QLabel>("imgCloneOld")->toolTip(), "Bo Berg");
    ExpectButtons(h, {true, true, true, nullptr});

    // A character package whose index cannot be listed gives no clone, and says why.
    Bytes broken = ReadWholeFile(h.state.CharactersFolder / bo.FileName);
    test::SetU32(broken, 36, 0);
    ReplaceFileAtomically(h.state.CharactersFolder / bo.FileName, broken);
    h.Open(bo);
    h.messages.shown.clear();
    const fs::path other = h.dir / "Shared" / "Other.clone";
    h.dialogs.saves = {other};
    h.child<QPushButton>("btnCloneExport")->click();
    EXPECT_FALSE(fs::exists(other));
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(
        h.messages.shown[0].rfind("No clone was written: the character package " + bo.FileName, 0),
        0u);
}

// In the window on the demo: a sim takes another's body, which the save carries out.
TEST_F(SimPagesWindowTest, ADirectBodyCloneIsSavedIntoTheTargetsPackage) {
    ASSERT_TRUE(Start());
    const auto& sims = editor->State().Sims;
    int targetIndex = -1;
    for (std::size_t i = 0; i < sims.size() && targetIndex < 0; ++i)
        if (sims[i]->HasBody) targetIndex = static_cast<int>(i);
    ASSERT_GE(targetIndex, 0);
    ChooseSim(targetIndex);
    Character* target = editor->SelectedSim();
    const std::string targetFile = target->FileName;
    const fs::path folder = editor->State().CharactersFolder;
    child<QPushButton>("btnCloning")->click();
    ASSERT_TRUE(window->Page("pnlCloning")->isVisible());
    auto* list = child<QComboBox>("cbCloningSelect");
    ASSERT_GT(list->count(), 1);
    list->setCurrentIndex(1);
    emit list->activated(1);
    for (const char* name : kAllBoxes) child<QCheckBox>(name)->setChecked(false);
    child<QCheckBox>("ckBodyClone")->setChecked(true);
    child<QPushButton>("btnCloneGet")->click();
    // The chosen entry's sim gives its character package.
    const fs::path source = target->BodySourcePath;
    ASSERT_EQ(source.parent_path(), folder);
    const std::string sourceFile = source.filename().string();
    ASSERT_NE(sourceFile, targetFile);
    EXPECT_EQ(list->currentText(),
              QString::fromStdU16String(SimLabel(*FindSim(sourceFile), editor->State().Form)));
    EXPECT_FALSE(child<QPushButton>("btnCloneGet")->isEnabled());

    // Pending, the target is no source for anyone else.
    const QString targetLabel = child<QComboBox>("cbUserName")->itemText(targetIndex);
    ChooseSim(targetIndex == 0 ? 1 : 0);
    ASSERT_TRUE(window->Page("pnlCloning")->isVisible());
    for (int i = 0; i < list->count(); ++i) EXPECT_NE(list->itemText(i), targetLabel);
    ChooseSim(targetIndex);

    bool sourcePicture = false;
    const auto expected = test::BodyEntries(folder / sourceFile, messages, sourcePicture);
    ASSERT_EQ(expected.size(), kBodyEntryTypes.size());
    SaveAndReload();

    const Character* again = FindSim(targetFile);
    ASSERT_NE(again, nullptr);
    EXPECT_FALSE(again->CloneInProgress);
    EXPECT_TRUE(again->BodySourcePath.empty());
    bool targetPicture = true;
    EXPECT_EQ(
        test::BodyEntries(editor->State().CharactersFolder / targetFile, messages, targetPicture),
        expected);
    EXPECT_FALSE(targetPicture);
    // Free again: the body may be replaced once more.
    ChooseSim(static_cast<int>(
        std::find(editor->State().Sims.begin(), editor->State().Sims.end(), again) -
        editor->State().Sims.begin()));
    child<QPushButton>("btnCloning")->click();
    EXPECT_TRUE(child<QPushButton>("btnCloneGet")->isEnabled());
}

// In the window on the demo: a sim whose character package lacks one body entry is not offered as
// a source, so its half body can never strip the target's own entries at the save.
TEST_F(SimPagesWindowTest, ASimWithoutTheWholeBodyIsNotOffered) {
    ASSERT_TRUE(Start());
    std::vector<std::string> withBody;
    for (const Character* sim : editor->State().Sims)
        if (sim->HasBody) withBody.push_back(sim->FileName);
    ASSERT_GE(withBody.size(), 3u);
    const fs::path folder = editor->State().CharactersFolder;
    test::HideEntryType(folder / withBody[1], 0xFC6EB1F7);
    ASSERT_TRUE(Start());

    const auto& sims = editor->State().Sims;
    const Character* halfBody = FindSim(withBody[1]);
    ASSERT_NE(halfBody, nullptr);
    const QString halfLabel = QString::fromStdU16String(SimLabel(*halfBody, editor->State().Form));
    ChooseSim(
        static_cast<int>(std::find(sims.begin(), sims.end(), FindSim(withBody[0])) - sims.begin()));
    child<QPushButton>("btnCloning")->click();
    ASSERT_TRUE(window->Page("pnlCloning")->isVisible());
    auto* list = child<QComboBox>("cbCloningSelect");
    QStringList offered;
    for (int i = 0; i < list->count(); ++i) offered << list->itemText(i);
    EXPECT_FALSE(offered.contains(halfLabel)) << halfLabel.toStdString();
    EXPECT_TRUE(offered.contains(
        QString::fromStdU16String(SimLabel(*FindSim(withBody[2]), editor->State().Form))));
    EXPECT_EQ(offered.size(), static_cast<int>(withBody.size()) - 2);
}

}  // namespace
}  // namespace kinloom::gui
