#pragma once
// Relationships: one neighborhood-package entry per ordered pair of sims that know each other,
// holding how sim A feels about sim B. The program only changes the values of existing entries.

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "core/packages/Package.h"

namespace kinloom {

class Messages;

struct RelationshipRecord {
    std::uint16_t SimA = 0;  // the sim whose feelings these are (high half of the instance)
    std::uint16_t SimB = 0;  // the sim they are about (low half)
    std::int32_t ShortTerm = 0;
    std::uint8_t RelBitOne = 0;
    std::uint8_t RelBitTwo = 0;  // bits 0 to 5 are the game's own and are kept as loaded
    std::int32_t LongTerm = 0;
    std::uint8_t Modified = 0;
    // The entry is too short to hold every value above: it is listed with the values it does
    // hold in full (the others read 0), never changed by an edit and saved exactly as stored.
    bool ReadOnly = false;

    bool operator==(const RelationshipRecord&) const = default;
};

// Bit numbers of the relationship flags in RelBitOne and RelBitTwo.
namespace relbits {
inline constexpr int Crush = 0;  // RelBitOne
inline constexpr int Love = 1;
inline constexpr int Engaged = 2;
inline constexpr int Married = 3;
inline constexpr int Friend = 4;
inline constexpr int BestFriend = 5;
inline constexpr int Steady = 6;
inline constexpr int Enemy = 7;
inline constexpr int UnAvailable = 6;  // RelBitTwo
inline constexpr int Aquaintance = 7;  // RelBitTwo
}  // namespace relbits

// Content offsets of the values a relationship entry holds; the content must reach past the last.
inline constexpr std::size_t kRelationshipShortTerm = 8;
inline constexpr std::size_t kRelationshipBitOne = 12;
inline constexpr std::size_t kRelationshipBitTwo = 13;
inline constexpr std::size_t kRelationshipLongTerm = 16;
inline constexpr std::size_t kRelationshipMinSize = 20;

// The records of every relationship entry of the neighborhood package, in index order. Content is
// read through decompression, so a compressed entry loads the values a save later patches; an
// entry that does not decompress is skipped after "Decompression Error". An entry too short to
// hold every value loads as a ReadOnly record. Throws ReadError for an entry that runs past the
// package.
std::vector<RelationshipRecord> LoadRelationships(ByteView neighborhood, const EntryList& entries,
                                                  Messages& messages);

// The first record of the pair (compared as unsigned 16-bit halves), or null. Walks the list:
// for one look-up; a save uses RelationshipLookup.
const RelationshipRecord* FindRelationship(const std::vector<RelationshipRecord>& list,
                                           std::uint16_t simA, std::uint16_t simB);

// The first record of every pair, found without walking the list: a neighborhood can hold an
// entry for every ordered pair of its sims, and a save looks each of them up. The list must
// outlive the lookup and keep its records in place.
class RelationshipLookup {
public:
    explicit RelationshipLookup(const std::vector<RelationshipRecord>& list);
    const RelationshipRecord* Find(std::uint16_t simA, std::uint16_t simB) const;

private:
    std::unordered_map<std::uint32_t, const RelationshipRecord*> first_;  // by entry instance
};

// Writes the record's values into a relationship entry's content in place; the rest is kept.
// Content too short to hold them is left unchanged (returns false).
bool PatchRelationship(std::span<std::uint8_t> content, const RelationshipRecord& record);

// What the neighborhood rewrite does with a relationship entry: patched from the first record of
// its pair, copied as stored when that record is ReadOnly, or dropped when no record has that
// pair. The package must be stored plain (the save decompresses it first): the patch writes into
// the stored bytes.
EntryChoice SaveRelationshipEntry(const PackageIndexEntry& entry,
                                  const RelationshipLookup& records);

// The relationships of a sim (records whose SimA is its description instance), in list order.
std::vector<RelationshipRecord*> RelationshipsOf(std::vector<RelationshipRecord>& list,
                                                 std::uint32_t descriptionInstance);

// The record of the same pair the other way round, or null.
RelationshipRecord* ReverseOf(std::vector<RelationshipRecord>& list,
                              const RelationshipRecord& record);

}  // namespace kinloom
