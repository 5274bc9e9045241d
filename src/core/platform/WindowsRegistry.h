#pragma once
// The game's keys in the Windows registry, and the shell's documents folder. Windows only.

#ifdef _WIN32

#include <filesystem>
#include <optional>

#include "core/platform/GameRegistry.h"

namespace kinloom {

// Keys are looked up in the 32-bit view first (where the 32-bit game writes them on a 64-bit
// Windows), then in the native one.
class WindowsRegistry final : public GameRegistry {
public:
    bool KeyExists(RegistryRoot root, std::string_view key) const override;
    std::optional<std::string> ReadString(RegistryRoot root, std::string_view key,
                                          std::string_view name) const override;
};

// The shell's personal (My Documents) folder; nullopt when the shell cannot say.
std::optional<std::filesystem::path> WindowsDocumentsFolder();

}  // namespace kinloom

#endif  // _WIN32
