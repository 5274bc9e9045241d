#pragma once
// The neighborhood health check: what is wrong with a loaded neighborhood's records and files —
// household members, family ties and relationships that point at nobody, ties that disagree,
// character packages and sim descriptions without each other, duplicate GUIDs, unreadable
// packages, names that are not UTF-8, entries that do not decode. Read only: nothing is changed.
// The safe mends (MendSafeProblems) drop only references to sims that do not exist at all.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/editing/LoadedNeighborhood.h"

namespace kinloom {

enum class Severity { Problem, Warning, Note };

enum class FindingKind {
    MemberWithoutSim,        // a household member GUID that names no sim
    SimInTwoHouseholds,      // one GUID listed by two households
    FamilyWithoutHousehold,  // a sim's family number names no household
    NotListedByHousehold,    // the household a sim names does not list it
    TieToNobody,             // a family tie names a sim number with no description
    TiesDisagree,            // A is B's parent, but B is not A's child (and the like)
    OwnRelative,             // a sim tied to itself
    RelationshipToNobody,    // a relationship record whose either side has no description
    OneSidedRelationship,    // one direction of a pair without the other
    CharacterWithoutDescription,
    DescriptionWithoutCharacter,
    DuplicateGuid,
    UnreadableCharacter,  // a character package that could not be read
    NameNotUtf8,
    UndecodableEntry,  // an entry of a package that does not decompress
};

// "Household member without a sim" and so on: how findings are grouped for the player.
std::string FindingKindName(FindingKind kind);
std::string SeverityName(Severity severity);  // "problem", "warning", "note"

struct Finding {
    FindingKind Kind;
    Severity Level;
    std::string Subject;             // the sim, household or file concerned, as the player knows it
    std::string Explanation;         // one line, plain words
    bool Mendable = false;           // MendSafeProblems takes it away
    const Character* Sim = nullptr;  // the loaded sim concerned, if one is
};

struct HealthReport {
    std::vector<Finding> Findings;  // in a stable order: by kind, then as found
    // Who exists, as the files said: the numbers of the package's sim descriptions (what ties and
    // relationships name) and every GUID of a character package or a description.
    std::set<std::uint16_t> DescribedNumbers;
    std::set<FourBytes> KnownGuids;
    std::size_t Count(Severity level) const;
    bool HasProblem() const { return Count(Severity::Problem) > 0; }
};

// Files done of files to read, as the check goes on.
using HealthProgress = std::function<void(std::size_t done, std::size_t total)>;

// Checks the records of the loaded neighborhood and reads its files again (the neighborhood
// package and every character package of its Characters folder) for what loading passes over.
HealthReport CheckNeighborhood(const LoadedNeighborhood& state,
                               const HealthProgress& progress = {});

}  // namespace kinloom
