// Hostile text lists: reading never runs past the content, always gives the wanted number of
// trimmed strings, and what is read survives being written and read again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "packages/TextList.h"
#include "packages/Utf8.h"

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
        if (DecodeUtf8(EncodeUtf8(shown)) != shown) __builtin_trap();
    }
    if (wanted == 2 || wanted == 3) {
        const TextListShape shape = wanted == 2 ? TextListShape::Pair : TextListShape::Sim;
        const auto again = ReadTextList(WriteTextList(shape, *strings, language), wanted, language);
        if (!again || *again != *strings) __builtin_trap();
    }
    return 0;
}
