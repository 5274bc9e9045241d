// Hostile household entries: reading is bounded, an unchanged household writes back identical
// bytes, and a member added grows the entry by exactly four bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "core/records/Household.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kinloom;
    ByteView bytes(data, size);
    Household household;
    try {
        ReadHousehold(bytes, household);
    } catch (const ReadError&) {
        try {
            WriteHousehold(bytes, household);
        } catch (const ReadError&) {
            return 0;
        }
        __builtin_trap();  // what cannot be read must not be written either
    }
    const Bytes same = WriteHousehold(bytes, household);
    if (same.size() != size || !std::equal(same.begin(), same.end(), data)) __builtin_trap();

    household.Cash = ~household.Cash;
    household.Members.push_back(FourBytes{1, 2, 3, 4});
    const Bytes grown = WriteHousehold(bytes, household);
    if (grown.size() != size + 4) __builtin_trap();
    Household reread;
    ReadHousehold(grown, reread);
    if (reread.Members != household.Members || reread.Cash != household.Cash) __builtin_trap();
    return 0;
}
