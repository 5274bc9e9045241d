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

#include "records/Character.h"

namespace kinloom {

enum class FieldKind { Int16, UInt16, UInt32, Four, Two, Text, Flag, Path };

struct CharacterField {
    const char* Name;
    FieldKind Kind;
    std::variant<std::int16_t Character::*, std::uint16_t Character::*, std::uint32_t Character::*,
                 FourBytes Character::*, TwoBytes Character::*, std::string Character::*,
                 bool Character::*, std::filesystem::path Character::*>
        Member;
    bool Settable;  // false for what the program derives or keeps for itself
};

std::span<const CharacterField> CharacterFields();
const CharacterField* FindCharacterField(std::string_view name);

std::string FieldText(const Character& sim, const CharacterField& field);

// Parses value for the field and stores it; the error text when the value does not fit the
// field (nothing is stored then).
std::optional<std::string> SetFieldText(Character& sim, const CharacterField& field,
                                        std::string_view value);

}  // namespace kinloom
