#pragma once
// The version the window title and the About page show, taken from the project version the
// program was built with.

#include <filesystem>
#include <string>

namespace kinloom {

// "major.minor.release  (Build n)" (two blanks before the parenthesis) of this program.
std::string ProgramVersionText();

// "Kinloom major.minor": the program's name as its window and the desktop show it, from the same
// version as ProgramVersionText.
std::string ProgramTitle();

// The version text of a program file: ProgramVersionText() for a ".exe" or ".dll" path (either
// case) and for a path without extension, as programs are named on Linux; "NA" for anything else.
std::string GetFileVersionText(const std::filesystem::path& file);

}  // namespace kinloom
