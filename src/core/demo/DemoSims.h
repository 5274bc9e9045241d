#pragma once
// Building blocks shared by the demo's neighborhoods: a sim made from a short description of who
// it is, and the helpers that tie sims together. Internal to the demo.

#include <array>
#include <cstdint>
#include <random>
#include <string_view>
#include <vector>

#include "core/demo/DemoPeople.h"

namespace kinloom::demo {

// Career, school and major identifiers, in stored byte order.
inline constexpr std::string_view kBusiness = "55651945";
inline constexpr std::string_view kMedicine = "FD61770C";
inline constexpr std::string_view kCulinary = "5FBD9EEC";
inline constexpr std::string_view kScience = "47BD9E0C";
inline constexpr std::string_view kLawEnforcement = "E3BC9EAC";
inline constexpr std::string_view kArtist = "BCFF6F4E";
inline constexpr std::string_view kTeenCulinary = "0C7BA04C";
inline constexpr std::string_view kPetShowBiz = "2DCC75D1";
inline constexpr std::string_view kPublicSchool = "B58867D0";
inline constexpr std::string_view kPrivateSchool = "114C8FCC";
inline constexpr std::string_view kPhysics = "63F09CAE";
inline constexpr std::string_view kDrama = "4DF09C4E";

// Relationship flags of the first flag byte.
inline constexpr std::uint8_t kFriend = 1u << 4;
inline constexpr std::uint8_t kBestFriend = 1u << 5;
inline constexpr std::uint8_t kLove = 1u << 1;
inline constexpr std::uint8_t kCrush = 1u << 0;
inline constexpr std::uint8_t kMarried = 1u << 3;
inline constexpr std::uint8_t kSpouses = kMarried | kLove | kFriend | kBestFriend;

class Dice {
public:
    explicit Dice(std::uint32_t seed) : rng_(seed) {}
    // Deterministic on every platform (no distribution objects, whose output is not).
    int Roll(int lo, int hi) {
        return lo + static_cast<int>(rng_() % static_cast<std::uint32_t>(hi - lo + 1));
    }
    std::int16_t Points(int lo, int hi) { return static_cast<std::int16_t>(Roll(lo, hi) * 100); }

private:
    std::mt19937 rng_;
};

enum class Stage {
    Baby,
    Toddler,
    Child,
    Teen,
    YoungAdult,
    Adult,
    Elder,
    PetYoung,
    PetAdult,
    PetElder
};

// Who a sim is; MakeSim fills in the rest from the dice.
struct Person {
    std::uint16_t Instance = 0;
    const char* First = "";
    const char* Last = "";
    const char* About = "";
    std::uint16_t Household = 0;
    Stage Life = Stage::Adult;
    bool Female = false;
    std::uint16_t Species = 0;  // 0 sim, 1 large dog, 2 small dog, 3 cat
    std::string_view Career = "";
    int Jobs = 0;
    std::string_view RetCareer = "";
    int RetJobs = 0;
    std::string_view School = "";
    int Grade = 0;
    std::string_view Major = "";
    int UniversityClass = 0;
    int AspirationBit = -1;
    int Hair = 0, Skin = 0, Eyes = 0;
    int Talent = 0;                          // hobby number 0..9 plus one; 0 none
    std::array<int, 3> TurnOns = {0, 0, 0};  // trait numbers 1..33, 0 none
    std::array<int, 2> TurnOffs = {0, 0};
    std::array<int, 2> Traits = {0, 0};
};

// The sim's record, genes and body for a description of the given version. tag keeps GUIDs of
// different neighborhoods apart.
DemoSim MakeSim(const Person& person, std::uint16_t version, std::uint32_t seed, std::uint32_t tag,
                Dice& dice);
// Two relationship entries, a about b and b about a.
void Relate(DemoNeighborhood& n, std::uint16_t a, std::uint16_t b, int daily, int lifetime,
            std::uint8_t bitsAB, std::uint8_t bitsBA, std::uint8_t bitTwo = 0x80);
// Spouses: married both ways, with the spouse ties.
void Marry(DemoNeighborhood& n, std::uint16_t a, std::uint16_t b);
// Parent ties from the child's side and child ties from the parents', siblings both ways; a
// parent of 0 is absent.
void Family(DemoNeighborhood& n, std::uint16_t mother, std::uint16_t father,
            const std::vector<std::uint16_t>& children);

}  // namespace kinloom::demo
