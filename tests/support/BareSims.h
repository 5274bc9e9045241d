#pragma once
// Neighborhoods held in memory for tests of family ties: sims with little more than their
// description instance and first name.

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <utility>

#include "core/editing/LoadedNeighborhood.h"

namespace kinloom::test {

// Adds one sim for each (description instance, first name), listed in the order given; each is
// otherwise a copy of like.
inline void AddBareSims(LoadedNeighborhood& state,
                        std::initializer_list<std::pair<std::uint32_t, const char*>> sims,
                        const Character& like = Character{}) {
    for (const auto& [instance, name] : sims) {
        auto sim = std::make_unique<Character>(like);
        sim->DescriptionInstance = instance;
        sim->FirstName = name;
        state.Sims.push_back(sim.get());
        state.Characters.push_back(std::move(sim));
    }
}

}  // namespace kinloom::test
