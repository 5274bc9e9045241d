#pragma once
// Fake game installations for tests: registry files in Wine's own text format, Wine prefixes laid
// out as Wine lays them out, and neighborhood packages with a version and a name.

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "core/packages/ByteReader.h"

namespace kinloom::test {

// One key of a registry file and its string values (UTF-8; written escaped as Wine writes them).
struct RegKey {
    std::string Path;  // "Software\EA GAMES\The Sims 2", single backslashes
    std::vector<std::pair<std::string, std::string>> Strings;
    std::vector<std::string> Extra;  // further value lines written verbatim ("\"N\"=dword:1")
};

// The text of a registry file: signature, header comment, keys; lineEnd "\n" or "\r\n".
std::string RegFileText(const std::vector<RegKey>& keys, const std::string& lineEnd = "\n");

// Escapes UTF-8 text as Wine writes a registry string: backslash, the closing quote (']' for key
// names), and every character outside printable ASCII as \xNNNN or a short escape.
std::string WineEscape(const std::string& utf8, char quote = '"');

// A version property set: text properties in the order given.
Bytes VersionPropertySet(const std::vector<std::pair<std::string, std::string>>& properties);

// A text list with the entries (language, value) given, each with an empty description.
Bytes TextListContent(const std::vector<std::pair<std::uint8_t, std::string>>& entries);

// Writes neighborhoods/<folder>/<folder>_Neighborhood.package with a version ("0", "1") and a
// name and description in language 1.
void WriteNeighborhood(const std::filesystem::path& neighborhoods, const std::string& folder,
                       const std::string& name, const std::string& description = "",
                       const std::string& version = "1 - 76");

// A Wine prefix in a folder: dosdevices/c: -> ../drive_c, drive_c/users/<user>/Documents, and
// registry files written on request.
class FakeWinePrefix {
public:
    FakeWinePrefix(std::filesystem::path root, std::string user);
    const std::filesystem::path& Root() const { return root_; }
    std::filesystem::path Documents() const;
    // The user-data folder "Documents/EA Games/<game folder>" with an empty Neighborhoods folder.
    std::filesystem::path MakeUserData(const std::string& gameFolder) const;
    void WriteSystemReg(const std::vector<RegKey>& keys) const;
    // The user's keys, plus the Shell Folders key naming the documents folder as Wine does.
    void WriteUserReg(std::vector<RegKey> keys, bool withShellFolders = true) const;

private:
    std::filesystem::path root_;
    std::string user_;
};

// Writes text to a file (creating its folder).
void WriteTextFile(const std::filesystem::path& file, const std::string& text);

}  // namespace kinloom::test
