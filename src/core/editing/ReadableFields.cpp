#include "core/editing/ReadableFields.h"

#include <algorithm>

#include "core/careers/Careers.h"
#include "core/careers/Education.h"
#include "core/careers/JobSchool.h"
#include "core/editing/EditingModel.h"

namespace kinloom {

namespace {

std::string Entry(std::string_view text) {
    return std::string(text);
}

// The entry at a position of a list; empty outside it.
template <typename List>
std::string At(const List& list, int position) {
    if (position < 0 || static_cast<std::size_t>(position) >= std::size(list)) return {};
    return Entry(list[static_cast<std::size_t>(position)]);
}

// The aspiration lists stand for bits 0..7; a second bit is the secondary aspiration. Every set
// bit is named (the window's two lists show only the lowest two), and a value with a bit no list
// stands for is not guessed at.
SimCell AspirationName(const Character& sim) {
    const auto bits = static_cast<std::uint16_t>(sim.Aspiration);
    if (bits == 0) return Entry(kAspirationEntries[0]);
    if (bits > 0xFF) return std::string();
    std::string names;
    for (std::size_t bit = 0; bit < 8; ++bit)
        if (bits & (1u << bit))
            names += (names.empty() ? "" : " + ") + Entry(kAspirationEntries[bit + 1]);
    return names;
}

SimCell GradeName(const Character& sim) {
    return Entry(GradeText(sim.Grade));
}

// A level's title only under a track the tables know: an unknown track's single "Unknown" entry
// is the page's placeholder, not the job's name.
std::string LevelTitle(const FourBytes& career, std::int16_t level) {
    const CareerTrack* track = FindCareer(IdText(career));
    if (!track) return {};
    return level < 0 || static_cast<std::size_t>(level) >= track->Levels.size()
               ? std::string()
               : Entry(track->Levels[static_cast<std::size_t>(level)].Title);
}

std::string CareerLabel(const FourBytes& career) {
    const CareerTrack* track = FindCareer(IdText(career));
    return track ? Entry(track->Label) : std::string();
}

SimCell JobsName(const Character& sim) {
    return LevelTitle(sim.Career, sim.Jobs);
}

// A pet (Species 1 to 3) has the pet list; whether Pets is installed changes what the window
// offers, not what the file means.
SimCell AgesName(const Character& sim) {
    const bool pet = IsPet(sim, true);
    const int position = LifeStagePosition(sim, pet);
    if (position < 0) return std::string();
    const auto i = static_cast<std::size_t>(position);
    return Entry(pet ? PetLifeStages()[i].Entry : HumanLifeStages()[i].Entry);
}

SimCell GenderName(const Character& sim) {
    return At(kGenderEntries, sim.Gender);
}

SimCell PTOShown(const Character& sim) {
    return Decimal{VacationDaysText(sim.PTO)};
}

SimCell ZodiacName(const Character& sim) {
    const ZodiacSign* sign = ZodiacSignOf(sim.Zodiac);
    return sign ? Entry(sign->Name) : std::string();
}

SimCell GPAShown(const Character& sim) {
    return Decimal{GpaText(sim.GPA)};
}

SimCell CareerName(const Character& sim) {
    return CareerLabel(sim.Career);
}

SimCell SchoolName(const Character& sim) {
    const School* school = FindSchool(IdText(sim.School));
    return school ? Entry(school->Label) : std::string();
}

// Two types share the name "Police Officer"; the stored code beside the name tells them apart.
SimCell NPCTypeName(const Character& sim) {
    const auto table = NpcTypeTable();
    const auto type = std::find_if(table.begin(), table.end(),
                                   [&](const NpcType& t) { return t.Code == sim.NPCType; });
    return type == table.end() ? std::string() : Entry(type->Name);
}

// The field holds the points over ten; the window shows them whole.
SimCell AspirationRewardPointsShown(const Character& sim) {
    return std::int64_t{sim.AspirationRewardPoints} * 10;
}

SimCell RetCareerName(const Character& sim) {
    return CareerLabel(sim.RetCareer);
}

SimCell RetJobsName(const Character& sim) {
    return LevelTitle(sim.RetCareer, sim.RetJobs);
}

SimCell UniversityMajorName(const Character& sim) {
    const Major* major = FindMajor(IdText(sim.UniversityMajor));
    return major ? Entry(major->Label) : std::string();
}

// The class of the stored semester (UniversityClass 1 is the first); the page falls back to the
// first class for a semester the major lacks, which would name a class the sim is not in.
SimCell UniversityClassName(const Character& sim) {
    return At(ClassTitles(IdText(sim.UniversityMajor)), sim.UniversityClass - 1);
}

SimCell TalentName(const Character& sim) {
    if (sim.Talent == 0) return Entry(kNoTalentEntry);
    const auto& hobbies = HobbyFields();
    const auto hobby = std::find_if(hobbies.begin(), hobbies.end(),
                                    [&](const HobbyField& h) { return h.Talent == sim.Talent; });
    return hobby == hobbies.end() ? std::string() : Entry(hobby->TalentEntry);
}

// The page checks "Normal" for a value that is none of the four steps; named here it would hide
// that the value is something else.
template <std::int16_t Character::*Member>
SimCell NeedDecayName(const Character& sim) {
    const auto step = std::find(kNeedDecaySteps.begin(), kNeedDecaySteps.end(), sim.*Member);
    return step == kNeedDecaySteps.end()
               ? std::string()
               : Entry(
                     kNeedDecayCaptions[static_cast<std::size_t>(step - kNeedDecaySteps.begin())]);
}

const ReadableField kReadable[] = {
    {"AspirationName", "Aspiration", AspirationName},
    {"GradeName", "Grade", GradeName},
    {"JobsName", "Jobs", JobsName},
    {"AgesName", "Ages", AgesName},
    {"GenderName", "Gender", GenderName},
    {"PTOShown", "PTO", PTOShown},
    {"ZodiacName", "Zodiac", ZodiacName},
    {"GPAShown", "GPA", GPAShown},
    {"CareerName", "Career", CareerName},
    {"SchoolName", "School", SchoolName},
    {"NPCTypeName", "NPCType", NPCTypeName},
    {"AspirationRewardPointsShown", "AspirationRewardPoints", AspirationRewardPointsShown},
    {"RetCareerName", "RetCareer", RetCareerName},
    {"RetJobsName", "RetJobs", RetJobsName},
    {"UniversityMajorName", "UniversityMajor", UniversityMajorName},
    {"UniversityClassName", "UniversityClass", UniversityClassName},
    {"TalentName", "Talent", TalentName},
    {"HungerName", "Hunger", NeedDecayName<&Character::Hunger>},
    {"ComfortName", "Comfort", NeedDecayName<&Character::Comfort>},
    {"BladderName", "Bladder", NeedDecayName<&Character::Bladder>},
    {"EnergyName", "Energy", NeedDecayName<&Character::Energy>},
    {"HygieneName", "Hygiene", NeedDecayName<&Character::Hygiene>},
    {"FunName", "Fun", NeedDecayName<&Character::Fun>},
    {"SocialName", "Social", NeedDecayName<&Character::Social>},
};

}  // namespace

std::span<const ReadableField> ReadableFields() {
    return kReadable;
}

}  // namespace kinloom
