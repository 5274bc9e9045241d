#include "core/demo/DemoPackage.h"

#include <stdexcept>

#include "core/demo/DemoQfs.h"

namespace kinloom {

DemoPackage& DemoPackage::Add(std::uint32_t type, std::uint32_t instance, Bytes content,
                              bool compressed, std::uint32_t group) {
    entries_.push_back({type, group, instance, std::move(content), compressed});
    return *this;
}

Bytes DemoPackage::Build() const {
    if (entrySize_ != 20 && entrySize_ != 24) throw std::invalid_argument("index form 20 or 24");
    Bytes image(kPackageHeaderSize, 0);
    image[0] = 'D';
    image[1] = 'B';
    image[2] = 'P';
    image[3] = 'F';
    PutU32(image, 4, 1);                          // major version
    PutU32(image, 8, entrySize_ == 24 ? 2 : 1);   // minor version
    PutU32(image, 32, entrySize_ == 24 ? 2 : 7);  // index version as the game writes it

    EntryList index;
    Bytes directory;
    for (const Entry& e : entries_) {
        const Bytes stored = e.Compressed ? DemoStoredCompressed(e.Content) : e.Content;
        index.push_back({e.Type, e.Group, e.Instance, 0, static_cast<std::uint32_t>(image.size()),
                         static_cast<std::uint32_t>(stored.size())});
        image.insert(image.end(), stored.begin(), stored.end());
        if (!e.Compressed) continue;
        AppendU32(directory, e.Type);
        AppendU32(directory, e.Group);
        AppendU32(directory, e.Instance);
        if (entrySize_ == 24) AppendU32(directory, 0);
        AppendU32(directory, static_cast<std::uint32_t>(e.Content.size()));
    }
    if (!directory.empty()) {
        index.push_back({types::CompressedDirectory, 0xE86B1EEF, 0x286B1F03, 0,
                         static_cast<std::uint32_t>(image.size()),
                         static_cast<std::uint32_t>(directory.size())});
        image.insert(image.end(), directory.begin(), directory.end());
    }
    FinishPackageImage(image, index, entrySize_);
    return image;
}

Bytes DemoPropertySet(const std::vector<Property>& properties) {
    Bytes out;
    AppendU32(out, kPropertySetFormat);
    AppendU16(out, 0);
    AppendU32(out, static_cast<std::uint32_t>(properties.size()));
    for (const Property& p : properties) {
        AppendU32(out, p.ValueType);
        AppendU32(out, static_cast<std::uint32_t>(p.Name.size()));
        out.insert(out.end(), p.Name.begin(), p.Name.end());
        if (p.ValueType == valuetypes::Text) {
            AppendU32(out, static_cast<std::uint32_t>(p.Text.size()));
            out.insert(out.end(), p.Text.begin(), p.Text.end());
        } else {
            AppendU32(out, p.Number);
        }
    }
    return out;
}

Bytes DemoTextList(const std::vector<std::pair<int, std::string>>& strings) {
    Bytes out(64, 0);
    out.push_back(0xFD);
    out.push_back(0xFF);
    AppendU16(out, static_cast<std::uint16_t>(strings.size()));
    for (const auto& [language, value] : strings) {
        out.push_back(static_cast<std::uint8_t>(language));
        out.insert(out.end(), value.begin(), value.end());
        out.push_back(0);
        out.push_back(0);  // empty description
    }
    return out;
}

}  // namespace kinloom
