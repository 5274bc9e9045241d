#pragma once
// Household membership and the set of sims: moving a sim into a household, and deleting a sim's
// character package (to the desktop's trash, never for good).

#include <cstddef>
#include <optional>
#include <string>

#include "core/editing/LoadedNeighborhood.h"

namespace kinloom {

class FileOps;
class Messages;

// Whether Move In is offered: the sim is not already one of the household's members.
bool CanMoveIn(const Household& household, const Character& sim);

// Makes sim a member of household: its GUID leaves every other household's member list and is
// appended to this one's (run on a household it already belongs to, it moves to the end of the
// list). Every household that changes is marked Modified. The sim's FamilyNumber is set to name
// its new household, so the game and the Households page agree with the member lists, and the sim
// is marked Modified; a household whose instance does not fit the 16-bit field leaves it as is.
void MoveIn(LoadedNeighborhood& state, Character& sim, Household& household);

// The question before a sim is deleted names the sim and its file, so the user sees which one
// goes: "You are about to delete the selected Character "Anna Bell" (N001_User00003). Are you
// sure you want to do this?" A sim without names is named by its file alone.
std::string DeleteSimQuestion(const Character& sim);
// Ends the questions of steps that change files at once, which Undo cannot take back.
inline constexpr const char* kCannotBeUndone = "\r\nThis cannot be undone.";
inline constexpr const char* kDeleteSimFailed = "Delete Operation Failed.";
// Another sim takes this sim's body at the next save, which needs its character package.
inline constexpr const char* kDeleteBodySourcePending =
    "This sim's body is waiting to be copied to another sim. Save the neighborhood first, then "
    "delete this sim.";
// The Delete button's tooltip: deleting leaves references to the sim behind.
inline constexpr const char* kDeleteSimToolTip =
    "Moves this sim's character file to the trash. The sim's household membership, family ties "
    "and relationships stay in the neighborhood. Make a backup of the neighborhood first.";

struct SimDeleteOutcome {
    bool Deleted = false;
    // The position in the sim list to select afterwards: the same position, or the new last one
    // when the last was deleted; nullopt when nothing was deleted or no sim remains.
    std::optional<std::size_t> NextSelection;
};

// Deletes the sim at position index of the sim list (state.Sims): asks first (No is the default
// answer), then moves its
// character package to the trash and drops the sim from the loaded neighborhood. The neighborhood
// package is not touched, so the sim's description, household membership, family ties and
// relationships stay there. A sim whose package is another sim's pending body source is not
// deleted (the save would need it). No answer Yes, a missing package or an index past the list
// changes nothing; a failed trash is reported and changes nothing either.
SimDeleteOutcome DeleteCharacter(LoadedNeighborhood& state, std::size_t index, Messages& messages,
                                 FileOps& files);

}  // namespace kinloom
