#include "gui/editors/EditingPage.h"

#include <QLineEdit>

#include "core/editing/EditingModel.h"
#include "gui/shell/BusyGuard.h"
#include "gui/shell/ThinSlider.h"

namespace kinloom::gui {

EditingPage::EditingPage(const char* panelName, PageContext context, QWidget* parent)
    : QFrame(parent), context_(std::move(context)) {
    setObjectName(panelName);
    setFrameShape(QFrame::StyledPanel);
}

void EditingPage::Open(const std::function<void()>& pageSwitch) {
    pageSwitch_ = pageSwitch;
    Character* sim = context_.CurrentSim ? context_.CurrentSim() : nullptr;
    if (!sim) return;
    BusyGuard busy(this);
    Fill(*sim);
    pageSwitch();
}

Character* EditingPage::EditTarget() const {
    if (!isEnabled() || !context_.CurrentSim) return nullptr;
    return context_.CurrentSim();
}

void EditingPage::Edited(Character& sim) {
    sim.Modified = true;
    if (context_.ShowSave) context_.ShowSave();
}

bool EditingPage::IsPetSim(const Character& sim) const {
    return IsPet(sim, context_.HasPets && context_.HasPets());
}

bool EditingPage::HasFreeTime() const {
    return context_.HasFreeTime && context_.HasFreeTime();
}

InstalledPacks EditingPage::Packs() const {
    if (context_.Packs) return ToInstalledPacks(context_.Packs());
    InstalledPacks packs;
    packs.HasPets = context_.HasPets && context_.HasPets();
    packs.HasFreeTime = HasFreeTime();
    packs.HasUniversity = context_.HasUniversity && context_.HasUniversity();
    packs.HasNightlife = context_.HasNightlife && context_.HasNightlife();
    return packs;
}

AdvancedControls EditingPage::AdvancedFor(const Character& sim) const {
    const bool on = context_.Advanced && context_.Advanced();
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
    if (!context_.Random) return;
    context_.Random->Reseed();
    for (ThinSlider* slider : group) slider->setValue(context_.Random->Draw());
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
