#include "gui/map_session.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cstring>

#include "core/atomic_file.h"
#include "gui/path_text.h"
#include "mapfile/map_reader.h"
#include "mapfile/map_sections.h"
#include "run/fair_search.h"
#include "run/generation_road.h"
#include "run/pipeline.h"
#include "run/presets.h"
#include "settings/config_file.h"

namespace glenmire {

namespace {

QString FileNameOf(const std::string& path) { return QFileInfo(PathText(path)).fileName(); }

}  // namespace

MapSession::MapSession(std::string programDir, View& view, GenerationUi& ui)
    : programDir_(std::move(programDir)),
      view_(view),
      ui_(ui),
      state_(MakeGeneratorState()),
      shown_(MakeGeneratorState()),
      cleanSettings_(ZeroRecord()) {}

MapSession::~MapSession() = default;

std::optional<FileError> MapSession::LoadStartupSettings() {
  try {
    const std::string loaded = glenmire::LoadStartupSettings(*state_, programDir_);
    if (!loaded.empty()) documentName_ = FileNameOf(loaded);
  } catch (const FileError& e) {
    return e;
  }
  return std::nullopt;
}

Symmetry MapSession::LoadPreset(const QString& name) {
  const std::string preset = kPresetPrefix + PathBytes(name);
  LoadConfigurationWithMenu(*state_, ResolveConfigPath(preset, programDir_));
  documentName_ = name;
  rules_ = RulesForConfig(preset, programDir_);
  return SymmetryForConfig(preset, programDir_);
}

void MapSession::LoadConfiguration(const std::string& path) {
  LoadConfigurationWithMenu(*state_, path);
  documentName_ = FileNameOf(path);
  rules_ = {};
}

void MapSession::SaveConfiguration(const std::string& path) {
  glenmire::SaveConfiguration(state_->settings, path);
  documentName_ = FileNameOf(path);
}

void MapSession::LoadMap(const std::string& path) {
  loadedMap_ = LoadMapForGenitize(*state_, path);
  // A map's own settings do not say which players were meant to start alike.
  rules_ = {};
  ShowBytes(path, ReadMapFileBytes(path), AllStartAlike());
  documentName_ = FileNameOf(path);
}

void MapSession::AnswerGenitizeQuestion(bool genitize) {
  glenmire::AnswerGenitizeQuestion(*state_, loadedMap_, genitize);
}

bool MapSession::SettingsChanged() const {
  SettingsRecord clean = cleanSettings_;
  clean.MapFileName = state_->settings.MapFileName;
  return std::memcmp(&clean, &state_->settings, sizeof clean) != 0;
}

bool MapSession::CanWriteMap(const QString& file) {
  if (!MapFileNameFits(PathBytes(file))) {
    view_.ShowError("The map file name is too long (at most 255 characters).", file);
    return false;
  }
  try {
    CheckWritable(PathBytes(file));
  } catch (const FileError& e) {
    view_.ShowFileError(e);
    return false;
  }
  return true;
}

void MapSession::Run(const std::optional<std::string>& mapFile, std::optional<uint32_t> keptSeed, bool fairMapsOnly,
                     Symmetry symmetry) {
  GeneratorState& s = *state_;
  const uint32_t seed = keptSeed ? *keptSeed : QRandomGenerator::global()->generate();
  if (fairMapsOnly && !s.MapLoaded) {
    RunFairSearch(mapFile, seed, symmetry);
    return;
  }
  s.random.Seed(seed);
  MemorySink memory;
  FileSink file;
  RunOptions options;
  options.sink = mapFile ? static_cast<MapSink*>(&file) : &memory;
  options.ui = &ui_;
  options.loadedMap = &loadedMap_;
  options.symmetry = symmetry;
  try {
    const RunOutcome outcome = PrepareAndRunGeneration(s, mapFile.value_or(s.settings.MapFileName.str()), options);
    const std::vector<uint8_t>& bytes = mapFile ? file.bytes : memory.bytes;
    if (outcome.MapMade()) ShowBytes(outcome.mapFile, bytes, StartGroupsFromSettings(s.settings));
    ShowOutcome(outcome, seed, !mapFile);
  } catch (const FileError& e) {
    // The record is already the user's again; show why the map was not written.
    view_.ShowProgress(0);
    view_.ShowFileError(e);
  } catch (const std::exception& e) {
    view_.ShowProgress(0);
    view_.ShowError("The map could not be made.", QString::fromLocal8Bit(e.what()));
  }
}

// Fair Maps Only: the command's search with its default rules and tries; no
// question is asked on the way (Build On Sand is answered Cancel).
void MapSession::RunFairSearch(const std::optional<std::string>& mapFile, uint32_t firstSeed, Symmetry symmetry) {
  GeneratorState& s = *state_;
  SettingsRecord& r = s.settings;
  // As Generate Map stores them before its backup.
  if (mapFile) r.MapFileName.assign(*mapFile);
  MenuChecksIntoRecord(s.menu, r);
  const FairSearchRequest request = MakeFairSearchRequest(
      r, s.menu, r.MapFileName.str(), rules_, BuildOnSandAnswer::kCancel, firstSeed, kDefaultFairTries, symmetry);
  const FairSearchResult result = FindFairMap(request, [this](const FairSearchProgress& p) {
    view_.ShowProgress(p.tried * 100 / std::max(p.tries, 1));
    view_.ShowStatus(tr("Looking for a fair map: try %1 of %2, seed %3").arg(p.tried).arg(p.tries).arg(p.seed), true);
    return true;
  });
  view_.ShowProgress(0);
  const uint32_t last = request.firstSeed + static_cast<uint32_t>(std::max(result.tries - 1, 0));
  switch (result.kind) {
    case FairSearchResult::Kind::kRefused:
      view_.ShowStatus(tr("refused"));
      view_.ShowError("This map cannot be made.", Latin1(result.reason));
      return;
    case FairSearchResult::Kind::kNotFound:
    case FairSearchResult::Kind::kStopped: {
      QString why = tr("No map was made.");
      if (auto rule = result.tally.MostCommon())
        why = tr("The rule failed most often (in %1 of %2 tries): %3.")
                  .arg(result.tally.Count(*rule))
                  .arg(result.tries)
                  .arg(QString::fromStdString(DescribeFairRule(request.setup.rules, *rule)));
      view_.ShowStatus(tr("No fair map in %1 tries").arg(result.tries));
      view_.ShowError(
          tr("No fair map was found in %1 tries (seeds %2 to %3).").arg(result.tries).arg(request.firstSeed).arg(last),
          why);
      return;
    }
    case FairSearchResult::Kind::kFound: break;
  }
  lastSeed_ = result.seed;
  view_.ShowSeed(result.seed);
  try {
    if (mapFile) WriteFileAtomically(result.mapFile, result.bytes.data(), result.bytes.size());
  } catch (const FileError& e) {
    view_.ShowFileError(e);
    return;
  }
  ShowBytes(result.mapFile, result.bytes, StartGroupsFromSettings(request.setup.record));
  const QString found = tr("Seed %1: fair after %2 %3")
                            .arg(result.seed)
                            .arg(result.tries)
                            .arg(result.tries == 1 ? tr("try") : tr("tries"));
  view_.ShowStatus(mapFile ? found + ": " + tr("map written to %1").arg(PathText(result.mapFile)) : found);
  if (mapFile) view_.Inform(kDoneCreating);
}

void MapSession::ShowBytes(const std::string& mapFile, const std::vector<uint8_t>& bytes, const StartGroups& groups) {
  // What the preview shows is read back from the very bytes of the map.
  LoadMapBytes(*shown_, mapFile, bytes);
  shown_->MapLoaded = true;
  view_.ShowMap(*shown_, bytes, groups, rules_);
}

void MapSession::ShowOutcome(const RunOutcome& outcome, uint32_t seed, bool preview) {
  lastSeed_ = seed;
  view_.ShowSeed(seed);
  const QString seedText = QStringLiteral("Seed %1").arg(seed);
  switch (outcome.kind) {
    case RunOutcome::Kind::kRefused:
      view_.ShowStatus(seedText + ": " + tr("refused"));
      view_.ShowError("This map cannot be made.", Latin1(outcome.reason));
      return;
    case RunOutcome::Kind::kNoPlayableMap:
      view_.ShowStatus(seedText + ": " + tr("no playable map"));
      view_.Inform(outcome.Message());
      return;
    case RunOutcome::Kind::kMapWritten:
    case RunOutcome::Kind::kMapGenitized:
      if (preview) {
        view_.ShowStatus(seedText + ": " + tr("preview, not saved"));
        return;
      }
      view_.ShowStatus(seedText + ": " + tr("map written to %1").arg(PathText(outcome.mapFile)));
      view_.Inform(outcome.Message());
      return;
  }
}

}  // namespace glenmire
