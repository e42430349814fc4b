#include "cli/generate_command.h"

#include <chrono>
#include <cstdio>
#include <memory>

#include "cli/cli_args.h"
#include "cli/console_ui.h"
#include "cli/fair_options.h"
#include "core/atomic_file.h"
#include "core/file_error.h"
#include "mapfile/map_reader.h"
#include "report/map_picture.h"
#include "report/report_text.h"
#include "run/batch.h"
#include "run/fair_search.h"
#include "run/generation_road.h"
#include "run/pipeline.h"
#include "run/presets.h"

namespace glenmire {
namespace {

constexpr int kDefaultRetries = 100;

struct GenerateOptions {
  std::optional<std::string> config;
  std::optional<std::string> out;
  std::optional<std::string> preview;
  std::optional<std::string> trace;
  std::optional<std::string> dumpStages;
  std::optional<uint32_t> seed;
  BuildOnSandAnswer buildOnSand = BuildOnSandAnswer::kCancel;
  UnplacedAnswer unplaced = UnplacedAnswer::kAbort;
  int retries = kDefaultRetries;
  int count = 1;
  bool quiet = false;
  bool fair = false;
  Symmetry symmetry = Symmetry::kNone;
  int tries = kDefaultFairTries;
  FairnessRules rules;
};

int ParseCount(const std::string& flag, const std::string& text, int lowest) {
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9' || value > 100000000) {
      value = -1;
      break;
    }
    value = value * 10 + (c - '0');
  }
  if (text.empty() || value < lowest)
    throw UsageError(flag + " wants a whole number of at least " + std::to_string(lowest) + ", not \"" + text + "\"");
  return value;
}

GenerateOptions ReadOptions(const ParsedArgs& a, const std::string& programDir) {
  GenerateOptions o;
  o.config = a.Value("--config");
  o.out = a.Value("--out");
  o.preview = a.Value("--preview");
  o.trace = a.Value("--trace");
  o.dumpStages = a.Value("--dump-stages");
  if (auto seed = a.Value("--seed")) o.seed = ParseSeed(*seed);
  o.buildOnSand = ReadBuildOnSand(a);
  if (auto v = a.Value("--unplaced")) {
    if (*v == "retry")
      o.unplaced = UnplacedAnswer::kRetry;
    else if (*v == "ignore")
      o.unplaced = UnplacedAnswer::kIgnore;
    else if (*v != "abort")
      throw UsageError("--unplaced is abort, retry or ignore");
  }
  if (auto v = a.Value("--retries")) o.retries = ParseCount("--retries", *v, 1);
  if (auto v = a.Value("--count")) o.count = ParseCount("--count", *v, 1);
  if (o.count > 1)
    for (const char* flag : {"--trace", "--dump-stages", "--fair"})
      if (a.Value(flag) || a.Has(flag)) throw UsageError(std::string(flag) + " makes one map: leave out --count");
  o.quiet = a.Has("--quiet");
  o.symmetry = ReadSymmetry(a, o.config ? SymmetryForConfig(*o.config, programDir) : Symmetry::kNone);
  o.fair = a.Has("--fair");
  if (auto v = a.Value("--tries")) o.tries = ParseCount("--tries", *v, 1);
  o.rules = ReadFairRules(a, o.fair && o.config ? RulesForConfig(*o.config, programDir) : FairnessRules{});
  if (!o.fair) {
    for (const char* flag : {"--tries", kFairRuleFlag})
      if (a.Value(flag) || !a.All(flag).empty()) throw UsageError(std::string(flag) + " belongs to --fair");
    if (a.Has(kAllowSeaFlag)) throw UsageError(std::string(kAllowSeaFlag) + " belongs to --fair");
  } else {
    // The search never asks: a run that cannot place every player is answered Abort.
    if (o.unplaced != UnplacedAnswer::kAbort) throw UsageError("--fair answers Abort to unplaced players");
    for (const char* flag : {"--trace", "--dump-stages", "--retries"})
      if (a.Value(flag))
        throw UsageError(std::string(flag) + " cannot be used with --fair: run the seed it finds again with --seed");
  }
  return o;
}

// As at program start: the given configuration, else Default.gmp next to the
// program, else the defaults; the menu check marks follow the record.
void PrepareState(GeneratorState& s, const GenerateOptions& o, const std::string& programDir) {
  if (o.config)
    LoadConfigurationWithMenu(s, ResolveConfigPath(*o.config, programDir));
  else
    LoadStartupSettings(s, programDir);
}

uint32_t ClockSeed() {
  auto now = std::chrono::system_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

// Writes the terrain after every stage as a picture, for whoever tunes a stage:
// DIR/NN-name.png, with the attempt in front from the second attempt on.
class StagePictures : public StageObserver {
 public:
  explicit StagePictures(std::string folder) : folder_(std::move(folder)) {}
  void AfterStage(const GeneratorState& s, const Stage& stage, int attempt, int index) override {
    char number[32];
    if (attempt > 1)
      std::snprintf(number, sizeof number, "a%d-%02d-", attempt, index);
    else
      std::snprintf(number, sizeof number, "%02d-", index);
    std::string name = stage.name;
    for (char& c : name)
      if (c == ' ') c = '-';
    WriteMapPicture(s, folder_ + "/" + number + name + ".png", 4);
  }

 private:
  std::string folder_;
};

// The files a finished run leaves, for a message that says what is there.
std::string Written(const std::vector<std::string>& files) {
  if (files.empty()) return "nothing was written";
  std::string text;
  for (std::size_t i = 0; i < files.size(); ++i) text += (i ? ", " : "") + files[i];
  return text + (files.size() == 1 ? " was written" : " were written");
}

// Seeds from the first one on until a map passes the rules; only that map is
// written (and its picture), byte for byte the map of a plain run of its seed.
ExitStatus RunFairSearch(GeneratorState& s, const GenerateOptions& o, uint32_t firstSeed, const std::string& mapFile) {
  const FairSearchRequest request =
      MakeFairSearchRequest(s.settings, s.menu, mapFile, o.rules, o.buildOnSand, firstSeed, o.tries, o.symmetry);
  ProgressLine progress(!o.quiet);
  const FairSearchResult result = FindFairMap(request, [&](const FairSearchProgress& p) {
    progress.Show("fair search: try " + std::to_string(p.tried) + " of " + std::to_string(p.tries) + ", seed " +
                  std::to_string(p.seed));
    return true;
  });
  progress.Done();
  switch (result.kind) {
    case FairSearchResult::Kind::kRefused:
      std::fprintf(stderr, "glenmire: This map cannot be made: %s.\n", result.reason.c_str());
      return ExitStatus::kError;
    case FairSearchResult::Kind::kNotFound:
    case FairSearchResult::Kind::kStopped: {
      const uint32_t last = firstSeed + static_cast<uint32_t>(result.tries - 1);
      std::string why = "no try was judged";
      if (auto rule = result.tally.MostCommon())
        why = "the most common failed rule: " + NamedRule(o.rules, *rule) + ", in " +
              std::to_string(result.tally.Count(*rule)) + " of " + std::to_string(result.tries) + " tries";
      std::fprintf(stderr, "glenmire: no fair map in %d tries (seeds %u..%u); %s\n", result.tries, firstSeed, last,
                   why.c_str());
      return ExitStatus::kNoMap;
    }
    case FairSearchResult::Kind::kFound: break;
  }
  std::vector<std::string> written;
  try {
    WriteFileAtomically(result.mapFile, result.bytes.data(), result.bytes.size());
    written.push_back(result.mapFile);
    if (o.preview) {
      auto shown = MakeGeneratorState();
      LoadMapFile(*shown, result.mapFile);
      shown->MapLoaded = true;
      WriteMapPicture(*shown, *o.preview, 1);
      written.push_back(*o.preview);
    }
  } catch (const FileError& e) {
    std::fprintf(stderr, "glenmire: %s (%s)\n", e.what(), Written(written).c_str());
    return ExitStatus::kError;
  }
  // Printed even when quiet: the seed makes the map again.
  std::printf("Seed %u: fair after %d %s\n", result.seed, result.tries, result.tries == 1 ? "try" : "tries");
  if (!o.quiet) {
    std::fputs(FormatReportText(*result.report, result.verdict).c_str(), stdout);
    std::printf("Map written to %s\n", result.mapFile.c_str());
  }
  return ExitStatus::kDone;
}

// The picture of a map, drawn from its bytes as a loaded map is (the record
// is the user's again by now, so a random size or climate is not in it).
void WritePictureOf(const std::string& mapFile, const std::vector<uint8_t>& bytes, const std::string& picture) {
  auto shown = MakeGeneratorState();
  LoadMapBytes(*shown, mapFile, bytes);
  shown->MapLoaded = true;
  WriteMapPicture(*shown, picture, 1);
}

// "maps/x.pud", 7 -> "maps/x-0007.pud".
std::string Numbered(const std::string& file, int number) {
  const std::size_t slash = file.find_last_of('/');
  const std::size_t dot = file.find_last_of('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, "-%04d", number);
  return hasExtension ? file.substr(0, dot) + suffix + file.substr(dot) : file + suffix;
}

// --count K: K maps from seeds S, S+1, ..., each NAME-0001.pud, ... beside
// NAME.pud, each byte for byte what --seed of its seed makes. Every map's
// seed is printed; the first file error stops the batch.
ExitStatus RunBatchCommand(GeneratorState& s, const GenerateOptions& o, uint32_t firstSeed,
                           const std::string& mapTarget) {
  BatchRequest request;
  request.record = s.settings;
  request.record.MapFileName.assign(mapTarget);
  request.menu = s.menu;
  request.firstSeed = firstSeed;
  request.count = o.count;
  request.buildOnSand = o.buildOnSand;
  request.unplaced = o.unplaced;
  request.maxAttempts = o.retries;
  request.symmetry = o.symmetry;
  CheckWritable(Numbered(mapTarget, 1));
  if (o.preview) CheckWritable(Numbered(*o.preview, 1));
  int made = 0, unplaced = 0;
  ExitStatus status = ExitStatus::kDone;
  std::vector<std::string> written;
  RunBatch(request, [&](BatchMap& map) {
    if (map.outcome.kind == RunOutcome::Kind::kRefused) {
      std::fprintf(stderr, "glenmire: %s\n", map.outcome.Message().c_str());
      status = ExitStatus::kError;
      return false;
    }
    if (!map.outcome.MapMade()) {
      ++unplaced;
      std::printf("Seed %u: no playable map\n", map.seed);
      return true;
    }
    const std::string file = Numbered(mapTarget, map.index + 1);
    try {
      WriteFileAtomically(file, map.bytes.data(), map.bytes.size());
      written.push_back(file);
      if (o.preview) {
        WritePictureOf(file, map.bytes, Numbered(*o.preview, map.index + 1));
        written.push_back(Numbered(*o.preview, map.index + 1));
      }
    } catch (const FileError& e) {
      std::fprintf(stderr, "glenmire: %s (stopped; %zu files were written before)\n", e.what(), written.size());
      status = ExitStatus::kError;
      return false;
    }
    ++made;
    std::printf("Seed %u: %s\n", map.seed, file.c_str());
    return true;
  });
  if (status != ExitStatus::kDone) return status;
  if (!o.quiet) std::printf("%d of %d maps written\n", made, o.count);
  return unplaced > 0 ? ExitStatus::kNoMap : ExitStatus::kDone;
}

ExitStatus Run(const std::vector<std::string>& args, const std::string& programDir, bool genitize) {
  std::set<std::string> valueFlags = {"--config", "--seed", "--out", "--preview", "--trace", "--dump-stages"};
  if (!genitize) {
    valueFlags.insert("--build-on-sand");
    valueFlags.insert("--unplaced");
    valueFlags.insert("--retries");
    valueFlags.insert("--tries");
    valueFlags.insert("--count");
    valueFlags.insert(kSymmetryFlag);
  }
  const std::set<std::string> switches =
      genitize ? std::set<std::string>{"--quiet"} : std::set<std::string>{"--quiet", "--fair", kAllowSeaFlag};
  const std::set<std::string> repeatable = genitize ? std::set<std::string>{} : std::set<std::string>{kFairRuleFlag};
  ParsedArgs a = ParseArgs(args, valueFlags, switches, repeatable);
  if (genitize ? a.positional.size() != 1 : !a.positional.empty())
    throw UsageError(genitize ? "genitize needs exactly one MAP.pud" : "unexpected argument " + a.positional[0]);
  GenerateOptions o = ReadOptions(a, programDir);

  auto state = MakeGeneratorState();
  GeneratorState& s = *state;
  PrepareState(s, o, programDir);
  const uint32_t seed = o.seed ? *o.seed : ClockSeed();
  s.random.Seed(seed);

  ConsoleUi ui(o.buildOnSand, o.unplaced, o.retries, o.quiet);
  // Printed even when quiet: without it a clock-seeded map could not be made
  // again. A search prints the seed it found instead.
  if (!o.seed && !o.fair) std::printf("Seed %u\n", seed);

  SettingsRecord loadedMap = ZeroRecord();
  if (genitize) {
    loadedMap = LoadMapForGenitize(s, a.positional[0]);
    AnswerGenitizeQuestion(s, loadedMap, true);  // "Do you want to Genitize it?" -> Yes
  }
  const std::string mapFile = o.out ? *o.out : s.settings.MapFileName.str();
  if (!MapFileNameFits(mapFile)) throw FileError(mapFile, kMapFileNameTooLong);

  // Every output is checked before the run, so a bad path costs no work and
  // leaves nothing behind.
  const std::string mapTarget = mapFile.empty() ? kDefaultMapFileName : mapFile;
  CheckWritable(mapTarget);
  if (o.preview) CheckWritable(*o.preview);
  if (o.trace) CheckWritable(*o.trace);
  if (o.dumpStages) CheckWritableFolder(*o.dumpStages);
  if (o.fair) return RunFairSearch(s, o, seed, mapFile);

  if (o.count > 1) return RunBatchCommand(s, o, seed, mapTarget);

  std::string trace;
  StagePictures pictures(o.dumpStages.value_or(""));
  FileSink file;
  RunOptions run;
  run.sink = &file;
  run.symmetry = o.symmetry;
  run.ui = &ui;
  if (genitize) run.loadedMap = &loadedMap;
  if (o.trace) run.trace = &trace;
  if (o.dumpStages) run.observer = &pictures;
  const RunOutcome outcome = PrepareAndRunGeneration(s, mapFile, run);

  if (outcome.kind == RunOutcome::Kind::kRefused) {
    std::fprintf(stderr, "glenmire: %s\n", outcome.Message().c_str());
    return ExitStatus::kError;
  }
  std::vector<std::string> written;
  if (outcome.MapMade()) written.push_back(outcome.mapFile);
  try {
    if (outcome.MapMade() && o.preview) {
      WritePictureOf(outcome.mapFile, file.bytes, *o.preview);
      written.push_back(*o.preview);
    }
    if (o.trace) WriteFileAtomically(*o.trace, trace.data(), trace.size());
  } catch (const FileError& e) {
    std::fprintf(stderr, "glenmire: %s (%s)\n", e.what(), Written(written).c_str());
    return ExitStatus::kError;
  }
  if (!outcome.MapMade()) {
    ui.Say(outcome.Message());
    if (ui.GaveUp())
      std::fprintf(stderr, "glenmire: gave up after %d attempts: no attempt could place every player\n",
                   outcome.attempts);
    return ExitStatus::kNoMap;
  }
  ui.Say("Map written to " + outcome.mapFile);
  return ExitStatus::kDone;
}

}  // namespace

ExitStatus RunGenerateCommand(const std::vector<std::string>& args, const std::string& programDir) {
  return Run(args, programDir, false);
}

ExitStatus RunGenitizeCommand(const std::vector<std::string>& args, const std::string& programDir) {
  return Run(args, programDir, true);
}

}  // namespace glenmire
