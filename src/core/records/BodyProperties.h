#pragma once
// The body property set keeps its own age and gender codes beside the description's: these are
// the one place that says which body code goes with which description value.

#include <cstdint>
#include <optional>

#include "core/records/Character.h"

namespace kinloom {

// The body's age code for a description's life stage; nullopt keeps the one the sim has.
std::optional<std::uint16_t> PropertyAgeFor(std::int16_t ages);
// The body's gender code for a description's gender (male 0 → 2, female 1 → 1); nullopt keeps
// the one the sim has.
std::optional<std::uint16_t> PropertyGenderFor(std::int16_t gender);
// Gives the sim a gender in its description and, where one goes with it, in its body.
void SetGender(Character& sim, std::int16_t gender);

}  // namespace kinloom
