// Hostile compressed entries: decoding is bounded and never reads or writes out of range.
#include <cstddef>
#include <cstdint>

#include "core/packages/Compression.h"
#include "core/platform/Messages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kinloom;
    if (size > 0xFFFFFFFFu) return 0;
    ByteView bytes(data, size);
    SilentMessages messages;
    PackageIndexEntry entry{types::SimDescription, 0, 0, 0, 0, static_cast<std::uint32_t>(size)};
    Bytes out{1, 2, 3};
    try {
        bool ok = DecompressEntry(bytes, entry, out, messages);
        if (ok && IsCompressedEntry(bytes)) {
            const std::size_t announced =
                (std::size_t{data[6]} << 16) | (std::size_t{data[7]} << 8) | data[8];
            if (out.size() != announced + 3) __builtin_trap();
        }
    } catch (const ReadError&) {
    }
    return 0;
}
