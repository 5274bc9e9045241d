// Hostile genetics string sets: matching is bounded, and what is read is written back in the
// game's layout and read again unchanged (unless a value itself holds an element's opening).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/records/GeneticsStrings.h"

namespace {

bool SameValues(const kinloom::DNA& a, const kinloom::DNA& b) {
    return a.SkinTone == b.SkinTone && a.RecSkinTone == b.RecSkinTone &&
           a.FatherHairColor == b.FatherHairColor && a.MotherHairColor == b.MotherHairColor &&
           a.FatherSkinTone == b.FatherSkinTone && a.MotherSkinTone == b.MotherSkinTone &&
           a.DomEyeColor == b.DomEyeColor && a.RecEyeColor == b.RecEyeColor && a.Key5 == b.Key5 &&
           a.Key4 == b.Key4 && a.Key7 == b.Key7 && a.Key8 == b.Key8 &&
           a.Key268435460 == b.Key268435460 && a.Key268435461 == b.Key268435461 &&
           a.Key268435463 == b.Key268435463 && a.Key268435464 == b.Key268435464;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kinloom;
    const DNA dna = ReadGeneticsStrings(ByteView(data, size), 7);
    const Bytes written = WriteGeneticsStrings(dna);
    const std::string_view text(reinterpret_cast<const char*>(written.data()), written.size());
    if (!text.starts_with(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<cGZPropertySetString>\n  ") ||
        !text.ends_with("</AnyString>\n</cGZPropertySetString>"))
        __builtin_trap();
    // A value holding an element's opening would shadow the element written after it.
    for (const std::string* v :
         {&dna.SkinTone, &dna.RecSkinTone, &dna.FatherHairColor, &dna.MotherHairColor,
          &dna.FatherSkinTone, &dna.MotherSkinTone, &dna.DomEyeColor, &dna.RecEyeColor, &dna.Key5,
          &dna.Key4, &dna.Key7, &dna.Key8, &dna.Key268435460, &dna.Key268435461, &dna.Key268435463,
          &dna.Key268435464})
        if (v->find("<AnyString key=") != std::string::npos) return 0;
    const DNA again = ReadGeneticsStrings(written, 7);
    if (again.Instance != 7 || !SameValues(dna, again)) __builtin_trap();
    return 0;
}
