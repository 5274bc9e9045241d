// Hostile family-ties entries: reading is bounded and never appends a partial list, and the
// written form reads back to ties that write the same bytes again.
#include <cstddef>
#include <cstdint>

#include "core/records/FamilyTies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kinloom;
    ByteView bytes(data, size);
    std::vector<FamilyTie> ties{{1, 2, 3}};
    try {
        ReadFamilyTies(bytes, ties);
    } catch (const ReadError&) {
        if (ties.size() != 1) __builtin_trap();
        return 0;
    }
    const Bytes written = WriteFamilyTies(ties);
    std::vector<FamilyTie> again;
    ReadFamilyTies(written, again);
    if (again.size() != ties.size() || WriteFamilyTies(again) != written) __builtin_trap();
    return 0;
}
