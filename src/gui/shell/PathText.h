#pragma once
// File and folder names between std::filesystem and Qt. On Linux a name is bytes that need not be
// UTF-8 (a folder copied from an old disk); std::filesystem's UTF-16 conversion throws on such a
// name, so the window never uses it: shown names replace what they cannot show, and a path kept
// in a widget keeps its exact bytes.

#include <QString>
#include <QVariant>

#include <filesystem>

namespace kinloom::gui {

// The name as the player reads it.
QString PathText(const std::filesystem::path& path);

// A name typed or chosen in a Qt dialog.
std::filesystem::path PathOfText(const QString& text);

// A path stored in an item's data and read back byte for byte.
QVariant PathData(const std::filesystem::path& path);
std::filesystem::path PathFromData(const QVariant& data);

}  // namespace kinloom::gui
