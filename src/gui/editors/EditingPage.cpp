#include "gui/editors/EditingPage.h"

#include <QLineEdit>

#include "core/editing/EditingModel.h"
#include "gui/shell/BusyGuard.h"
#include "gui/shell/ThinSlider.h"

namespace kinloom::gui {

EditingPage::EditingPage(const char* panelName, PageHost& host, QWidget* parent)
    : QFrame(parent), host_(host) {
    setObjectName(panelName);
    setFrameShape(QFrame::StyledPanel);
}

void EditingPage::Open(const std::function<void()>& pageSwitch) {
    pageSwitch_ = pageSwitch;
    Character* sim = host_.CurrentSim();
    if (!sim) return;
    BusyGuard busy(this);
    Fill(*sim);
    pageSwitch();
}

Character* EditingPage::EditTarget() const {
    if (!isEnabled()) return nullptr;
    return host_.CurrentSim();
}

void EditingPage::Edited(Character& sim) {
    sim.Modified = true;
    host_.ShowSave();
}

bool EditingPage::IsPetSim(const Character& sim) const {
    return IsPet(sim, host_.Packs().HasPets);
}

bool EditingPage::HasFreeTime() const {
    return host_.Packs().HasFreeTime;
}

InstalledPacks EditingPage::Packs() const {
    return ToInstalledPacks(host_.Packs());
}

bool EditingPage::HasLaterPacks() const {
    const ExpansionFlags& p = host_.Packs();
    return p.HasNightlife || p.HasSeasons || p.HasBonVoyage || p.HasFreeTime;
}

AdvancedControls EditingPage::AdvancedFor(const Character& sim) const {
    const bool on = host_.AdvancedOn();
    return AdvancedControlsFor(on, Packs(), static_cast<std::uint16_t>(sim.Species));
}

ThinSlider* EditingPage::MakeSlider(const char* name, int min, int max, int page, int tick) {
    auto* slider = new ThinSlider(Qt::Horizontal, this);
    slider->setObjectName(name);
    slider->setRange(min, max);
    slider->setPageStep(page);
    slider->setTickInterval(tick);
    slider->setTickPosition(QSlider::TicksBelow);
    return slider;
}

void EditingPage::BindSlider(ThinSlider* slider, std::int16_t Character::*field,
                             std::function<void(int)> caption) {
    connect(slider, &QSlider::valueChanged, this,
            [this, field, caption = std::move(caption)](int value) {
                if (caption) caption(value);
                Character* sim = EditTarget();
                if (!sim) return;
                sim->*field = Low16(value);
                Edited(*sim);
            });
}

void EditingPage::MaxAll(const std::vector<ThinSlider*>& group) {
    for (ThinSlider* slider : group) slider->setValue(slider->maximum());
}

void EditingPage::Randomize(const std::vector<ThinSlider*>& group) {
    TraitRandom& random = host_.Random();
    random.Reseed();
    for (ThinSlider* slider : group) slider->setValue(random.Draw());
}

std::int32_t CleanNumberField(QLineEdit& field) {
    const QString text = field.text();
    const QString cleaned = QString::fromStdU16String(CleanNumberText(text.toStdU16String()));
    if (cleaned != text) {
        const int caret = field.cursorPosition();
        field.setText(cleaned);
        field.setCursorPosition(caret);
    }
    return NumberFieldValue(cleaned.toStdU16String());
}

void EditingPage::BindNumberField(QLineEdit* field, std::function<void(std::int32_t)> store) {
    // Every edit of the user counts, pasted text included, not only key releases.
    connect(field, &QLineEdit::textEdited, this, [this, field, store = std::move(store)] {
        const std::int32_t value = CleanNumberField(*field);
        if (!isEnabled()) return;
        store(value);
    });
}

}  // namespace kinloom::gui
