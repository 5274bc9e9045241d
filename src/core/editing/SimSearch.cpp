#include "core/editing/SimSearch.h"

#include "core/careers/Careers.h"
#include "core/editing/EditingModel.h"
#include "core/packages/Utf8.h"

namespace kinloom {

namespace {

// The base letters of U+00C0..U+00FF; a blank keeps the character as it is.
constexpr std::u16string_view kLatin1[] = {
    u"a", u"a", u"a", u"a", u"a",  u"a",  u"ae", u"c", u"e", u"e", u"e",  u"e", u"i",
    u"i", u"i", u"i", u"d", u"n",  u"o",  u"o",  u"o", u"o", u"o", u"",   u"o", u"u",
    u"u", u"u", u"u", u"y", u"th", u"ss", u"a",  u"a", u"a", u"a", u"a",  u"a", u"ae",
    u"c", u"e", u"e", u"e", u"e",  u"i",  u"i",  u"i", u"i", u"d", u"n",  u"o", u"o",
    u"o", u"o", u"o", u"",  u"o",  u"u",  u"u",  u"u", u"u", u"y", u"th", u"y"};

// Latin Extended-A (U+0100..U+017F) in runs: the first character of each run and its base.
struct Run {
    char16_t First;
    std::u16string_view Base;
};
constexpr Run kExtendedA[] = {
    {0x100, u"a"}, {0x106, u"c"},  {0x10E, u"d"}, {0x112, u"e"}, {0x11C, u"g"}, {0x124, u"h"},
    {0x128, u"i"}, {0x132, u"ij"}, {0x134, u"j"}, {0x136, u"k"}, {0x139, u"l"}, {0x143, u"n"},
    {0x14C, u"o"}, {0x152, u"oe"}, {0x154, u"r"}, {0x15A, u"s"}, {0x162, u"t"}, {0x168, u"u"},
    {0x174, u"w"}, {0x176, u"y"},  {0x179, u"z"}, {0x17F, u"s"}};

void AppendFolded(char16_t c, std::u16string& out) {
    if (c < 0x80) {
        out.push_back(c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c);
    } else if (c >= 0xC0 && c <= 0xFF) {
        const std::u16string_view base = kLatin1[c - 0xC0];
        if (base.empty())
            out.push_back(c);
        else
            out += base;
    } else if (c >= 0x100 && c <= 0x17F) {
        std::u16string_view base;
        for (const Run& run : kExtendedA)
            if (c >= run.First) base = run.Base;
        out += base;
    } else if ((c >= 0x391 && c <= 0x3A9) || (c >= 0x410 && c <= 0x42F)) {
        out.push_back(static_cast<char16_t>(c + 0x20));  // Greek and Cyrillic capitals
    } else if (c >= 0x400 && c <= 0x40F) {
        out.push_back(static_cast<char16_t>(c + 0x50));
    } else if (c >= 0x300 && c <= 0x36F) {
        // A combining accent written apart from its letter is dropped with the others.
    } else {
        out.push_back(c);
    }
}

std::u16string Widen(std::string_view ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

}  // namespace

std::u16string FoldForSearch(std::u16string_view text) {
    std::u16string folded;
    folded.reserve(text.size());
    for (char16_t c : text) AppendFolded(c, folded);
    return folded;
}

std::u16string SimSearchText(const LoadedNeighborhood& state, const Character& sim) {
    std::u16string text = DecodeUtf8(sim.FirstName) + u" " + DecodeUtf8(sim.LastName);
    if (sim.FamilyNumber != 0) {
        if (const Household* home = state.FindHousehold(
                static_cast<std::uint32_t>(static_cast<std::uint16_t>(sim.FamilyNumber))))
            text += u" " + state.HouseholdLabel(*home);
    }
    const bool pet = sim.Species >= 1 && sim.Species <= 3;
    const int stage = LifeStagePosition(sim, pet);
    if (pet && stage >= 0 && stage < static_cast<int>(PetLifeStages().size()))
        text += u" " + Widen(PetLifeStages()[static_cast<std::size_t>(stage)].Entry);
    else if (!pet && stage >= 0 && stage < static_cast<int>(HumanLifeStages().size()))
        text += u" " + Widen(HumanLifeStages()[static_cast<std::size_t>(stage)].Entry);
    if (const CareerTrack* career = FindCareer(IdText(sim.Career));
        career && !career->Label.empty())
        text += u" " + Widen(career->Label);
    return FoldForSearch(text);
}

bool SearchMatches(std::u16string_view foldedText, std::u16string_view query) {
    const std::u16string folded = FoldForSearch(query);
    std::size_t at = 0;
    while (at < folded.size()) {
        while (at < folded.size() && folded[at] == u' ') ++at;
        std::size_t end = at;
        while (end < folded.size() && folded[end] != u' ') ++end;
        if (end > at && foldedText.find(std::u16string_view(folded).substr(at, end - at)) ==
                            std::u16string_view::npos)
            return false;
        at = end;
    }
    return true;
}

}  // namespace kinloom
