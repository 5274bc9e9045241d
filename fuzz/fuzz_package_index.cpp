// Hostile package bytes: listing, rewriting and whole-package decompression never crash.
#include <cstddef>
#include <cstdint>

#include "core/packages/Compression.h"
#include "core/platform/FileIO.h"
#include "core/platform/Messages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kinloom;
    ByteView bytes(data, size);
    SilentMessages messages;
    try {
        EntryList entries;
        ReadIndex(bytes, entries);
        PackageImage image = DecompressPackageImage(bytes, messages);
        // The rewritten image must list again, in the same form, the entries it claims.
        EntryList relisted;
        if (ReadIndex(image.Data, relisted) != image.EntrySize || relisted != image.Entries)
            __builtin_trap();
    } catch (const ReadError&) {
    } catch (const IndexError&) {
    } catch (const DecompressionError&) {
    }
    return 0;
}
