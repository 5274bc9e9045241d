#include "core/packages/PropertySet.h"

#include <algorithm>
#include <array>
#include <optional>

#include "core/platform/Messages.h"

namespace kinloom {

namespace {

constexpr std::size_t kCountField = 6;
constexpr std::size_t kFirstProperty = 10;
constexpr std::size_t kColorLength = kColorTextLength;

std::string AsText(ByteView bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// Reads the format id and leaves the reader on the first property; nullopt for content that is
// not a property set. The count is only a promise: every property is still read bounded.
std::optional<std::uint32_t> StartPropertySet(ByteReader& reader) {
    if (reader.U32() != kPropertySetFormat) return std::nullopt;
    reader.Seek(kCountField);
    std::uint32_t count = reader.U32();
    reader.Seek(kFirstProperty);
    return count;
}

}  // namespace

std::vector<Property> ReadPropertySet(ByteView content) {
    ByteReader reader(content);
    std::vector<Property> properties;
    std::optional<std::uint32_t> count = StartPropertySet(reader);
    if (!count) return properties;
    for (std::uint32_t i = 0; i < *count; ++i) {
        Property p;
        p.ValueType = reader.U32();
        p.Name = AsText(reader.Take(reader.U32()));
        switch (p.ValueType) {
            case valuetypes::Number:
                p.Number = reader.U32();
                break;
            case valuetypes::Text:
                p.Text = AsText(reader.Take(reader.U32()));
                break;
            case valuetypes::Opaque:
                reader.Skip(4);
                break;
            default:
                break;  // an unknown type carries no value bytes: the next property follows
        }
        properties.push_back(std::move(p));
    }
    return properties;
}

std::string VersionText(ByteView content) {
    std::string first, second;
    bool hasSecond = false;
    for (const Property& p : ReadPropertySet(content)) {
        if (p.Name == "0") {
            first = p.Text;
        } else if (p.Name == "1") {
            second = p.Text;
            hasSecond = true;
        }
    }
    if (!hasSecond) return {};
    return first + " - " + second;
}

void ReadSimProperties(ByteView content, SimProperties& into) {
    for (const Property& p : ReadPropertySet(content)) {
        const bool numeric = p.ValueType == valuetypes::Number;
        const std::uint32_t number = numeric ? p.Number : 0;
        const bool colour = p.ValueType == valuetypes::Text && p.Text.size() == kColorLength;
        if (p.Name == "age") {
            into.PropertyAge = static_cast<std::uint16_t>(number);
            into.Slots.Age = numeric;
        } else if (p.Name == "gender") {
            into.PropertyGender = static_cast<std::uint16_t>(number);
            into.Slots.Gender = numeric;
        } else if (p.Name == "skincolor") {
            into.SkinColor = p.Text;
            into.Slots.SkinColor = colour;
        } else if (p.Name == "haircolor") {
            into.HairColor = p.Text;
            into.Slots.HairColor = colour;
        } else if (p.Name == "eyecolor") {
            into.EyeColor = p.Text;
            into.Slots.EyeColor = colour;
        }
    }
}

namespace {

// An age or gender the record never read holds -1.
constexpr std::uint16_t kUnreadNumber = 0xFFFF;

void PatchProperties(std::span<std::uint8_t> entry, const SimProperties& record, Messages& messages,
                     bool bodyNumbers) {
    struct Color {
        const char* name;
        const std::string& value;
        const char* mismatch;
    };
    const std::array<Color, 3> colors{{
        {"skincolor", record.SkinColor, "Data Length Mismatch (chSkinColor)"},
        {"haircolor", record.HairColor, "Data Length Mismatch (chHairColor)"},
        {"eyecolor", record.EyeColor, "Data Length Mismatch (chEyeColor)"},
    }};
    struct Patch {
        std::size_t offset;
        const std::string* value;
    };

    // Walk the whole set before touching a byte or saying anything, so damaged content throws
    // with the entry still exactly as it was copied.
    ByteReader reader(ByteView(entry.data(), entry.size()));
    std::optional<std::uint32_t> count = StartPropertySet(reader);
    if (!count) return;
    struct NumberPatch {
        std::size_t offset;
        std::uint16_t value;
    };
    std::vector<Patch> patches;
    std::vector<NumberPatch> numbers;
    std::vector<const char*> mismatches;
    for (std::uint32_t i = 0; i < *count; ++i) {
        const std::uint32_t valueType = reader.U32();
        const ByteView name = reader.Take(reader.U32());
        switch (valueType) {
            case valuetypes::Text: {
                const std::uint32_t length = reader.U32();
                const std::size_t valueAt = reader.Position();
                reader.Skip(length);
                auto color = std::find_if(colors.begin(), colors.end(),
                                          [&](const Color& c) { return AsText(name) == c.name; });
                if (color == colors.end() || color->value.size() != kColorLength) break;
                if (length == kColorLength)
                    patches.push_back({valueAt, &color->value});
                else
                    mismatches.push_back(color->mismatch);
                break;
            }
            case valuetypes::Number: {
                const std::size_t valueAt = reader.Position();
                reader.Skip(4);
                if (!bodyNumbers) break;
                const std::string text = AsText(name);
                if (text == "age" && record.PropertyAge != kUnreadNumber)
                    numbers.push_back({valueAt, record.PropertyAge});
                else if (text == "gender" && record.PropertyGender != kUnreadNumber)
                    numbers.push_back({valueAt, record.PropertyGender});
                break;
            }
            case valuetypes::Opaque:
                reader.Skip(4);
                break;
            default:
                break;
        }
    }

    for (const Patch& patch : patches)
        std::copy(patch.value->begin(), patch.value->end(),
                  entry.begin() + static_cast<std::ptrdiff_t>(patch.offset));
    // The property holds 32 bits and the record the low 16: the high half stays as stored.
    for (const NumberPatch& patch : numbers) {
        entry[patch.offset] = static_cast<std::uint8_t>(patch.value & 0xFF);
        entry[patch.offset + 1] = static_cast<std::uint8_t>(patch.value >> 8);
    }
    for (const char* text : mismatches) messages.Show(text);
}

}  // namespace

void PatchColorStrings(std::span<std::uint8_t> entry, const SimProperties& record,
                       Messages& messages) {
    PatchProperties(entry, record, messages, false);
}

void PatchSimProperties(std::span<std::uint8_t> entry, const SimProperties& record,
                        Messages& messages) {
    PatchProperties(entry, record, messages, true);
}

}  // namespace kinloom
