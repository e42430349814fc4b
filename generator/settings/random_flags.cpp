#include "settings/random_flags.h"

#include <cstring>

namespace glenmire {

namespace {

void Fill(uint8_t* flags, int count, uint8_t value) { std::memset(flags, value, static_cast<std::size_t>(count)); }

void FillUnitFlags(SettingsRecord& r, int count, uint8_t value) {
  for (UnitFlagArray flags : kRandomUnitFlags) Fill(r.*flags, count, value);
}

void FillUpgradeFlags(SettingsRecord& r, uint8_t value) {
  for (UpgradeFlagArray flags : kRandomUpgradeFlags) Fill(r.*flags, kUpgrades, value);
}

void FillStartResFlags(SettingsRecord& r, uint8_t value) {
  Fill(r.RandomStartGold, kPlayers, value);
  Fill(r.RandomStartLumber, kPlayers, value);
  Fill(r.RandomStartOil, kPlayers, value);
}

void FillLandFlags(SettingsRecord& r, uint8_t value) {
  r.RandomLandWater = value;
  r.RandomBuildableLand = value;
  r.RandomRivers = value;
  r.RandomLakes = value;
  r.RandomForest = value;
  r.RandomMountains = value;
}

void FillCritterFlags(SettingsRecord& r, uint8_t value) {
  r.RandomCritters = value;
  Fill(r.CritterRandomPlayer, kPlayers, value);
}

void FillResourceFlags(SettingsRecord& r, uint8_t value) {
  r.RandomGoldMines = value;
  r.RandomOilPatches = value;
  r.RandomGoldAmount = value;
  r.RandomOilAmount = value;
}

}  // namespace

void SetQuickAllRandom(SettingsRecord& r) {
  r.MapSize = 0;
  r.Climate = kClimateRandom;
  r.RandomLandWater = 1;
  r.MapDescription.assign(kAllRandomDescription);
}

void SetQuickNoneRandom(SettingsRecord& r) { ResetQuickDefaults(r); }

void SetPlayerAllRandom(SettingsRecord& r) {
  for (int i = 1; i <= kPlayers; ++i) {
    r.PlayerRace[i - 1] = 2;
    if (i > r.HumanControlled) r.PlayerController[i - 1] = kControllerRescueRandom;
    r.PlayerAI[i - 1] = kAiRandom;
  }
}

void SetPlayerNoneRandom(SettingsRecord& r) {
  for (int i = 1; i <= kPlayers; ++i) {
    bool odd = i % 2 == 1;
    r.PlayerRace[i - 1] = odd ? 0 : 1;
    r.PlayerController[i - 1] = odd ? kControllerHuman : kControllerComputer;
    r.PlayerAI[i - 1] = kAiLandAttack;
  }
}

void SetResourcesAllRandom(SettingsRecord& r) { FillResourceFlags(r, 1); }
void SetResourcesNoneRandom(SettingsRecord& r) { FillResourceFlags(r, 0); }

void SetRandomMethodAllRandom(SettingsRecord& r) { r.RandomMethod = kRandomMethodRandom; }
void SetRandomMethodNoneRandom(SettingsRecord& r) { r.RandomMethod = kRangedVarianceMethod; }

void SetDifficultyAllRandom(SettingsRecord& r) {
  Fill(r.DifficultyRandom, kPlayers, 1);
  r.AllComputerPlayers = 0;
  r.AllHumanPlayers = 0;
  r.AllCompPlayersRandom = 0;
  r.AllHumanPlayersRandom = 0;
}

void SetDifficultyNoneRandom(SettingsRecord& r) {
  Fill(r.DifficultyRandom, kPlayers, 0);
  r.AllCompPlayersRandom = 0;
  r.AllHumanPlayersRandom = 0;
}

void SetCrittersAllRandom(SettingsRecord& r) { FillCritterFlags(r, 1); }
void SetCrittersNoneRandom(SettingsRecord& r) { FillCritterFlags(r, 0); }

void SetLandAllRandom(SettingsRecord& r) { FillLandFlags(r, 1); }
void SetLandNoneRandom(SettingsRecord& r) { FillLandFlags(r, 0); }

void SetUnitsAllRandom(SettingsRecord& r) { FillUnitFlags(r, kUnitTypes, 1); }
void SetUnitsNoneRandom(SettingsRecord& r) { FillUnitFlags(r, 52, 0); }  // 53..79 keep theirs

void SetUpgradesAllRandom(SettingsRecord& r) { FillUpgradeFlags(r, 1); }
void SetUpgradesNoneRandom(SettingsRecord& r) { FillUpgradeFlags(r, 0); }

void SetStartResAllRandom(SettingsRecord& r) { FillStartResFlags(r, 1); }
void SetStartResNoneRandom(SettingsRecord& r) { FillStartResFlags(r, 0); }

void SetAllRandom(SettingsWindow window, SettingsRecord& r) {
  switch (window) {
    case SettingsWindow::kFile: SetQuickAllRandom(r); break;
    case SettingsWindow::kPlayer: SetPlayerAllRandom(r); break;
    case SettingsWindow::kResources: SetResourcesAllRandom(r); break;
    case SettingsWindow::kUpgrades: SetUpgradesAllRandom(r); break;
    case SettingsWindow::kStartRes: SetStartResAllRandom(r); break;
    case SettingsWindow::kDifficulty: SetDifficultyAllRandom(r); break;
    case SettingsWindow::kUnits: SetUnitsAllRandom(r); break;
    case SettingsWindow::kLand: SetLandAllRandom(r); break;
    case SettingsWindow::kRandom: SetRandomMethodAllRandom(r); break;
    case SettingsWindow::kCritters: SetCrittersAllRandom(r); break;
  }
}

void SetNoneRandom(SettingsWindow window, SettingsRecord& r) {
  switch (window) {
    case SettingsWindow::kFile: SetQuickNoneRandom(r); break;
    case SettingsWindow::kPlayer: SetPlayerNoneRandom(r); break;
    case SettingsWindow::kResources: SetResourcesNoneRandom(r); break;
    case SettingsWindow::kUpgrades: SetUpgradesNoneRandom(r); break;
    case SettingsWindow::kStartRes: SetStartResNoneRandom(r); break;
    case SettingsWindow::kDifficulty: SetDifficultyNoneRandom(r); break;
    case SettingsWindow::kUnits: SetUnitsNoneRandom(r); break;
    case SettingsWindow::kLand: SetLandNoneRandom(r); break;
    case SettingsWindow::kRandom: SetRandomMethodNoneRandom(r); break;
    case SettingsWindow::kCritters: SetCrittersNoneRandom(r); break;
  }
}

void ApplyMayhem(SettingsRecord& r) {
  r.MapSize = 0;
  r.Climate = kClimateRandom;
  FillLandFlags(r, 1);
  Fill(r.PlayerRace, kPlayers, 2);
  Fill(r.PlayerAI, kPlayers, kAiRandom);
  FillResourceFlags(r, 1);
  FillUpgradeFlags(r, 1);
  FillStartResFlags(r, 1);
  Fill(r.DifficultyRandom, kPlayers, 1);
  FillUnitFlags(r, 52, 1);  // unit types 1..52 only; 53..79 keep their flags
  FillCritterFlags(r, 1);
  r.RandomMethod = 3;
  r.RandomExtremity = 100;
}

}  // namespace glenmire
