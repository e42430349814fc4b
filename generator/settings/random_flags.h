// The windows' "Set ALL Random" and "Set NONE Random" and
// the main window's "Mayhem" preset as operations on the record.
// A window saves its controls, calls one of these, and reloads; a control is
// disabled exactly when its Random flag is set (the Startup Units and
// Critters windows set their box states themselves).
#pragma once

#include "core/settings_record.h"
#include "settings/reset_defaults.h"

namespace glenmire {

inline constexpr const char* kAllRandomDescription = "Glenmire32 Generated Map";

// "File": MapSize 0, Climate 4, RandomLandWater set, MapDescription :=
// "Glenmire32 Generated Map". NONE is its Reset Defaults.
void SetQuickAllRandom(SettingsRecord& r);
void SetQuickNoneRandom(SettingsRecord& r);
// "Player Options": every race 2 (Random); PlayerController[i] := 0
// ("Rescue (Rnd)") for every player i greater than HumanControlled; every
// PlayerAI 255. NONE: races odd 0 / even 1, controllers odd 5 / even 4, AI 0.
void SetPlayerAllRandom(SettingsRecord& r);
void SetPlayerNoneRandom(SettingsRecord& r);
// "Natural Resources": the four Random flags set / cleared.
void SetResourcesAllRandom(SettingsRecord& r);
void SetResourcesNoneRandom(SettingsRecord& r);
// "Random Method": method 3 ("Random") / 0 ("Ranged Variance Method").
void SetRandomMethodAllRandom(SettingsRecord& r);
void SetRandomMethodNoneRandom(SettingsRecord& r);
// "Startup Units": ALL sets DifficultyRandom[1..8] and clears the four hidden
// all-players boxes (AllComputerPlayers, AllHumanPlayers,
// AllCompPlayersRandom, AllHumanPlayersRandom); NONE clears
// DifficultyRandom[1..8] and the two hidden Random boxes.
void SetDifficultyAllRandom(SettingsRecord& r);
void SetDifficultyNoneRandom(SettingsRecord& r);
// "Critters!": the nine Random flags set / cleared.
void SetCrittersAllRandom(SettingsRecord& r);
void SetCrittersNoneRandom(SettingsRecord& r);
// "Land Attributes": the six Random flags set / cleared (Decorations and the
// plain check boxes unchanged).
void SetLandAllRandom(SettingsRecord& r);
void SetLandNoneRandom(SettingsRecord& r);
// "Units": ALL sets every flag of the eleven arrays for settings numbers
// 1..79; NONE clears them for 1..52 only (53..79 keep theirs).
void SetUnitsAllRandom(SettingsRecord& r);
void SetUnitsNoneRandom(SettingsRecord& r);
// "Upgrade Costs": every flag of the four arrays (1..52) set / cleared.
void SetUpgradesAllRandom(SettingsRecord& r);
void SetUpgradesNoneRandom(SettingsRecord& r);
// "Startup Resources": all 24 flags set / cleared.
void SetStartResAllRandom(SettingsRecord& r);
void SetStartResNoneRandom(SettingsRecord& r);

// By window number (MasterSetAllRandom / MasterSetNoneRandom); a number
// outside 1..10 does nothing.
void SetAllRandom(SettingsWindow window, SettingsRecord& r);
void SetNoneRandom(SettingsWindow window, SettingsRecord& r);

// The main window's "Mayhem" preset (the record part
// only; MasterClose before and MasterOpen after are the window's).
void ApplyMayhem(SettingsRecord& r);

}  // namespace glenmire
