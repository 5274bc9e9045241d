#pragma once
// The registry of a Wine prefix, read from the text files Wine keeps it in: system.reg (the local
// machine) and user.reg (the current user). Read only; Kinloom never writes a prefix's registry.

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/MemoryRegistry.h"

namespace kinloom {

// The keys a reading keeps: each subtree named, with every key below it, names compared as
// lookups compare them. A prefix's registry holds megabytes of other programs' keys; a reader
// that knows which keys it will look up keeps only those (the keys above them exist as ever)
// and finds no other key or value. A filter naming no subtree keeps every key.
class RegistryKeyFilter {
public:
    RegistryKeyFilter() = default;
    RegistryKeyFilter(std::initializer_list<std::string_view> subtrees);
    void Add(std::string_view subtree);
    const std::vector<std::string>& Subtrees() const { return subtrees_; }  // normalized
    // Whether a key, in the form NormalizeRegistryKey gives, lies in a subtree kept.
    bool Keeps(std::string_view normalizedKey) const;

private:
    std::vector<std::string> subtrees_;  // normalized
};

// Reads one registry file's text ("WINE REGISTRY Version 2") into the keys of root, keeping only
// the keys keep keeps. String values are kept; every other value type is passed over. A damaged
// or cut file is read up to its first line that is not well-formed and the rest is ignored, the
// lines of keys not kept included. Returns whether the whole text was well-formed.
bool ParseWineRegistry(std::string_view text, RegistryRoot root, MemoryRegistry& into,
                       const RegistryKeyFilter& keep = {});

class WineRegistry : public GameRegistry {
public:
    WineRegistry() = default;
    // Keeps only the keys keep keeps, each subtree under Software\ also under
    // Software\Wow6432Node\, where lookups look for it too.
    explicit WineRegistry(const RegistryKeyFilter& keep);
    // Reads prefix/system.reg and prefix/user.reg, keeping the keys keep keeps (as the
    // constructor); a file that is missing or cannot be read leaves its root empty.
    static WineRegistry FromPrefix(const std::filesystem::path& prefix,
                                   const RegistryKeyFilter& keep = {});

    // Adds the keys of one registry file's text under root.
    void Load(RegistryRoot root, std::string_view text) {
        ParseWineRegistry(text, root, keys_, keep_);
    }

    // A key asked for under Software\ is also found under Software\Wow6432Node\, where a 64-bit
    // prefix keeps the keys of 32-bit programs such as the game.
    bool KeyExists(RegistryRoot root, std::string_view key) const override;
    std::optional<std::string> ReadString(RegistryRoot root, std::string_view key,
                                          std::string_view name) const override;

private:
    RegistryKeyFilter keep_;
    MemoryRegistry keys_;
};

}  // namespace kinloom
