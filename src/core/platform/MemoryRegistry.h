#pragma once
// A registry held in memory: what tests lay out, and what an empty platform answers.

#include <map>
#include <set>
#include <string>
#include <utility>

#include "core/platform/GameRegistry.h"

namespace kinloom {

class MemoryRegistry : public GameRegistry {
public:
    // Creates the key and every key above it.
    MemoryRegistry& AddKey(RegistryRoot root, std::string_view key);
    // Creates the key (as AddKey) and stores a string value in it.
    MemoryRegistry& SetString(RegistryRoot root, std::string_view key, std::string_view name,
                              std::string value);

    bool KeyExists(RegistryRoot root, std::string_view key) const override;
    std::optional<std::string> ReadString(RegistryRoot root, std::string_view key,
                                          std::string_view name) const override;

private:
    using KeyName = std::pair<RegistryRoot, std::string>;
    std::set<KeyName> keys_;
    std::map<KeyName, std::map<std::string, std::string>> values_;
};

}  // namespace kinloom
