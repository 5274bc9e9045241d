#pragma once
// Names are kept as the UTF-8 bytes the game stores; these convert to and from the 16-bit
// characters the window shows and the user types.

#include <string>
#include <string_view>

namespace kinloom {

// As the game's text is decoded: 1-, 2-, 3- and 4-byte forms by their lead byte (11110xxx leads
// a 4-byte form, whose character beyond the 16-bit range becomes a surrogate pair; every other
// lead from 0x80 up that is not 110xxxxx leads a 3-byte form), continuation bytes not checked,
// an incomplete sequence at the end dropped; then surrounding blanks trimmed. A 4-byte form
// beyond U+10FFFF reads as U+FFFD.
std::u16string DecodeUtf8(std::string_view bytes);

// What the user types is stored as standard UTF-8: a surrogate pair becomes one 4-byte form. A
// lone surrogate, which no UTF-8 can hold, is written as U+FFFD.
std::string EncodeUtf8(std::u16string_view text);

// The bytes as well-formed UTF-8 for writing out: every well-formed character is kept as it is,
// and each ill-formed piece (a stray continuation byte, a form cut short, an overlong form, a
// surrogate, anything beyond U+10FFFF) becomes one U+FFFD, the longest piece that could still
// have begun a character counting as one. Unlike DecodeUtf8 nothing is trimmed or dropped.
std::string ValidUtf8(std::string_view bytes);

}  // namespace kinloom
