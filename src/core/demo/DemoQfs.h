#pragma once
// A small RefPack (QFS) compressor for the demo user-data folder and for test fixtures. The
// editor itself never compresses: packages it writes are always plain. The demo stores some
// entries compressed so that every path of the reader is exercised on real-looking data.

#include "core/packages/ByteReader.h"

namespace kinloom {

// The stored content of a compressed entry: 4-byte total length, 10 FB, 3-byte big-endian
// uncompressed size, then codes ending with a stop code. plain must be shorter than 16 MiB
// (std::invalid_argument otherwise). The result may happen to be as long as plain; a package
// must then lengthen it (DemoStoredCompressed does), or the entry would read as plain.
Bytes DemoCompress(ByteView plain);

// DemoCompress, lengthened by a skipped FC code when its size equals the plain size, so the
// stored entry always reads as compressed.
Bytes DemoStoredCompressed(ByteView plain);

}  // namespace kinloom
