#pragma once
// Editing a relationship in both directions: the record of how the selected sim feels about
// another (the "Selected" side) and every record of the pair the other way round (the "Other"
// side). Mutual flags (engaged, married, steady, unavailable, acquaintance) are kept equal in both
// directions; the others belong to one direction only. Every write marks the records it touches
// Modified; the save writes the values back into the existing entries. A ReadOnly record (its
// entry too short to change safely) is never written: an edit that would write into one is
// refused whole, with the reason.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/records/Character.h"
#include "core/records/Relationship.h"

namespace kinloom {

struct LoadedNeighborhood;

struct RelationshipFlag {
    const char* Name;     // "BestFriend": the boxes ckBestFriend / ckBestFriend2, labels lbl...
    const char* Caption;  // "Best Friend"
    bool SecondByte;      // the bit is in RelBitTwo, not RelBitOne
    int Bit;
    bool Mutual;
    bool Advanced;  // its boxes are shown only while the Advanced switch is on
};

// The ten flags in the page's order.
const std::array<RelationshipFlag, 10>& RelationshipFlags();
bool HasFlag(const RelationshipRecord& record, const RelationshipFlag& flag);
// Sets or clears the flag's bit only; the other bits, the game's own included, stay.
void PutFlag(RelationshipRecord& record, const RelationshipFlag& flag, bool on);

// Every record of the pair the other way round, in list order (normally one, or none when the
// other sim has no entry about the selected one). Found anew on each call.
std::vector<RelationshipRecord*> ReversesOf(std::vector<RelationshipRecord>& list,
                                            const RelationshipRecord& record);

enum class RelationshipSide {
    Selected,  // record: how the selected sim feels about the other
    Other,     // every reverse record: how the other feels about the selected sim
};

// What a relationship edit did.
struct RelationshipEdit {
    bool Wrote = false;  // some record was written (and marked Modified)
    // Set when the edit would have written into a ReadOnly record: then nothing was written.
    std::optional<std::string> Refused;
};

// Why an edit may not write into this ReadOnly record (the text of RelationshipEdit::Refused).
std::string ReadOnlyRefusal(const RelationshipRecord& record);

// Why the page's controls that would write into a ReadOnly record are disabled: the direction's
// own controls, a mutual flag of the other direction, and Max Both.
inline constexpr const char* kReadOnlyDirectionTip =
    "This direction's entry in the neighborhood is too short for Kinloom to change safely, so it "
    "is kept exactly as stored.";
inline constexpr const char* kReadOnlyMutualTip =
    "This flag is kept the same in both directions, and the other direction's entry in the "
    "neighborhood is too short for Kinloom to change safely, so it is kept exactly as stored.";
inline constexpr const char* kReadOnlyPairTip =
    "One direction's entry of this relationship is too short for Kinloom to change safely, so it "
    "is kept exactly as stored.";

// A box of one side changed: a mutual flag is written into the record and every reverse record
// alike, whichever side's box it was; any other flag only into its own side.
[[nodiscard]] RelationshipEdit WriteRelationshipFlag(std::vector<RelationshipRecord>& list,
                                                     RelationshipRecord& record,
                                                     RelationshipSide side,
                                                     const RelationshipFlag& flag, bool on);

enum class RelationshipTerm { Short, Long };
inline constexpr int kRelationshipMin = -100;
inline constexpr int kRelationshipMax = 100;
[[nodiscard]] RelationshipEdit WriteRelationshipTerm(std::vector<RelationshipRecord>& list,
                                                     RelationshipRecord& record,
                                                     RelationshipSide side, RelationshipTerm term,
                                                     int value);

// "Max Both Relationships": both directions to short and long term 100 with Friend and Best
// Friend set. As on the page, only what shows otherwise is written (a value beyond the sliders'
// range counts as its end), so a pair already there stays unmodified. Without a reverse record
// the relationship is not editable and nothing is written; with a ReadOnly record in either
// direction it is refused.
[[nodiscard]] RelationshipEdit MaxBothRelationships(std::vector<RelationshipRecord>& list,
                                                    RelationshipRecord& record);

// The sim of the loaded neighborhood's sim list with this description instance, or nullptr.
Character* SimOfInstance(const LoadedNeighborhood& state, std::uint32_t instance);

// One entry of the selected sim's relationship list.
struct RelationshipEntry {
    std::size_t Record;  // index into LoadedNeighborhood::Relationships
    Character* Other;
    std::u16string Label;  // the other sim's sim-list label
};

// The relationships of a sim whose other sim is in the sim list, sorted by label regardless of
// case (equal labels keep list order); a record about a sim not in the list is not listed.
std::vector<RelationshipEntry> RelationshipEntries(const LoadedNeighborhood& state,
                                                   const Character& sim);

// "Anna Bell": decoded, trimmed first and last name.
std::u16string SimFullName(const Character& sim);
// "How much Anna Bell likes Owen Hartwell".
std::u16string LikesCaption(const Character& who, const Character& whom);
inline constexpr const char* kSimLikeCaption =
    "How much Selected Character likes Relationship Character";
inline constexpr const char* kSim2LikeCaption =
    "How much Relationship Character likes Selected Character";

}  // namespace kinloom
