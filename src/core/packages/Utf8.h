#pragma once
// Names are kept as the UTF-8 bytes the game stores; these convert to and from the 16-bit
// characters the window shows and the user types.

#include <string>
#include <string_view>

namespace kinloom {

// As the game's text is decoded: 1-, 2- and 3-byte forms, continuation bytes not checked, an
// incomplete sequence at the end dropped; then surrounding blanks trimmed.
std::u16string DecodeUtf8(std::string_view bytes);

// What the user types is stored as UTF-8.
std::string EncodeUtf8(std::u16string_view text);

}  // namespace kinloom
