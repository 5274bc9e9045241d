#include "gui/cloning/CloningPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/editing/FamilyTree.h"
#include "core/editing/LoadedNeighborhood.h"
#include "core/neighborhoods/Discovery.h"
#include "core/pictures/Bitmap.h"
#include "core/platform/Dialogs.h"
#include "core/platform/Messages.h"
#include "core/platform/Settings.h"
#include "gui/shell/BitmapImage.h"
#include "gui/shell/PageKit.h"
#include "gui/shell/PictureEntryDelegate.h"

namespace kinloom::gui {

namespace {

namespace fs = std::filesystem;

// The tick boxes in the order they are laid out, with the group each stands for.
struct TickBoxKind {
    const char* box;
    const char* label;
    const char* caption;
    bool CloneGroups::*group;
};
constexpr TickBoxKind kTickBoxKinds[] = {
    {"ckCharClone", "lblCharClone", "Character (Name, Gender, etc.)", &CloneGroups::Character},
    {"ckPersClone", "lblPersClone", "Personality", &CloneGroups::Personality},
    {"ckAspireClone", "lblAspireClone", "Aspiration", &CloneGroups::Aspiration},
    {"ckSkilClone", "lblSkilClone", "Skills", &CloneGroups::Skills},
    {"ckIntClone", "lblIntClone", "Interests", &CloneGroups::Interests},
    {"ckJobClone", "lblJobClone", "Career/Job", &CloneGroups::Job},
    {"ckBodyClone", "lblBodyClone", "Body (Face, Skins, etc.)", &CloneGroups::Body},
    {"ckUniversityClone", "lblUniversityClone", "University", &CloneGroups::University},
    {"ckGeneClone", "lblGeneClone", "Genes (DNA Passed to Offspring)", &CloneGroups::Genes},
    {"ckAttractionClone", "lblAttractionClone", "Attraction", &CloneGroups::Attraction},
    {"ckHobbyClone", "lblHobbyClone", "Hobbies/Talents", &CloneGroups::Hobbies},
    {"ckNeedsClone", "lblNeedClone", "Need Decay Mods", &CloneGroups::Needs},
};
enum BoxIndex : std::size_t {
    kCharacter,
    kPersonality,
    kAspiration,
    kSkills,
    kInterests,
    kJob,
    kBody,
    kUniversity,
    kGenes,
    kAttraction,
    kHobbies,
    kNeeds,
};
static_assert(std::size(kTickBoxKinds) == kNeeds + 1);

QLabel* PictureBox(const char* name, QWidget* parent) {
    QLabel* l = Label(name, "", parent);
    l->setMinimumSize(kPortraitSize, kPortraitSize);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameShape(QFrame::StyledPanel);
    return l;
}

// The buttons of the lab stand in one column, one width.
constexpr int kLabButtonWidth = 130;

}  // namespace

CloningPage::CloningPage(PageHost& host, QWidget* parent)
    : EditingPage("pnlCloning", host, parent) {
    BuildControls();
    ConnectControls();
}

void CloningPage::BuildControls() {
    auto* outer = PageColumn(this);

    outer->addWidget(Wrapped(
        "lblCloningInfo",
        "The Cloning Lab allows you to Clone the attributes of another character. (Direct Clone) "
        "It also allows you to import a Clone from an external source (Get A Clone) or to create "
        "Clones to share. (Create A Clone)",
        this));

    auto* top = new QHBoxLayout;
    top->setSpacing(12);
    imgCloneOld_ = PictureBox("imgCloneOld", this);
    top->addWidget(imgCloneOld_, 0, Qt::AlignTop);

    auto* sourceColumn = new QVBoxLayout;
    sourceColumn->addWidget(Label("lblCloneCharacters", "Select Neighborhood Clone:", this));
    cbCloningSelect_ = new QComboBox(this);
    cbCloningSelect_->setObjectName("cbCloningSelect");
    // One source per row: its picture (grey outside every household), its label 4 pixels right
    // of the picture and 8 below the top.
    PictureEntryStyle entries;
    entries.TextLeft = kListPictureSize + 4;
    entries.TextTop = 8;
    cbCloningSelect_->setItemDelegate(new PictureEntryDelegate(entries, cbCloningSelect_));
    cbCloningSelect_->setIconSize(QSize(kListPictureSize, kListPictureSize));
    cbCloningSelect_->setMaxVisibleItems(5);
    // A scrolling list of five rows, not a menu laid over the page as tall as the neighborhood.
    cbCloningSelect_->setStyleSheet("QComboBox { combobox-popup: 0; }");
    cbCloningSelect_->setMinimumWidth(300);
    sourceColumn->addWidget(cbCloningSelect_);
    imgCloneNew_ = PictureBox("imgCloneNew", this);
    sourceColumn->addWidget(imgCloneNew_, 0, Qt::AlignLeft);
    sourceColumn->addStretch(1);
    top->addLayout(sourceColumn);

    auto* buttonColumn = new QVBoxLayout;
    btnCloneGet_ = Button("btnCloneGet", "Direct Clone", this, kLabButtonWidth);
    btnCloneImport_ = Button("btnCloneImport", "Get A Clone", this, kLabButtonWidth);
    btnCloneExport_ = Button("btnCloneExport", "Create A Clone", this, kLabButtonWidth);
    buttonColumn->addWidget(btnCloneGet_);
    buttonColumn->addWidget(btnCloneImport_);
    buttonColumn->addWidget(btnCloneExport_);
    // Never shown: the program keeps them for the record only.
    QPushButton* btnCloneSEP = Button("btnCloneSEP", "DNA From SEP", this, kLabButtonWidth);
    btnCloneSEP->hide();
    buttonColumn->addWidget(btnCloneSEP);
    buttonColumn->addStretch(1);
    top->addLayout(buttonColumn);
    top->addStretch(1);
    outer->addLayout(top);

    outer->addWidget(Wrapped(
        "lblGetDNA",
        "Get A Clone allows you to import Clone information from a Clone record (Created using "
        "Create A Clone) or you may also import Body Data from either BodyShop Characters or other "
        "Neighborhood Characters.",
        this));
    outer->addWidget(
        Label("lblCloneAttribInfo", "Choose the Attributes you would like to Clone below:", this));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const TickBoxKind& tick = kTickBoxKinds[i];
        auto* box = new QCheckBox(this);
        box->setObjectName(tick.box);
        QLabel* label = Label(tick.label, tick.caption, this);
        // The caption stands beside its box; clicking it ticks the box as the box's own text would.
        label->installEventFilter(this);
        const int row = static_cast<int>(i % 6);
        const int column = static_cast<int>(i / 6) * 2;
        grid->addWidget(box, row, column);
        grid->addWidget(label, row, column + 1);
        boxes_[i] = {box, label};
    }
    auto* ckImgClone = new QCheckBox("Thumbnail", this);  // never shown
    ckImgClone->setObjectName("ckImgClone");
    ckImgClone->hide();
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    outer->addLayout(grid);

    lblPreviousClone_ = Warning("lblPreviousClone", "", this);
    lblPreviousClone_->hide();
    outer->addWidget(lblPreviousClone_);
    outer->addStretch(1);
}

void CloningPage::ConnectControls() {
    connect(cbCloningSelect_, &QComboBox::activated, this, [this] { cbCloningSelectChange(); });
    connect(btnCloneGet_, &QPushButton::clicked, this, [this] { btnCloneGetClick(); });
    connect(btnCloneImport_, &QPushButton::clicked, this, [this] { btnCloneImportClick(); });
    connect(btnCloneExport_, &QPushButton::clicked, this, [this] { btnCloneExportClick(); });
    // What can be taken over depends on what is ticked.
    for (const TickBox& b : boxes_)
        connect(b.Box, &QCheckBox::toggled, this, [this] {
            if (const Character* sim = host_.CurrentSim()) ShowButtons(*sim);
        });
}

std::optional<std::string> CloningPage::NothingKept(const Character& target) const {
    LoadedNeighborhood* state = Loaded();
    const bool hasGenes = state && state->FindDNA(target.DescriptionInstance) != nullptr;
    const CloneGroups ticked = TickedGroups();
    std::optional<std::string> first;
    for (const TickBoxKind& kind : kTickBoxKinds) {
        if (!(ticked.*kind.group)) continue;
        std::optional<std::string> why = CloneGroupRefusal(target, hasGenes, kind.group);
        if (!why) return std::nullopt;
        if (!first) first = std::move(why);
    }
    return first;
}

void CloningPage::KeepOnlyStorable(const Character& before, Character& target) {
    const std::vector<std::string> left = KeepStorableChanges(before, target);
    if (left.empty()) return;
    std::string names;
    for (const std::string& name : left) names += (names.empty() ? "" : ", ") + name;
    host_.Messages().Show("Taken over, except what this sim's record has no place for: " + names +
                          ".");
}

bool CloningPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        for (const TickBox& b : boxes_)
            if (watched == b.Label && b.Box->isEnabled()) {
                b.Box->toggle();
                return true;
            }
    }
    return EditingPage::eventFilter(watched, event);
}

ExpansionFlags CloningPage::InstalledFlags() const {
    return host_.Packs();
}

LoadedNeighborhood* CloningPage::Loaded() const {
    return host_.Neighborhood();
}

Character* CloningPage::ChosenSource() const {
    const int index = cbCloningSelect_->currentIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= sources_.size()) return nullptr;
    return sources_[static_cast<std::size_t>(index)];
}

CloneGroups CloningPage::TickedGroups() const {
    // A box the installed packs hide takes nothing over, whatever it was left at.
    CloneGroups groups;
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        groups.*kTickBoxKinds[i].group = !boxes_[i].Box->isHidden() && boxes_[i].Box->isChecked();
    return groups;
}

void CloningPage::Fill(const Character& sim) {
    const CloneGroups offered = OfferedCloneGroups(InstalledFlags());
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const bool shown = offered.*kTickBoxKinds[i].group;
        boxes_[i].Box->setVisible(shown);
        boxes_[i].Label->setVisible(shown);
    }

    ShowTarget(sim);
    // Every opening offers a body and genes again.
    boxes_[kBody].Box->setChecked(true);
    boxes_[kGenes].Box->setChecked(true);

    cbCloningSelect_->clear();
    sources_.clear();
    if (const LoadedNeighborhood* state = Loaded()) {
        sources_ = CloneSources(*state, sim);
        for (const Character* source : sources_) {
            const QImage picture = SimPicture(*source);
            cbCloningSelect_->addItem(QPixmap::fromImage(picture),
                                      QString::fromStdU16String(SimLabel(*source, state->Form)));
            cbCloningSelect_->setItemData(cbCloningSelect_->count() - 1, picture,
                                          kEntryPictureRole);
        }
    }
    cbCloningSelect_->setCurrentIndex(sources_.empty() ? -1 : 0);
    cbCloningSelectChange();
    ShowButtons(sim);
}

void CloningPage::ShowTarget(const Character& sim) {
    // The target's own picture, never grey.
    imgCloneOld_->setPixmap(QPixmap::fromImage(ToQImage(sim.Thumbnail.Picture())));
    imgCloneOld_->setToolTip(QString::fromStdU16String(SimName(sim)));
}

void CloningPage::ShowButtons(const Character& sim) {
    const CloningButtons allowed = CloningButtonsFor(sim, InstalledFlags().HasPets);
    // Without another sim to take from, Direct Clone has nothing to do.
    // Nothing ticked that the target's record could keep: nothing to take over, said on hover.
    const std::optional<std::string> nothingKept = NothingKept(sim);
    const QString why =
        nothingKept ? QString::fromStdString(
                          "This sim's record has no place for anything ticked: " + *nothingKept)
                    : QString();
    btnCloneGet_->setEnabled(allowed.DirectClone && !sources_.empty() && !nothingKept);
    btnCloneImport_->setEnabled(allowed.GetAClone && !nothingKept);
    btnCloneGet_->setToolTip(why);
    btnCloneImport_->setToolTip(why);
    btnCloneExport_->setEnabled(allowed.CreateAClone);
    lblPreviousClone_->setText(QString::fromStdString(allowed.Status));
    lblPreviousClone_->setVisible(!allowed.Status.empty());
}

void CloningPage::cbCloningSelectChange() {
    const Character* source = ChosenSource();
    if (!source) {
        imgCloneNew_->clear();
        imgCloneNew_->setToolTip({});
        return;
    }
    imgCloneNew_->setPixmap(QPixmap::fromImage(SimPortrait(*source)));
    imgCloneNew_->setToolTip(QString::fromStdU16String(SimName(*source)));
}

void CloningPage::btnCloneGetClick() {
    Character* target = EditTarget();
    LoadedNeighborhood* state = Loaded();
    const Character* source = ChosenSource();
    if (!target || !state || !source) return;
    const CloneGroups groups = TickedGroups();
    const Character before = *target;
    if (!DirectClone(*source, state->FindDNA(source->DescriptionInstance), *target,
                     state->FindDNA(target->DescriptionInstance), groups))
        return;
    KeepOnlyStorable(before, *target);
    // New names are shown in the sim list at once, as after an import.
    if (groups.Character) host_.RelabelCurrentSim();
    Edited(*target);
    ShowTarget(*target);
    ShowButtons(*target);
}

void CloningPage::btnCloneImportClick() {
    Character* target = EditTarget();
    if (!target) return;
    FileDialogRequest request;
    request.Filter = kGetACloneFilter;
    request.Preselected = 1;
    if (auto remembered = host_.Settings().ReadText("ClonePath"); remembered)
        request.Folder = fs::path(*remembered);
    const std::optional<fs::path> chosen = host_.Dialogs().OpenFileIn(request);
    if (!chosen) return;
    RememberCloneFolder(host_.Settings(), *chosen);

    LoadedNeighborhood* state = Loaded();
    DNA* targetDna = state ? state->FindDNA(target->DescriptionInstance) : nullptr;
    const Character before = *target;
    if (!ImportClone(*chosen, TickedGroups(), *target, targetDna, host_.Messages())) return;
    KeepOnlyStorable(before, *target);
    host_.RelabelCurrentSim();
    Edited(*target);
    ShowTarget(*target);
    ShowButtons(*target);
}

void CloningPage::btnCloneExportClick() {
    Character* sim = EditTarget();
    LoadedNeighborhood* state = Loaded();
    if (!sim || !state) return;
    FileDialogRequest request;
    request.Filter = kCreateACloneFilter;
    request.FileName = fs::path(ProposedCloneName(*sim));
    if (auto folder = CloneStartFolder(host_.Settings(), host_.Documents()))
        request.Folder = *folder;
    const std::optional<fs::path> chosen = host_.Dialogs().SaveFile(request);
    if (!chosen) return;
    RememberCloneFolder(host_.Settings(), *chosen);

    CloneExportOptions options;
    options.HasFreeTime = InstalledFlags().HasFreeTime;
    options.GameLanguage = host_.GameLanguage();
    // Nothing of the neighborhood changes: the clone is a copy to share.
    ExportClone(*state, *sim, CloneTargetPath(*chosen), options, host_.Messages());
}

}  // namespace kinloom::gui
