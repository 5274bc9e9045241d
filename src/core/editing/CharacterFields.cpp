#include "editing/CharacterFields.h"

#include <charconv>
#include <cstdio>
#include <limits>
#include <type_traits>

namespace kinloom {

namespace {

const CharacterField kFields[] = {
    {"PropertyAge", FieldKind::UInt16, &SimProperties::PropertyAge, true},
    {"PropertyGender", FieldKind::UInt16, &SimProperties::PropertyGender, true},
    {"SkinColor", FieldKind::Text, &SimProperties::SkinColor, true},
    {"HairColor", FieldKind::Text, &SimProperties::HairColor, true},
    {"EyeColor", FieldKind::Text, &SimProperties::EyeColor, true},
    {"DescriptionInstance", FieldKind::UInt32, &Character::DescriptionInstance, false},
    {"GUID", FieldKind::Four, &Character::GUID, false},
    {"FileName", FieldKind::Text, &Character::FileName, false},
    {"FirstName", FieldKind::Text, &Character::FirstName, true},
    {"LastName", FieldKind::Text, &Character::LastName, true},
    {"CharacterDescription", FieldKind::Text, &Character::CharacterDescription, true},
    {"FormatVersion", FieldKind::UInt16, &Character::FormatVersion, false},
    {"CharacterVersion", FieldKind::Text, &Character::CharacterVersion, false},
    {"Nice", FieldKind::Int16, &Character::Nice, true},
    {"Active", FieldKind::Int16, &Character::Active, true},
    {"ClassPerformance", FieldKind::Int16, &Character::ClassPerformance, true},
    {"Playful", FieldKind::Int16, &Character::Playful, true},
    {"Outgoing", FieldKind::Int16, &Character::Outgoing, true},
    {"Neat", FieldKind::Int16, &Character::Neat, true},
    {"Cleaning", FieldKind::Int16, &Character::Cleaning, true},
    {"Cooking", FieldKind::Int16, &Character::Cooking, true},
    {"Charisma", FieldKind::Int16, &Character::Charisma, true},
    {"Mechanical", FieldKind::Int16, &Character::Mechanical, true},
    {"Creativity", FieldKind::Int16, &Character::Creativity, true},
    {"Body", FieldKind::Int16, &Character::Body, true},
    {"Logic", FieldKind::Int16, &Character::Logic, true},
    {"MalePref", FieldKind::Int16, &Character::MalePref, true},
    {"FemalePref", FieldKind::Int16, &Character::FemalePref, true},
    {"JobData", FieldKind::Int16, &Character::JobData, true},
    {"Aspiration", FieldKind::Int16, &Character::Aspiration, true},
    {"OrgNeat", FieldKind::Int16, &Character::OrgNeat, true},
    {"OrgNice", FieldKind::Int16, &Character::OrgNice, true},
    {"OrgActive", FieldKind::Int16, &Character::OrgActive, true},
    {"OrgOutgoing", FieldKind::Int16, &Character::OrgOutgoing, true},
    {"OrgPlayful", FieldKind::Int16, &Character::OrgPlayful, true},
    {"Grade", FieldKind::Int16, &Character::Grade, true},
    {"Jobs", FieldKind::Int16, &Character::Jobs, true},
    {"Ages", FieldKind::Int16, &Character::Ages, true},
    {"FamilyNumber", FieldKind::Int16, &Character::FamilyNumber, true},
    {"Performance", FieldKind::Int16, &Character::Performance, true},
    {"Gender", FieldKind::Int16, &Character::Gender, true},
    {"LingeringNumber", FieldKind::Int16, &Character::LingeringNumber, true},
    {"GhostFlags", FieldKind::Int16, &Character::GhostFlags, true},
    {"PTO", FieldKind::Int16, &Character::PTO, true},
    {"Zodiac", FieldKind::Int16, &Character::Zodiac, true},
    {"Fatness", FieldKind::Int16, &Character::Fatness, true},
    {"GPA", FieldKind::Int16, &Character::GPA, true},
    {"Career", FieldKind::Four, &Character::Career, true},
    {"LoadedCareer", FieldKind::Four, &Character::LoadedCareer, false},
    {"AgeDaysLeft", FieldKind::Int16, &Character::AgeDaysLeft, true},
    {"DaysPrevAge", FieldKind::Int16, &Character::DaysPrevAge, true},
    {"School", FieldKind::Four, &Character::School, true},
    {"Word234", FieldKind::Int16, &Character::Word234, true},
    {"LocoBalance", FieldKind::Int16, &Character::LocoBalance, true},
    {"LocoWeight1", FieldKind::Int16, &Character::LocoWeight1, true},
    {"OutfitSourceGUID", FieldKind::Four, &Character::OutfitSourceGUID, true},
    {"FitnessPreference", FieldKind::Int16, &Character::FitnessPreference, true},
    {"Pension", FieldKind::Int16, &Character::Pension, true},
    {"Politics", FieldKind::Int16, &Character::Politics, true},
    {"Money", FieldKind::Int16, &Character::Money, true},
    {"Environment", FieldKind::Int16, &Character::Environment, true},
    {"Crime", FieldKind::Int16, &Character::Crime, true},
    {"Entertainment", FieldKind::Int16, &Character::Entertainment, true},
    {"Culture", FieldKind::Int16, &Character::Culture, true},
    {"Food", FieldKind::Int16, &Character::Food, true},
    {"Health", FieldKind::Int16, &Character::Health, true},
    {"Fashion", FieldKind::Int16, &Character::Fashion, true},
    {"Sports", FieldKind::Int16, &Character::Sports, true},
    {"Paranormal", FieldKind::Int16, &Character::Paranormal, true},
    {"Travel", FieldKind::Int16, &Character::Travel, true},
    {"Work", FieldKind::Int16, &Character::Work, true},
    {"Weather", FieldKind::Int16, &Character::Weather, true},
    {"Animals", FieldKind::Int16, &Character::Animals, true},
    {"SchoolInterest", FieldKind::Int16, &Character::SchoolInterest, true},
    {"Toys", FieldKind::Int16, &Character::Toys, true},
    {"SciFi", FieldKind::Int16, &Character::SciFi, true},
    {"NPCType", FieldKind::Int16, &Character::NPCType, true},
    {"AgeDuration", FieldKind::Int16, &Character::AgeDuration, true},
    {"AspirationScore", FieldKind::Int16, &Character::AspirationScore, true},
    {"AspirationRewardPoints", FieldKind::Int16, &Character::AspirationRewardPoints, true},
    {"AspirationLevel", FieldKind::Int16, &Character::AspirationLevel, true},
    {"Word338", FieldKind::Int16, &Character::Word338, true},
    {"RetCareer", FieldKind::Four, &Character::RetCareer, true},
    {"RetJobs", FieldKind::Int16, &Character::RetJobs, true},
    {"UniversityMajor", FieldKind::Four, &Character::UniversityMajor, true},
    {"GradePeriod", FieldKind::Int16, &Character::GradePeriod, true},
    {"UniversityClass", FieldKind::Int16, &Character::UniversityClass, true},
    {"YoungAdult", FieldKind::Int16, &Character::YoungAdult, true},
    {"InfluenceLevel", FieldKind::Int16, &Character::InfluenceLevel, true},
    {"InfluenceMinimum", FieldKind::Int16, &Character::InfluenceMinimum, true},
    {"InfluenceScore", FieldKind::Int16, &Character::InfluenceScore, true},
    {"AttractionTraits", FieldKind::Four, &Character::AttractionTraits, true},
    {"TurnOns", FieldKind::Four, &Character::TurnOns, true},
    {"TurnOffs", FieldKind::Four, &Character::TurnOffs, true},
    {"TurnOnsExt", FieldKind::Two, &Character::TurnOnsExt, true},
    {"TurnOffsExt", FieldKind::Two, &Character::TurnOffsExt, true},
    {"Species", FieldKind::UInt16, &Character::Species, true},
    {"Cuisine", FieldKind::Int16, &Character::Cuisine, true},
    {"ArtsCrafts", FieldKind::Int16, &Character::ArtsCrafts, true},
    {"FilmsLiterature", FieldKind::Int16, &Character::FilmsLiterature, true},
    {"SportsHB", FieldKind::Int16, &Character::SportsHB, true},
    {"Games", FieldKind::Int16, &Character::Games, true},
    {"Nature", FieldKind::Int16, &Character::Nature, true},
    {"Tinkering", FieldKind::Int16, &Character::Tinkering, true},
    {"Fitness", FieldKind::Int16, &Character::Fitness, true},
    {"Science", FieldKind::Int16, &Character::Science, true},
    {"MusicDance", FieldKind::Int16, &Character::MusicDance, true},
    {"Talent", FieldKind::Int16, &Character::Talent, true},
    {"LTAspiration", FieldKind::Int16, &Character::LTAspiration, true},
    {"LTAUnlocks", FieldKind::Int16, &Character::LTAUnlocks, true},
    {"LTAUnlocksUsed", FieldKind::Int16, &Character::LTAUnlocksUsed, true},
    {"Hunger", FieldKind::Int16, &Character::Hunger, true},
    {"Comfort", FieldKind::Int16, &Character::Comfort, true},
    {"Bladder", FieldKind::Int16, &Character::Bladder, true},
    {"Energy", FieldKind::Int16, &Character::Energy, true},
    {"Hygiene", FieldKind::Int16, &Character::Hygiene, true},
    {"Fun", FieldKind::Int16, &Character::Fun, true},
    {"Social", FieldKind::Int16, &Character::Social, true},
    {"HasBody", FieldKind::Flag, &Character::HasBody, false},
    {"ResetThumbnail", FieldKind::Flag, &Character::ResetThumbnail, false},
    {"CloneInProgress", FieldKind::Flag, &Character::CloneInProgress, false},
    {"BodySourcePath", FieldKind::Path, &Character::BodySourcePath, false},
    {"Modified", FieldKind::Flag, &Character::Modified, false},
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
    long long value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end) return "not a whole number: " + std::string(text);
    if (value < static_cast<long long>(std::numeric_limits<Int>::min()) ||
        value > static_cast<long long>(std::numeric_limits<Int>::max()))
        return std::string(text) + " is outside " + std::to_string(std::numeric_limits<Int>::min()) +
               ".." + std::to_string(std::numeric_limits<Int>::max());
    out = static_cast<Int>(value);
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

std::span<const CharacterField> CharacterFields() { return kFields; }

const CharacterField* FindCharacterField(std::string_view name) {
    for (const CharacterField& f : kFields)
        if (name == f.Name) return &f;
    return nullptr;
}

std::string FieldText(const Character& sim, const CharacterField& field) {
    return std::visit(
        [&](auto member) -> std::string {
            const auto& value = sim.*member;
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::string>) return value;
            else if constexpr (std::is_same_v<T, std::filesystem::path>) return value.string();
            else if constexpr (std::is_same_v<T, bool>) return value ? "true" : "false";
            else if constexpr (std::is_same_v<T, FourBytes> || std::is_same_v<T, TwoBytes>) return Hex(value);
            else return std::to_string(value);
        },
        field.Member);
}

std::optional<std::string> SetFieldText(Character& sim, const CharacterField& field,
                                        std::string_view text) {
    if (!field.Settable) return std::string(field.Name) + " cannot be set";
    return std::visit(
        [&](auto member) -> std::optional<std::string> {
            auto& value = sim.*member;
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::string>) {
                value = std::string(text);
                return std::nullopt;
            } else if constexpr (std::is_same_v<T, std::filesystem::path> || std::is_same_v<T, bool>) {
                return std::string(field.Name) + " cannot be set";
            } else if constexpr (std::is_same_v<T, FourBytes> || std::is_same_v<T, TwoBytes>) {
                return ParseHex(text, value);
            } else {
                return ParseInt(text, value);
            }
        },
        field.Member);
}

}  // namespace kinloom
