#include "core/records/BodyProperties.h"

namespace kinloom {

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
