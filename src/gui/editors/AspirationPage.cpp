#include "gui/editors/AspirationPage.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

#include "core/editing/EditingModel.h"
#include "core/editing/LoadedNeighborhood.h"
#include "gui/shell/PageKit.h"
#include "gui/shell/TextBoxes.h"
#include "gui/shell/ThinSlider.h"

namespace kinloom::gui {

AspirationPage::AspirationPage(PageHost& host, QWidget* parent)
    : EditingPage("pnlAspiration", host, parent) {
    BuildControls();
    ConnectControls();
}

void AspirationPage::BuildControls() {
    auto* outer = PageColumn(this, 8);
    QGridLayout* grid = FieldGrid();
    int row = 0;

    grid->addWidget(Label("lblAspiration", "Aspiration:", this), row, 0);
    cbAspiration1_ = new QComboBox(this);
    cbAspiration1_->setObjectName("cbAspiration1");
    grid->addWidget(cbAspiration1_, row, 1, Qt::AlignLeft);
    cbAspiration2_ = new QComboBox(this);
    cbAspiration2_->setObjectName("cbAspiration2");
    cbAspiration2_->setAccessibleName("Second Aspiration");
    grid->addWidget(cbAspiration2_, row++, 2, Qt::AlignLeft);
    lblFTAspireWarning_ = Warning(
        "lblFTAspireWarning",
        "Warning: Do not change the secondary aspiration for a character. If there isn't one do "
        "not add one.  Before changing the primary aspiration you will need to first determine "
        "which of the aspirations below is the secondary one in the game. ",
        this);
    grid->addWidget(lblFTAspireWarning_, row++, 0, 1, 4);
    lblFTAspireWarning2_ = Warning(
        "lblFTAspireWarning2",
        "If you inadvertently do change the secondary one then go into the game and determine "
        "what it is (mouse over the secondary aspiration meter) and then return here and use one "
        "of the boxes below to add it back in.",
        this);
    grid->addWidget(lblFTAspireWarning2_, row++, 0, 1, 4);

    grid->addWidget(Label("lblAspirationLevelCaption", "Aspiration Level:", this), row, 0);
    trkAspirationLevel_ = MakeSlider("trkAspirationLevel", 0, 1200, 25, 200);
    grid->addWidget(trkAspirationLevel_, row, 1, 1, 2);
    lblAspirationLevel_ = Label("lblAspirationLevel", "", this);
    grid->addWidget(lblAspirationLevel_, row++, 3);
    grid->addWidget(Label("lblAspirationScoreCaption", "Aspiration Score:", this), row, 0);
    trkAspirationScore_ = MakeSlider("trkAspirationScore", 0, 100, 5, 10);
    grid->addWidget(trkAspirationScore_, row, 1, 1, 2);
    lblAspirationScoreLevel_ = Label("lblAspirationScoreLevel", "", this);
    grid->addWidget(lblAspirationScoreLevel_, row++, 3);
    QLabel* note = Wrapped("lblAspirationNote",
                           "Aspiration Level is the displayed aspiration level while the "
                           "Aspiration Score affects how long the Aspiration Level remains "
                           "effective.",
                           this);
    grid->addWidget(note, row++, 0, 1, 4);
    grid->addWidget(Label("lblAspirationRewardPoints", "Aspiration Reward Points:", this), row, 0);
    edtAspirationRewardPoints_ = NumberField("edtAspirationRewardPoints", this);
    edtAspirationRewardPoints_->setToolTip(
        "The reward points the game shows. The sim keeps them in tens, so the number is a "
        "multiple of 10; it is taken when you leave the box or press Enter.");
    StoredIn(edtAspirationRewardPoints_, {"AspirationRewardPoints"});
    grid->addWidget(edtAspirationRewardPoints_, row++, 1, Qt::AlignLeft);

    pnlInfluence_ = SubPanel("pnlInfluence", this);
    {
        auto* l = new QGridLayout(pnlInfluence_);
        l->setContentsMargins(0, 0, 0, 0);
        lblInfluenceLevel_ = Label("lblInfluenceLevel", "Influence Level: ", pnlInfluence_);
        trkInfluenceLevel_ = MakeSlider("trkInfluenceLevel", 0, 5, 1, 1);
        trkInfluenceLevel_->setParent(pnlInfluence_);
        lblInfluenceMinimum_ = Label("lblInfluenceMinimum", "Influence Minimum: ", pnlInfluence_);
        lblInfluenceScore_ = Label("lblInfluenceScore", "Influence Score: ", pnlInfluence_);
        lblInfluenceMinimum_->hide();  // kept for the record, not shown
        lblInfluenceScore_->hide();
        l->addWidget(lblInfluenceLevel_, 0, 0);
        l->addWidget(trkInfluenceLevel_, 0, 1);
        l->setColumnStretch(1, 1);
    }
    grid->addWidget(pnlInfluence_, row++, 0, 1, 4);

    pnlLongTerm_ = SubPanel("pnlLongTerm", this);
    {
        auto* l = new QGridLayout(pnlLongTerm_);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(
            Label("lblLTAUnlocks", "Long Term Aspiration Unlocks Available:", pnlLongTerm_), 0, 0);
        cbLTAUnlocks_ = new QComboBox(pnlLongTerm_);
        cbLTAUnlocks_->setObjectName("cbLTAUnlocks");
        StoredIn(cbLTAUnlocks_, {"LTAUnlocks"});
        l->addWidget(cbLTAUnlocks_, 0, 1, Qt::AlignLeft);
        lblLTAUnlocksUsed_ = Label("lblLTAUnlocksUsed", "", pnlLongTerm_);
        l->addWidget(lblLTAUnlocksUsed_, 0, 2);
        lblLTAspiration_ = Label("lblLTAspiration", "Long Term Aspiration Level", pnlLongTerm_);
        l->addWidget(lblLTAspiration_, 1, 0);
        trkLTAspiration_ = MakeSlider("trkLTAspiration", 0, 30000, 25, 1500);
        trkLTAspiration_->setParent(pnlLongTerm_);
        StoredIn(trkLTAspiration_, {"LTAspiration"});
        l->addWidget(trkLTAspiration_, 1, 1, 1, 2);
        l->setColumnStretch(2, 1);
    }
    grid->addWidget(pnlLongTerm_, row++, 0, 1, 4);
    grid->setColumnStretch(2, 1);
    outer->addLayout(grid);
    outer->addStretch(1);
}

void AspirationPage::ConnectControls() {
    connect(cbAspiration1_, &QComboBox::activated, this, [this] { cbAspirationChange(); });
    connect(cbAspiration2_, &QComboBox::activated, this, [this] { cbAspirationChange(); });
    BindSlider(trkAspirationLevel_, &Character::AspirationLevel,
               [this](int v) { lblAspirationLevel_->setText(QString::number(v)); });
    BindSlider(trkAspirationScore_, &Character::AspirationScore,
               [this](int v) { lblAspirationScoreLevel_->setText(QString::number(v)); });
    BindSlider(trkInfluenceLevel_, &Character::InfluenceLevel, [this](int v) {
        lblInfluenceLevel_->setText("Influence Level: (" + QString::number(v) + ")");
    });
    // The long-term caption follows the slider only for edits; loading sets it itself.
    connect(trkLTAspiration_, &QSlider::valueChanged, this, [this](int v) {
        Character* sim = EditTarget();
        if (!sim) return;
        lblLTAspiration_->setText("Long Term Aspiration Level (" + QString::number(v) + ")");
        sim->LTAspiration = Low16(v);
        Edited(*sim);
    });
    // Points are cleaned as typed but written only when the user leaves the field or presses
    // Enter, and only when typed.
    connect(edtAspirationRewardPoints_, &QLineEdit::textEdited, this, [this] {
        CleanNumberField(*edtAspirationRewardPoints_);
        if (Character* sim = EditTarget()) {
            rewardPointsTyped_ = true;
            rewardPointsSim_ = sim;
        }
    });
    connect(edtAspirationRewardPoints_, &QLineEdit::returnPressed, this,
            [this] { edtAspirationRewardPointsExit(); });
    edtAspirationRewardPoints_->installEventFilter(this);
    connect(cbLTAUnlocks_, &QComboBox::activated, this, [this](int position) {
        Character* sim = EditTarget();
        if (!sim) return;
        sim->LTAUnlocks = Low16(position + sim->LTAUnlocksUsed);
        setEnabled(false);
        FillUnlocks(*sim);
        setEnabled(true);
        Edited(*sim);
    });
}

bool AspirationPage::eventFilter(QObject* watched, QEvent* event) {
    // A context menu opening or the window losing the focus is no leaving: the user comes
    // back to the same field.
    if (watched == edtAspirationRewardPoints_ && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
            reason != Qt::MenuBarFocusReason)
            edtAspirationRewardPointsExit();
    }
    return EditingPage::eventFilter(watched, event);
}

bool AspirationPage::CommitTyping() {
    return edtAspirationRewardPointsExit();
}

bool AspirationPage::edtAspirationRewardPointsExit() {
    if (!rewardPointsTyped_) return true;  // passing through the field is no edit
    const QString typed = edtAspirationRewardPoints_->text();
    // The points go to the sim they were typed for, while it is still in the neighborhood.
    Character* sim = rewardPointsSim_;
    if (const LoadedNeighborhood* hood = host_.Neighborhood();
        hood && std::find(hood->Sims.begin(), hood->Sims.end(), sim) == hood->Sims.end())
        sim = nullptr;
    if (!sim) {
        rewardPointsTyped_ = false;
        return true;
    }
    const NumberFit fit = RewardPointsValue(typed.toStdU16String());
    const QString kept = QString::number(sim->AspirationRewardPoints * 10);
    if (!fit.Value) {
        // Nothing is rounded behind the player's back: the box shows what the sim keeps.
        rewardPointsTyped_ = false;
        edtAspirationRewardPoints_->setText(kept);
        MarkRefusedNumber(edtAspirationRewardPoints_,
                          fit.Problem + "; the sim keeps " + kept.toStdString());
        return false;
    }
    if (typed.isEmpty()) edtAspirationRewardPoints_->setText("0");
    MarkRefusedNumber(edtAspirationRewardPoints_, std::nullopt);
    rewardPointsTyped_ = false;
    sim->AspirationRewardPoints = static_cast<std::int16_t>(*fit.Value);
    Edited(*sim);
    return true;
}

void AspirationPage::FillUnlocks(const Character& sim) {
    cbLTAUnlocks_->clear();
    const int count = UnlockEntryCount(sim.LTAUnlocksUsed);
    for (int i = 0; i < count; ++i) cbLTAUnlocks_->addItem(QString::number(i));
    if (count > 0) cbLTAUnlocks_->setCurrentIndex(sim.LTAUnlocks - sim.LTAUnlocksUsed);
    lblLTAUnlocksUsed_->setText("(" + QString::number(sim.LTAUnlocksUsed) + " of 16 Used)");
}

void AspirationPage::Fill(const Character& sim) {
    const bool freeTime = HasFreeTime();
    const bool pleasure = freeTime || (host_.Packs().HasNightlife);
    cbAspiration1_->clear();
    for (std::size_t i = 0; i < kAspirationEntries.size(); ++i)
        if (i < 8 || pleasure) cbAspiration1_->addItem(kAspirationEntries[i]);
    cbAspiration2_->clear();
    if (freeTime)
        for (const char* entry : kAspirationEntries) cbAspiration2_->addItem(entry);
    cbAspiration2_->setVisible(freeTime);
    pnlLongTerm_->setVisible(freeTime);
    if (freeTime) {
        FillUnlocks(sim);
        trkLTAspiration_->setMaximum(30000);
        trkLTAspiration_->setValue(sim.LTAspiration);
        lblLTAspiration_->setText("Long Term Aspiration Level (" +
                                  QString::number(trkLTAspiration_->value()) + ")");
    }

    const auto [primary, secondary] = AspirationPositions(sim.Aspiration);
    // A bit beyond what the list offers (Pleasure without the packs that bring it) shows "-".
    cbAspiration1_->setCurrentIndex(primary < cbAspiration1_->count() ? primary : 0);
    cbAspiration2_->setCurrentIndex(freeTime ? secondary : -1);

    if (const int maximum = AspirationScoreMaximum(sim.Ages, freeTime))
        trkAspirationScore_->setMaximum(maximum);
    trkAspirationScore_->setValue(sim.AspirationScore);
    lblAspirationScoreLevel_->setText(QString::number(trkAspirationScore_->value()));
    edtAspirationRewardPoints_->setText(QString::number(sim.AspirationRewardPoints * 10));
    rewardPointsTyped_ = false;
    rewardPointsSim_ = nullptr;
    trkAspirationLevel_->setValue(sim.AspirationLevel);
    lblAspirationLevel_->setText(QString::number(trkAspirationLevel_->value()));
    const bool notBaby = sim.Ages > 1;
    trkAspirationLevel_->setEnabled(notBaby);
    trkAspirationScore_->setEnabled(notBaby);

    const bool influence =
        (host_.Packs().HasUniversity && sim.YoungAdult == 1) || (HasLaterPacks()) || freeTime;
    pnlInfluence_->setEnabled(influence);
    if (influence) {
        lblInfluenceLevel_->setText("Influence Level: (" + QString::number(sim.InfluenceLevel) +
                                    ")");
        trkInfluenceLevel_->setValue(sim.InfluenceLevel);
        lblInfluenceMinimum_->setText("Influence Minimum: (" +
                                      QString::number(sim.InfluenceMinimum) + ")");
        lblInfluenceScore_->setText("Influence Score: (" + QString::number(sim.InfluenceScore) +
                                    ")");
    } else {
        lblInfluenceLevel_->setText("Influence Level: ");
        lblInfluenceMinimum_->setText("Influence Minimum: ");
        lblInfluenceScore_->setText("Influence Score: ");
    }

    if (freeTime) {
        pnlLongTerm_->setEnabled(true);
        ApplyAdvanced(AdvancedFor(sim));
    } else {
        pnlLongTerm_->setEnabled(false);
        cbAspiration1_->setEnabled(true);
        cbAspiration2_->setEnabled(false);
        lblFTAspireWarning_->setVisible(false);
        lblFTAspireWarning2_->setVisible(false);
    }
}

void AspirationPage::ApplyAdvanced(const AdvancedControls& controls) {
    // Without FreeTime the lists are the page's own business.
    if (!controls.GovernsAspirations) return;
    cbAspiration1_->setEnabled(controls.EnableAspirations);
    cbAspiration2_->setEnabled(controls.EnableAspirations);
    lblFTAspireWarning_->setVisible(controls.EnableAspirations);
    lblFTAspireWarning2_->setVisible(controls.EnableAspirations);
}

void AspirationPage::cbAspirationChange() {
    Character* sim = EditTarget();
    if (!sim) return;
    int secondary = -1;
    if (HasFreeTime()) {
        if (cbAspiration2_->currentIndex() == cbAspiration1_->currentIndex())
            cbAspiration2_->setCurrentIndex(0);
        secondary = cbAspiration2_->currentIndex();
    }
    sim->Aspiration = AspirationOf(cbAspiration1_->currentIndex(), secondary);
    Edited(*sim);
}

}  // namespace kinloom::gui
