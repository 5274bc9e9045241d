#include "gui/editors/FamilyTiesPage.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "core/editing/FamilyTree.h"
#include "core/editing/LoadedNeighborhood.h"
#include "core/platform/Messages.h"
#include "gui/editors/ParentChoiceDialog.h"
#include "gui/shell/PageKit.h"
#include "gui/shell/PictureEntryDelegate.h"
#include "gui/shell/TextBoxes.h"

namespace kinloom::gui {

namespace {

constexpr int kRelativeSize = 64;

// Shown and empty panels: pure blue behind a relative, the scheme's own background otherwise,
// outlined in grey (visible on both schemes) so that an empty parent's place can be found for
// its right click. The frame's own style sheet outranks the window's, which paints every widget
// in the dark scheme.
void PaintPanel(QFrame& panel, bool blue) {
    panel.setStyleSheet(
        QString(blue ? "QFrame#%1 { background-color: #0000ff; border: 1px solid #0000ff; }"
                     : "QFrame#%1 { border: 1px solid #808080; }")
            .arg(panel.objectName()));
}

}  // namespace

FamilyTiesPage::FamilyTiesPage(PageHost& host, QWidget* parent)
    : EditingPage("pnlFamilyTies", host, parent) {
    BuildControls();
    ConnectControls();
}

void FamilyTiesPage::BuildControls() {
    auto* outer = PageColumn(this);

    auto* top = new QHBoxLayout;
    top->setSpacing(16);

    // The sim and its relatives.
    auto* tree = new QGridLayout;
    tree->setHorizontalSpacing(16);
    tree->setVerticalSpacing(4);
    tree->addWidget(Label("lblSelf", "Self", this), 0, 0, Qt::AlignHCenter);
    pnlSelf_ = Frame("pnlSelf", this);
    {
        auto* l = new QVBoxLayout(pnlSelf_);
        l->setContentsMargins(3, 3, 3, 3);
        imgSelf_ = Label("imgSelf", QString(), pnlSelf_);
        imgSelf_->setFixedSize(kPortraitSize, kPortraitSize);
        imgSelf_->setScaledContents(true);
        l->addWidget(imgSelf_);
    }
    tree->addWidget(pnlSelf_, 1, 0, 3, 1, Qt::AlignTop | Qt::AlignHCenter);

    BuildPicture(firstParent_, "pnlPrimaryParent", "imgPrimaryParent", "Primary Parent");
    BuildPicture(secondParent_, "pnlSecondParent", "imgSecondParent", "Secondary Parent");
    BuildPicture(spouse_, "pnlSpouse", "imgSpouse", "Spouse");
    tree->addWidget(Label("lblBirthParent", "Parent", this), 0, 1, Qt::AlignHCenter);
    tree->addWidget(firstParent_.Panel, 1, 1, Qt::AlignHCenter);
    tree->addWidget(Label("lblSecondParent", "Parent", this), 0, 2, Qt::AlignHCenter);
    tree->addWidget(secondParent_.Panel, 1, 2, Qt::AlignHCenter);
    tree->addWidget(Label("lblSpouse", "Spouse", this), 2, 1, Qt::AlignHCenter);
    tree->addWidget(spouse_.Panel, 3, 1, Qt::AlignHCenter | Qt::AlignTop);
    top->addLayout(tree);

    // The window sets its picture with the scheme.
    QLabel* imgFamTies = Label("imgFamTies", QString(), this);
    top->addWidget(imgFamTies, 0, Qt::AlignTop);
    top->addStretch(1);
    outer->addLayout(top);

    auto* lists = new QGridLayout;
    lists->setHorizontalSpacing(16);
    lists->addWidget(Label("lblChildren", "Children", this), 0, 0);
    lists->addWidget(Label("lblSiblings", "Siblings", this), 0, 1);
    cbChildren_ = new SimPictureList("cbChildren", 6, 6, kListEntryHeight, this);
    cbSiblings_ = new SimPictureList("cbSiblings", 6, 6, kListEntryHeight, this);
    lists->addWidget(cbChildren_, 1, 0);
    lists->addWidget(cbSiblings_, 1, 1);
    lists->setColumnStretch(2, 1);
    outer->addLayout(lists);

    outer->addWidget(Wrapped("lblFamTiesSelectDesc1",
                             "You can Double Click the images to the left or make a selection "
                             "from the lists below to change the selected character.",
                             this));
    outer->addWidget(Wrapped("lblFamTiesSelectDesc2",
                             "This provides an easy method to select characters related to each "
                             "other when changing their attributes.",
                             this));
    outer->addWidget(Wrapped("lblFamTiesParentChangeDesc1",
                             "Right Click each parent to Add, Change, or Remove the Parent. "
                             "Family ties will be changed to reflect the change.",
                             this));
    outer->addWidget(Wrapped(
        "lblFamTiesParentChangeDesc2",
        "Note: All Family Ties are changed by changing one or more of the parents assigned to the "
        "current character. The exception is the spouse. The married/joined relationship value "
        "overrides the spouse family tie so there isn't a way to change it here.",
        this));

    memFamilyTies_ = new QPlainTextEdit(this);
    memFamilyTies_->setObjectName("memFamilyTies");
    memFamilyTies_->setReadOnly(true);
    TabMovesFocus(memFamilyTies_);
    memFamilyTies_->hide();  // diagnostics only
    outer->addWidget(memFamilyTies_);
    outer->addStretch(1);

    // Menus. "Select ..." does what a double click does.
    auto parentMenus = [this](Picture& picture, const char* number) {
        const QString n = number;
        picture.PictureMenu = new QMenu(this);
        picture.PictureMenu->setObjectName(n == "1" ? "popFirstParent" : "popSecondParent");
        picture.Select = MenuItem(picture.PictureMenu, "mnuSelectParent" + n, "Select Parent");
        picture.Change = MenuItem(picture.PictureMenu, "mnuChangeParent" + n, "Change Parent");
        picture.Remove = MenuItem(picture.PictureMenu, "mnuRemoveParent" + n, "Remove Parent");
        picture.AddMenu = new QMenu(this);
        picture.AddMenu->setObjectName("popAddParent" + n);
        picture.Add = MenuItem(picture.AddMenu, "mnuAddParent" + n, "Add Parent");
    };
    parentMenus(firstParent_, "1");
    parentMenus(secondParent_, "2");
    spouse_.PictureMenu = new QMenu(this);
    spouse_.PictureMenu->setObjectName("popSpouse");
    spouse_.Select = MenuItem(spouse_.PictureMenu, "mnuSelectSpouse", "Select Spouse");
}

void FamilyTiesPage::ConnectControls() {
    for (const auto& [picture, parentRole] : {std::pair{&firstParent_, ParentRole::First},
                                              std::pair{&secondParent_, ParentRole::Second}}) {
        const ParentRole role = parentRole;  // a lambda captures a variable, not a binding
        connect(picture->Change, &QAction::triggered, this,
                [this, role] { mnuChangeParentClick(role); });
        connect(picture->Remove, &QAction::triggered, this,
                [this, role] { mnuRemoveParentClick(role); });
        connect(picture->Add, &QAction::triggered, this,
                [this, role] { mnuChangeParentClick(role); });
    }

    for (Picture* picture : {&firstParent_, &secondParent_, &spouse_}) {
        connect(picture->Select, &QAction::triggered, this,
                [this, picture] { SelectPictured(*picture); });
        // A disabled picture gets no mouse events: a right click on it reaches its panel, which
        // offers "Add Parent" while no parent is shown.
        picture->Image->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(picture->Image, &QWidget::customContextMenuRequested, this,
                [picture](const QPoint& at) {
                    if (picture->Image->isEnabled())
                        picture->PictureMenu->popup(picture->Image->mapToGlobal(at));
                });
        if (!picture->AddMenu) continue;
        picture->Panel->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(picture->Panel, &QWidget::customContextMenuRequested, this,
                [picture](const QPoint& at) {
                    if (picture->AddMenu->isEnabled())
                        picture->AddMenu->popup(picture->Panel->mapToGlobal(at));
                });
    }

    connect(cbChildren_, &QComboBox::activated, this,
            [this](int index) { SelectListed(*cbChildren_, index); });
    connect(cbSiblings_, &QComboBox::activated, this,
            [this](int index) { SelectListed(*cbSiblings_, index); });
}

void FamilyTiesPage::BuildPicture(Picture& picture, const char* panel, const char* image,
                                  const char* hint) {
    picture.Panel = Frame(panel, this);
    auto* l = new QVBoxLayout(picture.Panel);
    l->setContentsMargins(3, 3, 3, 3);
    picture.Image = Label(image, QString(), picture.Panel);
    picture.Image->setFixedSize(kRelativeSize, kRelativeSize);
    picture.Image->setScaledContents(true);
    picture.Image->installEventFilter(this);
    l->addWidget(picture.Image);
    picture.Hint = hint;
}

void FamilyTiesPage::ResetPicture(Picture& picture) {
    picture.Image->clear();
    picture.Image->setEnabled(false);
    picture.Image->setToolTip(picture.Hint);
    picture.Panel->setToolTip(QString());
    picture.Position = -1;
    PaintPanel(*picture.Panel, false);
    if (picture.AddMenu) picture.AddMenu->setEnabled(true);
}

void FamilyTiesPage::RefuseParents(Picture& picture) {
    picture.AddMenu->setEnabled(false);
    picture.Image->setToolTip(kNoFamilyTiesForSim);
    picture.Panel->setToolTip(kNoFamilyTiesForSim);
}

void FamilyTiesPage::ShowRelative(Picture& picture, int position) {
    LoadedNeighborhood* hood = host_.Neighborhood();
    if (!hood || position < 0 || position >= static_cast<int>(hood->Sims.size())) return;
    const Character& relative = *hood->Sims[static_cast<std::size_t>(position)];
    picture.Image->setPixmap(QPixmap::fromImage(SimPicture(relative, kRelativeSize)));
    picture.Image->setToolTip(QString::fromStdU16String(SimName(relative)));
    picture.Position = position;
    picture.Image->setEnabled(true);
    PaintPanel(*picture.Panel, true);
    if (picture.AddMenu) picture.AddMenu->setEnabled(false);
}

void FamilyTiesPage::Fill(const Character& sim) {
    memFamilyTies_->clear();
    imgSelf_->clear();
    ResetPicture(firstParent_);
    ResetPicture(secondParent_);
    ResetPicture(spouse_);
    PaintPanel(*pnlSelf_, false);
    cbChildren_->clear();
    cbSiblings_->clear();

    // The whole picture: the control stretches it.
    imgSelf_->setPixmap(QPixmap::fromImage(SimPortrait(sim)));
    imgSelf_->setToolTip(QString::fromStdU16String(SimName(sim)));

    // Without a description the sim has no family ties at all: nothing to show, no parent to add.
    if (!HasTieNumber(sim)) {
        RefuseParents(firstParent_);
        RefuseParents(secondParent_);
        return;
    }
    LoadedNeighborhood* hood = host_.Neighborhood();
    if (!hood) return;
    const FamilyView view = FamilyOf(*hood, sim);
    if (view.FirstParent >= 0) ShowRelative(firstParent_, view.FirstParent);
    if (view.SecondParent >= 0) ShowRelative(secondParent_, view.SecondParent);
    if (view.Spouse >= 0) ShowRelative(spouse_, view.Spouse);
    for (const Relative& child : view.Children)
        cbChildren_->AddSim(QString::fromStdU16String(child.Name), child.Sim);
    for (const Relative& sibling : view.Siblings)
        cbSiblings_->AddSim(QString::fromStdU16String(sibling.Name), sibling.Sim);
    cbChildren_->setCurrentIndex(cbChildren_->count() > 0 ? 0 : -1);
    cbSiblings_->setCurrentIndex(cbSiblings_->count() > 0 ? 0 : -1);
    for (const std::u16string& line : view.Memo)
        memFamilyTies_->appendPlainText(QString::fromStdU16String(line));
}

bool FamilyTiesPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (const Picture* picture : {&firstParent_, &secondParent_, &spouse_})
            if (watched == picture->Image) SelectPictured(*picture);
    }
    return EditingPage::eventFilter(watched, event);
}

void FamilyTiesPage::SelectPictured(const Picture& picture) {
    // A picture that shows nobody is disabled; whatever reaches it then is no choice.
    if (!isEnabled() || !picture.Image->isEnabled() || picture.Position < 0) return;
    LoadedNeighborhood* hood = host_.Neighborhood();
    if (!hood || picture.Position >= static_cast<int>(hood->Sims.size())) return;
    host_.SelectSim(*hood->Sims[static_cast<std::size_t>(picture.Position)]);
}

void FamilyTiesPage::SelectListed(const SimPictureList& list, int index) {
    if (!isEnabled()) return;
    const Character* chosen = list.SimAt(index);
    LoadedNeighborhood* hood = host_.Neighborhood();
    if (!chosen || !hood) return;
    const int position = SimPositionByInstance(*hood, chosen->DescriptionInstance);
    if (position < 0) return;  // no longer listed: nothing is selected
    host_.SelectSim(*hood->Sims[static_cast<std::size_t>(position)]);
}

bool FamilyTiesPage::Editable(Character*& sim, int& position) const {
    sim = EditTarget();
    LoadedNeighborhood* hood = host_.Neighborhood();
    if (!sim || !hood) return false;
    if (!HasTieNumber(*sim)) {
        // The menus are disabled for such a sim; whatever reaches them anyway is told why.
        host_.Messages().Show(kNoFamilyTiesForSim);
        return false;
    }
    const auto listed = std::find(hood->Sims.begin(), hood->Sims.end(), sim);
    if (listed == hood->Sims.end()) return false;
    position = static_cast<int>(listed - hood->Sims.begin());
    return true;
}

void FamilyTiesPage::Reopen(Character& sim) {
    host_.ShowSave();
    // The sim-selection change fills the page again from the new ties.
    host_.SelectSim(sim);
}

void FamilyTiesPage::mnuChangeParentClick(ParentRole role) {
    Character* sim = nullptr;
    int selected = -1;
    if (!Editable(sim, selected)) return;
    LoadedNeighborhood& hood = *host_.Neighborhood();
    const Picture& current = role == ParentRole::First ? firstParent_ : secondParent_;
    const Picture& other = role == ParentRole::First ? secondParent_ : firstParent_;
    const ParentCandidates candidates =
        ParentCandidatesFor(hood, selected, current.Position, other.Position);

    QColor background = palette().color(QPalette::Window);
    QColor foreground = palette().color(QPalette::WindowText);
    if (const auto scheme = host_.Scheme()) {
        background = scheme->Background;
        foreground = scheme->Foreground;
    }
    const Character* chosen = nullptr;
    {
        ParentChoiceDialog dialog(candidates, background, foreground, &host_.Messages(), window());
        if (dialog.exec() != QDialog::Accepted) return;
        chosen = dialog.Chosen();
    }  // the dialog is gone before the page is filled again

    ParentPositions shown{firstParent_.Position, secondParent_.Position};
    if (!ChangeParent(hood, selected, role, chosen, shown)) return;
    firstParent_.Position = shown.First;
    secondParent_.Position = shown.Second;
    Reopen(*sim);
}

void FamilyTiesPage::mnuRemoveParentClick(ParentRole role) {
    Character* sim = nullptr;
    int selected = -1;
    if (!Editable(sim, selected)) return;
    ParentPositions shown{firstParent_.Position, secondParent_.Position};
    if (!RemoveParent(*host_.Neighborhood(), selected, role, shown)) return;
    firstParent_.Position = shown.First;
    secondParent_.Position = shown.Second;
    Reopen(*sim);
}

}  // namespace kinloom::gui
