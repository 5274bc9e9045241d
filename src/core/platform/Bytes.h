#pragma once
// The byte types every layer shares: an owned run of file bytes and a view into one.

#include <cstdint>
#include <span>
#include <vector>

namespace kinloom {

using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;

}  // namespace kinloom
