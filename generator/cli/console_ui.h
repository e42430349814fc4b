// The command line's side of a generation run: status texts to standard
// output, the two questions answered from the flags, and an optional trace
// of the random generator at every status text and question.
#pragma once

#include <cstdio>
#include <string>

#include "terrain/generation_ui.h"
#include "terrain/random.h"

namespace glenmire {

class ConsoleUi : public GenerationUi {
 public:
  ConsoleUi(const Random& random, BuildOnSandAnswer buildOnSand, UnplacedAnswer unplaced, bool quiet);
  ~ConsoleUi() override;

  // Starts a trace file; throws FileError when it cannot be created.
  void OpenTrace(const std::string& path);
  // The last trace line; closes the trace.
  void EndTrace();

  void Progress(int percent) override;
  void Status(const std::string& text) override;
  BuildOnSandAnswer AskBuildOnSand(const std::string& text) override;
  UnplacedAnswer AskUnplaced(const std::string& text) override;
  void Inform(const std::string& text) override;

  // Plain lines for the user (the seed used, where the map went).
  void Say(const std::string& text);

  // True once the driver reported a written map file.
  bool MapWritten() const { return mapWritten_; }

 private:
  void Trace(const char* kind, const std::string& text);

  const Random& random_;
  BuildOnSandAnswer buildOnSand_;
  UnplacedAnswer unplaced_;
  bool quiet_;
  bool mapWritten_ = false;
  std::FILE* trace_ = nullptr;
  std::string tracePath_;
};

}  // namespace glenmire
