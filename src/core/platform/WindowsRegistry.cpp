#ifdef _WIN32

#include "core/platform/WindowsRegistry.h"

#include <windows.h>
// after windows.h, which it needs
#include <shlobj.h>

#include <string>
#include <vector>

#include "core/platform/WindowsText.h"

namespace kinloom {
namespace {

HKEY RootKey(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

std::wstring SubKey(std::string_view key) {
    while (!key.empty() && key.front() == '\\') key.remove_prefix(1);
    return WideFromUtf8(key);
}

// Opens the key read-only (never creating it) in the 32-bit view, else the native one.
HKEY OpenKey(RegistryRoot root, std::string_view key) {
    const std::wstring sub = SubKey(key);
    for (REGSAM view : {REGSAM{KEY_WOW64_32KEY}, REGSAM{KEY_WOW64_64KEY}}) {
        HKEY handle = nullptr;
        if (RegOpenKeyExW(RootKey(root), sub.c_str(), 0, KEY_READ | view, &handle) == ERROR_SUCCESS)
            return handle;
    }
    return nullptr;
}

}  // namespace

bool WindowsRegistry::KeyExists(RegistryRoot root, std::string_view key) const {
    HKEY handle = OpenKey(root, key);
    if (!handle) return false;
    RegCloseKey(handle);
    return true;
}

std::optional<std::string> WindowsRegistry::ReadString(RegistryRoot root, std::string_view key,
                                                       std::string_view name) const {
    HKEY handle = OpenKey(root, key);
    if (!handle) return std::nullopt;
    const std::wstring valueName = WideFromUtf8(name);
    DWORD type = 0;
    DWORD size = 0;
    std::optional<std::string> result;
    if (RegQueryValueExW(handle, valueName.c_str(), nullptr, &type, nullptr, &size) ==
            ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
        std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
        DWORD bytes = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
        if (RegQueryValueExW(handle, valueName.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(buffer.data()), &bytes) == ERROR_SUCCESS) {
            std::wstring_view text(buffer.data(), bytes / sizeof(wchar_t));
            if (std::size_t nul = text.find(L'\0'); nul != std::wstring_view::npos)
                text = text.substr(0, nul);
            result = Utf8FromWide(text);
        }
    }
    RegCloseKey(handle);
    return result;
}

std::optional<std::filesystem::path> WindowsDocumentsFolder() {
    wchar_t buffer[MAX_PATH] = {};
    if (SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, buffer) != S_OK)
        return std::nullopt;
    return std::filesystem::path(buffer);
}

}  // namespace kinloom

#endif  // _WIN32
