#pragma once
// What the cloning tests compare and feed in: a clone group's bytes, a Body Shop package, the
// body entries of a character package, and the Cloning Lab's texts as the user reads them.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <utility>
#include <vector>

#include "PackageBuilder.h"
#include "core/cloning/CloneFile.h"
#include "core/cloning/CloneLayout.h"
#include "core/packages/Compression.h"
#include "core/platform/FileIO.h"
#include "core/platform/Messages.h"

namespace kinloom::test {

// Written out here rather than taken from the program, so that a changed text is caught.
inline constexpr const char* kNotABodyPackage =
    "The file you have selected is Not a Bodyshop or Character Package";
inline constexpr const char* kBodyImported =
    "The skin and body information for this package has been imported. Other attributes are not "
    "avaiable in this file.";
inline constexpr const char* kPending =
    "The Character you have selected is in the process of being Cloned already. Before you will "
    "be able to use a new Clone for their Body you will need to complete the previous Cloning "
    "operation by saving.";
inline constexpr const char* kMemoryOnly =
    "You will not be able to clone a new body onto this character since they only exist in the "
    "memories of others.";

// One group of the sim's clone as a clone file stores it.
inline Bytes GroupBytes(std::uint32_t group, const Character& sim) {
    Bytes out;
    AppendCloneGroup(out, group, sim);
    return out;
}

// A Body Shop package: every body entry type (but the one left out) and a thumbnail.
inline Bytes BodyPackage(std::optional<std::uint32_t> leaveOut = std::nullopt) {
    PackageBuilder p(24);
    p.add(types::Picture, 1, Text("thumb"));
    for (std::uint32_t type : kBodyEntryTypes)
        if (type != leaveOut) p.add(type, 1, Text("body of " + TypeIdText(type)));
    return p.build();
}

// The plain body entries of a character package in index order (the property set, which gets
// the sim's colours written in, by type only), and whether the package holds a thumbnail.
inline std::vector<std::pair<std::uint32_t, Bytes>> BodyEntries(const std::filesystem::path& file,
                                                                Messages& messages, bool& picture) {
    const PackageImage plain = DecompressPackageImage(ReadWholeFile(file), messages);
    std::vector<std::pair<std::uint32_t, Bytes>> out;
    picture = false;
    for (const PackageIndexEntry& e : plain.Entries) {
        if (e.Type == types::Picture) picture = true;
        if (!IsBodyEntryType(e.Type)) continue;
        const ByteView v = StoredBytes(plain.Data, e);
        out.emplace_back(e.Type,
                         e.Type == types::SimProperties ? Bytes{} : Bytes(v.begin(), v.end()));
    }
    return out;
}

// Takes every entry of one type out of sight in a package on disk, as a character package that
// lacks that part of a body: the index entries get another type, the file stays readable.
inline void HideEntryType(const std::filesystem::path& package, std::uint32_t type) {
    Bytes data = ReadWholeFile(package);
    const std::uint32_t count = GetU32(data, 36);
    const std::uint32_t offset = GetU32(data, 40);
    const std::uint32_t entrySize = count == 0 ? 0 : GetU32(data, 44) / count;
    for (std::uint32_t i = 0; i < count; ++i)
        if (GetU32(data, offset + i * entrySize) == type)
            SetU32(data, offset + i * entrySize, 0x0BAD0BAD);
    ReplaceFileAtomically(package, data);
}

}  // namespace kinloom::test
