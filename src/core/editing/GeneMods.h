#pragma once
// Custom genes: the hair tones, skin tones and eye overlays in the packages the player keeps in
// the user-data folder's Downloads, SavedSims and Teleport folders. Collected once per run for
// the genetics lists. Only each package's index, its gene entries and (for a gene) its text
// lists are read, so folders of large custom content are scanned quickly.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/packages/ByteReader.h"
#include "core/records/GeneMod.h"

namespace kinloom {

class Messages;

// Every "*.package" (regardless of case) under Downloads, then SavedSims, then Teleport of the
// user-data folder. Each folder is searched depth first: its own files, then its subfolders, both
// in name order regardless of case, so the result is the same on every run.
std::vector<std::filesystem::path> FindGenePackages(const std::filesystem::path& userDataFolder);

// The gene of one package, or nullopt when it holds none (or its index lists nothing). The
// package is given whole, or as a file read only where its index points. Throws ReadError when
// anything runs past the end or a gene or name entry does not decompress; the file form throws
// FileError when the file cannot be read. ListIndex is left 0.
std::optional<GeneMod> ReadGenePackage(ByteView package, const std::filesystem::path& source);
std::optional<GeneMod> ReadGeneFile(const std::filesystem::path& file);

// The texts the scan reads from a gene resource, property set or XML alike.
struct GeneResourceText {
    std::optional<std::string> Family;     // set when the resource names one
    std::optional<std::uint32_t> Subtype;  // set when the resource names one
};
GeneResourceText ReadGeneResource(ByteView content);

// The message for a package that cannot be read; the scan goes on without it.
std::string GeneReadErrorText(const std::filesystem::path& file);

// Progress of a scan: position of maximum (reset to 0 of 100 at the end).
using GeneScanProgress = std::function<void(int position, int maximum)>;

// Reads every package FindGenePackages lists, in that order; one gene per package at most.
// Unreadable packages are reported and skipped. ListIndex is set to the gene's position in the
// lists of its kind: after the fixed entries, in scan order.
std::vector<GeneMod> ScanGeneMods(const std::filesystem::path& userDataFolder, Messages& messages,
                                  const GeneScanProgress& progress = {});

}  // namespace kinloom
