#pragma once
// The Relationships page: the sims the current sim knows, and for the chosen one both directions
// of the relationship side by side (how much the selected sim likes the other, and the other the
// selected sim): short and long term and ten flags each. Below, the attraction area: both sims'
// attraction traits and the selected sim's two turn-ons and one turn-off.
//
// Relationship edits are guarded by trkShortTerm's enabled state (closed while a relationship is
// being shown); the attraction lists by the page panel, as every page. A record whose entry is
// too short to change safely is shown with every control that would write into it disabled, its
// tooltip saying why; trkShortTerm is one of them when it is the shown record, so the guard is
// then kept apart from the slider.

#include <array>
#include <vector>

#include "core/editing/RelationshipEdits.h"
#include "gui/editors/EditingPage.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace kinloom::gui {

class RelationshipsPage : public EditingPage {
    Q_OBJECT
public:
    explicit RelationshipsPage(PageHost& host, QWidget* parent = nullptr);

    // The Advanced switch: shows or hides the Steady, Engaged, Married and UnAvailable boxes of
    // both directions with their captions.
    void ApplyAdvanced(bool on);
    AdvancedReach Advanced() const override { return AdvancedReach::EveryOpening; }
    void ApplyAdvanced(const AdvancedControls& controls) override {
        ApplyAdvanced(controls.ShowRelationshipStates);
    }

    // A flag's caption toggles its box, as the box's own text would.
    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    void Fill(const Character& sim) override;

private:
    // One direction: panel one edits the shown record, panel two every reverse record.
    struct Direction {
        QWidget* Panel = nullptr;
        QLabel* lblLike = nullptr;
        ThinSlider* trkShortTerm = nullptr;
        QLabel* lblShortTerm = nullptr;
        ThinSlider* trkLongTerm = nullptr;
        QLabel* lblLongTerm = nullptr;
        std::array<QCheckBox*, 10> Boxes{};
        std::array<QLabel*, 10> Captions{};
    };

    // Creates and lays out the controls, in tab order.
    void BuildControls();
    // Wires the controls to their handlers.
    void ConnectControls();
    QWidget* BuildDirection(Direction& d, const char* panelName, const char* suffix,
                            const char* likeName, const char* likeCaption);
    QWidget* BuildAttraction();
    void ConnectDirection(Direction& d, RelationshipSide side);

    void FillAttraction(const Character& sim);
    void ShowRelationTraits(const Character* other);
    void cbRelationShipsChange();
    void SetRelationshipControls(bool on);
    void LockReadOnly(const RelationshipRecord& record,
                      const std::vector<RelationshipRecord*>& reverses);
    void ShowTerms(Direction& d, const RelationshipRecord& record);
    void Refused(const RelationshipEdit& edit);

    bool GuardOpen() const;
    std::vector<RelationshipRecord>* List() const;
    RelationshipRecord* Shown() const;
    void TermChanged(RelationshipSide side, RelationshipTerm term, int value);
    void ckFlagOneClick(std::size_t flag, bool on);
    void ckFlagTwoClick(std::size_t flag, bool on);
    void btnMaxBothRelationshipsClick();
    void cbTurnOnOffChange();

    QComboBox* cbRelationShips_;
    QPushButton* btnMaxBothRelationships_;
    Direction one_;
    Direction two_;
    std::vector<RelationshipEntry> entries_;
    bool guard_ = false;  // open: the controls' changes are edits

    QWidget* pnlAttraction_;
    QLabel* lblSelAttractionTraits_;
    QLabel* lblRelAttractionTraits_;
    QLabel* lblTurnOns_;
    QLabel* lblTurnOff_;
    std::array<QLabel*, 8> lblTrait_{};
    std::array<QLabel*, 8> lblRelTrait_{};
    QComboBox* cbTurnOn1_;
    QComboBox* cbTurnOn2_;
    QComboBox* cbTurnOff_;
};

}  // namespace kinloom::gui
