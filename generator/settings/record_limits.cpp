#include "settings/record_limits.h"

namespace glenmire {

namespace {

constexpr const char* kMapSizeRule = "a map is 32, 64, 96 or 128 cells on a side";

std::string CrittersRule() { return "critters are at most " + std::to_string(kMostCritters); }

}  // namespace

std::optional<std::string> RunRefusal(const SettingsRecord& r) {
  if (!IsMapSize(r.MapSize)) return "MapSize is " + std::to_string(r.MapSize) + "; " + kMapSizeRule;
  for (int p = 0; p < kPlayers; ++p)
    if (r.CrittersPlayer[p] > kMostCritters)
      return "CrittersPlayer[" + std::to_string(p + 1) + "] is " + std::to_string(r.CrittersPlayer[p]) + "; " +
             CrittersRule();
  if (r.CrittersNormal > kMostCritters)
    return "CrittersNormal is " + std::to_string(r.CrittersNormal) + "; " + CrittersRule();
  return std::nullopt;
}

std::optional<std::string> StoredValueRefusal(std::string_view field, int64_t value) {
  if (field == "MapSize" && value != 0 && !IsMapSize(static_cast<int32_t>(value)))
    return "MapSize " + std::to_string(value) + " is not a map size: " + kMapSizeRule + " (0: drawn at random)";
  if ((field == "CrittersPlayer" || field == "CrittersNormal") && value > kMostCritters)
    return std::string(field) + " " + std::to_string(value) + " is too many: " + CrittersRule();
  return std::nullopt;
}

}  // namespace glenmire
