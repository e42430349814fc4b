// The glenmire command: the generator without its window, for batch work,
// scripts and end-to-end tests.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_args.h"
#include "cli/config_command.h"
#include "cli/generate_command.h"
#include "cli/info_command.h"
#include "core/file_error.h"

namespace {

const char kUsage[] =
    "usage:\n"
    "  glenmire generate [--config FILE.gmp] [--seed N] [--out FILE.pud] [--build-on-sand ok|cancel]\n"
    "                    [--unplaced abort|retry|ignore] [--preview FILE.png] [--trace FILE] [--quiet]\n"
    "  glenmire genitize MAP.pud [--config FILE.gmp] [--seed N] [--out FILE.pud] [--preview FILE.png]\n"
    "                    [--trace FILE] [--quiet]\n"
    "  glenmire info MAP.pud [--json]\n"
    "  glenmire preview MAP.pud --out FILE.png [--scale K]\n"
    "  glenmire config defaults --out FILE.gmp\n"
    "  glenmire config starter --out FILE.gmp\n"
    "  glenmire config show FILE.gmp [--json]\n"
    "  glenmire config set FILE.gmp FIELD=VALUE... [--out FILE.gmp]\n";

// The folder of the running program, ending in a separator, whatever its name.
std::string ProgramDir() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return "./";
  return exe.parent_path().string() + "/";
}

}  // namespace

int main(int argc, char** argv) {
  using namespace glenmire;
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    std::fputs(kUsage, args.empty() ? stderr : stdout);
    return args.empty() ? 2 : 0;
  }
  std::string command = args[0];
  std::vector<std::string> rest(args.begin() + 1, args.end());
  try {
    if (command == "generate") return RunGenerateCommand(rest, ProgramDir());
    if (command == "genitize") return RunGenitizeCommand(rest, ProgramDir());
    if (command == "info") return RunInfoCommand(rest);
    if (command == "preview") return RunPreviewCommand(rest);
    if (command == "config") return RunConfigCommand(rest);
    throw UsageError("unknown command \"" + command + "\"");
  } catch (const UsageError& e) {
    std::fprintf(stderr, "glenmire: %s\n%s", e.what(), kUsage);
    return 2;
  } catch (const FileError& e) {
    std::fprintf(stderr, "glenmire: %s\n", e.what());
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "glenmire: %s\n", e.what());
    return 2;
  }
}
