// Hostile Wine registry files: reading is bounded, never crashes, and whatever a file yields is
// found again through the prefix reader's lookups.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/platform/WineRegistry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kinloom;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    MemoryRegistry parsed;
    ParseWineRegistry(text, RegistryRoot::LocalMachine, parsed);

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
    return 0;
}
