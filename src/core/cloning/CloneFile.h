#pragma once
// Clone files: one sim's attributes, grouped, plus copies of its body entries, in a package that
// another sim (in this or another neighborhood) can take them over from. Writing builds the whole
// image in memory; reading checks the whole file before anything is taken from it, so a damaged
// clone is refused without changing a sim.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>

#include "core/packages/Package.h"
#include "core/records/BodyProperties.h"
#include "core/records/Character.h"
#include "core/records/DNA.h"

namespace kinloom {

// The entry type of attribute groups ("4B4C4F4E").
inline constexpr std::uint32_t kCloneGroupType = 0x4B4C4F4E;

// Attribute group numbers, in the order they are written.
namespace clonegroups {
inline constexpr std::uint32_t Personality = 1;
inline constexpr std::uint32_t Aspiration = 2;
inline constexpr std::uint32_t Skills = 3;
inline constexpr std::uint32_t Interests = 4;
inline constexpr std::uint32_t Job = 5;
inline constexpr std::uint32_t Character = 6;
inline constexpr std::uint32_t FirstName = 7;
inline constexpr std::uint32_t LastName = 8;
inline constexpr std::uint32_t Description = 9;
inline constexpr std::uint32_t University = 256;
inline constexpr std::uint32_t Genes = 260;
inline constexpr std::uint32_t Attraction = 258;
inline constexpr std::uint32_t Hobbies = 261;
inline constexpr std::uint32_t Needs = 262;
}  // namespace clonegroups

// Whether a package held in memory lists every body entry type, each lying inside the file.
// A package whose index cannot be listed offers no body.
bool HoldsCompleteBody(ByteView package);

// A clone file that cannot be taken over: its index, an entry or a group's content is damaged.
class CloneFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The clone image of a sim: header, every attribute group (Aspiration left out when the game
// has Free Time; genes only with a genetics record), then the body entries of its character
// package (plain, in index order) and the index in that package's entry form. Throws IndexError
// when the character package's index cannot be listed, ReadError when an entry lies outside it,
// CloneFileError when a value cannot be stored in the clone's form.
Bytes BuildCloneImage(const Character& sim, const DNA* dna, ByteView plainCharacterPackage,
                      bool hasFreeTime, int gameLanguage);

// The gene strings of a clone, in the order they are stored: the 16 genetics strings in record
// order, then skin, hair and eye colour.
using CloneGenes = std::array<std::string, 19>;

// Everything a clone file offers, read and checked whole. A group's bytes are held only when they
// are long enough for its layout, so taking a value from them cannot fail.
struct CloneContents {
    std::map<std::uint32_t, Bytes> Groups;  // fixed-layout groups by number
    std::optional<std::string> FirstName, LastName, Description;
    std::optional<CloneGenes> Genes;  // absent when missing or empty
    bool HasBody = false;             // every body entry type is present
};

// Reads a clone file held in memory. Throws CloneFileError (with a plain account of what is
// wrong) when any attribute group or body entry cannot be read completely.
CloneContents ReadCloneFile(ByteView file);

}  // namespace kinloom
