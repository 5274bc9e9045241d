#include "gui/editors/ParentChoiceDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/platform/Messages.h"
#include "gui/shell/PageKit.h"
#include "gui/shell/SimPictureList.h"

namespace kinloom::gui {

const char* const ParentChoiceDialog::kChooseParentFirst =
    "Please choose the new parent in the selection box first, or select Cancel to keep the "
    "Parent as it is.";

ParentChoiceDialog::ParentChoiceDialog(const ParentCandidates& candidates, const QColor& background,
                                       const QColor& foreground, Messages* messages,
                                       QWidget* parent)
    : QDialog(parent), messages_(messages) {
    setObjectName("frmFamTieEdit");
    setWindowTitle("Choose New Parent");
    const QPalette p = SchemePalette(palette(), background, foreground);
    setPalette(p);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);

    cbParents_ = new SimPictureList("cbParents", 6, 6, kListPictureSize, this);
    cbParents_->setPalette(p);
    cbParents_->setFont(QFont("Trebuchet MS", 16));
    for (const Relative& entry : candidates.Entries)
        cbParents_->AddSim(QString::fromStdU16String(entry.Name), entry.Sim);
    // Nothing preselected (no parent shown yet) leaves the choice to the user.
    cbParents_->setCurrentIndex(candidates.Preselected);
    layout->addWidget(cbParents_);

    QLabel* lblChooseParent = Wrapped(
        "lblChooseParent",
        "Choose a new parent from the selection box above and then select OK to change the "
        "current Parent. Select Cancel to return to the Family Ties without changing the Parent.",
        this);
    lblChooseParent->setPalette(p);
    layout->addWidget(lblChooseParent, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton* btnOkay = Button("btnOkay", "OK", this);
    btnOkay->setDefault(true);
    QPushButton* button2 = Button("Button2", "Cancel", this);
    buttons->addWidget(btnOkay);
    buttons->addWidget(button2);
    layout->addLayout(buttons);

    connect(btnOkay, &QPushButton::clicked, this, &ParentChoiceDialog::btnOkayClick);
    connect(button2, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(425, 161);
}

Character* ParentChoiceDialog::Chosen() const {
    return cbParents_->SimAt(cbParents_->currentIndex());
}

void ParentChoiceDialog::btnOkayClick() {
    // OK without a choice would be read as "no change": say what is missing and stay open.
    if (!Chosen()) {
        if (messages_) messages_->Show(kChooseParentFirst);
        return;
    }
    accept();
}

}  // namespace kinloom::gui
