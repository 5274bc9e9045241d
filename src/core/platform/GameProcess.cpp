#include "core/platform/GameProcess.h"

#include <fstream>
#include <iterator>

#ifdef _WIN32
#include <windows.h>
// after windows.h, which it needs
#include <tlhelp32.h>

#include "core/platform/WindowsText.h"
#endif

namespace kinloom {

bool NamesGameProgram(const std::string& argument) {
    const std::size_t slash = argument.find_last_of("/\\");
    std::string name = slash == std::string::npos ? argument : argument.substr(slash + 1);
    for (char& c : name)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return name.size() >= 9 && name.starts_with("sims2") && name.ends_with(".exe");
}

std::vector<std::string> RunningGameProcesses(
    [[maybe_unused]] const std::filesystem::path& procRoot) {
    std::vector<std::string> found;
#ifdef _WIN32
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return found;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL ok = Process32FirstW(snapshot, &entry); ok; ok = Process32NextW(snapshot, &entry)) {
        const std::string name = Utf8FromWide(entry.szExeFile);
        if (NamesGameProgram(name)) found.push_back(name);
    }
    CloseHandle(snapshot);
#else
    std::error_code ec;
    for (const auto& item : std::filesystem::directory_iterator(procRoot, ec)) {
        const std::string pid = item.path().filename().string();
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos) continue;
        std::ifstream in(item.path() / "cmdline", std::ios::binary);
        if (!in) continue;
        std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::vector<std::string> args;
        std::string current;
        for (char c : raw) {
            if (c == '\0') {
                args.push_back(current);
                current.clear();
            } else {
                current.push_back(c);
            }
        }
        if (!current.empty()) args.push_back(current);
        bool game = false;
        for (const std::string& a : args) game = game || NamesGameProgram(a);
        if (!game) continue;
        std::string line;
        for (const std::string& a : args) line += (line.empty() ? "" : " ") + a;
        found.push_back(line);
    }
#endif
    return found;
}

}  // namespace kinloom
