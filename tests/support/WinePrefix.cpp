#include "WinePrefix.h"

#include <cctype>
#include <fstream>
#include <stdexcept>

#include "PackageBuilder.h"
#include "core/packages/Package.h"

namespace kinloom::test {
namespace fs = std::filesystem;

void WriteTextFile(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!out) throw std::runtime_error("cannot write " + file.string());
}

std::string WineEscape(const std::string& utf8, char quote) {
    // UTF-8 to UTF-16 units (the fixtures hold only well-formed text).
    std::u16string units;
    for (std::size_t i = 0; i < utf8.size();) {
        auto b = static_cast<unsigned char>(utf8[i]);
        std::uint32_t cp = b;
        std::size_t n = 1;
        if (b >= 0xF0) {
            cp = b & 0x07u;
            n = 4;
        } else if (b >= 0xE0) {
            cp = b & 0x0Fu;
            n = 3;
        } else if (b >= 0xC0) {
            cp = b & 0x1Fu;
            n = 2;
        }
        for (std::size_t k = 1; k < n && i + k < utf8.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3Fu);
        i += n;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            units.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(cp));
        }
    }
    std::string out;
    static const char kHex[] = "0123456789abcdef";
    for (std::size_t i = 0; i < units.size(); ++i) {
        char16_t u = units[i];
        if (u == '\\' || u == static_cast<unsigned char>(quote)) {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u == '\n') {
            out += "\\n";
        } else if (u >= 0x20 && u < 0x7F) {
            out += static_cast<char>(u);
        } else {
            // Wine pads to four digits only when a hex digit follows.
            std::string digits;
            for (unsigned v = u; v != 0 || digits.empty(); v >>= 4)
                digits.insert(digits.begin(), kHex[v & 15]);
            const bool hexNext = i + 1 < units.size() && units[i + 1] < 0x80 &&
                                 std::isxdigit(static_cast<int>(units[i + 1]));
            if (hexNext) digits.insert(digits.begin(), 4 - digits.size(), '0');
            out += "\\x" + digits;
        }
    }
    return out;
}

std::string RegFileText(const std::vector<RegKey>& keys, const std::string& lineEnd) {
    std::string text = "WINE REGISTRY Version 2" + lineEnd + ";; All keys relative to \\\\Machine" +
                       lineEnd + lineEnd + "#arch=win32" + lineEnd;
    for (const RegKey& key : keys) {
        text += lineEnd + "[" + WineEscape(key.Path, ']') + "] 1700000000" + lineEnd;
        text += "#time=1d9a0b1c2d3e4f5" + lineEnd;
        for (const auto& [name, value] : key.Strings) {
            text += (name.empty() ? std::string("@") : "\"" + WineEscape(name) + "\"") + "=\"" +
                    WineEscape(value) + "\"" + lineEnd;
        }
        for (const std::string& line : key.Extra) text += line + lineEnd;
    }
    return text;
}

Bytes VersionPropertySet(const std::vector<std::pair<std::string, std::string>>& properties) {
    Bytes out;
    AppendU32(out, 0xCBE750E0);
    AppendU16(out, 0);
    AppendU32(out, static_cast<std::uint32_t>(properties.size()));
    for (const auto& [name, value] : properties) {
        AppendU32(out, 0x0B8BEA18);
        AppendU32(out, static_cast<std::uint32_t>(name.size()));
        out.insert(out.end(), name.begin(), name.end());
        AppendU32(out, static_cast<std::uint32_t>(value.size()));
        out.insert(out.end(), value.begin(), value.end());
    }
    return out;
}

Bytes TextListContent(const std::vector<std::pair<std::uint8_t, std::string>>& entries) {
    Bytes out(64, 0);
    out.push_back(0xFD);
    out.push_back(0xFF);
    AppendU16(out, static_cast<std::uint16_t>(entries.size()));
    for (const auto& [language, value] : entries) {
        out.push_back(language);
        out.insert(out.end(), value.begin(), value.end());
        out.push_back(0);
        out.push_back(0);  // empty description
    }
    return out;
}

void WriteNeighborhood(const fs::path& neighborhoods, const std::string& folder,
                       const std::string& name, const std::string& description,
                       const std::string& version) {
    const std::size_t dash = version.find(" - ");
    std::vector<std::pair<std::string, std::string>> properties{{"0", version.substr(0, dash)}};
    if (dash != std::string::npos) properties.push_back({"1", version.substr(dash + 3)});
    fs::create_directories(neighborhoods / folder);
    PackageBuilder(24)
        .add(types::Version, 1, VersionPropertySet(properties))
        .add(types::TextList, 1, TextListContent({{1, name}, {1, description}}))
        .write(neighborhoods / folder / (folder + "_Neighborhood.package"));
}

FakeWinePrefix::FakeWinePrefix(fs::path root, std::string user)
    : root_(std::move(root)), user_(std::move(user)) {
    fs::create_directories(root_ / "dosdevices");
    fs::create_directories(Documents());
#ifndef _WIN32
    // Windows can neither name a file "c:" nor link without privileges; the Windows build never
    // reads a prefix, and its tests of prefixes are skipped.
    fs::create_directory_symlink("../drive_c", root_ / "dosdevices" / "c:");
#endif
}

fs::path FakeWinePrefix::Documents() const {
    return root_ / "drive_c" / "users" / user_ / "Documents";
}

fs::path FakeWinePrefix::MakeUserData(const std::string& gameFolder) const {
    fs::path folder = Documents() / "EA Games" / gameFolder;
    fs::create_directories(folder / "Neighborhoods");
    return folder;
}

void FakeWinePrefix::WriteSystemReg(const std::vector<RegKey>& keys) const {
    WriteTextFile(root_ / "system.reg", RegFileText(keys));
}

void FakeWinePrefix::WriteUserReg(std::vector<RegKey> keys, bool withShellFolders) const {
    if (withShellFolders) {
        keys.push_back({"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                        {{"Personal", "C:\\users\\" + user_ + "\\Documents"}},
                        {}});
    }
    WriteTextFile(root_ / "user.reg", RegFileText(keys));
}

}  // namespace kinloom::test
