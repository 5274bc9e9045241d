#pragma once
// ParentChoiceDialog: the family-tie dialog, "Choose New Parent". It lists the sims that may become
// the parent (each with its picture) and gives back the one chosen; it changes nothing itself.

#include <QColor>
#include <QDialog>

#include "core/editing/FamilyTree.h"

class QLabel;

namespace kinloom {
class Messages;
}

namespace kinloom::gui {

class SimPictureList;

class ParentChoiceDialog : public QDialog {
    Q_OBJECT
public:
    // Told when OK is pressed before a sim was chosen; the dialog then stays open.
    static const char* const kChooseParentFirst;

    // The candidates in their order, the preselected one chosen; coloured with the scheme.
    ParentChoiceDialog(const ParentCandidates& candidates, const QColor& background,
                       const QColor& foreground, Messages* messages, QWidget* parent = nullptr);

    // The sim of the chosen entry; nullptr when none is chosen.
    Character* Chosen() const;

private:
    void btnOkayClick();

    SimPictureList* cbParents_;
    Messages* messages_;
};

}  // namespace kinloom::gui
