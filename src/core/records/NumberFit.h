#pragma once
// Whether a typed number fits a field of a record. One rule for every place a number is typed
// (the pages' number fields, the command line's set): a number beyond the field's range is
// refused, never stored with its high bits cut off.

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace kinloom {

struct NumberRange {
    std::int64_t Min = 0;
    std::int64_t Max = 0;

    bool Holds(std::int64_t value) const { return value >= Min && value <= Max; }
};

template <typename Int>
constexpr NumberRange RangeOf() {
    return {static_cast<std::int64_t>(std::numeric_limits<Int>::min()),
            static_cast<std::int64_t>(std::numeric_limits<Int>::max())};
}

// The value of text, or why it cannot be stored. Exactly one of the two is set.
struct NumberFit {
    std::optional<std::int64_t> Value;
    std::string Problem;
};

// text is a whole decimal number: an optional "-", then digits, nothing else. Problems read
// "not a whole number: 1x" and "70000 is outside -32768..32767".
NumberFit FitNumber(std::string_view text, NumberRange range);
// The same for text typed in the window; characters beyond ASCII are no digits.
NumberFit FitNumber(std::u16string_view text, NumberRange range);

}  // namespace kinloom
