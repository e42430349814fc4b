// How the glenmire command ends: the statuses it exits with and what each
// one means, which the generate command's help and the README's table say.
#pragma once

#include <string>

namespace glenmire {

enum class ExitStatus : int {
  kDone = 0,   // the map (or whatever was asked for) was written
  kNoMap = 1,  // no playable or fair map could be made
  kError = 2,  // a usage, file or settings error
};

inline constexpr int ExitCode(ExitStatus status) { return static_cast<int>(status); }

struct ExitStatusMeaning {
  ExitStatus status;
  const char* brief;    // in the command's help
  const char* meaning;  // in the README's table
};

// Every status, in order.
extern const ExitStatusMeaning kExitStatusMeanings[3];

// "Exit status: 0 ..., 1 ..., 2 ....", one line for the help.
std::string ExitStatusHelp();
// The README's table of the statuses (Markdown).
std::string ExitStatusTable();

}  // namespace glenmire
