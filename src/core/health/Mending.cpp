#include "core/health/Mending.h"

#include <algorithm>

#include "core/careers/Careers.h"
#include "core/editing/FamilyTree.h"
#include "core/editing/SaveNeighborhood.h"
#include "core/packages/Utf8.h"
#include "core/records/FamilyTies.h"

namespace kinloom {

namespace {

bool NamesNobody(const HealthReport& report, const RelationshipRecord& r) {
    return !report.DescribedNumbers.contains(r.SimA) || !report.DescribedNumbers.contains(r.SimB);
}

bool NamesNobody(const HealthReport& report, const FamilyTie& t) {
    return !report.DescribedNumbers.contains(t.Owner) ||
           !report.DescribedNumbers.contains(t.Relative);
}

bool NamesNobody(const HealthReport& report, const FourBytes& member) {
    return !report.KnownGuids.contains(member);
}

}  // namespace

MendPlan PlanSafeMends(const LoadedNeighborhood& state, const HealthReport& report) {
    MendPlan plan;
    for (const RelationshipRecord& r : state.Relationships)
        if (NamesNobody(report, r))
            plan.Changes.push_back("Drop the relationship of sim " + std::to_string(r.SimA) +
                                   " with sim " + std::to_string(r.SimB));
    for (const FamilyTie& t : state.FamilyTies)
        if (NamesNobody(report, t))
            plan.Changes.push_back("Drop the family tie: sim " + std::to_string(t.Owner) + " has " +
                                   TieKindLabel(t.Kind) + " " + std::to_string(t.Relative));
    for (const auto& h : state.Households)
        for (const FourBytes& member : h->Members)
            if (NamesNobody(report, member))
                plan.Changes.push_back("Drop member " + IdText(member) + " from household " +
                                       std::to_string(h->Instance));
    return plan;
}

std::string MendQuestionText(const Neighborhood& neighborhood, const MendPlan& plan) {
    constexpr std::size_t kShown = 20;
    std::string text = "Mending makes a backup of " +
                       EncodeUtf8(NeighborhoodDisplayText(neighborhood)) +
                       " first, then drops these records, which name sims that exist nowhere, "
                       "and saves the neighborhood:";
    for (std::size_t i = 0; i < plan.Changes.size() && i < kShown; ++i)
        text += "\r\n  " + plan.Changes[i];
    if (plan.Changes.size() > kShown)
        text += "\r\n  ... and " + std::to_string(plan.Changes.size() - kShown) + " more";
    return text + "\r\nNothing else changes. Mend now?";
}

std::string MendDoneText(const MendOutcome& outcome) {
    const std::size_t n = outcome.Plan.Changes.size();
    std::string text = "Mended: " + std::to_string(n) + (n == 1 ? " record" : " records") +
                       " dropped, after a backup.";
    const std::size_t left = outcome.After.Count(Severity::Problem);
    if (left > 0)
        text += "\r\n" + std::to_string(left) +
                (left == 1 ? " problem remains" : " problems remain") +
                " that cannot be mended without guessing; the Health Check page lists them.";
    return text;
}

MendOutcome MendSafeProblems(LoadedNeighborhood& state, EditingContext& context,
                             const std::function<bool()>& backup, bool dryRun) {
    MendOutcome outcome;
    outcome.Before = CheckNeighborhood(state);
    outcome.Plan = PlanSafeMends(state, outcome.Before);
    outcome.After = outcome.Before;
    if (dryRun || outcome.Plan.Empty()) return outcome;
    if (state.AnythingModified()) {
        outcome.Failure =
            "The neighborhood has unsaved changes; save or discard them before mending.";
        return outcome;
    }
    if (!backup()) {
        outcome.Failure = "The backup could not be made, so nothing was mended.";
        return outcome;
    }

    // Kept to put back should the save fail: the window goes on showing what is on disk.
    const std::vector<RelationshipRecord> relationships = state.Relationships;
    const std::vector<FamilyTie> ties = state.FamilyTies;
    std::vector<std::vector<FourBytes>> members;
    for (const auto& h : state.Households) members.push_back(h->Members);

    const HealthReport& report = outcome.Before;
    std::erase_if(state.Relationships,
                  [&](const RelationshipRecord& r) { return NamesNobody(report, r); });
    if (std::erase_if(state.FamilyTies, [&](const FamilyTie& t) { return NamesNobody(report, t); }))
        state.FamilyTiesModified = true;
    for (auto& h : state.Households) {
        if (std::erase_if(h->Members, [&](const FourBytes& m) { return NamesNobody(report, m); }))
            h->Modified = true;
    }

    const SaveOutcome saved = SaveNeighborhood(state, context);
    if (!saved.Saved) {
        state.Relationships = relationships;
        state.FamilyTies = ties;
        state.FamilyTiesModified = false;
        for (std::size_t i = 0; i < state.Households.size(); ++i) {
            if (state.Households[i]->Members != members[i]) {
                state.Households[i]->Members = members[i];
                state.Households[i]->Modified = false;
            }
        }
        outcome.Failure = saved.Failure.value_or("The neighborhood was not saved.");
        return outcome;
    }
    outcome.Mended = true;
    outcome.After = CheckNeighborhood(state);
    return outcome;
}

}  // namespace kinloom
