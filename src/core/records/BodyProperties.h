#pragma once
// The body property set keeps its own age and gender codes beside the description's: these are
// the one place that says which body code goes with which description value.

#include <array>
#include <cstdint>
#include <optional>

#include "core/packages/Package.h"
#include "core/records/Character.h"

namespace kinloom {

// The entry types that make up a sim's body, exchanged whole when a sim takes another's body; a
// package can give a body only when it holds every one of them.
inline constexpr std::array<std::uint32_t, 9> kBodyEntryTypes = {
    types::SimProperties, 0xAC506764, 0xEBCF3E27, types::BodyPresence, 0xAC4F8687,
    0x7BA3838C,           0x49596978, 0xE519C933, 0xFC6EB1F7};

bool IsBodyEntryType(std::uint32_t type);
// Whether a package's listed entries hold every body entry type, each lying inside the package.
bool ListsCompleteBody(const EntryList& entries, ByteView package);

// The body's age code for a description's life stage; nullopt keeps the one the sim has.
std::optional<std::uint16_t> PropertyAgeFor(std::int16_t ages);
// The body's gender code for a description's gender (male 0 → 2, female 1 → 1); nullopt keeps
// the one the sim has.
std::optional<std::uint16_t> PropertyGenderFor(std::int16_t gender);
// Gives the sim a gender in its description and, where one goes with it, in its body.
void SetGender(Character& sim, std::int16_t gender);

}  // namespace kinloom
