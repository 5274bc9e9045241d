#pragma once
// The sim list's labels and order. Each sim is listed in one of three label forms, chosen by the
// "Sort" setting, and the list is kept sorted by label regardless of case, so the order of the
// list (which saving walks) is decided here, not by a widget.

#include <optional>
#include <string>
#include <vector>

#include "core/records/Character.h"

namespace kinloom {

enum class LabelForm {
    FirstName,  // "Anna Bell : N001_User00003"
    File,       // "N001_User00003 : Bell, Anna"
    LastName,   // "Bell, Anna : N001_User00003"
};

// "File" and "Last" choose their forms; anything else (also nothing) the first-name form.
LabelForm LabelFormFromSetting(const std::optional<std::string>& sortSetting);
// The setting text a form is stored as: "First", "File" or "Last".
const char* LabelFormSetting(LabelForm form);
// The form the Sort button moves to: first-name -> file -> last-name -> first-name.
LabelForm NextLabelForm(LabelForm form);

// The decoded label of a sim in a form.
std::u16string SimLabel(const Character& sim, LabelForm form);

// Which form a shown label is in, judged as the Sort button does: it begins with the first name,
// else with the file name, else with the last name. nullopt when none (or the label is empty).
std::optional<LabelForm> DetectLabelForm(const std::u16string& label, const Character& sim);

// The package file name without its extension, decoded.
std::u16string FileLabel(const Character& sim);

// Case-insensitive label order, as the sorted list shows it.
bool LabelLess(const std::u16string& a, const std::u16string& b);

// The sims in list order for a form (a stable sort: equal labels keep their loading order).
std::vector<Character*> SortedByLabel(const std::vector<Character*>& sims, LabelForm form);

}  // namespace kinloom
