#include "settings/settings_fields.h"

#include <array>
#include <cstring>
#include <limits>

namespace glenmire {
namespace {

#define GM_FIELD(name, type, count) \
  FieldInfo { #name, offsetof(SettingsRecord, name), FieldType::type, count }
#define GM_RESERVED(name, count) \
  FieldInfo { #name, offsetof(SettingsRecord, name), FieldType::kReserved, count }

constexpr int P = kPlayers;
constexpr int U = kUnitTypes;
constexpr int G = kUpgrades;

const std::array kFields = {
    GM_FIELD(MapFileName, kShortString, 255),
    GM_FIELD(MapDescription, kShortString, 32),
    GM_FIELD(PlayerController, kUInt8, P),
    GM_FIELD(PlayerRace, kUInt8, P),
    GM_RESERVED(reserved305, 3),
    GM_FIELD(Climate, kInt32, 1),
    GM_RESERVED(reserved312, 3),
    GM_FIELD(Decorations, kInt8, 1),
    GM_FIELD(RetryGeneration, kBool, 1),
    GM_FIELD(HumanControlled, kInt8, 1),
    GM_FIELD(NumberOfPlayers, kInt8, 1),
    GM_RESERVED(reserved319, 18),
    GM_FIELD(UnitVisibleRange, kUInt8, U),
    GM_FIELD(UnitHitPoints, kInt32, U),
    GM_FIELD(UnitMagicPoints, kUInt8, U),
    GM_FIELD(UnitBuildTime, kUInt8, U),
    GM_FIELD(UnitGoldCost, kUInt8, U),
    GM_FIELD(UnitLumberCost, kUInt8, U),
    GM_FIELD(UnitOilCost, kUInt8, U),
    GM_FIELD(UnitAttackRange, kUInt8, U),
    GM_FIELD(UnitArmor, kUInt8, U),
    GM_FIELD(UnitBasicDamage, kUInt8, U),
    GM_FIELD(UnitPiercingDamage, kUInt8, U),
    GM_FIELD(UpgradeStepCost, kUInt8, G),
    GM_RESERVED(reserved1495, 1),
    GM_FIELD(UpgradeGoldCost, kInt32, G),
    GM_FIELD(UpgradeLumberCost, kInt32, G),
    GM_FIELD(UpgradeOilCost, kInt32, G),
    GM_FIELD(StartGold, kInt32, P),
    GM_FIELD(StartLumber, kInt32, P),
    GM_FIELD(StartOil, kInt32, P),
    GM_FIELD(RandomStartGold, kBool, P),
    GM_FIELD(RandomStartLumber, kBool, P),
    GM_FIELD(RandomStartOil, kBool, P),
    GM_FIELD(PlayerAI, kUInt8, P),
    GM_RESERVED(reserved2248, 1),
    GM_FIELD(UnitRace, kChar, U),
    GM_RESERVED(reserved2328, 79),
    GM_FIELD(RandomUnitVisibleRange, kBool, U),
    GM_FIELD(RandomUnitHitPoints, kBool, U),
    GM_FIELD(RandomUnitMagicPoints, kBool, U),
    GM_FIELD(RandomUnitBuildTime, kBool, U),
    GM_FIELD(RandomUnitGoldCost, kBool, U),
    GM_FIELD(RandomUnitLumberCost, kBool, U),
    GM_FIELD(RandomUnitOilCost, kBool, U),
    GM_FIELD(RandomUnitAttackRange, kBool, U),
    GM_FIELD(RandomUnitArmor, kBool, U),
    GM_FIELD(RandomUnitBasicDamage, kBool, U),
    GM_FIELD(RandomUnitPiercingDamage, kBool, U),
    GM_FIELD(RandomUpgradeStepCost, kBool, G),
    GM_FIELD(RandomUpgradeGoldCost, kBool, G),
    GM_FIELD(RandomUpgradeLumberCost, kBool, G),
    GM_FIELD(RandomUpgradeOilCost, kBool, G),
    GM_FIELD(RandomMethod, kUInt8, 1),
    GM_FIELD(RandomExtremity, kInt8, 1),
    GM_RESERVED(reserved3486, 1),
    GM_FIELD(GoldMines, kInt8, 1),
    GM_RESERVED(reserved3488, 1),
    GM_FIELD(RandomGoldMines, kBool, 1),
    GM_RESERVED(reserved3490, 2),
    GM_FIELD(GoldAmount, kInt32, 1),
    GM_RESERVED(reserved3496, 2),
    GM_FIELD(RandomGoldAmount, kBool, 1),
    GM_FIELD(OilPatches, kInt8, 1),
    GM_RESERVED(reserved3500, 1),
    GM_FIELD(RandomOilPatches, kBool, 1),
    GM_RESERVED(reserved3502, 2),
    GM_FIELD(OilAmount, kInt32, 1),
    GM_RESERVED(reserved3508, 2),
    GM_FIELD(RandomOilAmount, kBool, 1),
    GM_RESERVED(reserved3511, 1),
    GM_FIELD(LandWater, kInt8, 1),
    GM_RESERVED(reserved3513, 7),
    GM_FIELD(MapSize, kInt32, 1),
    GM_RESERVED(reserved3524, 2),
    GM_FIELD(BuildableLand, kInt8, 1),
    GM_RESERVED(reserved3527, 5),
    GM_FIELD(RiversEnable, kBool, 1),
    GM_FIELD(Rivers, kInt8, 1),
    GM_RESERVED(reserved3534, 6),
    GM_FIELD(MultipleRivers, kBool, 1),
    GM_FIELD(LakesEnable, kBool, 1),
    GM_FIELD(MultipleLakes, kBool, 1),
    GM_FIELD(Lakes, kInt8, 1),
    GM_RESERVED(reserved3544, 4),
    GM_FIELD(MountainsEnable, kBool, 1),
    GM_FIELD(Mountains, kInt8, 1),
    GM_RESERVED(reserved3550, 6),
    GM_FIELD(ForestEnable, kBool, 1),
    GM_FIELD(Forest, kInt8, 1),
    GM_RESERVED(reserved3558, 6),
    GM_FIELD(RandomLandWater, kBool, 1),
    GM_RESERVED(reserved3565, 10),
    GM_FIELD(BlankMap, kBool, 1),
    GM_FIELD(ReverseLandAndWaterProperties, kBool, 1),
    GM_FIELD(EnableSecretMountainPasses, kBool, 1),
    GM_FIELD(EnableShallowWater, kBool, 1),
    GM_FIELD(EnableImpassibleLand, kBool, 1),
    GM_FIELD(BuildOnSand, kBool, 1),
    GM_RESERVED(reserved3581, 3),
    GM_FIELD(CrittersPlayer, kInt32, P),
    GM_FIELD(CritterRandomPlayer, kBool, P),
    GM_FIELD(CrittersNormal, kInt32, 1),
    GM_FIELD(RandomCritters, kBool, 1),
    GM_FIELD(EnableIslands, kBool, 1),
    GM_FIELD(RandomBuildableLand, kBool, 1),
    GM_FIELD(RandomRivers, kBool, 1),
    GM_FIELD(RandomLakes, kBool, 1),
    GM_FIELD(RandomForest, kBool, 1),
    GM_FIELD(RandomMountains, kBool, 1),
    GM_FIELD(AddWalls, kBool, 1),
    GM_FIELD(AllCompDiff, kUInt8, 1),
    GM_FIELD(AllHumanDiff, kUInt8, 1),
    GM_FIELD(AllComputerPlayers, kBool, 1),
    GM_FIELD(AllHumanPlayers, kBool, 1),
    GM_FIELD(AllHumanPlayersRandom, kBool, 1),
    GM_FIELD(AllCompPlayersRandom, kBool, 1),
    GM_FIELD(PlayersPlaced, kBool, 1),
    GM_FIELD(ReservedFlag, kBool, 1),
    GM_FIELD(MapOutputFile, kOpaque, 332),
    GM_FIELD(ShowWarnings, kBool, 1),
    GM_FIELD(Compensate, kBool, 1),
    GM_FIELD(Difficulty, kInt8, P),
    GM_FIELD(DifficultyRandom, kBool, P),
    GM_FIELD(SafetyMode, kBool, 1),
    GM_FIELD(WC2Directory, kShortString, 255),
    GM_FIELD(WC2Drive, kChar, 1),
};

#undef GM_FIELD
#undef GM_RESERVED

const unsigned char* Bytes(const SettingsRecord& r) { return reinterpret_cast<const unsigned char*>(&r); }
unsigned char* Bytes(SettingsRecord& r) { return reinterpret_cast<unsigned char*>(&r); }

}  // namespace

std::size_t FieldInfo::ElementSize() const {
  switch (type) {
    case FieldType::kInt32: return 4;
    case FieldType::kShortString: return static_cast<std::size_t>(count) + 1;
    default: return 1;
  }
}

std::size_t FieldInfo::Size() const {
  if (type == FieldType::kShortString) return ElementSize();
  return ElementSize() * static_cast<std::size_t>(count);
}

std::span<const FieldInfo> SettingsFields() { return kFields; }

const FieldInfo* FindField(std::string_view name) {
  for (const FieldInfo& f : kFields)
    if (f.name == name) return &f;
  return nullptr;
}

std::string_view FieldTypeName(FieldType type) {
  switch (type) {
    case FieldType::kInt8: return "int8";
    case FieldType::kUInt8: return "uint8";
    case FieldType::kBool: return "bool";
    case FieldType::kInt32: return "int32";
    case FieldType::kChar: return "char";
    case FieldType::kShortString: return "string";
    case FieldType::kOpaque: return "opaque";
    case FieldType::kReserved: return "reserved";
  }
  return "?";
}

NumberRange FieldTypeRange(FieldType type) {
  switch (type) {
    case FieldType::kInt8: return {-128, 127};
    case FieldType::kUInt8:
    case FieldType::kChar: return {0, 255};
    case FieldType::kBool: return {0, 1};
    case FieldType::kInt32: return {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()};
    default: return {0, -1};  // not a number
  }
}

int64_t ReadFieldElement(const SettingsRecord& record, const FieldInfo& field, int index) {
  const unsigned char* p = Bytes(record) + field.offset + field.ElementSize() * static_cast<std::size_t>(index);
  switch (field.type) {
    case FieldType::kInt8: return static_cast<int8_t>(*p);
    case FieldType::kInt32: {
      int32_t v;
      std::memcpy(&v, p, 4);
      return v;
    }
    default: return *p;
  }
}

bool WriteFieldElement(SettingsRecord& record, const FieldInfo& field, int index, int64_t value) {
  if (index < 0 || index >= (field.IsArray() ? field.count : 1)) return false;
  const NumberRange range = FieldTypeRange(field.type);
  if (value < range.lowest || value > range.highest) return false;
  unsigned char* p = Bytes(record) + field.offset + field.ElementSize() * static_cast<std::size_t>(index);
  switch (field.type) {
    case FieldType::kInt8: *p = static_cast<unsigned char>(static_cast<int8_t>(value)); return true;
    case FieldType::kUInt8:
    case FieldType::kChar:
    case FieldType::kBool: *p = static_cast<unsigned char>(value); return true;
    case FieldType::kInt32: {
      int32_t v = static_cast<int32_t>(value);
      std::memcpy(p, &v, 4);
      return true;
    }
    default: return false;
  }
}

std::string ReadFieldString(const SettingsRecord& record, const FieldInfo& field) {
  const unsigned char* p = Bytes(record) + field.offset;
  std::size_t n = p[0];
  if (n > static_cast<std::size_t>(field.count)) n = static_cast<std::size_t>(field.count);
  return std::string(reinterpret_cast<const char*>(p + 1), n);
}

bool WriteFieldString(SettingsRecord& record, const FieldInfo& field, std::string_view text) {
  if (field.type != FieldType::kShortString || text.size() > static_cast<std::size_t>(field.count)) return false;
  unsigned char* p = Bytes(record) + field.offset;
  p[0] = static_cast<unsigned char>(text.size());
  std::memcpy(p + 1, text.data(), text.size());
  return true;
}

}  // namespace glenmire
