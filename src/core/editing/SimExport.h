#pragma once
// Every sim of a loaded neighborhood as one table for spreadsheets and scripts: one row per sim in
// list order, the columns Label and Household, then every field of CharacterFields() as show
// gives it, then Storable (the fields a save would write back for the sim), then the readable
// companions of ReadableFields() (names and units as the window shows them).

#include <ostream>
#include <string>
#include <vector>

#include "core/editing/LoadedNeighborhood.h"
#include "core/editing/SimCell.h"

namespace kinloom {

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

// The sim's readable companions as one JSON object, keys in order and values exactly as the JSON
// export writes them: show appends them to its record, so the two always agree.
std::string ReadableFieldsJson(const Character& sim);

}  // namespace kinloom
