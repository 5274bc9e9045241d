#include "gui/editors/EditingPage.h"

#include <QLineEdit>
#include <QStringList>

#include "core/editing/EditingModel.h"
#include "gui/shell/BusyGuard.h"
#include "gui/shell/TextBoxes.h"
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
    // A refused number belonged to the sim shown before; the page now shows what is stored.
    for (QLineEdit* box : findChildren<QLineEdit*>()) MarkRefusedNumber(box, std::nullopt);
    ReleaseStorableControls();
    Fill(*sim);
    // A slider set to the value it already had says nothing: its caption is written here, so a
    // 0 reads "(0)" as any other value does.
    for (const auto& [slider, caption] : sliderCaptions_)
        if (slider) caption(slider->value());
    pageSwitch();
    OfferStorableControls();
}

namespace {

constexpr const char* kUnstorableProperty = "kinloomUnstorable";

}  // namespace

void EditingPage::StoredIn(QWidget* control, std::vector<const CharacterField*> fields) {
    std::erase(fields, nullptr);
    if (!fields.empty()) storedControls_.push_back({control, std::move(fields), QString()});
}

void EditingPage::StoredIn(QWidget* control, std::initializer_list<const char*> fieldNames) {
    std::vector<const CharacterField*> fields;
    for (const char* name : fieldNames) fields.push_back(FindCharacterField(name));
    StoredIn(control, std::move(fields));
}

bool EditingPage::Unstorable(const QWidget& control) {
    return control.property(kUnstorableProperty).toBool();
}

void EditingPage::ReleaseStorableControls() {
    for (StoredControl& stored : storedControls_) {
        QWidget* control = stored.Control;
        if (!control || !Unstorable(*control)) continue;
        control->setProperty(kUnstorableProperty, false);
        control->setToolTip(stored.ToolTip);
        control->setEnabled(true);
    }
    for (GroupButton& group : groupButtons_) {
        QWidget* button = group.Button;
        if (!button || !Unstorable(*button)) continue;
        button->setProperty(kUnstorableProperty, false);
        button->setToolTip(group.ToolTip);
        button->setEnabled(true);
    }
}

void EditingPage::WritesGroup(QWidget* button, std::vector<QWidget*> group) {
    GroupButton entry{button, {}, QString()};
    for (QWidget* control : group) entry.Group.emplace_back(control);
    groupButtons_.push_back(std::move(entry));
}

const EditingPage::StoredControl* EditingPage::StoredFor(const QWidget* control) const {
    for (const StoredControl& stored : storedControls_)
        if (stored.Control == control) return &stored;
    return nullptr;
}

void EditingPage::SayLeftOut(QWidget* button) {
    for (const GroupButton& group : groupButtons_) {
        if (group.Button != button) continue;
        QStringList left;
        for (const QPointer<QWidget>& control : group.Group) {
            if (!control || !Unstorable(*control)) continue;
            if (const StoredControl* stored = StoredFor(control))
                for (const CharacterField* field : stored->Fields)
                    if (!left.contains(field->Name)) left << field->Name;
        }
        if (!left.isEmpty())
            SayBeside(button, "Left out, as this sim's record has no place for them: " +
                                  left.join(", ") + ".");
        return;
    }
}

void EditingPage::OfferStorableControls() {
    const Character* sim = host_.CurrentSim();
    if (!sim) return;
    for (StoredControl& stored : storedControls_) {
        QWidget* control = stored.Control;
        if (!control) continue;
        std::optional<std::string> why;
        for (const CharacterField* field : stored.Fields)
            if (!why) why = WhyNotStorable(*sim, *field);
        if (!why) continue;
        if (!Unstorable(*control)) stored.ToolTip = control->toolTip();
        control->setProperty(kUnstorableProperty, true);
        control->setEnabled(false);
        control->setToolTip(
            QString::fromStdString("This sim's record has no place for this: " + *why));
    }
    // A button whose every control was taken away would write nothing that could be kept.
    for (GroupButton& group : groupButtons_) {
        QWidget* button = group.Button;
        if (!button || group.Group.empty()) continue;
        const QWidget* kept = nullptr;
        for (const QPointer<QWidget>& control : group.Group)
            if (control && !Unstorable(*control)) kept = control;
        if (kept) continue;
        if (!Unstorable(*button)) group.ToolTip = button->toolTip();
        button->setProperty(kUnstorableProperty, true);
        button->setEnabled(false);
        const QWidget* first = group.Group.front();
        button->setToolTip("This sim's record has no place for anything this writes: " +
                           (first ? first->toolTip().section(": ", 1, -1) : QString()));
    }
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
    StoredIn(slider, {FindCharacterField(field)});
    if (caption) sliderCaptions_.push_back({slider, caption});
    connect(slider, &QSlider::valueChanged, this,
            [this, field, caption = std::move(caption)](int value) {
                if (caption) caption(value);
                Character* sim = EditTarget();
                if (!sim) return;
                sim->*field = Low16(value);
                Edited(*sim);
            });
}

void EditingPage::MaxAll(const std::vector<ThinSlider*>& group, QWidget* button) {
    for (ThinSlider* slider : group)
        if (!Unstorable(*slider)) slider->setValue(slider->maximum());
    SayLeftOut(button);
}

void EditingPage::Randomize(const std::vector<ThinSlider*>& group, QWidget* button) {
    TraitRandom& random = host_.Random();
    random.Reseed();
    for (ThinSlider* slider : group)
        if (!Unstorable(*slider)) slider->setValue(random.Draw());
    SayLeftOut(button);
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

void EditingPage::BindNumberField(QLineEdit* box, std::int16_t Character::*field) {
    StoredIn(box, {FindCharacterField(field)});
    // Every edit of the user counts, pasted text included, not only key releases.
    connect(box, &QLineEdit::textEdited, this, [this, box, field] {
        CleanNumberField(*box);
        Character* sim = EditTarget();
        if (!sim) return;
        const NumberFit fit = TypedNumber(box->text().toStdU16String(), RangeOf<std::int16_t>());
        if (!fit.Value) {
            // The box goes on showing what the sim keeps, and says why at once.
            box->setText(QString::number(sim->*field));
            MarkRefusedNumber(box, fit.Problem + "; the sim keeps " + std::to_string(sim->*field));
            return;
        }
        MarkRefusedNumber(box, std::nullopt);
        sim->*field = static_cast<std::int16_t>(*fit.Value);
        Edited(*sim);
    });
}

}  // namespace kinloom::gui
