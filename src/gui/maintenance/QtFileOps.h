#pragma once
// The window's file operations: the folder work of the core, and the desktop's own trash (the
// recycle bin on Windows, the freedesktop trash on Linux) for deletes the player can undo.

#include "core/platform/FileOps.h"

namespace kinloom::gui {

class QtFileOps final : public FilesystemFileOps {
public:
    bool DeleteToTrash(const std::filesystem::path& item) override;
};

}  // namespace kinloom::gui
