#include "core/platform/GameProcess.h"

#include <system_error>

#ifdef _WIN32
#include <windows.h>
// after windows.h, which it needs
#include <tlhelp32.h>

#include "core/platform/WindowsText.h"
#else
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#endif

namespace kinloom {

#ifndef _WIN32
namespace {

// The program's name comes first; a command line is never read further than this.
constexpr std::size_t kLongestCommandLine = 1 << 16;

// A process's command line: its arguments, each ended by a zero byte. nullopt when it cannot be
// read, as when the process ends between the listing and the read.
std::optional<std::string> ReadCommandLine(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string raw;
    char buffer[4096];
    bool failed = false;
    while (raw.size() < kLongestCommandLine) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            failed = got < 0;
            break;
        }
        raw.append(buffer,
                   std::min(static_cast<std::size_t>(got), kLongestCommandLine - raw.size()));
    }
    ::close(fd);
    if (failed) return std::nullopt;
    return raw;
}

}  // namespace
#endif

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
    // Processes come and go while the table is walked: a step that fails ends the walk, and a
    // process whose command line cannot be read is not the game.
    std::error_code ec;
    for (std::filesystem::directory_iterator it(procRoot, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string pid = it->path().filename().string();
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos) continue;
        const std::optional<std::string> read = ReadCommandLine(it->path() / "cmdline");
        if (!read) continue;
        const std::string& raw = *read;
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
