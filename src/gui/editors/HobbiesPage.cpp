#include "gui/editors/HobbiesPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/editing/EditingModel.h"
#include "gui/shell/PageKit.h"
#include "gui/shell/ThinSlider.h"

namespace kinloom::gui {

HobbiesPage::HobbiesPage(PageHost& host, QWidget* parent)
    : EditingPage("pnlHobbies", host, parent) {
    auto* outer = PageColumn(this, kTightSpacing);

    auto* talent = new QHBoxLayout;
    lblTalent_ = Label("lblTalent", "Natural Talent:", this);
    cbTalent_ = new QComboBox(this);
    cbTalent_->setObjectName("cbTalent");
    StoredIn(cbTalent_, {"Talent"});
    cbTalent_->addItem(kNoTalentEntry);
    for (const HobbyField& hobby : HobbyFields()) cbTalent_->addItem(hobby.TalentEntry);
    talent->addWidget(lblTalent_);
    talent->addWidget(cbTalent_);
    talent->addStretch(1);
    outer->addLayout(talent);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(4);
    const auto& hobbies = HobbyFields();
    for (std::size_t i = 0; i < hobbies.size(); ++i) {
        const HobbyField& hobby = hobbies[i];
        const QByteArray name(hobby.Name);
        QWidget* panel = SubPanel("pnl" + name, this);
        auto* row = new QHBoxLayout(panel);
        row->setContentsMargins(0, 0, 0, 0);
        QLabel* label = Label("lbl" + name, hobby.Caption, panel);
        label->setMinimumWidth(160);
        ThinSlider* slider = MakeSlider(("trk" + name).constData(), 0, 1000, 10, 100);
        slider->setParent(panel);
        slider->setMinimumWidth(kSliderWidth);
        row->addWidget(label);
        row->addWidget(slider, 1);
        BindSlider(slider, hobby.Member, [label, &hobby](int value) {
            label->setText(QString::fromStdString(HobbyCaption(hobby, value)));
        });
        sliders_.push_back(slider);
        panels_.push_back(panel);
        grid->addWidget(panel, static_cast<int>(i % 5), static_cast<int>(i / 5));
    }
    outer->addLayout(grid);
    lblNoHobbies_ =
        Label("lblNoHobbies", "Hobbies are available to sims in games with FreeTime.", this);
    lblNoHobbies_->hide();
    outer->addWidget(lblNoHobbies_);

    auto* buttons = new QHBoxLayout;
    btnRandomHobbies_ = Button("btnRandomHobbies", "Random", this);
    btnMaxHobbies_ = Button("btnMaxHobbies", "Max All", this);
    buttons->addStretch(1);
    buttons->addWidget(btnRandomHobbies_);
    buttons->addWidget(btnMaxHobbies_);
    btnRandomHobbies_->hide();  // until the page shows hobbies
    btnMaxHobbies_->hide();
    outer->addLayout(buttons);
    outer->addStretch(1);

    const std::vector<QWidget*> group(sliders_.begin(), sliders_.end());
    WritesGroup(btnRandomHobbies_, group);
    WritesGroup(btnMaxHobbies_, group);
    connect(btnRandomHobbies_, &QPushButton::clicked, this,
            [this] { Randomize(sliders_, btnRandomHobbies_); });
    connect(btnMaxHobbies_, &QPushButton::clicked, this,
            [this] { MaxAll(sliders_, btnMaxHobbies_); });
    connect(cbTalent_, &QComboBox::activated, this, [this](int entry) {
        Character* sim = EditTarget();
        if (!sim) return;
        sim->Talent = TalentOfEntry(entry);
        Edited(*sim);
    });
}

void HobbiesPage::Fill(const Character& sim) {
    // Hobbies belong to human sims of FreeTime games, whether or not Pets is installed.
    const bool available = HasFreeTime() && sim.Species == 0;
    if (available) {
        for (std::size_t i = 0; i < sliders_.size(); ++i)
            sliders_[i]->setValue(sim.*(HobbyFields()[i].Member));
        cbTalent_->setCurrentIndex(TalentListEntry(sim.Talent));
    }
    for (QWidget* panel : panels_) {
        panel->setVisible(available);
        panel->setEnabled(available);
    }
    btnRandomHobbies_->setVisible(available);
    btnMaxHobbies_->setVisible(available);
    cbTalent_->setVisible(available);
    lblTalent_->setVisible(available);
    lblNoHobbies_->setVisible(!available);
}

}  // namespace kinloom::gui
