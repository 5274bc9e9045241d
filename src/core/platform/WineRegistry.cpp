#include "core/platform/WineRegistry.h"

#include <cstdint>
#include <optional>

#include "core/platform/FileIO.h"

namespace kinloom {
namespace {

constexpr std::string_view kSignature = "WINE REGISTRY Version 2";

void AppendCodePoint(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Wine writes every character outside printable ASCII as an escaped UTF-16 unit; pairs of
// surrogates are joined back into one character, a lone one becomes U+FFFD.
class Utf16Sink {
public:
    explicit Utf16Sink(std::string& out) : out_(out) {}
    void Unit(std::uint32_t unit) {
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            Flush();
            high_ = unit;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            if (high_ != 0) {
                AppendCodePoint(out_, 0x10000 + ((high_ - 0xD800) << 10) + (unit - 0xDC00));
                high_ = 0;
            } else {
                AppendCodePoint(out_, 0xFFFD);
            }
        } else {
            Flush();
            AppendCodePoint(out_, unit);
        }
    }
    void Byte(char c) {
        Flush();
        out_.push_back(c);
    }
    void Flush() {
        if (high_ != 0) AppendCodePoint(out_, 0xFFFD);
        high_ = 0;
    }

private:
    std::string& out_;
    std::uint32_t high_ = 0;  // a high surrogate waiting for its pair, or 0
};

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads an escaped string from line at pos (just after its opening delimiter) up to the unescaped
// terminator; pos ends after the terminator. nullopt when the line ends first.
std::optional<std::string> ReadEscaped(std::string_view line, std::size_t& pos, char terminator) {
    std::string out;
    Utf16Sink sink(out);
    while (pos < line.size()) {
        char c = line[pos++];
        if (c == terminator) {
            sink.Flush();
            return out;
        }
        if (c != '\\') {
            sink.Byte(c);
            continue;
        }
        if (pos >= line.size()) return std::nullopt;
        char e = line[pos++];
        switch (e) {
            case 'a':
                sink.Unit(0x07);
                break;
            case 'b':
                sink.Unit(0x08);
                break;
            case 'e':
                sink.Unit(0x1B);
                break;
            case 'f':
                sink.Unit(0x0C);
                break;
            case 'n':
                sink.Unit(0x0A);
                break;
            case 'r':
                sink.Unit(0x0D);
                break;
            case 't':
                sink.Unit(0x09);
                break;
            case 'v':
                sink.Unit(0x0B);
                break;
            case 'x': {
                std::uint32_t unit = 0;
                int digits = 0;
                for (int d; digits < 4 && pos < line.size() && (d = HexDigit(line[pos])) >= 0;
                     ++digits, ++pos) {
                    unit = unit * 16 + static_cast<std::uint32_t>(d);
                }
                if (digits == 0)
                    sink.Byte('x');
                else
                    sink.Unit(unit);
                break;
            }
            default:
                if (e >= '0' && e <= '7') {
                    std::uint32_t unit = static_cast<std::uint32_t>(e - '0');
                    for (int digits = 1;
                         digits < 3 && pos < line.size() && line[pos] >= '0' && line[pos] <= '7';
                         ++digits, ++pos) {
                        unit = unit * 8 + static_cast<std::uint32_t>(line[pos] - '0');
                    }
                    sink.Unit(unit);
                } else {
                    sink.Byte(e);  // \\, \" and any other escaped character stand for themselves
                }
        }
    }
    return std::nullopt;
}

// Passes over an escaped string as ReadEscaped reads it, without decoding it, so the same lines
// are well-formed: the character after a backslash never ends the string, and the digits of a
// hex or octal escape are never the terminator or a backslash.
bool SkipEscaped(std::string_view line, std::size_t& pos, char terminator) {
    while (pos < line.size()) {
        const char c = line[pos++];
        if (c == terminator) return true;
        if (c == '\\') {
            if (pos >= line.size()) return false;
            ++pos;
        }
    }
    return false;
}

// Reads an escaped string into out, or only passes over it without out.
bool TakeEscaped(std::string_view line, std::size_t& pos, char terminator, std::string* out) {
    if (!out) return SkipEscaped(line, pos, terminator);
    std::optional<std::string> text = ReadEscaped(line, pos, terminator);
    if (!text) return false;
    *out = std::move(*text);
    return true;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

void SkipBlanks(std::string_view line, std::size_t& pos) {
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
}

class LineSource {
public:
    explicit LineSource(std::string_view text) : text_(text) {}
    bool Next(std::string_view& line) {
        if (pos_ >= text_.size()) return false;
        std::size_t end = text_.find('\n', pos_);
        if (end == std::string_view::npos) end = text_.size();
        line = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        return true;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// Where a 64-bit prefix keeps the key of a 32-bit program that asks for one under Software\.
std::optional<std::string> Wow64Alias(std::string_view key) {
    std::string normal = NormalizeRegistryKey(key);
    constexpr std::string_view software = "software\\";
    if (!normal.starts_with(software) || normal.starts_with("software\\wow6432node"))
        return std::nullopt;
    return "software\\wow6432node\\" + normal.substr(software.size());
}

}  // namespace

RegistryKeyFilter::RegistryKeyFilter(std::initializer_list<std::string_view> subtrees) {
    for (std::string_view subtree : subtrees) Add(subtree);
}

void RegistryKeyFilter::Add(std::string_view subtree) {
    subtrees_.push_back(NormalizeRegistryKey(subtree));
}

bool RegistryKeyFilter::Keeps(std::string_view normalizedKey) const {
    if (subtrees_.empty()) return true;
    for (const std::string& subtree : subtrees_) {
        if (subtree.empty()) return true;  // the whole root
        if (normalizedKey.starts_with(subtree) &&
            (normalizedKey.size() == subtree.size() || normalizedKey[subtree.size()] == '\\'))
            return true;
    }
    return false;
}

bool ParseWineRegistry(std::string_view text, RegistryRoot root, MemoryRegistry& into,
                       const RegistryKeyFilter& keep) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    LineSource lines(text);
    std::string_view line;
    if (!lines.Next(line) || !line.starts_with(kSignature)) return false;

    std::optional<std::string> key;  // the key whose values follow
    bool kept = false;               // and whether it is kept; the lines of others are only checked
    while (lines.Next(line)) {
        std::size_t pos = 0;
        SkipBlanks(line, pos);
        if (pos == line.size() || line[pos] == ';' || line[pos] == '#') continue;

        if (line[pos] == '[') {
            ++pos;
            std::optional<std::string> name = ReadEscaped(line, pos, ']');
            if (!name) return false;
            key = std::move(*name);
            kept = keep.Keeps(NormalizeRegistryKey(*key));
            if (kept) into.AddKey(root, *key);
            continue;
        }

        if (!key) return false;
        std::string name;
        if (line[pos] == '@') {
            ++pos;
        } else if (line[pos] == '"') {
            ++pos;
            if (!TakeEscaped(line, pos, '"', kept ? &name : nullptr)) return false;
        } else {
            return false;
        }
        SkipBlanks(line, pos);
        if (pos == line.size() || line[pos] != '=') return false;
        ++pos;
        SkipBlanks(line, pos);

        if (pos < line.size() && line[pos] == '"') {
            ++pos;
            std::string value;
            if (!TakeEscaped(line, pos, '"', kept ? &value : nullptr)) return false;
            if (!kept) continue;
            // A string ends at its first NUL, as the game's own reads see it.
            if (std::size_t nul = value.find('\0'); nul != std::string::npos) value.resize(nul);
            into.SetString(root, *key, name, std::move(value));
            continue;
        }
        // Any other type is passed over; binary data may continue on the following lines.
        if (line.substr(pos).starts_with("hex")) {
            while (!line.empty() && line.back() == '\\') {
                if (!lines.Next(line)) return false;
            }
        }
    }
    return true;
}

WineRegistry::WineRegistry(const RegistryKeyFilter& keep) {
    for (const std::string& subtree : keep.Subtrees()) {
        keep_.Add(subtree);
        if (std::optional<std::string> twin = Wow64Alias(subtree)) keep_.Add(*twin);
    }
}

WineRegistry WineRegistry::FromPrefix(const std::filesystem::path& prefix,
                                      const RegistryKeyFilter& keep) {
    WineRegistry registry(keep);
    if (prefix.empty()) return registry;
    const std::pair<const char*, RegistryRoot> files[] = {
        {"system.reg", RegistryRoot::LocalMachine}, {"user.reg", RegistryRoot::CurrentUser}};
    for (const auto& [file, root] : files) {
        Bytes bytes;
        try {
            bytes = ReadWholeFile(prefix / file);
        } catch (const FileError&) {
            continue;
        }
        registry.Load(root,
                      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
    return registry;
}

bool WineRegistry::KeyExists(RegistryRoot root, std::string_view key) const {
    if (keys_.KeyExists(root, key)) return true;
    std::optional<std::string> alias = Wow64Alias(key);
    return alias && keys_.KeyExists(root, *alias);
}

std::optional<std::string> WineRegistry::ReadString(RegistryRoot root, std::string_view key,
                                                    std::string_view name) const {
    if (auto value = keys_.ReadString(root, key, name)) return value;
    std::optional<std::string> alias = Wow64Alias(key);
    if (!alias) return std::nullopt;
    return keys_.ReadString(root, *alias, name);
}

}  // namespace kinloom
