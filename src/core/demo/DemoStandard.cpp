#include <algorithm>
#include <string>
#include <vector>

#include "core/demo/DemoPeople.h"
#include "core/demo/DemoSims.h"

namespace kinloom {

using namespace demo;

DemoNeighborhood StandardNeighborhood(std::uint32_t seed) {
    DemoNeighborhood n;
    n.Folder = "N001";
    n.Name = "Willowmere Hollow";
    n.Description =
        "A river town of slate roofs and late summers, where every family keeps a "
        "secret garden and nobody keeps a secret for long.";
    // The town's own name exists only in English; its households are named in German too,
    // except the Hartwells, whose names the German game shows from the English ones.
    n.LocalLanguage = 4;
    n.Compressed = true;

    const std::vector<Person> people = {
        {.Instance = 1,
         .First = "Owen",
         .Last = "Hartwell",
         .About = "Climbed from the mailroom on charm alone and still brings the post in himself.",
         .Household = 1,
         .Life = Stage::Adult,
         .Career = kBusiness,
         .Jobs = 6,
         .AspirationBit = 2,
         .Hair = 1,
         .Skin = 0,
         .Eyes = 0,
         .Talent = 5,
         .TurnOns = {3, 9, 0},
         .TurnOffs = {12, 0},
         .Traits = {3, 20}},
        {.Instance = 2,
         .First = "Mira",
         .Last = "Hartwell",
         .About = "A paediatric nurse who hums while she bakes and wins every board game.",
         .Household = 1,
         .Life = Stage::Adult,
         .Female = true,
         .Career = kMedicine,
         .Jobs = 4,
         .AspirationBit = 1,
         .Hair = 3,
         .Skin = 0,
         .Eyes = 1,
         .Talent = 1,
         .TurnOns = {9, 17, 0},
         .TurnOffs = {4, 0},
         .Traits = {9, 0}},
        {.Instance = 3,
         .First = "Tobias",
         .Last = "Hartwell",
         .About = "Plays the cello badly and the drums worse. Flips burgers after school.",
         .Household = 1,
         .Life = Stage::Teen,
         .Career = kTeenCulinary,
         .Jobs = 1,
         .School = kPublicSchool,
         .Grade = 9,
         .AspirationBit = 4,
         .Hair = 1,
         .Skin = 0,
         .Eyes = 1,
         .Talent = 10,
         .TurnOns = {5, 0, 0},
         .TurnOffs = {1, 0}},
        {.Instance = 4,
         .First = "Lily",
         .Last = "Hartwell",
         .About = "Collects beetles and names each one after a queen.",
         .Household = 1,
         .Life = Stage::Child,
         .Female = true,
         .School = kPrivateSchool,
         .Grade = 11,
         .AspirationBit = 6,
         .Hair = 3,
         .Skin = 0,
         .Eyes = 0},
        {.Instance = 5,
         .First = "Pepper",
         .Last = "Hartwell",
         .About = "Sleeps on the warm laptop. Judges everyone.",
         .Household = 1,
         .Life = Stage::PetAdult,
         .Female = true,
         .Species = 3,
         .Career = kPetShowBiz,
         .Jobs = 2,
         .Hair = 0},
        {.Instance = 6,
         .First = "Agnes",
         .Last = "Quennell",
         .About = "Retired police captain; still reads the neighbourhood like a case file.",
         .Household = 2,
         .Life = Stage::Elder,
         .Female = true,
         .RetCareer = kLawEnforcement,
         .RetJobs = 8,
         .AspirationBit = 5,
         .Hair = 2,
         .Skin = 1,
         .Eyes = 2,
         .Talent = 6,
         .TurnOns = {14, 0, 0},
         .TurnOffs = {7, 0},
         .Traits = {14, 0}},
        {.Instance = 7,
         .First = "Bertram",
         .Last = "Quennell",
         .About = "Thirty years in a laboratory, now grows prize marrows with the same rigour.",
         .Household = 2,
         .Life = Stage::Elder,
         .RetCareer = kScience,
         .RetJobs = 9,
         .AspirationBit = 5,
         .Hair = 2,
         .Skin = 1,
         .Eyes = 3,
         .Talent = 9,
         .TurnOns = {21, 0, 0},
         .TurnOffs = {2, 0}},
        {.Instance = 8,
         .First = "Biscuit",
         .Last = "Quennell",
         .About = "A large, loyal dog who believes the postman is a long-running conspiracy.",
         .Household = 2,
         .Life = Stage::PetAdult,
         .Species = 1,
         .Hair = 1},
        {.Instance = 9,
         .First = "Nadia",
         .Last = "Fairbrook",
         .About = "Runs the bistro on Mill Lane and feeds half the street on Sundays.",
         .Household = 3,
         .Life = Stage::Adult,
         .Female = true,
         .Career = kCulinary,
         .Jobs = 7,
         .AspirationBit = 1,
         .Hair = 2,
         .Skin = 1,
         .Eyes = 2,
         .Talent = 1,
         .TurnOns = {6, 33, 0},
         .TurnOffs = {10, 0},
         .Traits = {6, 0}},
        {.Instance = 10,
         .First = "Elias",
         .Last = "Fairbrook",
         .About = "Paints harbours he has never visited. Sells them to people who have.",
         .Household = 3,
         .Life = Stage::Adult,
         .Career = kArtist,
         .Jobs = 3,
         .AspirationBit = 0,
         .Hair = 0,
         .Skin = 2,
         .Eyes = 4,
         .Talent = 2,
         .TurnOns = {2, 0, 0},
         .TurnOffs = {8, 0}},
        {.Instance = 11,
         .First = "Juniper",
         .Last = "Fairbrook",
         .About = "Says three words, all of them 'more'.",
         .Household = 3,
         .Life = Stage::Toddler,
         .Female = true,
         .Hair = 2,
         .Skin = 1,
         .Eyes = 4},
        {.Instance = 12,
         .First = "Sol",
         .Last = "Fairbrook",
         .About = "New, loud and adored.",
         .Household = 3,
         .Life = Stage::Baby,
         .Hair = 0,
         .Skin = 2,
         .Eyes = 2},
        {.Instance = 13,
         .First = "Theo",
         .Last = "Ashgrove",
         .About = "Physics student with a telescope, a rowing blue and no sense of time.",
         .Household = 4,
         .Life = Stage::YoungAdult,
         .Major = kPhysics,
         .UniversityClass = 3,
         .AspirationBit = 5,
         .Hair = 0,
         .Skin = 3,
         .Eyes = 1,
         .Talent = 9,
         .TurnOns = {4, 0, 0},
         .TurnOffs = {11, 0},
         .Traits = {4, 0}},
        {.Instance = 14,
         .First = "Wren",
         .Last = "Ashgrove",
         .About = "Drama student; has rehearsed every conversation she will ever have.",
         .Household = 4,
         .Life = Stage::YoungAdult,
         .Female = true,
         .Major = kDrama,
         .UniversityClass = 5,
         .AspirationBit = 4,
         .Hair = 3,
         .Skin = 3,
         .Eyes = 1,
         .Talent = 3,
         .TurnOns = {17, 0, 0},
         .TurnOffs = {5, 0}},
        {.Instance = 15,
         .First = "Cassius",
         .Last = "Vell",
         .About = "Travels light, stays nowhere, and always knows someone who knows someone.",
         .Household = 0,
         .Life = Stage::Adult,
         .AspirationBit = 0,
         .Hair = 0,
         .Skin = 3,
         .Eyes = 0,
         .TurnOns = {1, 0, 0},
         .TurnOffs = {3, 0}},
    };
    Dice dice(seed ^ 0x4E303031u);
    for (const Person& p : people) n.Sims.push_back(MakeSim(p, 51, seed, 1, dice));

    n.Households = {
        {1,
         12,
         48250,
         6,
         "Hartwell",
         "Four of them and a cat, in the blue house by the weir.",
         "",
         "",
         {1, 2, 3, 4, 5}},
        {2,
         7,
         182400,
         11,
         "Quennell",
         "Retired, but nobody told their diaries.",
         "Familie Quennell",
         "Im Ruhestand, aber nicht untätig.",
         {6, 7, 8}},
        {3,
         3,
         15900,
         4,
         "Fairbrook",
         "Above the bistro; it always smells of bread.",
         "Familie Fairbrook",
         "Über dem Bistro; es duftet immer nach Brot.",
         {9, 10, 11, 12}},
        {4,
         21,
         3200,
         2,
         "Ashgrove",
         "Two students, one kettle, no plan.",
         "Geschwister Ashgrove",
         "Zwei Studenten, ein Wasserkocher.",
         {13, 14}},
    };

    Marry(n, 1, 2);
    Family(n, 2, 1, {3, 4});
    Marry(n, 6, 7);
    Family(n, 6, 7, {9});
    Marry(n, 9, 10);
    Family(n, 9, 10, {11, 12});
    Family(n, 0, 15, {13, 14});

    // Everyone in a household knows everyone else in it, both ways.
    for (const DemoHousehold& h : n.Households)
        for (std::size_t i = 0; i < h.Members.size(); ++i)
            for (std::size_t j = i + 1; j < h.Members.size(); ++j) {
                const std::uint16_t a = h.Members[i], b = h.Members[j];
                const bool married =
                    std::any_of(n.Relations.begin(), n.Relations.end(),
                                [&](const DemoRelation& r) { return r.From == a && r.To == b; });
                if (!married)
                    Relate(n, a, b, 40 + dice.Roll(0, 50), 30 + dice.Roll(0, 60), kFriend, kFriend);
            }
    Relate(n, 1, 15, 35, 20, kFriend, kFriend);
    Relate(n, 3, 13, 55, 45, kFriend | kBestFriend, kFriend);
    Relate(n, 14, 10, 30, 15, kCrush, 0);  // Wren admires the painter; he has not noticed
    Relate(n, 9, 6, 60, 80, kFriend, kFriend);
    Relate(n, 13, 15, -20, -35, 1u << 7, 0);  // estranged son and father
    // One gene from Downloads/, so the genetics page meets a custom value.
    n.Sims[13].Genes.FatherHairColor = "a1d3c0de-7e11-4b0b-9a1e-5eed0000c0a1";
    return n;
}

DemoNeighborhood SmallNeighborhoodG(std::uint32_t seed) {
    DemoNeighborhood n;
    n.Folder = "G001";
    n.Name = "Gullhaven Cove";
    n.Description = "A fishing hamlet from an older game, with older sims.";
    n.LocalName = "Mouettes-sur-Mer";
    n.LocalDescription =
        "Un hameau de p\xC3\xAA"
        "cheurs.";
    n.LocalLanguage = 3;
    n.HouseholdVersion = 70;
    n.EntrySize = 20;
    const std::vector<Person> people = {
        {.Instance = 1,
         .First = "Silas",
         .Last = "Penrose",
         .About = "Mends nets and tells tall tales.",
         .Household = 1,
         .Life = Stage::Adult,
         .Career = kScience,
         .Jobs = 2,
         .AspirationBit = 2,
         .Hair = 0,
         .Skin = 1,
         .Eyes = 2},
        {.Instance = 2,
         .First = "Maud",
         .Last = "Penrose",
         .About = "Keeps the lighthouse log to the minute.",
         .Household = 1,
         .Life = Stage::Adult,
         .Female = true,
         .Career = kLawEnforcement,
         .Jobs = 5,
         .AspirationBit = 1,
         .Hair = 1,
         .Skin = 1,
         .Eyes = 0,
         .TurnOns = {3, 0, 0}},
        {.Instance = 3,
         .First = "Edie",
         .Last = "Penrose",
         .About = "Swims in every weather.",
         .Household = 1,
         .Life = Stage::Child,
         .Female = true,
         .School = kPublicSchool,
         .Grade = 8,
         .Hair = 1,
         .Skin = 1,
         .Eyes = 2},
    };
    Dice dice(seed ^ 0x47303031u);
    const std::array<std::uint16_t, 3> versions = {32, 41, 41};
    for (std::size_t i = 0; i < people.size(); ++i)
        n.Sims.push_back(MakeSim(people[i], versions[i], seed, 2, dice));
    n.Households = {{1,
                     2,
                     9100,
                     3,
                     "Penrose",
                     "The lighthouse keepers.",
                     "Les Penrose",
                     "Les gardiens du phare.",
                     {1, 2, 3}}};
    Marry(n, 1, 2);
    Family(n, 2, 1, {3});
    Relate(n, 1, 3, 60, 70, kFriend, kFriend);
    Relate(n, 2, 3, 65, 75, kFriend | kBestFriend, kFriend);
    return n;
}

DemoNeighborhood SmallNeighborhoodF(std::uint32_t seed) {
    DemoNeighborhood n;
    n.Folder = "F001";
    n.Name = "Fernbank Heights";
    n.Description = "Two neighbours and a cat on a windy hill.";
    n.LocalName = "Helechos Altos";
    n.LocalDescription = "Dos vecinos y un gato.";
    n.LocalLanguage = 6;
    n.HouseholdVersion = 79;
    const std::vector<Person> people = {
        {.Instance = 1,
         .First = "Rosalind",
         .Last = "Kemp",
         .About = "Writes crosswords for three newspapers under three names.",
         .Household = 1,
         .Life = Stage::Elder,
         .Female = true,
         .RetCareer = kBusiness,
         .RetJobs = 10,
         .AspirationBit = 5,
         .Hair = 2,
         .Skin = 0,
         .Eyes = 3,
         .TurnOns = {9, 0, 0},
         .TurnOffs = {2, 0}},
        {.Instance = 2,
         .First = "Marmalade",
         .Last = "Kemp",
         .About = "Ginger, vast, serene.",
         .Household = 1,
         .Life = Stage::PetElder,
         .Species = 3,
         .Hair = 3},
    };
    Dice dice(seed ^ 0x46303031u);
    for (const Person& p : people) n.Sims.push_back(MakeSim(p, 44, seed, 3, dice));
    n.Households = {{1,
                     5,
                     27500,
                     1,
                     "Kemp",
                     "A cottage full of dictionaries.",
                     "Los Kemp",
                     "Una casita llena de diccionarios.",
                     {1, 2}}};
    Relate(n, 1, 2, 90, 95, kFriend | kBestFriend, kFriend | kBestFriend);
    return n;
}

}  // namespace kinloom
