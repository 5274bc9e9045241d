#pragma once
// Finding a sim among hundreds by typing: each sim's search text (first and last name, household,
// life stage, career) and a match that ignores case and accents, so "zoe" finds "Zoë".

#include <string>
#include <string_view>

#include "core/editing/LoadedNeighborhood.h"

namespace kinloom {

// Lower case without accents: Latin letters with diacritics become their base letters ("Ë" →
// "e", "ß" → "ss", "Æ" → "ae"), Greek and Cyrillic capitals their small letters.
std::u16string FoldForSearch(std::u16string_view text);

// What a sim is found by, folded: its names, its household's label, its life stage and its
// career, separated by blanks.
std::u16string SimSearchText(const LoadedNeighborhood& state, const Character& sim);

// Whether every word of the query (split at blanks, folded) occurs in the folded text. An empty
// query matches every sim.
bool SearchMatches(std::u16string_view foldedText, std::u16string_view query);

}  // namespace kinloom
