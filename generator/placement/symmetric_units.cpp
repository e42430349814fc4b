#include "placement/symmetric_units.h"

#include <vector>

#include "core/unit_types.h"
#include "placement/unit_list.h"

namespace glenmire {

namespace {

int32_t SectorShare(int32_t count, int images) { return count <= 0 ? count : (count + images - 1) / images; }

// Units of a human and orc pair have ids 2k and 2k + 1.
bool HasRacePair(uint8_t type) {
  constexpr uint8_t kPaired[] = {
      kFootman,        kPeasant,        kBallista,       kKnight,          kElvenArcher,      kMage,
      kHumanOilTanker, kHumanTransport, kElvenDestroyer, kBattleship,      kGnomishSubmarine, kGnomishFlyingMachine,
      kFarm,           kHumanBarracks,  kTownHall,       kElvenLumberMill, kHumanBlacksmith,  kHumanStart};
  for (uint8_t human : kPaired)
    if ((type & ~1u) == human) return true;
  return false;
}

void Put16(uint8_t* at, int value) {
  at[0] = static_cast<uint8_t>(value & 0xFF);
  at[1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

// Rows and columns a ship, aircraft or oil patch may have: odd for the first two, even for patches.
int AlignedTo(uint8_t type) {
  if (IsShip(type) || IsAircraft(type)) return 1;
  if (type == kOilPatch) return 0;
  return -1;
}

}  // namespace

void BeginSectorPlacement(GeneratorState& s, Symmetry mode, SectorPlacement& saved) {
  SettingsRecord& r = s.settings;
  const int images = ImagesOf(mode);
  for (int p = 0; p < kPlayers; ++p) {
    saved.controller[p] = r.PlayerController[p];
    saved.crittersPlayer[p] = r.CrittersPlayer[p];
  }
  saved.goldMines = r.GoldMines;
  saved.oilPatches = r.OilPatches;
  saved.compensate = s.menu.compensate;

  const std::vector<int> active = ActivePlayers(saved.controller);
  const std::size_t sectorPlayers = active.size() / static_cast<std::size_t>(images);
  for (int p = 0; p < kPlayers; ++p)
    if (r.PlayerController[p] != kControllerNobody && !IsActiveController(r.PlayerController[p]))
      r.PlayerController[p] = kControllerNobody;
  for (std::size_t i = sectorPlayers; i < active.size(); ++i) {
    r.PlayerController[active[i]] = kControllerNobody;
    r.CrittersPlayer[active[i]] = 0;
  }
  r.GoldMines = SectorShare(r.GoldMines, images);
  r.OilPatches = SectorShare(r.OilPatches, images);
  s.menu.compensate = false;

  const int side = s.MapSize();
  for (int row = 1; row <= side; ++row)
    for (int column = 1; column <= side; ++column)
      if (!InPlacementSector(mode, side, {row, column}, kSymmetryLineMargin))
        s.OccupancyGrid(row, column) = kOutsideSectorMark;
}

void FinishSectorPlacement(GeneratorState& s, PlacementContext& placement, Symmetry mode, const SectorPlacement& saved,
                           int (*footprintSide)(uint8_t type)) {
  SettingsRecord& r = s.settings;
  for (int p = 0; p < kPlayers; ++p) {
    r.PlayerController[p] = saved.controller[p];
    r.CrittersPlayer[p] = saved.crittersPlayer[p];
  }
  r.GoldMines = saved.goldMines;
  r.OilPatches = saved.oilPatches;
  s.menu.compensate = saved.compensate;

  const int side = s.MapSize();
  for (int row = 1; row <= side; ++row)
    for (int column = 1; column <= side; ++column)
      if (s.OccupancyGrid(row, column) == kOutsideSectorMark) s.OccupancyGrid(row, column) = 0;

  const std::vector<int> active = ActivePlayers(saved.controller);
  const std::span<const Motion> motions = MotionsOf(mode);
  const std::size_t sectorPlayers = active.size() / motions.size();
  // owner[j][o]: the owner of motion j's image of a unit owned by o (0-based; others keep theirs).
  auto ownerOf = [&](std::size_t j, uint8_t owner) -> uint8_t {
    for (std::size_t i = 0; i < sectorPlayers; ++i)
      if (active[i] == owner) return static_cast<uint8_t>(active[j * sectorPlayers + i]);
    return owner;
  };

  const int placed = s.UnitListLength;
  for (std::size_t j = 1; j < motions.size(); ++j)
    for (int at = 0; at + kUnitRecordBytes <= placed; at += kUnitRecordBytes) {
      if (!UnitListHasRoom(s)) return;
      const UnitRecord u = DecodeUnitRecord(s.UnitList + at);
      const int foot = footprintSide(u.type);
      Cell image = FootprintImage(motions[j], side, {u.row, u.column}, foot, foot);
      const int parity = AlignedTo(u.type);
      if (parity >= 0) {
        if (image.row % 2 != parity && image.row > 1) --image.row;
        if (image.column % 2 != parity && image.column > 1) --image.column;
      }
      const uint8_t owner = ownerOf(j, u.owner);
      uint8_t type = u.type;
      if (owner < kPlayers && HasRacePair(type))
        type = static_cast<uint8_t>((type & ~1u) | (r.PlayerRace[owner] == kRaceOrc ? 1u : 0u));
      uint8_t* record = s.UnitList + s.UnitListLength;
      Put16(record, image.column - 1);
      Put16(record + 2, image.row - 1);
      record[4] = type;
      record[5] = owner;
      Put16(record + 6, u.data);
      s.UnitListLength += kUnitRecordBytes;
      if ((type == kTownHall || type == kGreatHall) && owner < kPlayers)
        placement.TownPosition[owner] =
            CellPosition{static_cast<uint8_t>(image.row), static_cast<uint8_t>(image.column)};
    }

  for (std::size_t j = 1; j < motions.size(); ++j)
    for (std::size_t i = 0; i < sectorPlayers; ++i) {
      const int from = active[i], to = active[j * sectorPlayers + i];
      r.StartGold[to] = r.StartGold[from];
      r.StartLumber[to] = r.StartLumber[from];
      r.StartOil[to] = r.StartOil[from];
    }
}

}  // namespace glenmire
