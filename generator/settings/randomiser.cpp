#include "settings/randomiser.h"

namespace glenmire {

namespace {

// GCC and Clang both have it; the products below need at most 96 bits.
__extension__ typedef unsigned __int128 u128;

// 0.01 in 80-bit extended: mantissa 0xA3D70A3D70A3D70A, value mantissa * 2^-70.
constexpr uint64_t kPercentMantissa = 0xA3D70A3D70A3D70AULL;
constexpr int kPercentExponent = -70;

int BitLength(u128 x) {
  int n = 0;
  while (x != 0) {
    x >>= 1;
    ++n;
  }
  return n;
}

// A non-negative number mantissa * 2^exponent.
struct Extended {
  u128 mantissa;
  int exponent;
};

// Rounds to a 64-bit mantissa, to nearest with ties to even, as the x87 does.
Extended RoundTo64Bits(Extended x) {
  int extra = BitLength(x.mantissa) - 64;
  if (extra <= 0) return x;
  u128 kept = x.mantissa >> extra;
  u128 dropped = x.mantissa & ((u128{1} << extra) - 1);
  u128 half = u128{1} << (extra - 1);
  if (dropped > half || (dropped == half && (kept & 1) != 0)) ++kept;
  x.exponent += extra;
  if (BitLength(kept) > 64) {  // rounded up to the next power of two
    kept >>= 1;
    ++x.exponent;
  }
  x.mantissa = kept;
  return x;
}

uint64_t TruncateToInteger(Extended x) {
  if (x.exponent >= 0) return static_cast<uint64_t>(x.mantissa << x.exponent);
  if (x.exponent <= -128) return 0;
  return static_cast<uint64_t>(x.mantissa >> -x.exponent);
}

}  // namespace

int32_t ExtendedPercent(int32_t s, int32_t e) {
  // Rounding to nearest and truncation toward zero are symmetric in the sign,
  // so work on magnitudes.
  bool negative = (s < 0) != (e < 0);
  uint64_t magS = s < 0 ? 0 - static_cast<uint64_t>(static_cast<int64_t>(s)) : static_cast<uint64_t>(s);
  uint64_t magE = e < 0 ? 0 - static_cast<uint64_t>(static_cast<int64_t>(e)) : static_cast<uint64_t>(e);
  Extended factor = RoundTo64Bits({u128{magE} * kPercentMantissa, kPercentExponent});  // e * k
  Extended product = RoundTo64Bits({factor.mantissa * magS, factor.exponent});         // s * (e * k)
  int64_t whole = static_cast<int64_t>(TruncateToInteger(product));
  return static_cast<int32_t>(negative ? -whole : whole);
}

namespace {

// Plain 32-bit integer arithmetic: wraps, never traps.
int32_t Add(int32_t a, int32_t b) { return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b)); }
int32_t Sub(int32_t a, int32_t b) { return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b)); }

int32_t Draw(Random& random, int32_t n) { return random.RandInt(n); }

// "Random" draws one of the methods before it.
constexpr int32_t kDrawnMethods = kRandomMethodRandom;

}  // namespace

int32_t RandomValue(const SettingsRecord& r, Random& random, int32_t lo, int32_t hi, int32_t centre) {
  const int32_t extremity = r.RandomExtremity;  // signed byte
  const int32_t c = centre;
  const int32_t down = Sub(c, lo);
  const int32_t up = Sub(hi, c);

  int method = r.RandomMethod;
  if (method == kRandomMethodRandom) method = Draw(random, kDrawnMethods);

  int32_t result;
  switch (method) {
    case kRangedVarianceMethod: {  // ranged variance: up to E % of the nearer side, either way
      int32_t span = up > down ? down : up;
      int32_t bound = ExtendedPercent(span, extremity);
      int32_t amount = Draw(random, bound);
      result = Draw(random, 2) == 0 ? Sub(c, amount) : Add(c, amount);
      break;
    }
    case kWeightedVarianceMethod: {  // weighted variance: half the extremity, towards the nearer side
      int32_t half = extremity / 2;
      if (down < up) {
        int32_t g = ExtendedPercent(down, half);
        result = Add(g, Draw(random, Add(Sub(c, g), 1)));
      } else {
        int32_t g = ExtendedPercent(up, half);
        result = Add(c, Draw(random, Add(Sub(g, c), 1)));
      }
      break;
    }
    case kRawVarianceMethod:  // raw variance: anything in lo..hi
      result = Add(lo, Draw(random, Add(Sub(hi, lo), 1)));
      break;
    default:  // not a method the windows can store: no draw
      result = c;
      break;
  }
  if (result < lo) result = lo;
  if (result > hi) result = hi;
  return result;
}

namespace {

// The record's method and extremity with the run's random generator.
struct Drawer {
  SettingsRecord& r;
  Random& random;

  int32_t Value(int32_t lo, int32_t hi, int32_t centre) { return RandomValue(r, random, lo, hi, centre); }

  void UpgradeArray(int32_t* values, const uint8_t* flags) {
    for (int j = 0; j < kUpgrades; ++j)
      if (flags[j]) values[j] = Value(0, 255, values[j]);
  }
  void UnitBytes(uint8_t* values, const uint8_t* flags, int32_t hi) {
    for (int k = 0; k < kUnitTypes; ++k)
      if (flags[k]) values[k] = static_cast<uint8_t>(Value(0, hi, values[k]));
  }
  void Start(int32_t* values, const uint8_t* flags) {
    for (int p = 0; p < kPlayers; ++p)
      if (flags[p]) values[p] = Value(0, 65535, 1000);
  }
};

}  // namespace

void RandomiseSettings(SettingsRecord& r, Random& random, bool mapLoaded) {
  Drawer d{r, random};

  // 1. Map size.
  if (r.MapSize == 0) {
    r.MapSize = kMapSizes[Draw(random, 4)];
  }
  // 2. Climate.
  if (r.Climate == kClimateRandom) r.Climate = Draw(random, kClimateSwamp + 1);

  // 3. Land amounts, around the defaults rather than the current values.
  if (r.RandomLandWater) r.LandWater = static_cast<int8_t>(d.Value(0, 100, 20));
  if (r.RandomLakes) r.Lakes = static_cast<int8_t>(d.Value(0, 100, 30));
  if (r.RandomMountains) r.Mountains = static_cast<int8_t>(d.Value(0, 100, 20));
  if (r.RandomBuildableLand) r.BuildableLand = static_cast<int8_t>(d.Value(0, 100, 80));
  if (r.RandomForest) r.Forest = static_cast<int8_t>(d.Value(0, 100, 40));
  if (r.RandomRivers) r.Rivers = static_cast<int8_t>(d.Value(0, 100, 30));

  // 4. Natural resources; the oil patches' upper bound is their current number.
  if (r.RandomGoldMines) r.GoldMines = static_cast<int8_t>(d.Value(0, 20, r.NumberOfPlayers));
  if (r.RandomGoldAmount) r.GoldAmount = d.Value(0, 255, 26);
  if (r.RandomOilPatches) r.OilPatches = static_cast<int8_t>(d.Value(0, r.OilPatches, r.NumberOfPlayers));
  if (r.RandomOilAmount) r.OilAmount = d.Value(0, 255, 26);

  // 5. Startup-unit levels; the hidden all-players levels take no part.
  r.AllHumanPlayers = 0;
  r.AllComputerPlayers = 0;
  for (int p = 0; p < kPlayers; ++p)
    if (r.PlayerController[p] != kControllerNobody && r.DifficultyRandom[p])
      r.Difficulty[p] = static_cast<int8_t>(1 + Draw(random, 10));

  // 6. Upgrades, one whole array after the other.
  for (int j = 0; j < kUpgrades; ++j)
    if (r.RandomUpgradeStepCost[j]) r.UpgradeStepCost[j] = static_cast<uint8_t>(d.Value(0, 255, r.UpgradeStepCost[j]));
  d.UpgradeArray(r.UpgradeGoldCost, r.RandomUpgradeGoldCost);
  d.UpgradeArray(r.UpgradeLumberCost, r.RandomUpgradeLumberCost);
  d.UpgradeArray(r.UpgradeOilCost, r.RandomUpgradeOilCost);

  // 7. Start resources, around 1000 whatever the current value.
  d.Start(r.StartGold, r.RandomStartGold);
  d.Start(r.StartLumber, r.RandomStartLumber);
  d.Start(r.StartOil, r.RandomStartOil);

  // 8. Units, one whole array after the other; armour comes last.
  d.UnitBytes(r.UnitVisibleRange, r.RandomUnitVisibleRange, 9);
  for (int k = 0; k < kUnitTypes; ++k)
    if (r.RandomUnitHitPoints[k]) r.UnitHitPoints[k] = d.Value(0, 65535, r.UnitHitPoints[k]);
  d.UnitBytes(r.UnitMagicPoints, r.RandomUnitMagicPoints, 255);
  d.UnitBytes(r.UnitBuildTime, r.RandomUnitBuildTime, 255);
  d.UnitBytes(r.UnitGoldCost, r.RandomUnitGoldCost, 255);
  d.UnitBytes(r.UnitLumberCost, r.RandomUnitLumberCost, 255);
  d.UnitBytes(r.UnitOilCost, r.RandomUnitOilCost, 255);
  d.UnitBytes(r.UnitAttackRange, r.RandomUnitAttackRange, 15);
  d.UnitBytes(r.UnitBasicDamage, r.RandomUnitBasicDamage, 255);
  d.UnitBytes(r.UnitPiercingDamage, r.RandomUnitPiercingDamage, 255);
  d.UnitBytes(r.UnitArmor, r.RandomUnitArmor, 255);

  // 9. A loaded map being Genitized keeps its players and critters.
  if (mapLoaded) return;

  // 10. Critters.
  for (int p = 0; p < kPlayers; ++p)
    if (r.CritterRandomPlayer[p]) r.CrittersPlayer[p] = 1 + Draw(random, 10);
  if (r.RandomCritters) r.CrittersNormal = 1 + Draw(random, 10);

  // 11. Races.
  for (int p = 0; p < kPlayers; ++p)
    if (r.PlayerRace[p] == kRaceRandom) r.PlayerRace[p] = static_cast<uint8_t>(Draw(random, 2));

  // 12. "Rescue (Rnd)" becomes passive or active rescue.
  for (int p = 0; p < kPlayers; ++p)
    if (r.PlayerController[p] == kControllerRescueRandom)
      r.PlayerController[p] = static_cast<uint8_t>(kControllerRescuePassive + Draw(random, 2));

  // 13. Computer behaviour.
  static constexpr uint8_t kBehaviours[4] = {kAiLandAttack, kAiPassive, kAiSeaAttack, kAiAirAttack};
  for (int p = 0; p < kPlayers; ++p)
    if (r.PlayerAI[p] == kAiRandom) r.PlayerAI[p] = kBehaviours[Draw(random, 4)];
}

namespace {

template <typename T, typename Bound>
void Clamp(T& value, Bound low, Bound high) {
  if (value < low) value = static_cast<T>(low);
  if (value > high) value = static_cast<T>(high);
}

template <typename T, typename Bound>
void AtLeast(T& value, Bound low) {
  if (value < low) value = static_cast<T>(low);
}

template <typename T, typename Bound>
void AtMost(T& value, Bound high) {
  if (value > high) value = static_cast<T>(high);
}

}  // namespace

void ApplySafetyClamps(SettingsRecord& r) {
  // Percentages compare as signed bytes.
  AtLeast(r.LandWater, 30);
  AtMost(r.Mountains, 25);
  AtMost(r.Lakes, 50);
  AtLeast(r.BuildableLand, 25);
  Clamp(r.Forest, 20, 50);

  // Decorations compare unsigned here: a stored -1 reads as 255.
  uint8_t decorations = static_cast<uint8_t>(r.Decorations);
  Clamp(decorations, 2, 20);
  r.Decorations = static_cast<int8_t>(decorations);

  // One to three mines and patches per player, the lower bound first.
  const int players = r.NumberOfPlayers;
  Clamp(r.GoldMines, players, 3 * players);
  Clamp(r.OilPatches, players, 3 * players);

  Clamp(r.GoldAmount, 6, 50);
  Clamp(r.OilAmount, 6, 50);

  for (int p = 0; p < kPlayers; ++p) {
    Clamp(r.StartGold[p], 1000, 10000);
    Clamp(r.StartLumber[p], 1000, 10000);
    Clamp(r.StartOil[p], 1000, 10000);
  }

  for (int k = 0; k < kUnitTypes; ++k) {
    Clamp(r.UnitVisibleRange[k], 3, 9);
    Clamp(r.UnitHitPoints[k], 30, 150);
    AtMost(r.UnitMagicPoints[k], 1);
    Clamp(r.UnitBuildTime[k], 45, 250);
    Clamp(r.UnitGoldCost[k], 40, 120);
    AtMost(r.UnitLumberCost[k], 45);
    AtMost(r.UnitOilCost[k], 100);
    Clamp(r.UnitAttackRange[k], 1, 8);
    Clamp(r.UnitArmor[k], 2, 10);
    Clamp(r.UnitBasicDamage[k], 3, 130);
    Clamp(r.UnitPiercingDamage[k], 2, 16);
  }

  for (int j = 0; j < kUpgrades; ++j) {
    Clamp(r.UpgradeStepCost[j], 100, 250);
    Clamp(r.UpgradeGoldCost[j], 500, 2400);
    Clamp(r.UpgradeLumberCost[j], 100, 900);
    Clamp(r.UpgradeOilCost[j], 0, 3000);
  }
}

}  // namespace glenmire
