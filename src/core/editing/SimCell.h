#pragma once
// One value of a sim as the exports and show give it: typed, so a spreadsheet and a script each
// get numbers as numbers and identifiers as text.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace kinloom {

// A 4- or 2-byte identifier or bit set: its hex digits in stored byte order, as FieldText gives
// them and set takes them.
struct HexDigits {
    std::string Digits;
    bool operator==(const HexDigits&) const = default;
};

// A number with a fraction, written exactly as the window writes it ("2.5", "5", "0.07"): a
// binary floating value would turn 0.07 days into 0.07000000000000001.
struct Decimal {
    std::string Digits;
    bool operator==(const Decimal&) const = default;
};

// One cell. Text is always well-formed UTF-8 (names are the game's bytes; what is not UTF-8 reads
// as U+FFFD). The list is the Storable column's field names.
using SimCell =
    std::variant<std::int64_t, bool, HexDigits, Decimal, std::string, std::vector<std::string>>;

}  // namespace kinloom
