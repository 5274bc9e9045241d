#include "gui/editors/SkillsPage.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/editing/EditingModel.h"
#include "gui/shell/PageKit.h"
#include "gui/shell/ThinSlider.h"

namespace kinloom::gui {

SkillsPage::SkillsPage(PageHost& host, QWidget* parent) : EditingPage("pnlSkills", host, parent) {
    auto* outer = PageColumn(this);

    outer->addWidget(Heading("", "Skills", this));
    auto* skillGrid = new QGridLayout;
    skillGrid->setHorizontalSpacing(12);
    int row = 0;
    for (const TraitField& skill : SkillFields()) {
        const QByteArray name(skill.Name);
        QLabel* label = Label("lbl" + name, QString(skill.Name) + ":", this);
        label->setMinimumWidth(kCaptionWidth);
        ThinSlider* slider = MakeSlider(("trk" + name).constData(), 0, 1000, 10, 100);
        BindSlider(slider, skill.Member, [label, &skill](int value) {
            label->setText(QString::fromStdString(SkillCaption(skill, value)));
        });
        skills_.push_back(slider);
        skillGrid->addWidget(label, row, 0);
        skillGrid->addWidget(slider, row, 1);
        ++row;
    }
    skillGrid->setColumnStretch(1, 1);
    outer->addLayout(skillGrid);
    auto* skillButtons = new QHBoxLayout;
    btnRandomSkills_ = Button("btnRandomSkills", "Random", this);
    btnMaxSkills_ = Button("btnMaxSkills", "Max All", this);
    skillButtons->addStretch(1);
    skillButtons->addWidget(btnRandomSkills_);
    skillButtons->addWidget(btnMaxSkills_);
    outer->addLayout(skillButtons);

    outer->addSpacing(8);
    outer->addWidget(Heading("", "Need Decay Modifiers", this));
    auto* needGrid = new QGridLayout;
    needGrid->setHorizontalSpacing(16);
    for (std::size_t n = 0; n < NeedFields().size(); ++n) {
        const TraitField& need = NeedFields()[n];
        const int r = static_cast<int>(n);
        needGrid->addWidget(Label("", QString(need.Name) + ":", this), r, 0);
        auto* group = new QButtonGroup(this);  // each row is its own choice
        for (std::size_t s = 0; s < kNeedDecaySteps.size(); ++s) {
            const int step = kNeedDecaySteps[s];
            auto* rb = new QRadioButton(kNeedDecayCaptions[s], this);
            rb->setObjectName(QString("rb%1%2").arg(need.Name).arg(step));
            group->addButton(rb);
            needs_[n][s] = rb;
            StoredIn(rb, {need.Name});
            needGrid->addWidget(rb, r, static_cast<int>(s) + 1);
            // Only the button that becomes checked writes, and only its own row.
            connect(rb, &QRadioButton::toggled, this, [this, member = need.Member, step](bool on) {
                if (!on) return;
                Character* sim = EditTarget();
                if (!sim) return;
                sim->*member = static_cast<std::int16_t>(step);
                Edited(*sim);
            });
        }
    }
    needGrid->setColumnStretch(5, 1);
    outer->addLayout(needGrid);
    auto* needButtons = new QHBoxLayout;
    btnFreeTime_ = Button("btnFreeTime", "Lotsa Free Time", this);
    needButtons->addStretch(1);
    needButtons->addWidget(btnFreeTime_);
    outer->addLayout(needButtons);
    outer->addStretch(1);

    const std::vector<QWidget*> skillGroup(skills_.begin(), skills_.end());
    WritesGroup(btnMaxSkills_, skillGroup);
    WritesGroup(btnRandomSkills_, skillGroup);
    std::vector<QWidget*> needGroup;
    for (const auto& needRow : needs_) needGroup.push_back(needRow.back());
    WritesGroup(btnFreeTime_, needGroup);
    connect(btnMaxSkills_, &QPushButton::clicked, this, [this] { MaxAll(skills_, btnMaxSkills_); });
    connect(btnRandomSkills_, &QPushButton::clicked, this,
            [this] { Randomize(skills_, btnRandomSkills_); });
    connect(btnFreeTime_, &QPushButton::clicked, this, [this] { btnFreeTimeClick(); });
}

void SkillsPage::Fill(const Character& sim) {
    for (std::size_t i = 0; i < skills_.size(); ++i)
        skills_[i]->setValue(sim.*(SkillFields()[i].Member));
    // A value the page does not offer shows as "Normal" and is kept until a button is clicked.
    for (std::size_t n = 0; n < needs_.size(); ++n)
        needs_[n][static_cast<std::size_t>(NeedDecayStep(sim.*(NeedFields()[n].Member)))]
            ->setChecked(true);

    const bool freeTime = HasFreeTime();
    for (const auto& row : needs_)
        for (QRadioButton* rb : row) rb->setEnabled(freeTime);
    btnFreeTime_->setEnabled(freeTime);

    const bool skillsEditable = !IsPetSim(sim);
    for (ThinSlider* slider : skills_) slider->setEnabled(skillsEditable);
    btnRandomSkills_->setEnabled(skillsEditable);
    btnMaxSkills_->setEnabled(skillsEditable);
}

void SkillsPage::btnFreeTimeClick() {
    // A row whose need the sim's record cannot keep is left out, and said.
    for (const auto& row : needs_)
        if (!Unstorable(*row.back())) row.back()->setChecked(true);
    SayLeftOut(btnFreeTime_);
}

}  // namespace kinloom::gui
