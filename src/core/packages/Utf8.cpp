#include "packages/Utf8.h"

namespace kinloom {

std::u16string DecodeUtf8(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    const std::size_t n = bytes.size();
    auto at = [&](std::size_t k) {
        return static_cast<unsigned>(static_cast<unsigned char>(bytes[k]));
    };
    while (i < n) {
        const unsigned b0 = at(i);
        if (b0 < 0x80) {
            out.push_back(static_cast<char16_t>(b0));
            i += 1;
        } else if ((b0 & 0xE0) == 0xC0) {
            if (n - i < 2) break;  // an incomplete sequence at the end is dropped
            out.push_back(static_cast<char16_t>(((b0 & 0x1F) << 6) | (at(i + 1) & 0x3F)));
            i += 2;
        } else {
            if (n - i < 3) break;
            out.push_back(static_cast<char16_t>(((b0 & 0x0F) << 12) | ((at(i + 1) & 0x3F) << 6) |
                                                (at(i + 2) & 0x3F)));
            i += 3;
        }
    }
    std::size_t begin = 0, end = out.size();
    while (begin < end && out[begin] <= 32) ++begin;
    while (end > begin && out[end - 1] <= 32) --end;
    return out.substr(begin, end - begin);
}

std::string EncodeUtf8(std::u16string_view text) {
    // Each 16-bit character becomes one 1-, 2- or 3-byte form: the forms the game's decoder
    // reads back. (A character outside the 16-bit range arrives as two surrogates and is written
    // as two 3-byte forms, so it reads back as the same two 16-bit characters.)
    std::string out;
    out.reserve(text.size());
    for (char16_t ch : text) {
        const unsigned c = ch;
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

}  // namespace kinloom
