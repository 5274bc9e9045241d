// Hostile text lists: reading never runs past the content, always gives the wanted number of
// trimmed strings, and what is read survives being written and read again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/packages/TextList.h"
#include "core/packages/Utf8.h"

namespace {

// What typed text keeps through being stored: a surrogate without its partner (which the
// game's bytes can decode to) has no UTF-8 form and is stored as U+FFFD.
std::u16string Storable(const std::u16string& text) {
    std::u16string out = text;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const char16_t c = out[i];
        const bool high = c >= 0xD800 && c <= 0xDBFF;
        const bool low = c >= 0xDC00 && c <= 0xDFFF;
        if (high && i + 1 < out.size() && out[i + 1] >= 0xDC00 && out[i + 1] <= 0xDFFF) {
            ++i;  // a whole pair
        } else if (high || low) {
            out[i] = 0xFFFD;
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kinloom;
    if (size < 2) return 0;
    // The first byte picks the game language, the second how many strings are wanted.
    const int language = data[0] % 50;
    const std::size_t wanted = data[1] % 5;
    const ByteView content = ByteView(data, size).subspan(2);
    const auto strings = ReadTextList(content, wanted, language);
    if (!strings) return 0;
    if (strings->size() != wanted) __builtin_trap();
    for (const std::string& s : *strings) {
        if (s != TrimBytes(s) || s.find('\0') != std::string::npos) __builtin_trap();
        const std::u16string shown = DecodeUtf8(s);
        if (DecodeUtf8(EncodeUtf8(shown)) != Storable(shown)) __builtin_trap();
    }
    if (wanted == 2 || wanted == 3) {
        const TextListShape shape = wanted == 2 ? TextListShape::Pair : TextListShape::Sim;
        const auto again = ReadTextList(WriteTextList(shape, *strings, language), wanted, language);
        if (!again || *again != *strings) __builtin_trap();

        // Saving what was read changes nothing; saving an edit reads back as the edit, with the
        // strings left alone as they were.
        if (SaveTextList(content, shape, *strings, language) !=
            Bytes(content.begin(), content.end()))
            __builtin_trap();
        std::vector<std::string> edited = *strings;
        edited[0] = "Edited";
        const auto saved =
            ReadTextList(SaveTextList(content, shape, edited, language), wanted, language);
        if (!saved || (*saved)[0] != "Edited") __builtin_trap();
        for (std::size_t i = 1; i < wanted; ++i)
            if ((*saved)[i] != (*strings)[i]) __builtin_trap();
    }
    return 0;
}
