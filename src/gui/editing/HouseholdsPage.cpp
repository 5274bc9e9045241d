#include "gui/editing/HouseholdsPage.h"

#include "gui/editors/EditingPage.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/editing/CharacterFields.h"
#include "core/editing/DescriptionIndex.h"
#include "core/editing/EditingModel.h"
#include "core/editing/MoveIn.h"
#include "core/editing/NameLists.h"
#include "core/packages/Utf8.h"
#include "gui/shell/BusyGuard.h"
#include "gui/shell/PageKit.h"
#include "gui/shell/SimPictureList.h"
#include "gui/shell/TextBoxes.h"

namespace kinloom::gui {

namespace {

// The household's instance and a sim's household number name the same household when their
// eight hex digits agree (the number is stored in 16 bits, the instance in 32).
bool SameHousehold(const Household& household, std::int16_t familyNumber) {
    return household.Instance ==
           static_cast<std::uint32_t>(static_cast<std::uint16_t>(familyNumber));
}

// The household's pictures beside its rows.
constexpr int kHouseholdPictureSize = 48;
// The household funds get a wider box than the sims' number fields.
constexpr int kCashFieldWidth = 160;

}  // namespace

HouseholdsPage::HouseholdsPage(QWidget* parent) : QFrame(parent) {
    setObjectName("pnlHouseholds");
    setFrameShape(QFrame::StyledPanel);
    BuildControls();
    ConnectControls();
    SetNeighborhood(nullptr);
}

void HouseholdsPage::BuildControls() {
    auto* outer = PageColumn(this);

    auto* numbers = new QHBoxLayout;
    lblLingeringNumber_ = Label("lblLingeringNumber", "LingeringNumber: ", this);
    lblGhostFlags_ = Label("lblGhostFlags", "GhostFlags: ", this);
    lblFamilyNumber_ = Label("lblFamilyNumber", "FamilyNumber: ", this);
    numbers->addWidget(lblFamilyNumber_);
    numbers->addSpacing(24);
    numbers->addWidget(lblLingeringNumber_);
    numbers->addSpacing(24);
    numbers->addWidget(lblGhostFlags_);
    numbers->addStretch(1);
    outer->addLayout(numbers);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    grid->setColumnMinimumWidth(0, kHouseholdPictureSize);
    auto picture = [this](const char* name) {
        QLabel* l = Label(name, QString(), this);
        l->setFixedSize(kHouseholdPictureSize, kHouseholdPictureSize);
        return l;
    };
    int row = 0;
    grid->addWidget(picture("imgHouse"), row, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(Label("lblHouseHold", "Household:", this), row, 1);
    cbHouseHold_ = new QComboBox(this);
    cbHouseHold_->setObjectName("cbHouseHold");
    cbHouseHold_->setMinimumWidth(320);
    grid->addWidget(cbHouseHold_, row, 2);
    ++row;
    lblHouseHoldFile_ = Label("lblHouseHoldFile", "Lot File : ", this);
    grid->addWidget(lblHouseHoldFile_, row, 2);
    ++row;
    imgFamily_ = picture("imgFamily");
    grid->addWidget(imgFamily_, row, 0, 2, 1, Qt::AlignTop);
    lblHouseMembers_ = Label("lblHouseMembers", "Members:", this);
    grid->addWidget(lblHouseMembers_, row, 1);
    // Drawn as the family lists are: each member's picture, grey for a sim outside every
    // household.
    cbHouseMembers_ = new SimPictureList("cbHouseMembers", 6, 6, kListEntryHeight, this);
    grid->addWidget(cbHouseMembers_, row, 2);
    btnMoveIn_ = Button("btnMoveIn", "Move In", this);
    grid->addWidget(btnMoveIn_, row, 3);
    ++row;
    lblFamFriends_ = Label("lblFamFriends", " Family Friends", this);
    grid->addWidget(lblFamFriends_, row, 2);
    ++row;
    lblHouseName_ = Label("lblHouseName", "Household Name:", this);
    grid->addWidget(lblHouseName_, row, 1);
    edtHouseholdName_ = new QLineEdit(this);
    edtHouseholdName_->setObjectName("edtHouseholdName");
    grid->addWidget(edtHouseholdName_, row, 2);
    ++row;
    lblHouseholdDescription_ = Label("lblHouseholdDescription", "Description:", this);
    grid->addWidget(lblHouseholdDescription_, row, 1, Qt::AlignTop);
    memHouseholdDescription_ = new QPlainTextEdit(this);
    memHouseholdDescription_->setObjectName("memHouseholdDescription");
    memHouseholdDescription_->setFixedHeight(110);
    TabMovesFocus(memHouseholdDescription_);
    grid->addWidget(memHouseholdDescription_, row, 2, 1, 2);
    ++row;
    imgCash_ = picture("imgCash");
    grid->addWidget(imgCash_, row, 0, Qt::AlignVCenter);
    lblCash_ = Label("lblCash", "Household Funds ($):", this);
    grid->addWidget(lblCash_, row, 1);
    edtCash_ = NumberField("edtCash", this, kCashFieldWidth);
    grid->addWidget(edtCash_, row, 2, Qt::AlignLeft);
    grid->setColumnStretch(4, 1);
    outer->addLayout(grid);
    outer->addStretch(1);
}

void HouseholdsPage::ConnectControls() {
    connect(cbHouseHold_, &QComboBox::activated, this, [this] { HouseholdSelectionChanged(); });
    connect(cbHouseMembers_, &QComboBox::activated, this, [this](int index) {
        if (filling_ || !isEnabled()) return;
        if (Character* member = cbHouseMembers_->SimAt(index)) emit MemberChosen(member);
    });
    connect(btnMoveIn_, &QPushButton::clicked, this, [this] {
        if (Household* h = SelectedHousehold()) emit MoveInRequested(h);
    });
    connect(edtHouseholdName_, &QLineEdit::textEdited, this, [this](const QString& text) {
        Household* h = SelectedHousehold();
        if (!isEnabled() || !h || HouseholdNamesRefusal(*state_, *h)) return;
        cbHouseHold_->setItemText(cbHouseHold_->currentIndex(), text);
        h->HouseholdName = EncodeUtf8(text.toStdU16String());
        h->Modified = true;
        emit HouseholdEdited();
    });
    connect(edtCash_, &QLineEdit::textEdited, this, [this] {
        CleanNumberField(*edtCash_);
        Household* h = SelectedHousehold();
        if (!isEnabled() || !h) return;
        const NumberFit fit =
            TypedNumber(edtCash_->text().toStdU16String(), RangeOf<std::int32_t>());
        if (!fit.Value) {
            edtCash_->setText(QString::number(h->Cash));
            MarkRefusedNumber(edtCash_,
                              fit.Problem + "; the household keeps " + std::to_string(h->Cash));
            return;
        }
        MarkRefusedNumber(edtCash_, std::nullopt);
        h->Cash = static_cast<std::int32_t>(*fit.Value);
        h->Modified = true;
        emit HouseholdEdited();
    });
    connect(memHouseholdDescription_, &QPlainTextEdit::textChanged, this, [this] {
        Household* h = SelectedHousehold();
        if (filling_ || !isEnabled() || !h || HouseholdNamesRefusal(*state_, *h)) return;
        const std::optional<QString> typed = NewTypedText(*memHouseholdDescription_);
        if (!typed) return;
        // Line breaks go back in the form the description keeps them in.
        h->HouseholdDescription = EncodeUtf8(
            WithStoredLineBreaks(DecodeUtf8(h->HouseholdDescription), typed->toStdU16String()));
        h->Modified = true;
        emit HouseholdEdited();
    });
}

void HouseholdsPage::SetNeighborhood(LoadedNeighborhood* state) {
    state_ = state;
    sim_ = nullptr;
    cbHouseHold_->clear();
    cbHouseMembers_->clear();
    filling_ = true;
    edtHouseholdName_->clear();
    ShowStoredText(memHouseholdDescription_, QString());
    filling_ = false;
    SetMembersVisible(false);
    lblHouseHoldFile_->setText("Lot File : ");
    if (state_) FillHouseholds(nullptr);
}

Household* HouseholdsPage::SelectedHousehold() const {
    if (!state_) return nullptr;
    const int i = cbHouseHold_->currentIndex();
    if (i < 0 || i >= static_cast<int>(state_->HouseholdList.size())) return nullptr;
    return state_->HouseholdList[static_cast<std::size_t>(i)];
}

void HouseholdsPage::FillHouseholds(const Household* keep) {
    cbHouseHold_->clear();
    int keepIndex = -1;
    for (std::size_t i = 0; i < state_->HouseholdList.size(); ++i) {
        const Household* h = state_->HouseholdList[i];
        cbHouseHold_->addItem(QString::fromStdU16String(state_->HouseholdLabel(*h)));
        if (h == keep) keepIndex = static_cast<int>(i);
    }
    cbHouseHold_->setCurrentIndex(keepIndex);
}

void HouseholdsPage::ShowFor(const Character& sim, bool advanced) {
    if (!state_) return;
    BusyGuard busy;
    sim_ = &sim;
    advanced_ = advanced;
    lblLingeringNumber_->setText("LingeringNumber: " + QString::number(sim.LingeringNumber));
    lblGhostFlags_->setText("GhostFlags: " + QString::number(sim.GhostFlags));
    lblFamilyNumber_->setText("FamilyNumber: " + QString::number(sim.FamilyNumber));

    Household* previous = SelectedHousehold();
    state_->SortHouseholds();
    FillHouseholds(previous);
    const auto& list = state_->HouseholdList;
    for (std::size_t i = list.size(); i-- > 0;) {
        if (SameHousehold(*list[i], sim.FamilyNumber)) {
            cbHouseHold_->setCurrentIndex(static_cast<int>(i));
            HouseholdSelectionChanged();
            return;
        }
    }
    // No household of its own: the previous one stays, refreshed for this sim's Move In.
    if (SelectedHousehold()) HouseholdSelectionChanged();
}

void HouseholdsPage::HouseholdSelectionChanged() {
    Household* h = SelectedHousehold();
    if (!state_ || !h) return;
    BusyGuard busy;
    filling_ = true;
    cbHouseMembers_->clear();
    edtHouseholdName_->clear();
    ShowStoredText(memHouseholdDescription_, QString());
    // Moving in writes the sim's family number beside the member lists: a sim whose record has
    // no place for it would be listed in one household while naming another.
    const std::optional<std::string> familyNumberRefused =
        sim_ ? WhyNotStorable(*sim_, *FindCharacterField("FamilyNumber")) : std::nullopt;
    btnMoveIn_->setEnabled((!sim_ || CanMoveIn(*h, *sim_)) && !familyNumberRefused);
    btnMoveIn_->setToolTip(familyNumberRefused
                               ? QString::fromStdString("This sim's record has no place for its "
                                                        "household: " +
                                                        *familyNumberRefused)
                               : QString());

    int selectedMember = -1;
    for (const FourBytes& guid : h->Members) {
        for (Character* member : state_->Sims) {
            if (member->GUID != guid) continue;
            const QString name = Decoded(member->FirstName) + " " + Decoded(member->LastName);
            cbHouseMembers_->AddSim(name, member);
            // Sims without a description share its marker; only the sim itself is meant then.
            const bool same = sim_ && (member == sim_ ||
                                       (sim_->DescriptionInstance != kNoDescription &&
                                        member->DescriptionInstance == sim_->DescriptionInstance));
            if (same && selectedMember < 0) selectedMember = cbHouseMembers_->count() - 1;
            edtHouseholdName_->setText(Decoded(h->HouseholdName));
            ShowStoredText(memHouseholdDescription_, Decoded(h->HouseholdDescription));
        }
    }
    cbHouseMembers_->setCurrentIndex(selectedMember);
    const auto namesRefused = HouseholdNamesRefusal(*state_, *h);
    RefuseTextEdits(edtHouseholdName_, namesRefused);
    RefuseTextEdits(memHouseholdDescription_, namesRefused);
    filling_ = false;

    const bool hasMembers = cbHouseMembers_->count() > 0;
    SetMembersVisible(hasMembers);
    if (hasMembers) {
        lblHouseHoldFile_->setText("Lot File : " + QString::number(h->HouseHoldFile));
        lblFamFriends_->setText(QString::number(h->FamFriends) + " Family Friends");
        MarkRefusedNumber(edtCash_, std::nullopt);
        edtCash_->setText(QString::number(h->Cash));
    }
    if (!advanced_) btnMoveIn_->hide();
}

void HouseholdsPage::ApplyAdvanced(bool showMoveIn) {
    advanced_ = showMoveIn;
    btnMoveIn_->setVisible(showMoveIn && cbHouseMembers_->count() > 0);
}

void HouseholdsPage::SetMembersVisible(bool visible) {
    for (QWidget* w : std::initializer_list<QWidget*>{
             edtCash_, lblCash_, lblFamFriends_, lblHouseMembers_, cbHouseMembers_, lblHouseName_,
             edtHouseholdName_, lblHouseholdDescription_, memHouseholdDescription_, btnMoveIn_,
             imgCash_, imgFamily_})
        w->setVisible(visible);
}

}  // namespace kinloom::gui
