// The glenmire command: the generator without its window, for batch work,
// scripts and end-to-end tests.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_args.h"
#include "cli/config_command.h"
#include "cli/generate_command.h"
#include "cli/fair_options.h"
#include "cli/info_command.h"
#include "cli/survey_command.h"
#include "core/file_error.h"
#include "run/fair_search.h"

namespace {

const char kUsage[] =
    "usage:\n"
    "  glenmire generate [--config FILE.gmp] [--seed N] [--out FILE.pud] [--build-on-sand ok|cancel]\n"
    "                    [--unplaced abort|retry|ignore] [--preview FILE.png] [--trace FILE] [--quiet]\n"
    "  glenmire genitize MAP.pud [--config FILE.gmp] [--seed N] [--out FILE.pud] [--preview FILE.png]\n"
    "                    [--trace FILE] [--quiet]\n"
    "  glenmire generate --fair [--tries N] [--fair-rule NAME=VALUE]... [--allow-sea] [--config FILE.gmp]\n"
    "                    [--seed N] [--out FILE.pud] [--build-on-sand ok|cancel] [--preview FILE.png] [--quiet]\n"
    "  glenmire survey CONFIG [--seeds A..B] [--fair-rule NAME=VALUE]... [--allow-sea]\n"
    "                    [--build-on-sand ok|cancel] [--json]\n"
    "  glenmire info MAP.pud [--config FILE.gmp] [--json]\n"
    "  glenmire preview MAP.pud --out FILE.png [--scale K]\n"
    "  glenmire config defaults --out FILE.gmp\n"
    "  glenmire config starter --out FILE.gmp\n"
    "  glenmire config preset RECIPE.txt --out FILE.gmp\n"
    "  glenmire config show FILE.gmp [--json]\n"
    "  glenmire config set FILE.gmp FIELD=VALUE... [--out FILE.gmp]\n";

// What --fair does, after the usage, for "glenmire generate --help".
std::string FairHelp() {
  return "\nWith --fair, seeds S, S+1, ... (S from --seed, or the clock) run until a map passes every\n"
         "fairness rule, at most --tries of them (default " + std::to_string(glenmire::kDefaultFairTries) +
         "); only that map is written, the same bytes as\n"
         "`generate --seed X` with the same configuration and --build-on-sand. Unplaced players are\n"
         "answered Abort. CONFIG or --config may be preset:NAME (a shipped preset). The rules, each changed\n"
         "by --fair-rule NAME=VALUE (a number, on/off, foot/sea for meet; off turns a rule off;\n"
         "--allow-sea is meet=sea):\n" +
         glenmire::FairRulesHelp(glenmire::FairnessRules{});
}

// The folder of the running program, ending in a separator, whatever its name.
std::string ProgramDir() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return "./";
  return exe.parent_path().string() + "/";
}

}  // namespace

int main(int argc, char** argv) {
  using namespace glenmire;
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    std::fputs(kUsage, args.empty() ? stderr : stdout);
    return args.empty() ? 2 : 0;
  }
  std::string command = args[0];
  std::vector<std::string> rest(args.begin() + 1, args.end());
  const bool askedHelp = rest.size() == 1 && (rest[0] == "--help" || rest[0] == "-h");
  if (askedHelp && (command == "generate" || command == "survey")) {
    std::fputs(kUsage, stdout);
    std::fputs(FairHelp().c_str(), stdout);
    return 0;
  }
  try {
    if (command == "survey") return RunSurveyCommand(rest, ProgramDir());
    if (command == "generate") return RunGenerateCommand(rest, ProgramDir());
    if (command == "genitize") return RunGenitizeCommand(rest, ProgramDir());
    if (command == "info") return RunInfoCommand(rest, ProgramDir());
    if (command == "preview") return RunPreviewCommand(rest);
    if (command == "config") return RunConfigCommand(rest);
    throw UsageError("unknown command \"" + command + "\"");
  } catch (const UsageError& e) {
    std::fprintf(stderr, "glenmire: %s\n%s", e.what(), kUsage);
    return 2;
  } catch (const FileError& e) {
    std::fprintf(stderr, "glenmire: %s\n", e.what());
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "glenmire: %s\n", e.what());
    return 2;
  }
}
