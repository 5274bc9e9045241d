#pragma once
// The Advanced switch's stored state and its warning. The warning that the advanced controls can
// upset the game is shown at most five times per user, ever; every application of the switch
// while on counts, the automatic ones at page openings included.

#include <cstdint>

#include "core/careers/Careers.h"
#include "core/neighborhoods/Discovery.h"

namespace kinloom {

class Messages;
class Settings;

inline constexpr const char* kAdvancedSetting = "Advanced";
inline constexpr const char* kAdvancedWarningCountSetting = "AdvMsgCnt";
inline constexpr int kAdvancedWarningLimit = 5;
inline constexpr const char* kAdvancedWarning =
    "Using the Advanced settings available in this program can have adverse and unusual effects "
    "when using the game.\r\nPlease check the User Guide for details on using each of these "
    "settings and the known effects they may have during game play.";

// Run each time the switch is applied while on: shows the warning and counts it while fewer than
// five have been shown. A missing or unusable count is taken as none shown. True when shown.
bool ShowAdvancedWarningIfDue(Settings& settings, Messages& messages);

// What the switch decides on the pages it governs, for one sim and one installation.
struct AdvancedControls {
    bool ShowFitnessAndLocomotion = false;  // fitness preference and the locomotion-balance row
    bool EnableAgeAndGender = false;        // life stage and the gender buttons
    bool ShowRelationshipStates = false;    // steady, engaged, married, unavailable (both sides)
    bool ShowMoveIn = false;
    bool EnableNPCType = false;
    bool EnableUniversityClass = false;
    // The aspiration lists and their warnings answer to the switch only with FreeTime installed;
    // otherwise their page alone decides.
    bool GovernsAspirations = false;
    bool EnableAspirations = false;  // the two lists enabled, the two warnings shown
};

InstalledPacks ToInstalledPacks(const ExpansionFlags& flags);

// Pets have no fitness preference or locomotion balance to edit. The university class stays
// locked, switch or not, once every later pack is installed.
AdvancedControls AdvancedControlsFor(bool on, const InstalledPacks& packs, std::uint16_t species);

// The switch as stored: on only when the value reads 1; anything else, or nothing, is off.
bool ReadAdvancedSetting(const Settings& settings);
void WriteAdvancedSetting(Settings& settings, bool on);

}  // namespace kinloom
