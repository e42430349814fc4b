// A GenerationUi for tests: records every report as a line and answers the
// two questions from scripted lists.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/generation_ui.h"

namespace glenmire::testing {

class RecordingUi : public GenerationUi {
 public:
  std::vector<std::string> events;
  std::deque<BuildOnSandAnswer> buildOnSandAnswers;  // empty: Cancel
  std::deque<UnplacedAnswer> unplacedAnswers;        // empty: Ignore

  void Progress(int percent) override { events.push_back("progress " + std::to_string(percent)); }
  void Status(const std::string& text) override { events.push_back("status " + text); }
  BuildOnSandAnswer AskBuildOnSand(const std::string&) override {
    events.push_back("ask build_on_sand");
    if (buildOnSandAnswers.empty()) return BuildOnSandAnswer::kCancel;
    BuildOnSandAnswer a = buildOnSandAnswers.front();
    buildOnSandAnswers.pop_front();
    return a;
  }
  UnplacedAnswer AskUnplaced(const std::string&) override {
    events.push_back("ask unplaced");
    if (unplacedAnswers.empty()) return UnplacedAnswer::kIgnore;
    UnplacedAnswer a = unplacedAnswers.front();
    unplacedAnswers.pop_front();
    return a;
  }

  int Count(const std::string& event) const {
    int n = 0;
    for (const std::string& e : events) n += e == event;
    return n;
  }
};

}  // namespace glenmire::testing
