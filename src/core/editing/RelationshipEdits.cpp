#include "editing/RelationshipEdits.h"

#include <algorithm>

#include "editing/LoadedNeighborhood.h"
#include "editing/SimLabels.h"
#include "packages/Utf8.h"

namespace kinloom {

namespace {

constexpr std::array<RelationshipFlag, 10> kFlags{{
    {"Crush", "Crush", false, relbits::Crush, false, false},
    {"Love", "Love", false, relbits::Love, false, false},
    {"Engaged", "Engaged", false, relbits::Engaged, true, true},
    {"Married", "Married", false, relbits::Married, true, true},
    {"Friend", "Friend", false, relbits::Friend, false, false},
    {"BestFriend", "Best Friend", false, relbits::BestFriend, false, false},
    {"Steady", "Steady", false, relbits::Steady, true, true},
    {"Enemy", "Enemy", false, relbits::Enemy, false, false},
    {"UnAvailable", "UnAvailable", true, relbits::UnAvailable, true, true},
    {"Aquaintance", "Acquaintance", true, relbits::Aquaintance, true, false},
}};

const RelationshipFlag& FlagNamed(const char* name) {
    return *std::find_if(kFlags.begin(), kFlags.end(), [name](const RelationshipFlag& f) {
        return std::string_view(f.Name) == name;
    });
}

int Term(const RelationshipRecord& r, RelationshipTerm term) {
    return term == RelationshipTerm::Short ? r.ShortTerm : r.LongTerm;
}

void PutTerm(RelationshipRecord& r, RelationshipTerm term, int value) {
    (term == RelationshipTerm::Short ? r.ShortTerm : r.LongTerm) = value;
    r.Modified = 1;
}

// Brings one record to the maximum, touching only what shows otherwise.
bool MaxOne(RelationshipRecord& r) {
    bool wrote = false;
    for (RelationshipTerm term : {RelationshipTerm::Short, RelationshipTerm::Long}) {
        if (std::clamp(Term(r, term), kRelationshipMin, kRelationshipMax) == kRelationshipMax)
            continue;
        PutTerm(r, term, kRelationshipMax);
        wrote = true;
    }
    for (const char* name : {"Friend", "BestFriend"}) {
        const RelationshipFlag& flag = FlagNamed(name);
        if (HasFlag(r, flag)) continue;
        PutFlag(r, flag, true);
        r.Modified = 1;
        wrote = true;
    }
    return wrote;
}

}  // namespace

const std::array<RelationshipFlag, 10>& RelationshipFlags() {
    return kFlags;
}

bool HasFlag(const RelationshipRecord& record, const RelationshipFlag& flag) {
    const std::uint8_t byte = flag.SecondByte ? record.RelBitTwo : record.RelBitOne;
    return ((byte >> flag.Bit) & 1) != 0;
}

void PutFlag(RelationshipRecord& record, const RelationshipFlag& flag, bool on) {
    std::uint8_t& byte = flag.SecondByte ? record.RelBitTwo : record.RelBitOne;
    const auto mask = static_cast<std::uint8_t>(1u << flag.Bit);
    byte = on ? static_cast<std::uint8_t>(byte | mask) : static_cast<std::uint8_t>(byte & ~mask);
}

std::vector<RelationshipRecord*> ReversesOf(std::vector<RelationshipRecord>& list,
                                            const RelationshipRecord& record) {
    std::vector<RelationshipRecord*> out;
    for (RelationshipRecord& r : list)
        if (r.SimA == record.SimB && r.SimB == record.SimA) out.push_back(&r);
    return out;
}

void WriteRelationshipFlag(std::vector<RelationshipRecord>& list, RelationshipRecord& record,
                           RelationshipSide side, const RelationshipFlag& flag, bool on) {
    if (flag.Mutual || side == RelationshipSide::Selected) {
        PutFlag(record, flag, on);
        record.Modified = 1;
    }
    if (flag.Mutual || side == RelationshipSide::Other) {
        for (RelationshipRecord* reverse : ReversesOf(list, record)) {
            PutFlag(*reverse, flag, on);
            reverse->Modified = 1;
        }
    }
}

void WriteRelationshipTerm(std::vector<RelationshipRecord>& list, RelationshipRecord& record,
                           RelationshipSide side, RelationshipTerm term, int value) {
    if (side == RelationshipSide::Selected) {
        PutTerm(record, term, value);
        return;
    }
    for (RelationshipRecord* reverse : ReversesOf(list, record)) PutTerm(*reverse, term, value);
}

bool MaxBothRelationships(std::vector<RelationshipRecord>& list, RelationshipRecord& record) {
    std::vector<RelationshipRecord*> reverses = ReversesOf(list, record);
    if (reverses.empty()) return false;
    bool wrote = MaxOne(record);
    for (RelationshipRecord* reverse : reverses) wrote = MaxOne(*reverse) || wrote;
    return wrote;
}

Character* SimOfInstance(const LoadedNeighborhood& state, std::uint32_t instance) {
    for (Character* sim : state.Sims)
        if (sim->DescriptionInstance == instance) return sim;
    return nullptr;
}

std::vector<RelationshipEntry> RelationshipEntries(const LoadedNeighborhood& state,
                                                   const Character& sim) {
    std::vector<RelationshipEntry> entries;
    for (std::size_t i = 0; i < state.Relationships.size(); ++i) {
        const RelationshipRecord& r = state.Relationships[i];
        if (r.SimA != sim.DescriptionInstance) continue;
        Character* other = SimOfInstance(state, r.SimB);
        if (!other) continue;
        entries.push_back({i, other, SimLabel(*other, state.Form)});
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const RelationshipEntry& a, const RelationshipEntry& b) {
                         return LabelLess(a.Label, b.Label);
                     });
    return entries;
}

std::u16string SimFullName(const Character& sim) {
    return DecodeUtf8(sim.FirstName) + u" " + DecodeUtf8(sim.LastName);
}

std::u16string LikesCaption(const Character& who, const Character& whom) {
    return u"How much " + SimFullName(who) + u" likes " + SimFullName(whom);
}

}  // namespace kinloom
