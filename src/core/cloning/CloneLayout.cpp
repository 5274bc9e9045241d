#include "core/cloning/CloneLayout.h"

#include <algorithm>
#include <span>

#include "core/cloning/CloneFile.h"

namespace kinloom {
namespace {

// One field of a group: a 16-bit value or four bytes held as stored.
struct GroupField {
    std::int16_t Character::*word = nullptr;
    FourBytes Character::*four = nullptr;
    bool carried = true;  // taken over on import and by a copy between sims
};

constexpr GroupField W(std::int16_t Character::*m) {
    return {m, nullptr, true};
}
constexpr GroupField F(FourBytes Character::*m) {
    return {nullptr, m, true};
}
// Written into the clone but not taken over from it.
constexpr GroupField Kept(std::int16_t Character::*m) {
    return {m, nullptr, false};
}

using C = Character;

// Zodiac is written but taken over by its own rule (an import keeps the target's when the
// clone's is unset).
constexpr GroupField kPersonality[] = {W(&C::Neat),        W(&C::Outgoing),  W(&C::Active),
                                       W(&C::Playful),     W(&C::Nice),      W(&C::OrgNeat),
                                       W(&C::OrgOutgoing), W(&C::OrgActive), W(&C::OrgPlayful),
                                       W(&C::OrgNice),     Kept(&C::Zodiac)};
constexpr GroupField kAspiration[] = {W(&C::Aspiration), W(&C::AspirationScore),
                                      W(&C::AspirationLevel), W(&C::AspirationRewardPoints)};
constexpr GroupField kSkills[] = {W(&C::Cleaning),   W(&C::Cooking),    W(&C::Charisma),
                                  W(&C::Mechanical), W(&C::Creativity), W(&C::Body),
                                  W(&C::Logic)};
constexpr GroupField kInterests[] = {
    W(&C::Politics),       W(&C::Money),  W(&C::Environment), W(&C::Crime),   W(&C::Entertainment),
    W(&C::Culture),        W(&C::Food),   W(&C::Health),      W(&C::Fashion), W(&C::Sports),
    W(&C::Paranormal),     W(&C::Travel), W(&C::Work),        W(&C::Weather), W(&C::Animals),
    W(&C::SchoolInterest), W(&C::Toys),   W(&C::SciFi)};
// The NPC type travels with the job but is never taken over: it says what the sim is to the
// game, not what it does.
constexpr GroupField kJob[] = {F(&C::Career),  W(&C::JobData),     W(&C::Jobs),
                               F(&C::School),  W(&C::Grade),       F(&C::RetCareer),
                               W(&C::RetJobs), W(&C::Performance), Kept(&C::NPCType),
                               W(&C::Pension), W(&C::PTO)};
constexpr GroupField kCharacter[] = {
    W(&C::MalePref),    W(&C::FemalePref),  W(&C::FitnessPreference),
    W(&C::LocoBalance), W(&C::LocoWeight1), W(&C::Gender),
    W(&C::Ages),        W(&C::AgeDaysLeft), W(&C::AgeDuration),
    W(&C::DaysPrevAge), W(&C::Fatness)};
constexpr GroupField kUniversity[] = {W(&C::ClassPerformance), W(&C::GPA),
                                      F(&C::UniversityMajor),  W(&C::UniversityClass),
                                      W(&C::YoungAdult),       W(&C::InfluenceLevel)};
constexpr GroupField kAttraction[] = {F(&C::AttractionTraits), F(&C::TurnOns), F(&C::TurnOffs)};
constexpr GroupField kHobbies[] = {W(&C::Cuisine),    W(&C::ArtsCrafts), W(&C::FilmsLiterature),
                                   W(&C::SportsHB),   W(&C::Games),      W(&C::Nature),
                                   W(&C::Tinkering),  W(&C::Fitness),    W(&C::Science),
                                   W(&C::MusicDance), W(&C::Talent)};
constexpr GroupField kNeeds[] = {W(&C::Hunger),  W(&C::Comfort), W(&C::Bladder), W(&C::Energy),
                                 W(&C::Hygiene), W(&C::Fun),     W(&C::Social)};

std::span<const GroupField> Layout(std::uint32_t group) {
    switch (group) {
        case clonegroups::Personality:
            return kPersonality;
        case clonegroups::Aspiration:
            return kAspiration;
        case clonegroups::Skills:
            return kSkills;
        case clonegroups::Interests:
            return kInterests;
        case clonegroups::Job:
            return kJob;
        case clonegroups::Character:
            return kCharacter;
        case clonegroups::University:
            return kUniversity;
        case clonegroups::Attraction:
            return kAttraction;
        case clonegroups::Hobbies:
            return kHobbies;
        case clonegroups::Needs:
            return kNeeds;
        default:
            return {};
    }
}

std::size_t FieldSize(const GroupField& f) {
    return f.word ? 2 : 4;
}

}  // namespace

std::optional<std::size_t> CloneGroupSize(std::uint32_t group) {
    const auto layout = Layout(group);
    if (layout.empty()) return std::nullopt;
    std::size_t size = 0;
    for (const GroupField& f : layout) size += FieldSize(f);
    return size;
}

void AppendCloneGroup(Bytes& out, std::uint32_t group, const Character& sim) {
    for (const GroupField& f : Layout(group)) {
        if (f.word)
            AppendU16(out, static_cast<std::uint16_t>(sim.*f.word));
        else
            out.insert(out.end(), (sim.*f.four).begin(), (sim.*f.four).end());
    }
}

void TakeCloneGroup(std::uint32_t group, ByteView bytes, Character& target) {
    ByteReader in(bytes);
    for (const GroupField& f : Layout(group)) {
        if (f.word) {
            const std::int16_t value = in.I16();
            if (f.carried) target.*f.word = value;
        } else {
            const ByteView four = in.Take(4);
            if (f.carried) std::copy(four.begin(), four.end(), (target.*f.four).begin());
        }
    }
}

void CopyCloneGroup(std::uint32_t group, const Character& source, Character& target) {
    for (const GroupField& f : Layout(group)) {
        if (!f.carried) continue;
        if (f.word)
            target.*f.word = source.*f.word;
        else
            target.*f.four = source.*f.four;
    }
}

std::vector<const CharacterField*> CloneGroupFields(std::uint32_t group) {
    std::vector<const CharacterField*> fields;
    for (const GroupField& g : Layout(group)) {
        if (!g.carried) continue;
        for (const CharacterField& f : CharacterFields()) {
            const bool same = g.word
                                  ? std::holds_alternative<std::int16_t Character::*>(f.Member) &&
                                        std::get<std::int16_t Character::*>(f.Member) == g.word
                                  : std::holds_alternative<FourBytes Character::*>(f.Member) &&
                                        std::get<FourBytes Character::*>(f.Member) == g.four;
            if (same) {
                fields.push_back(&f);
                break;
            }
        }
    }
    return fields;
}

}  // namespace kinloom
