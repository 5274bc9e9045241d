#include "core/editing/EditHistory.h"

#include <algorithm>

#include "core/editing/DescriptionIndex.h"

namespace kinloom {

namespace {

// A sim's record without its picture: pictures are not edited, and copying one per step would
// make the history large.
Character WithoutPicture(Character& sim) {
    SimThumbnail picture;
    std::swap(sim.Thumbnail, picture);
    Character copy = sim;
    std::swap(sim.Thumbnail, picture);
    return copy;
}

bool SameRecord(Character& live, const Character& copy) {
    SimThumbnail picture;
    std::swap(live.Thumbnail, picture);
    const bool same = live == copy;
    std::swap(live.Thumbnail, picture);
    return same;
}

// Whether a record differs from its copy on disk, its own unsaved mark aside.
template <typename T, typename Mark>
bool DiffersFromDisk(const T& record, const T& disk, Mark T::*mark) {
    T a = record;
    T b = disk;
    a.*mark = {};
    b.*mark = {};
    return !(a == b);
}

}  // namespace

bool EditHistory::Step::SameRecords(const Step& other) const {
    const auto indexes = [](const auto& changes) {
        std::vector<std::size_t> out;
        for (const auto& c : changes) out.push_back(c.first);
        return out;
    };
    return indexes(Sims) == indexes(other.Sims) &&
           indexes(Households) == indexes(other.Households) &&
           indexes(Genes) == indexes(other.Genes) &&
           indexes(Relationships) == indexes(other.Relationships) &&
           Ties.has_value() == other.Ties.has_value() &&
           AllRelationships.has_value() == other.AllRelationships.has_value() &&
           Names.has_value() == other.Names.has_value();
}

EditHistory::Copy EditHistory::Take(const LoadedNeighborhood& state) {
    Copy copy;
    for (const auto& sim : state.Characters) {
        copy.SimOrder.push_back(sim.get());
        copy.Sims.push_back(WithoutPicture(*sim));
    }
    for (const auto& h : state.Households) copy.Households.push_back(*h);
    copy.Ties = state.FamilyTies;
    copy.Genes = state.DNAList;
    copy.Relationships = state.Relationships;
    copy.Name = state.Selected.NGBDName;
    copy.Description = state.Selected.NGBDDescription;
    return copy;
}

void EditHistory::Reset(const LoadedNeighborhood& state) {
    steps_.clear();
    position_ = 0;
    seen_ = Take(state);
    disk_ = seen_;
}

void EditHistory::Saved(const LoadedNeighborhood& state) {
    seen_ = Take(state);
    disk_ = seen_;
}

bool EditHistory::Note(LoadedNeighborhood& state, const std::string& name, const std::string& key) {
    // Sims, households or genes added or taken away are no edit this history can take back
    // (a deletion clears it): start again from here rather than pair records wrongly.
    bool sameShape = state.Characters.size() == seen_.SimOrder.size() &&
                     state.Households.size() == seen_.Households.size() &&
                     state.DNAList.size() == seen_.Genes.size();
    for (std::size_t i = 0; sameShape && i < state.Characters.size(); ++i)
        sameShape = state.Characters[i].get() == seen_.SimOrder[i];
    if (!sameShape) {
        const Copy disk = disk_;
        Reset(state);
        disk_ = disk;
        return false;
    }

    Step step;
    step.Name = name;
    step.Key = key;
    for (std::size_t i = 0; i < state.Characters.size(); ++i) {
        Character& live = *state.Characters[i];
        if (!SameRecord(live, seen_.Sims[i]))
            step.Sims.push_back({i, {seen_.Sims[i], WithoutPicture(live)}});
    }
    for (std::size_t i = 0; i < state.Households.size(); ++i)
        if (!(*state.Households[i] == seen_.Households[i]))
            step.Households.push_back({i, {seen_.Households[i], *state.Households[i]}});
    for (std::size_t i = 0; i < state.DNAList.size(); ++i)
        if (!(state.DNAList[i] == seen_.Genes[i]))
            step.Genes.push_back({i, {seen_.Genes[i], state.DNAList[i]}});
    if (state.Relationships.size() != seen_.Relationships.size()) {
        step.AllRelationships = {seen_.Relationships, state.Relationships};
    } else {
        for (std::size_t i = 0; i < state.Relationships.size(); ++i)
            if (!(state.Relationships[i] == seen_.Relationships[i]))
                step.Relationships.push_back({i, {seen_.Relationships[i], state.Relationships[i]}});
    }
    if (state.FamilyTies != seen_.Ties) step.Ties = {seen_.Ties, state.FamilyTies};
    if (state.Selected.NGBDName != seen_.Name ||
        state.Selected.NGBDDescription != seen_.Description)
        step.Names = {{seen_.Name, seen_.Description},
                      {state.Selected.NGBDName, state.Selected.NGBDDescription}};

    const bool nothing = step.Sims.empty() && step.Households.empty() && step.Genes.empty() &&
                         step.Relationships.empty() && !step.AllRelationships && !step.Ties &&
                         !step.Names;
    if (nothing) return false;

    // The marks follow the values: an edit that puts a value back as it is on disk unmarks it.
    MarkAgainstDisk(state, step);
    const bool merge = !key.empty() && position_ == steps_.size() && position_ > 0 &&
                       steps_.back().Key == key && steps_.back().SameRecords(step);
    if (merge) {
        Step& last = steps_.back();
        for (std::size_t i = 0; i < step.Sims.size(); ++i)
            last.Sims[i].second.second = std::move(step.Sims[i].second.second);
        for (std::size_t i = 0; i < step.Households.size(); ++i)
            last.Households[i].second.second = std::move(step.Households[i].second.second);
        for (std::size_t i = 0; i < step.Genes.size(); ++i)
            last.Genes[i].second.second = std::move(step.Genes[i].second.second);
        for (std::size_t i = 0; i < step.Relationships.size(); ++i)
            last.Relationships[i].second.second = step.Relationships[i].second.second;
        if (step.Ties) last.Ties->second = std::move(step.Ties->second);
        if (step.AllRelationships)
            last.AllRelationships->second = std::move(step.AllRelationships->second);
        if (step.Names) last.Names->second = std::move(step.Names->second);
    } else {
        steps_.resize(position_);  // a new edit drops what could have been redone
        steps_.push_back(std::move(step));
        if (steps_.size() > kMostSteps) steps_.erase(steps_.begin());
        position_ = steps_.size();
    }
    Remember(state, steps_.back());
    return true;
}

void EditHistory::Remember(LoadedNeighborhood& state, const Step& step) {
    for (const auto& change : step.Sims)
        seen_.Sims[change.first] = WithoutPicture(*state.Characters[change.first]);
    for (const auto& change : step.Households)
        seen_.Households[change.first] = *state.Households[change.first];
    for (const auto& change : step.Genes) seen_.Genes[change.first] = state.DNAList[change.first];
    // Marks may change on any relationship (they follow the disk), so the list is taken whole
    // only when its length changed or a step touched it.
    if (step.AllRelationships || seen_.Relationships.size() != state.Relationships.size()) {
        seen_.Relationships = state.Relationships;
    } else {
        for (std::size_t i = 0; i < state.Relationships.size(); ++i)
            if (!(seen_.Relationships[i] == state.Relationships[i]))
                seen_.Relationships[i] = state.Relationships[i];
    }
    seen_.Ties = state.FamilyTies;
    seen_.Name = state.Selected.NGBDName;
    seen_.Description = state.Selected.NGBDDescription;
}

std::vector<Character*> EditHistory::Apply(LoadedNeighborhood& state, const Step& step,
                                           bool after) {
    std::vector<Character*> changed;
    for (const auto& [i, values] : step.Sims) {
        Character& live = *state.Characters[i];
        SimThumbnail picture = std::move(live.Thumbnail);
        live = after ? values.second : values.first;
        live.Thumbnail = std::move(picture);
        changed.push_back(&live);
    }
    for (const auto& [i, values] : step.Households)
        *state.Households[i] = after ? values.second : values.first;
    for (const auto& [i, values] : step.Genes)
        state.DNAList[i] = after ? values.second : values.first;
    for (const auto& [i, values] : step.Relationships)
        state.Relationships[i] = after ? values.second : values.first;
    if (step.AllRelationships)
        state.Relationships = after ? step.AllRelationships->second : step.AllRelationships->first;
    if (step.Ties) state.FamilyTies = after ? step.Ties->second : step.Ties->first;
    if (step.Names) {
        const auto& [name, description] = after ? step.Names->second : step.Names->first;
        state.Selected.NGBDName = name;
        state.Selected.NGBDDescription = description;
    }
    MarkAgainstDisk(state, step);
    Remember(state, step);
    return changed;
}

void EditHistory::MarkAgainstDisk(LoadedNeighborhood& state, const Step& step) {
    for (const auto& change : step.Sims) {
        Character& live = *state.Characters[change.first];
        const Character bare = WithoutPicture(live);
        live.Modified = DiffersFromDisk(bare, disk_.Sims[change.first], &Character::Modified);
    }
    for (const auto& change : step.Households) {
        Household& live = *state.Households[change.first];
        live.Modified = DiffersFromDisk(live, disk_.Households[change.first], &Household::Modified);
    }
    for (const auto& change : step.Genes) {
        DNA& live = state.DNAList[change.first];
        live.Modified = DiffersFromDisk(live, disk_.Genes[change.first], &DNA::Modified);
    }
    if (state.Relationships.size() == disk_.Relationships.size()) {
        for (std::size_t i = 0; i < state.Relationships.size(); ++i) {
            RelationshipRecord& live = state.Relationships[i];
            live.Modified =
                DiffersFromDisk(live, disk_.Relationships[i], &RelationshipRecord::Modified) ? 1
                                                                                             : 0;
        }
    }
    if (step.Ties) state.FamilyTiesModified = state.FamilyTies != disk_.Ties;
    if (step.Names)
        state.Selected.Modified = state.Selected.NGBDName != disk_.Name ||
                                          state.Selected.NGBDDescription != disk_.Description
                                      ? 1
                                      : 0;
}

std::vector<Character*> EditHistory::Undo(LoadedNeighborhood& state) {
    if (!CanUndo()) return {};
    --position_;
    return Apply(state, steps_[position_], false);
}

std::vector<Character*> EditHistory::Redo(LoadedNeighborhood& state) {
    if (!CanRedo()) return {};
    ++position_;
    return Apply(state, steps_[position_ - 1], true);
}

bool EditHistory::RevertSim(LoadedNeighborhood& state, const Character& sim,
                            const std::string& name) {
    const auto at = std::find(disk_.SimOrder.begin(), disk_.SimOrder.end(), &sim);
    if (at == disk_.SimOrder.end() || state.Characters.size() != disk_.SimOrder.size())
        return false;
    const std::size_t i = static_cast<std::size_t>(at - disk_.SimOrder.begin());
    Character& live = *state.Characters[i];
    SimThumbnail picture = std::move(live.Thumbnail);
    live = disk_.Sims[i];
    live.Thumbnail = std::move(picture);
    if (state.DNAList.size() == disk_.Genes.size()) {
        for (std::size_t g = 0; g < state.DNAList.size(); ++g)
            if (state.DNAList[g].Instance == sim.DescriptionInstance)
                state.DNAList[g] = disk_.Genes[g];
    }
    if (sim.DescriptionInstance != kNoDescription &&
        state.Relationships.size() == disk_.Relationships.size()) {
        const auto number = static_cast<std::uint16_t>(sim.DescriptionInstance & 0xFFFF);
        for (std::size_t r = 0; r < state.Relationships.size(); ++r) {
            const RelationshipRecord& record = state.Relationships[r];
            if (record.SimA == number || record.SimB == number)
                state.Relationships[r] = disk_.Relationships[r];
        }
    }
    return Note(state, name, "");
}

}  // namespace kinloom
