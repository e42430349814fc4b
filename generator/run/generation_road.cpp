#include "run/generation_road.h"

#include <filesystem>
#include <system_error>

#include "mapfile/map_reader.h"
#include "settings/config_file.h"
#include "settings/defaults.h"
#include "core/file_error.h"
#include "settings/randomiser.h"

namespace glenmire {

namespace {

void CopyLoadedMapPlayers(GeneratorState& s) {
  const SettingsRecord& m = s.LoadedMapSettings;
  s.settings.HumanControlled = m.HumanControlled;
  s.settings.NumberOfPlayers = m.NumberOfPlayers;
  s.settings.MapSize = m.MapSize;
  for (int p = 0; p < kPlayers; ++p) s.settings.PlayerController[p] = m.PlayerController[p];
}

// Anything there, a broken link included, is for the reader to accept or refuse.
bool Exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}

}  // namespace

void AnswerGenitizeQuestion(GeneratorState& s, bool genitize) {
  if (!genitize) s.MapLoaded = false;
  CopyLoadedMapPlayers(s);
}

RunOutcome PrepareAndRunGeneration(GeneratorState& s, const std::string& mapFileName, const RunOptions& options) {
  SettingsRecord& r = s.settings;
  r.MapFileName.assign(mapFileName);
  r.ShowWarnings = s.menu.showWarnings ? 1 : 0;
  r.Compensate = s.menu.compensate ? 1 : 0;
  r.SafetyMode = s.menu.safetyMode ? 1 : 0;
  s.SettingsBackup = r;

  if (!s.MapLoaded) {
    r.RiversEnable = r.Rivers > 0;
    r.LakesEnable = r.Lakes > 0;
    r.ForestEnable = r.Forest > 0;
    r.MountainsEnable = r.Mountains > 0;
  } else {
    CopyLoadedMapPlayers(s);
  }

  RunOutcome outcome;
  try {
    RandomiseSettings(s.settings, s.random, s.MapLoaded);
    if (s.menu.safetyMode) ApplySafetyClamps(s.settings);
    outcome = RunGeneration(s, options);
  } catch (...) {
    s.settings = s.SettingsBackup;
    throw;
  }
  s.ui->Progress(0);
  s.settings = s.SettingsBackup;
  return outcome;
}

void LoadMapForGenitize(GeneratorState& s, const std::string& path) {
  LoadMapFile(s, path);
  s.MapLoaded = true;
  s.LoadedMapSettings = s.settings;
}

void LoadMapForGenitize(GeneratorState& s, const std::string& path, const std::vector<uint8_t>& bytes) {
  LoadMapBytes(s, path, bytes);
  s.MapLoaded = true;
  s.LoadedMapSettings = s.settings;
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

void LoadStartupSettings(GeneratorState& s, const std::string& programDir) {
  std::filesystem::path file = std::filesystem::path(programDir) / kDefaultConfigName;
  if (!Exists(file.string())) {
    SetDefaults(s.settings);
    MenuChecksFromRecord(s);
    return;
  }
  try {
    LoadConfigurationWithMenu(s, file.string());
  } catch (const FileError&) {
    SetDefaults(s.settings);
    MenuChecksFromRecord(s);
    throw;
  }
}

}  // namespace glenmire
