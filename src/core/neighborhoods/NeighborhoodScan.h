#pragma once
// The neighborhood list: one record per usable neighborhood package in the game's Neighborhoods
// folder, with its folder name, name, description and version.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kinloom {

class Messages;

struct Neighborhood {
    std::string FolderName;             // at most 8 characters, e.g. N001
    std::filesystem::path PackagePath;  // the neighborhood package that was scanned
    std::string NGBDName;               // UTF-8 bytes as stored
    std::string NGBDDescription;        // UTF-8 bytes as stored
    std::string NGBDVersion;            // at most 36 characters
    std::uint8_t Modified = 0;          // name or description edited and not yet saved
};

// The picker's and the neighborhood list's text: folder name, " : ", decoded name.
std::u16string NeighborhoodDisplayText(const Neighborhood& neighborhood);

// "An Index Error was found in N001_Neighborhood.package\r\nThis neighborhood will be ignored."
std::string NeighborhoodIndexErrorText(const std::string& folderName);
// The same for a package whose index is fine but whose name or version cannot be read.
std::string NeighborhoodDataErrorText(const std::string& folderName);

// Reads the record of one neighborhood package. A package whose index or contents cannot be used
// is reported through messages and gives nullopt; a package that cannot be read at all (the game
// may hold it) throws FileError.
std::optional<Neighborhood> ScanNeighborhoodPackage(const std::string& folderName,
                                                    const std::filesystem::path& packagePath,
                                                    int gameLanguage, Messages& messages);

struct NeighborhoodScan {
    std::vector<Neighborhood> Neighborhoods;
    std::vector<std::string> Messages;       // to show in order; the scan went on after each
    std::optional<std::string> Termination;  // set when the folder or a package cannot be read
};

inline constexpr const char* kNeighborhoodAccessFailure =
    "Unable to access game neighborhood files. Please close the game or any applications that may "
    "currently be using them and then restart this program.";

// Every folder of neighborhoodsFolder named N*, then G*, then F* (names compared regardless of
// case, each group in name order) that holds its "<name>_Neighborhood.package".
NeighborhoodScan ScanNeighborhoods(const std::filesystem::path& neighborhoodsFolder,
                                   int gameLanguage);

}  // namespace kinloom
