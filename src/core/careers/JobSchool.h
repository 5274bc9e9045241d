#pragma once
// The rules of the Job/School page: which rows and list entries a sim gets for its life stage and
// species, what is selected when the page opens, what a choice writes into the sim, how the
// pension and vacation-day boxes read what is typed, and the university rows (major, class,
// year, class hours and the young adult's three sliders). The page only draws what these give.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/careers/Careers.h"
#include "core/careers/Education.h"
#include "core/records/Character.h"
#include "core/records/NumberFit.h"

namespace kinloom {

// Life stage codes of Character::Ages.
inline constexpr std::int16_t kBabyStage = 1;
inline constexpr std::int16_t kToddlerStage = 2;
inline constexpr std::int16_t kChildStage = 3;
inline constexpr std::int16_t kTeenStage = 16;
inline constexpr std::int16_t kAdultStage = 19;
inline constexpr std::int16_t kElderStage = 51;

// Which rows of the page are shown.
struct JobSchoolRows {
    bool Career = false;         // career and job, with the level's hours and salary
    bool RetiredCareer = false;  // retired career and retired job
    bool School = false;         // school and grade
    bool Performance = false;    // shown and enabled
    bool NPCType = false;
    bool WorkDays = false;  // the "Working Days:" caption and the day letters
    bool Pension = false;
    bool VacationDays = false;

    bool operator==(const JobSchoolRows&) const = default;
};

// The university rows: shown with University for a human teen, adult or elder; the three sliders
// only for a young adult.
struct UniversityView {
    bool Shown = false;
    bool Sliders = false;
    std::vector<std::string_view> Majors;  // labels, in list order; empty while hidden
    int Major = -1;                        // selected entry; -1 none
    std::span<const std::string_view> Classes;
    int Class = -1;
    std::string_view Year;
    std::string_view Hours;
};

// Everything the page shows when it opens for one sim. A selection of -1 means the list shows
// none (the stored value has no entry there and is left as it is).
struct JobSchoolView {
    JobSchoolRows Rows;

    std::vector<CareerListItem> Careers;
    int Career = -1;
    std::vector<std::string_view> Jobs;  // from the stored career, whatever is selected
    int Job = -1;
    WorkInfo Work;  // of the selected career entry and level
    // "Unknown Job/Career: …" when the stored career is in no table.
    std::optional<std::string> UnknownCareer;

    std::vector<CareerListItem> RetiredCareers;
    int RetiredCareer = -1;
    std::vector<std::string_view> RetiredJobs;
    int RetiredJob = -1;

    std::span<const School> Schools;  // empty unless the sim goes to school
    int SchoolPosition = -1;
    bool GradesListed = false;  // the grade scale is listed only for a known school
    int Grade = -1;

    std::vector<NpcType> NpcTypes;
    int Npc = 0;
    std::string NpcCaption;   // "NPC Type:", or "Unkown NPC:( 99 )" for a code in no entry
    bool UnknownNpc = false;  // the caption is then also shown as a message

    std::string PensionText;
    std::string VacationDaysText;

    UniversityView University;
};

// A child or teen without a known school starts at "Public School" with grade "B". Writes School
// and Grade only (never Modified: opening the page is no edit); true when it did.
bool ApplyDefaultSchool(Character& sim);

// The page as it opens for the sim (after ApplyDefaultSchool).
JobSchoolView ViewJobSchool(const Character& sim, const InstalledPacks& packs);

// ---- Choices of the user. Each writes the sim's fields; the caller marks it Modified. ----

// A level list with the entry to select.
struct LevelChoice {
    std::vector<std::string_view> Titles;
    int Selected = -1;
};

// A career chosen: Career takes its identifier, and the level stays when the new track has it,
// otherwise it drops to entry 0. The same for the retired career and level.
LevelChoice ChooseCareer(Character& sim, std::string_view idText);
LevelChoice ChooseRetiredCareer(Character& sim, std::string_view idText);

// A school chosen (position in SchoolTable); the grade stays.
void ChooseSchool(Character& sim, int position);
// A grade chosen (position in GradeScale).
void ChooseGrade(Character& sim, int position);

// ---- Typed numbers. Both boxes hold at most 10 characters; both fields are 16-bit. ----

inline constexpr int kNumberBoxLength = 10;
// The largest value a 16-bit field of the sim keeps as typed. A larger entry is refused: the
// field keeps its value and the box shows it again, rather than storing a wrapped number.
inline constexpr std::int32_t kLargestStoredNumber = RangeOf<std::int16_t>().Max;

// "Pension:" — the whole number of a cleaned text (non-digits already "0"); 0 when empty;
// nullopt when it does not fit the field.
std::optional<std::int16_t> PensionValue(std::u16string_view cleaned);
// The same with the reason a number is refused ("40000 is outside 0..32767").
NumberFit PensionFit(std::u16string_view cleaned);
std::string PensionText(std::int16_t pension);

// "Vacation Days:" — every character that is neither a digit nor "." becomes "0", so the text
// keeps its length and the caret its place.
std::u16string CleanVacationDaysText(std::u16string_view text);
// The stored value of a cleaned text: the days times 100. A number with more than two decimals
// that are not all zero gives 0 (1.234 -> 0). nullopt when the text is no number (empty, no
// digit, two points) or the value does not fit the field: the field then keeps its value.
std::optional<std::int16_t> VacationDaysValue(std::u16string_view cleaned);
// The stored value over 100 without trailing zeros: 250 -> "2.5", 300 -> "3", 7 -> "0.07".
std::string VacationDaysText(std::int16_t pto);

// ---- Captions and messages. ----

std::string PerformanceCaption(int value);  // "Performance: (40)"
std::string UnknownCareerMessage(std::string_view idText, std::int16_t jobs);
std::string UnknownNpcCaption(std::int16_t code);  // "Unkown NPC:( 99 )"
inline constexpr std::string_view kNpcCaption = "NPC Type:";
inline constexpr std::string_view kWorkDaysCaption = "Working Days:";

// ---- University. ----

// The class list position a major shows for the sim's semester: UniversityClass - 1 when the list
// has it, else the first class; -1 for an empty list.
int ClassPosition(std::span<const std::string_view> classes, std::int16_t universityClass);

// A major chosen (position in MajorTable): UniversityMajor takes its identifier and UniversityClass
// the class kept (the same semester when the major has it, else the first). Returns the classes
// and the selected one.
struct ClassChoice {
    std::span<const std::string_view> Classes;
    int Selected = -1;
};
ClassChoice ChooseMajor(Character& sim, int position);
// A class chosen (position in the class list).
void ChooseClass(Character& sim, int position);

// The year and class hours shown for the selected major (empty id text: none selected) and class
// position. Undeclared and an unselected major show neither.
struct ClassShown {
    std::string_view Year;
    std::string_view Hours;
};
ClassShown ShowClass(std::string_view majorIdText, int position);

// A GPA value over 250 without trailing zeros: 875 -> "3.5", 1000 -> "4".
std::string GpaText(int gpa);
std::string ClassPerformanceCaption(int value);  // "Class Performance: (600)"
std::string GpaCaption(int value);               // "GPA: (3.5)"
std::string RemainingHoursCaption(int value);    // "Remaining Hours: (12)"

}  // namespace kinloom
