#include "core/records/SimDescription.h"

#include <algorithm>
#include <array>
#include <variant>

#include "core/platform/Messages.h"

namespace kinloom {

namespace {

// Which Character member a description field goes to; the member's type fixes how it is read.
using FieldRef = DescriptionMember;

constexpr std::size_t WidthOf(const FieldRef& field) {
    switch (field.index()) {
        case 2:
            return 4;
        default:
            return 2;
    }
}

// One field of the description: where it lies, the first format version that carries it (every
// later accepted version carries it too), and whether saving writes the record's value back.
struct DescriptionField {
    std::uint16_t offset;
    std::uint8_t width;
    FieldRef field;
    std::uint16_t firstVersion;
    bool saved;
};

constexpr std::uint16_t kAll = 32;

// The description layout of every accepted version, one row per field.
constexpr std::array kFields = std::to_array<DescriptionField>({
    {4, 2, &Character::FormatVersion, kAll, false},
    {16, 2, &Character::Nice, kAll, true},
    {18, 2, &Character::Active, kAll, true},
    {20, 2, &Character::ClassPerformance, kAll, true},
    {22, 2, &Character::Playful, kAll, true},
    {24, 2, &Character::Outgoing, kAll, true},
    {26, 2, &Character::Neat, kAll, true},
    {30, 2, &Character::Cleaning, kAll, true},
    {32, 2, &Character::Cooking, kAll, true},
    {34, 2, &Character::Charisma, kAll, true},
    {36, 2, &Character::Mechanical, kAll, true},
    {42, 2, &Character::Creativity, kAll, true},
    {46, 2, &Character::Body, kAll, true},
    {48, 2, &Character::Logic, kAll, true},
    {56, 2, &Character::MalePref, kAll, true},
    {58, 2, &Character::FemalePref, kAll, true},
    {60, 2, &Character::JobData, kAll, true},
    {104, 2, &Character::Aspiration, kAll, true},
    {106, 2, &Character::OrgNeat, kAll, true},
    {108, 2, &Character::OrgNice, kAll, true},
    {110, 2, &Character::OrgActive, kAll, true},
    {112, 2, &Character::OrgOutgoing, kAll, true},
    {114, 2, &Character::OrgPlayful, kAll, true},
    {124, 2, &Character::Grade, kAll, true},
    {126, 2, &Character::Jobs, kAll, true},
    {128, 2, &Character::Ages, kAll, true},
    {134, 2, &Character::FamilyNumber, kAll, true},
    {138, 2, &Character::Performance, kAll, true},
    {142, 2, &Character::Gender, kAll, true},
    {146, 2, &Character::LingeringNumber, kAll, true},
    {148, 2, &Character::GhostFlags, kAll, true},
    {150, 2, &Character::PTO, kAll, true},
    {152, 2, &Character::Zodiac, kAll, true},
    {176, 2, &Character::Fatness, kAll, true},
    {178, 2, &Character::GPA, kAll, true},
    {190, 4, &Character::Career, kAll, true},
    {190, 4, &Character::LoadedCareer, kAll, false},
    {194, 2, &Character::AgeDaysLeft, kAll, true},
    {196, 2, &Character::DaysPrevAge, kAll, true},
    {226, 4, &Character::School, kAll, true},
    {234, 2, &Character::Word234, kAll, true},
    {236, 2, &Character::LocoBalance, kAll, true},
    {238, 2, &Character::LocoWeight1, kAll, true},
    {250, 4, &Character::OutfitSourceGUID, kAll, false},
    {256, 2, &Character::FitnessPreference, kAll, true},
    {258, 2, &Character::Pension, kAll, true},
    {260, 2, &Character::Politics, kAll, true},
    {262, 2, &Character::Money, kAll, true},
    {264, 2, &Character::Environment, kAll, true},
    {266, 2, &Character::Crime, kAll, true},
    {268, 2, &Character::Entertainment, kAll, true},
    {270, 2, &Character::Culture, kAll, true},
    {272, 2, &Character::Food, kAll, true},
    {274, 2, &Character::Health, kAll, true},
    {276, 2, &Character::Fashion, kAll, true},
    {278, 2, &Character::Sports, kAll, true},
    {280, 2, &Character::Paranormal, kAll, true},
    {282, 2, &Character::Travel, kAll, true},
    {284, 2, &Character::Work, kAll, true},
    {286, 2, &Character::Weather, kAll, true},
    {288, 2, &Character::Animals, kAll, true},
    {290, 2, &Character::SchoolInterest, kAll, true},
    {292, 2, &Character::Toys, kAll, true},
    {294, 2, &Character::SciFi, kAll, true},
    {322, 2, &Character::NPCType, kAll, true},
    {324, 2, &Character::AgeDuration, kAll, true},
    {332, 2, &Character::AspirationScore, kAll, true},
    {334, 2, &Character::AspirationRewardPoints, kAll, true},
    {336, 2, &Character::AspirationLevel, kAll, true},
    {338, 2, &Character::Word338, kAll, true},
    {346, 4, &Character::RetCareer, kAll, true},
    {350, 2, &Character::RetJobs, kAll, true},
    {352, 4, &Character::UniversityMajor, 34, true},
    {356, 2, &Character::GradePeriod, 34, true},
    {360, 2, &Character::UniversityClass, 34, true},
    {362, 2, &Character::YoungAdult, 34, true},
    {364, 2, &Character::InfluenceLevel, 34, true},
    {366, 2, &Character::InfluenceMinimum, 34, true},
    {368, 2, &Character::InfluenceScore, 34, true},
    {372, 4, &Character::AttractionTraits, 41, true},
    {376, 4, &Character::TurnOns, 41, true},
    {380, 4, &Character::TurnOffs, 41, true},
    // Version 42 has a word here too, but it is not the species: only 44 on carry that.
    {384, 2, &Character::Species, 44, false},
    {414, 2, &Character::TurnOnsExt, 47, true},
    {416, 2, &Character::TurnOffsExt, 47, true},
    {420, 2, &Character::Cuisine, 51, true},
    {422, 2, &Character::ArtsCrafts, 51, true},
    {424, 2, &Character::FilmsLiterature, 51, true},
    {426, 2, &Character::SportsHB, 51, true},
    {428, 2, &Character::Games, 51, true},
    {430, 2, &Character::Nature, 51, true},
    {432, 2, &Character::Tinkering, 51, true},
    {434, 2, &Character::Fitness, 51, true},
    {436, 2, &Character::Science, 51, true},
    {438, 2, &Character::MusicDance, 51, true},
    {442, 2, &Character::Talent, 51, true},
    {444, 2, &Character::LTAspiration, 51, true},
    {446, 2, &Character::LTAUnlocks, 51, true},
    {448, 2, &Character::LTAUnlocksUsed, 51, true},
    {450, 2, &Character::Hunger, 51, true},
    {452, 2, &Character::Comfort, 51, true},
    {454, 2, &Character::Bladder, 51, true},
    {456, 2, &Character::Energy, 51, true},
    {458, 2, &Character::Hygiene, 51, true},
    {460, 2, &Character::Fun, 51, true},
    {462, 2, &Character::Social, 51, true},
});

static_assert(std::all_of(kFields.begin(), kFields.end(),
                          [](const DescriptionField& f) { return f.width == WidthOf(f.field); }),
              "a description field's width must match its record member");

// Two words that belong to the current job; a new career starts them again at 0.
constexpr std::size_t kJobWordA = 402;
constexpr std::size_t kJobWordB = 404;
constexpr std::uint16_t kFirstVersionWithJobWords = 42;
// The lot-managed job keeps its words: a change to it leaves them as they are.
constexpr FourBytes kLotManagedJob{0x0A, 0x40, 0x8F, 0xD0};

struct Layout {
    std::uint16_t version;
    std::uint16_t guidOffset;
};
constexpr std::array<Layout, 7> kLayouts{
    {{32, 354}, {34, 372}, {41, 404}, {42, 412}, {44, 414}, {47, 422}, {51, 470}}};

constexpr std::uint16_t kNewestVersion = kLayouts.back().version;

bool Carries(const DescriptionField& f, std::uint16_t version) {
    return version >= f.firstVersion && version <= kNewestVersion;
}

void ReadField(ByteReader& in, const DescriptionField& f, Character& sim) {
    in.Seek(f.offset);
    std::visit(
        [&](auto member) {
            using T = std::remove_reference_t<decltype(sim.*member)>;
            if constexpr (std::is_same_v<T, std::int16_t>) {
                sim.*member = in.I16();
            } else if constexpr (std::is_same_v<T, std::uint16_t>) {
                sim.*member = in.U16();
            } else {
                ByteView b = in.Take(std::tuple_size_v<T>);
                std::copy(b.begin(), b.end(), (sim.*member).begin());
            }
        },
        f.field);
}

void WriteField(std::span<std::uint8_t> out, const DescriptionField& f, const Character& sim) {
    std::visit(
        [&](auto member) {
            using T = std::remove_cvref_t<decltype(sim.*member)>;
            if constexpr (std::is_same_v<T, std::int16_t> || std::is_same_v<T, std::uint16_t>) {
                PutU16(out, f.offset, static_cast<std::uint16_t>(sim.*member));
            } else {
                const T& value = sim.*member;
                std::copy(value.begin(), value.end(), out.begin() + f.offset);
            }
        },
        f.field);
}

FourBytes ReadFour(ByteReader& in) {
    FourBytes out{};
    ByteView b = in.Take(4);
    std::copy(b.begin(), b.end(), out.begin());
    return out;
}

}  // namespace

std::optional<DescriptionVersions> DescriptionVersionsOf(DescriptionMember member) {
    for (const DescriptionField& f : kFields) {
        if (f.field != member) continue;
        return DescriptionVersions{f.firstVersion, kNewestVersion, f.saved};
    }
    return std::nullopt;
}

std::optional<std::size_t> SimDescriptionGuidOffset(std::uint16_t version) {
    for (const Layout& l : kLayouts)
        if (l.version == version) return l.guidOffset;
    return std::nullopt;
}

std::size_t SimDescriptionSize(std::uint16_t version) {
    const auto guid = SimDescriptionGuidOffset(version);
    std::size_t size = guid ? *guid + 4 : 0;
    for (const DescriptionField& f : kFields)
        if (Carries(f, version)) size = std::max<std::size_t>(size, f.offset + f.width);
    if (version >= kFirstVersionWithJobWords) size = std::max(size, kJobWordB + 2);
    return size;
}

bool ReadSimDescription(ByteView content, Character& sim, Messages& messages) {
    ByteReader in(content);
    in.Seek(4);
    const std::uint16_t version = in.U16();
    sim.FormatVersion = version;
    const auto guidOffset = SimDescriptionGuidOffset(version);
    if (!guidOffset) {
        messages.Show("Unknown Character Format");
        return false;
    }
    in.Seek(*guidOffset);
    if (ReadFour(in) != sim.GUID) return false;

    // Checked up front so a short description never leaves the record half filled.
    const std::size_t needed = SimDescriptionSize(version);
    if (content.size() < needed)
        throw ReadError("sim description of version " + std::to_string(version) + " holds " +
                        std::to_string(content.size()) + " bytes, needs " + std::to_string(needed));
    for (const DescriptionField& f : kFields)
        if (Carries(f, version)) ReadField(in, f, sim);
    return true;
}

void WriteSimDescription(std::span<std::uint8_t> description,
                         std::span<const Character* const> sims) {
    ByteReader in{ByteView(description)};
    if (in.Size() < 6) return;
    in.Seek(4);
    const std::uint16_t version = in.U16();
    const auto guidOffset = SimDescriptionGuidOffset(version);
    if (!guidOffset || description.size() < SimDescriptionSize(version)) return;
    in.Seek(*guidOffset);
    const FourBytes guid = ReadFour(in);

    for (const Character* sim : sims) {
        if (sim == nullptr || !sim->Modified || sim->GUID != guid) continue;
        for (const DescriptionField& f : kFields)
            if (f.saved && Carries(f, version)) WriteField(description, f, *sim);
        if (version >= kFirstVersionWithJobWords && sim->Career != sim->LoadedCareer &&
            sim->Career != kLotManagedJob) {
            PutU16(description, kJobWordA, 0);
            PutU16(description, kJobWordB, 0);
        }
    }
}

}  // namespace kinloom
