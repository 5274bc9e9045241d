#include "core/editing/CharacterFields.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <type_traits>

#include "core/editing/DescriptionIndex.h"
#include "core/editing/NameLists.h"
#include "core/records/NumberFit.h"
#include "core/records/SimDescription.h"

namespace kinloom {

namespace {

const CharacterField kFields[] = {
    {"PropertyAge", FieldKind::Int16, &SimProperties::PropertyAge, FieldHome::SimProperties},
    {"PropertyGender", FieldKind::Int16, &SimProperties::PropertyGender, FieldHome::SimProperties},
    {"SkinColor", FieldKind::Text, &SimProperties::SkinColor, FieldHome::SimProperties},
    {"HairColor", FieldKind::Text, &SimProperties::HairColor, FieldHome::SimProperties},
    {"EyeColor", FieldKind::Text, &SimProperties::EyeColor, FieldHome::SimProperties},
    {"DescriptionInstance", FieldKind::UInt32, &Character::DescriptionInstance, FieldHome::Record},
    {"GUID", FieldKind::Four, &Character::GUID, FieldHome::Record},
    {"FileName", FieldKind::Text, &Character::FileName, FieldHome::Record},
    {"FirstName", FieldKind::Text, &Character::FirstName, FieldHome::NameList},
    {"LastName", FieldKind::Text, &Character::LastName, FieldHome::NameList},
    {"CharacterDescription", FieldKind::Text, &Character::CharacterDescription,
     FieldHome::NameList},
    {"FormatVersion", FieldKind::UInt16, &Character::FormatVersion, FieldHome::Description},
    {"CharacterVersion", FieldKind::Text, &Character::CharacterVersion, FieldHome::Record},
    {"Nice", FieldKind::Int16, &Character::Nice, FieldHome::Description},
    {"Active", FieldKind::Int16, &Character::Active, FieldHome::Description},
    {"ClassPerformance", FieldKind::Int16, &Character::ClassPerformance, FieldHome::Description},
    {"Playful", FieldKind::Int16, &Character::Playful, FieldHome::Description},
    {"Outgoing", FieldKind::Int16, &Character::Outgoing, FieldHome::Description},
    {"Neat", FieldKind::Int16, &Character::Neat, FieldHome::Description},
    {"Cleaning", FieldKind::Int16, &Character::Cleaning, FieldHome::Description},
    {"Cooking", FieldKind::Int16, &Character::Cooking, FieldHome::Description},
    {"Charisma", FieldKind::Int16, &Character::Charisma, FieldHome::Description},
    {"Mechanical", FieldKind::Int16, &Character::Mechanical, FieldHome::Description},
    {"Creativity", FieldKind::Int16, &Character::Creativity, FieldHome::Description},
    {"Body", FieldKind::Int16, &Character::Body, FieldHome::Description},
    {"Logic", FieldKind::Int16, &Character::Logic, FieldHome::Description},
    {"MalePref", FieldKind::Int16, &Character::MalePref, FieldHome::Description},
    {"FemalePref", FieldKind::Int16, &Character::FemalePref, FieldHome::Description},
    {"JobData", FieldKind::Int16, &Character::JobData, FieldHome::Description},
    {"Aspiration", FieldKind::Int16, &Character::Aspiration, FieldHome::Description},
    {"OrgNeat", FieldKind::Int16, &Character::OrgNeat, FieldHome::Description},
    {"OrgNice", FieldKind::Int16, &Character::OrgNice, FieldHome::Description},
    {"OrgActive", FieldKind::Int16, &Character::OrgActive, FieldHome::Description},
    {"OrgOutgoing", FieldKind::Int16, &Character::OrgOutgoing, FieldHome::Description},
    {"OrgPlayful", FieldKind::Int16, &Character::OrgPlayful, FieldHome::Description},
    {"Grade", FieldKind::Int16, &Character::Grade, FieldHome::Description},
    {"Jobs", FieldKind::Int16, &Character::Jobs, FieldHome::Description},
    {"Ages", FieldKind::Int16, &Character::Ages, FieldHome::Description},
    {"FamilyNumber", FieldKind::Int16, &Character::FamilyNumber, FieldHome::Description},
    {"Performance", FieldKind::Int16, &Character::Performance, FieldHome::Description},
    {"Gender", FieldKind::Int16, &Character::Gender, FieldHome::Description},
    {"LingeringNumber", FieldKind::Int16, &Character::LingeringNumber, FieldHome::Description},
    {"GhostFlags", FieldKind::Int16, &Character::GhostFlags, FieldHome::Description},
    {"PTO", FieldKind::Int16, &Character::PTO, FieldHome::Description},
    {"Zodiac", FieldKind::Int16, &Character::Zodiac, FieldHome::Description},
    {"Fatness", FieldKind::Int16, &Character::Fatness, FieldHome::Description},
    {"GPA", FieldKind::Int16, &Character::GPA, FieldHome::Description},
    {"Career", FieldKind::Four, &Character::Career, FieldHome::Description},
    {"LoadedCareer", FieldKind::Four, &Character::LoadedCareer, FieldHome::Description},
    {"AgeDaysLeft", FieldKind::Int16, &Character::AgeDaysLeft, FieldHome::Description},
    {"DaysPrevAge", FieldKind::Int16, &Character::DaysPrevAge, FieldHome::Description},
    {"School", FieldKind::Four, &Character::School, FieldHome::Description},
    {"Word234", FieldKind::Int16, &Character::Word234, FieldHome::Description},
    {"LocoBalance", FieldKind::Int16, &Character::LocoBalance, FieldHome::Description},
    {"LocoWeight1", FieldKind::Int16, &Character::LocoWeight1, FieldHome::Description},
    {"OutfitSourceGUID", FieldKind::Four, &Character::OutfitSourceGUID, FieldHome::Description},
    {"FitnessPreference", FieldKind::Int16, &Character::FitnessPreference, FieldHome::Description},
    {"Pension", FieldKind::Int16, &Character::Pension, FieldHome::Description},
    {"Politics", FieldKind::Int16, &Character::Politics, FieldHome::Description},
    {"Money", FieldKind::Int16, &Character::Money, FieldHome::Description},
    {"Environment", FieldKind::Int16, &Character::Environment, FieldHome::Description},
    {"Crime", FieldKind::Int16, &Character::Crime, FieldHome::Description},
    {"Entertainment", FieldKind::Int16, &Character::Entertainment, FieldHome::Description},
    {"Culture", FieldKind::Int16, &Character::Culture, FieldHome::Description},
    {"Food", FieldKind::Int16, &Character::Food, FieldHome::Description},
    {"Health", FieldKind::Int16, &Character::Health, FieldHome::Description},
    {"Fashion", FieldKind::Int16, &Character::Fashion, FieldHome::Description},
    {"Sports", FieldKind::Int16, &Character::Sports, FieldHome::Description},
    {"Paranormal", FieldKind::Int16, &Character::Paranormal, FieldHome::Description},
    {"Travel", FieldKind::Int16, &Character::Travel, FieldHome::Description},
    {"Work", FieldKind::Int16, &Character::Work, FieldHome::Description},
    {"Weather", FieldKind::Int16, &Character::Weather, FieldHome::Description},
    {"Animals", FieldKind::Int16, &Character::Animals, FieldHome::Description},
    {"SchoolInterest", FieldKind::Int16, &Character::SchoolInterest, FieldHome::Description},
    {"Toys", FieldKind::Int16, &Character::Toys, FieldHome::Description},
    {"SciFi", FieldKind::Int16, &Character::SciFi, FieldHome::Description},
    {"NPCType", FieldKind::Int16, &Character::NPCType, FieldHome::Description},
    {"AgeDuration", FieldKind::Int16, &Character::AgeDuration, FieldHome::Description},
    {"AspirationScore", FieldKind::Int16, &Character::AspirationScore, FieldHome::Description},
    {"AspirationRewardPoints", FieldKind::Int16, &Character::AspirationRewardPoints,
     FieldHome::Description},
    {"AspirationLevel", FieldKind::Int16, &Character::AspirationLevel, FieldHome::Description},
    {"Word338", FieldKind::Int16, &Character::Word338, FieldHome::Description},
    {"RetCareer", FieldKind::Four, &Character::RetCareer, FieldHome::Description},
    {"RetJobs", FieldKind::Int16, &Character::RetJobs, FieldHome::Description},
    {"UniversityMajor", FieldKind::Four, &Character::UniversityMajor, FieldHome::Description},
    {"GradePeriod", FieldKind::Int16, &Character::GradePeriod, FieldHome::Description},
    {"UniversityClass", FieldKind::Int16, &Character::UniversityClass, FieldHome::Description},
    {"YoungAdult", FieldKind::Int16, &Character::YoungAdult, FieldHome::Description},
    {"InfluenceLevel", FieldKind::Int16, &Character::InfluenceLevel, FieldHome::Description},
    {"InfluenceMinimum", FieldKind::Int16, &Character::InfluenceMinimum, FieldHome::Description},
    {"InfluenceScore", FieldKind::Int16, &Character::InfluenceScore, FieldHome::Description},
    {"AttractionTraits", FieldKind::Four, &Character::AttractionTraits, FieldHome::Description},
    {"TurnOns", FieldKind::Four, &Character::TurnOns, FieldHome::Description},
    {"TurnOffs", FieldKind::Four, &Character::TurnOffs, FieldHome::Description},
    {"TurnOnsExt", FieldKind::Two, &Character::TurnOnsExt, FieldHome::Description},
    {"TurnOffsExt", FieldKind::Two, &Character::TurnOffsExt, FieldHome::Description},
    {"Species", FieldKind::UInt16, &Character::Species, FieldHome::Description},
    {"Cuisine", FieldKind::Int16, &Character::Cuisine, FieldHome::Description},
    {"ArtsCrafts", FieldKind::Int16, &Character::ArtsCrafts, FieldHome::Description},
    {"FilmsLiterature", FieldKind::Int16, &Character::FilmsLiterature, FieldHome::Description},
    {"SportsHB", FieldKind::Int16, &Character::SportsHB, FieldHome::Description},
    {"Games", FieldKind::Int16, &Character::Games, FieldHome::Description},
    {"Nature", FieldKind::Int16, &Character::Nature, FieldHome::Description},
    {"Tinkering", FieldKind::Int16, &Character::Tinkering, FieldHome::Description},
    {"Fitness", FieldKind::Int16, &Character::Fitness, FieldHome::Description},
    {"Science", FieldKind::Int16, &Character::Science, FieldHome::Description},
    {"MusicDance", FieldKind::Int16, &Character::MusicDance, FieldHome::Description},
    {"Talent", FieldKind::Int16, &Character::Talent, FieldHome::Description},
    {"LTAspiration", FieldKind::Int16, &Character::LTAspiration, FieldHome::Description},
    {"LTAUnlocks", FieldKind::Int16, &Character::LTAUnlocks, FieldHome::Description},
    {"LTAUnlocksUsed", FieldKind::Int16, &Character::LTAUnlocksUsed, FieldHome::Description},
    {"Hunger", FieldKind::Int16, &Character::Hunger, FieldHome::Description},
    {"Comfort", FieldKind::Int16, &Character::Comfort, FieldHome::Description},
    {"Bladder", FieldKind::Int16, &Character::Bladder, FieldHome::Description},
    {"Energy", FieldKind::Int16, &Character::Energy, FieldHome::Description},
    {"Hygiene", FieldKind::Int16, &Character::Hygiene, FieldHome::Description},
    {"Fun", FieldKind::Int16, &Character::Fun, FieldHome::Description},
    {"Social", FieldKind::Int16, &Character::Social, FieldHome::Description},
    {"HasBody", FieldKind::Flag, &Character::HasBody, FieldHome::Record},
    {"HasNameList", FieldKind::Flag, &Character::HasNameList, FieldHome::Record},
    {"ResetThumbnail", FieldKind::Flag, &Character::ResetThumbnail, FieldHome::Record},
    {"CloneInProgress", FieldKind::Flag, &Character::CloneInProgress, FieldHome::Record},
    {"BodySourcePath", FieldKind::Path, &Character::BodySourcePath, FieldHome::Record},
    {"Modified", FieldKind::Flag, &Character::Modified, FieldHome::Record},
};

std::string Hex(std::span<const std::uint8_t> bytes) {
    std::string out;
    char buf[3];
    for (std::uint8_t b : bytes) {
        std::snprintf(buf, sizeof buf, "%02X", b);
        out += buf;
    }
    return out;
}

template <typename Int>
std::optional<std::string> ParseInt(std::string_view text, Int& out) {
    const NumberFit fit = FitNumber(text, RangeOf<Int>());
    if (!fit.Value) return fit.Problem;
    out = static_cast<Int>(*fit.Value);
    return std::nullopt;
}

template <std::size_t N>
std::optional<std::string> ParseHex(std::string_view text, std::array<std::uint8_t, N>& out) {
    if (text.size() != 2 * N) return "expected " + std::to_string(2 * N) + " hex digits";
    std::array<std::uint8_t, N> bytes{};
    for (std::size_t i = 0; i < N; ++i) {
        unsigned value = 0;
        const char* first = text.data() + 2 * i;
        auto [ptr, ec] = std::from_chars(first, first + 2, value, 16);
        if (ec != std::errc() || ptr != first + 2) return "not hex digits: " + std::string(text);
        bytes[i] = static_cast<std::uint8_t>(value);
    }
    out = bytes;
    return std::nullopt;
}

}  // namespace

std::span<const CharacterField> CharacterFields() {
    return kFields;
}

const CharacterField* FindCharacterField(std::string_view name) {
    for (const CharacterField& f : kFields)
        if (name == f.Name) return &f;
    return nullptr;
}

const CharacterField* FindCharacterField(std::int16_t Character::*member) {
    for (const CharacterField& f : kFields) {
        const auto* held = std::get_if<std::int16_t Character::*>(&f.Member);
        if (held && *held == member) return &f;
    }
    return nullptr;
}

namespace {

// The description layout's word on a field; nullopt for a member no description holds.
std::optional<DescriptionVersions> VersionsOf(const CharacterField& field) {
    if (field.Home != FieldHome::Description) return std::nullopt;
    return std::visit(
        [](auto member) -> std::optional<DescriptionVersions> {
            if constexpr (std::is_constructible_v<DescriptionMember, decltype(member)>)
                return DescriptionVersionsOf(member);
            else
                return std::nullopt;
        },
        field.Member);
}

// The 16-bit body properties are held unsigned and shown signed.
bool ShownSigned(const CharacterField& field, const std::uint16_t&) {
    return field.Kind == FieldKind::Int16;
}
template <typename T>
bool ShownSigned(const CharacterField&, const T&) {
    return false;
}

}  // namespace

std::string FieldText(const Character& sim, const CharacterField& field) {
    return std::visit(
        [&](auto member) -> std::string {
            const auto& value = sim.*member;
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::string>)
                return value;
            else if constexpr (std::is_same_v<T, std::filesystem::path>)
                return value.string();
            else if constexpr (std::is_same_v<T, bool>)
                return value ? "true" : "false";
            else if constexpr (std::is_same_v<T, FourBytes> || std::is_same_v<T, TwoBytes>)
                return Hex(value);
            else if (ShownSigned(field, value))
                return std::to_string(static_cast<std::int16_t>(value));
            else
                return std::to_string(value);
        },
        field.Member);
}

bool EverStored(const CharacterField& field) {
    switch (field.Home) {
        case FieldHome::NameList:
        case FieldHome::SimProperties:
            return true;
        case FieldHome::Description: {
            const auto versions = VersionsOf(field);
            return versions && versions->Saved;
        }
        case FieldHome::Record:
            break;
    }
    return false;
}

std::optional<std::string> SetFieldText(Character& sim, const CharacterField& field,
                                        std::string_view text) {
    if (!EverStored(field)) return "cannot be set: no save ever writes it back";
    return std::visit(
        [&](auto member) -> std::optional<std::string> {
            auto& value = sim.*member;
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::string>) {
                value = std::string(text);
                return std::nullopt;
            } else if constexpr (std::is_same_v<T, std::filesystem::path> ||
                                 std::is_same_v<T, bool>) {
                return "cannot be set";
            } else if constexpr (std::is_same_v<T, FourBytes> || std::is_same_v<T, TwoBytes>) {
                return ParseHex(text, value);
            } else if constexpr (std::is_same_v<T, std::uint16_t>) {
                if (!ShownSigned(field, value)) return ParseInt(text, value);
                std::int16_t shown = 0;
                auto problem = ParseInt(text, shown);
                if (!problem) value = static_cast<std::uint16_t>(shown);
                return problem;
            } else {
                return ParseInt(text, value);
            }
        },
        field.Member);
}

std::optional<std::string> WhyNotStorable(const Character& sim, const CharacterField& field) {
    const std::string name = field.Name;
    switch (field.Home) {
        case FieldHome::Record:
            return name + " is never written back by a save";
        case FieldHome::NameList:
            if (auto refusal = SimNamesRefusal(sim)) return name + ": " + *refusal;
            return std::nullopt;
        case FieldHome::SimProperties: {
            const PropertySlots& slots = sim.Slots;
            const bool stored = name == "PropertyAge"      ? slots.Age
                                : name == "PropertyGender" ? slots.Gender
                                : name == "SkinColor"      ? slots.SkinColor
                                : name == "HairColor"      ? slots.HairColor
                                                           : slots.EyeColor;
            if (!stored)
                return name + " cannot be saved: the sim's body property set holds no " +
                       (field.Kind == FieldKind::Text ? "36-character text" : "number") + " for it";
            return std::nullopt;
        }
        case FieldHome::Description:
            break;
    }
    const auto versions = VersionsOf(field);
    if (!versions || !versions->Saved) return name + " is never written back by a save";
    if (sim.DescriptionInstance == kNoDescription)
        return name + " cannot be saved: " + sim.FileName +
               " has no sim description in the neighborhood package";
    if (!versions->Carries(sim.FormatVersion))
        return name + " cannot be saved: a version " + std::to_string(sim.FormatVersion) +
               " sim description does not hold it (" +
               (versions->First == versions->Last
                    ? "only version " + std::to_string(versions->First) + " does)"
                    : "versions " + std::to_string(versions->First) + " to " +
                          std::to_string(versions->Last) + " do)");
    return std::nullopt;
}

namespace {

// Why a save would not write the change of this field from before to after; nullopt when it
// would, or when the field did not change.
std::optional<std::string> UnstorableChange(const Character& before, const Character& after,
                                            const CharacterField& f) {
    // Flags and the body source are how the program notes work for the save itself.
    if (f.Kind == FieldKind::Flag || f.Kind == FieldKind::Path) return std::nullopt;
    if (FieldText(before, f) == FieldText(after, f)) return std::nullopt;
    if (auto why = WhyNotStorable(after, f)) return why;
    if (f.Home == FieldHome::SimProperties && f.Kind == FieldKind::Text &&
        FieldText(after, f).size() != kColorTextLength)
        // A colour is stored in place of one of exactly this length.
        return std::string(f.Name) + " cannot be saved: a colour must be " +
               std::to_string(kColorTextLength) + " characters long";
    return std::nullopt;
}

}  // namespace

std::vector<std::string> UnstorableChanges(const Character& before, const Character& after) {
    std::vector<std::string> problems;
    for (const CharacterField& f : kFields)
        if (auto why = UnstorableChange(before, after, f)) problems.push_back(*why);
    return problems;
}

std::vector<std::string> KeepStorableChanges(const Character& before, Character& after) {
    std::vector<std::string> takenBack;
    for (const CharacterField& f : kFields) {
        if (!UnstorableChange(before, after, f)) continue;
        std::visit([&](auto member) { after.*member = before.*member; }, f.Member);
        takenBack.emplace_back(f.Name);
    }
    return takenBack;
}

}  // namespace kinloom
