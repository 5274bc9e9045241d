#include "core/packages/TextList.h"

#include <algorithm>

namespace kinloom {

namespace {

constexpr std::size_t kNameField = 64;
constexpr int kSimLanguages = 44;

struct TextEntry {
    std::uint8_t language = 0;
    std::string value;
};

// Reads up to the next zero byte; false when the content ends first (the value then runs to
// the end and the list ends with it).
bool ReadZeroTerminated(ByteReader& r, std::string& out) {
    ByteView rest = r.Data().subspan(r.Position());
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] == 0) {
            out.assign(rest.begin(), rest.begin() + static_cast<std::ptrdiff_t>(i));
            r.Skip(i + 1);
            return true;
        }
    }
    out.assign(rest.begin(), rest.end());
    r.Skip(rest.size());
    return false;
}

std::vector<TextEntry> ReadEntries(ByteReader& r) {
    std::vector<TextEntry> entries;
    if (r.Remaining() < 2) return entries;
    const std::uint16_t count = r.U16();
    std::string description;
    for (std::uint16_t i = 0; i < count && !r.AtEnd(); ++i) {
        TextEntry e;
        e.language = r.U8();
        const bool valueEnded = ReadZeroTerminated(r, e.value);
        entries.push_back(std::move(e));
        if (!valueEnded || !ReadZeroTerminated(r, description)) break;
    }
    return entries;
}

}  // namespace

std::string TrimBytes(std::string_view bytes) {
    std::size_t begin = 0, end = bytes.size();
    while (begin < end && static_cast<unsigned char>(bytes[begin]) <= 32) ++begin;
    while (end > begin && static_cast<unsigned char>(bytes[end - 1]) <= 32) --end;
    return std::string(bytes.substr(begin, end - begin));
}

std::optional<std::vector<std::string>> ReadTextList(ByteView content, std::size_t wanted,
                                                     int gameLanguage) {
    if (content.size() < kNameField + 2 || content[kNameField] != 0xFD ||
        content[kNameField + 1] != 0xFF)
        return std::nullopt;
    ByteReader r(content);
    r.Seek(kNameField + 2);
    const std::vector<TextEntry> entries = ReadEntries(r);

    std::vector<std::string> strings(wanted);
    // Language 1 first; then the game's language replaces each string it has a non-empty text
    // for. Empty entries of either language still take their place in the numbering.
    std::size_t n = 0;
    for (const TextEntry& e : entries)
        if (e.language == 1 && n < wanted) strings[n++] = TrimBytes(e.value);
    n = 0;
    for (const TextEntry& e : entries) {
        if (e.language != gameLanguage || n >= wanted) continue;
        std::string trimmed = TrimBytes(e.value);
        if (!trimmed.empty()) strings[n] = std::move(trimmed);
        ++n;
    }
    return strings;
}

Bytes WriteTextList(TextListShape shape, const std::vector<std::string>& strings,
                    int gameLanguage) {
    static const std::string kEmpty;
    auto value = [&](std::size_t i) -> const std::string* {
        return i < strings.size() ? &strings[i] : &kEmpty;
    };
    // A code the language byte cannot hold would wrap round to another language; no stored entry
    // can carry it, so language 1 alone is written.
    const bool ownLanguage = gameLanguage > 1 && gameLanguage <= 0xFF;
    std::vector<std::pair<int, const std::string*>> entries;
    if (shape == TextListShape::Pair) {
        entries.emplace_back(1, value(0));
        entries.emplace_back(1, value(1));
        if (ownLanguage) {
            entries.emplace_back(gameLanguage, value(0));
            entries.emplace_back(gameLanguage, value(1));
        }
    } else {
        for (int language = 1; language <= kSimLanguages; ++language) {
            const bool own = language == 1 || (ownLanguage && language == gameLanguage);
            for (std::size_t i = 0; i < 3; ++i)
                entries.emplace_back(language, own ? value(i) : &kEmpty);
        }
    }

    Bytes out(kNameField, 0);
    out.push_back(0xFD);
    out.push_back(0xFF);
    AppendU16(out, static_cast<std::uint16_t>(entries.size()));
    for (const auto& [language, text] : entries) {
        out.push_back(static_cast<std::uint8_t>(language));
        // A zero byte ends a value, so one inside it would shift every entry after it.
        out.insert(out.end(), text->begin(), std::find(text->begin(), text->end(), '\0'));
        out.push_back(0);  // end of the value
        out.push_back(0);  // an empty description
    }
    return out;
}

}  // namespace kinloom
