#pragma once
// Text lists: names and descriptions stored once per game language.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/packages/ByteReader.h"

namespace kinloom {

// Strings are the raw (UTF-8) bytes as stored, trimmed of bytes <= 32 at both ends.
// nullopt when the content holds no FD FF marker (the caller keeps its previous values).
std::optional<std::vector<std::string>> ReadTextList(ByteView content, std::size_t wanted,
                                                     int gameLanguage);

enum class TextListShape { Pair, Sim };

// Pair: {name, description}; Sim: {first name, description, last name}.
Bytes WriteTextList(TextListShape shape, const std::vector<std::string>& strings, int gameLanguage);

// The stored list with the strings the player changed put in: a string whose text differs from
// what the list reads as for the game's language goes to language 1 and the game's language, and
// every other language's entry of that string is emptied, so the new text shows in every
// language. Every entry of the strings left alone, the name field and each entry's second text
// stay byte for byte; with nothing changed the result is the stored list itself. nullopt when
// the stored list cannot take the change in place (no FD FF marker, cut short, or without a
// language-1 entry for a changed string): the caller then writes the list whole.
std::optional<Bytes> UpdateTextList(ByteView stored, const std::vector<std::string>& strings,
                                    int gameLanguage);

// UpdateTextList, else the list written whole in the shape given.
Bytes SaveTextList(ByteView stored, TextListShape shape, const std::vector<std::string>& strings,
                   int gameLanguage);

std::string TrimBytes(std::string_view bytes);

}  // namespace kinloom
