#include "core/records/BodyProperties.h"

#include <algorithm>

#include "core/packages/ByteReader.h"

namespace kinloom {

bool IsBodyEntryType(std::uint32_t type) {
    return std::find(kBodyEntryTypes.begin(), kBodyEntryTypes.end(), type) != kBodyEntryTypes.end();
}

bool ListsCompleteBody(const EntryList& entries, ByteView package) {
    try {
        for (std::uint32_t type : kBodyEntryTypes) {
            const PackageIndexEntry* e = FindFirst(entries, type);
            if (e == nullptr) return false;
            StoredBytes(package, *e);
        }
    } catch (const ReadError&) {
        return false;
    }
    return true;
}

std::optional<std::uint16_t> PropertyAgeFor(std::int16_t ages) {
    switch (ages) {
        case 1:
            return 32;
        case 2:
            return 1;
        case 3:
            return 2;
        case 16:
            return 4;
        case 19:
            return 8;
        case 51:
            return 16;
        default:
            return std::nullopt;
    }
}

std::optional<std::uint16_t> PropertyGenderFor(std::int16_t gender) {
    switch (gender) {
        case 0:
            return 2;
        case 1:
            return 1;
        default:
            return std::nullopt;
    }
}

void SetGender(Character& sim, std::int16_t gender) {
    sim.Gender = gender;
    if (auto body = PropertyGenderFor(gender)) sim.PropertyGender = *body;
}

}  // namespace kinloom
