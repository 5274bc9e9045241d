#pragma once
// Text crossing the Windows API, which speaks UTF-16; the program speaks UTF-8. Windows only.

#ifdef _WIN32

#include <string>
#include <string_view>
#include <vector>

namespace kinloom {

// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf8FromWide(std::wstring_view text);
// UTF-8 to UTF-16; a malformed byte becomes U+FFFD.
std::wstring WideFromUtf8(std::string_view text);

// The program's arguments (without its own name) as UTF-8, read from the UTF-16 command line:
// main's argv holds them in the ANSI code page, which cannot hold most names.
std::vector<std::string> CommandLineArguments();

// The system's own words for an error code, ending in its number: "Access is denied. (error 5)".
std::string SystemErrorText(unsigned long code);

}  // namespace kinloom

#endif  // _WIN32
