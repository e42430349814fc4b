#include "run/generation_road.h"

#include <filesystem>
#include <system_error>

#include "core/file_error.h"
#include "mapfile/map_reader.h"
#include "settings/config_file.h"
#include "settings/defaults.h"

namespace glenmire {

namespace {

// Anything there, a broken link included, is for the reader to accept or refuse.
bool Exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}

}  // namespace

void AnswerGenitizeQuestion(GeneratorState& s, const SettingsRecord& loadedMap, bool genitize) {
  if (!genitize) s.MapLoaded = false;
  LoadedMapPlayersIntoRecord(loadedMap, s.settings);
}

SettingsRecord LoadMapForGenitize(GeneratorState& s, const std::string& path) {
  LoadMapFile(s, path);
  s.MapLoaded = true;
  return s.settings;
}

SettingsRecord LoadMapForGenitize(GeneratorState& s, const std::string& path, const std::vector<uint8_t>& bytes) {
  LoadMapBytes(s, path, bytes);
  s.MapLoaded = true;
  return s.settings;
}

void MenuChecksFromRecord(GeneratorState& s) {
  s.menu.showWarnings = s.settings.ShowWarnings != 0;
  s.menu.compensate = s.settings.Compensate != 0;
  s.menu.safetyMode = s.settings.SafetyMode != 0;
}

void LoadConfigurationWithMenu(GeneratorState& s, const std::string& path) {
  LoadConfiguration(s.settings, path);
  MenuChecksFromRecord(s);
}

std::string LoadStartupSettings(GeneratorState& s, const std::string& programDir) {
  std::string file = (std::filesystem::path(programDir) / kDefaultConfigName).string();
  if (!Exists(file)) file = (std::filesystem::path(programDir) / kLowerCaseConfigName).string();
  if (!Exists(file)) {
    SetDefaults(s.settings);
    MenuChecksFromRecord(s);
    return {};
  }
  try {
    LoadConfigurationWithMenu(s, file);
  } catch (const FileError&) {
    SetDefaults(s.settings);
    MenuChecksFromRecord(s);
    throw;
  }
  return file;
}

}  // namespace glenmire
