#pragma once
// The invented families of the demo user-data folder: who lives where, how they are related and
// how they feel about each other. Nothing here touches a file; DemoWriter turns it into packages.

#include <cstdint>
#include <string>
#include <vector>

#include "core/records/Character.h"
#include "core/records/DNA.h"
#include "core/records/FamilyTies.h"

namespace kinloom {

// Family-tie kinds as the game stores them.
namespace tiekind {
inline constexpr std::uint32_t FirstParent = 0;
inline constexpr std::uint32_t SecondParent = 1;
inline constexpr std::uint32_t Spouse = 2;
inline constexpr std::uint32_t Sibling = 3;
inline constexpr std::uint32_t Child = 4;
}  // namespace tiekind

struct DemoSim {
    // Every description field, the names, the GUID, the description instance, the body
    // properties and FormatVersion (the version its description is written in).
    Character Record;
    DNA Genes;
    bool HasBody = true;  // body entries in its character package (pets have none)
};

// How one sim feels about another (one relationship entry).
struct DemoRelation {
    std::uint16_t From = 0;  // description instances
    std::uint16_t To = 0;
    std::int32_t Daily = 0;
    std::int32_t Lifetime = 0;
    std::uint8_t BitOne = 0;
    std::uint8_t BitTwo = 0;
};

struct DemoHousehold {
    std::uint32_t Instance = 0;  // also the FamilyNumber of its members
    std::int32_t Lot = 0;
    std::int32_t Cash = 0;
    std::int32_t Friends = 0;
    std::string Name, Description;  // language 1
    // The neighborhood's second language; empty: named in language 1 only.
    std::string LocalName, LocalDescription;
    std::vector<std::uint16_t> Members;  // description instances, in member order
};

struct DemoNeighborhood {
    std::string Folder;             // N001, G001, F001
    std::string Name, Description;  // language 1
    // In LocalLanguage; empty: the name list holds language 1 only, as the editor writes it.
    std::string LocalName, LocalDescription;
    int LocalLanguage = 4;
    std::uint32_t HouseholdVersion = 85;
    int EntrySize = 24;       // index form of its packages
    bool Compressed = false;  // some entries stored QFS-compressed, with their directory
    std::vector<DemoSim> Sims;
    std::vector<DemoHousehold> Households;
    std::vector<DemoRelation> Relations;  // always in pairs, both directions
    std::vector<FamilyTie> Ties;
};

// The hand-made N001: four households and a loner, pets, a student, elders. The seed varies the
// GUIDs and the finer values, never who is who.
DemoNeighborhood StandardNeighborhood(std::uint32_t seed);
// Sim numbers are 16-bit, and relationship entries pack two of them into one instance.
inline constexpr int kMaxDemoSims = 60000;
// N001 with `sims` generated sims in families of up to four, for benchmarks and scale tests.
// With everyPair, each sim also knows every sim outside its family (as an acquaintance).
DemoNeighborhood GeneratedNeighborhood(int sims, std::uint32_t seed, bool everyPair = false);
// The small G001 (descriptions of versions 32 and 41, 20-byte index) and F001 (version 44).
DemoNeighborhood SmallNeighborhoodG(std::uint32_t seed);
DemoNeighborhood SmallNeighborhoodF(std::uint32_t seed);

// Custom genes placed in Downloads/: one gene per package.
struct DemoGene {
    std::uint32_t Type = 0;  // 8C1580B5 hair, 4C158081 skin, 2C1FD8A1 eyes
    std::string Family;      // 36-character identifier stored in genes
    std::string Title;       // shown in the gene lists
    std::string File;        // path below Downloads/
    bool Xml = false;        // gene resource as XML text instead of a binary property set
};
std::vector<DemoGene> DemoGenes();

}  // namespace kinloom
