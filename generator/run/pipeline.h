// The generation pipeline: one "Generate Map" as a table of stages, run by
// one loop that reports each stage's progress and status, asks the run's
// questions and keeps the trace; or the Genitize road for a loaded map.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/cell_pool.h"
#include "core/generator_state.h"
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

// What lives for one run and no longer.
struct RunContext {
  MapSink& sink;
  CellPool pool;  // the placement phases' cells
  std::string mapFile;
  SectorPlacement sector;  // a symmetric run's settings while one sector is placed
};

// Sees the state after every stage that ran (for pictures of each stage).
class StageObserver {
 public:
  virtual ~StageObserver() = default;
  virtual void AfterStage(const GeneratorState& s, const Stage& stage, int attempt, int index) = 0;
};

struct RunOptions {
  MapSink* sink = nullptr;              // nullptr: the map file is written (a FileSink)
  std::string* trace = nullptr;         // lines appended at every status and question, then "end"
  StageObserver* observer = nullptr;
  Symmetry symmetry = Symmetry::kNone;  // refused unless it serves the active players
};

// One row of the table.
struct Stage {
  const char* name;     // what the stage makes, for pictures and tests
  int progress;         // kKeepProgress: the bar stays
  const char* status;   // nullptr: the status line stays
  bool (*runs)(const GeneratorState&);  // nullptr: always; false skips the row with its report
  void (*work)(GeneratorState&, RunContext&);  // nullptr: a report only
};
inline constexpr int kKeepProgress = -1;

// The rows of one generation attempt and of the Genitize road, in order.
std::span<const Stage> AttemptStages();
std::span<const Stage> GenitizeStages();

// Runs the prepared record (randomised and clamped by the caller): refuses a
// record that cannot make a map, takes the Genitize road when a map is loaded,
// otherwise runs attempts while Retry is answered. Throws FileError when the
// sink cannot keep the map.
RunOutcome RunGeneration(GeneratorState& s, const RunOptions& options = {});

// One trace line as the trace file carries it.
std::string FormatTraceLine(const char* kind, const std::string& text, const Random& random);

}  // namespace glenmire
