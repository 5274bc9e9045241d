#pragma once
// Where the game lives when it runs under Wine on Linux: the prefix, its drives and its user's
// documents folder.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/platform/GameRegistry.h"
#include "core/platform/Paths.h"

namespace kinloom {

// The prefix named by --wine-prefix, else by $WINEPREFIX, else ~/.wine (null or empty texts
// count as not given); an empty path when there is no home folder either.
std::filesystem::path ChooseWinePrefix(const std::optional<std::filesystem::path>& option,
                                       const char* winePrefixVariable, const char* homeVariable);

// The Unix path of a Windows path ("C:\users\bob\Documents") inside the prefix, through its
// dosdevices drive links, with each folder name matched regardless of case and symbolic links
// followed. nullopt when the path has no drive letter or the drive is not mapped.
std::optional<std::filesystem::path> WindowsPathInPrefix(const std::filesystem::path& prefix,
                                                         std::string_view windowsPath);

// Explorer's shell folders of the current user, whose "Personal" names the documents folder.
inline constexpr std::string_view kShellFoldersKey =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// The documents folder of the prefix's user: the shell folder "Personal" from the current user's
// registry, else drive_c/users/<user>/Documents (or "My Documents", as older prefixes have it),
// else the documents of the one user folder there other than Public (Proton's "steamuser").
// nullopt when none of these is a folder.
std::optional<std::filesystem::path> WineDocumentsFolder(const std::filesystem::path& prefix,
                                                         const GameRegistry& registry,
                                                         std::string_view userName);

}  // namespace kinloom
