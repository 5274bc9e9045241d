#include "core/editing/RelationshipEdits.h"

#include <algorithm>

#include "core/editing/LoadedNeighborhood.h"
#include "core/editing/SimLabels.h"
#include "core/packages/Utf8.h"

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

// Why an edit that writes these records is refused; nullopt when every one of them may be written.
std::optional<std::string> RefusalFor(const std::vector<RelationshipRecord*>& targets) {
    for (const RelationshipRecord* r : targets)
        if (r->ReadOnly) return ReadOnlyRefusal(*r);
    return std::nullopt;
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

std::string ReadOnlyRefusal(const RelationshipRecord& record) {
    return "How sim " + std::to_string(record.SimA) + " feels about sim " +
           std::to_string(record.SimB) +
           " cannot be changed: its entry in the neighborhood is too short for Kinloom to change "
           "safely, so it is kept exactly as stored. Nothing was changed.";
}

RelationshipEdit WriteRelationshipFlag(std::vector<RelationshipRecord>& list,
                                       RelationshipRecord& record, RelationshipSide side,
                                       const RelationshipFlag& flag, bool on) {
    std::vector<RelationshipRecord*> targets;
    if (flag.Mutual || side == RelationshipSide::Selected) targets.push_back(&record);
    if (flag.Mutual || side == RelationshipSide::Other)
        for (RelationshipRecord* reverse : ReversesOf(list, record)) targets.push_back(reverse);
    if (auto refused = RefusalFor(targets)) return {false, std::move(refused)};
    for (RelationshipRecord* r : targets) {
        PutFlag(*r, flag, on);
        r->Modified = 1;
    }
    return {!targets.empty(), std::nullopt};
}

RelationshipEdit WriteRelationshipTerm(std::vector<RelationshipRecord>& list,
                                       RelationshipRecord& record, RelationshipSide side,
                                       RelationshipTerm term, int value) {
    std::vector<RelationshipRecord*> targets;
    if (side == RelationshipSide::Selected)
        targets.push_back(&record);
    else
        targets = ReversesOf(list, record);
    if (auto refused = RefusalFor(targets)) return {false, std::move(refused)};
    for (RelationshipRecord* r : targets) PutTerm(*r, term, value);
    return {!targets.empty(), std::nullopt};
}

RelationshipEdit MaxBothRelationships(std::vector<RelationshipRecord>& list,
                                      RelationshipRecord& record) {
    std::vector<RelationshipRecord*> targets = ReversesOf(list, record);
    if (targets.empty()) return {};
    targets.insert(targets.begin(), &record);
    if (auto refused = RefusalFor(targets)) return {false, std::move(refused)};
    bool wrote = false;
    for (RelationshipRecord* r : targets) wrote = MaxOne(*r) || wrote;
    return {wrote, std::nullopt};
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
