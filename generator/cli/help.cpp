#include "cli/help.h"

#include "cli/exit_status.h"
#include "cli/fair_options.h"
#include "report/fairness.h"
#include "run/fair_search.h"

namespace glenmire {

namespace {

struct Command {
  const char* name;
  const char* synopsis;
  const char* options;  // the options and what they default to
};

constexpr Command kCommands[] = {
    {"generate", "glenmire generate [options]: a new map, as Generate Map makes it",
     "  --config FILE.gmp       the settings (preset:NAME for a shipped preset); default: Default.gmp\n"
     "                          next to the program, else the built-in defaults\n"
     "  --seed N                the random seed, 0..4294967295; default: from the clock (printed)\n"
     "  --out FILE.pud          the map file; default: the configuration's map file name, else glenmire.pud\n"
     "  --count K               K maps from seeds N, N+1, ...: FILE-0001.pud, FILE-0002.pud, ...; default 1\n"
     "  --build-on-sand ok|cancel       the answer to \"Build On Sand\"; default cancel\n"
     "  --unplaced abort|retry|ignore   the answer to \"Unable to Place all Players\"; default abort\n"
     "  --retries N             with --unplaced retry, give up after N attempts; default 100\n"
     "  --preview FILE.png      also a picture of the map\n"
     "  --trace FILE            the random generator's draws at every stage (to compare two runs)\n"
     "  --dump-stages DIR       a picture of the terrain after every stage\n"
     "  --fair                  try seeds until a map passes the fairness rules (below)\n"
     "  --tries N               with --fair, at most N seeds; default 500\n"
     "  --fair-rule NAME=VALUE  with --fair, change one rule (a number, on/off, foot/sea; off turns it off)\n"
     "  --allow-sea             with --fair, players may meet by sea (meet=sea)\n"
     "  --symmetry MODE         a symmetric map: none (default), mirror-x, mirror-y, mirror-diagonal,\n"
     "                          half-turn (2, 4, 6 or 8 active players), quarter-turn, mirror-xy (4 or 8), eight (8)\n"
     "  --quiet                 print only the seed and errors\n"},
    {"genitize", "glenmire genitize MAP.pud [options]: a loaded map written again, as Genitize does",
     "  --config FILE.gmp       the settings; default: Default.gmp next to the program\n"
     "  --seed N                the random seed; default: from the clock (printed)\n"
     "  --out FILE.pud          the map file; default: the configuration's map file name\n"
     "  --preview FILE.png, --trace FILE, --dump-stages DIR, --quiet   as for generate\n"},
    {"survey", "glenmire survey CONFIG [options]: how often a configuration places everyone and is fair",
     "  --seeds A..B            the seeds to run; default 1..100\n"
     "  --build-on-sand ok|cancel   default cancel\n"
     "  --fair-rule NAME=VALUE, --allow-sea   the rules, as for generate --fair\n"
     "  --symmetry MODE         symmetric maps, as for generate\n"
     "  --json                  the figures as JSON\n"},
    {"info", "glenmire info MAP.pud [options]: what a map holds, its report and verdict",
     "  --config FILE.gmp       judge players set up alike by these settings; default: all alike\n"
     "  --json                  everything as JSON (with the symmetries the map has)\n"},
    {"preview", "glenmire preview MAP.pud --out FILE.png [options]: a picture of a map",
     "  --out FILE.png          the picture (required)\n"
     "  --scale K               pixels per cell, 1..16; default 1\n"},
    {"config", "glenmire config defaults|starter|preset|show|set ...: configuration files",
     "  glenmire config defaults --out FILE.gmp          the built-in defaults\n"
     "  glenmire config starter --out FILE.gmp           the starter configuration\n"
     "  glenmire config preset RECIPE.txt --out FILE.gmp a preset recipe made into a configuration\n"
     "  glenmire config show FILE.gmp [--json]           every field by name\n"
     "  glenmire config set FILE.gmp FIELD=VALUE... [--out FILE.gmp]\n"
     "                                                   change fields (arrays: FIELD[i], i from 1)\n"},
    {"help", "glenmire help COMMAND: the options of one command", ""},
};

}  // namespace

std::string UsageText() {
  std::string text = "usage:\n";
  for (const Command& c : kCommands) text += std::string("  ") + c.synopsis + "\n";
  text += "  glenmire --version\nMore: glenmire COMMAND --help\n";
  return text;
}

std::string CommandHelp(const std::string& command) {
  for (const Command& c : kCommands) {
    if (command != c.name) continue;
    std::string text = std::string(c.synopsis) + "\n" + c.options;
    if (command == "generate") text += ExitStatusHelp();
    if (command == "generate" || command == "survey")
      text += "Fairness rules (NAME=VALUE and what it asks), the defaults of --fair, up to " +
              std::to_string(kDefaultFairTries) + " tries:\n" + FairRulesHelp(FairnessRules{});
    return text;
  }
  return {};
}

}  // namespace glenmire
