#pragma once
// The Households page: the household chosen in cbHouseHold with its members, name, description
// and funds, and the selected sim's household numbers.

#include <QFrame>

#include "core/editing/LoadedNeighborhood.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kinloom::gui {

class SimPictureList;

class HouseholdsPage : public QFrame {
    Q_OBJECT
public:
    explicit HouseholdsPage(QWidget* parent = nullptr);

    // The neighborhood whose households are listed; nullptr empties the page. The list is filled
    // in the neighborhood's household order.
    void SetNeighborhood(LoadedNeighborhood* state);

    // Shows the sim's numbers, re-sorts the household list and selects the sim's household (the
    // previous one stays when the sim has none). Call while the page is disabled.
    void ShowFor(const Character& sim, bool advanced);

    Household* SelectedHousehold() const;

    // The Advanced switch: Move In is offered only while it is on (and members are listed).
    void ApplyAdvanced(bool showMoveIn);
    // Shows the selected household again (after Move In changed its members).
    void Refresh() { HouseholdSelectionChanged(); }

signals:
    // The user changed the selected household's name or description.
    void HouseholdEdited();
    // btnMoveIn: the selected sim is to become a member of the household shown.
    void MoveInRequested(Household* household);
    // The user chose a member in cbHouseMembers: that sim is to be selected.
    void MemberChosen(Character* sim);

private:
    // Creates and lays out the controls, in tab order.
    void BuildControls();
    // Wires the controls to the page's signals and handlers.
    void ConnectControls();
    void FillHouseholds(const Household* keep);
    void HouseholdSelectionChanged();
    void SetMembersVisible(bool visible);

    LoadedNeighborhood* state_ = nullptr;
    const Character* sim_ = nullptr;
    bool advanced_ = false;
    bool filling_ = false;

    QLabel* lblLingeringNumber_;
    QLabel* lblGhostFlags_;
    QLabel* lblFamilyNumber_;
    QComboBox* cbHouseHold_;
    QLabel* lblHouseHoldFile_;
    QLabel* lblFamFriends_;
    QLabel* lblHouseMembers_;
    SimPictureList* cbHouseMembers_;
    QLabel* lblHouseName_;
    QLineEdit* edtHouseholdName_;
    QLabel* lblHouseholdDescription_;
    QPlainTextEdit* memHouseholdDescription_;
    QLabel* lblCash_;
    QLabel* imgCash_;
    QLabel* imgFamily_;
    QLineEdit* edtCash_;
    QPushButton* btnMoveIn_;
};

}  // namespace kinloom::gui
