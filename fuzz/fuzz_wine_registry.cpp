// Hostile Wine registry files: reading is bounded, never crashes, and whatever a file yields is
// found again through the prefix reader's lookups. A reading that keeps only some keys stops at
// the same line and finds the same in the keys it keeps.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/platform/WineRegistry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kinloom;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    MemoryRegistry parsed;
    const bool wellFormed = ParseWineRegistry(text, RegistryRoot::LocalMachine, parsed);

    WineRegistry registry;
    registry.Load(RegistryRoot::CurrentUser, text);
    for (std::string_view key :
         {"Software\\EA GAMES\\The Sims 2", "Software\\Wow6432Node", "K",
          "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"}) {
        const bool direct = parsed.KeyExists(RegistryRoot::LocalMachine, key);
        if (direct && !registry.KeyExists(RegistryRoot::CurrentUser, key)) __builtin_trap();
        for (std::string_view name : {"", "DisplayName", "Personal", "V"}) {
            auto a = parsed.ReadString(RegistryRoot::LocalMachine, key, name);
            auto b = registry.ReadString(RegistryRoot::CurrentUser, key, name);
            if (a && (!b || *a != *b)) __builtin_trap();
        }
    }

    MemoryRegistry kept;
    const RegistryKeyFilter keep{"Software\\EA GAMES", "K"};
    if (ParseWineRegistry(text, RegistryRoot::LocalMachine, kept, keep) != wellFormed)
        __builtin_trap();
    for (std::string_view key : {"Software\\EA GAMES", "Software\\EA GAMES\\The Sims 2", "K",
                                 "K\\L", "Software\\Wow6432Node", "Kx"}) {
        const bool inside = keep.Keeps(NormalizeRegistryKey(key));
        const bool all = parsed.KeyExists(RegistryRoot::LocalMachine, key);
        const bool some = kept.KeyExists(RegistryRoot::LocalMachine, key);
        if (inside ? all != some : some) __builtin_trap();
        for (std::string_view name : {"", "DisplayName", "V"}) {
            auto a = parsed.ReadString(RegistryRoot::LocalMachine, key, name);
            auto b = kept.ReadString(RegistryRoot::LocalMachine, key, name);
            if (inside ? a != b : b.has_value()) __builtin_trap();
        }
    }
    return 0;
}
