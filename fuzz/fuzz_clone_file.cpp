// Hostile clone files: reading is bounded, and a file that reads at all can be taken over whole.
#include <cstddef>
#include <cstdint>

#include "core/cloning/CloneFile.h"
#include "core/cloning/Cloning.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kinloom;
    ByteView bytes(data, size);
    HoldsCompleteBody(bytes);
    try {
        const CloneContents clone = ReadCloneFile(bytes);
        Character target;
        DNA dna;
        ApplyClone(clone, CloneGroups::All(), target, &dna);
        if (clone.Genes && !dna.Modified) __builtin_trap();
    } catch (const CloneFileError&) {
    }
    return 0;
}
