#include "core/platform/LauncherFiles.h"

#include <nlohmann/json.hpp>

#ifndef _WIN32
#include <yaml-cpp/yaml.h>
#endif

namespace kinloom {

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

bool AllDigits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

// The tokens of Valve's KeyValues text: quoted or bare strings, braces; "//" comments and
// "[$WIN32]"-style conditions are passed over.
class VdfTokens {
public:
    enum class Kind { String, Open, Close, End, Fault };

    explicit VdfTokens(std::string_view text) : text_(text) {}

    Kind Next(std::string& value) {
        for (;;) {
            SkipBlanks();
            if (pos_ >= text_.size()) return Kind::End;
            const char c = text_[pos_];
            if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
                while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
                continue;
            }
            if (c == '[') {
                const std::size_t close = text_.find(']', pos_);
                if (close == std::string_view::npos) return Kind::Fault;
                pos_ = close + 1;
                continue;
            }
            if (c == '{') {
                ++pos_;
                return Kind::Open;
            }
            if (c == '}') {
                ++pos_;
                return Kind::Close;
            }
            value.clear();
            return c == '"' ? Quoted(value) : Bare(value);
        }
    }

private:
    void SkipBlanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' ||
                                       text_[pos_] == '\r' || text_[pos_] == '\n'))
            ++pos_;
    }

    Kind Quoted(std::string& value) {
        ++pos_;
        while (pos_ < text_.size()) {
            char c = text_[pos_++];
            if (c == '"') return Kind::String;
            if (c == '\\' && pos_ < text_.size()) {
                const char e = text_[pos_++];
                c = e == 'n' ? '\n' : e == 't' ? '\t' : e;
            }
            value.push_back(c);
        }
        return Kind::Fault;  // the string never closed
    }

    Kind Bare(std::string& value) {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '{' || c == '}' || c == '"')
                break;
            value.push_back(c);
            ++pos_;
        }
        return Kind::String;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// Steam's files nest a few levels; anything deeper is not one of them.
constexpr std::size_t kDeepestVdf = 32;

}  // namespace

std::vector<std::string> SteamLibraryFolders(std::string_view vdfText) {
    std::vector<std::string> folders;
    std::vector<std::string> keys;  // the open blocks' keys, lowered
    std::string token;
    std::optional<std::string> key;
    VdfTokens tokens(vdfText);
    for (;;) {
        const VdfTokens::Kind kind = tokens.Next(token);
        if (kind == VdfTokens::Kind::End || kind == VdfTokens::Kind::Fault) break;
        if (kind == VdfTokens::Kind::Open) {
            if (!key || keys.size() >= kDeepestVdf) break;
            keys.push_back(Lower(*key));
            key.reset();
            continue;
        }
        if (kind == VdfTokens::Kind::Close) {
            if (key || keys.empty()) break;
            keys.pop_back();
            continue;
        }
        if (!key) {
            key = token;
            continue;
        }
        // A key and its text value.
        const bool inList = !keys.empty() && keys.front() == "libraryfolders";
        if (inList && keys.size() == 2 && AllDigits(keys[1]) && Lower(*key) == "path")
            folders.push_back(token);
        else if (inList && keys.size() == 1 && AllDigits(*key))
            folders.push_back(token);  // the older form: "1" "/mnt/games/SteamLibrary"
        key.reset();
    }
    return folders;
}

std::optional<std::string> LutrisGamePrefix(std::string_view yamlText) {
#ifdef _WIN32
    (void)yamlText;
    return std::nullopt;
#else
    try {
        const YAML::Node root = YAML::Load(std::string(yamlText));
        if (!root.IsMap()) return std::nullopt;
        const YAML::Node game = root["game"];
        if (!game.IsMap()) return std::nullopt;
        const YAML::Node prefix = game["prefix"];
        if (!prefix.IsScalar() || prefix.Scalar().empty()) return std::nullopt;
        return prefix.Scalar();
    } catch (const YAML::Exception&) {
        return std::nullopt;
    }
#endif
}

namespace {

void CollectWinePrefixes(const nlohmann::json& node, int depth, std::vector<std::string>& found) {
    if (!node.is_object() || depth > 3) return;
    for (const auto& [name, value] : node.items()) {
        if (name == "winePrefix" && value.is_string()) {
            const std::string& text = value.get_ref<const std::string&>();
            if (!text.empty()) found.push_back(text);
        } else {
            CollectWinePrefixes(value, depth + 1, found);
        }
    }
}

}  // namespace

std::vector<std::string> HeroicWinePrefixes(std::string_view jsonText) {
    std::vector<std::string> found;
    // No exceptions: text that is not JSON gives a discarded value.
    const nlohmann::json root = nlohmann::json::parse(jsonText, nullptr, false);
    if (!root.is_discarded()) CollectWinePrefixes(root, 0, found);
    return found;
}

}  // namespace kinloom
