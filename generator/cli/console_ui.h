// The command line's side of a generation run: status texts to standard
// output and the two questions answered from the flags. An automatic Retry
// gives up after a number of attempts, so a record that can never place its
// players still ends.
#pragma once

#include <string>

#include "core/generation_ui.h"

namespace glenmire {

class ConsoleUi : public GenerationUi {
 public:
  ConsoleUi(BuildOnSandAnswer buildOnSand, UnplacedAnswer unplaced, int maxAttempts, bool quiet);

  void Progress(int percent) override;
  void Status(const std::string& text) override;
  BuildOnSandAnswer AskBuildOnSand(const std::string& text) override;
  UnplacedAnswer AskUnplaced(const std::string& text) override;

  // Plain lines for the user (the seed used, where the map went).
  void Say(const std::string& text) const;
  // True once Retry was turned into Abort after the last allowed attempt.
  bool GaveUp() const { return gaveUp_; }

 private:
  BuildOnSandAnswer buildOnSand_;
  UnplacedAnswer unplaced_;
  int maxAttempts_;
  int failedAttempts_ = 0;
  bool gaveUp_ = false;
  bool quiet_;
};

}  // namespace glenmire
