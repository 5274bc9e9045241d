#include "core/editing/MoveIn.h"

#include <algorithm>
#include <system_error>

#include "core/editing/SimLabels.h"
#include "core/packages/Utf8.h"
#include "core/platform/FileOps.h"
#include "core/platform/Messages.h"

namespace kinloom {

bool CanMoveIn(const Household& household, const Character& sim) {
    return std::find(household.Members.begin(), household.Members.end(), sim.GUID) ==
           household.Members.end();
}

void MoveIn(LoadedNeighborhood& state, Character& sim, Household& household) {
    // Every copy goes: a sim listed twice (or in two households) must end up in one list, once.
    for (const auto& each : state.Households) {
        auto& members = each->Members;
        const auto kept = std::remove(members.begin(), members.end(), sim.GUID);
        if (kept == members.end()) continue;
        members.erase(kept, members.end());
        each->Modified = true;
    }
    household.Members.push_back(sim.GUID);
    household.Modified = true;

    // The description holds the household as 16 bits; 0 would mean "no household".
    if (household.Instance == 0 || household.Instance > 0xFFFF) return;
    const auto family = static_cast<std::int16_t>(static_cast<std::uint16_t>(household.Instance));
    if (sim.FamilyNumber == family) return;
    sim.FamilyNumber = family;
    sim.Modified = true;
}

std::string DeleteSimQuestion(const Character& sim) {
    std::u16string name = DecodeUtf8(sim.FirstName);
    const std::u16string last = DecodeUtf8(sim.LastName);
    if (!name.empty() && !last.empty()) name += u' ';
    name += last;
    std::string text = "You are about to delete the selected Character ";
    if (!name.empty()) text += "\"" + EncodeUtf8(name) + "\" ";
    text += "(" + EncodeUtf8(FileLabel(sim)) + "). Are you sure you want to do this?";
    // The package goes to the trash at once: no Undo brings it back.
    return text + kCannotBeUndone;
}

SimDeleteOutcome DeleteCharacter(LoadedNeighborhood& state, std::size_t index, Messages& messages,
                                 FileOps& files) {
    SimDeleteOutcome outcome;
    if (index >= state.Sims.size()) return outcome;
    Character* sim = state.Sims[index];
    // Only a file directly inside the Characters folder is ever trashed.
    const std::filesystem::path& file = sim->FilePath;
    const auto folder = [](const std::filesystem::path& p) { return (p / "").lexically_normal(); };
    if (!file.has_filename() || folder(file.parent_path()) != folder(state.CharactersFolder))
        return outcome;

    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) return outcome;
    for (const auto& other : state.Characters) {
        if (other.get() == sim || other->BodySourcePath.empty()) continue;
        if (std::filesystem::equivalent(other->BodySourcePath, file, error)) {
            messages.Show(kDeleteBodySourcePending);
            return outcome;
        }
    }
    if (!messages.AskYesNo(DeleteSimQuestion(*sim), DefaultAnswer::No)) return outcome;
    if (!files.DeleteToTrash(file)) {
        messages.Show(kDeleteSimFailed);
        return outcome;
    }

    state.Sims.erase(state.Sims.begin() + static_cast<std::ptrdiff_t>(index));
    std::erase_if(state.Characters, [sim](const auto& owned) { return owned.get() == sim; });
    outcome.Deleted = true;
    if (!state.Sims.empty()) outcome.NextSelection = std::min(index, state.Sims.size() - 1);
    return outcome;
}

}  // namespace kinloom
