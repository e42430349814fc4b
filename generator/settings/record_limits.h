// What a generation run accepts of a prepared record (randomised, clamped and
// with a loaded map's size taken), and what `config set` lets a field hold.
// The record's layout takes any value; these say which ones make a map.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/settings_record.h"

namespace glenmire {

// The most critters a player or the neutral side can have, as the Critters
// window and the randomiser give them: each is a chance in 400 per cell, and
// more would fill the map one failing search after another.
inline constexpr int32_t kMostCritters = 10;

// Why a run refuses this record, naming the field, its value and what is
// allowed; nothing when the record can be run.
std::optional<std::string> RunRefusal(const SettingsRecord& r);

// Why a stored setting would make every run refuse (MapSize may also be 0,
// drawn at random before the run); nothing when it is fine.
std::optional<std::string> StoredValueRefusal(std::string_view field, int64_t value);

}  // namespace glenmire
