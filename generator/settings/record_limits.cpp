#include "settings/record_limits.h"

namespace glenmire {

namespace {

constexpr const char* kMapSizeRule = "a map is 32, 64, 96 or 128 cells on a side";

}  // namespace

std::optional<std::string> RunRefusal(const SettingsRecord& r) {
  if (!IsMapSize(r.MapSize)) return "MapSize is " + std::to_string(r.MapSize) + "; " + kMapSizeRule;
  return std::nullopt;
}

std::optional<std::string> StoredValueRefusal(std::string_view field, int64_t value) {
  if (field == "MapSize" && value != 0 && !IsMapSize(static_cast<int32_t>(value)))
    return "MapSize " + std::to_string(value) + " is not a map size: " + kMapSizeRule + " (0: drawn at random)";
  return std::nullopt;
}

}  // namespace glenmire
