#include "gui/editing/SimList.h"

#include <QSignalBlocker>

namespace kinloom::gui {

void SimList::Fill(const LoadedNeighborhood& state, const Character* select) {
    QSignalBlocker quiet(combo_);
    combo_.clear();
    int selected = state.Sims.empty() ? -1 : 0;
    for (std::size_t i = 0; i < state.Sims.size(); ++i) {
        combo_.addItem(QString::fromStdU16String(SimLabel(*state.Sims[i], state.Form)));
        if (state.Sims[i] == select) selected = static_cast<int>(i);
    }
    combo_.setCurrentIndex(selected);
}

void SimList::Clear() {
    QSignalBlocker quiet(combo_);
    combo_.clear();
}

Character* SimList::Selected(const LoadedNeighborhood& state) const {
    const int i = combo_.currentIndex();
    if (i < 0 || i >= static_cast<int>(state.Sims.size())) return nullptr;
    return state.Sims[static_cast<std::size_t>(i)];
}

}  // namespace kinloom::gui
