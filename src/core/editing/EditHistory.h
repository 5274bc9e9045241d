#pragma once
// One history of the loaded neighborhood's edits, for Undo and Redo. The window tells it after
// every edit; it finds what changed since the last time (sims, households, family ties, genes,
// relationships, the neighborhood's name) by comparing with its own copy, and keeps the records'
// values before and after as one step. Undo puts the earlier values back, Redo the later ones.
// The unsaved marks follow the values: a record is marked exactly when it differs from what was
// last loaded or saved, so undoing back to the saved state clears the mark.

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/editing/LoadedNeighborhood.h"

namespace kinloom {

class EditHistory {
public:
    static constexpr std::size_t kMostSteps = 500;

    // After a load, a deletion, a restore: no steps, and the records as they are now are the ones
    // on disk.
    void Reset(const LoadedNeighborhood& state);
    // After a save: the records as they are now are on disk; the steps stay.
    void Saved(const LoadedNeighborhood& state);

    // After an edit: what changed since the last call becomes a step called name, or joins the
    // last step when that one has the same non-empty key and changed the same records (a slider
    // drag, a run of keystrokes). False when nothing changed.
    bool Note(LoadedNeighborhood& state, const std::string& name, const std::string& key);

    bool CanUndo() const { return position_ > 0; }
    bool CanRedo() const { return position_ < steps_.size(); }
    std::string UndoName() const { return CanUndo() ? steps_[position_ - 1].Name : ""; }
    std::string RedoName() const { return CanRedo() ? steps_[position_].Name : ""; }
    std::size_t Steps() const { return steps_.size(); }

    // Puts the records of the step back as they were before it (Redo: after it). Returns the
    // sims whose records changed (in the neighborhood's loading order); empty when there was
    // nothing to undo or redo.
    std::vector<Character*> Undo(LoadedNeighborhood& state);
    std::vector<Character*> Redo(LoadedNeighborhood& state);

    // "Revert": every unsaved change of the sim's own records (its values, its genes, its
    // relationships either way) back to what is on disk, as one step. False when nothing differed.
    bool RevertSim(LoadedNeighborhood& state, const Character& sim, const std::string& name);

private:
    // A copy of every record an edit can change. Sims are held without their pictures.
    struct Copy {
        std::vector<const Character*> SimOrder;  // the records' identity: loading order
        std::vector<Character> Sims;
        std::vector<Household> Households;
        std::vector<FamilyTie> Ties;
        std::vector<DNA> Genes;
        std::vector<RelationshipRecord> Relationships;
        std::string Name, Description;
    };
    template <typename T>
    using Change = std::pair<std::size_t, std::pair<T, T>>;  // index, before, after
    struct Step {
        std::string Name, Key;
        std::vector<Change<Character>> Sims;
        std::vector<Change<Household>> Households;
        std::vector<Change<DNA>> Genes;
        std::vector<Change<RelationshipRecord>> Relationships;
        // Whole lists when their length changed (or for ties, always: they are few).
        std::optional<std::pair<std::vector<FamilyTie>, std::vector<FamilyTie>>> Ties;
        std::optional<std::pair<std::vector<RelationshipRecord>, std::vector<RelationshipRecord>>>
            AllRelationships;
        std::optional<
            std::pair<std::pair<std::string, std::string>, std::pair<std::string, std::string>>>
            Names;
        bool SameRecords(const Step& other) const;
    };

    static Copy Take(const LoadedNeighborhood& state);
    std::vector<Character*> Apply(LoadedNeighborhood& state, const Step& step, bool after);
    void MarkAgainstDisk(LoadedNeighborhood& state, const Step& step);
    // Brings the copy of what was seen up to date for the records the step touched only: a
    // neighborhood holds thousands of records, and an edit a handful.
    void Remember(LoadedNeighborhood& state, const Step& step);

    std::vector<Step> steps_;
    std::size_t position_ = 0;  // steps done; steps_[position_..] can be redone
    Copy seen_;                 // the records as the last call left them
    Copy disk_;                 // the records as last loaded or saved
};

}  // namespace kinloom
