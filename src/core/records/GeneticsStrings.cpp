#include "core/records/GeneticsStrings.h"

#include <string_view>

namespace kinloom {

namespace {

struct Key {
    const char* key;
    std::string DNA::*field;
};

// In the order the game writes them.
constexpr Key kKeys[] = {
    {"1", &DNA::FatherHairColor},
    {"2", &DNA::MotherSkinTone},
    {"268435457", &DNA::MotherHairColor},
    {"268435458", &DNA::FatherSkinTone},
    {"268435459", &DNA::RecEyeColor},
    {"268435460", &DNA::Key268435460},
    {"268435461", &DNA::Key268435461},
    {"268435462", &DNA::RecSkinTone},
    {"268435463", &DNA::Key268435463},
    {"268435464", &DNA::Key268435464},
    {"3", &DNA::DomEyeColor},
    {"4", &DNA::Key4},
    {"5", &DNA::Key5},
    {"6", &DNA::SkinTone},
    {"7", &DNA::Key7},
    {"8", &DNA::Key8},
};

constexpr std::string_view kClose = "</AnyString>";

std::string Opening(const char* key) {
    return std::string("<AnyString key=\"") + key + "\" type=\"0x0b8bea18\"";
}

std::string ValueOf(std::string_view text, const char* key) {
    const std::string open = Opening(key);
    const std::size_t at = text.find(open);
    if (at == std::string_view::npos) return "NA";
    const std::size_t after = at + open.size();
    // Only a plain ">" closes the opening tag as written; further attributes or a self-closed
    // element leave the value unknown.
    if (after >= text.size() || text[after] != '>') return "NA";
    const std::size_t start = after + 1;
    const std::size_t end = text.find(kClose, start);
    if (end == std::string_view::npos || end == start) return "NA";
    return std::string(text.substr(start, end - start));
}

}  // namespace

DNA ReadGeneticsStrings(ByteView content, std::uint32_t instance) {
    const std::string text(content.begin(), content.end());
    DNA dna;
    dna.Instance = instance;
    for (const Key& k : kKeys) dna.*(k.field) = ValueOf(text, k.key);
    return dna;
}

Bytes WriteGeneticsStrings(const DNA& dna) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<cGZPropertySetString>\n  ";
    const std::size_t last = std::size(kKeys) - 1;
    for (std::size_t i = 0; i < std::size(kKeys); ++i) {
        const std::string& value = dna.*(kKeys[i].field);
        out += Opening(kKeys[i].key);
        out += '>';
        if (value != "NA") out += value;
        out += kClose;
        out += i == last ? "\n" : "\n  ";
    }
    out += "</cGZPropertySetString>";
    return Bytes(out.begin(), out.end());
}

}  // namespace kinloom
