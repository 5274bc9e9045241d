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

std::string TrimBytes(std::string_view bytes);

}  // namespace kinloom
