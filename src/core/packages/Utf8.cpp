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

std::string ValidUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    const std::size_t n = bytes.size();
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    std::size_t i = 0;
    while (i < n) {
        const unsigned lead = at(i);
        if (lead < 0x80) {
            out.push_back(static_cast<char>(lead));
            ++i;
            continue;
        }
        // The length a lead byte announces and the range its second byte must fall in, which
        // rules out overlong forms, surrogates and characters beyond U+10FFFF.
        std::size_t length = 0;
        unsigned low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        }
        std::size_t good = length == 0 ? 0 : 1;  // bytes so far that could begin a character
        while (good > 0 && good < length && i + good < n) {
            const unsigned c = at(i + good);
            const bool fits = good == 1 ? c >= low && c <= high : c >= 0x80 && c <= 0xBF;
            if (!fits) break;
            ++good;
        }
        if (good == length && length > 0) {
            out.append(bytes.substr(i, length));
            i += length;
        } else {
            out.append("\xEF\xBF\xBD");
            i += good == 0 ? 1 : good;
        }
    }
    return out;
}

}  // namespace kinloom
