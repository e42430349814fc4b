#include "settings/reset_defaults.h"

#include "settings/defaults.h"
#include "settings/random_flags.h"

namespace glenmire {

void ResetQuickDefaults(SettingsRecord& r) {
  r.MapSize = kResetMapSize;
  r.Climate = kResetClimate;
  r.RandomLandWater = 0;
  r.LandWater = kResetQuickLandWater;
}

void ResetPlayerDefaults(SettingsRecord& r) { SetPlayerNoneRandom(r); }

void ResetResourcesDefaults(SettingsRecord& r) {
  r.RandomGoldMines = 0;
  r.RandomOilPatches = 0;
  r.RandomGoldAmount = 0;
  r.RandomOilAmount = 0;
  r.GoldAmount = kResetGoldAmount;
  r.OilAmount = kResetOilAmount;
  r.GoldMines = r.NumberOfPlayers;
  r.OilPatches = r.NumberOfPlayers;
}

void ResetRandomMethodDefaults(SettingsRecord& r) {
  r.RandomMethod = kResetRandomMethod;
  r.RandomExtremity = kResetRandomExtremity;
}

void ResetUpgradeDefaults(SettingsRecord& r) {
  SetUpgradeValueDefaults(r);
  ClearUpgradeRandomFlags(r);
}

void ResetStartResDefaults(SettingsRecord& r) {
  SetStartResNoneRandom(r);
  for (int p = 0; p < kPlayers; ++p) {
    r.StartGold[p] = kResetStartResource;
    r.StartLumber[p] = kResetStartResource;
    r.StartOil[p] = kResetStartResource;
  }
}

void ResetDifficultyDefaults(SettingsRecord& r) {
  for (int p = 0; p < kPlayers; ++p) {
    r.DifficultyRandom[p] = 0;
    r.Difficulty[p] = kResetDifficulty;
  }
  r.AllComputerPlayers = 0;
  r.AllHumanPlayers = 0;
  r.AllCompPlayersRandom = 0;
  r.AllHumanPlayersRandom = 0;
  r.AllCompDiff = kResetAllDiff;
  r.AllHumanDiff = kResetAllDiff;
}

void ResetUnitDefaults(SettingsRecord& r) {
  ClearUnitRandomFlags(r);
  SetUnitValueDefaults(r);
}

void ResetLandDefaults(SettingsRecord& r) {
  SetLandNoneRandom(r);
  r.LandWater = kLandReset.LandWater;
  r.BuildableLand = kLandReset.BuildableLand;
  r.Rivers = kLandReset.Rivers;
  r.Lakes = kLandReset.Lakes;
  r.Forest = kLandReset.Forest;
  r.Mountains = kLandReset.Mountains;
  r.Decorations = kLandReset.Decorations;
}

void ResetCritterDefaults(SettingsRecord& r) {
  SetCrittersNoneRandom(r);
  r.CrittersNormal = kResetCrittersNormal;
  for (int p = 0; p < kPlayers; ++p) r.CrittersPlayer[p] = kResetCrittersPlayer;
}

void ResetDefaults(SettingsWindow window, SettingsRecord& r) {
  switch (window) {
    case SettingsWindow::kFile: ResetQuickDefaults(r); break;
    case SettingsWindow::kPlayer: ResetPlayerDefaults(r); break;
    case SettingsWindow::kResources: ResetResourcesDefaults(r); break;
    case SettingsWindow::kUpgrades: ResetUpgradeDefaults(r); break;
    case SettingsWindow::kStartRes: ResetStartResDefaults(r); break;
    case SettingsWindow::kDifficulty: ResetDifficultyDefaults(r); break;
    case SettingsWindow::kUnits: ResetUnitDefaults(r); break;
    case SettingsWindow::kLand: ResetLandDefaults(r); break;
    case SettingsWindow::kRandom: ResetRandomMethodDefaults(r); break;
    case SettingsWindow::kCritters: ResetCritterDefaults(r); break;
  }
}

void SynchQuickStart(SettingsRecord& r) {
  int players = 0;
  int notHuman = 0;
  for (int p = 0; p < kPlayers; ++p) {
    if (r.PlayerController[p] != kControllerNobody) ++players;
    if (r.PlayerController[p] != kControllerHuman) ++notHuman;
  }
  r.NumberOfPlayers = static_cast<int8_t>(players);
  r.HumanControlled = static_cast<int8_t>(notHuman);
}

}  // namespace glenmire
