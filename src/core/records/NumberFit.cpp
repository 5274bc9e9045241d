#include "core/records/NumberFit.h"

namespace kinloom {

NumberFit FitNumber(std::string_view text, NumberRange range) {
    NumberFit fit;
    const bool negative = !text.empty() && text.front() == '-';
    const std::string_view digits = negative ? text.substr(1) : text;
    bool whole = !digits.empty();
    // Counted without overflow however many digits are typed: past the range is past it.
    std::int64_t magnitude = 0;
    bool beyond = false;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            whole = false;
            break;
        }
        if (magnitude > (std::numeric_limits<std::int64_t>::max() - 9) / 10)
            beyond = true;
        else
            magnitude = magnitude * 10 + (c - '0');
    }
    if (!whole) {
        fit.Problem = "not a whole number: " + std::string(text);
        return fit;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (beyond || !range.Holds(value)) {
        fit.Problem = std::string(text) + " is outside " + std::to_string(range.Min) + ".." +
                      std::to_string(range.Max);
        return fit;
    }
    fit.Value = value;
    return fit;
}

NumberFit FitNumber(std::u16string_view text, NumberRange range) {
    std::string narrow;
    narrow.reserve(text.size());
    // A character the narrow text cannot hold stands as "?", which is no digit either.
    for (char16_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
    return FitNumber(narrow, range);
}

}  // namespace kinloom
