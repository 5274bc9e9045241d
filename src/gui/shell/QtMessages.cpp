#include "gui/shell/QtMessages.h"

#include <QMessageBox>

namespace kinloom::gui {

namespace {

// A question without icon whose Enter key answers preset and whose Escape key answers no.
bool Ask(QWidget* parent, const QString& text, QMessageBox::StandardButton yes,
         QMessageBox::StandardButton no, DefaultAnswer preset) {
    QMessageBox box(QMessageBox::NoIcon, "Kinloom", text, yes | no, parent);
    box.setDefaultButton(preset == DefaultAnswer::Yes ? yes : no);
    box.setEscapeButton(no);
    return box.exec() == yes;
}

}  // namespace

QString QtMessages::Displayed(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace("\r\n", "\n");
    return s;
}

void QtMessages::Show(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, "Kinloom", Displayed(text), QMessageBox::Ok, parent_);
    box.exec();
}

bool QtMessages::AskOkCancel(const std::string& text, DefaultAnswer preset) {
    return Ask(parent_, Displayed(text), QMessageBox::Ok, QMessageBox::Cancel, preset);
}

bool QtMessages::AskYesNo(const std::string& text, DefaultAnswer preset) {
    return Ask(parent_, Displayed(text), QMessageBox::Yes, QMessageBox::No, preset);
}

UnsavedAnswer QtMessages::AskSaveDiscardCancel(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, "Kinloom", Displayed(text),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent_);
    // Keeping the edits is never the loss: Enter saves, Escape (or closing the box) changes
    // nothing.
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Save:
            return UnsavedAnswer::Save;
        case QMessageBox::Discard:
            return UnsavedAnswer::Discard;
        default:
            return UnsavedAnswer::Cancel;
    }
}

}  // namespace kinloom::gui
