#include "core/packages/Utf8.h"

namespace kinloom {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsHighSurrogate(unsigned c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(unsigned c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

void PutBytes(std::string& out, unsigned c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

}  // namespace

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
        } else if ((b0 & 0xF8) == 0xF0) {
            if (n - i < 4) break;
            const unsigned c = ((b0 & 0x07) << 18) | ((at(i + 1) & 0x3F) << 12) |
                               ((at(i + 2) & 0x3F) << 6) | (at(i + 3) & 0x3F);
            if (c > 0x10FFFF) {
                out.push_back(kReplacement);  // beyond Unicode: no 16-bit form exists
            } else if (c >= 0x10000) {
                out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
                out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
            } else {
                // An over-long form reads as its character, as the shorter forms' lead bits are
                // not checked either.
                out.push_back(static_cast<char16_t>(c));
            }
            i += 4;
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
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned c = text[i];
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            PutBytes(out, 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00u));
            ++i;
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            // Half a pair names no character and has no UTF-8 form; the game would show
            // garbage for any bytes written in its place.
            PutBytes(out, kReplacement);
        } else {
            PutBytes(out, c);
        }
    }
    return out;
}

}  // namespace kinloom
