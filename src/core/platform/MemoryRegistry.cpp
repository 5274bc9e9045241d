#include "core/platform/MemoryRegistry.h"

namespace kinloom {

std::string LowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

std::string NormalizeRegistryKey(std::string_view key) {
    std::string out;
    out.reserve(key.size());
    for (char c : key) {
        if (c == '\\') {
            if (!out.empty() && out.back() != '\\') out.push_back('\\');
        } else {
            out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
        }
    }
    if (!out.empty() && out.back() == '\\') out.pop_back();
    return out;
}

MemoryRegistry& MemoryRegistry::AddKey(RegistryRoot root, std::string_view key) {
    std::string path = NormalizeRegistryKey(key);
    while (!path.empty()) {
        keys_.insert({root, path});
        std::size_t cut = path.rfind('\\');
        path.resize(cut == std::string::npos ? 0 : cut);
    }
    return *this;
}

MemoryRegistry& MemoryRegistry::SetString(RegistryRoot root, std::string_view key,
                                          std::string_view name, std::string value) {
    AddKey(root, key);
    values_[{root, NormalizeRegistryKey(key)}][LowerAscii(name)] = std::move(value);
    return *this;
}

bool MemoryRegistry::KeyExists(RegistryRoot root, std::string_view key) const {
    return keys_.count({root, NormalizeRegistryKey(key)}) != 0;
}

std::optional<std::string> MemoryRegistry::ReadString(RegistryRoot root, std::string_view key,
                                                      std::string_view name) const {
    auto k = values_.find({root, NormalizeRegistryKey(key)});
    if (k == values_.end()) return std::nullopt;
    auto v = k->second.find(LowerAscii(name));
    if (v == k->second.end()) return std::nullopt;
    return v->second;
}

}  // namespace kinloom
