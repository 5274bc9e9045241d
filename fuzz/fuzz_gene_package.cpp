// Hostile custom-content packages: reading a gene never runs past the package, and whatever it
// yields is a gene the lists can use.
#include <cstddef>
#include <cstdint>

#include "core/editing/GeneMods.h"
#include "core/editing/GeneTables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kinloom;
    ByteView bytes(data, size);
    try {
        ReadGeneResource(bytes);
    } catch (const ReadError&) {
    }
    try {
        const std::optional<GeneMod> gene = ReadGenePackage(bytes, "fuzz.package");
        if (gene && (gene->Family.empty() || !GeneKindOf(gene->TypeId))) __builtin_trap();
    } catch (const ReadError&) {
    }
    return 0;
}
