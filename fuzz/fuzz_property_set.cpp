// Hostile property sets: reading never runs past the content, and patching the colours either
// keeps the entry's size and layout or throws with the entry untouched.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/packages/PropertySet.h"
#include "core/platform/Messages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kinloom;
    ByteView bytes(data, size);
    SilentMessages messages;
    bool readable = true;
    std::vector<Property> before;
    try {
        before = ReadPropertySet(bytes);
        VersionText(bytes);
        SimProperties sim;
        ReadSimProperties(bytes, sim);
    } catch (const ReadError&) {
        readable = false;
    }

    const SimProperties record{1, 2, std::string(36, 'S'), std::string(36, 'H'),
                               std::string(36, 'E')};
    Bytes entry(bytes.begin(), bytes.end());
    try {
        PatchColorStrings(entry, record, messages);
    } catch (const ReadError&) {
        // The same walk as the reader: what the reader accepts is never refused here.
        if (readable || !std::equal(entry.begin(), entry.end(), bytes.begin(), bytes.end()))
            __builtin_trap();
        return 0;
    }
    if (!readable || entry.size() != size) __builtin_trap();

    // Only colour values change: names, types and lengths read back the same.
    const std::vector<Property> after = ReadPropertySet(entry);
    if (after.size() != before.size()) __builtin_trap();
    for (std::size_t i = 0; i < after.size(); ++i) {
        const Property& a = after[i];
        const Property& b = before[i];
        if (a.Name != b.Name || a.ValueType != b.ValueType || a.Number != b.Number ||
            a.Text.size() != b.Text.size())
            __builtin_trap();
        const bool colour = a.Name == "skincolor" || a.Name == "haircolor" || a.Name == "eyecolor";
        if (a.Text != b.Text && !(colour && a.ValueType == valuetypes::Text && a.Text.size() == 36))
            __builtin_trap();
    }
    return 0;
}
