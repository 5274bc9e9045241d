#pragma once
// The program's stored settings through QSettings: on Windows this is the registry key
// "\Software\Quillfern\Kinloom"; on Linux ~/.config/Quillfern/Kinloom.conf.

#include <QSettings>

#include "core/platform/Settings.h"

namespace kinloom::gui {

class QtSettings final : public Settings {
public:
    QtSettings();
    std::optional<int> ReadInteger(const std::string& name) const override;
    std::optional<std::string> ReadText(const std::string& name) const override;
    void WriteInteger(const std::string& name, int value) override;
    void WriteText(const std::string& name, const std::string& value) override;

private:
    mutable QSettings settings_;
};

}  // namespace kinloom::gui
