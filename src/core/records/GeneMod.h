#pragma once
// One custom gene found in the player's downloaded packages: a hair tone, skin tone or eye
// overlay that the genetics lists offer after the game's own colours.

#include <cstdint>
#include <filesystem>
#include <string>

namespace kinloom {

struct GeneMod {
    std::string TypeId;                // type id text of the gene resource: hair, skin or eyes
    std::string Family;                // the gene's identifier; the value genes store
    std::filesystem::path SourceFile;  // the package it came from
    std::string GeneName;              // shown after "* " in the lists (UTF-8 bytes as stored)
    std::uint16_t ListIndex = 0;       // its entry's position in the lists of its kind
};

}  // namespace kinloom
