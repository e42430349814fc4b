// How a generation run speaks to a person while it runs: progress, status
// text and the two questions. The window shows message boxes, the command
// line answers from its flags, tests script the answers. What the run ended
// with comes back as its outcome (run/pipeline.h).
#pragma once

#include <string>

namespace glenmire {

enum class BuildOnSandAnswer { kOk, kCancel };
enum class UnplacedAnswer { kAbort, kRetry, kIgnore };

class GenerationUi {
 public:
  virtual ~GenerationUi() = default;
  virtual void Progress(int percent) = 0;
  virtual void Status(const std::string& text) = 0;
  // "There is not much buildable land. ..." (warning; OK, Cancel).
  virtual BuildOnSandAnswer AskBuildOnSand(const std::string& text) = 0;
  // "Unable to Place all Players, make map anyway?" (warning; Abort, Retry, Ignore).
  virtual UnplacedAnswer AskUnplaced(const std::string& text) = 0;
};

// Says nothing and answers Cancel and Abort: for stages run outside a window.
class SilentUi : public GenerationUi {
 public:
  void Progress(int) override {}
  void Status(const std::string&) override {}
  BuildOnSandAnswer AskBuildOnSand(const std::string&) override { return BuildOnSandAnswer::kCancel; }
  UnplacedAnswer AskUnplaced(const std::string&) override { return UnplacedAnswer::kAbort; }
};

}  // namespace glenmire
