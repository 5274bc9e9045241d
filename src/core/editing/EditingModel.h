#pragma once
// The rules every sim attribute page shares: cleaning of number fields, how a typed number fits
// a 16-bit field, the random trait draws, which sims count as pets, and the fixed tables of the
// Skills/Needs and Personality pages (fields, captions, need-decay steps, zodiac signs).

#include <array>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <utility>

#include "core/records/Character.h"
#include "core/records/NumberFit.h"

namespace kinloom {

// Every character that is not a digit becomes "0", so the text keeps its length and a caret
// its position: "-5" -> "05", "1a2" -> "102".
std::u16string CleanNumberText(std::u16string_view text);

// The whole number of a cleaned text; 0 when it is empty or does not fit a signed 32-bit integer.
std::int32_t NumberFieldValue(std::u16string_view cleaned);

// What a cleaned number field gives a field of this range: 0 for an empty field, else the
// number when the range holds it. A number beyond the range is refused (no Value, a Problem to
// show); the field then keeps what it holds.
NumberFit TypedNumber(std::u16string_view cleaned, NumberRange range);

// Text typed into a multi-line box, whose line breaks the box hands back as "\n", with the
// line breaks of the stored text it replaces: that text's first break ("\r\n", "\r" or "\n")
// sets the form. Stored text without a break takes the game's own "\r\n".
std::u16string WithStoredLineBreaks(std::u16string_view stored, std::u16string_view typed);

// A number stored in a 16-bit field of the sim keeps its low 16 bits: 70000 -> 4464.
std::int16_t Low16(std::int64_t value);

// A sim is a pet only when the Pets expansion is installed; otherwise every sim is a human.
bool IsPet(const Character& sim, bool hasPets);

// The Character page's gender buttons: the Gender value is the position.
inline constexpr std::array<const char*, 2> kGenderEntries{"Male", "Female"};

// Life stages as the Character page lists them: six for a human, three for a pet. The list
// position decides the two codes written.
struct LifeStage {
    const char* Entry;
    std::int16_t Ages;
    std::uint16_t PropertyAge;
    std::array<const char*, 3> Captions;  // human: [0]; pet: by Species 1, 2, 3
};
const std::array<LifeStage, 6>& HumanLifeStages();
const std::array<LifeStage, 3>& PetLifeStages();
inline constexpr int kAdultPosition = 4;             // "Adult" in the human list
inline constexpr std::uint16_t kYoungAdultAge = 64;  // PropertyAge of a young adult
inline constexpr std::uint16_t kAdultAge = 8;
// The list position showing a sim's Ages; -1 when its code is not in the list.
int LifeStagePosition(const Character& sim, bool pet);
// "Species: Adult Cat"; nullptr when the sim's Ages is not in the list.
const char* SpeciesCaption(const Character& sim, bool pet);
// Writes Ages and PropertyAge for the chosen position; false when nothing was written (a
// position outside the list, or with Pets an unknown Species).
bool ApplyLifeStage(Character& sim, int position, bool hasPets);

// The draws behind the pages' "Random" buttons: reseeded from the clock before each use, every
// draw uniform over 0..998. The clock is injectable so tests can repeat a sequence.
class TraitRandom {
public:
    using Clock = std::function<std::uint64_t()>;
    static constexpr int kMaxDraw = 998;

    explicit TraitRandom(Clock clock = {});
    void Reseed();
    int Draw();

private:
    Clock clock_;
    std::mt19937_64 engine_;
};

// One slider-edited field with its name as the page shows it.
struct TraitField {
    const char* Name;  // "Cooking"; also the control names: trkCooking, lblCooking
    std::int16_t Character::*Member;
};

// Skills in the page's order.
const std::array<TraitField, 7>& SkillFields();
// "Cooking:(" value ")"
std::string SkillCaption(const TraitField& skill, int value);

// Need-decay modifiers in the page's order, and the four steps a row offers.
const std::array<TraitField, 7>& NeedFields();
inline constexpr std::array<int, 4> kNeedDecaySteps{0, 12, 24, 36};
inline constexpr std::array<const char*, 4> kNeedDecayCaptions{"Normal", "Slow", "Slower",
                                                               "Very Slow"};
// The step index a stored value shows; any value other than the four steps shows "Normal".
int NeedDecayStep(std::int16_t value);

// The five personality traits, current and birth sets, with the captions of the slider ends.
struct PersonalityTrait {
    const char* Name;  // "Neat": trkNeat, trkOrgNeat, lblNeatLevel, lblOrgNeatLevel
    std::int16_t Character::*Current;
    std::int16_t Character::*Birth;
    const char* Low;
    const char* High;
};
const std::array<PersonalityTrait, 5>& PersonalityTraits();

// Interests in record order. The first nine carry a pet's interests under other captions; the
// last nine do not exist for a pet (PetCaption nullptr) and are hidden for one.
struct InterestField {
    const char* Name;  // trkPolitics; the last nine also pnlSports and so on
    std::int16_t Character::*Member;
    const char* Caption;     // "Politics:"
    const char* PetCaption;  // "Pets:", or nullptr
};
const std::array<InterestField, 18>& InterestFields();
// "Politics:(" value ")", or the pet caption for a pet.
std::string InterestCaption(const InterestField& interest, bool pet, int value);

// Hobbies in page order, with the Talent value that names each and its talent list entry.
struct HobbyField {
    const char* Name;  // trkCuisine, pnlCuisine
    std::int16_t Character::*Member;
    const char* Caption;  // "Cuisine:"
    std::int16_t Talent;  // 204..213
    const char* TalentEntry;
};
const std::array<HobbyField, 10>& HobbyFields();
std::string HobbyCaption(const HobbyField& hobby, int value);
// The talent list: entry 0 is "-" (no talent, Talent 0), entries 1..10 the hobbies.
inline constexpr const char* kNoTalentEntry = "-";
int TalentListEntry(std::int16_t talent);
std::int16_t TalentOfEntry(int entry);

// Aspiration lists: position 0 "-" (none), positions 1..8 stand for bits 0..7 of Aspiration,
// position 9 "Grilled Cheese" has no bit.
inline constexpr std::array<const char*, 10> kAspirationEntries{
    "-",          "Romance",   "Family",  "Fortune",  "Unknown",
    "Popularity", "Knowledge", "Grow Up", "Pleasure", "Grilled Cheese"};
// The positions the primary and secondary lists show: the lowest two set bits of 0..7.
std::pair<int, int> AspirationPositions(std::int16_t aspiration);
// The Aspiration value for the two lists' positions (a position without a bit adds nothing).
std::int16_t AspirationOf(int primary, int secondary);
// The aspiration score slider's maximum for a life stage; 0 when the stage leaves it unchanged.
int AspirationScoreMaximum(std::int16_t ages, bool hasFreeTime);
// Long-term unlocks still available are listed "0".."16 minus used"; no entries unless used is
// 0..16.
int UnlockEntryCount(std::int16_t used);
// Reward points as the game shows them; the sim keeps them in tens. A cleaned field's number is
// taken when it is a multiple of ten whose tenth the 16-bit field holds (an empty field is 0),
// stored as that tenth; any other number is refused, saying what could be typed instead.
NumberFit RewardPointsValue(std::u16string_view shown);

struct ZodiacSign {
    const char* Name;
    std::array<std::int16_t, 5> Traits;  // neat, outgoing, active, playful, nice
    const char* Info;                    // "\r\n" breaks lines; "&&" shows as "&"
};
// Signs in list order; the stored Zodiac value is the position plus one.
const std::array<ZodiacSign, 12>& ZodiacSigns();
// The sign of a stored Zodiac value, nullptr when it names none.
const ZodiacSign* ZodiacSignOf(std::int16_t zodiac);

}  // namespace kinloom
