#include "gui/editors/GeneticsPage.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "core/editing/GeneMods.h"
#include "core/editing/LoadedNeighborhood.h"
#include "core/platform/Messages.h"
#include "gui/shell/BusyGuard.h"
#include "gui/shell/PageKit.h"

namespace kinloom::gui {

namespace {

// The genes of the genetics record the page shows but does not edit, with their edits.
struct KeyEdit {
    const char* Name;
    std::string DNA::*Field;
};
constexpr KeyEdit kKeyEdits[] = {
    {"edtKey4", &DNA::Key4},
    {"edtKey7", &DNA::Key7},
    {"edtKey8", &DNA::Key8},
    {"edtKey268435460", &DNA::Key268435460},
    {"edtKey268435461", &DNA::Key268435461},
    {"edtKey268435463", &DNA::Key268435463},
    {"edtKey268435464", &DNA::Key268435464},
};

// Labels of the panel that were placed for checking values and are never filled.
constexpr const char* kTestLabels[] = {
    "lblchProduct",    "lblchSpecies",   "lblchStretch", "lblchSkeletonKeyIdx", "lblchFitness",
    "lblchValidParts", "lblchActiveCat", "lblchListCnt", "lblchCreatorId",
};

QLineEdit* HiddenValueEdit(const char* name, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setReadOnly(true);
    e->setMaxLength(36);
    e->hide();
    return e;
}

}  // namespace

GeneticsPage::GeneticsPage(PageHost& host, QWidget* parent)
    : EditingPage("pnlGenetics", host, parent) {
    BuildControls();
    ConnectControls();
    FillLists();
}

void GeneticsPage::BuildControls() {
    auto* outer = PageColumn(this, 12);

    QLabel* help = Wrapped(
        "lblGeneDesc1",
        "When changing the eye or hair color below you need to have the character visit a "
        "mirror and then select change appearance. No changes are necessary but you need to "
        "select the check and close it to force a rebuild of the character that includes these.",
        this);
    outer->addWidget(help);

    // The sim's own looks on the left, what it passes on from its parents on the right.
    QGridLayout* grid = FieldGrid();
    int ownRow = 0, parentRow = 0;
    for (const GeneListInfo& info : GeneLists()) {
        const auto i = static_cast<std::size_t>(info.List);
        const std::string controlName(info.Control);
        const std::string labelName = "lbl" + controlName.substr(2);
        QLabel* caption = Label(labelName, info.Caption, this);
        auto* list = new QComboBox(this);
        list->setObjectName(info.Control);
        list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        list->setMinimumWidth(180);
        lists_[i] = list;
        valueEdits_[i] = HiddenValueEdit(info.Edit, this);

        const bool own = info.List == GeneList::HairColor || info.List == GeneList::EyeColor ||
                         info.List == GeneList::SkinTone || info.List == GeneList::RecSkinTone;
        const int column = own ? 0 : 3;
        int& row = own ? ownRow : parentRow;
        grid->addWidget(caption, row, column);
        grid->addWidget(list, row, column + 1, Qt::AlignLeft);
        grid->addWidget(valueEdits_[i], row, column + 2);
        ++row;
    }
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(5, 1);
    outer->addLayout(grid);

    auto* hidden = new QGridLayout;
    for (std::size_t i = 0; i < keyEdits_.size(); ++i) {
        keyEdits_[i] = HiddenValueEdit(kKeyEdits[i].Name, this);
        hidden->addWidget(keyEdits_[i], 0, static_cast<int>(i));
    }
    lblchAge_ = HiddenLabel("lblchAge", this);
    lblchGender_ = HiddenLabel("lblchGender", this);
    lblchSkinColor_ = HiddenLabel("lblchSkinColor", this);
    hidden->addWidget(lblchAge_, 1, 0);
    hidden->addWidget(lblchGender_, 1, 1);
    hidden->addWidget(lblchSkinColor_, 1, 2);
    int column = 3;
    for (const char* name : kTestLabels) hidden->addWidget(HiddenLabel(name, this), 1, column++);
    outer->addLayout(hidden);
    outer->addStretch(1);
}

void GeneticsPage::ConnectControls() {
    for (const GeneListInfo& info : GeneLists())
        connect(lists_[static_cast<std::size_t>(info.List)], &QComboBox::activated, this,
                [this, which = info.List](int position) { cbChangeGenes(which, position); });
}

void GeneticsPage::FillLists() {
    for (const GeneListInfo& info : GeneLists()) {
        QComboBox* list = lists_[static_cast<std::size_t>(info.List)];
        list->clear();
        for (const std::string& entry : GeneListEntries(info.Kind, geneMods_))
            list->addItem(Decoded(entry));
    }
}

void GeneticsPage::BuildGeneMods() {
    if (!geneMods_.empty()) return;
    const std::filesystem::path userData = host_.UserData();
    if (userData.empty()) return;

    {
        // The whole window is busy; this panel stays disabled afterwards, as the opening that
        // fills it holds it too.
        BusyGuard busy(this, BusyGuard::Window);
        geneMods_ = ScanGeneMods(userData, host_.Messages(), [this](int position, int maximum) {
            host_.ShowProgress(position, maximum);
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    }
    if (!geneMods_.empty()) FillLists();
}

DNA* GeneticsPage::DnaOf(const Character& sim) const {
    LoadedNeighborhood* hood = host_.Neighborhood();
    return hood ? hood->FindDNA(sim.DescriptionInstance) : nullptr;
}

void GeneticsPage::ShowValues(const Character& sim, const DNA* dna) {
    for (const GeneListInfo& info : GeneLists()) {
        const std::string* value = GeneValueOf(info.List, sim, dna);
        valueEdits_[static_cast<std::size_t>(info.List)]->setText(
            value ? QString::fromStdString(*value) : QString());
    }
    for (std::size_t i = 0; i < keyEdits_.size(); ++i)
        keyEdits_[i]->setText(dna ? QString::fromStdString(dna->*kKeyEdits[i].Field) : QString());
}

void GeneticsPage::Fill(const Character& sim) {
    BuildGeneMods();
    const DNA* dna = DnaOf(sim);

    lblchAge_->setText("Age: " + QString::number(static_cast<std::int16_t>(sim.PropertyAge)));
    lblchGender_->setText("Gender: " +
                          QString::number(static_cast<std::int16_t>(sim.PropertyGender)));
    lblchSkinColor_->setText("SkinColor: " + QString::fromStdString(sim.SkinColor));

    const std::array<int, kGeneListCount> positions = GenePositions(sim, dna, geneMods_);
    const bool editable = GeneListsEnabled(sim, host_.Packs().HasPets);
    for (const GeneListInfo& info : GeneLists()) {
        const auto i = static_cast<std::size_t>(info.List);
        lists_[i]->setCurrentIndex(positions[i]);
        // A sim without a genetics record has nowhere to keep its genes: choosing one would
        // offer Save for a change that is never stored.
        lists_[i]->setEnabled(editable && (dna || !info.InDNA));
    }
    ShowValues(sim, dna);
}

void GeneticsPage::cbChangeGenes(GeneList list, int position) {
    Character* sim = EditTarget();
    if (!sim) return;
    DNA* dna = DnaOf(*sim);
    ChangeGene(list, position, *sim, dna, geneMods_);
    ShowValues(*sim, dna);
    Edited(*sim);
}

}  // namespace kinloom::gui
