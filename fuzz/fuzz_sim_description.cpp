// Hostile sim descriptions: reading is bounded, and a description read into a sim and written back
// keeps its size and reads back with the sim's values.
#include <cstddef>
#include <cstdint>

#include "core/platform/Messages.h"
#include "core/records/SimDescription.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kinloom;
    ByteView bytes(data, size);
    SilentMessages messages;

    // The sim the description claims to be, so its fields are read whenever they are there.
    Character sim;
    if (size >= 6) {
        const auto version = static_cast<std::uint16_t>(data[4] | (data[5] << 8));
        const auto guidAt = SimDescriptionGuidOffset(version);
        if (guidAt && *guidAt + 4 <= size)
            for (std::size_t i = 0; i < 4; ++i) sim.GUID[i] = data[*guidAt + i];
    }
    bool read = false;
    try {
        read = ReadSimDescription(bytes, sim, messages);
    } catch (const ReadError&) {
    }

    Bytes image(data, data + size);
    sim.Modified = true;
    sim.Nice = static_cast<std::int16_t>(sim.Nice ^ 0x1234);
    sim.Career[0] = static_cast<std::uint8_t>(sim.Career[0] + 1);
    const Character* sims[] = {&sim};
    WriteSimDescription(image, sims);
    if (image.size() != size) __builtin_trap();
    if (!read) return 0;

    Character again;
    again.GUID = sim.GUID;
    if (!ReadSimDescription(image, again, messages)) __builtin_trap();
    if (again.Nice != sim.Nice || again.Career != sim.Career) __builtin_trap();
    return 0;
}
