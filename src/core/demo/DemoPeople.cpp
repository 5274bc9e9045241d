#include "core/demo/DemoPeople.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "core/demo/DemoSims.h"
#include "core/records/AttractionTraits.h"
#include "core/records/BodyProperties.h"

namespace kinloom {
namespace demo {
namespace {

// The game's own fixed colours, as genes and the sim property set hold them.
constexpr std::array<std::string_view, 4> kHair = {
    "00000001-0000-0000-0000-000000000000", "00000002-0000-0000-0000-000000000000",
    "00000003-0000-0000-0000-000000000000", "00000004-0000-0000-0000-000000000000"};
constexpr std::array<std::string_view, 4> kSkin = kHair;
constexpr std::array<std::string_view, 5> kEyes = {
    "32dee745-b6ce-419f-9e86-ae93802d2682", "51c4a750-c9f4-4cfe-801c-898efc360cb7",
    "0758508c-7111-40f9-b33b-706464626ac9", "e43f3360-3a08-4755-8b83-a0d37a6c424b",
    "2d6839c5-0b7c-48a1-9c55-4bd9cc873b0f"};

FourBytes IdBytes(std::string_view hex) {
    FourBytes out{};
    if (hex.empty()) return out;
    for (std::size_t i = 0; i < 4; ++i)
        out[i] =
            static_cast<std::uint8_t>(std::stoul(std::string(hex.substr(i * 2, 2)), nullptr, 16));
    return out;
}

FourBytes GuidFor(std::uint32_t seed, std::uint32_t tag, std::uint16_t instance) {
    // Multiplying by an odd number is one-to-one, so GUIDs never repeat within a neighborhood.
    const std::uint32_t g = (seed * 0x9E3779B1u) ^ (tag << 24) ^ (instance * 0x85EBCA6Bu) ^ 0x5A17u;
    return {static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(g >> 8),
            static_cast<std::uint8_t>(g >> 16), static_cast<std::uint8_t>(g >> 24)};
}

void ApplyStage(Character& c, Stage stage) {
    struct Row {
        std::int16_t ages, propertyAge, duration;
    };
    static constexpr std::array<Row, 10> kRows = {{{1, 32, 3},
                                                   {2, 1, 4},
                                                   {3, 2, 8},
                                                   {16, 4, 15},
                                                   {19, 64, 24},
                                                   {19, 8, 29},
                                                   {51, 16, 20},
                                                   {1, 32, 3},
                                                   {19, 8, 25},
                                                   {51, 16, 14}}};
    const Row& r = kRows[static_cast<std::size_t>(stage)];
    c.Ages = r.ages;
    c.PropertyAge = static_cast<std::uint16_t>(r.propertyAge);
    c.AgeDuration = r.duration;
    c.YoungAdult = stage == Stage::YoungAdult ? 1 : 0;
}

// Traits by their list number, at the bit the editor reads them from.
void SetTraitNumber(FourBytes& bytes, TwoBytes& ext, int number) {
    if (const AttractionTrait* trait = AttractionTraitOf(number)) SetTrait(bytes, ext, *trait);
}

}  // namespace

DemoSim MakeSim(const Person& p, std::uint16_t version, std::uint32_t seed, std::uint32_t tag,
                Dice& dice) {
    DemoSim s;
    Character& c = s.Record;
    c.DescriptionInstance = p.Instance;
    c.GUID = GuidFor(seed, tag, p.Instance);
    c.FormatVersion = version;
    c.FirstName = p.First;
    c.LastName = p.Last;
    c.CharacterDescription = p.About;
    c.Species = p.Species;
    ApplyStage(c, p.Life);
    const bool pet = p.Species != 0;
    const bool grown =
        p.Life == Stage::YoungAdult || p.Life == Stage::Adult || p.Life == Stage::Elder;
    const bool small =
        p.Life == Stage::Baby || p.Life == Stage::Toddler || p.Life == Stage::PetYoung;
    SetGender(c, p.Female ? 1 : 0);
    c.FamilyNumber = static_cast<std::int16_t>(p.Household);
    c.AgeDaysLeft = static_cast<std::int16_t>(dice.Roll(1, c.AgeDuration));
    c.DaysPrevAge = small ? 0 : static_cast<std::int16_t>(dice.Roll(2, 14));

    // Personality: 25 points spread over five traits, as the game hands them out.
    std::array<std::int16_t*, 5> traits = {&c.Neat, &c.Outgoing, &c.Active, &c.Playful, &c.Nice};
    int left = 25;
    for (int i = 0; i < 5; ++i) {
        // Each share leaves enough room for the traits after it, none above 10.
        const int share =
            i == 4 ? left : dice.Roll(std::max(0, left - 10 * (4 - i)), std::min(10, left));
        *traits[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(share * 100);
        left -= share;
    }
    c.OrgNeat = c.Neat;
    c.OrgOutgoing = c.Outgoing;
    c.OrgActive = c.Active;
    c.OrgPlayful = c.Playful;
    c.OrgNice = c.Nice;
    c.Zodiac = static_cast<std::int16_t>(dice.Roll(1, 12));

    if (!small && !pet) {
        for (std::int16_t* skill : {&c.Cleaning, &c.Cooking, &c.Charisma, &c.Mechanical,
                                    &c.Creativity, &c.Body, &c.Logic})
            *skill = grown ? dice.Points(0, 10) : dice.Points(0, 4);
        for (std::int16_t* interest :
             {&c.Politics, &c.Money, &c.Environment, &c.Crime, &c.Entertainment, &c.Culture,
              &c.Food, &c.Health, &c.Fashion, &c.Sports, &c.Paranormal, &c.Travel, &c.Work,
              &c.Weather, &c.Animals, &c.SchoolInterest, &c.Toys, &c.SciFi})
            *interest = dice.Points(0, 10);
        for (std::int16_t* hobby :
             {&c.Cuisine, &c.ArtsCrafts, &c.FilmsLiterature, &c.SportsHB, &c.Games, &c.Nature,
              &c.Tinkering, &c.Fitness, &c.Science, &c.MusicDance})
            *hobby = static_cast<std::int16_t>(dice.Roll(0, 40) * 25);
    }
    if (p.Talent > 0) c.Talent = static_cast<std::int16_t>(203 + p.Talent);
    if (p.AspirationBit >= 0) c.Aspiration = static_cast<std::int16_t>(1 << p.AspirationBit);
    if (grown && !pet) {
        c.AspirationLevel = static_cast<std::int16_t>(dice.Roll(0, 6) * 200);
        c.AspirationScore = static_cast<std::int16_t>(dice.Roll(0, 300));
        c.AspirationRewardPoints = static_cast<std::int16_t>(dice.Roll(0, 40) * 250);
        c.LTAspiration = static_cast<std::int16_t>(dice.Roll(0, 20) * 1500);
        c.LTAUnlocks = static_cast<std::int16_t>(dice.Roll(0, 6));
        c.LTAUnlocksUsed = static_cast<std::int16_t>(dice.Roll(0, c.LTAUnlocks));
        c.MalePref =
            static_cast<std::int16_t>(p.Female ? dice.Roll(4, 10) * 100 : -dice.Roll(0, 5) * 100);
        c.FemalePref =
            static_cast<std::int16_t>(p.Female ? -dice.Roll(0, 5) * 100 : dice.Roll(4, 10) * 100);
    }
    for (std::int16_t* motive :
         {&c.Hunger, &c.Comfort, &c.Bladder, &c.Energy, &c.Hygiene, &c.Fun, &c.Social})
        *motive = static_cast<std::int16_t>(dice.Roll(0, 3) * 12);
    c.Fatness = static_cast<std::int16_t>(dice.Roll(0, 6) * 50);
    c.LocoBalance = static_cast<std::int16_t>(dice.Roll(3, 7) * 10);
    c.LocoWeight1 = static_cast<std::int16_t>(100 - c.LocoBalance);
    c.FitnessPreference = static_cast<std::int16_t>(dice.Roll(0, 2));
    c.Word234 = static_cast<std::int16_t>(dice.Roll(1, 9));
    c.Word338 = static_cast<std::int16_t>(dice.Roll(1, 9));
    c.LingeringNumber = static_cast<std::int16_t>(p.Instance + 100);

    c.Career = IdBytes(p.Career);
    c.LoadedCareer = c.Career;
    c.Jobs = static_cast<std::int16_t>(p.Jobs);
    if (p.Jobs > 0) {
        c.Performance = static_cast<std::int16_t>(dice.Roll(-2, 10) * 10);
        c.PTO = static_cast<std::int16_t>(dice.Roll(0, 8) * 50);
        c.JobData = static_cast<std::int16_t>(dice.Roll(1, 5));
    }
    c.RetCareer = IdBytes(p.RetCareer);
    c.RetJobs = static_cast<std::int16_t>(p.RetJobs);
    if (p.RetJobs > 0) c.Pension = static_cast<std::int16_t>(p.RetJobs * 45);
    c.School = IdBytes(p.School);
    c.Grade = static_cast<std::int16_t>(p.Grade);
    c.UniversityMajor = IdBytes(p.Major);
    c.UniversityClass = static_cast<std::int16_t>(p.UniversityClass);
    if (p.UniversityClass > 0) {
        c.ClassPerformance = static_cast<std::int16_t>(dice.Roll(3, 9) * 100);
        c.GPA = static_cast<std::int16_t>(dice.Roll(8, 16) * 50);
        c.GradePeriod = static_cast<std::int16_t>(dice.Roll(10, 72));
        c.InfluenceLevel = static_cast<std::int16_t>(dice.Roll(1, 4));
        c.InfluenceMinimum = 100;
        c.InfluenceScore = static_cast<std::int16_t>(dice.Roll(100, 900));
    }
    for (int t : p.TurnOns) SetTraitNumber(c.TurnOns, c.TurnOnsExt, t);
    for (int t : p.TurnOffs) SetTraitNumber(c.TurnOffs, c.TurnOffsExt, t);
    TwoBytes noExt{};
    for (int t : p.Traits) SetTraitNumber(c.AttractionTraits, noExt, t);

    c.HairColor = std::string(kHair[static_cast<std::size_t>(p.Hair) % kHair.size()]);
    c.SkinColor = std::string(kSkin[static_cast<std::size_t>(p.Skin) % kSkin.size()]);
    c.EyeColor = std::string(kEyes[static_cast<std::size_t>(p.Eyes) % kEyes.size()]);
    s.HasBody = !pet;

    DNA& d = s.Genes;
    d.Instance = p.Instance;
    d.SkinTone = c.SkinColor;
    d.RecSkinTone = std::string(kSkin[static_cast<std::size_t>(p.Skin + 1) % kSkin.size()]);
    d.FatherHairColor = c.HairColor;
    d.MotherHairColor = std::string(kHair[static_cast<std::size_t>(p.Hair + 2) % kHair.size()]);
    d.FatherSkinTone = c.SkinColor;
    d.MotherSkinTone = d.RecSkinTone;
    d.DomEyeColor = c.EyeColor;
    d.RecEyeColor = std::string(kEyes[static_cast<std::size_t>(p.Eyes + 3) % kEyes.size()]);
    d.Key5 = "NA";
    d.Key4 = "NA";
    d.Key7 = "NA";
    d.Key8 = "NA";
    d.Key268435460 = "NA";
    d.Key268435461 = "NA";
    d.Key268435463 = "NA";
    d.Key268435464 = "NA";
    return s;
}

void Relate(DemoNeighborhood& n, std::uint16_t a, std::uint16_t b, int daily, int lifetime,
            std::uint8_t bitsAB, std::uint8_t bitsBA, std::uint8_t bitTwo) {
    n.Relations.push_back({a, b, daily, lifetime, bitsAB, bitTwo});
    n.Relations.push_back({b, a, daily - 5, lifetime - 3, bitsBA, bitTwo});
}

void Marry(DemoNeighborhood& n, std::uint16_t a, std::uint16_t b) {
    Relate(n, a, b, 85, 90, kSpouses, kSpouses);
    n.Ties.push_back({a, tiekind::Spouse, b});
    n.Ties.push_back({b, tiekind::Spouse, a});
}

// Parent ties from the child's side and child ties from the parents', siblings both ways.
void Family(DemoNeighborhood& n, std::uint16_t mother, std::uint16_t father,
            const std::vector<std::uint16_t>& children) {
    for (std::uint16_t child : children) {
        if (mother) n.Ties.push_back({child, tiekind::FirstParent, mother});
        if (father) n.Ties.push_back({child, tiekind::SecondParent, father});
        for (std::uint16_t sibling : children)
            if (sibling != child) n.Ties.push_back({child, tiekind::Sibling, sibling});
    }
    for (std::uint16_t parent : {mother, father}) {
        if (!parent) continue;
        for (std::uint16_t child : children) n.Ties.push_back({parent, tiekind::Child, child});
    }
}

}  // namespace demo

using namespace demo;

DemoNeighborhood GeneratedNeighborhood(int sims, std::uint32_t seed, bool everyPair) {
    if (sims <= 0 || sims > kMaxDemoSims) throw std::invalid_argument("sim count out of range");
    static constexpr std::array<const char*, 16> kFirstM = {
        "Alder", "Bram",   "Corin",   "Dorian", "Emrys", "Fenn",  "Gideon", "Hollis",
        "Ivo",   "Jasper", "Kestrel", "Lorcan", "Milo",  "Niall", "Oren",   "Piers"};
    static constexpr std::array<const char*, 16> kFirstF = {
        "Aster",  "Briony", "Clover", "Delphine", "Elodie", "Fern", "Greer", "Hazel",
        "Isolde", "Juno",   "Kit",    "Linnea",   "Maren",  "Nell", "Orla",  "Posy"};
    static constexpr std::array<const char*, 12> kStem = {"Ash",   "Bell", "Cran", "Dun",
                                                          "Elder", "Fox",  "Glen", "Hawk",
                                                          "Ivy",   "Lark", "Moss", "Thorn"};
    static constexpr std::array<const char*, 8> kEnd = {"wood", "ford", "ley", "combe",
                                                        "more", "well", "by",  "ridge"};
    DemoNeighborhood n;
    n.Folder = "N001";
    n.Name = "Larchfield Sprawl";
    n.Description = "A generated town for measuring how the editor copes with many sims.";
    n.Compressed = true;
    Dice dice(seed ^ 0x47454E00u);
    std::vector<std::string> lasts;  // Person keeps pointers; the names must outlive the loop
    lasts.reserve(static_cast<std::size_t>(sims / 4 + 1));
    std::vector<std::string> firsts;
    firsts.reserve(static_cast<std::size_t>(sims));
    for (int start = 0; start < sims; start += 4) {
        const auto household = static_cast<std::uint16_t>(start / 4 + 1);
        lasts.push_back(std::string(kStem[static_cast<std::size_t>(dice.Roll(0, 11))]) +
                        kEnd[static_cast<std::size_t>(dice.Roll(0, 7))]);
        DemoHousehold h;
        h.Instance = household;
        h.Lot = household + 10;
        h.Cash = dice.Roll(1, 400) * 250;
        h.Friends = dice.Roll(0, 12);
        h.Name = lasts.back();
        h.Description = "The " + lasts.back() + " household.";
        h.LocalName = "Familie " + lasts.back();
        h.LocalDescription = "Der Haushalt " + lasts.back() + ".";
        const int size = std::min(4, sims - start);
        static constexpr std::array<Stage, 4> kStages = {Stage::Adult, Stage::Adult, Stage::Teen,
                                                         Stage::Child};
        for (int k = 0; k < size; ++k) {
            const auto instance = static_cast<std::uint16_t>(start + k + 1);
            Person p;
            p.Instance = instance;
            p.Female = k % 2 == 1;
            firsts.push_back(
                (p.Female ? kFirstF : kFirstM)[static_cast<std::size_t>(dice.Roll(0, 15))]);
            p.First = firsts.back().c_str();
            p.Last = lasts.back().c_str();
            p.About = "A generated sim.";
            p.Household = household;
            p.Life = kStages[static_cast<std::size_t>(k)];
            if (k < 2) {
                p.Career = k == 0 ? kBusiness : kMedicine;
                p.Jobs = dice.Roll(1, 10);
            } else {
                p.School = kPublicSchool;
                p.Grade = dice.Roll(1, 12);
            }
            p.AspirationBit = dice.Roll(0, 5);
            p.Hair = dice.Roll(0, 3);
            p.Skin = dice.Roll(0, 3);
            p.Eyes = dice.Roll(0, 4);
            n.Sims.push_back(MakeSim(p, 51, seed, 1, dice));
            h.Members.push_back(instance);
        }
        const auto first = static_cast<std::uint16_t>(start + 1);
        if (size >= 2) Marry(n, first, static_cast<std::uint16_t>(first + 1));
        std::vector<std::uint16_t> kids;
        for (int k = 2; k < size; ++k) kids.push_back(static_cast<std::uint16_t>(start + k + 1));
        if (!kids.empty())
            Family(n, static_cast<std::uint16_t>(size >= 2 ? first + 1 : 0), first, kids);
        for (std::size_t i = 0; i < h.Members.size(); ++i)
            for (std::size_t j = std::max<std::size_t>(i + 1, i < 2 ? 2 : 0); j < h.Members.size();
                 ++j)
                Relate(n, h.Members[i], h.Members[j], 50, 60, kFriend, kFriend);
        n.Households.push_back(std::move(h));
    }
    if (everyPair) {
        // Family members are related above; everyone else meets as acquaintances, one entry per
        // ordered pair. Households are runs of four consecutive instances.
        const auto family = [](int a, int b) { return (a - 1) / 4 == (b - 1) / 4; };
        for (int a = 1; a <= sims; ++a)
            for (int b = 1; b <= sims; ++b)
                if (!family(a, b))
                    n.Relations.push_back({static_cast<std::uint16_t>(a),
                                           static_cast<std::uint16_t>(b), dice.Roll(-20, 40),
                                           dice.Roll(-10, 30), 0, 0x80});
    }
    return n;
}

std::vector<DemoGene> DemoGenes() {
    return {
        {0x8C1580B5, "a1d3c0de-7e11-4b0b-9a1e-5eed0000c0a1", "Copper Sunset Hair",
         "Genes/CopperSunsetHair.package", false},
        {0x8C1580B5, "a1d3c0de-7e11-4b0b-9a1e-5eed0000c0a2", "Silver Fox Hair",
         "Genes/Hair/SilverFoxHair.package", true},
        {0x4C158081, "b2e4d1ef-8f22-4c1c-8b2f-6ffe0000d0b1", "Moonlit Skin", "MoonlitSkin.package",
         true},
        {0x4C158081, "b2e4d1ef-8f22-4c1c-8b2f-6ffe0000d0b2", "Olive Grove Skin",
         "Genes/OliveGroveSkin.package", false},
        {0x2C1FD8A1, "c3f5e2f0-9033-4d2d-9c30-7000e000e0c1", "Amber Eyes",
         "Genes/AmberEyes.package", false},
        {0x2C1FD8A1, "c3f5e2f0-9033-4d2d-9c30-7000e000e0c2", "Sea Glass Eyes",
         "SeaGlassEyes.package", true},
    };
}

}  // namespace kinloom
