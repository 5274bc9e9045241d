#pragma once
// RefPack (QFS) compressed entries. The program only ever decompresses: every package it writes
// holds plain entries and no directory of compressed entries.

#include <filesystem>
#include <stdexcept>

#include "core/packages/Package.h"

namespace kinloom {

class Messages;
class AtomicFileWriter;

// An entry whose content cannot be decoded completely and correctly.
class DecompressionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Whether the stored bytes of an entry are compressed: bytes 4 and 5 are 10 FB and the size they
// announce (bytes 6..8, big-endian) differs from the stored size.
bool IsCompressedEntry(ByteView stored);

// Appends the plain content of entry to destination. Returns false (after showing
// "Decompression Error") when the decoded size differs from the announced one. Throws ReadError
// when the entry runs past the end of the package, a code is cut short, or a back-reference
// reaches before the start of the output; destination is then left as it was.
bool DecompressEntry(ByteView package, const PackageIndexEntry& entry, Bytes& destination,
                     Messages& messages);

// Decodes a compressed entry's stored bytes (header included), appending to destination.
// Returns false when the output size differs from the announced size. Throws ReadError as
// DecompressEntry does, leaving destination as it was.
bool DecodeRefPack(ByteView stored, Bytes& destination);

// The image of a package with every entry plain and the directory of compressed entries removed.
// Throws IndexError (index not in the 20- or 24-byte form), ReadError or DecompressionError (an
// entry that does not decode completely); nothing partial is ever returned.
PackageImage DecompressPackageImage(ByteView package, Messages& messages);

// Rewrites the package file with every entry plain. On any failure the file is left exactly as it
// was and the error is thrown to the caller, which names the file in its own message.
void DecompressPackage(const std::filesystem::path& path, Messages& messages,
                       AtomicFileWriter* writer = nullptr);

}  // namespace kinloom
