#pragma once
// The registry of a Wine prefix, read from the text files Wine keeps it in: system.reg (the local
// machine) and user.reg (the current user). Read only; Kinloom never writes a prefix's registry.

#include <filesystem>
#include <string_view>

#include "core/platform/MemoryRegistry.h"

namespace kinloom {

// Reads one registry file's text ("WINE REGISTRY Version 2") into the keys of root. String values
// are kept; every other value type is passed over. A damaged or cut file is read up to its first
// line that is not well-formed and the rest is ignored. Returns whether the whole text was
// well-formed.
bool ParseWineRegistry(std::string_view text, RegistryRoot root, MemoryRegistry& into);

class WineRegistry : public GameRegistry {
public:
    WineRegistry() = default;
    // Reads prefix/system.reg and prefix/user.reg; a file that is missing or cannot be read leaves
    // its root empty.
    static WineRegistry FromPrefix(const std::filesystem::path& prefix);

    // Adds the keys of one registry file's text under root.
    void Load(RegistryRoot root, std::string_view text) { ParseWineRegistry(text, root, keys_); }

    // A key asked for under Software\ is also found under Software\Wow6432Node\, where a 64-bit
    // prefix keeps the keys of 32-bit programs such as the game.
    bool KeyExists(RegistryRoot root, std::string_view key) const override;
    std::optional<std::string> ReadString(RegistryRoot root, std::string_view key,
                                          std::string_view name) const override;

private:
    MemoryRegistry keys_;
};

}  // namespace kinloom
