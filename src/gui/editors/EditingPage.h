#pragma once
// What every sim attribute page shares. A page is filled while its panel is disabled, and every
// handler first updates its caption and then returns while the panel is disabled, so filling
// never writes into the sim. An edit writes the current sim's field at once, marks the sim
// Modified and offers Save; nothing reaches the disk before Save.

#include <QFrame>
#include <QPointer>
#include <QSlider>
#include <QString>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

#include "core/editing/AdvancedSwitch.h"
#include "core/editing/CharacterFields.h"
#include "core/records/Character.h"
#include "gui/editors/PageHost.h"

class QLineEdit;

namespace kinloom::gui {

class ThinSlider;

class EditingPage : public QFrame {
    Q_OBJECT
public:
    EditingPage(const char* panelName, PageHost& host, QWidget* parent = nullptr);

    // How the Advanced switch reaches the page: not at all, when the page is filled, or also
    // each time the page is opened (the switch then has the last word on its expert controls).
    enum class AdvancedReach { None, WhenFilled, EveryOpening };
    virtual AdvancedReach Advanced() const { return AdvancedReach::None; }

    // Fills the page for the current sim under the busy cursor with the panel disabled, then
    // runs pageSwitch, which shows and enables it; the panel is enabled at the end even when
    // filling fails. Nothing happens without a current sim.
    void Open(const std::function<void()>& pageSwitch);

    // The Advanced switch's say on this page's controls; pages it does not govern ignore it.
    // Filling applies it too, so the page is right however it was reached.
    virtual void ApplyAdvanced(const AdvancedControls& controls) { (void)controls; }

    // Disables each control a save could not keep for the current sim (its description's
    // version has no place for the control's field), saying so on hover. Opening the page runs
    // it; the window runs it again after the Advanced switch had its say.
    void OfferStorableControls();

    // Takes (or refuses out loud) a value typed into a field that takes its value only when it
    // is left. The window calls it before anything that would pass over such a value: Save, the
    // unsaved-edits question, another sim, another page, undo. False when a value was refused:
    // the window then stays where it is, so the player sees why.
    virtual bool CommitTyping() { return true; }

protected:
    virtual void Fill(const Character& sim) = 0;

    // The sim an edit goes to; nullptr while the panel is disabled (it is being filled).
    Character* EditTarget() const;
    // Marks the sim changed and offers Save.
    void Edited(Character& sim);
    bool IsPetSim(const Character& sim) const;
    bool HasFreeTime() const;
    // The packs installed, as the window tells them.
    InstalledPacks Packs() const;
    // Nightlife, Seasons, Bon Voyage or FreeTime: the packs that give every sim influence.
    bool HasLaterPacks() const;
    // What the Advanced switch, as it stands now, decides for this sim.
    AdvancedControls AdvancedFor(const Character& sim) const;

    ThinSlider* MakeSlider(const char* name, int min, int max, int page, int tick);
    // Connects a slider: its caption follows every move, and with the panel enabled the
    // position is written into field.
    void BindSlider(ThinSlider* slider, std::int16_t Character::*field,
                    std::function<void(int)> caption);
    // "Max All": every slider of the group to its maximum; a slider already there writes nothing.
    // A slider whose field the sim's record cannot keep is left out, and button says which.
    void MaxAll(const std::vector<ThinSlider*>& group, QWidget* button);
    // "Random": reseed from the clock, then each slider in turn to its own draw over 0..998;
    // what cannot be kept is left out, as for MaxAll.
    void Randomize(const std::vector<ThinSlider*>& group, QWidget* button);

    // A button that writes the controls of a group at once (tied to their fields by StoredIn or
    // a binding): OfferStorableControls disables it, saying why, when none of them can be kept.
    void WritesGroup(QWidget* button, std::vector<QWidget*> group);
    // After a group button wrote: says beside it which of its controls it left out, if any.
    void SayLeftOut(QWidget* button);

    // Number fields: after each edit the text is cleaned (non-digits become "0", length and
    // caret kept) and, with the panel enabled, its value goes into field. A number the field
    // cannot hold is refused: the sim keeps its value, the box shows it again, marked, and says
    // why.
    void BindNumberField(QLineEdit* box, std::int16_t Character::*field);

    // Ties a control to the fields of the record it edits, for OfferStorableControls. Sliders
    // and number fields bound here are tied by their binding.
    void StoredIn(QWidget* control, std::initializer_list<const char*> fieldNames);
    // Whether the storable rule has taken the control away from the current sim.
    static bool Unstorable(const QWidget& control);

    // Fills the page again as it was last opened.
    void Reload() { Open(pageSwitch_); }

    PageHost& host_;

private:
    struct StoredControl {
        QPointer<QWidget> Control;
        std::vector<const CharacterField*> Fields;
        QString ToolTip;  // the control's own, given back when the rule lets go
    };
    void StoredIn(QWidget* control, std::vector<const CharacterField*> fields);
    const StoredControl* StoredFor(const QWidget* control) const;
    // Gives back what the rule took away for the previous sim, before the page is filled.
    void ReleaseStorableControls();

    std::function<void()> pageSwitch_;
    std::vector<StoredControl> storedControls_;
    std::vector<std::pair<QPointer<QSlider>, std::function<void(int)>>> sliderCaptions_;
    struct GroupButton {
        QPointer<QWidget> Button;
        std::vector<QPointer<QWidget>> Group;
        QString ToolTip;  // the button's own, given back when the rule lets go
    };
    std::vector<GroupButton> groupButtons_;
};

// Writes a number field's cleaned text back, keeping its length and the caret; returns its value.
std::int32_t CleanNumberField(QLineEdit& field);

}  // namespace kinloom::gui
