#pragma once
// Every sim of a loaded neighborhood as one table for spreadsheets and scripts: one row per sim in
// list order, the columns Label and Household, then every field of CharacterFields() as show
// gives it, then Storable (the fields a save would write back for the sim).

#include <cstdint>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "core/editing/LoadedNeighborhood.h"

namespace kinloom {

// A 4- or 2-byte identifier or bit set: its hex digits in stored byte order, as FieldText gives
// them and set takes them.
struct HexDigits {
    std::string Digits;
    bool operator==(const HexDigits&) const = default;
};

// One cell. Text is always well-formed UTF-8 (names are the game's bytes; what is not UTF-8 reads
// as U+FFFD). The list is the Storable column's field names.
using SimCell = std::variant<std::int64_t, bool, HexDigits, std::string, std::vector<std::string>>;

struct SimTable {
    std::vector<std::string> Header;
    std::vector<std::vector<SimCell>> Rows;  // one per sim, as long as Header
};

SimTable SimExportTable(const LoadedNeighborhood& state);

// RFC 4180: UTF-8 without a byte order mark, a header row, commas, CRLF after every row.
// Identifiers are written "0x" and their digits so a spreadsheet keeps them as text; a text a
// spreadsheet would run as a formula gets a leading apostrophe. Returns whether the stream took
// everything.
bool WriteSimsCsv(const LoadedNeighborhood& state, std::ostream& out);

// An array of one object per sim, keys in column order: numbers as numbers, flags as true and
// false, identifiers and texts as strings exactly as show gives them, Storable as an array.
bool WriteSimsJson(const LoadedNeighborhood& state, std::ostream& out);

}  // namespace kinloom
