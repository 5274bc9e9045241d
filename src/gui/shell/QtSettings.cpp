#include "gui/shell/QtSettings.h"

namespace kinloom::gui {

QtSettings::QtSettings()
    : settings_(QSettings::NativeFormat, QSettings::UserScope, "Quillfern", "Kinloom") {}

std::optional<int> QtSettings::ReadInteger(const std::string& name) const {
    QVariant v = settings_.value(QString::fromStdString(name));
    if (!v.isValid()) return std::nullopt;
    bool ok = false;
    int value = v.toInt(&ok);
    if (!ok) return std::nullopt;
    return value;
}

std::optional<std::string> QtSettings::ReadText(const std::string& name) const {
    QVariant v = settings_.value(QString::fromStdString(name));
    if (!v.isValid()) return std::nullopt;
    return v.toString().toStdString();
}

void QtSettings::WriteInteger(const std::string& name, int value) {
    settings_.setValue(QString::fromStdString(name), value);
}

void QtSettings::WriteText(const std::string& name, const std::string& value) {
    settings_.setValue(QString::fromStdString(name), QString::fromStdString(value));
}

}  // namespace kinloom::gui
