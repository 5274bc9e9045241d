#include "core/careers/Careers.h"

#include <algorithm>

namespace kinloom {
namespace {

constexpr NpcType kNpcTypes[] = {
    {0, "NA", Pack::None},
    {2, "Bartender", Pack::None},
    {4, "Burgler", Pack::None},
    {5, "Driver", Pack::None},
    {9, "Police Officer", Pack::None},
    {10, "Grocery Delivery", Pack::None},
    {11, "Exterminator", Pack::None},
    {12, "Fire Fighter", Pack::None},
    {13, "Gardener", Pack::None},
    {16, "Repair Person", Pack::None},
    {17, "Headmaster", Pack::None},
    {19, "Maid", Pack::None},
    {20, "Mail Delivery", Pack::None},
    {21, "Nanny", Pack::None},
    {22, "Paper Delivery", Pack::None},
    {23, "Pizza Delivery", Pack::None},
    {26, "Repo Man", Pack::None},
    {29, "Social Bunny", Pack::None},
    {30, "Social Worker", Pack::None},
    {31, "Clerk", Pack::None},
    {1, "Lounge Bartender", Pack::University},
    {6, "University Streaker", Pack::University},
    {7, "University Coach", Pack::University},
    {8, "Cafeteria Worker", Pack::University},
    {14, "Barista", Pack::University},
    {24, "University Professor", Pack::University},
    {25, "Evil Cow Team Mascot", Pack::University},
    {27, "University Cheerleader", Pack::University},
    {28, "Llama Team Mascot", Pack::University},
    {33, "Chinese Delivery", Pack::University},
    {18, "Gypsy Matchmaker", Pack::Nightlife},
    {34, "Host/Hostess", Pack::Nightlife},
    {35, "Waiter/Waitress", Pack::Nightlife},
    {36, "Chef", Pack::Nightlife},
    {37, "Disk Jockey", Pack::Nightlife},
    {39, "Vampire", Pack::Nightlife},
    {40, "Servo", Pack::Business},
    {41, "Undercover Reporter", Pack::Business},
    {3, "Unknown ?", Pack::Pets},
    {42, "Unknown Various Outfits", Pack::Pets},
    {43, "Wolf", Pack::Pets},
    {44, "Pack Leader", Pack::Pets},
    {46, "Police Officer", Pack::Pets},
    {47, "Obedience Trainer", Pack::Pets},
    {48, "Massage Therapist", Pack::BonVoyage},
    {49, "Hotel Host/Hostess", Pack::BonVoyage},
    {50, "Unsavory Charlatan", Pack::BonVoyage},
    {51, "Tour Guide", Pack::BonVoyage},
    {53, "Ninja", Pack::BonVoyage},
    {55, "Vacation Maid", Pack::BonVoyage},
    {56, "Local Chef", Pack::BonVoyage},
    {57, "Fire Walker", Pack::BonVoyage},
    {60, "Food Judge", Pack::BonVoyage},
};

constexpr std::string_view kUnknownLevels[] = {"Unknown"};

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The ten careers of the base game carry "Adult - " / "Elder - " in the retired lists, so their
// two tracks can be told apart there.
bool IsBaseTrack(const CareerTrack& track) {
    return track.RequiredPack == Pack::None &&
           (track.Audience == CareerAudience::Adult || track.Audience == CareerAudience::TeenElder);
}

bool InList(const CareerTrack& track, CareerList list) {
    switch (list) {
        case CareerList::Adult:
            return track.Audience == CareerAudience::Adult ||
                   track.Audience == CareerAudience::Both;
        case CareerList::TeenElder:
            return track.Audience == CareerAudience::TeenElder ||
                   track.Audience == CareerAudience::Both;
        case CareerList::Pet:
            return track.Id == kNoCareerId || track.Audience == CareerAudience::Pet;
        case CareerList::ElderRetired:
        case CareerList::AdultRetired:
            return track.Audience != CareerAudience::Pet;
    }
    return false;
}

std::string ListLabel(const CareerTrack& track, CareerList list) {
    if (IsBaseTrack(track)) {
        if (track.Audience == CareerAudience::Adult &&
            (list == CareerList::ElderRetired || list == CareerList::AdultRetired)) {
            return "Adult - " + std::string(track.Label);
        }
        if (track.Audience == CareerAudience::TeenElder && list == CareerList::ElderRetired) {
            return "Elder - " + std::string(track.Label);
        }
    }
    return std::string(track.Label);
}

}  // namespace

std::string IdText(std::span<const std::uint8_t, 4> bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(8);
    for (std::uint8_t b : bytes) {
        text += kHex[b >> 4];
        text += kHex[b & 0x0F];
    }
    return text;
}

std::optional<StoredId> IdBytes(std::string_view text) {
    if (text.size() != 8) return std::nullopt;
    StoredId id{};
    for (std::size_t i = 0; i < id.size(); ++i) {
        int hi = HexDigit(text[2 * i]);
        int lo = HexDigit(text[2 * i + 1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        id[i] = static_cast<std::uint8_t>(hi * 16 + lo);
    }
    return id;
}

bool InstalledPacks::Has(Pack pack) const {
    switch (pack) {
        case Pack::None:
            return true;
        case Pack::University:
            return HasUniversity;
        case Pack::Nightlife:
            return HasNightlife;
        case Pack::Business:
            return HasBusiness;
        case Pack::Pets:
            return HasPets;
        case Pack::Seasons:
            return HasSeasons;
        case Pack::BonVoyage:
            return HasBonVoyage;
        case Pack::FreeTime:
            return HasFreeTime;
    }
    return false;
}

const CareerTrack* FindCareer(std::string_view idText) {
    auto table = CareerTable();
    auto it = std::find_if(table.begin(), table.end(),
                           [&](const CareerTrack& t) { return t.Id == idText; });
    return it == table.end() ? nullptr : &*it;
}

std::vector<std::string_view> LevelTitles(std::string_view idText) {
    const CareerTrack* track = FindCareer(idText);
    if (!track) return {std::begin(kUnknownLevels), std::end(kUnknownLevels)};
    std::vector<std::string_view> titles;
    titles.reserve(track->Levels.size());
    for (const JobLevel& level : track->Levels) titles.push_back(level.Title);
    return titles;
}

WorkInfo WorkInfoFor(std::string_view idText, int level) {
    WorkInfo info;
    const CareerTrack* track = FindCareer(idText);
    if (!track || level < 0 || static_cast<std::size_t>(level) >= track->Levels.size()) {
        return info;
    }
    const JobLevel& row = track->Levels[static_cast<std::size_t>(level)];
    if (row.Hours.empty()) return info;
    info.Hours = std::string(row.Hours);
    info.Salary = "$" + std::to_string(row.Salary);
    for (std::size_t day = 0; day < info.Days.size() && day < row.Days.size(); ++day) {
        info.Days[day] = row.Days[day] == 'X';
    }
    return info;
}

std::vector<CareerListItem> BuildCareerList(CareerList list, const InstalledPacks& packs) {
    std::vector<CareerListItem> items;
    for (const CareerTrack& track : CareerTable()) {
        if (!InList(track, list) || !packs.Has(track.RequiredPack)) continue;
        items.push_back({ListLabel(track, list), track.Id});
    }
    return items;
}

std::span<const NpcType> NpcTypeTable() {
    return kNpcTypes;
}

std::vector<NpcType> NpcTypeList(const InstalledPacks& packs) {
    std::vector<NpcType> list;
    for (const NpcType& type : kNpcTypes) {
        if (packs.Has(type.AddedBy)) list.push_back(type);
    }
    return list;
}

}  // namespace kinloom
