#include "core/editing/EditingModel.h"

#include <algorithm>
#include <chrono>
#include <limits>

namespace kinloom {

std::u16string CleanNumberText(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out)
        if (c < u'0' || c > u'9') c = u'0';
    return out;
}

std::int32_t NumberFieldValue(std::u16string_view cleaned) {
    std::int64_t value = 0;
    for (char16_t c : cleaned) {
        if (c < u'0' || c > u'9') return 0;
        value = value * 10 + (c - u'0');
        if (value > std::numeric_limits<std::int32_t>::max()) return 0;
    }
    return static_cast<std::int32_t>(value);
}

NumberFit TypedNumber(std::u16string_view cleaned, NumberRange range) {
    if (cleaned.empty()) return {0, {}};
    return FitNumber(cleaned, range);
}

std::u16string WithStoredLineBreaks(std::u16string_view stored, std::u16string_view typed) {
    std::u16string_view form = u"\r\n";
    if (const std::size_t at = stored.find_first_of(u"\r\n"); at != stored.npos)
        form = stored.substr(at, 2) == u"\r\n" ? stored.substr(at, 2) : stored.substr(at, 1);
    std::u16string out;
    out.reserve(typed.size());
    for (char16_t c : typed) {
        if (c == u'\n')
            out += form;
        else
            out += c;
    }
    return out;
}

std::int16_t Low16(std::int64_t value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint64_t>(value)));
}

bool IsPet(const Character& sim, bool hasPets) {
    return hasPets && sim.Species >= 1 && sim.Species <= 3;
}

const std::array<LifeStage, 6>& HumanLifeStages() {
    static const std::array<LifeStage, 6> stages{{
        {"Baby", 1, 32, {"Species: Sim Baby", nullptr, nullptr}},
        {"Toddler", 2, 1, {"Species: Sim Toddler", nullptr, nullptr}},
        {"Child", 3, 2, {"Species: Sim Child", nullptr, nullptr}},
        {"Teen", 16, 4, {"Species: Sim Teen", nullptr, nullptr}},
        {"Adult", 19, kAdultAge, {"Species: Sim Adult", nullptr, nullptr}},
        {"Elder", 51, 16, {"Species: Sim Elder", nullptr, nullptr}},
    }};
    return stages;
}

const std::array<LifeStage, 3>& PetLifeStages() {
    static const std::array<LifeStage, 3> stages{{
        {"Puppy/Kitten",
         1,
         32,
         {"Species: Large Puppy", "Species: Small Puppy", "Species: Kitten"}},
        {"Adult",
         19,
         kAdultAge,
         {"Species: Large Adult Dog", "Species: Small Adult Dog", "Species: Adult Cat"}},
        {"Elder",
         51,
         16,
         {"Species: Large Elder Dog", "Species: Small Elder Dog", "Species: Elder Cat"}},
    }};
    return stages;
}

int LifeStagePosition(const Character& sim, bool pet) {
    auto find = [&sim](const auto& stages) {
        for (std::size_t i = 0; i < stages.size(); ++i)
            if (stages[i].Ages == sim.Ages) return static_cast<int>(i);
        return -1;
    };
    return pet ? find(PetLifeStages()) : find(HumanLifeStages());
}

const char* SpeciesCaption(const Character& sim, bool pet) {
    const int position = LifeStagePosition(sim, pet);
    if (position < 0) return nullptr;
    const auto i = static_cast<std::size_t>(position);
    if (!pet) return HumanLifeStages()[i].Captions[0];
    return PetLifeStages()[i].Captions[static_cast<std::size_t>(sim.Species - 1)];
}

bool ApplyLifeStage(Character& sim, int position, bool hasPets) {
    const LifeStage* stage = nullptr;
    if (!hasPets || sim.Species == 0) {
        if (position >= 0 && position < static_cast<int>(HumanLifeStages().size()))
            stage = &HumanLifeStages()[static_cast<std::size_t>(position)];
    } else if (sim.Species <= 3) {
        if (position >= 0 && position < static_cast<int>(PetLifeStages().size()))
            stage = &PetLifeStages()[static_cast<std::size_t>(position)];
    }
    if (!stage) return false;
    sim.Ages = stage->Ages;
    sim.PropertyAge = stage->PropertyAge;
    return true;
}

TraitRandom::TraitRandom(Clock clock) : clock_(std::move(clock)) {
    if (!clock_)
        clock_ = [] {
            return static_cast<std::uint64_t>(
                std::chrono::high_resolution_clock::now().time_since_epoch().count());
        };
    Reseed();
}

void TraitRandom::Reseed() {
    engine_.seed(clock_());
}

int TraitRandom::Draw() {
    return std::uniform_int_distribution<int>(0, kMaxDraw)(engine_);
}

const std::array<TraitField, 7>& SkillFields() {
    static const std::array<TraitField, 7> skills{{
        {"Cleaning", &Character::Cleaning},
        {"Cooking", &Character::Cooking},
        {"Charisma", &Character::Charisma},
        {"Mechanical", &Character::Mechanical},
        {"Creativity", &Character::Creativity},
        {"Body", &Character::Body},
        {"Logic", &Character::Logic},
    }};
    return skills;
}

std::string SkillCaption(const TraitField& skill, int value) {
    return std::string(skill.Name) + ":(" + std::to_string(value) + ")";
}

const std::array<TraitField, 7>& NeedFields() {
    static const std::array<TraitField, 7> needs{{
        {"Hunger", &Character::Hunger},
        {"Comfort", &Character::Comfort},
        {"Bladder", &Character::Bladder},
        {"Energy", &Character::Energy},
        {"Hygiene", &Character::Hygiene},
        {"Fun", &Character::Fun},
        {"Social", &Character::Social},
    }};
    return needs;
}

int NeedDecayStep(std::int16_t value) {
    for (std::size_t i = 0; i < kNeedDecaySteps.size(); ++i)
        if (kNeedDecaySteps[i] == value) return static_cast<int>(i);
    return 0;
}

const std::array<PersonalityTrait, 5>& PersonalityTraits() {
    static const std::array<PersonalityTrait, 5> traits{{
        {"Neat", &Character::Neat, &Character::OrgNeat, "Sloppy", "Neat"},
        {"Outgoing", &Character::Outgoing, &Character::OrgOutgoing, "Shy", "Outgoing"},
        {"Active", &Character::Active, &Character::OrgActive, "Lazy", "Active"},
        {"Playful", &Character::Playful, &Character::OrgPlayful, "Serious", "Playful"},
        {"Nice", &Character::Nice, &Character::OrgNice, "Grouchy", "Nice"},
    }};
    return traits;
}

const std::array<InterestField, 18>& InterestFields() {
    static const std::array<InterestField, 18> interests{{
        {"Politics", &Character::Politics, "Politics:", "Pets:"},
        {"Money", &Character::Money, "Money:", "Scary Things:"},
        {"Environment", &Character::Environment, "Environment:", "Food:"},
        {"Crime", &Character::Crime, "Crime:", "Outside:"},
        {"Entertainment", &Character::Entertainment, "Entertainment:", "Sleep:"},
        {"Culture", &Character::Culture, "Culture:", "Play:"},
        {"Food", &Character::Food, "Food:", "Weather:"},
        {"Health", &Character::Health, "Health:", "Toys:"},
        {"Fashion", &Character::Fashion, "Fashion:", "Animals:"},
        {"Sports", &Character::Sports, "Sports:", nullptr},
        {"Paranormal", &Character::Paranormal, "Paranormal:", nullptr},
        {"Travel", &Character::Travel, "Travel:", nullptr},
        {"Work", &Character::Work, "Work:", nullptr},
        {"Weather", &Character::Weather, "Weather:", nullptr},
        {"Animals", &Character::Animals, "Animals:", nullptr},
        {"School", &Character::SchoolInterest, "School:", nullptr},
        {"Toys", &Character::Toys, "Toys:", nullptr},
        {"SciFi", &Character::SciFi, "Sci-Fi:", nullptr},
    }};
    return interests;
}

std::string InterestCaption(const InterestField& interest, bool pet, int value) {
    const char* caption = pet && interest.PetCaption ? interest.PetCaption : interest.Caption;
    return std::string(caption) + "(" + std::to_string(value) + ")";
}

const std::array<HobbyField, 10>& HobbyFields() {
    static const std::array<HobbyField, 10> hobbies{{
        {"Cuisine", &Character::Cuisine, "Cuisine:", 204, "Cuisine"},
        {"ArtsCrafts", &Character::ArtsCrafts, "Arts and Crafts:", 205, "Arts and Crafts"},
        {"FilmsLiterature", &Character::FilmsLiterature, "Films/Literature:", 206,
         "Films and Literature"},
        {"SportsHB", &Character::SportsHB, "Sports:", 207, "Sports"},
        {"Games", &Character::Games, "Games:", 208, "Games"},
        {"Nature", &Character::Nature, "Nature:", 209, "Nature"},
        {"Tinkering", &Character::Tinkering, "Tinkering:", 210, "Tinkering"},
        {"Fitness", &Character::Fitness, "Fitness:", 211, "Fitness"},
        {"Science", &Character::Science, "Science:", 212, "Science"},
        {"MusicDance", &Character::MusicDance, "Music/Dance:", 213, "Music and Dance"},
    }};
    return hobbies;
}

std::string HobbyCaption(const HobbyField& hobby, int value) {
    return std::string(hobby.Caption) + "(" + std::to_string(value) + ")";
}

int TalentListEntry(std::int16_t talent) {
    for (std::size_t i = 0; i < HobbyFields().size(); ++i)
        if (HobbyFields()[i].Talent == talent) return static_cast<int>(i) + 1;
    return 0;
}

std::int16_t TalentOfEntry(int entry) {
    if (entry < 1 || entry > static_cast<int>(HobbyFields().size())) return 0;
    return HobbyFields()[static_cast<std::size_t>(entry - 1)].Talent;
}

std::pair<int, int> AspirationPositions(std::int16_t aspiration) {
    int primary = 0;
    int secondary = 0;
    for (int bit = 0; bit < 8; ++bit) {
        if (!(aspiration & (1 << bit))) continue;
        if (primary == 0)
            primary = bit + 1;
        else if (secondary == 0)
            secondary = bit + 1;
    }
    return {primary, secondary};
}

std::int16_t AspirationOf(int primary, int secondary) {
    int value = 0;
    for (int position : {primary, secondary})
        if (position >= 1 && position <= 8) value |= 1 << (position - 1);
    return static_cast<std::int16_t>(value);
}

int AspirationScoreMaximum(std::int16_t ages, bool hasFreeTime) {
    const std::pair<std::int16_t, int> table[] = {{1, 12000}, {2, 3000},   {3, 6000},
                                                  {16, 9000}, {19, 12000}, {51, 15000}};
    for (auto [stage, maximum] : table)
        if (stage == ages) return hasFreeTime ? 100 : maximum;
    return 0;
}

int UnlockEntryCount(std::int16_t used) {
    return used >= 0 && used <= 16 ? 17 - used : 0;
}

NumberFit RewardPointsValue(std::u16string_view shown) {
    constexpr NumberRange kStored = RangeOf<std::int16_t>();
    NumberFit fit = TypedNumber(shown, {kStored.Min * 10, kStored.Max * 10});
    if (!fit.Value) return fit;
    if (const std::int64_t points = *fit.Value; points % 10 != 0) {
        // The nearest numbers that can be kept, within the field.
        const std::int64_t below = points - points % 10;
        std::string instead = std::to_string(below);
        if (below + 10 <= kStored.Max * 10) instead += " or " + std::to_string(below + 10);
        return {std::nullopt, "reward points are kept in tens: " + std::to_string(points) +
                                  " cannot be stored, " + instead + " can"};
    }
    *fit.Value /= 10;
    return fit;
}

const std::array<ZodiacSign, 12>& ZodiacSigns() {
    static const std::array<ZodiacSign, 12> signs{{
        {"Aries",
         {500, 800, 600, 300, 300},
         "Aries (Mar 21 - Apr 19)\r\nAttracted To - Gemini && Taurus\r\n"
         "Repelled By - Cancer && Libra"},
        {"Taurus",
         {500, 500, 300, 800, 400},
         "Taurus (Apr 20 - May 20)\r\nAttracted To - Aries && Libra\r\n"
         "Repelled By - Virgo && Cancer"},
        {"Gemini",
         {400, 700, 800, 300, 300},
         "Gemini (May 21 - Jun 20)\r\nAttracted To - Pisces && Virgo\r\n"
         "Repelled By - Capricorn && Aries"},
        {"Cancer",
         {600, 300, 600, 400, 600},
         "Cancer (Jun 21 - Jul 22)\r\nAttracted To - Taurus && Scorpio\r\n"
         "Repelled By - Gemini && Aries"},
        {"Leo",
         {400, 1000, 400, 400, 300},
         "Leo (Jul 23 - Aug 22)\r\nAttracted To - Sagittarius && Cancer\r\n"
         "Repelled By - Capricorn && Gemini"},
        {"Virgo",
         {900, 200, 600, 300, 500},
         "Virgo (Aug 23 - Sep 22)\r\nAttracted To - Aquarius && Sagittarius\r\n"
         "Repelled By - Leo && Taurus"},
        {"Libra",
         {200, 800, 200, 600, 700},
         "Libra (Sep 23 - Oct 22)\r\nAttracted To - Virgo && Cancer\r\n"
         "Repelled By - Pisces && Scorpio"},
        {"Scorpio",
         {600, 500, 800, 300, 300},
         "Scorpio (Oct 23 - Nov 21)\r\nAttracted To - Pisces && Leo\r\n"
         "Repelled By - Libra && Aquarius"},
        {"Sagittarius",
         {200, 300, 900, 700, 400},
         "Sagittarius (Nov 22 - Dec 21)\r\nAttracted To - Pisces && Capricorn\r\n"
         "Repelled By - Libra && Scorpio"},
        {"Capricorn",
         {700, 400, 100, 800, 500},
         "Capricorn (Dec 22 - Jan 19)\r\nAttracted To - Aquarius && Taurus\r\n"
         "Repelled By - Leo && Gemini"},
        {"Aquarius",
         {400, 400, 400, 700, 600},
         "Aquarius (Jan 20 - Feb 18)\r\nAttracted To - Capricorn && Sagittarius\r\n"
         "Repelled By - Scorpio && Virgo"},
        {"Pisces",
         {400, 300, 700, 300, 700},
         "Pisces (Feb 19 - Mar 20)\r\nAttracted To - Scorpio && Gemini\r\n"
         "Repelled By - Leo && Aries"},
    }};
    return signs;
}

const ZodiacSign* ZodiacSignOf(std::int16_t zodiac) {
    if (zodiac < 1 || zodiac > 12) return nullptr;
    return &ZodiacSigns()[static_cast<std::size_t>(zodiac - 1)];
}

}  // namespace kinloom
