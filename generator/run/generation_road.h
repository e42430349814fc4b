// The "Generate Map", "Load Map" and "Load Configuration" roads of the main
// window, without the window: the window and the glenmire command both call
// these, so the same settings and seed give the same map from either.
//
// The window's part around them: the Genitize question and the file dialogs
// come first, the save of the shown settings window (MasterClose) just before
// and its reload (MasterOpen) just after.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/generator_state.h"
#include "run/pipeline.h"

namespace glenmire {

inline constexpr const char* kGenitizeQuestion =
    "You have already loaded a map into memory.  Do you want to Genitize it?";
inline constexpr const char* kDefaultConfigName = "Default.gmp";
inline constexpr const char* kLowerCaseConfigName = "default.gmp";  // as earlier versions suggested saving it

// Whether the record can hold this map file name whole; a longer one would be
// cut and the map written somewhere else.
inline bool MapFileNameFits(const std::string& path) {
  return path.size() <= decltype(SettingsRecord::MapFileName)::kCapacity;
}
inline constexpr const char* kMapFileNameTooLong = "the map file name is too long (at most 255 characters)";

// The answer to the Genitize question (asked only when MapLoaded): on No the
// loaded map is dropped; either way the loaded map's size and players go into
// the record (LoadedMapPlayersIntoRecord).
void AnswerGenitizeQuestion(GeneratorState& s, const SettingsRecord& loadedMap, bool genitize);

// Reads a .pud for Genitizing: LoadMapFile and MapLoaded := true. Returns the
// record as the map set it, for the caller to keep and give every run on the
// map (RunOptions::loadedMap). Throws FileError ("File does not exist." for a
// missing file) and then changes nothing.
SettingsRecord LoadMapForGenitize(GeneratorState& s, const std::string& path);
// The same for a map file's bytes already in memory, named `path` in reports.
SettingsRecord LoadMapForGenitize(GeneratorState& s, const std::string& path, const std::vector<uint8_t>& bytes);

// Reads a configuration file into the record and sets the three menu checks
// from it. Throws FileError and then changes nothing.
void LoadConfigurationWithMenu(GeneratorState& s, const std::string& path);

// The menu checks as the record's ShowWarnings, Compensate and SafetyMode say.
void MenuChecksFromRecord(GeneratorState& s);

// Program start: the record from <programDir>/Default.gmp when that file
// exists (or, on a file system that tells case apart, default.gmp when only
// that one does), otherwise SetDefaults; then the menu checks from the
// record. Returns the file loaded, empty for the defaults. When the file
// exists but cannot be read, the defaults are used and the FileError is
// passed on for the caller to show.
std::string LoadStartupSettings(GeneratorState& s, const std::string& programDir);

}  // namespace glenmire
