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
#include "report/unit_names.h"
#include "placement/unit_list.h"
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

// ---- when a row runs ----

bool OnIslandMass(const GeneratorState& s) { return !s.StartIslandsMode; }
bool MountainsRan(const GeneratorState& s) { return !s.StartIslandsMode && s.settings.MountainsEnable; }
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

void Rivers(GeneratorState& s, RunContext&) {
  if (!s.StartIslandsMode && s.settings.RiversEnable) CarveRivers(s);
}

void Lakes(GeneratorState& s, RunContext&) {
  if (s.settings.LakesEnable) PaintLakes(s);
}

void Coastline(GeneratorState& s, RunContext&) { ShapeCoastline(s); }

void Mountains(GeneratorState& s, RunContext&) {
  if (s.StartIslandsMode)
    GrassStartIslandCentres(s);
  else if (s.settings.MountainsEnable)
    RaiseMountains(s);
}

void BuildableLand(GeneratorState& s, RunContext&) { PaintBuildableLand(s); }

void GrassEdges(GeneratorState& s, RunContext&) { EdgeGrass(s); }

void Forest(GeneratorState& s, RunContext&) {
  if (!s.StartIslandsMode && s.settings.ForestEnable) PaintForest(s);
}

void Regions(GeneratorState& s, RunContext&) { BuildRegionMap(s); }

void MovementMap(GeneratorState& s, RunContext&) { BuildMoveMap(s); }

// Little buildable land: offer building on sand (whatever "Show Warnings"
// says); then clear the placement marks.
void BuildOnSandQuestion(GeneratorState& s, RunContext&) {
  SettingsRecord& r = s.settings;
  if (!r.BuildOnSand && (r.BuildableLand < 15 || (r.LandWater >= 5 && r.LandWater <= 10))) {
    if (s.ui->AskBuildOnSand(kBuildOnSandQuestion) == BuildOnSandAnswer::kOk) r.BuildOnSand = 1;
  }
  s.OccupancyGrid.Fill(s.MapSize(), 0);
  s.ScratchGrid.Fill(s.MapSize(), 0);
}

void GoldMines(GeneratorState& s, RunContext& run) { PlaceGoldPhase(s, run.pool); }
void OilPatches(GeneratorState& s, RunContext& run) { PlaceOilPhase(s, run.pool); }
void Towns(GeneratorState& s, RunContext& run) { PlaceTownPhase(s, run.pool); }
void Units(GeneratorState& s, RunContext& run) { PlaceUnitPhase(s, run.pool); }

void CloseUnits(GeneratorState& s, RunContext& run) {
  CloseUnitList(s);
  run.pool.PoolFree();
}

void SafetyClamps(GeneratorState& s, RunContext&) { ApplySafetyClamps(s.settings); }

// With "Show Warnings" a failed placement asks; without, it stays failed.
void PlayersQuestion(GeneratorState& s, RunContext&) {
  SettingsRecord& r = s.settings;
  if (r.PlayersPlaced || !s.menu.showWarnings) return;
  switch (s.ui->AskUnplaced(kUnplacedQuestion)) {
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
  FinishSectorPlacement(s, s.symmetry, run.sector, FootprintSide);
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

constexpr Stage kAttempt[] = {
    {"island mass", 5, "Create Island Mass", nullptr, IslandMass},
    {"rivers", 10, "Rivers", nullptr, Rivers},
    {"lakes", 15, "Lakes", OnIslandMass, Lakes},
    {"symmetric land", kKeepProgress, nullptr, Symmetric, SymmetricLand},
    {"coastline", 20, "Coastline", nullptr, Coastline},
    {"mountains", 25, "Mountains", nullptr, Mountains},
    {"symmetric mountains", kKeepProgress, nullptr, Symmetric, SymmetricMountains},
    {"mountains done", 30, nullptr, MountainsRan, nullptr},
    {"buildable land", kKeepProgress, "Buildable Land", OnIslandMass, BuildableLand},
    {"symmetric buildable land", kKeepProgress, nullptr, Symmetric, SymmetricBuildableLand},
    {"grass edges", kKeepProgress, nullptr, nullptr, GrassEdges},
    {"forest", 35, "Forest", nullptr, Forest},
    {"symmetric forest", kKeepProgress, nullptr, Symmetric, SymmetricForest},
    {"regions", 40, "REGM", nullptr, Regions},
    {"movement map", 45, "Gold / Units", nullptr, MovementMap},
    {"symmetric movement map", kKeepProgress, nullptr, Symmetric, SymmetricMovementMap},
    {"build on sand", 50, "SQM", nullptr, BuildOnSandQuestion},
    {"sector only", kKeepProgress, nullptr, Symmetric, SectorOnly},
    {"gold mines", 55, "Gold", nullptr, GoldMines},
    {"oil patches", kKeepProgress, "Oil", nullptr, OilPatches},
    {"towns", kKeepProgress, nullptr, nullptr, Towns},
    {"units", kKeepProgress, "Buildings", OnIslandMass, Units},
    {"unit images", kKeepProgress, nullptr, Symmetric, UnitImages},
    {"unit list", kKeepProgress, nullptr, nullptr, CloseUnits},
    {"safety clamps", kKeepProgress, nullptr, SafetyMode, SafetyClamps},
    {"players question", 85, "Char", nullptr, PlayersQuestion},
    {"decorations", kKeepProgress, "Decorations", PlayersPlaced, Decorations},
    {"map file", 95, "Save File", PlayersPlaced, SaveMap},
    {"done", 100, " ", PlayersPlaced, nullptr},
};

constexpr Stage kGenitize[] = {
    {"movement map", kKeepProgress, nullptr, nullptr, RebuildLoadedMoveMap},
    {"map file", kKeepProgress, nullptr, nullptr, SaveMap},
};

void RunStages(GeneratorState& s, RunContext& run, std::span<const Stage> stages, StageObserver* observer, int attempt) {
  int index = 0;
  for (const Stage& stage : stages) {
    // A plain run numbers its rows as if the symmetric steps were not there.
    if (stage.runs == Symmetric && !Symmetric(s)) continue;
    ++index;
    if (stage.runs && !stage.runs(s)) continue;
    if (stage.progress != kKeepProgress) s.ui->Progress(stage.progress);
    if (stage.status) s.ui->Status(stage.status);
    if (stage.work) stage.work(s, run);
    if (observer && stage.work) observer->AfterStage(s, stage, attempt, index);
  }
}

}  // namespace

void FileSink::Put(const std::string& mapFile, const std::vector<uint8_t>& bytes) {
  if (mapFile.empty()) throw FileError(mapFile, "no map file name given");
  WriteFileAtomically(mapFile, bytes.data(), bytes.size());
  this->bytes = bytes;
}

std::span<const Stage> AttemptStages() { return kAttempt; }
std::span<const Stage> GenitizeStages() { return kGenitize; }

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

RunOutcome RunGeneration(GeneratorState& s, const RunOptions& options) {
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

  FileSink fileSink;
  RunContext run{options.sink ? *options.sink : fileSink, {}, {}, {}};
  GenerationUi* const ui = s.ui;
  std::optional<TracingUi> tracing;
  if (options.trace) s.ui = &tracing.emplace(*ui, *options.trace, s.random);
  struct RestoreUi {
    GeneratorState& s;
    GenerationUi* ui;
    ~RestoreUi() {
      s.ui = ui;
      s.symmetry = Symmetry::kNone;
    }
  } restore{s, ui};

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

}  // namespace glenmire
