#include "cli/console_ui.h"

#include <cerrno>
#include <cinttypes>
#include <cstring>

#include "settings/file_error.h"
#include "terrain/driver.h"

namespace glenmire {

ConsoleUi::ConsoleUi(const Random& random, BuildOnSandAnswer buildOnSand, UnplacedAnswer unplaced, bool quiet)
    : random_(random), buildOnSand_(buildOnSand), unplaced_(unplaced), quiet_(quiet) {}

ConsoleUi::~ConsoleUi() {
  if (trace_) std::fclose(trace_);
}

void ConsoleUi::OpenTrace(const std::string& path) {
  trace_ = std::fopen(path.c_str(), "w");
  if (!trace_) throw FileError(path, std::string("cannot create the trace: ") + std::strerror(errno));
  tracePath_ = path;
}

void ConsoleUi::EndTrace() {
  if (!trace_) return;
  Trace("end", "");
  bool ok = std::fclose(trace_) == 0;
  trace_ = nullptr;
  if (!ok) throw FileError(tracePath_, "cannot write the trace");
}

void ConsoleUi::Trace(const char* kind, const std::string& text) {
  if (!trace_) return;
  std::fprintf(trace_, "%s\t%s\tdraws=%" PRIu64 "\tseed=%08" PRIx32 "\n", kind, text.c_str(), random_.draws,
               random_.seed);
}

void ConsoleUi::Progress(int) {}

void ConsoleUi::Status(const std::string& text) {
  Trace("status", text);
  if (!quiet_ && text != " ") std::printf("%s\n", text.c_str());
}

BuildOnSandAnswer ConsoleUi::AskBuildOnSand(const std::string& text) {
  Trace("ask", "build_on_sand");
  if (!quiet_)
    std::printf("%s -> %s\n", text.c_str(), buildOnSand_ == BuildOnSandAnswer::kOk ? "OK" : "Cancel");
  return buildOnSand_;
}

UnplacedAnswer ConsoleUi::AskUnplaced(const std::string& text) {
  Trace("ask", "unplaced");
  static const char* const kNames[] = {"Abort", "Retry", "Ignore"};
  if (!quiet_) std::printf("%s -> %s\n", text.c_str(), kNames[static_cast<int>(unplaced_)]);
  return unplaced_;
}

void ConsoleUi::Inform(const std::string& text) {
  if (text == kDoneCreating || text == kDoneGenitizing) mapWritten_ = true;
  if (!quiet_) std::printf("%s\n", text.c_str());
}

void ConsoleUi::Say(const std::string& text) {
  if (!quiet_) std::printf("%s\n", text.c_str());
}

}  // namespace glenmire
