#include "gui/editors/RelationshipsPage.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include "core/editing/Attraction.h"
#include "core/editing/LoadedNeighborhood.h"
#include "core/platform/Messages.h"
#include "gui/shell/KeyboardAccess.h"
#include "gui/shell/PageKit.h"
#include "gui/shell/PictureEntryDelegate.h"
#include "gui/shell/ThinSlider.h"

namespace kinloom::gui {

namespace {

QString Name(const Character& sim) {
    return QString::fromStdU16String(SimFullName(sim));
}

QComboBox* TraitList(const char* name, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    for (const char* entry : AttractionListEntries()) list->addItem(entry);
    list->setMinimumContentsLength(16);
    return list;
}

}  // namespace

RelationshipsPage::RelationshipsPage(PageHost& host, QWidget* parent)
    : EditingPage("pnlRelationships", host, parent) {
    BuildControls();
    ConnectControls();
    one_.trkShortTerm->setEnabled(false);  // closed until a relationship is shown
    SetRelationshipControls(false);
}

void RelationshipsPage::BuildControls() {
    auto* outer = PageColumn(this);

    auto* top = new QHBoxLayout;
    top->addWidget(Label("lblRelationShips", "Relationships:", this));
    cbRelationShips_ = new QComboBox(this);
    cbRelationShips_->setObjectName("cbRelationShips");
    cbRelationShips_->setIconSize(QSize(kListPictureSize, kListPictureSize));
    cbRelationShips_->setMinimumContentsLength(34);
    // Each sim with its picture, grey for a sim outside every household.
    PictureEntryStyle entries;
    entries.TextLeft = 1 + kListPictureSize + 4;
    entries.TextTop = 8;
    entries.SingleLine = true;
    cbRelationShips_->setItemDelegate(new PictureEntryDelegate(entries, cbRelationShips_));
    top->addWidget(cbRelationShips_);
    top->addSpacing(12);
    btnMaxBothRelationships_ = Button("btnMaxBothRelationships", "Max Both Relationships", this);
    top->addWidget(btnMaxBothRelationships_);
    top->addStretch(1);
    outer->addLayout(top);

    auto* sides = new QHBoxLayout;
    sides->setSpacing(12);
    sides->addWidget(BuildDirection(one_, "pnlRelationshipsOne", "", "lblSimLike", kSimLikeCaption),
                     1);
    sides->addWidget(
        BuildDirection(two_, "pnlRelationshipsTwo", "2", "lblSim2Like", kSim2LikeCaption), 1);
    outer->addLayout(sides);
    outer->addWidget(BuildAttraction());
    outer->addStretch(1);
}

void RelationshipsPage::ConnectControls() {
    ConnectDirection(one_, RelationshipSide::Selected);
    ConnectDirection(two_, RelationshipSide::Other);
    connect(cbRelationShips_, &QComboBox::activated, this, [this] { cbRelationShipsChange(); });
    connect(btnMaxBothRelationships_, &QPushButton::clicked, this,
            [this] { btnMaxBothRelationshipsClick(); });
    for (QComboBox* list : {cbTurnOn1_, cbTurnOn2_, cbTurnOff_})
        connect(list, &QComboBox::activated, this, [this] { cbTurnOnOffChange(); });
}

QWidget* RelationshipsPage::BuildDirection(Direction& d, const char* panelName, const char* suffix,
                                           const char* likeName, const char* likeCaption) {
    auto* panel = new QGroupBox(this);
    panel->setObjectName(panelName);
    d.Panel = panel;
    auto* l = new QVBoxLayout(panel);
    l->setSpacing(6);
    d.lblLike = Heading(likeName, likeCaption, panel);
    d.lblLike->setWordWrap(true);
    l->addWidget(d.lblLike);

    const QString end(suffix);
    auto term = [&](const char* name, const QString& caption, ThinSlider*& slider, QLabel*& label) {
        label = Label(QString("lbl") + name + end, caption, panel);
        l->addWidget(label);
        auto* row = new QHBoxLayout;
        row->addWidget(Label("", "-100", panel));
        slider = MakeSlider((QString("trk") + name + end).toLatin1().constData(), kRelationshipMin,
                            kRelationshipMax, 10, 10);
        slider->setParent(panel);
        slider->setAccessibleName(CaptionName(caption));  // not the "-100" beside it
        row->addWidget(slider, 1);
        row->addWidget(Label("", "100", panel));
        l->addLayout(row);
    };
    term("ShortTerm", "Short Term: ", d.trkShortTerm, d.lblShortTerm);
    term("LongTerm", "Long Term: ", d.trkLongTerm, d.lblLongTerm);

    auto* flags = new QGridLayout;
    flags->setHorizontalSpacing(6);
    flags->setVerticalSpacing(4);
    const auto& table = RelationshipFlags();
    constexpr int kRows = 5;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const RelationshipFlag& f = table[i];
        auto* box = new QCheckBox(panel);
        box->setObjectName(QString("ck") + f.Name + end);
        QLabel* caption = Label(QString("lbl") + f.Name + end, f.Caption, panel);
        caption->setBuddy(box);
        caption->installEventFilter(this);
        const int row = static_cast<int>(i) % kRows;
        const int column = static_cast<int>(i) / kRows * 2;
        flags->addWidget(box, row, column);
        flags->addWidget(caption, row, column + 1);
        d.Boxes[i] = box;
        d.Captions[i] = caption;
    }
    flags->setColumnStretch(1, 1);
    flags->setColumnStretch(3, 1);
    l->addSpacing(4);
    l->addLayout(flags);
    l->addStretch(1);
    return panel;
}

QWidget* RelationshipsPage::BuildAttraction() {
    pnlAttraction_ = new QGroupBox(this);
    pnlAttraction_->setObjectName("pnlAttraction");
    auto* l = new QGridLayout(pnlAttraction_);
    l->setHorizontalSpacing(16);
    l->setVerticalSpacing(6);

    auto traitGrid = [this](std::array<QLabel*, 8>& labels, const char* prefix) {
        auto* grid = new QGridLayout;
        grid->setHorizontalSpacing(16);
        for (std::size_t i = 0; i < labels.size(); ++i) {
            const QString name = QString(prefix) + QString::number(i + 1);
            labels[i] = Label(name, "", pnlAttraction_);
            labels[i]->setMinimumWidth(110);
            grid->addWidget(labels[i], static_cast<int>(i) / 2, static_cast<int>(i) % 2);
        }
        return grid;
    };

    lblSelAttractionTraits_ =
        Label("lblSelAttractionTraits", "Selected Character Attraction Traits:", pnlAttraction_);
    l->addWidget(lblSelAttractionTraits_, 0, 0);
    l->addLayout(traitGrid(lblTrait_, "lblTrait"), 1, 0);
    lblRelAttractionTraits_ = Label("lblRelAttractionTraits",
                                    "Relationship Character Attraction Traits:", pnlAttraction_);
    l->addWidget(lblRelAttractionTraits_, 0, 1);
    l->addLayout(traitGrid(lblRelTrait_, "lblRelTrait"), 1, 1);

    auto* choices = new QGridLayout;
    choices->setHorizontalSpacing(8);
    lblTurnOns_ = Label("lblTurnOns", "Selected Character Turn Ons:", pnlAttraction_);
    choices->addWidget(lblTurnOns_, 0, 0, 1, 2);
    cbTurnOn1_ = TraitList("cbTurnOn1", pnlAttraction_);
    cbTurnOn2_ = TraitList("cbTurnOn2", pnlAttraction_);
    cbTurnOn1_->setAccessibleName("First Turn On");
    cbTurnOn2_->setAccessibleName("Second Turn On");
    choices->addWidget(cbTurnOn1_, 1, 0);
    choices->addWidget(cbTurnOn2_, 1, 1);
    lblTurnOff_ = Label("lblTurnOff", "Selected Character Turn Off:", pnlAttraction_);
    choices->addWidget(lblTurnOff_, 2, 0, 1, 2);
    cbTurnOff_ = TraitList("cbTurnOff", pnlAttraction_);
    choices->addWidget(cbTurnOff_, 3, 0);
    choices->setColumnStretch(2, 1);
    l->addLayout(choices, 2, 0, 1, 2);
    l->setColumnStretch(0, 1);
    l->setColumnStretch(1, 1);
    return pnlAttraction_;
}

void RelationshipsPage::ConnectDirection(Direction& d, RelationshipSide side) {
    // Captions follow the sliders always; writing waits for the guard.
    connect(d.trkShortTerm, &QSlider::valueChanged, this, [this, &d, side](int v) {
        d.lblShortTerm->setText("Short Term: " + QString::number(v));
        TermChanged(side, RelationshipTerm::Short, v);
    });
    connect(d.trkLongTerm, &QSlider::valueChanged, this, [this, &d, side](int v) {
        d.lblLongTerm->setText("Long Term: " + QString::number(v));
        TermChanged(side, RelationshipTerm::Long, v);
    });
    for (std::size_t i = 0; i < d.Boxes.size(); ++i)
        connect(d.Boxes[i], &QCheckBox::toggled, this, [this, i, side](bool on) {
            if (side == RelationshipSide::Selected)
                ckFlagOneClick(i, on);
            else
                ckFlagTwoClick(i, on);
        });
}

bool RelationshipsPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* caption = qobject_cast<QLabel*>(watched);
        auto* box = caption ? qobject_cast<QCheckBox*>(caption->buddy()) : nullptr;
        if (box && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            box->click();  // nothing for a disabled box
            return true;
        }
    }
    return EditingPage::eventFilter(watched, event);
}

void RelationshipsPage::ApplyAdvanced(bool on) {
    const auto& table = RelationshipFlags();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (!table[i].Advanced) continue;
        for (Direction* d : {&one_, &two_}) {
            d->Boxes[i]->setVisible(on);
            d->Captions[i]->setVisible(on);
        }
    }
}

// ---- Filling ----

void RelationshipsPage::Fill(const Character& sim) {
    guard_ = false;
    one_.trkShortTerm->setEnabled(false);
    cbRelationShips_->clear();
    entries_.clear();
    FillAttraction(sim);

    if (LoadedNeighborhood* state = host_.Neighborhood())
        entries_ = RelationshipEntries(*state, sim);
    for (const RelationshipEntry& e : entries_) {
        // The closed box shows the picture as its icon, the open list draws it itself.
        const QImage picture = SimPicture(*e.Other);
        cbRelationShips_->addItem(QIcon(QPixmap::fromImage(picture)),
                                  QString::fromStdU16String(e.Label));
        cbRelationShips_->setItemData(cbRelationShips_->count() - 1, picture, kEntryPictureRole);
    }

    ApplyAdvanced(host_.AdvancedOn());

    if (!entries_.empty()) {
        SetRelationshipControls(true);
        cbRelationShips_->setCurrentIndex(0);
        cbRelationShipsChange();  // opens the guard at its end
        return;
    }
    // Nothing to edit: the controls rest at neutral values, disabled, without captions. The
    // guard is closed, so setting them writes nothing.
    SetRelationshipControls(false);
    for (Direction* d : {&one_, &two_}) {
        d->Panel->show();
        d->trkShortTerm->setValue(0);
        d->trkLongTerm->setValue(0);
        for (QCheckBox* box : d->Boxes) box->setChecked(false);
    }
    one_.lblLike->setText(kSimLikeCaption);
    two_.lblLike->setText(kSim2LikeCaption);
    ShowRelationTraits(nullptr);
}

void RelationshipsPage::FillAttraction(const Character& sim) {
    for (QLabel* l : lblTrait_) l->clear();
    for (QLabel* l : lblRelTrait_) l->clear();
    pnlAttraction_->hide();
    if (!sim.HasBody) return;
    pnlAttraction_->show();

    const QString name = Name(sim);
    lblSelAttractionTraits_->setText("Attraction Traits for " + name + ":");
    lblRelAttractionTraits_->clear();
    lblTurnOns_->setText("Turn-Ons for " + name + ":");
    lblTurnOff_->setText("Turn-Off for " + name + ":");

    const AttractionView view = ReadAttraction(sim);
    for (std::size_t i = 0; i < view.Traits.size() && i < lblTrait_.size(); ++i)
        lblTrait_[i]->setText(QString::fromStdString(view.Traits[i]));
    for (const std::string& report : view.Reports) host_.Messages().Show(report);

    // Choices the sim's description cannot keep are not offered: they would be lost at Save.
    const bool stored = TurnChoicesStored(sim);
    for (QComboBox* list : {cbTurnOn1_, cbTurnOn2_, cbTurnOff_}) {
        list->setEnabled(stored);
        if (auto* model = qobject_cast<QStandardItemModel*>(list->model()))
            for (int number = 1; number <= kTraitCount; ++number)
                model->item(number)->setEnabled(TurnChoiceStored(sim, number));
    }
    // Selecting from code runs no handler: filling writes nothing.
    cbTurnOn1_->setCurrentIndex(view.TurnOn1);
    cbTurnOn2_->setCurrentIndex(view.TurnOn2);
    cbTurnOff_->setCurrentIndex(view.TurnOff);
}

void RelationshipsPage::ShowRelationTraits(const Character* other) {
    lblRelAttractionTraits_->clear();
    for (QLabel* l : lblRelTrait_) l->clear();
    if (!other || !other->HasBody) return;
    lblRelAttractionTraits_->setText("Attraction Traits for " + Name(*other) + ":");
    const std::vector<std::string> traits = TraitLabels(other->AttractionTraits);
    for (std::size_t i = 0; i < traits.size() && i < lblRelTrait_.size(); ++i)
        lblRelTrait_[i]->setText(QString::fromStdString(traits[i]));
}

void RelationshipsPage::SetRelationshipControls(bool on) {
    for (Direction* d : {&one_, &two_}) {
        if (d != &one_) d->trkShortTerm->setEnabled(on);
        d->trkLongTerm->setEnabled(on);
        for (QCheckBox* box : d->Boxes) box->setEnabled(on);
        for (QLabel* l : {d->lblLike, d->lblShortTerm, d->lblLongTerm}) l->setVisible(on);
        // Only a locked control explains itself (LockReadOnly).
        d->trkShortTerm->setToolTip({});
        d->trkLongTerm->setToolTip({});
        for (QCheckBox* box : d->Boxes) box->setToolTip({});
        for (QLabel* caption : d->Captions) caption->setToolTip({});
    }
    cbRelationShips_->setEnabled(on);
    btnMaxBothRelationships_->setEnabled(on);
    btnMaxBothRelationships_->setToolTip({});
}

void RelationshipsPage::LockReadOnly(const RelationshipRecord& record,
                                     const std::vector<RelationshipRecord*>& reverses) {
    const bool own = record.ReadOnly;
    const bool other = std::any_of(reverses.begin(), reverses.end(),
                                   [](const RelationshipRecord* q) { return q->ReadOnly; });
    if (!own && !other) return;
    const auto& table = RelationshipFlags();
    auto lock = [](QWidget* w, const char* why) {
        w->setEnabled(false);
        w->setToolTip(why);
    };
    // A read-only direction: all of its own controls, and the other panel's mutual boxes, whose
    // flag would be written into it as well.
    auto lockDirection = [&](Direction& locked, Direction& mirrored) {
        lock(locked.trkShortTerm, kReadOnlyDirectionTip);
        lock(locked.trkLongTerm, kReadOnlyDirectionTip);
        for (std::size_t i = 0; i < table.size(); ++i) {
            lock(locked.Boxes[i], kReadOnlyDirectionTip);
            locked.Captions[i]->setToolTip(kReadOnlyDirectionTip);
            if (!table[i].Mutual) continue;
            lock(mirrored.Boxes[i], kReadOnlyMutualTip);
            mirrored.Captions[i]->setToolTip(kReadOnlyMutualTip);
        }
    };
    if (own) lockDirection(one_, two_);
    if (other) lockDirection(two_, one_);
    lock(btnMaxBothRelationships_, kReadOnlyPairTip);
}

void RelationshipsPage::ShowTerms(Direction& d, const RelationshipRecord& record) {
    // A value beyond the slider shows at its end; the record keeps it until the slider moves.
    d.trkShortTerm->setValue(record.ShortTerm);
    d.lblShortTerm->setText("Short Term: " + QString::number(d.trkShortTerm->value()));
    d.trkLongTerm->setValue(record.LongTerm);
    d.lblLongTerm->setText("Long Term: " + QString::number(d.trkLongTerm->value()));
}

void RelationshipsPage::cbRelationShipsChange() {
    guard_ = false;  // nothing below is an edit
    one_.trkShortTerm->setEnabled(false);
    RelationshipRecord* r = Shown();
    if (!r) return;
    const auto& table = RelationshipFlags();
    ShowTerms(one_, *r);
    for (std::size_t i = 0; i < table.size(); ++i) one_.Boxes[i]->setChecked(HasFlag(*r, table[i]));

    one_.lblLike->clear();
    two_.lblLike->clear();
    ShowRelationTraits(nullptr);
    one_.Panel->hide();
    two_.Panel->hide();

    // The reverse record is looked for anew: the other sim's feelings may have no entry at all,
    // and then the relationship cannot be edited.
    const std::vector<RelationshipRecord*> reverses = ReversesOf(*List(), *r);
    if (!reverses.empty()) {
        const RelationshipRecord& q = *reverses.front();  // the one Save writes back
        one_.Panel->show();
        two_.Panel->show();
        ShowTerms(two_, q);
        for (std::size_t i = 0; i < table.size(); ++i) {
            const bool set = HasFlag(q, table[i]);
            two_.Boxes[i]->setChecked(set);
            // Mutual flags show the other side's state in both panels.
            if (table[i].Mutual) one_.Boxes[i]->setChecked(set);
        }
        LoadedNeighborhood* state = host_.Neighborhood();
        Character* current = host_.CurrentSim();
        Character* other = SimOfInstance(*state, r->SimB);
        if (other && current) {
            one_.lblLike->setText(QString::fromStdU16String(LikesCaption(*current, *other)));
            two_.lblLike->setText(QString::fromStdU16String(LikesCaption(*other, *current)));
            ShowRelationTraits(other);
        }
    }

    SetRelationshipControls(!entries_.empty());
    btnMaxBothRelationships_->setEnabled(!entries_.empty() && !reverses.empty());
    LockReadOnly(*r, reverses);
    guard_ = !entries_.empty();
    one_.trkShortTerm->setEnabled(guard_ && !r->ReadOnly);
}

// ---- Edits ----

std::vector<RelationshipRecord>* RelationshipsPage::List() const {
    LoadedNeighborhood* state = host_.Neighborhood();
    return state ? &state->Relationships : nullptr;
}

RelationshipRecord* RelationshipsPage::Shown() const {
    const int index = cbRelationShips_->currentIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= entries_.size()) return nullptr;
    std::vector<RelationshipRecord>* list = List();
    const std::size_t record = entries_[static_cast<std::size_t>(index)].Record;
    if (!list || record >= list->size()) return nullptr;
    return &(*list)[record];
}

bool RelationshipsPage::GuardOpen() const {
    return guard_ && !entries_.empty() && Shown() != nullptr;
}

// An edit core refused (its controls are locked, so only a change made some other way gets
// here): say why, and show the records as they still are.
void RelationshipsPage::Refused(const RelationshipEdit& edit) {
    host_.Messages().Show(*edit.Refused);
    cbRelationShipsChange();
}

void RelationshipsPage::TermChanged(RelationshipSide side, RelationshipTerm term, int value) {
    if (!GuardOpen()) return;
    const RelationshipEdit edit = WriteRelationshipTerm(*List(), *Shown(), side, term, value);
    if (edit.Refused) return Refused(edit);
    if (edit.Wrote) host_.ShowSave();
}

void RelationshipsPage::ckFlagOneClick(std::size_t flag, bool on) {
    const RelationshipFlag& f = RelationshipFlags()[flag];
    if (!GuardOpen()) return;
    if (f.Mutual && !one_.Boxes[flag]->isEnabled()) return;
    const RelationshipEdit edit =
        WriteRelationshipFlag(*List(), *Shown(), RelationshipSide::Selected, f, on);
    if (edit.Refused) return Refused(edit);
    host_.ShowSave();
    if (f.Mutual) two_.Boxes[flag]->setChecked(on);
}

void RelationshipsPage::ckFlagTwoClick(std::size_t flag, bool on) {
    const RelationshipFlag& f = RelationshipFlags()[flag];
    if (f.Mutual) {
        // The panel-one box of the flag writes both directions when it changes.
        one_.Boxes[flag]->setChecked(on);
        return;
    }
    if (!GuardOpen()) return;
    const RelationshipEdit edit =
        WriteRelationshipFlag(*List(), *Shown(), RelationshipSide::Other, f, on);
    if (edit.Refused) return Refused(edit);
    if (edit.Wrote) host_.ShowSave();
}

void RelationshipsPage::btnMaxBothRelationshipsClick() {
    if (!GuardOpen()) return;
    const RelationshipEdit edit = MaxBothRelationships(*List(), *Shown());
    if (edit.Refused) return Refused(edit);
    if (edit.Wrote) host_.ShowSave();
    cbRelationShipsChange();  // the controls show the records as they are now
}

void RelationshipsPage::cbTurnOnOffChange() {
    Character* sim = EditTarget();
    if (!sim) return;
    WriteTurnChoices(*sim, cbTurnOn1_->currentIndex(), cbTurnOn2_->currentIndex(),
                     cbTurnOff_->currentIndex());
    Edited(*sim);
}

}  // namespace kinloom::gui
