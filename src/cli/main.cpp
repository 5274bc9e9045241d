#include <iostream>

#include "cli/Cli.h"

#ifdef _WIN32
#include <windows.h>

#include "core/platform/WindowsText.h"
#endif

int main([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
#ifdef _WIN32
    // Names come in and go out as UTF-8; argv would hold them in the ANSI code page.
    SetConsoleOutputCP(CP_UTF8);
    return kinloom::cli::Run(kinloom::CommandLineArguments(), std::cout, std::cerr);
#else
    return kinloom::cli::Run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
#endif
}
