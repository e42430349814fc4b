// Running the built glenmire command from tests, and a scratch folder. Whole
// files are read with the reference set's readers.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/reference_data.h"

namespace glenmire::testing {

struct CommandResult {
  int status = -1;
  std::string output;  // standard output and error together
};

inline std::string GlenmirePath() { return std::string(GLENMIRE_BIN_DIR) + "/glenmire"; }

// Runs `glenmire <args>` through the shell; args are passed as written.
inline CommandResult RunGlenmire(const std::string& args) {
  std::string command = GlenmirePath() + " " + args + " 2>&1";
  CommandResult result;
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return result;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) result.output.append(buf, n);
  int raw = ::pclose(pipe);
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return result;
}

// A fresh empty folder for one test, removed when the object goes.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "glenmire-test-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

inline std::string Quote(const std::string& s) { return "'" + s + "'"; }

}  // namespace glenmire::testing
