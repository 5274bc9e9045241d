#include "gui/editors/InterestsPage.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/editing/EditingModel.h"
#include "gui/shell/PageKit.h"
#include "gui/shell/ThinSlider.h"

namespace kinloom::gui {

InterestsPage::InterestsPage(PageHost& host, QWidget* parent)
    : EditingPage("pnlInterests", host, parent) {
    auto* outer = PageColumn(this, kTightSpacing);
    auto* columns = new QGridLayout;
    columns->setHorizontalSpacing(24);
    columns->setVerticalSpacing(4);
    const auto& interests = InterestFields();
    for (std::size_t i = 0; i < interests.size(); ++i) {
        const InterestField& interest = interests[i];
        const QByteArray name(interest.Name);
        // The last nine sit on their own sub-panel, which a pet does not see.
        QWidget* holder = this;
        if (!interest.PetCaption) {
            holder = SubPanel("pnl" + name, this);
            humanOnly_.push_back(holder);
        }
        auto* row = new QHBoxLayout;
        QLabel* label = Label("lbl" + name, interest.Caption, holder);
        label->setMinimumWidth(kCaptionWidth);
        ThinSlider* slider = MakeSlider(("trk" + name).constData(), 0, 1000, 10, 100);
        slider->setParent(holder);
        slider->setMinimumWidth(kSliderWidth);
        row->addWidget(label);
        row->addWidget(slider, 1);
        BindSlider(slider, interest.Member, [this, i](int value) { ShowCaption(i, value); });
        sliders_.push_back(slider);
        labels_.push_back(label);
        const int r = static_cast<int>(i % 9);
        const int c = static_cast<int>(i / 9);
        if (holder != this) {
            row->setContentsMargins(0, 0, 0, 0);
            holder->setLayout(row);
            columns->addWidget(holder, r, c);
        } else {
            columns->addLayout(row, r, c);
        }
    }
    outer->addLayout(columns);
    auto* buttons = new QHBoxLayout;
    QPushButton* random = Button("btnRandomInterests", "Random", this);
    QPushButton* max = Button("btnMaxInterests", "Max All", this);
    buttons->addStretch(1);
    buttons->addWidget(random);
    buttons->addWidget(max);
    outer->addLayout(buttons);
    outer->addStretch(1);
    const std::vector<QWidget*> group(sliders_.begin(), sliders_.end());
    WritesGroup(random, group);
    WritesGroup(max, group);
    connect(random, &QPushButton::clicked, this, [this, random] { Randomize(sliders_, random); });
    connect(max, &QPushButton::clicked, this, [this, max] { MaxAll(sliders_, max); });
}

bool InterestsPage::CurrentIsPet() const {
    const Character* sim = host_.CurrentSim();
    return sim && IsPetSim(*sim);
}

void InterestsPage::ShowCaption(std::size_t index, int value) {
    const InterestField& interest = InterestFields()[index];
    const bool pet = CurrentIsPet();
    labels_[index]->setText(QString::fromStdString(InterestCaption(interest, pet, value)));
}

void InterestsPage::Fill(const Character& sim) {
    for (std::size_t i = 0; i < sliders_.size(); ++i)
        sliders_[i]->setValue(sim.*(InterestFields()[i].Member));
    // A slider that did not move keeps its caption; renew them all so a pet never shows the
    // previous human's wording, nor a human the pet's.
    for (std::size_t i = 0; i < sliders_.size(); ++i) ShowCaption(i, sliders_[i]->value());
    const bool pet = IsPetSim(sim);
    for (QWidget* panel : humanOnly_) panel->setVisible(!pet);
}

}  // namespace kinloom::gui
