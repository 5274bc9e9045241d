#pragma once
// The readable companions of stored fields, for show and the exports: where a sim description
// stores a code (an aspiration bit set, a career id) or a number in another unit (vacation days in
// hundredths, reward points over ten), the companion gives the name or number the window shows
// for it, from the same tables the pages use.
//
// A companion is named after the field it reads with one suffix: "Name" for a name from the
// window's lists (CareerName), "Shown" for a number in the unit the window shows (PTOShown is
// days). A name is empty when the tables have no entry for the stored value (a career a mod
// added, a grade past "A+"): the stored value beside it is then the only truth.

#include <span>

#include "core/editing/SimCell.h"
#include "core/records/Character.h"

namespace kinloom {

struct ReadableField {
    const char* Name;                        // "CareerName"
    const char* Stored;                      // the CharacterFields() name it reads: "Career"
    SimCell (*Value)(const Character& sim);  // a text for a Name, a number for a Shown
};

// In the order of the stored fields they read.
std::span<const ReadableField> ReadableFields();

}  // namespace kinloom
