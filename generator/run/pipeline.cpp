// The stage table and its loop. Each row says what it shows (progress and
// status text), when it runs and what it does; the loop reports, runs and
// lets an observer look. The order of the rows is the order of the random
// draws, so it is what a seed means.
#include "run/pipeline.h"

#include <cinttypes>
#include <cstdio>
#include <optional>

#include "core/atomic_file.h"
#include "core/cell_pool.h"
#include "core/file_error.h"
#include "mapfile/map_encoder.h"
#include "placement/move_map.h"
#include "placement/players.h"
#include "placement/region_map.h"
#include "placement/resources.h"
#include "placement/symmetric_units.h"
#include "placement/unit_list.h"
#include "report/unit_names.h"
#include "settings/randomiser.h"
#include "settings/record_limits.h"
#include "terrain/coastline.h"
#include "terrain/decorations.h"
#include "terrain/island_mass.h"
#include "terrain/land_fills.h"
#include "terrain/rivers_and_ranges.h"
#include "terrain/symmetric_terrain.h"

namespace glenmire {

namespace {

// Passes everything on and writes a trace line at every status and question.
class TracingUi : public GenerationUi {
 public:
  TracingUi(GenerationUi& inner, std::string& trace, const Random& random)
      : inner_(inner), trace_(trace), random_(random) {}
  void Progress(int percent) override { inner_.Progress(percent); }
  void Status(const std::string& text) override {
    trace_ += FormatTraceLine("status", text, random_);
    inner_.Status(text);
  }
  BuildOnSandAnswer AskBuildOnSand(const std::string& text) override {
    trace_ += FormatTraceLine("ask", "build_on_sand", random_);
    return inner_.AskBuildOnSand(text);
  }
  UnplacedAnswer AskUnplaced(const std::string& text) override {
    trace_ += FormatTraceLine("ask", "unplaced", random_);
    return inner_.AskUnplaced(text);
  }

 private:
  GenerationUi& inner_;
  std::string& trace_;
  const Random& random_;
};

// Little buildable land, or a land-water mix that leaves the islands narrow,
// offers building on sand.
constexpr int32_t kLittleBuildableLand = 15;
constexpr int32_t kNarrowLandWaterLow = 5;
constexpr int32_t kNarrowLandWaterHigh = 10;

// ---- when a row reports or works ----

bool OnIslandMass(const GeneratorState& s) { return !s.StartIslandsMode; }
bool RiversOn(const GeneratorState& s) { return OnIslandMass(s) && s.settings.RiversEnable; }
bool LakesOn(const GeneratorState& s) { return s.settings.LakesEnable; }
bool MountainsRan(const GeneratorState& s) { return OnIslandMass(s) && s.settings.MountainsEnable; }
bool MountainsOrStartIslands(const GeneratorState& s) { return s.StartIslandsMode || s.settings.MountainsEnable; }
bool ForestOn(const GeneratorState& s) { return OnIslandMass(s) && s.settings.ForestEnable; }
bool SafetyMode(const GeneratorState& s) { return s.menu.safetyMode; }
bool PlayersPlaced(const GeneratorState& s) { return s.settings.PlayersPlaced != 0; }
bool Symmetric(const GeneratorState& s) { return s.symmetry != Symmetry::kNone; }

// ---- what a row does ----

// What every attempt starts from.
void StartAttempt(GeneratorState& s) {
  s.settings.RetryGeneration = 0;
  s.settings.PlayersPlaced = 1;
  s.StartIslandsMode = false;
  s.UnitListLength = 0;
  s.OccupancyGrid.Fill(s.MapSize(), 0);
}

void IslandMass(GeneratorState& s, RunContext&) { BuildIslandMass(s); }

void Rivers(GeneratorState& s, RunContext&) { CarveRivers(s); }

void Lakes(GeneratorState& s, RunContext&) { PaintLakes(s); }

void Coastline(GeneratorState& s, RunContext&) { ShapeCoastline(s); }

// Start islands have no mountains; their centres become grass instead.
void Mountains(GeneratorState& s, RunContext&) {
  if (s.StartIslandsMode)
    GrassStartIslandCentres(s);
  else
    RaiseMountains(s);
}

void BuildableLand(GeneratorState& s, RunContext&) { PaintBuildableLand(s); }

void GrassEdges(GeneratorState& s, RunContext&) { EdgeGrass(s); }

void Forest(GeneratorState& s, RunContext&) { PaintForest(s); }

void Regions(GeneratorState& s, RunContext&) { BuildRegionMap(s); }

void MovementMap(GeneratorState& s, RunContext&) { BuildMoveMap(s); }

// Little buildable land: offer building on sand (whatever "Show Warnings"
// says); then clear the placement marks.
void BuildOnSandQuestion(GeneratorState& s, RunContext& run) {
  SettingsRecord& r = s.settings;
  const bool narrowLand = r.LandWater >= kNarrowLandWaterLow && r.LandWater <= kNarrowLandWaterHigh;
  if (!r.BuildOnSand && (r.BuildableLand < kLittleBuildableLand || narrowLand)) {
    if (run.ui.AskBuildOnSand(kBuildOnSandQuestion) == BuildOnSandAnswer::kOk) r.BuildOnSand = 1;
  }
  s.OccupancyGrid.Fill(s.MapSize(), 0);
  s.ScratchGrid.Fill(s.MapSize(), 0);
}

void GoldMines(GeneratorState& s, RunContext& run) { PlaceGoldPhase(s, run.placement); }
void OilPatches(GeneratorState& s, RunContext& run) { PlaceOilPhase(s, run.placement); }
void Towns(GeneratorState& s, RunContext& run) { PlaceTownPhase(s, run.placement); }
void Units(GeneratorState& s, RunContext& run) { PlaceUnitPhase(s, run.placement); }

void CloseUnits(GeneratorState& s, RunContext& run) {
  CloseUnitList(s);
  run.placement.pool.PoolFree();
}

void SafetyClamps(GeneratorState& s, RunContext&) { ApplySafetyClamps(s.settings); }

// With "Show Warnings" a failed placement asks; without, it stays failed.
void PlayersQuestion(GeneratorState& s, RunContext& run) {
  SettingsRecord& r = s.settings;
  if (r.PlayersPlaced || !s.menu.showWarnings) return;
  switch (run.ui.AskUnplaced(kUnplacedQuestion)) {
    case UnplacedAnswer::kAbort:
      r.PlayersPlaced = 0;
      r.RetryGeneration = 0;
      break;
    case UnplacedAnswer::kRetry:
      r.PlayersPlaced = 0;
      r.RetryGeneration = 1;
      break;
    case UnplacedAnswer::kIgnore:
      r.PlayersPlaced = 1;
      r.RetryGeneration = 0;
      break;
  }
}

void Decorations(GeneratorState& s, RunContext&) { ScatterDecorations(s); }

// ---- the symmetric steps: the sector's terrain and units copied to their images ----

void SymmetricLand(GeneratorState& s, RunContext&) {
  FoldStartIslands(s, s.symmetry);
  CopySectorTerrain(s, s.symmetry);
}

void SymmetricMountains(GeneratorState& s, RunContext&) {
  UndoMountainEdges(s);
  CopySectorTerrain(s, s.symmetry);
  KeepPainterRule(s, s.symmetry, kCoast, kMountain);
  EdgeMountains(s);
}

void SymmetricBuildableLand(GeneratorState& s, RunContext&) {
  CopySectorTerrain(s, s.symmetry);
  KeepPainterRule(s, s.symmetry, kCoast, kGrass);
}

void SymmetricForest(GeneratorState& s, RunContext&) {
  UndoForestEdges(s);
  CopySectorTerrain(s, s.symmetry);
  KeepPainterRule(s, s.symmetry, kGrass, kForest);
  EdgeForest(s);
}

void SymmetricMovementMap(GeneratorState& s, RunContext&) { CopySectorMoveMap(s, s.symmetry); }
void SectorOnly(GeneratorState& s, RunContext& run) { BeginSectorPlacement(s, s.symmetry, run.sector); }
void UnitImages(GeneratorState& s, RunContext& run) {
  FinishSectorPlacement(s, run.placement, s.symmetry, run.sector, FootprintSide);
}

void SaveMap(GeneratorState& s, RunContext& run) {
  if (s.settings.MapFileName.empty()) s.settings.MapFileName.assign(kDefaultMapFileName);
  run.mapFile = s.settings.MapFileName.str();
  run.sink.Put(run.mapFile, EncodeMap(s));
}

// Marks of an earlier, unrelated map must not leak into the loaded one.
void RebuildLoadedMoveMap(GeneratorState& s, RunContext&) {
  s.OccupancyGrid.Fill(kMaxMapSize, 0);
  RebuildMoveMap(s);
}

// name, progress, status, reports when, works when (nullptr: whenever it reports), work
constexpr Stage kAttempt[] = {
    {"island mass", 5, "Create Island Mass", nullptr, nullptr, IslandMass},
    {"rivers", 10, "Rivers", nullptr, RiversOn, Rivers},
    {"lakes", 15, "Lakes", OnIslandMass, LakesOn, Lakes},
    {"symmetric land", kKeepProgress, nullptr, Symmetric, nullptr, SymmetricLand},
    {"coastline", 20, "Coastline", nullptr, nullptr, Coastline},
    {"mountains", 25, "Mountains", nullptr, MountainsOrStartIslands, Mountains},
    {"symmetric mountains", kKeepProgress, nullptr, Symmetric, nullptr, SymmetricMountains},
    {"mountains done", 30, nullptr, MountainsRan, nullptr, nullptr},
    {"buildable land", kKeepProgress, "Buildable Land", OnIslandMass, nullptr, BuildableLand},
    {"symmetric buildable land", kKeepProgress, nullptr, Symmetric, nullptr, SymmetricBuildableLand},
    {"grass edges", kKeepProgress, nullptr, nullptr, nullptr, GrassEdges},
    {"forest", 35, "Forest", nullptr, ForestOn, Forest},
    {"symmetric forest", kKeepProgress, nullptr, Symmetric, nullptr, SymmetricForest},
    {"regions", 40, "REGM", nullptr, nullptr, Regions},
    {"movement map", 45, "Gold / Units", nullptr, nullptr, MovementMap},
    {"symmetric movement map", kKeepProgress, nullptr, Symmetric, nullptr, SymmetricMovementMap},
    {"build on sand", 50, "SQM", nullptr, nullptr, BuildOnSandQuestion},
    {"sector only", kKeepProgress, nullptr, Symmetric, nullptr, SectorOnly},
    {"gold mines", 55, "Gold", nullptr, nullptr, GoldMines},
    {"oil patches", kKeepProgress, "Oil", nullptr, nullptr, OilPatches},
    {"towns", kKeepProgress, nullptr, nullptr, nullptr, Towns},
    {"units", kKeepProgress, "Buildings", OnIslandMass, nullptr, Units},
    {"unit images", kKeepProgress, nullptr, Symmetric, nullptr, UnitImages},
    {"unit list", kKeepProgress, nullptr, nullptr, nullptr, CloseUnits},
    {"safety clamps", kKeepProgress, nullptr, SafetyMode, nullptr, SafetyClamps},
    {"players question", 85, "Char", nullptr, nullptr, PlayersQuestion},
    {"decorations", kKeepProgress, "Decorations", PlayersPlaced, nullptr, Decorations},
    {"map file", 95, "Save File", PlayersPlaced, nullptr, SaveMap},
    {"done", 100, " ", PlayersPlaced, nullptr, nullptr},
};

// The Genitize road: the loaded map written back.
constexpr Stage kGenitize[] = {
    {"movement map", kKeepProgress, nullptr, nullptr, nullptr, RebuildLoadedMoveMap},
    {"map file", kKeepProgress, nullptr, nullptr, nullptr, SaveMap},
};

// A picture follows every row that reported and has work, done or not.
void RunStages(GeneratorState& s, RunContext& run, std::span<const Stage> stages, StageObserver* observer,
               int attempt) {
  int index = 0;
  for (const Stage& stage : stages) {
    // A plain run numbers its rows as if the symmetric steps were not there.
    if (stage.reports == Symmetric && !Symmetric(s)) continue;
    ++index;
    if (!Reports(stage, s)) continue;
    if (stage.progress != kKeepProgress) run.ui.Progress(stage.progress);
    if (stage.status) run.ui.Status(stage.status);
    if (Works(stage, s)) stage.work(s, run);
    if (observer && stage.work) observer->AfterStage(s, stage, attempt, index);
  }
}

// ---- before and after the attempts ----

// A new map's terrain features are on when they have an amount.
void TerrainSwitchesFromAmounts(SettingsRecord& r) {
  r.RiversEnable = r.Rivers > 0;
  r.LakesEnable = r.Lakes > 0;
  r.ForestEnable = r.Forest > 0;
  r.MountainsEnable = r.Mountains > 0;
}

// The attempts, or the Genitize road, of a prepared record in its context.
RunOutcome RunPrepared(GeneratorState& s, RunContext& run, const RunOptions& options) {
  RunOutcome outcome;
  if (auto refusal = RunRefusal(s.settings)) {
    outcome.reason = *refusal;
    if (options.trace) *options.trace += FormatTraceLine("end", "", s.random);
    return outcome;
  }
  if (auto refusal = SymmetryRefusal(options.symmetry, CountActivePlayers(s))) {
    outcome.reason = *refusal;
    if (options.trace) *options.trace += FormatTraceLine("end", "", s.random);
    return outcome;
  }
  // The loaded map of the Genitize road keeps its own shape.
  s.symmetry = s.MapLoaded ? Symmetry::kNone : options.symmetry;
  struct PlainAfterwards {
    GeneratorState& s;
    ~PlainAfterwards() { s.symmetry = Symmetry::kNone; }
  } plainAfterwards{s};
  if (s.MapLoaded) {
    RunStages(s, run, kGenitize, options.observer, 1);
    outcome.kind = RunOutcome::Kind::kMapGenitized;
  } else {
    do {
      ++outcome.attempts;
      StartAttempt(s);
      RunStages(s, run, kAttempt, options.observer, outcome.attempts);
    } while (s.settings.RetryGeneration);
    outcome.kind = s.settings.PlayersPlaced ? RunOutcome::Kind::kMapWritten : RunOutcome::Kind::kNoPlayableMap;
  }
  outcome.mapFile = run.mapFile;
  if (options.trace) *options.trace += FormatTraceLine("end", "", s.random);
  return outcome;
}

// The context of one run with what it points to: the file sink when the
// caller gives none, a silent UI when it gives none, the trace around the UI.
class RunScope {
 public:
  RunScope(GeneratorState& s, const RunOptions& options)
      : callerUi_(options.ui ? *options.ui : silentUi_),
        context_{options.sink ? *options.sink : fileSink_, Traced(s, options)} {}
  RunContext& context() { return context_; }
  GenerationUi& callerUi() { return callerUi_; }

 private:
  GenerationUi& Traced(GeneratorState& s, const RunOptions& options) {
    if (!options.trace) return callerUi_;
    return tracing_.emplace(callerUi_, *options.trace, s.random);
  }

  FileSink fileSink_;
  SilentUi silentUi_;
  GenerationUi& callerUi_;
  std::optional<TracingUi> tracing_;
  RunContext context_;
};

}  // namespace

void FileSink::Put(const std::string& mapFile, const std::vector<uint8_t>& bytes) {
  if (mapFile.empty()) throw FileError(mapFile, "no map file name given");
  WriteFileAtomically(mapFile, bytes.data(), bytes.size());
  this->bytes = bytes;
}

std::span<const Stage> AttemptStages() { return kAttempt; }

std::string FormatTraceLine(const char* kind, const std::string& text, const Random& random) {
  char numbers[64];
  std::snprintf(numbers, sizeof numbers, "\tdraws=%" PRIu64 "\tseed=%08" PRIx32 "\n", random.draws, random.seed);
  return std::string(kind) + "\t" + text + numbers;
}

std::string RunOutcome::Message() const {
  switch (kind) {
    case Kind::kMapWritten: return kDoneCreating;
    case Kind::kMapGenitized: return kDoneGenitizing;
    case Kind::kNoPlayableMap: return kNoPlayableMap;
    case Kind::kRefused: return "This map cannot be made: " + reason + ".";
  }
  return reason;
}

void MenuChecksIntoRecord(const MenuChecks& menu, SettingsRecord& r) {
  r.ShowWarnings = menu.showWarnings ? 1 : 0;
  r.Compensate = menu.compensate ? 1 : 0;
  r.SafetyMode = menu.safetyMode ? 1 : 0;
}

void LoadedMapPlayersIntoRecord(const SettingsRecord& loadedMap, SettingsRecord& r) {
  r.HumanControlled = loadedMap.HumanControlled;
  r.NumberOfPlayers = loadedMap.NumberOfPlayers;
  r.MapSize = loadedMap.MapSize;
  for (int p = 0; p < kPlayers; ++p) r.PlayerController[p] = loadedMap.PlayerController[p];
}

RunOutcome PrepareAndRunGeneration(GeneratorState& s, const std::string& mapFileName, const RunOptions& options) {
  RunScope scope(s, options);
  RunContext& run = scope.context();
  SettingsRecord& r = s.settings;
  r.MapFileName.assign(mapFileName);
  MenuChecksIntoRecord(s.menu, r);
  run.settingsBackup = r;
  if (!s.MapLoaded)
    TerrainSwitchesFromAmounts(r);
  else if (options.loadedMap)
    LoadedMapPlayersIntoRecord(*options.loadedMap, r);

  RunOutcome outcome;
  try {
    RandomiseSettings(r, s.random, s.MapLoaded);
    if (s.menu.safetyMode) ApplySafetyClamps(r);
    outcome = RunPrepared(s, run, options);
  } catch (...) {
    r = run.settingsBackup;
    throw;
  }
  scope.callerUi().Progress(0);
  r = run.settingsBackup;
  return outcome;
}

RunOutcome RunGeneration(GeneratorState& s, const RunOptions& options) {
  RunScope scope(s, options);
  return RunPrepared(s, scope.context(), options);
}

}  // namespace glenmire
