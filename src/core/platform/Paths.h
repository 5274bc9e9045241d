#pragma once
// Paths built from the game's names. Names (registry values, folder names) are held as UTF-8;
// these keep them intact on Windows too, where a narrow path string means the ANSI code page.

#include <filesystem>
#include <string>

namespace kinloom {

std::filesystem::path PathFromUtf8(const std::string& utf8);
std::string Utf8Name(const std::filesystem::path& path);  // the last component, as UTF-8

// The entry of folder called name; when there is no exact match, one whose name differs only in
// the case of ASCII letters (names from the game's Windows origin); folder / name when neither.
std::filesystem::path ChildIgnoringCase(const std::filesystem::path& folder,
                                        const std::string& name);

}  // namespace kinloom
