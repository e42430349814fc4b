#include "cli/console_ui.h"

#include <cstdio>

namespace glenmire {

ConsoleUi::ConsoleUi(BuildOnSandAnswer buildOnSand, UnplacedAnswer unplaced, int maxAttempts, bool quiet)
    : buildOnSand_(buildOnSand), unplaced_(unplaced), maxAttempts_(maxAttempts), quiet_(quiet) {}

void ConsoleUi::Progress(int) {}

void ConsoleUi::Status(const std::string& text) {
  if (text != " ") Say(text);
}

BuildOnSandAnswer ConsoleUi::AskBuildOnSand(const std::string& text) {
  Say(text + (buildOnSand_ == BuildOnSandAnswer::kOk ? " -> OK" : " -> Cancel"));
  return buildOnSand_;
}

UnplacedAnswer ConsoleUi::AskUnplaced(const std::string& text) {
  UnplacedAnswer answer = unplaced_;
  if (answer == UnplacedAnswer::kRetry && ++failedAttempts_ >= maxAttempts_) {
    answer = UnplacedAnswer::kAbort;
    gaveUp_ = true;
  }
  static const char* const kNames[] = {"Abort", "Retry", "Ignore"};
  Say(text + " -> " + kNames[static_cast<int>(answer)]);
  return answer;
}

void ConsoleUi::Say(const std::string& text) const {
  if (!quiet_) std::printf("%s\n", text.c_str());
}

}  // namespace glenmire
