// The glenmire command: the generator without its window, for batch work,
// scripts and end-to-end tests.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_args.h"
#include "cli/config_command.h"
#include "cli/exit_status.h"
#include "cli/generate_command.h"
#include "cli/help.h"
#include "cli/info_command.h"
#include "cli/survey_command.h"
#include "core/file_error.h"

namespace {

// The folder of the running program, ending in a separator, whatever its name.
std::string ProgramDir() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return "./";
  return exe.parent_path().string() + "/";
}

bool AsksHelp(const std::vector<std::string>& args) {
  for (const std::string& a : args)
    if (a == "--help" || a == "-h") return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace glenmire;
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    std::fputs(UsageText().c_str(), stderr);
    return ExitCode(ExitStatus::kError);
  }
  const std::string command = args[0];
  std::vector<std::string> rest(args.begin() + 1, args.end());
  if (command == "--help" || command == "-h") {
    std::fputs(UsageText().c_str(), stdout);
    return ExitCode(ExitStatus::kDone);
  }
  if (command == "--version") {
    std::printf("%s\n", kGlenmireVersion);
    return ExitCode(ExitStatus::kDone);
  }
  if (command == "help") {
    if (rest.empty()) {
      std::fputs(UsageText().c_str(), stdout);
      return ExitCode(ExitStatus::kDone);
    }
    const std::string help = CommandHelp(rest[0]);
    if (help.empty()) {
      std::fprintf(stderr, "glenmire: there is no command \"%s\"; try 'glenmire --help'\n", rest[0].c_str());
      return ExitCode(ExitStatus::kError);
    }
    std::fputs(help.c_str(), stdout);
    return ExitCode(ExitStatus::kDone);
  }
  const std::string help = CommandHelp(command);
  if (!help.empty() && AsksHelp(rest)) {
    std::fputs(help.c_str(), stdout);
    return ExitCode(ExitStatus::kDone);
  }
  try {
    if (command == "survey") return ExitCode(RunSurveyCommand(rest, ProgramDir()));
    if (command == "generate") return ExitCode(RunGenerateCommand(rest, ProgramDir()));
    if (command == "genitize") return ExitCode(RunGenitizeCommand(rest, ProgramDir()));
    if (command == "info") return ExitCode(RunInfoCommand(rest, ProgramDir()));
    if (command == "preview") return ExitCode(RunPreviewCommand(rest));
    if (command == "config") return ExitCode(RunConfigCommand(rest));
    std::fprintf(stderr, "glenmire: unknown command \"%s\"; try 'glenmire --help'\n", command.c_str());
    return ExitCode(ExitStatus::kError);
  } catch (const UsageError& e) {
    // One line, and where to read more.
    std::fprintf(stderr, "glenmire %s: %s; try 'glenmire %s --help'\n", command.c_str(), e.what(), command.c_str());
    return ExitCode(ExitStatus::kError);
  } catch (const FileError& e) {
    std::fprintf(stderr, "glenmire: %s\n", e.what());
    return ExitCode(ExitStatus::kError);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "glenmire: %s\n", e.what());
    return ExitCode(ExitStatus::kError);
  }
}
