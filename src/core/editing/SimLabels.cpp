#include "core/editing/SimLabels.h"

#include <algorithm>

#include "core/packages/Utf8.h"

namespace kinloom {

LabelForm LabelFormFromSetting(const std::optional<std::string>& sortSetting) {
    if (sortSetting == "File") return LabelForm::File;
    if (sortSetting == "Last") return LabelForm::LastName;
    return LabelForm::FirstName;
}

const char* LabelFormSetting(LabelForm form) {
    switch (form) {
        case LabelForm::File:
            return "File";
        case LabelForm::LastName:
            return "Last";
        case LabelForm::FirstName:
            break;
    }
    return "First";
}

LabelForm NextLabelForm(LabelForm form) {
    switch (form) {
        case LabelForm::FirstName:
            return LabelForm::File;
        case LabelForm::File:
            return LabelForm::LastName;
        case LabelForm::LastName:
            break;
    }
    return LabelForm::FirstName;
}

std::u16string FileLabel(const Character& sim) {
    std::string name = sim.FileName;
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.resize(dot);
    return DecodeUtf8(name);
}

std::u16string SimLabel(const Character& sim, LabelForm form) {
    const std::u16string first = DecodeUtf8(sim.FirstName);
    const std::u16string last = DecodeUtf8(sim.LastName);
    const std::u16string file = FileLabel(sim);
    switch (form) {
        case LabelForm::File:
            return file + u" : " + last + u", " + first;
        case LabelForm::LastName:
            return last + u", " + first + u" : " + file;
        case LabelForm::FirstName:
            break;
    }
    return first + u" " + last + u" : " + file;
}

std::optional<LabelForm> DetectLabelForm(const std::u16string& label, const Character& sim) {
    if (label.empty()) return std::nullopt;
    // An empty name never counts as the beginning of a label.
    auto beginsWith = [&](const std::u16string& start) {
        return !start.empty() && label.starts_with(start);
    };
    if (beginsWith(DecodeUtf8(sim.FirstName))) return LabelForm::FirstName;
    if (beginsWith(FileLabel(sim))) return LabelForm::File;
    if (beginsWith(DecodeUtf8(sim.LastName))) return LabelForm::LastName;
    return std::nullopt;
}

bool LabelLess(const std::u16string& a, const std::u16string& b) {
    // ASCII and the Latin-1 letters fold to lower case; other characters compare as they are.
    auto fold = [](char16_t c) -> char16_t {
        if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
            return static_cast<char16_t>(c + 0x20);
        return c;
    };
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [&](char16_t x, char16_t y) { return fold(x) < fold(y); });
}

std::vector<Character*> SortedByLabel(const std::vector<Character*>& sims, LabelForm form) {
    std::vector<std::pair<std::u16string, Character*>> keyed;
    keyed.reserve(sims.size());
    for (Character* sim : sims) keyed.emplace_back(SimLabel(*sim, form), sim);
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& x, const auto& y) { return LabelLess(x.first, y.first); });
    std::vector<Character*> out;
    out.reserve(keyed.size());
    for (auto& [label, sim] : keyed) out.push_back(sim);
    return out;
}

}  // namespace kinloom
