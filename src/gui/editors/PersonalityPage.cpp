#include "gui/editors/PersonalityPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/editing/EditingModel.h"
#include "gui/shell/PageKit.h"
#include "gui/shell/ThinSlider.h"

namespace kinloom::gui {

namespace {

// The sign's text as the label shows it: "\r\n" breaks lines, "&&" is one "&".
QString InfoText(const ZodiacSign& sign) {
    return QString(sign.Info).replace("\r\n", "\n").replace("&&", "&");
}

}  // namespace

PersonalityPage::PersonalityPage(PageHost& host, QWidget* parent)
    : EditingPage("pnlPersonality", host, parent) {
    auto* outer = PageColumn(this);

    // One group per set: "" for the current traits, "Org" for the birth ones.
    auto buildSet = [this](const QString& title, const QByteArray& prefix,
                           std::vector<ThinSlider*>& sliders, const char* randomName,
                           const char* maxName) {
        auto* box = new QGroupBox(title, this);
        auto* grid = new QGridLayout(box);
        grid->setHorizontalSpacing(10);
        int row = 0;
        for (const PersonalityTrait& trait : PersonalityTraits()) {
            const QByteArray name = prefix + trait.Name;
            QLabel* low = Label("", trait.Low, box);
            low->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            low->setMinimumWidth(70);
            ThinSlider* slider = MakeSlider(("trk" + name).constData(), 0, 1000, 10, 100);
            slider->setParent(box);
            // Named by both ends of its scale, for the set it belongs to.
            slider->setAccessibleName((prefix.isEmpty() ? QString() : QString("Birth ")) +
                                      trait.Low + " to " + trait.High);
            QLabel* high = Label("", trait.High, box);
            high->setMinimumWidth(70);
            QLabel* level = Label("lbl" + name + "Level", "Level", box);
            level->setMinimumWidth(40);
            level->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            BindSlider(slider, prefix.isEmpty() ? trait.Current : trait.Birth,
                       [level](int value) { level->setText(QString::number(value)); });
            sliders.push_back(slider);
            grid->addWidget(low, row, 0);
            grid->addWidget(slider, row, 1);
            grid->addWidget(high, row, 2);
            grid->addWidget(level, row, 3);
            ++row;
        }
        grid->setColumnStretch(1, 1);
        auto* buttons = new QHBoxLayout;
        QPushButton* random = Button(randomName, "Random", box);
        QPushButton* max = Button(maxName, "Max All", box);
        buttons->addStretch(1);
        buttons->addWidget(random);
        buttons->addWidget(max);
        grid->addLayout(buttons, row, 0, 1, 4);
        const std::vector<QWidget*> group(sliders.begin(), sliders.end());
        WritesGroup(random, group);
        WritesGroup(max, group);
        connect(random, &QPushButton::clicked, this,
                [this, &sliders, random] { Randomize(sliders, random); });
        connect(max, &QPushButton::clicked, this, [this, &sliders, max] { MaxAll(sliders, max); });
        buttons_.push_back(random);
        buttons_.push_back(max);
        return box;
    };
    outer->addWidget(
        buildSet("Personality", "", current_, "btnRandomPersonality", "btnMaxPersonality"));
    outer->addWidget(buildSet("Original (Birth)", "Org", birth_, "btnOrgRandomPersonality",
                              "btnOrgMaxPersonality"));

    auto* zodiac = new QHBoxLayout;
    QLabel* lblZodiac = Label("", "Zodiac Sign:", this);
    zodiac->addWidget(lblZodiac, 0, Qt::AlignTop);
    cbZodiac_ = new QComboBox(this);
    cbZodiac_->setObjectName("cbZodiac");
    for (const ZodiacSign& sign : ZodiacSigns()) cbZodiac_->addItem(sign.Name);
    cbZodiac_->setCurrentIndex(-1);
    zodiac->addWidget(cbZodiac_, 0, Qt::AlignTop);
    zodiac->addSpacing(16);
    lblZodiacInfo_ = Label("lblZodiacInfo", "Zodiac Information", this);
    lblZodiacInfo_->setTextFormat(Qt::PlainText);
    zodiac->addWidget(lblZodiacInfo_, 1);
    outer->addLayout(zodiac);
    outer->addStretch(1);

    connect(cbZodiac_, &QComboBox::activated, this, [this](int i) { cbZodiacChange(i); });
}

void PersonalityPage::Fill(const Character& sim) {
    const ZodiacSign* sign = ZodiacSignOf(sim.Zodiac);
    cbZodiac_->setCurrentIndex(sign ? sim.Zodiac - 1 : -1);
    // Without a sign the label keeps whatever it showed.
    if (sign) lblZodiacInfo_->setText(InfoText(*sign));
    for (std::size_t i = 0; i < current_.size(); ++i)
        current_[i]->setValue(sim.*(PersonalityTraits()[i].Current));
    for (std::size_t i = 0; i < birth_.size(); ++i)
        birth_[i]->setValue(sim.*(PersonalityTraits()[i].Birth));
    // A pet's traits follow its sign only; the sign list stays available.
    const bool editable = !IsPetSim(sim);
    for (ThinSlider* s : current_) s->setEnabled(editable);
    for (ThinSlider* s : birth_) s->setEnabled(editable);
    for (QPushButton* b : buttons_) b->setEnabled(editable);
}

void PersonalityPage::cbZodiacChange(int position) {
    if (position < 0 || position >= static_cast<int>(ZodiacSigns().size())) return;
    const ZodiacSign& sign = ZodiacSigns()[static_cast<std::size_t>(position)];
    if (Character* sim = EditTarget()) sim->Zodiac = static_cast<std::int16_t>(position + 1);
    for (std::size_t i = 0; i < birth_.size(); ++i) birth_[i]->setValue(sign.Traits[i]);
    for (std::size_t i = 0; i < current_.size(); ++i) current_[i]->setValue(sign.Traits[i]);
    lblZodiacInfo_->setText(InfoText(sign));
    if (Character* sim = EditTarget()) Edited(*sim);
}

}  // namespace kinloom::gui
