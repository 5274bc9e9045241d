#include "gui/shell/QtMessages.h"

#include <QMessageBox>

namespace kinloom::gui {

QString QtMessages::Displayed(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace("\r\n", "\n");
    return s;
}

void QtMessages::Show(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, "Kinloom", Displayed(text), QMessageBox::Ok, parent_);
    box.exec();
}

bool QtMessages::AskOkCancel(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, "Kinloom", Displayed(text),
                    QMessageBox::Ok | QMessageBox::Cancel, parent_);
    return box.exec() == QMessageBox::Ok;
}

bool QtMessages::AskYesNo(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, "Kinloom", Displayed(text),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace kinloom::gui
