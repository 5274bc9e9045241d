#pragma once
// Assembling the demo's packages entry by entry, and the small resource formats the demo writes
// that the editor itself only reads (property sets, text lists in chosen languages).

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/packages/Package.h"
#include "core/packages/PropertySet.h"

namespace kinloom {

inline constexpr std::uint32_t kDemoGroup = 0xFFFFFFFF;

class DemoPackage {
public:
    explicit DemoPackage(int entrySize = 24) : entrySize_(entrySize) {}

    // compressed: stored QFS-compressed and listed in the directory of compressed entries,
    // which Build() appends as the last entry when there is any.
    DemoPackage& Add(std::uint32_t type, std::uint32_t instance, Bytes content,
                     bool compressed = false, std::uint32_t group = kDemoGroup);
    Bytes Build() const;

private:
    struct Entry {
        std::uint32_t Type, Group, Instance;
        Bytes Content;
        bool Compressed;
    };
    int entrySize_;
    std::vector<Entry> entries_;
};

// A binary property set holding the properties in order (Number, Text and Opaque values).
Bytes DemoPropertySet(const std::vector<Property>& properties);
inline Property TextProperty(std::string name, std::string text) {
    return {std::move(name), valuetypes::Text, 0, std::move(text)};
}
inline Property NumberProperty(std::string name, std::uint32_t number) {
    return {std::move(name), valuetypes::Number, number, {}};
}
// A text list of (language, value) entries, each with an empty description.
Bytes DemoTextList(const std::vector<std::pair<int, std::string>>& strings);

}  // namespace kinloom
