// Loads a .pud map for Genitizing: the description, players, era, size, unit
// and upgrade statistics, start resources, the tile, movement and region
// grids and the unit list. Sections are found by their tags, so any order and
// any extra sections are fine. The whole file is read and checked first; only
// a file that passes every check changes the state.
#include "mapfile/map_reader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/file_error.h"
#include "mapfile/map_sections.h"
#include "mapfile/pud_layout.h"
#include "settings/defaults.h"

namespace glenmire {
namespace {

std::string Quoted(const char* tag) { return std::string("\"") + tag + "\""; }

const MapSection& Require(const std::string& fileName, const MapSections& sections, const char* tag) {
  const MapSection* section = sections.Find(tag);
  if (!section) throw FileError(fileName, "not a complete map: the " + Quoted(tag) + " section is missing");
  return *section;
}

// The unit or upgrade statistics a section carries, or nullptr when the map
// leaves them to the game's defaults (no section, or its flag word says so).
const MapSection* OwnData(const std::string& fileName, const MapSections& sections, const char* tag,
                          uint32_t fullLength) {
  const MapSection* section = sections.Find(tag);
  if (!section) return nullptr;
  if (!section->Holds(0, 2)) throw FileError(fileName, "the " + Quoted(tag) + " section is too short");
  if (section->Word(0) != 0) return nullptr;
  if (section->length < fullLength)
    throw FileError(fileName, "the " + Quoted(tag) + " section has " + std::to_string(section->length) + " bytes, " +
                                  std::to_string(fullLength) + " expected");
  return section;
}

// Everything a load takes from the file, found and checked.
struct CheckedMap {
  const MapSection* description;
  const MapSection* owners;
  const MapSection* era;
  const MapSection* eraExpansion;
  const MapSection* sides;
  const MapSection* startGold;
  const MapSection* startLumber;
  const MapSection* startOil;
  const MapSection* aiPlayers;
  const MapSection* unitData;     // nullptr: default statistics
  const MapSection* upgradeData;  // nullptr: default statistics
  const MapSection* tiles;
  const MapSection* movement;
  const MapSection* regions;
  const MapSection* units;
  int mapSize;
};

CheckedMap Check(const std::string& fileName, const MapSections& sections) {
  CheckedMap m{};
  const MapSection& dim = Require(fileName, sections, kTagDimensions);
  m.tiles = &Require(fileName, sections, kTagTiles);
  m.movement = &Require(fileName, sections, kTagMovement);
  m.regions = &Require(fileName, sections, kTagRegions);
  m.units = &Require(fileName, sections, kTagUnits);

  if (!dim.Holds(0, 4)) throw FileError(fileName, "the \"DIM \" section is too short");
  const int width = dim.Word(0);
  const int height = dim.Word(2);
  if (width != height)
    throw FileError(fileName, "the map is not square (" + std::to_string(width) + " x " + std::to_string(height) + ")");
  if (!IsMapSize(width))
    throw FileError(fileName, "unsupported map size " + std::to_string(width) + " (must be 32, 64, 96 or 128)");
  m.mapSize = width;

  const uint32_t gridBytes = 2u * static_cast<uint32_t>(width * width);
  for (const MapSection* grid : {m.tiles, m.movement, m.regions})
    if (grid->length != gridBytes)
      throw FileError(fileName, "the " + Quoted(grid->tag) + " section has " + std::to_string(grid->length) +
                                    " bytes, " + std::to_string(gridBytes) + " expected for a " +
                                    std::to_string(width) + " x " + std::to_string(width) + " map");

  if (m.units->length % kUnitRecordBytes != 0)
    throw FileError(fileName, "the \"UNIT\" section's length " + std::to_string(m.units->length) +
                                  " is not a whole number of 8-byte records");
  if (m.units->length > static_cast<uint32_t>(kUnitListBytes))
    throw FileError(fileName, "the map has " + std::to_string(m.units->length / kUnitRecordBytes) +
                                  " units, more than the unit list holds (" +
                                  std::to_string(kUnitListBytes / kUnitRecordBytes) + ")");

  m.unitData = OwnData(fileName, sections, kTagUnitData, udta::kBytes);
  m.upgradeData = OwnData(fileName, sections, kTagUpgradeData, ugrd::kBytes);
  m.description = sections.Find(kTagDescription);
  m.owners = sections.Find(kTagOwners);
  m.era = sections.Find(kTagEra);
  m.eraExpansion = sections.Find(kTagEraExpansion);
  m.sides = sections.Find(kTagSides);
  m.startGold = sections.Find(kTagStartGold);
  m.startLumber = sections.Find(kTagStartLumber);
  m.startOil = sections.Find(kTagStartOil);
  m.aiPlayers = sections.Find(kTagAiPlayers);
  return m;
}

// Per-player bytes; players past a short section keep their values.
void LoadPlayerBytes(const MapSection* section, uint8_t* players) {
  if (!section) return;
  for (int p = 0; p < kPlayers && section->Holds(p, 1); ++p) players[p] = section->Byte(p);
}

void LoadStartAmounts(const MapSection* section, int32_t* amounts) {
  if (!section) return;
  for (int p = 0; p < kPlayers && section->Holds(2 * p, 2); ++p) amounts[p] = section->Word(2 * p);
}

void LoadUnitData(const MapSection* section, SettingsRecord& r) {
  if (!section) {
    // The unit defaults, except that the later units keep their attack range.
    uint8_t laterRanges[kUnitTypes - kAttackRangeSettings];
    std::memcpy(laterRanges, r.UnitAttackRange + kAttackRangeSettings, sizeof laterRanges);
    SetUnitValueDefaults(r);
    std::memcpy(r.UnitAttackRange + kAttackRangeSettings, laterRanges, sizeof laterRanges);
    return;
  }
  const MapSection& d = *section;
  for (int id = 0; id < kUnitIds; ++id) {
    const int k = kSettingOfUnitId[id];
    if (k == 0) continue;
    const int i = k - 1;
    r.UnitVisibleRange[i] = d.Byte(udta::kSightRange + 4 * id);
    r.UnitHitPoints[i] = d.Word(udta::kHitPoints + 2 * id);
    r.UnitMagicPoints[i] = d.Byte(udta::kMagicPoints + id);
    r.UnitBuildTime[i] = d.Byte(udta::kBuildTime + id);
    r.UnitGoldCost[i] = d.Byte(udta::kGoldCost + id);
    r.UnitLumberCost[i] = d.Byte(udta::kLumberCost + id);
    r.UnitOilCost[i] = d.Byte(udta::kOilCost + id);
    // The maps keep the attack range of the later units as constants.
    if (k <= kAttackRangeSettings) r.UnitAttackRange[i] = d.Byte(udta::kAttackRange + id);
    r.UnitArmor[i] = d.Byte(udta::kArmor + id);
    r.UnitBasicDamage[i] = d.Byte(udta::kBasicDamage + id);
    r.UnitPiercingDamage[i] = d.Byte(udta::kPiercingDamage + id);
  }
}

void LoadUpgradeData(const MapSection* section, SettingsRecord& r) {
  if (!section) {
    SetUpgradeValueDefaults(r);
    return;
  }
  const MapSection& u = *section;
  for (int g = 0; g < kUpgrades; ++g) {
    r.UpgradeStepCost[g] = u.Byte(ugrd::kTime + g);
    r.UpgradeGoldCost[g] = u.Word(ugrd::kGold + 2 * g);
    r.UpgradeLumberCost[g] = u.Word(ugrd::kLumber + 2 * g);
    r.UpgradeOilCost[g] = u.Word(ugrd::kOil + 2 * g);
  }
}

void LoadDescription(const MapSection* section, SettingsRecord& r) {
  // A map without a description has an empty one; the text ends at its first zero byte.
  uint8_t length = 0;
  if (section) {
    const uint32_t available = std::min<uint32_t>(section->length, kDescriptionBytes);
    for (uint32_t i = 0; i < available; ++i) r.MapDescription.chars[i] = static_cast<char>(section->Byte(i));
    while (length < available && section->Byte(length) != 0) ++length;
  }
  r.MapDescription.length = length;
}

void Store(const CheckedMap& m, GeneratorState& s) {
  SettingsRecord& r = s.settings;
  const int n = m.mapSize;

  LoadDescription(m.description, r);
  LoadPlayerBytes(m.owners, r.PlayerController);
  if (m.era && m.era->Holds(0, 1)) r.Climate = m.era->Byte(0);
  // The expansion's era overrides the one the original game sees (swamp is 3).
  if (m.eraExpansion && m.eraExpansion->Holds(0, 1)) r.Climate = m.eraExpansion->Byte(0);
  r.MapSize = n;
  LoadUnitData(m.unitData, r);
  LoadUpgradeData(m.upgradeData, r);
  LoadPlayerBytes(m.sides, r.PlayerRace);
  LoadStartAmounts(m.startGold, r.StartGold);
  LoadStartAmounts(m.startLumber, r.StartLumber);
  LoadStartAmounts(m.startOil, r.StartOil);
  LoadPlayerBytes(m.aiPlayers, r.PlayerAI);

  for (int row = 1, i = 0; row <= n; ++row)
    for (int col = 1; col <= n; ++col, ++i) {
      s.TerrainGrid(row, col) = m.tiles->Word(2 * i);
      s.RegionGrid(row, col) = m.regions->Word(2 * i);
    }
  for (int i = 0; i < n * n; ++i) s.MoveGrid.bytes[i] = m.movement->Byte(2 * i);

  std::memcpy(s.UnitList, m.units->body, m.units->length);
  std::memset(s.UnitList + m.units->length, 0, kUnitListBytes - m.units->length);
  s.LoadedUnitSectionLength = m.units->length;
}

}  // namespace

void LoadMapFile(GeneratorState& s, const std::string& fileName) {
  LoadMapBytes(s, fileName, ReadMapFileBytes(fileName));
}

void LoadMapBytes(GeneratorState& s, const std::string& fileName, const std::vector<uint8_t>& bytes) {
  const MapSections sections(fileName, bytes);
  const CheckedMap map = Check(fileName, sections);
  Store(map, s);
}

}  // namespace glenmire
