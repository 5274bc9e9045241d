#include "gui/editors/CharacterPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/editing/EditingModel.h"
#include "core/editing/NameLists.h"
#include "core/packages/Utf8.h"
#include "core/records/BodyProperties.h"
#include "gui/shell/PageKit.h"
#include "gui/shell/TextBoxes.h"
#include "gui/shell/ThinSlider.h"

namespace kinloom::gui {

namespace {

// What the user may type; stored text beyond these is kept whole.
constexpr int kMaxName = 30;
constexpr int kMaxBiography = 1000;
// The day counters and the fitness preference are short numbers.
constexpr int kCounterFieldWidth = 110;

}  // namespace

CharacterPage::CharacterPage(PageHost& host, QWidget* parent)
    : EditingPage("pnlCharacters", host, parent) {
    BuildControls();
    ConnectControls();
}

void CharacterPage::BuildControls() {
    auto* outer = PageColumns(this);

    // Left column: who the sim is.
    auto* left = new QGridLayout;
    left->setVerticalSpacing(8);
    int row = 0;
    left->addWidget(Label("lblFirstName", "First Name:", this), row, 0);
    edtFirstName_ = new QLineEdit(this);
    edtFirstName_->setObjectName("edtFirstName");
    LimitTyping(edtFirstName_, kMaxName);
    left->addWidget(edtFirstName_, row++, 1);
    left->addWidget(Label("lblLastName", "Last Name:", this), row, 0);
    edtLastName_ = new QLineEdit(this);
    edtLastName_->setObjectName("edtLastName");
    LimitTyping(edtLastName_, kMaxName);
    left->addWidget(edtLastName_, row++, 1);
    left->addWidget(Label("lblCharacterDescription", "Bio:", this), row, 0, Qt::AlignTop);
    memCharacterDescription_ = new QPlainTextEdit(this);
    memCharacterDescription_->setObjectName("memCharacterDescription");
    memCharacterDescription_->setFixedHeight(100);
    LimitTyping(memCharacterDescription_, kMaxBiography);
    TabMovesFocus(memCharacterDescription_);
    left->addWidget(memCharacterDescription_, row++, 1);

    auto* gender = new QGroupBox("Gender", this);
    gender->setObjectName("gbGender");
    auto* genderRow = new QHBoxLayout(gender);
    rbMale_ = new QRadioButton(kGenderEntries[0], gender);
    rbMale_->setObjectName("rbMale");
    rbFemale_ = new QRadioButton(kGenderEntries[1], gender);
    rbFemale_->setObjectName("rbFemale");
    genderRow->addWidget(rbMale_);
    genderRow->addWidget(rbFemale_);
    genderRow->addStretch(1);
    left->addWidget(gender, row++, 0, 1, 2);

    left->addWidget(Label("lblAges", "Life Stage:", this), row, 0);
    cbAges_ = new QComboBox(this);
    cbAges_->setObjectName("cbAges");
    left->addWidget(cbAges_, row++, 1, Qt::AlignLeft);
    lblPersonAge_ = Label("lblPersonAge", "Life Stage: ", this);
    left->addWidget(lblPersonAge_, row++, 1);
    lblSpecies_ = Label("lblSpecies", "Species: ", this);
    left->addWidget(lblSpecies_, row++, 1);
    lblYoungAdult_ = Label("lblYoungAdult", "Young Adult:", this);
    left->addWidget(lblYoungAdult_, row, 0);
    ckYoungAdult_ = new QCheckBox(this);
    ckYoungAdult_->setObjectName("ckYoungAdult");
    StoredIn(ckYoungAdult_, {"YoungAdult"});
    left->addWidget(ckYoungAdult_, row++, 1);
    left->addWidget(Label("lblAgeDaysLeft", "Days Left in current Life Stage:", this), row, 0);
    edtAgeDaysLeft_ = NumberField("edtAgeDaysLeft", this, kCounterFieldWidth);
    left->addWidget(edtAgeDaysLeft_, row++, 1);
    left->addWidget(Label("lblAgeDuration", "Life Stage Duration:", this), row, 0);
    edtAgeDuration_ = NumberField("edtAgeDuration", this, kCounterFieldWidth);
    left->addWidget(edtAgeDuration_, row++, 1);
    left->addWidget(Label("lblDaysPrevAge", "Days in Previous Life Stage:", this), row, 0);
    edtDaysPrevAge_ = NumberField("edtDaysPrevAge", this, kCounterFieldWidth);
    edtDaysPrevAge_->setEnabled(false);  // shown only
    left->addWidget(edtDaysPrevAge_, row++, 1);
    left->setRowStretch(row, 1);
    outer->addLayout(left, 1);

    // Right column: body, preferences, sanity, thumbnail. A slider with its captions stands on a
    // sub-panel of its own, which a pet does not see.
    auto* right = new QVBoxLayout;
    right->setSpacing(8);
    pnlFatness_ = SubPanel("pnlFatness", this);
    {
        auto* l = new QGridLayout(pnlFatness_);
        l->setContentsMargins(0, 0, 0, 0);
        trkFatness_ = MakeSlider("trkFatness", 0, 1000, 10, 100);
        trkFatness_->setParent(pnlFatness_);
        trkFatness_->setAccessibleName("Fit to Fat");
        l->addWidget(Label("", "Fit", pnlFatness_), 0, 0);
        l->addWidget(trkFatness_, 0, 1);
        l->addWidget(Label("", "Fat", pnlFatness_), 0, 2);
        lblFatness_ = Label("lblFatness", "", pnlFatness_);
        lblFatness_->setAlignment(Qt::AlignCenter);
        l->addWidget(lblFatness_, 1, 1);
    }
    right->addWidget(pnlFatness_);
    lblFitnessNote_ = Wrapped(
        "lblFitnessNote",
        "Note: Changes to character fitness will not take effect until they eat or work out.",
        this);
    right->addWidget(lblFitnessNote_);

    auto prefPanel = [this](const char* panel, const char* slider, const char* label,
                            const QString& caption, ThinSlider*& trk, QLabel*& lbl) {
        QWidget* w = SubPanel(panel, this);
        auto* l = new QVBoxLayout(w);
        l->setContentsMargins(0, 0, 0, 0);
        lbl = Label(label, caption, w);
        trk = MakeSlider(slider, -1000, 1000, 30, 100);
        trk->setParent(w);
        l->addWidget(lbl);
        l->addWidget(trk);
        return w;
    };
    pnlMalePref_ = prefPanel("pnlMalePref", "trkMalePref", "lblMalePref",
                             "Male Preference: ", trkMalePref_, lblMalePref_);
    pnlFemalePref_ = prefPanel("pnlFemalePref", "trkFemalePref", "lblFemalePref",
                               "Female Preference: ", trkFemalePref_, lblFemalePref_);
    right->addWidget(pnlMalePref_);
    right->addWidget(pnlFemalePref_);

    auto* fitnessPref = new QHBoxLayout;
    lblFitnessPreference_ = Label("lblFitnessPreference", "Fitness Preference:", this);
    edtFitnessPreference_ = NumberField("edtFitnessPreference", this, kCounterFieldWidth);
    fitnessPref->addWidget(lblFitnessPreference_);
    fitnessPref->addWidget(edtFitnessPreference_);
    fitnessPref->addStretch(1);
    right->addLayout(fitnessPref);

    pnlLocoBalance_ = SubPanel("pnlLocoBalance", this);
    {
        auto* l = new QGridLayout(pnlLocoBalance_);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(Label("lblLocoBalance", "Sanity Balance", pnlLocoBalance_), 0, 0, 1, 3);
        lblLocoWeight0_ = Label("lblLocoWeight0", "", pnlLocoBalance_);
        trkLocoBalance_ = MakeSlider("trkLocoBalance", 0, 100, 5, 10);
        trkLocoBalance_->setParent(pnlLocoBalance_);
        lblLocoWeight1_ = Label("lblLocoWeight1", "", pnlLocoBalance_);
        l->addWidget(lblLocoWeight0_, 1, 0);
        l->addWidget(trkLocoBalance_, 1, 1);
        l->addWidget(lblLocoWeight1_, 1, 2);
        l->setColumnStretch(1, 1);
    }
    right->addWidget(pnlLocoBalance_);

    btnFixThumbs_ = Button("btnFixThumbs", "Fix Thumbnail", this);
    right->addWidget(btnFixThumbs_, 0, Qt::AlignLeft);
    QLabel* fixNote = Wrapped("lblFixThumbs",
                              "Fix Thumbnail deletes the current character thumbnail when saved "
                              "to allow the game to generate a replacement thumbnail image.",
                              this);
    right->addWidget(fixNote);
    right->addStretch(1);
    outer->addLayout(right, 1);
}

void CharacterPage::ConnectControls() {
    connect(edtFirstName_, &QLineEdit::textEdited, this,
            [this](const QString& t) { NameEdited(&Character::FirstName, t); });
    connect(edtLastName_, &QLineEdit::textEdited, this,
            [this](const QString& t) { NameEdited(&Character::LastName, t); });
    connect(memCharacterDescription_, &QPlainTextEdit::textChanged, this, [this] {
        Character* sim = EditTarget();
        if (!sim || SimNamesRefusal(*sim)) return;
        const std::optional<QString> typed = NewTypedText(*memCharacterDescription_);
        if (!typed) return;
        // Line breaks go back in the form the biography keeps them in.
        sim->CharacterDescription = EncodeUtf8(
            WithStoredLineBreaks(DecodeUtf8(sim->CharacterDescription), typed->toStdU16String()));
        Edited(*sim);
    });
    connect(rbMale_, &QRadioButton::toggled, this, [this](bool on) {
        Character* sim = EditTarget();
        if (!on || !sim) return;
        SetGender(*sim, 0);
        Edited(*sim);
    });
    connect(rbFemale_, &QRadioButton::toggled, this, [this](bool on) {
        Character* sim = EditTarget();
        if (!on || !sim) return;
        SetGender(*sim, 1);
        Edited(*sim);
    });
    connect(cbAges_, &QComboBox::activated, this, [this](int i) { cbAgesChange(i); });
    connect(ckYoungAdult_, &QCheckBox::toggled, this, [this](bool on) { ckYoungAdultClick(on); });
    connect(btnFixThumbs_, &QPushButton::clicked, this, [this] { btnFixThumbsClick(); });
    BindNumberField(edtAgeDaysLeft_, &Character::AgeDaysLeft);
    BindNumberField(edtAgeDuration_, &Character::AgeDuration);
    BindNumberField(edtDaysPrevAge_, &Character::DaysPrevAge);
    BindNumberField(edtFitnessPreference_, &Character::FitnessPreference);
    BindSlider(trkFatness_, &Character::Fatness,
               [this](int v) { lblFatness_->setText(QString::number(v)); });
    BindSlider(trkMalePref_, &Character::MalePref,
               [this](int v) { lblMalePref_->setText("Male Preference: " + QString::number(v)); });
    BindSlider(trkFemalePref_, &Character::FemalePref, [this](int v) {
        lblFemalePref_->setText("Female Preference: " + QString::number(v));
    });
    // The two sanity weights always sum to 100.
    connect(trkLocoBalance_, &QSlider::valueChanged, this, [this](int p) {
        lblLocoWeight0_->setText(QString::number(p));
        lblLocoWeight1_->setText(QString::number(100 - p));
        Character* sim = EditTarget();
        if (!sim) return;
        sim->LocoBalance = Low16(p);
        sim->LocoWeight1 = Low16(100 - p);
        Edited(*sim);
    });
}

void CharacterPage::Fill(const Character& sim) {
    const bool pet = IsPetSim(sim);
    ShowStoredText(memCharacterDescription_, Decoded(sim.CharacterDescription).trimmed());
    ShowStoredText(edtFirstName_, Decoded(sim.FirstName).trimmed());
    ShowStoredText(edtLastName_, Decoded(sim.LastName).trimmed());
    // Without a name list a new name could not be saved: the boxes are read-only and say why.
    const auto namesRefused = SimNamesRefusal(sim);
    RefuseTextEdits(edtFirstName_, namesRefused);
    RefuseTextEdits(edtLastName_, namesRefused);
    RefuseTextEdits(memCharacterDescription_, namesRefused);

    lblMalePref_->setText("Male Preference: " + QString::number(sim.MalePref));
    trkMalePref_->setValue(sim.MalePref);
    lblFemalePref_->setText("Female Preference: " + QString::number(sim.FemalePref));
    trkFemalePref_->setValue(sim.FemalePref);
    lblPersonAge_->setText("Life Stage: " + QString::number(sim.Ages));
    edtAgeDaysLeft_->setText(QString::number(sim.AgeDaysLeft));
    edtDaysPrevAge_->setText(QString::number(sim.DaysPrevAge));
    edtFitnessPreference_->setText(QString::number(sim.FitnessPreference));
    edtAgeDuration_->setText(QString::number(sim.AgeDuration));

    lblLocoWeight0_->setText(QString::number(sim.LocoBalance));
    lblLocoWeight1_->setText(QString::number(100 - trkLocoBalance_->value()));
    trkLocoBalance_->setValue(sim.LocoBalance);
    trkFatness_->setValue(sim.Fatness);
    lblFatness_->setText(QString::number(trkFatness_->value()));

    const bool youngAdultShown = host_.Packs().HasUniversity && sim.Ages == 19 && !pet;
    if (youngAdultShown) {
        if (sim.YoungAdult == 1) ckYoungAdult_->setChecked(true);
        if (sim.YoungAdult == 0) ckYoungAdult_->setChecked(false);
    }
    ckYoungAdult_->setVisible(youngAdultShown);
    lblYoungAdult_->setVisible(youngAdultShown);

    if (sim.Gender == 0) rbMale_->setChecked(true);
    if (sim.Gender == 1) rbFemale_->setChecked(true);

    cbAges_->clear();
    if (pet)
        for (const LifeStage& s : PetLifeStages()) cbAges_->addItem(s.Entry);
    else
        for (const LifeStage& s : HumanLifeStages()) cbAges_->addItem(s.Entry);
    cbAges_->setCurrentIndex(LifeStagePosition(sim, pet));
    if (const char* caption = SpeciesCaption(sim, pet)) lblSpecies_->setText(caption);

    btnFixThumbs_->setEnabled(!sim.ResetThumbnail && !sim.Thumbnail.Empty() &&
                              sim.FamilyNumber != 0);
    ApplyAdvanced(AdvancedFor(sim));
    pnlMalePref_->setVisible(!pet);
    pnlFemalePref_->setVisible(!pet);
    pnlFatness_->setVisible(!pet);
    lblFitnessNote_->setVisible(!pet);
}

void CharacterPage::ApplyAdvanced(const AdvancedControls& controls) {
    lblFitnessPreference_->setVisible(controls.ShowFitnessAndLocomotion);
    edtFitnessPreference_->setVisible(controls.ShowFitnessAndLocomotion);
    pnlLocoBalance_->setVisible(controls.ShowFitnessAndLocomotion);
    cbAges_->setEnabled(controls.EnableAgeAndGender);
    rbMale_->setEnabled(controls.EnableAgeAndGender);
    rbFemale_->setEnabled(controls.EnableAgeAndGender);
}

void CharacterPage::NameEdited(std::string Character::*field, const QString& text) {
    Character* sim = EditTarget();
    if (!sim || SimNamesRefusal(*sim)) return;
    sim->*field = EncodeUtf8(text.toStdU16String());
    host_.RelabelCurrentSim();
    Edited(*sim);
}

void CharacterPage::cbAgesChange(int position) {
    Character* sim = EditTarget();
    if (!sim) return;
    ApplyLifeStage(*sim, position, host_.Packs().HasPets);
    if (position != kAdultPosition) ckYoungAdult_->setChecked(false);
    if (ckYoungAdult_->isChecked() && position == kAdultPosition) sim->PropertyAge = kYoungAdultAge;
    lblPersonAge_->setText("Life Stage: " + QString::number(sim->Ages));
    // The game draws a new thumbnail for the changed age. Marked before the page is filled
    // again, so Fix Thumbnail is not offered for a thumbnail already on its way out.
    sim->ResetThumbnail = true;
    Reload();
    Edited(*sim);
}

void CharacterPage::ckYoungAdultClick(bool checked) {
    Character* sim = EditTarget();
    if (!sim) return;
    sim->YoungAdult = checked ? 1 : 0;
    if (cbAges_->currentText() == "Adult") sim->PropertyAge = checked ? kYoungAdultAge : kAdultAge;
    Edited(*sim);
}

void CharacterPage::btnFixThumbsClick() {
    Character* sim = EditTarget();
    if (!sim) return;
    btnFixThumbs_->setEnabled(false);
    sim->ResetThumbnail = true;
    Edited(*sim);
}

}  // namespace kinloom::gui
