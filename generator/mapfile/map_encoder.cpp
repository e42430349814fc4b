// Encodes the map front to back in one pass: the fixed sections, the unit and
// upgrade data, the players' sections, the four map grids and the unit list.
// Reads the settings, TerrainGrid, MoveGrid, RegionGrid and the unit list and
// changes none of them.
#include "mapfile/map_encoder.h"

#include <string>

#include "core/file_error.h"
#include "mapfile/byte_writer.h"
#include "mapfile/pud_layout.h"
#include "mapfile/region_class.h"
#include "mapfile/unit_tables.h"

namespace glenmire {
namespace {

constexpr uint8_t kTypeTail[] = {0x00, 0x00, 0x0A, 0xFF, 0x02, 0x0D, 0xE7, 0xAA};
constexpr uint16_t kVersion = 17;
constexpr uint8_t kUnusedOwner = 3;  // slots 9..15 belong to nobody
constexpr uint8_t kNeutralSlot = 2;  // slot 16
constexpr uint16_t kUnusedStartAmount = 1000;
constexpr uint8_t kBlankTileByte = 1;

// One per-unit byte array of "UDTA": from the settings where the id has a
// settings number below `fedUpTo`, from the constants otherwise.
template <typename Constants>
void PutUnitBytes(ByteWriter& out, const uint8_t* settings, const Constants& constants, int fedUpTo = kUnitTypes) {
  for (int id = 0; id < kUnitIds; ++id) {
    int k = kSettingOfUnitId[id];
    out.PutByte(k != 0 && k <= fedUpTo ? settings[k - 1] : static_cast<uint8_t>(constants[id]));
  }
}

// The lumber costs as the map carries them: the one fixed by the map size
// takes the place of its setting.
std::array<uint8_t, kUnitTypes> LumberCosts(const SettingsRecord& r) {
  std::array<uint8_t, kUnitTypes> costs;
  std::copy(std::begin(r.UnitLumberCost), std::end(r.UnitLumberCost), costs.begin());
  costs[kFixedLumberSetting - 1] = FixedLumberCost(r.MapSize);
  return costs;
}

template <typename Table>
void PutBytes(ByteWriter& out, const Table& table) {
  for (auto v : table) out.PutByte(static_cast<uint8_t>(v));
}
template <typename Table>
void PutWords(ByteWriter& out, const Table& table) {
  for (auto v : table) out.Put16(v);
}

void PutUnitData(ByteWriter& out, const SettingsRecord& r) {
  out.PutSectionHeader(kTagUnitData, udta::kBytes);
  out.Put16(0);  // the map carries its own unit data
  PutWords(out, kOverlapFrames);
  PutWords(out, kLegacyWordTable);
  for (int id = 0; id < kUnitIds; ++id) {
    int k = kSettingOfUnitId[id];
    out.Put32(k != 0 ? r.UnitVisibleRange[k - 1] : kSightRangeConstants[id]);
  }
  for (int id = 0; id < kUnitIds; ++id) {
    int k = kSettingOfUnitId[id];
    out.Put16(k != 0 ? static_cast<uint32_t>(r.UnitHitPoints[k - 1]) : kHitPointConstants[id]);
  }
  constexpr std::array<uint8_t, kUnitIds> kZero{};
  PutUnitBytes(out, r.UnitMagicPoints, kZero);
  PutUnitBytes(out, r.UnitBuildTime, kBuildTimeConstants);
  PutUnitBytes(out, r.UnitGoldCost, kGoldCostConstants);
  PutUnitBytes(out, LumberCosts(r).data(), kLumberCostConstants);
  PutUnitBytes(out, r.UnitOilCost, kZero);
  for (const auto* size : {&kUnitSize, &kBoxSize})
    for (uint16_t v : *size) {
      out.Put16(v);
      out.Put16(v);
    }
  PutUnitBytes(out, r.UnitAttackRange, kAttackRangeConstants, kAttackRangeSettings);
  PutBytes(out, kReactionRangeComputer);
  PutBytes(out, kReactionRangeHuman);
  PutUnitBytes(out, r.UnitArmor, kArmorConstants);
  PutBytes(out, kSelectableByRectangle);
  PutBytes(out, kPriority);
  PutUnitBytes(out, r.UnitBasicDamage, kBasicDamageConstants);
  PutUnitBytes(out, r.UnitPiercingDamage, kPiercingDamageConstants);
  PutBytes(out, kWeaponsUpgradable);
  PutBytes(out, kArmorUpgradable);
  PutBytes(out, kMissileWeapon);
  PutBytes(out, kMovementType);
  PutBytes(out, kDecayRate);
  PutBytes(out, kAnnoyance);
  PutBytes(out, kSecondButtonAction);
  PutWords(out, kPointsForDestroying);
  PutBytes(out, kCanTarget);
  for (uint32_t v : kUnitFlags) out.Put32(v);
}

void PutUpgradeData(ByteWriter& out, const SettingsRecord& r) {
  out.PutSectionHeader(kTagUpgradeData, ugrd::kBytes);
  out.Put16(0);
  for (uint8_t v : r.UpgradeStepCost) out.PutByte(v);
  for (const int32_t* costs : {r.UpgradeGoldCost, r.UpgradeLumberCost, r.UpgradeOilCost})
    for (int g = 0; g < kUpgrades; ++g) out.Put16(static_cast<uint32_t>(costs[g]));
  PutWords(out, kUpgradeIcon);
  PutWords(out, kUpgradeGroup);
  for (uint32_t v : kUpgradeAffectedUnits) out.Put32(v);
}

void PutPlayerBytes(ByteWriter& out, const char* tag, const uint8_t* players, uint8_t unused, uint8_t last) {
  out.PutSectionHeader(tag, kPlayerSlots);
  out.PutRun(players, kPlayers);
  out.PutBytes(unused, kPlayerSlots - kPlayers - 1);
  out.PutByte(last);
}

void PutStartAmounts(ByteWriter& out, const char* tag, const int32_t* amounts) {
  out.PutSectionHeader(tag, 2 * kPlayerSlots);
  for (int p = 0; p < kPlayers; ++p) out.Put16(static_cast<uint32_t>(amounts[p]));
  for (int p = kPlayers; p < kPlayerSlots; ++p) out.Put16(kUnusedStartAmount);
}

// A 16-bit little-endian value at `at`.
void Store16(uint8_t* at, uint16_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
}

// The high byte of each cell's region value, by tile: those below 0x100 one by
// one, the others by their high byte alone.
struct RegionClassTable {
  uint8_t low[256];
  uint8_t high[256];
};

constexpr RegionClassTable kRegionClass = [] {
  RegionClassTable t{};
  for (int v = 0; v < 256; ++v) {
    t.low[v] = RegionClassByte(static_cast<uint16_t>(v));
    t.high[v] = RegionClassByte(static_cast<uint16_t>(v << 8));
  }
  return t;
}();

// The four grid sections, each written whole into room grown for it.
void PutGrids(ByteWriter& out, const GeneratorState& s, int n) {
  const std::size_t cells = static_cast<std::size_t>(n) * static_cast<std::size_t>(n);
  const uint32_t words = 2u * static_cast<uint32_t>(cells);

  out.PutSectionHeader(kTagTiles, words);
  uint8_t* at = out.Grow(2 * cells);
  for (int row = 1; row <= n; ++row) {
    const uint16_t* tiles = &s.TerrainGrid(row, 1);
    if (s.settings.BlankMap)
      for (int col = 0; col < n; ++col, at += 2) Store16(at, kBlankTileByte);
    else
      for (int col = 0; col < n; ++col, at += 2) Store16(at, tiles[col]);
  }

  // One byte of movement code per cell, its high byte zero.
  out.PutSectionHeader(kTagMovement, words);
  at = out.Grow(2 * cells);
  for (std::size_t i = 0; i < cells; ++i) at[2 * i] = s.MoveGrid.bytes[i];

  out.PutSectionHeader(kTagOilMap, static_cast<uint32_t>(cells));
  out.Grow(cells);  // no oil anywhere

  out.PutSectionHeader(kTagRegions, words);
  at = out.Grow(2 * cells);
  for (int row = 1; row <= n; ++row) {
    const uint16_t* regions = &s.RegionGrid(row, 1);
    const uint16_t* tiles = &s.TerrainGrid(row, 1);
    for (int col = 0; col < n; ++col, at += 2) {
      at[0] = static_cast<uint8_t>(regions[col]);
      const uint16_t tile = tiles[col];
      at[1] = tile < 0x100 ? kRegionClass.low[tile] : kRegionClass.high[tile >> 8];
    }
  }
}

// Room for the whole file, so the buffer grows once.
std::size_t EncodedMapSize(int32_t n, std::size_t unitBytes) {
  constexpr std::size_t kSections = 20;
  const std::size_t cells = static_cast<std::size_t>(n) * static_cast<std::size_t>(n);
  return kSections * kSectionHeaderBytes + 256 + udta::kBytes + ugrd::kBytes + 7 * cells + unitBytes;
}

}  // namespace

std::vector<uint8_t> EncodeMap(const GeneratorState& s) {
  const SettingsRecord& r = s.settings;
  const std::string fileName = r.MapFileName.str();
  const int32_t n = r.MapSize;
  if (!IsMapSize(n))
    throw FileError(fileName, "cannot write a map of size " + std::to_string(n) + " (must be 32, 64, 96 or 128)");
  // A Genitize run writes back the unit section the map came with.
  const int64_t unitBytes = s.MapLoaded ? int64_t{s.LoadedUnitSectionLength} : int64_t{s.UnitListLength};
  if (unitBytes < 0 || unitBytes > kUnitListBytes || unitBytes % kUnitRecordBytes != 0)
    throw FileError(fileName, "the unit list length " + std::to_string(unitBytes) + " is not a whole list of records");

  ByteWriter out(EncodedMapSize(n, static_cast<std::size_t>(unitBytes)));

  out.PutSectionHeader(kTagType, 16);
  out.PutRun(kTypeSignature, sizeof kTypeSignature);
  out.PutRun(kTypeTail, sizeof kTypeTail);

  out.PutSectionHeader(kTagVersion, 2);
  out.Put16(kVersion);

  out.PutSectionHeader(kTagDescription, kDescriptionBytes);
  const std::string description = r.MapDescription.str();
  out.PutRun(reinterpret_cast<const uint8_t*>(description.data()), description.size());
  out.PutBytes(0, kDescriptionBytes - static_cast<int>(description.size()));

  PutPlayerBytes(out, kTagOwners, r.PlayerController, kUnusedOwner, kNeutralSlot);

  // Swamp is an expansion era: the original game sees wasteland.
  out.PutSectionHeader(kTagEra, 2);
  if (r.Climate == kSwampClimate) {
    out.Put16(2);
    out.PutSectionHeader(kTagEraExpansion, 2);
    out.Put16(kSwampClimate);
  } else {
    out.Put16(static_cast<uint8_t>(r.Climate));
  }

  out.PutSectionHeader(kTagDimensions, 4);
  out.Put16(static_cast<uint32_t>(n));
  out.Put16(static_cast<uint32_t>(n));

  PutUnitData(out, r);
  PutUpgradeData(out, r);

  PutPlayerBytes(out, kTagSides, r.PlayerRace, 0, kNeutralSlot);
  PutStartAmounts(out, kTagStartGold, r.StartGold);
  PutStartAmounts(out, kTagStartLumber, r.StartLumber);
  PutStartAmounts(out, kTagStartOil, r.StartOil);
  PutPlayerBytes(out, kTagAiPlayers, r.PlayerAI, 0, 0);

  PutGrids(out, s, n);

  out.PutSectionHeader(kTagUnits, static_cast<uint32_t>(unitBytes));
  out.PutRun(s.UnitList, static_cast<std::size_t>(unitBytes));
  return out.Take();
}

}  // namespace glenmire
