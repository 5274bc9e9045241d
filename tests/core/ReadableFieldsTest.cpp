#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <type_traits>
#include <variant>

#include "core/careers/Careers.h"
#include "core/editing/CharacterFields.h"
#include "core/editing/ReadableFields.h"

namespace kinloom {
namespace {

const ReadableField* Readable(const std::string& name) {
    for (const ReadableField& r : ReadableFields())
        if (name == r.Name) return &r;
    return nullptr;
}

FourBytes Id(std::string_view text) {
    return *IdBytes(text);
}

TEST(ReadableFieldsTest, EachCompanionGivesWhatTheWindowShowsForTheStoredValue) {
    struct Case {
        const char* what;
        std::function<void(Character&)> stored;
        const char* companion;
        SimCell readable;
    };
    const std::string none;
    const Case cases[] = {
        // Units: hundredths of a day, points over ten, GPA over 250.
        {"five vacation days", [](Character& s) { s.PTO = 500; }, "PTOShown", Decimal{"5"}},
        {"two and a half days", [](Character& s) { s.PTO = 250; }, "PTOShown", Decimal{"2.5"}},
        {"a hundredth is kept exactly", [](Character& s) { s.PTO = 7; }, "PTOShown",
         Decimal{"0.07"}},
        {"negative days", [](Character& s) { s.PTO = -32768; }, "PTOShown", Decimal{"-327.68"}},
        {"reward points", [](Character& s) { s.AspirationRewardPoints = 123; },
         "AspirationRewardPointsShown", SimCell(std::int64_t{1230})},
        {"reward points beyond 16 bits", [](Character& s) { s.AspirationRewardPoints = 32767; },
         "AspirationRewardPointsShown", SimCell(std::int64_t{327670})},
        {"GPA", [](Character& s) { s.GPA = 875; }, "GPAShown", Decimal{"3.5"}},
        {"a whole GPA", [](Character& s) { s.GPA = 1000; }, "GPAShown", Decimal{"4"}},

        // Aspiration bits 0..7 are the lists' entries 1..8.
        {"no aspiration", [](Character& s) { s.Aspiration = 0; }, "AspirationName",
         std::string("-")},
        {"aspiration 2", [](Character& s) { s.Aspiration = 2; }, "AspirationName",
         std::string("Family")},
        {"the highest bit", [](Character& s) { s.Aspiration = 128; }, "AspirationName",
         std::string("Pleasure")},
        {"primary and secondary", [](Character& s) { s.Aspiration = 1 | 32; }, "AspirationName",
         std::string("Romance + Knowledge")},
        {"a bit no entry stands for", [](Character& s) { s.Aspiration = 256 | 2; },
         "AspirationName", none},

        // Careers and jobs from the career tables.
        {"adult business", [](Character& s) { s.Career = Id("55651945"); }, "CareerName",
         std::string("Business")},
        {"job 5 of adult business",
         [](Character& s) {
             s.Career = Id("55651945");
             s.Jobs = 5;
         },
         "JobsName", std::string("Executive")},
        {"level 0", [](Character& s) { s.Career = Id("55651945"); }, "JobsName",
         std::string("Unemployed")},
        {"a job past the track's top",
         [](Character& s) {
             s.Career = Id("55651945");
             s.Jobs = 11;
         },
         "JobsName", none},
        {"no career", [](Character& s) { s.Career = Id("00000000"); }, "CareerName",
         std::string("Unemployed")},
        {"a career from a mod", [](Character& s) { s.Career = Id("DEADBEEF"); }, "CareerName",
         none},
        {"the job of a career from a mod", [](Character& s) { s.Career = Id("DEADBEEF"); },
         "JobsName", none},
        {"retired from teen business",
         [](Character& s) {
             s.RetCareer = Id("77051E4C");
             s.RetJobs = 1;
         },
         "RetJobsName", std::string("Gofer")},
        {"the retired career", [](Character& s) { s.RetCareer = Id("77051E4C"); }, "RetCareerName",
         std::string("Business")},
        {"the retired job reads the retired career, not the career",
         [](Character& s) {
             s.Career = Id("55651945");
             s.RetCareer = Id("DEADBEEF");
             s.RetJobs = 1;
         },
         "RetJobsName", none},
        {"an NPC type", [](Character& s) { s.NPCType = 47; }, "NPCTypeName",
         std::string("Obedience Trainer")},
        {"no NPC type", [](Character& s) { s.NPCType = 0; }, "NPCTypeName", std::string("NA")},
        {"an NPC code in no entry", [](Character& s) { s.NPCType = 99; }, "NPCTypeName", none},

        // School and university.
        {"public school", [](Character& s) { s.School = Id("B58867D0"); }, "SchoolName",
         std::string("Public School")},
        {"no school", [](Character& s) { s.School = Id("00000000"); }, "SchoolName", none},
        {"grade B", [](Character& s) { s.Grade = 9; }, "GradeName", std::string("B")},
        {"the top grade", [](Character& s) { s.Grade = 13; }, "GradeName", std::string("A+")},
        {"grade 0", [](Character& s) { s.Grade = 0; }, "GradeName", none},
        {"a major", [](Character& s) { s.UniversityMajor = Id("7CF09CCE"); }, "UniversityMajorName",
         std::string("Psychology")},
        {"the first semester's class",
         [](Character& s) {
             s.UniversityMajor = Id("7CF09CCE");
             s.UniversityClass = 1;
         },
         "UniversityClassName", std::string("Introduction To Psychology: We are too a science!")},
        {"a semester the major lacks is no class",
         [](Character& s) {
             s.UniversityMajor = Id("7CF09CCE");
             s.UniversityClass = 9;
         },
         "UniversityClassName", none},
        {"not enrolled",
         [](Character& s) {
             s.UniversityMajor = Id("1DBF978E");
             s.UniversityClass = 1;
         },
         "UniversityClassName", std::string("Not Enrolled")},

        // The Character, Personality, Hobbies and Skills pages' lists.
        {"adult", [](Character& s) { s.Ages = 19; }, "AgesName", std::string("Adult")},
        {"baby", [](Character& s) { s.Ages = 1; }, "AgesName", std::string("Baby")},
        {"a kitten",
         [](Character& s) {
             s.Ages = 1;
             s.Species = 3;
         },
         "AgesName", std::string("Puppy/Kitten")},
        {"a toddler stage for a pet",
         [](Character& s) {
             s.Ages = 2;
             s.Species = 1;
         },
         "AgesName", none},
        {"a life stage code in no list", [](Character& s) { s.Ages = 5; }, "AgesName", none},
        {"male", [](Character& s) { s.Gender = 0; }, "GenderName", std::string("Male")},
        {"female", [](Character& s) { s.Gender = 1; }, "GenderName", std::string("Female")},
        {"gender 2", [](Character& s) { s.Gender = 2; }, "GenderName", none},
        {"the first sign", [](Character& s) { s.Zodiac = 1; }, "ZodiacName", std::string("Aries")},
        {"the last sign", [](Character& s) { s.Zodiac = 12; }, "ZodiacName", std::string("Pisces")},
        {"no sign", [](Character& s) { s.Zodiac = 0; }, "ZodiacName", none},
        {"a talent", [](Character& s) { s.Talent = 213; }, "TalentName",
         std::string("Music and Dance")},
        {"no talent", [](Character& s) { s.Talent = 0; }, "TalentName", std::string("-")},
        {"a talent code in no list", [](Character& s) { s.Talent = 203; }, "TalentName", none},
        {"a decay step", [](Character& s) { s.Hunger = 12; }, "HungerName", std::string("Slow")},
        {"the last need's top step", [](Character& s) { s.Social = 36; }, "SocialName",
         std::string("Very Slow")},
        {"a value between the steps", [](Character& s) { s.Fun = 13; }, "FunName", none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ReadableField* field = Readable(c.companion);
        ASSERT_NE(field, nullptr) << c.companion;
        Character sim;
        c.stored(sim);
        EXPECT_EQ(field->Value(sim), c.readable);
    }
}

// Names are the only companions that can fail to find an entry; codes no table holds, at both
// ends of the 16 bits and in every id, must give an empty name and nothing worse.
TEST(ReadableFieldsTest, CodesNoTableHoldsGiveEmptyNames) {
    for (std::int16_t code : {std::int16_t{-32768}, std::int16_t{-1}, std::int16_t{32767}}) {
        SCOPED_TRACE(code);
        Character sim;
        for (const CharacterField& f : CharacterFields())
            std::visit(
                [&](auto member) {
                    auto& value = sim.*member;
                    using T = std::decay_t<decltype(value)>;
                    if constexpr (std::is_same_v<T, std::int16_t>)
                        value = code;
                    else if constexpr (std::is_same_v<T, FourBytes>)
                        value = {0xFF, 0xFF, 0xFF, 0xFF};
                },
                f.Member);
        for (const ReadableField& r : ReadableFields()) {
            const std::string name = r.Name;
            if (!name.ends_with("Name")) continue;
            EXPECT_EQ(r.Value(sim), SimCell(std::string())) << name;
        }
    }
}

// Show and the JSON export set companions beside the stored keys: a companion named like a stored
// key (or Label, Household, Storable) would overwrite it.
TEST(ReadableFieldsTest, EachCompanionReadsAStoredFieldAndClobbersNone) {
    std::set<std::string> taken = {"Label", "Household", "Storable"};
    for (const CharacterField& f : CharacterFields()) taken.insert(f.Name);
    const CharacterField* previous = nullptr;
    for (const ReadableField& r : ReadableFields()) {
        SCOPED_TRACE(r.Name);
        const CharacterField* stored = FindCharacterField(r.Stored);
        ASSERT_NE(stored, nullptr);
        const std::string name = r.Name;
        EXPECT_TRUE(name == std::string(r.Stored) + "Name" ||
                    name == std::string(r.Stored) + "Shown");
        EXPECT_TRUE(taken.insert(name).second) << "taken twice";
        if (previous) {
            EXPECT_LT(previous, stored) << "in the order of the stored fields";
        }
        previous = stored;
    }
}

}  // namespace
}  // namespace kinloom
