#pragma once
// One sim of the loaded neighborhood: names, picture and body properties from its character
// package, every numeric attribute from its sim description in the neighborhood package.
// The editors change these fields and set Modified; saving writes them back.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/packages/PropertySet.h"
#include "core/pictures/SimThumbnail.h"

namespace kinloom {

// Identifiers and bit sets held as their bytes stand in the description (stored order).
using FourBytes = std::array<std::uint8_t, 4>;
using TwoBytes = std::array<std::uint8_t, 2>;

// The body properties (PropertyAge, PropertyGender, SkinColor, HairColor, EyeColor) come from the
// sim property set; a Character is handed wherever those are wanted.
struct Character : SimProperties {
    // PropertyAge and PropertyGender hold -1 (as 16 bits) until the property set is read.
    static constexpr std::uint16_t kPropertyUnread = 0xFFFF;

    Character() {
        PropertyAge = kPropertyUnread;
        PropertyGender = kPropertyUnread;
    }

    std::uint32_t DescriptionInstance = 0;  // instance of the matched sim description
    FourBytes GUID{};                       // from the character package's object data
    std::string FileName;                   // package file name as shown, cut to 28 characters
    std::filesystem::path FilePath;         // the package's full path; files are opened by it
    std::string FirstName;                  // names: raw UTF-8 bytes as stored
    SimThumbnail Thumbnail;                 // drawn when first looked at
    std::string LastName;
    std::string CharacterDescription;
    std::uint16_t FormatVersion = 0;
    std::string CharacterVersion;

    // Personality and skills.
    std::int16_t Nice = 0;
    std::int16_t Active = 0;
    std::int16_t ClassPerformance = 0;
    std::int16_t Playful = 0;
    std::int16_t Outgoing = 0;
    std::int16_t Neat = 0;
    std::int16_t Cleaning = 0;
    std::int16_t Cooking = 0;
    std::int16_t Charisma = 0;
    std::int16_t Mechanical = 0;
    std::int16_t Creativity = 0;
    std::int16_t Body = 0;
    std::int16_t Logic = 0;
    std::int16_t MalePref = 0;
    std::int16_t FemalePref = 0;
    std::int16_t JobData = 0;
    std::int16_t Aspiration = 0;
    std::int16_t OrgNeat = 0;
    std::int16_t OrgNice = 0;
    std::int16_t OrgActive = 0;
    std::int16_t OrgOutgoing = 0;
    std::int16_t OrgPlayful = 0;
    std::int16_t Grade = 0;
    std::int16_t Jobs = 0;
    std::int16_t Ages = 0;
    std::int16_t FamilyNumber = 0;  // household instance as a number; 0 = no household
    std::int16_t Performance = 0;
    std::int16_t Gender = 0;
    std::int16_t LingeringNumber = 0;
    std::int16_t GhostFlags = 0;
    std::int16_t PTO = 0;  // hundredths of a day
    std::int16_t Zodiac = 0;
    std::int16_t Fatness = 0;
    std::int16_t GPA = 0;
    FourBytes Career{};
    FourBytes LoadedCareer{};  // Career as loaded; a change between the two resets the job words
    std::int16_t AgeDaysLeft = 0;
    std::int16_t DaysPrevAge = 0;
    FourBytes School{};
    std::int16_t Word234 = 0;
    std::int16_t LocoBalance = 0;
    std::int16_t LocoWeight1 = 0;  // 100 minus LocoBalance
    FourBytes OutfitSourceGUID{};
    std::int16_t FitnessPreference = 0;
    std::int16_t Pension = 0;

    // Interests.
    std::int16_t Politics = 0;
    std::int16_t Money = 0;
    std::int16_t Environment = 0;
    std::int16_t Crime = 0;
    std::int16_t Entertainment = 0;
    std::int16_t Culture = 0;
    std::int16_t Food = 0;
    std::int16_t Health = 0;
    std::int16_t Fashion = 0;
    std::int16_t Sports = 0;
    std::int16_t Paranormal = 0;
    std::int16_t Travel = 0;
    std::int16_t Work = 0;
    std::int16_t Weather = 0;
    std::int16_t Animals = 0;
    std::int16_t SchoolInterest = 0;
    std::int16_t Toys = 0;
    std::int16_t SciFi = 0;

    std::int16_t NPCType = 0;
    std::int16_t AgeDuration = 0;
    std::int16_t AspirationScore = 0;
    std::int16_t AspirationRewardPoints = 0;
    std::int16_t AspirationLevel = 0;
    std::int16_t Word338 = 0;
    FourBytes RetCareer{};
    std::int16_t RetJobs = 0;

    // University.
    FourBytes UniversityMajor{};
    std::int16_t GradePeriod = 0;
    std::int16_t UniversityClass = 0;
    std::int16_t YoungAdult = 0;
    std::int16_t InfluenceLevel = 0;
    std::int16_t InfluenceMinimum = 0;
    std::int16_t InfluenceScore = 0;

    // Attraction (bit sets).
    FourBytes AttractionTraits{};
    FourBytes TurnOns{};
    FourBytes TurnOffs{};
    TwoBytes TurnOnsExt{};
    TwoBytes TurnOffsExt{};

    std::uint16_t Species = 0;  // 0 human, 1 to 3 pets

    // Hobbies.
    std::int16_t Cuisine = 0;
    std::int16_t ArtsCrafts = 0;
    std::int16_t FilmsLiterature = 0;
    std::int16_t SportsHB = 0;
    std::int16_t Games = 0;
    std::int16_t Nature = 0;
    std::int16_t Tinkering = 0;
    std::int16_t Fitness = 0;
    std::int16_t Science = 0;
    std::int16_t MusicDance = 0;
    std::int16_t Talent = 0;
    std::int16_t LTAspiration = 0;
    std::int16_t LTAUnlocks = 0;
    std::int16_t LTAUnlocksUsed = 0;

    // Motives.
    std::int16_t Hunger = 0;
    std::int16_t Comfort = 0;
    std::int16_t Bladder = 0;
    std::int16_t Energy = 0;
    std::int16_t Hygiene = 0;
    std::int16_t Fun = 0;
    std::int16_t Social = 0;

    bool HasBody = false;         // the character package holds a body presence entry
    bool IncompleteBody = false;  // the package lacks some body entry: it cannot give its body
    bool HasNameList = false;     // the character package holds a name list, so names can be saved
    bool ResetThumbnail = false;  // saving drops the sim's pictures
    bool CloneInProgress = false;
    std::filesystem::path BodySourcePath;  // package whose body entries replace this sim's
    bool Modified = false;

    bool operator==(const Character&) const = default;
};

}  // namespace kinloom
