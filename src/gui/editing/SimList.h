#pragma once
// cbUserName: one item per sim, in the loaded neighborhood's list order, so item i is always
// Sims[i] and the window never keeps an order of its own.

#include <QComboBox>

#include "core/editing/LoadedNeighborhood.h"

namespace kinloom::gui {

class SimList {
public:
    explicit SimList(QComboBox& combo) : combo_(combo) {}

    // Refills the list from the neighborhood's sims (labels in its form) and selects the given
    // sim, or the first when it is not listed.
    void Fill(const LoadedNeighborhood& state, const Character* select);
    void Clear();

    Character* Selected(const LoadedNeighborhood& state) const;

private:
    QComboBox& combo_;
};

}  // namespace kinloom::gui
