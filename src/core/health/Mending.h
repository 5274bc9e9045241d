#pragma once
// Mending what the health check finds, only where the result is beyond doubt: references to sims
// that exist nowhere are dropped (relationship records and family ties naming a sim number
// without a description, household members whose GUID names neither a character package nor a
// description). Nothing is re-linked and no sim is invented. A backup of the neighborhood comes
// first, then the normal all-or-nothing save, then a second check.

#include <functional>
#include <string>
#include <vector>

#include "core/editing/LoadedNeighborhood.h"
#include "core/health/NeighborhoodHealth.h"

namespace kinloom {

struct MendPlan {
    std::vector<std::string> Changes;  // one line per record to drop, in the player's words
    bool Empty() const { return Changes.empty(); }
};

// What MendSafeProblems would drop from the loaded neighborhood.
MendPlan PlanSafeMends(const LoadedNeighborhood& state, const HealthReport& report);

struct MendOutcome {
    bool Mended = false;  // the drops are on disk
    MendPlan Plan;
    std::optional<std::string> Failure;  // why nothing was changed (or what the save left)
    HealthReport Before;
    HealthReport After;  // checked again after the save
};

// The window's words around the mends.
inline constexpr const char* kMendNeedsSavedText =
    "Save or discard your changes first: mending saves the neighborhood, and would save them "
    "with it.";
inline constexpr const char* kCheckAfterDeleteQuestion =
    "The sim was deleted. Its description, family ties and relationships are still in the "
    "neighborhood.\r\nRun the health check now?";
// "Mending makes a backup of N001 : Pleasantview first, then drops these records and saves: ..."
// with at most 20 lines of the plan.
std::string MendQuestionText(const Neighborhood& neighborhood, const MendPlan& plan);
struct MendOutcome;
std::string MendDoneText(const MendOutcome& outcome);

// Plans the mends; with dryRun stops there. Otherwise makes the backup (a false return stops
// everything, nothing changed), drops the records and saves the neighborhood. A failed save puts
// the records back in memory. The neighborhood must have no other unsaved edit: the save would
// write those too, so it is refused.
MendOutcome MendSafeProblems(LoadedNeighborhood& state, EditingContext& context,
                             const std::function<bool()>& backup, bool dryRun);

}  // namespace kinloom
