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

// One entry as stored, to be written back as it was unless its string changed.
struct StoredEntry {
    std::uint8_t language = 0;
    std::string value;
    std::string second;  // the text after the value, kept as it is
};

// Every entry of a well-formed list; nullopt when the list ends before its count says.
std::optional<std::vector<StoredEntry>> ReadStoredEntries(ByteReader& r) {
    if (r.Remaining() < 2) return std::nullopt;
    const std::uint16_t count = r.U16();
    std::vector<StoredEntry> entries(count);
    for (StoredEntry& e : entries) {
        if (r.AtEnd()) return std::nullopt;
        e.language = r.U8();
        if (!ReadZeroTerminated(r, e.value) || !ReadZeroTerminated(r, e.second))
            return std::nullopt;
    }
    return entries;
}

std::string UpToZero(const std::string& text) {
    return text.substr(0, text.find('\0'));
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

std::optional<Bytes> UpdateTextList(ByteView stored, const std::vector<std::string>& strings,
                                    int gameLanguage) {
    const std::optional<std::vector<std::string>> read =
        ReadTextList(stored, strings.size(), gameLanguage);
    if (!read) return std::nullopt;
    std::vector<bool> changed(strings.size());
    bool anyChanged = false;
    for (std::size_t i = 0; i < strings.size(); ++i) {
        changed[i] = (*read)[i] != strings[i];
        anyChanged = anyChanged || changed[i];
    }
    if (!anyChanged) return Bytes(stored.begin(), stored.end());

    ByteReader r(stored);
    r.Seek(kNameField + 2);
    std::optional<std::vector<StoredEntry>> entries = ReadStoredEntries(r);
    if (!entries) return std::nullopt;
    const ByteView rest = stored.subspan(r.Position());

    // Each entry's string is its place among the entries of its language.
    std::vector<std::size_t> seen(256, 0);
    std::vector<bool> languageOneHas(strings.size());
    const bool ownLanguage = gameLanguage > 1 && gameLanguage <= 0xFF;
    for (StoredEntry& e : *entries) {
        const std::size_t i = seen[e.language]++;
        if (i >= strings.size() || !changed[i]) continue;
        if (e.language == 1) languageOneHas[i] = true;
        const bool own = e.language == 1 || (ownLanguage && e.language == gameLanguage);
        e.value = own ? UpToZero(strings[i]) : std::string();
    }
    for (std::size_t i = 0; i < strings.size(); ++i)
        if (changed[i] && !languageOneHas[i]) return std::nullopt;

    Bytes out(stored.begin(), stored.begin() + kNameField + 2);
    AppendU16(out, static_cast<std::uint16_t>(entries->size()));
    for (const StoredEntry& e : *entries) {
        out.push_back(e.language);
        out.insert(out.end(), e.value.begin(), e.value.end());
        out.push_back(0);
        out.insert(out.end(), e.second.begin(), e.second.end());
        out.push_back(0);
    }
    out.insert(out.end(), rest.begin(), rest.end());
    return out;
}

Bytes SaveTextList(ByteView stored, TextListShape shape, const std::vector<std::string>& strings,
                   int gameLanguage) {
    if (std::optional<Bytes> updated = UpdateTextList(stored, strings, gameLanguage))
        return std::move(*updated);
    return WriteTextList(shape, strings, gameLanguage);
}

}  // namespace kinloom
