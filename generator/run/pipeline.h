// The generation pipeline: one "Generate Map" as a table of stages, run by
// one loop that reports each stage's progress and status, asks the run's
// questions and keeps the trace; or the Genitize road for a loaded map.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/generation_ui.h"
#include "core/generator_state.h"
#include "placement/placement_context.h"
#include "placement/symmetric_units.h"

namespace glenmire {

// Texts the run shows.
inline constexpr const char* kBuildOnSandQuestion =
    "There is not much buildable land.  Would you like to enable the \"Build On Sand\" option?  "
    "Structures built on sand can not be rebuilt after being destroyed.";
inline constexpr const char* kUnplacedQuestion = "Unable to Place all Players, make map anyway?";
inline constexpr const char* kDoneCreating = "Done Creating MapFile";
inline constexpr const char* kDoneGenitizing = "Done Genitizing Map File";
inline constexpr const char* kNoPlayableMap =
    "Glenmire was unable to make a playable map under the configuration you selected.  You could try "
    "to generate a map with the current configuration again.  If that does not help you may want to "
    "consider either reducing the number of units to be placed or adjust the terrain settings to allow "
    "for more buildable land.";
inline constexpr const char* kDefaultMapFileName = "glenmire.pud";

// What a run ended with.
struct RunOutcome {
  enum class Kind {
    kMapWritten,     // a new map went to the sink
    kMapGenitized,   // the loaded map went to the sink again
    kNoPlayableMap,  // placement failed and the answer (or no question) left it so
    kRefused,        // the prepared record cannot make a map; nothing ran
  };
  Kind kind = Kind::kRefused;
  std::string reason;   // kRefused: why, naming the field, its value and what is allowed
  std::string mapFile;  // the map's file name as it went to the sink
  int attempts = 0;     // generation attempts made (Retry makes more than one)

  bool MapMade() const { return kind == Kind::kMapWritten || kind == Kind::kMapGenitized; }
  // The message a person is shown at the end: "Done Creating MapFile", the
  // failure message or the refusal.
  std::string Message() const;
};

// Where the finished map's bytes go. The default writes the file atomically.
class MapSink {
 public:
  virtual ~MapSink() = default;
  // Throws FileError when the bytes cannot be kept.
  virtual void Put(const std::string& mapFile, const std::vector<uint8_t>& bytes) = 0;
};

// Writes the map file through the one atomic writer and keeps the bytes it wrote.
class FileSink : public MapSink {
 public:
  void Put(const std::string& mapFile, const std::vector<uint8_t>& bytes) override;
  std::vector<uint8_t> bytes;
};

// Keeps the bytes in memory: for previews, searches, tests and benchmarks.
class MemorySink : public MapSink {
 public:
  void Put(const std::string& mapFile, const std::vector<uint8_t>& bytes) override {
    file = mapFile;
    this->bytes = bytes;
  }
  std::string file;
  std::vector<uint8_t> bytes;
};

struct Stage;

// What lives for one run and no longer: where the map goes, whom the run
// speaks to, the placement phases' pool and counters, and the user's record
// as it was before the run prepared it.
struct RunContext {
  MapSink& sink;
  GenerationUi& ui;  // the caller's, with the trace written through it when one is kept
  PlacementContext placement{};
  SettingsRecord settingsBackup = ZeroRecord();
  std::string mapFile{};
  SectorPlacement sector{};  // a symmetric run's settings while one sector is placed
};

// Sees the state after every stage that ran (for pictures of each stage).
class StageObserver {
 public:
  virtual ~StageObserver() = default;
  virtual void AfterStage(const GeneratorState& s, const Stage& stage, int attempt, int index) = 0;
};

struct RunOptions {
  MapSink* sink = nullptr;       // nullptr: the map file is written (a FileSink)
  std::string* trace = nullptr;  // lines appended at every status and question, then "end"
  StageObserver* observer = nullptr;
  GenerationUi* ui = nullptr;  // nullptr: a silent run that answers Cancel and Abort
  // The record the map was loaded with (LoadMapForGenitize); a run on a loaded
  // map takes its size and players from it again.
  const SettingsRecord* loadedMap = nullptr;
  Symmetry symmetry = Symmetry::kNone;  // refused unless it serves the active players
};

// One row of the table. A row that does not report is skipped whole; one that
// reports but does not work shows its progress and status, and its picture is
// taken all the same, so a switch that is off changes no report and no picture.
struct Stage {
  using When = bool (*)(const GeneratorState&);
  const char* name;                            // what the stage makes, for pictures and tests
  int progress;                                // kKeepProgress: the bar stays
  const char* status;                          // nullptr: the status line stays
  When reports;                                // nullptr: always
  When works;                                  // nullptr: whenever the row reports
  void (*work)(GeneratorState&, RunContext&);  // nullptr: a report only
};
inline constexpr int kKeepProgress = -1;

// Whether a row reports and whether it does its work, as the state stands now.
inline bool Reports(const Stage& stage, const GeneratorState& s) { return !stage.reports || stage.reports(s); }
inline bool Works(const Stage& stage, const GeneratorState& s) {
  return stage.work && Reports(stage, s) && (!stage.works || stage.works(s));
}

// The rows of one generation attempt, in order.
std::span<const Stage> AttemptStages();

// The three menu checks as the record carries them into a run and into a
// configuration file.
void MenuChecksIntoRecord(const MenuChecks& menu, SettingsRecord& r);

// A loaded map's HumanControlled, NumberOfPlayers, MapSize and
// PlayerController[1..8] into the record: a Genitized map keeps its size and players.
void LoadedMapPlayersIntoRecord(const SettingsRecord& loadedMap, SettingsRecord& r);

// One whole run from the user's record: before the attempts MapFileName :=
// mapFileName, the menu checks into the record, the record kept in the run's
// context, the terrain switches from their amounts (a loaded map: its size
// and players from options.loadedMap again), RandomiseSettings and, in Safety
// Mode, the safety clamps; then RunGeneration's work; after it progress 0 and
// the user's record back. Returns what the run ended with.
//
// A FileError from the run is passed on after the record has been restored,
// so the user's settings never keep randomised values.
RunOutcome PrepareAndRunGeneration(GeneratorState& s, const std::string& mapFileName, const RunOptions& options = {});

// Runs the prepared record (randomised and clamped by the caller): refuses a
// record that cannot make a map, takes the Genitize road when a map is loaded,
// otherwise runs attempts while Retry is answered. Throws FileError when the
// sink cannot keep the map.
RunOutcome RunGeneration(GeneratorState& s, const RunOptions& options = {});

// One trace line as the trace file carries it.
std::string FormatTraceLine(const char* kind, const std::string& text, const Random& random);

}  // namespace glenmire
