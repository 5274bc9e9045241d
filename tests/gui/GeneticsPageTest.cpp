// The Genetics page: the ten gene lists with the game's colours and the custom genes found in the
// user-data folder, what opening the page shows (and leaves untouched), what a choice stores,
// when the sim's thumbnail is redrawn, pets, sims without a genetics record, and in the editor
// window one gene change saved and read back.

#include <gtest/gtest.h>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include <filesystem>
#include <memory>

#include "FakeMessages.h"
#include "FakePageHost.h"
#include "PackageBuilder.h"
#include "core/demo/DemoPackage.h"
#include "core/editing/GeneTables.h"
#include "core/editing/LoadedNeighborhood.h"
#include "core/packages/Package.h"
#include "core/platform/FileIO.h"
#include "gui/editors/GeneticsPage.h"

#include "SimPageFixtures.h"

namespace kinloom::gui {
namespace {

namespace fs = std::filesystem;
using test_pages::DemoTemplate;
using test_pages::SimPagesWindowTest;

const std::string kZeros(36, '0');
const std::string kBrownHair = "00000002-0000-0000-0000-000000000000";
const std::string kRedHair = "00000004-0000-0000-0000-000000000000";
const std::string kMediumSkin = "00000003-0000-0000-0000-000000000000";
const std::string kDarkSkin = "00000004-0000-0000-0000-000000000000";
const std::string kAlienSkin = "6baf064a-85ad-4e37-8d81-a987e9f8da46";
const std::string kGreenEyes = "51c4a750-c9f4-4cfe-801c-898efc360cb7";
const std::string kGrayEyes = "0758508c-7111-40f9-b33b-706464626ac9";
const std::string kAlienEyes = "12d4f3e1-fdbe-4fe7-ace3-46dd9ff52b51";
// A gene whose package the player no longer has: no list can show it.
const std::string kGoneGene = "ffffffff-0000-4000-8000-00000000dead";

// The demo's custom genes (Downloads/ of the demo user data).
const std::string kCopperSunset = "a1d3c0de-7e11-4b0b-9a1e-5eed0000c0a1";
const std::string kSilverFox = "a1d3c0de-7e11-4b0b-9a1e-5eed0000c0a2";

// Custom genes of this file's own fixtures.
const std::string kAuburn = "0a0b0c0d-1111-4222-8333-444444444401";
const std::string kHazel = "0a0b0c0d-1111-4222-8333-444444444402";

Bytes GenePackage(std::uint32_t type, const std::string& family, const std::string& name) {
    std::vector<Property> props = {TextProperty("family", family)};
    if (type == genetypes::Eye) props.push_back(NumberProperty("subtype", 3));
    return test::PackageBuilder()
        .add(type, 1, DemoPropertySet(props))
        .add(types::HouseholdText, 1, DemoTextList({{1, name}}))
        .build();
}

void WriteGene(const fs::path& file, std::uint32_t type, const std::string& family,
               const std::string& name) {
    fs::create_directories(file.parent_path());
    ReplaceFileAtomically(file, GenePackage(type, family, name));
}

// The page alone on one sim of a neighborhood held in memory, with a user-data folder of its
// own (or the demo's) to find custom genes in.
class GeneticsHarness : public FakePageHost {
public:
    LoadedNeighborhood hood;
    Character* sim = nullptr;
    bool hasPets = true;
    std::unique_ptr<GeneticsPage> page;

    explicit GeneticsHarness(fs::path folder, bool withDna = true) {
        userData = std::move(folder);
        loaded = &hood;
        packs = {true, true, true, true, true, true, true};
        hood.Characters.push_back(std::make_unique<Character>());
        sim = hood.Characters.back().get();
        current = sim;
        hood.Sims.push_back(sim);
        sim->DescriptionInstance = 0x2A;
        sim->FileName = "Sim.package";
        sim->PropertyAge = 8;
        sim->PropertyGender = 1;
        sim->SkinColor = kMediumSkin;
        sim->HairColor = kBrownHair;
        sim->EyeColor = kGreenEyes;
        // Another sim's record first: the page must pick the sim's own.
        DNA other;
        other.Instance = 0x2B;
        other.SkinTone = kAlienSkin;
        hood.DNAList.push_back(other);
        if (withDna) {
            DNA d;
            d.Instance = 0x2A;
            d.SkinTone = kMediumSkin;
            d.RecSkinTone = "NA";
            d.FatherHairColor = kBrownHair;
            d.MotherHairColor = kAuburn;
            d.FatherSkinTone = kDarkSkin;
            d.MotherSkinTone = kMediumSkin;
            d.DomEyeColor = kGoneGene;
            d.RecEyeColor = kGrayEyes;
            d.Key4 = "key-4";
            d.Key7 = "key-7";
            d.Key268435464 = "key-268435464";
            hood.DNAList.push_back(d);
        }
        page = std::make_unique<GeneticsPage>(*this);
    }

    DNA* dna() { return hood.FindDNA(sim->DescriptionInstance); }

    void Open() {
        page->Open([this] { page->setEnabled(true); });
    }

    template <typename T>
    T* child(const QString& name) {
        T* c = page->findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name.toStdString();
        return c;
    }

    QStringList Entries(const char* list) {
        QStringList entries;
        auto* cb = child<QComboBox>(list);
        for (int i = 0; i < cb->count(); ++i) entries << cb->itemText(i);
        return entries;
    }

    // The user picks the entry of that text.
    void Choose(const char* list, const QString& entry) {
        auto* cb = child<QComboBox>(list);
        const int position = cb->findText(entry);
        ASSERT_GE(position, 0) << list << ": " << entry.toStdString();
        cb->setCurrentIndex(position);
        emit cb->activated(position);
    }

    // The switch above wins, so a test can take Pets away.
    const ExpansionFlags& Packs() const override {
        shownPacks_ = packs;
        shownPacks_.HasPets = hasPets;
        return shownPacks_;
    }

private:
    mutable ExpansionFlags shownPacks_;
};

const QStringList kHairEntries = {"NA", "Black Hair", "Brown Hair", "Blonde Hair", "Red Hair"};
const QStringList kSkinEntries = {"NA",          "Light Skin", "Tan Skin",
                                  "Medium Skin", "Dark Skin",  "Alien Skin"};
const QStringList kEyeEntries = {
    "NA", "Brown Eyes", "Green Eyes", "Gray Eyes", "Lt. Blue Eyes", "Dk. Blue Eyes", "Alien Eyes"};

TEST(GeneticsPageTest, TheDemoGenesFollowTheGameColoursInEveryListOfTheirKind) {
    GeneticsHarness h(DemoTemplate());
    h.dna()->FatherHairColor = kCopperSunset;
    h.Open();
    EXPECT_TRUE(h.messages.shown.empty());

    const struct {
        std::vector<const char*> lists;
        QStringList entries;
    } kinds[] = {
        {{"cbHairColor", "cbFatherHairColor", "cbMotherHairColor"},
         kHairEntries + QStringList{"* Copper Sunset Hair", "* Silver Fox Hair"}},
        {{"cbSkinTone", "cbRecSkinTone", "cbFatherSkinTone", "cbMotherSkinTone"},
         kSkinEntries + QStringList{"* Moonlit Skin", "* Olive Grove Skin"}},
        {{"cbEyeColor", "cbDomEyeColor", "cbRecEyeColor"},
         kEyeEntries + QStringList{"* Sea Glass Eyes", "* Amber Eyes"}},
    };
    for (const auto& kind : kinds)
        for (const char* list : kind.lists) {
            SCOPED_TRACE(list);
            EXPECT_EQ(h.Entries(list), kind.entries);
        }

    // A stored custom gene shows its entry; choosing another stores that gene's family.
    EXPECT_EQ(h.child<QComboBox>("cbFatherHairColor")->currentText(), "* Copper Sunset Hair");
    EXPECT_EQ(h.child<QLineEdit>("edtFatherHairColor")->text().toStdString(), kCopperSunset);
    h.Choose("cbHairColor", "* Silver Fox Hair");
    EXPECT_EQ(h.sim->HairColor, kSilverFox);
    EXPECT_EQ(h.child<QLineEdit>("edtHairColor")->text().toStdString(), kSilverFox);
}

TEST(GeneticsPageTest, OpeningShowsTheStoredGenesAndWritesNothing) {
    test::TempDir userData;
    WriteGene(userData / "Downloads" / "auburn.package", genetypes::Hair, kAuburn, "Auburn");
    GeneticsHarness h(userData.path());
    const DNA before = *h.dna();
    const Character record = *h.sim;
    h.Open();
    h.Open();  // opened again, as switching sims on the page does

    EXPECT_EQ(h.saveOffered, 0);
    EXPECT_FALSE(h.sim->Modified);
    EXPECT_FALSE(h.sim->ResetThumbnail);
    EXPECT_FALSE(h.dna()->Modified);
    EXPECT_EQ(h.sim->HairColor, record.HairColor);
    EXPECT_EQ(h.dna()->DomEyeColor, before.DomEyeColor);
    EXPECT_EQ(h.dna()->RecSkinTone, "NA");

    const struct {
        const char* list;
        const char* edit;
        QString shown;
        std::string raw;
    } cases[] = {
        {"cbHairColor", "edtHairColor", "Brown Hair", kBrownHair},
        {"cbEyeColor", "edtEyeColor", "Green Eyes", kGreenEyes},
        {"cbSkinTone", "edtSkinTone", "Medium Skin", kMediumSkin},
        {"cbRecSkinTone", "edtRecSkinTone", "NA", "NA"},
        {"cbFatherHairColor", "edtFatherHairColor", "Brown Hair", kBrownHair},
        {"cbMotherHairColor", "edtMotherHairColor", "* Auburn", kAuburn},
        {"cbFatherSkinTone", "edtFatherSkinTone", "Dark Skin", kDarkSkin},
        {"cbMotherSkinTone", "edtMotherSkinTone", "Medium Skin", kMediumSkin},
        // A gene no list holds shows "NA" but is kept as stored.
        {"cbDomEyeColor", "edtDomEyeColor", "NA", kGoneGene},
        {"cbRecEyeColor", "edtRecEyeColor", "Gray Eyes", kGrayEyes},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list);
        EXPECT_EQ(h.child<QComboBox>(c.list)->currentText(), c.shown);
        EXPECT_TRUE(h.child<QComboBox>(c.list)->isEnabled());
        EXPECT_EQ(h.child<QLineEdit>(c.edit)->text().toStdString(), c.raw);
        EXPECT_TRUE(h.child<QLineEdit>(c.edit)->isHidden());
    }
    EXPECT_EQ(h.child<QLineEdit>("edtKey4")->text(), "key-4");
    EXPECT_EQ(h.child<QLineEdit>("edtKey7")->text(), "key-7");
    EXPECT_EQ(h.child<QLineEdit>("edtKey268435464")->text(), "key-268435464");
    EXPECT_EQ(h.child<QLabel>("lblchAge")->text(), "Age: 8");
    EXPECT_EQ(h.child<QLabel>("lblchGender")->text(), "Gender: 1");
    EXPECT_EQ(h.child<QLabel>("lblchSkinColor")->text(),
              QString::fromStdString("SkinColor: " + kMediumSkin));
    EXPECT_EQ(h.child<QLabel>("lblchCreatorId")->text(), "Test Label");
    EXPECT_FALSE(h.child<QLabel>("lblGeneDesc1")->isHidden());
}

TEST(GeneticsPageTest, AChoiceStoresItsGeneAndOnlyTheSimsOwnLooksRedrawTheThumbnail) {
    test::TempDir userData;
    WriteGene(userData / "Downloads" / "auburn.package", genetypes::Hair, kAuburn, "Auburn");
    WriteGene(userData / "Downloads" / "hazel.package", genetypes::Eye, kHazel, "Hazel");
    const struct {
        const char* list;
        QString entry;
        std::string Character::*simField;
        std::string DNA::*dnaField;
        const char* edit;
        std::string stored;
        bool newThumbnail;
    } cases[] = {
        {"cbFatherHairColor", "NA", nullptr, &DNA::FatherHairColor, "edtFatherHairColor", kZeros,
         false},
        {"cbMotherHairColor", "Red Hair", nullptr, &DNA::MotherHairColor, "edtMotherHairColor",
         kRedHair, false},
        {"cbMotherSkinTone", "Dark Skin", nullptr, &DNA::MotherSkinTone, "edtMotherSkinTone",
         kDarkSkin, false},
        {"cbFatherSkinTone", "NA", nullptr, &DNA::FatherSkinTone, "edtFatherSkinTone", kZeros,
         false},
        {"cbRecSkinTone", "Alien Skin", nullptr, &DNA::RecSkinTone, "edtRecSkinTone", kAlienSkin,
         false},
        {"cbDomEyeColor", "* Hazel", nullptr, &DNA::DomEyeColor, "edtDomEyeColor", kHazel, false},
        {"cbRecEyeColor", "Alien Eyes", nullptr, &DNA::RecEyeColor, "edtRecEyeColor", kAlienEyes,
         false},
        {"cbSkinTone", "Alien Skin", nullptr, &DNA::SkinTone, "edtSkinTone", kAlienSkin, true},
        {"cbSkinTone", "NA", nullptr, &DNA::SkinTone, "edtSkinTone", kZeros, true},
        {"cbHairColor", "* Auburn", &Character::HairColor, nullptr, "edtHairColor", kAuburn, true},
        {"cbHairColor", "NA", &Character::HairColor, nullptr, "edtHairColor", kZeros, true},
        {"cbEyeColor", "Gray Eyes", &Character::EyeColor, nullptr, "edtEyeColor", kGrayEyes, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.list) + " " + c.entry.toStdString());
        GeneticsHarness h(userData.path());
        h.Open();
        const DNA before = *h.dna();
        const Character record = *h.sim;
        h.Choose(c.list, c.entry);

        EXPECT_EQ(c.simField ? (*h.sim).*c.simField : (*h.dna()).*c.dnaField, c.stored);
        EXPECT_EQ(h.child<QLineEdit>(c.edit)->text().toStdString(), c.stored);
        EXPECT_EQ(h.sim->ResetThumbnail, c.newThumbnail);
        EXPECT_TRUE(h.sim->Modified);
        EXPECT_GE(h.saveOffered, 1);
        // Only a gene of the genetics record asks the save to write that record.
        EXPECT_EQ(h.dna()->Modified, c.dnaField != nullptr);
        // The other genes stay as stored, the one no list can show included.
        if (c.dnaField != &DNA::DomEyeColor) {
            EXPECT_EQ(h.dna()->DomEyeColor, kGoneGene);
        }
        if (c.dnaField != &DNA::RecSkinTone) {
            EXPECT_EQ(h.dna()->RecSkinTone, "NA");
        }
        if (c.simField != &Character::HairColor) {
            EXPECT_EQ(h.sim->HairColor, record.HairColor);
        }
        if (c.dnaField != &DNA::MotherHairColor) {
            EXPECT_EQ(h.dna()->MotherHairColor, before.MotherHairColor);
        }
        EXPECT_EQ(h.dna()->Key4, before.Key4);
        // The other sim's record is never touched.
        EXPECT_EQ(h.hood.DNAList.front().SkinTone, kAlienSkin);
        EXPECT_FALSE(h.hood.DNAList.front().Modified);
    }
}

TEST(GeneticsPageTest, PetsGetNoGeneLists) {
    const struct {
        std::uint16_t species;
        bool hasPets;
        bool enabled;
    } cases[] = {
        {0, true, true}, {1, true, false}, {2, true, false}, {3, true, false}, {3, false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.species) + (c.hasPets ? " with Pets" : " without Pets"));
        GeneticsHarness h({});
        h.sim->Species = c.species;
        h.hasPets = c.hasPets;
        h.Open();
        for (const GeneListInfo& info : GeneLists())
            EXPECT_EQ(h.child<QComboBox>(info.Control)->isEnabled(), c.enabled) << info.Control;
    }
}

TEST(GeneticsPageTest, ASimWithoutGeneticsRecordKeepsOnlyItsOwnColoursToEdit) {
    GeneticsHarness h({}, /*withDna=*/false);
    h.Open();
    for (const GeneListInfo& info : GeneLists()) {
        SCOPED_TRACE(info.Control);
        auto* list = h.child<QComboBox>(info.Control);
        // Genes with nowhere to be stored cannot be chosen.
        EXPECT_EQ(list->isEnabled(), !info.InDNA);
        if (info.InDNA) {
            EXPECT_EQ(list->currentText(), "NA");
            EXPECT_EQ(h.child<QLineEdit>(info.Edit)->text(), "");
        }
    }
    EXPECT_EQ(h.child<QComboBox>("cbHairColor")->currentText(), "Brown Hair");
    EXPECT_EQ(h.child<QLineEdit>("edtKey4")->text(), "");

    h.Choose("cbEyeColor", "Gray Eyes");
    EXPECT_EQ(h.sim->EyeColor, kGrayEyes);
    EXPECT_TRUE(h.sim->Modified);
    EXPECT_TRUE(h.sim->ResetThumbnail);
    EXPECT_EQ(h.saveOffered, 1);
    EXPECT_FALSE(h.hood.DNAList.front().Modified);
}

TEST(GeneticsPageTest, GenesAreCollectedOncePerRunButAFruitlessSearchIsRepeated) {
    test::TempDir userData;
    GeneticsHarness h(userData.path());
    h.Open();
    EXPECT_EQ(h.Entries("cbHairColor"), kHairEntries);

    // Nothing was found: the next opening looks again.
    WriteGene(userData / "SavedSims" / "auburn.package", genetypes::Hair, kAuburn, "Auburn");
    h.Open();
    EXPECT_EQ(h.Entries("cbHairColor"), kHairEntries + QStringList{"* Auburn"});
    EXPECT_EQ(h.child<QComboBox>("cbMotherHairColor")->currentText(), "* Auburn");

    // Once genes were found, packages added later are not seen in this run.
    WriteGene(userData / "Teleport" / "hazel.package", genetypes::Eye, kHazel, "Hazel");
    h.Open();
    EXPECT_EQ(h.Entries("cbEyeColor"), kEyeEntries);
    EXPECT_EQ(h.page->GeneMods().size(), 1u);
    EXPECT_FALSE(h.sim->Modified);
}

TEST(GeneticsPageTest, AnUnreadablePackageIsReportedOnceAndTheOthersStillCount) {
    test::TempDir userData;
    const fs::path broken = userData / "Downloads" / "a-broken.package";
    Bytes cut = GenePackage(genetypes::Hair, kHazel, "Cut short");
    cut.resize(cut.size() - 12);  // the index runs past the end of the file
    fs::create_directories(broken.parent_path());
    ReplaceFileAtomically(broken, cut);
    WriteGene(userData / "Downloads" / "b-good.package", genetypes::Hair, kAuburn, "Auburn");

    GeneticsHarness h(userData.path());
    h.Open();
    h.Open();
    EXPECT_EQ(h.messages.shown,
              std::vector<std::string>{"Data Read Error Found in:\r\n\"" + broken.string() +
                                       "\"\r\nThis file will be ignored."});
    EXPECT_EQ(h.Entries("cbFatherHairColor"), kHairEntries + QStringList{"* Auburn"});
}

using GeneticsWindowTest = SimPagesWindowTest;

TEST_F(GeneticsWindowTest, AGeneChangeIsSavedAndReadBack) {
    ASSERT_TRUE(Start());
    // The demo sim whose father's hair colour is a custom gene from Downloads/.
    const auto& dnas = editor->State().DNAList;
    const auto withCustom = std::find_if(
        dnas.begin(), dnas.end(), [](const DNA& d) { return d.FatherHairColor == kCopperSunset; });
    ASSERT_NE(withCustom, dnas.end());
    Character* sim = nullptr;
    for (Character* s : editor->State().Sims)
        if (s->DescriptionInstance == withCustom->Instance) sim = s;
    ASSERT_NE(sim, nullptr);
    const std::string file = sim->FileName;
    const std::string ownHair = sim->HairColor;
    editor->SelectSim(sim);

    // The scan shows its progress on the window's bar and gives it back afterwards.
    auto* bar = child<QProgressBar>("pbLoading");
    std::vector<std::pair<int, int>> progress;
    QObject::connect(bar, &QProgressBar::valueChanged,
                     [&](int value) { progress.emplace_back(value, bar->maximum()); });
    child<QPushButton>("btnGenetics")->click();
    ASSERT_TRUE(window->Page("pnlGenetics")->isVisible());
    EXPECT_TRUE(window->Page("pnlGenetics")->isEnabled());
    EXPECT_NE(std::find(progress.begin(), progress.end(), std::make_pair(5, 5)), progress.end());
    EXPECT_EQ(bar->maximum(), 100);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(child<QComboBox>("cbFatherHairColor")->currentText(), "* Copper Sunset Hair");

    // Showing the page and going through every sim on it is no edit.
    for (int i = 0; i < child<QComboBox>("cbUserName")->count(); ++i) ChooseSim(i);
    editor->SelectSim(sim);
    EXPECT_FALSE(child<QPushButton>("btnSave")->isEnabled());
    EXPECT_FALSE(editor->State().AnythingModified());
    EXPECT_TRUE(messages.shown.empty());

    auto choose = [this](const char* list, const QString& entry) {
        auto* cb = child<QComboBox>(list);
        const int position = cb->findText(entry);
        ASSERT_GE(position, 0) << entry.toStdString();
        cb->setCurrentIndex(position);
        emit cb->activated(position);
    };
    choose("cbMotherSkinTone", "Dark Skin");
    EXPECT_FALSE(sim->ResetThumbnail);
    choose("cbMotherHairColor", "* Silver Fox Hair");
    choose("cbSkinTone", "NA");
    EXPECT_TRUE(sim->ResetThumbnail);
    SaveAndReload();

    Character* again = FindSim(file);
    ASSERT_NE(again, nullptr);
    const DNA* dna = editor->State().FindDNA(again->DescriptionInstance);
    ASSERT_NE(dna, nullptr);
    EXPECT_EQ(dna->MotherSkinTone, kDarkSkin);
    EXPECT_EQ(dna->MotherHairColor, kSilverFox);
    EXPECT_EQ(dna->SkinTone, kZeros);
    EXPECT_EQ(dna->FatherHairColor, kCopperSunset);
    EXPECT_EQ(again->HairColor, ownHair);
    EXPECT_FALSE(again->Modified);

    editor->SelectSim(again);
    child<QPushButton>("btnGenetics")->click();
    EXPECT_EQ(child<QComboBox>("cbMotherHairColor")->currentText(), "* Silver Fox Hair");
    EXPECT_EQ(child<QComboBox>("cbMotherSkinTone")->currentText(), "Dark Skin");
    EXPECT_EQ(child<QComboBox>("cbSkinTone")->currentText(), "NA");
    EXPECT_FALSE(child<QPushButton>("btnSave")->isEnabled());
}

}  // namespace
}  // namespace kinloom::gui
