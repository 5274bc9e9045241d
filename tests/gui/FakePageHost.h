#pragma once
// A window for one page in a test: it answers what a page asks from plain members, counts what
// the page tells it, and lets a harness override any answer (the sim shown, the neighborhood).

#include <algorithm>
#include <filesystem>

#include "FakeDialogs.h"
#include "FakeMessages.h"
#include "core/editing/EditingModel.h"
#include "core/neighborhoods/Discovery.h"
#include "core/platform/Settings.h"
#include "gui/editors/PageHost.h"

namespace kinloom::gui {

class FakePageHost : public PageHost {
public:
    Character* current = nullptr;
    LoadedNeighborhood* loaded = nullptr;
    ExpansionFlags packs{};
    bool advanced = false;
    std::filesystem::path userData;
    std::filesystem::path documents;
    int gameLanguage = 1;
    int saveOffered = 0;
    int relabelled = 0;
    int lastProgress = -1;
    std::uint64_t clock = 1;
    TraitRandom random{[this] { return clock; }};
    test::FakeMessages messages;
    MemorySettings settings;
    test::FakeDialogs dialogs;

    Character* CurrentSim() override { return current; }
    LoadedNeighborhood* Neighborhood() override { return loaded; }
    const ExpansionFlags& Packs() const override { return packs; }
    bool AdvancedOn() const override { return advanced; }
    std::filesystem::path UserData() const override { return userData; }
    std::filesystem::path Documents() const override { return documents; }
    int GameLanguage() const override { return gameLanguage; }
    void ShowSave() override { ++saveOffered; }
    void RelabelCurrentSim() override { ++relabelled; }
    void SelectSim(Character& sim) override { current = &sim; }
    void ShowProgress(int position, int maximum) override {
        lastProgress = std::clamp(position, 0, std::max(maximum, 1));
    }
    std::optional<SchemeColors> Scheme() const override { return std::nullopt; }
    TraitRandom& Random() override { return random; }
    kinloom::Messages& Messages() override { return messages; }
    kinloom::Settings& Settings() override { return settings; }
    kinloom::Dialogs& Dialogs() override { return dialogs; }
};

}  // namespace kinloom::gui
