#pragma once
// Matching characters to their sim descriptions in one pass. Each description of the
// neighborhood package is decoded once per load and found again by GUID, with the results a
// search of the descriptions in index order for every character would give: the first matching
// description wins, "Unknown Character Format" is shown (once) for a description of a version the
// program does not read, and a description too damaged to show its GUID stops every character
// whose search would have reached it.

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "core/packages/Package.h"
#include "core/records/Character.h"

namespace kinloom {

class Messages;

// The DescriptionInstance of a character that no sim description belongs to: it equals no
// description, relationship, family-tie or genetics instance, so such a character can never be
// taken for another sim.
inline constexpr std::uint32_t kNoDescription = 0xFFFFFFFF;

class SimDescriptionIndex {
public:
    // Decodes every sim description of the package; messages for undecodable entries and
    // unknown versions are shown here, once each.
    SimDescriptionIndex(ByteView neighborhood, const EntryList& entries, Messages& messages);

    // Fills sim from its description (DescriptionInstance, FormatVersion and every field of the
    // version). A sim without one gets kNoDescription and keeps its fields; its FormatVersion is
    // that of the last description read. Throws ReadError when the sim's description is too
    // short, or when a description before it (or any, for a sim without one) cannot be read.
    void Match(Character& sim) const;

    std::size_t Size() const { return items_.size(); }

private:
    struct Item {
        std::uint32_t Instance = 0;
        std::optional<std::uint16_t> Version;  // unset: the entry did not decode
        Bytes Content;
    };
    std::vector<Item> items_;
    std::map<FourBytes, std::size_t> firstByGuid_;
    std::optional<std::size_t> firstDamaged_;  // a description whose version or GUID is unreadable
    std::optional<std::uint16_t> lastVersion_;
};

}  // namespace kinloom
