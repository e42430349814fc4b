#include "cli/generate_command.h"

#include <chrono>
#include <cstdio>
#include <memory>

#include "cli/cli_args.h"
#include "cli/console_ui.h"
#include "cli/map_picture.h"
#include "settings/file_error.h"
#include "terrain/driver.h"
#include "terrain/generate_command.h"

namespace glenmire {
namespace {

struct RunOptions {
  std::optional<std::string> config;
  std::optional<std::string> out;
  std::optional<std::string> preview;
  std::optional<std::string> trace;
  std::optional<uint32_t> seed;
  BuildOnSandAnswer buildOnSand = BuildOnSandAnswer::kCancel;
  UnplacedAnswer unplaced = UnplacedAnswer::kAbort;
  bool quiet = false;
};

RunOptions ReadOptions(const ParsedArgs& a) {
  RunOptions o;
  o.config = a.Value("--config");
  o.out = a.Value("--out");
  o.preview = a.Value("--preview");
  o.trace = a.Value("--trace");
  if (auto seed = a.Value("--seed")) o.seed = ParseSeed(*seed);
  if (auto v = a.Value("--build-on-sand")) {
    if (*v == "ok")
      o.buildOnSand = BuildOnSandAnswer::kOk;
    else if (*v != "cancel")
      throw UsageError("--build-on-sand is ok or cancel");
  }
  if (auto v = a.Value("--unplaced")) {
    if (*v == "retry")
      o.unplaced = UnplacedAnswer::kRetry;
    else if (*v == "ignore")
      o.unplaced = UnplacedAnswer::kIgnore;
    else if (*v != "abort")
      throw UsageError("--unplaced is abort, retry or ignore");
  }
  o.quiet = a.Has("--quiet");
  return o;
}

// As at program start: the given configuration, else Default.gmp next to the
// program, else the defaults; the menu check marks follow the record.
void PrepareState(GeneratorState& s, const RunOptions& o, const std::string& programDir) {
  if (o.config)
    LoadConfigurationWithMenu(s, *o.config);
  else
    LoadStartupSettings(s, programDir);
}

uint32_t ClockSeed() {
  auto now = std::chrono::system_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

int Run(const std::vector<std::string>& args, const std::string& programDir, bool genitize) {
  std::set<std::string> valueFlags = {"--config", "--seed", "--out", "--preview", "--trace"};
  if (!genitize) {
    valueFlags.insert("--build-on-sand");
    valueFlags.insert("--unplaced");
  }
  ParsedArgs a = ParseArgs(args, valueFlags, {"--quiet"});
  if (genitize ? a.positional.size() != 1 : !a.positional.empty())
    throw UsageError(genitize ? "genitize needs exactly one MAP.pud" : "unexpected argument " + a.positional[0]);
  RunOptions o = ReadOptions(a);

  auto state = MakeGeneratorState();
  GeneratorState& s = *state;
  PrepareState(s, o, programDir);
  uint32_t seed = o.seed ? *o.seed : ClockSeed();
  s.random.Seed(seed);

  ConsoleUi ui(s.random, o.buildOnSand, o.unplaced, o.quiet);
  s.ui = &ui;
  // Printed even when quiet: without it a clock-seeded map could not be made again.
  if (!o.seed) std::printf("Seed %u\n", seed);
  if (o.trace) ui.OpenTrace(*o.trace);

  if (genitize) {
    LoadMapForGenitize(s, a.positional[0]);
    AnswerGenitizeQuestion(s, true);  // "Do you want to Genitize it?" -> Yes
  }
  std::string mapFile = o.out ? *o.out : s.settings.MapFileName.str();
  if (!MapFileNameFits(mapFile)) throw FileError(mapFile, kMapFileNameTooLong);
  PrepareAndRunGeneration(s, mapFile);
  ui.EndTrace();
  if (!ui.MapWritten()) return 1;
  if (o.preview) WriteMapPicture(s, *o.preview, 1);
  ui.Say("Map written to " + (mapFile.empty() ? std::string(kDefaultMapFileName) : mapFile));
  return 0;
}

}  // namespace

int RunGenerateCommand(const std::vector<std::string>& args, const std::string& programDir) {
  return Run(args, programDir, false);
}

int RunGenitizeCommand(const std::vector<std::string>& args, const std::string& programDir) {
  return Run(args, programDir, true);
}

}  // namespace glenmire
