#include "cli/exit_status.h"

namespace glenmire {

const ExitStatusMeaning kExitStatusMeanings[3] = {
    {ExitStatus::kDone, "map written", "the map was written (and the picture and trace, when asked for)"},
    {ExitStatus::kNoMap, "no playable (or fair) map",
     "no playable map could be made (every player could not be placed, or Retry gave up), or `--fair` found no "
     "fair map in its tries (the message names the rule that failed most), or some maps of a `--count` batch had "
     "none; nothing but the trace is written"},
    {ExitStatus::kError, "usage, file or settings error",
     "a usage error, a file that cannot be read or written, or settings no map can be made from (a map size other "
     "than 32, 64, 96, 128); the message names the file or field and the reason. When it comes before the run "
     "nothing is written; when a picture or trace fails after the map is in place, the message says which files "
     "were written"},
};

std::string ExitStatusHelp() {
  std::string text = "Exit status:";
  const char* separator = " ";
  for (const ExitStatusMeaning& m : kExitStatusMeanings) {
    text += separator + std::to_string(ExitCode(m.status)) + " " + m.brief;
    separator = ", ";
  }
  return text + ".\n";
}

std::string ExitStatusTable() {
  std::string table = "| Exit status | Meaning |\n|---|---|\n";
  for (const ExitStatusMeaning& m : kExitStatusMeanings)
    table += "| " + std::to_string(ExitCode(m.status)) + " | " + m.meaning + " |\n";
  return table;
}

}  // namespace glenmire
