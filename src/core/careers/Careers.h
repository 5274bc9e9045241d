#pragma once
// The built-in career knowledge: every career track the game offers, keyed by the identifier text
// of the 4-byte id stored in a sim description, with its level titles and each level's shift,
// daily pay and working days; the NPC type codes; and the lists the Job/School page offers.
// All of it is compiled-in data: nothing here is read from the game's files.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kinloom {

// A career, school or major id as its four bytes stand in the sim description.
using StoredId = std::array<std::uint8_t, 4>;

// The four stored bytes as eight upper-case hex digits, first byte first (55 65 19 45 gives
// "55651945") — stored order, not the digits of the little-endian value.
std::string IdText(std::span<const std::uint8_t, 4> bytes);
// The reverse of IdText; nullopt unless the text is exactly eight hex digits.
std::optional<StoredId> IdBytes(std::string_view text);

inline constexpr std::string_view kNoCareerId = "00000000";  // also "no school"
inline constexpr std::string_view kLotManagedJobId = "0A408FD0";

// The expansion (or stuff) pack whose presence adds a career track or an NPC type.
enum class Pack { None, University, Nightlife, Business, Pets, Seasons, BonVoyage, FreeTime };

// Which packs the game installation has.
struct InstalledPacks {
    bool HasUniversity = false;
    bool HasNightlife = false;
    bool HasBusiness = false;
    bool HasPets = false;
    bool HasSeasons = false;
    bool HasBonVoyage = false;
    bool HasFreeTime = false;

    bool Has(Pack pack) const;
};

// Who a track is offered to. Both = the adult list and the teen-and-elder list.
enum class CareerAudience { Adult, TeenElder, Pet, Both };

// One item of a track's level list. Hours empty = no work information (item 0 of most tracks).
struct JobLevel {
    std::string_view Title;
    std::string_view Hours;             // "9:00AM - 3:00PM (0900-1500)"
    int Salary = 0;                     // daily pay in simoleons
    std::string_view Days = "-------";  // Sunday first, 'X' marks a working day
};

struct CareerTrack {
    std::string_view Id;
    std::string_view Label;
    CareerAudience Audience = CareerAudience::Adult;
    Pack RequiredPack = Pack::None;
    std::span<const JobLevel> Levels;  // item 0 = no level; items 1..n = levels 1..n
};

// Every track, one per identifier: the unemployed and lot-managed entries, the adult tracks, the
// teen-and-elder tracks, then the pet tracks, each group in the order the lists show them.
std::span<const CareerTrack> CareerTable();
const CareerTrack* FindCareer(std::string_view idText);

// The level list of a track; the single item "Unknown" for an identifier not in the table.
std::vector<std::string_view> LevelTitles(std::string_view idText);

// What the page shows next to a chosen level.
struct WorkInfo {
    std::string Hours;
    std::string Salary;          // "$168"
    std::array<bool, 7> Days{};  // Sunday first

    bool operator==(const WorkInfo&) const = default;
};

// Empty texts and no days for level 0 (except the lot-managed job), a level past the track's
// list, or an identifier not in the table.
WorkInfo WorkInfoFor(std::string_view idText, int level);

// The career lists of the Job/School page. AdultRetired is the retired list kept (hidden) for an
// adult: the elder's list with plain labels on the base teen-and-elder tracks.
enum class CareerList { Adult, TeenElder, Pet, ElderRetired, AdultRetired };

struct CareerListItem {
    std::string Label;
    std::string_view Id;

    bool operator==(const CareerListItem&) const = default;
};

// The list in display order, leaving out tracks whose pack is not installed. The pet tracks need
// no pack of their own: choosing the pet list at all is the page's decision.
std::vector<CareerListItem> BuildCareerList(CareerList list, const InstalledPacks& packs);

// One NPC type: the code stored in the sim description and the name shown for it.
struct NpcType {
    std::uint16_t Code = 0;
    std::string_view Name;
    Pack AddedBy = Pack::None;

    bool operator==(const NpcType&) const = default;
};

// All NPC types in list order, grouped by the pack that adds them. Two entries share the name
// "Police Officer" (codes 9 and 46): the code is what identifies an entry.
std::span<const NpcType> NpcTypeTable();
// The entries offered with the given packs, in table order.
std::vector<NpcType> NpcTypeList(const InstalledPacks& packs);

}  // namespace kinloom
