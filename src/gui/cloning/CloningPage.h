#pragma once
// The Cloning Lab: takes ticked attribute groups over onto the selected sim (the target) from
// another sim of the neighborhood (Direct Clone), from a clone file or a Body Shop package (Get A
// Clone), and writes the target's own clone file (Create A Clone). Attributes change in memory at
// once; a new body is only noted and carried out by the next Save, and until then the target can
// take no other body and gives none.

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "core/cloning/Cloning.h"
#include "gui/editors/EditingPage.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace kinloom::gui {

// The open dialog's filter for Get A Clone; its second pair (clone files) is preselected.
inline constexpr const char* kGetACloneFilter =
    "All (*.clone;*.package)|*.clone;*.package|Kinloom Clone File (*.clone)|*.clone|Bodyshop "
    "Package File (*.package)|*.package";
// The save dialog's filter for Create A Clone.
inline constexpr const char* kCreateACloneFilter = "Kinloom Clone (*.clone)|*.CLONE";

class CloningPage : public EditingPage {
    Q_OBJECT
public:
    explicit CloningPage(PageHost& host, QWidget* parent = nullptr);

    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    void Fill(const Character& sim) override;

private:
    struct TickBox {
        QCheckBox* Box;
        QLabel* Label;
    };

    // Creates and lays out the controls, in tab order.
    void BuildControls();
    // Wires the controls to their handlers.
    void ConnectControls();
    void ShowTarget(const Character& sim);
    void ShowButtons(const Character& sim);
    // Shows the chosen source, or nothing when there is none.
    void cbCloningSelectChange();
    void btnCloneGetClick();
    void btnCloneImportClick();
    void btnCloneExportClick();

    // The groups ticked among the boxes shown.
    CloneGroups TickedGroups() const;
    // Why the target could keep nothing of the groups ticked; nullopt when it could keep some
    // (or nothing is ticked).
    std::optional<std::string> NothingKept(const Character& target) const;
    // After a clone was taken over: what the target's record cannot keep goes back to what it
    // was (before), and the player is told which fields were left out.
    void KeepOnlyStorable(const Character& before, Character& target);
    ExpansionFlags InstalledFlags() const;
    LoadedNeighborhood* Loaded() const;
    // The chosen source, or nullptr when the list is empty.
    Character* ChosenSource() const;

    std::vector<Character*> sources_;  // the entries of cbCloningSelect, in order

    QLabel* imgCloneOld_;
    QComboBox* cbCloningSelect_;
    QLabel* imgCloneNew_;
    QPushButton* btnCloneGet_;
    QPushButton* btnCloneImport_;
    QPushButton* btnCloneExport_;
    QLabel* lblPreviousClone_;
    std::array<TickBox, 12> boxes_{};
};

}  // namespace kinloom::gui
