// A small parser for "glenmire <command> [positional...] [--flag value...]".
#pragma once

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace glenmire {

// A usage error: the command prints it and exits with ExitStatus::kError.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct ParsedArgs {
  std::vector<std::string> positional;
  std::map<std::string, std::string> values;                 // --flag value
  std::set<std::string> switches;                            // --flag
  std::map<std::string, std::vector<std::string>> repeated;  // --flag value, as often as given

  std::optional<std::string> Value(const std::string& flag) const;
  std::vector<std::string> All(const std::string& flag) const;
  bool Has(const std::string& flag) const { return switches.count(flag) > 0; }
};

// `valueFlags` take a value once, `repeatableFlags` a value each time they are
// given, `switchFlags` none; anything else is a usage error.
ParsedArgs ParseArgs(const std::vector<std::string>& args, const std::set<std::string>& valueFlags,
                     const std::set<std::string>& switchFlags, const std::set<std::string>& repeatableFlags = {});

// A decimal 32-bit unsigned value ("--seed").
uint32_t ParseSeed(const std::string& text);

}  // namespace glenmire
