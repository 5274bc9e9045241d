#pragma once
// Read-only access to the game's registry keys. The game never learns that Kinloom looked: keys are
// opened without creating them and nothing is written. Key paths are given as the program has
// always named them ("\Software\EA GAMES\The Sims 2"); a leading backslash is optional, and key
// and value names compare without regard to case, as the registry itself does.

#include <optional>
#include <string>
#include <string_view>

namespace kinloom {

enum class RegistryRoot { LocalMachine, CurrentUser };

class GameRegistry {
public:
    virtual ~GameRegistry() = default;
    // Whether the key exists under root (it is never created).
    virtual bool KeyExists(RegistryRoot root, std::string_view key) const = 0;
    // A string value of the key as UTF-8; nullopt when the key or the value is missing or the
    // value is not a string.
    virtual std::optional<std::string> ReadString(RegistryRoot root, std::string_view key,
                                                  std::string_view name) const = 0;
};

// The form lookups compare: ASCII letters lower-cased, backslashes at both ends removed and runs
// of backslashes taken as one separator.
std::string NormalizeRegistryKey(std::string_view key);
std::string LowerAscii(std::string_view text);

}  // namespace kinloom
