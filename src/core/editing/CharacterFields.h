#pragma once
// Every field of the Character record by its name: for the command-line tool's show and set,
// and anywhere a field must be named from text. Values are given and taken as text: numbers in
// decimal, 4- and 2-byte identifiers and bit sets as hex digits in stored byte order, names as
// their UTF-8 bytes.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/records/Character.h"

namespace kinloom {

// Int16 is also used for the 16-bit body properties, held unsigned but shown signed (an unread
// age is -1).
enum class FieldKind { Int16, UInt16, UInt32, Four, Two, Text, Flag, Path };

// Where a field lives on disk, and so what a save can do with it.
enum class FieldHome {
    Description,    // the sim description; whether a save writes it depends on its version
    NameList,       // the character package's name list
    SimProperties,  // the character package's body property set
    Record,         // only in memory: derived from the files or the program's own bookkeeping
};

struct CharacterField {
    const char* Name;
    FieldKind Kind;
    std::variant<std::int16_t Character::*, std::uint16_t Character::*, std::uint32_t Character::*,
                 FourBytes Character::*, TwoBytes Character::*, std::string Character::*,
                 bool Character::*, std::filesystem::path Character::*>
        Member;
    FieldHome Home;
};

std::span<const CharacterField> CharacterFields();
const CharacterField* FindCharacterField(std::string_view name);
// The field a 16-bit member of the record is; nullptr for a member the table does not name.
const CharacterField* FindCharacterField(std::int16_t Character::*member);

std::string FieldText(const Character& sim, const CharacterField& field);

// Whether any save ever writes the field back (for some sim and description version). Fields
// that are not, such as Species or OutfitSourceGUID, cannot be set.
bool EverStored(const CharacterField& field);

// Parses value for the field and stores it; the error text when the value does not fit the
// field or no save ever writes the field (nothing is stored then).
std::optional<std::string> SetFieldText(Character& sim, const CharacterField& field,
                                        std::string_view value);

// Why a save would not write this field of this sim, naming the field; nullopt when it would.
// Depends on the sim's files: its description (and that description's version), its name list,
// its body property set.
std::optional<std::string> WhyNotStorable(const Character& sim, const CharacterField& field);

// Every field that differs between before and after and that a save of after would not write,
// each with its reason; the program's own bookkeeping (flags, the body source) is not counted.
// Empty when every change reaches the files.
std::vector<std::string> UnstorableChanges(const Character& before, const Character& after);

// Takes back every change from before to after that a save would not write (the fields
// UnstorableChanges names), so that what after holds is what a save keeps. Returns the names of
// the fields taken back, in table order.
std::vector<std::string> KeepStorableChanges(const Character& before, Character& after);

}  // namespace kinloom
