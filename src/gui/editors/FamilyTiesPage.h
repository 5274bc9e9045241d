#pragma once
// The Family Tree page: the selected sim's picture, the pictures of its parents and spouse and
// lists of its children and siblings, all read from the neighborhood's family ties. It is a way
// to reach relatives (double-click a picture, choose a list entry) and the place where a sim's
// parents are added, changed or removed; those rebuild the sim's parent and sibling ties.

#include <QComboBox>
#include <QImage>

#include "core/editing/ParentTies.h"
#include "gui/editors/EditingPage.h"
#include "gui/shell/SimPictureList.h"

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;

namespace kinloom::gui {

class FamilyTiesPage : public EditingPage {
    Q_OBJECT
public:
    explicit FamilyTiesPage(PageHost& host, QWidget* parent = nullptr);

    // Positions in the sim list of the sims the pictures show; -1 when a picture shows nobody.
    int FirstParentPosition() const { return firstParent_.Position; }
    int SecondParentPosition() const { return secondParent_.Position; }
    int SpousePosition() const { return spouse_.Position; }

protected:
    void Fill(const Character& sim) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Picture {
        QFrame* Panel = nullptr;
        QLabel* Image = nullptr;
        QMenu* PictureMenu = nullptr;
        QMenu* AddMenu = nullptr;  // the panel's "Add Parent" (parents only)
        // The menus' entries: Select for every picture, the others for parents only.
        QAction* Select = nullptr;
        QAction* Change = nullptr;
        QAction* Remove = nullptr;
        QAction* Add = nullptr;
        const char* Hint = "";
        int Position = -1;
    };

    // Creates and lays out the controls and menus, in tab order.
    void BuildControls();
    // Wires the controls and menus to their handlers.
    void ConnectControls();
    void BuildPicture(Picture& picture, const char* panel, const char* image, const char* hint);
    void ResetPicture(Picture& picture);
    // A sim without a description: no "Add Parent", and the parent's place says why.
    void RefuseParents(Picture& picture);
    void ShowRelative(Picture& picture, int position);
    void SelectPictured(const Picture& picture);
    void SelectListed(const SimPictureList& list, int index);
    void mnuChangeParentClick(ParentRole role);
    void mnuRemoveParentClick(ParentRole role);
    // The sim the page shows and its place in the sim list, when there is one to edit; a sim
    // without a description is refused with a message.
    bool Editable(Character*& sim, int& position) const;
    void Reopen(Character& sim);

    QFrame* pnlSelf_;
    QLabel* imgSelf_;
    Picture firstParent_;
    Picture secondParent_;
    Picture spouse_;
    SimPictureList* cbChildren_;
    SimPictureList* cbSiblings_;
    QPlainTextEdit* memFamilyTies_;
};

}  // namespace kinloom::gui
