#include "core/editing/AdvancedSwitch.h"

#include "core/platform/Messages.h"
#include "core/platform/Settings.h"

namespace kinloom {

bool ShowAdvancedWarningIfDue(Settings& settings, Messages& messages) {
    int shown = settings.ReadInteger(kAdvancedWarningCountSetting).value_or(0);
    // A count nobody could have written (below zero) is as good as missing.
    if (shown < 0) shown = 0;
    if (shown >= kAdvancedWarningLimit) return false;
    // Counted before showing, so a warning interrupted by closing the program still counts.
    settings.WriteInteger(kAdvancedWarningCountSetting, shown + 1);
    messages.Show(kAdvancedWarning);
    return true;
}

InstalledPacks ToInstalledPacks(const ExpansionFlags& flags) {
    InstalledPacks packs;
    packs.HasUniversity = flags.HasUniversity;
    packs.HasNightlife = flags.HasNightlife;
    packs.HasBusiness = flags.HasBusiness;
    packs.HasPets = flags.HasPets;
    packs.HasSeasons = flags.HasSeasons;
    packs.HasBonVoyage = flags.HasBonVoyage;
    packs.HasFreeTime = flags.HasFreeTime;
    return packs;
}

AdvancedControls AdvancedControlsFor(bool on, const InstalledPacks& packs, std::uint16_t species) {
    AdvancedControls controls;
    controls.GovernsAspirations = packs.HasFreeTime;
    if (!on) return controls;
    const bool pet = packs.HasPets && species >= 1 && species <= 3;
    const bool everyLaterPack = packs.HasNightlife && packs.HasPets && packs.HasSeasons &&
                                packs.HasBonVoyage && packs.HasFreeTime;
    controls.ShowFitnessAndLocomotion = !pet;
    controls.EnableAgeAndGender = true;
    controls.ShowRelationshipStates = true;
    controls.ShowMoveIn = true;
    controls.EnableNPCType = true;
    controls.EnableUniversityClass = packs.HasUniversity && !everyLaterPack;
    controls.EnableAspirations = packs.HasFreeTime;
    return controls;
}

bool ReadAdvancedSetting(const Settings& settings) {
    return settings.ReadInteger(kAdvancedSetting).value_or(0) == 1;
}

void WriteAdvancedSetting(Settings& settings, bool on) {
    settings.WriteInteger(kAdvancedSetting, on ? 1 : 0);
}

}  // namespace kinloom
