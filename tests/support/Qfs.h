#pragma once
// A small, correct RefPack (QFS) compressor used only to build compressed test fixtures and
// benchmark inputs. The program itself never compresses.

#include "core/packages/ByteReader.h"

namespace kinloom::test {

// The stored content of a compressed entry: 4-byte total length, 10 FB, 3-byte big-endian
// uncompressed size, then codes ending with a stop code. plain must be shorter than 16 MiB.
Bytes QfsCompress(ByteView plain);

// Hand-made streams: the 9-byte header announcing `announced` bytes, followed by codes.
Bytes QfsStream(std::uint32_t announced, const Bytes& codes);

}  // namespace kinloom::test
