#include "cli/cli_args.h"

#include <cstdint>

namespace glenmire {

std::optional<std::string> ParsedArgs::Value(const std::string& flag) const {
  auto it = values.find(flag);
  if (it == values.end()) return std::nullopt;
  return it->second;
}

std::vector<std::string> ParsedArgs::All(const std::string& flag) const {
  auto it = repeated.find(flag);
  return it == repeated.end() ? std::vector<std::string>{} : it->second;
}

ParsedArgs ParseArgs(const std::vector<std::string>& args, const std::set<std::string>& valueFlags,
                     const std::set<std::string>& switchFlags, const std::set<std::string>& repeatableFlags) {
  ParsedArgs parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
      if (valueFlags.count(a)) {
        if (i + 1 >= args.size()) throw UsageError(a + " needs a value");
        if (parsed.values.count(a)) throw UsageError(a + " given twice");
        parsed.values[a] = args[++i];
      } else if (repeatableFlags.count(a)) {
        if (i + 1 >= args.size()) throw UsageError(a + " needs a value");
        parsed.repeated[a].push_back(args[++i]);
      } else if (switchFlags.count(a)) {
        parsed.switches.insert(a);
      } else {
        throw UsageError("unknown option " + a);
      }
    } else {
      parsed.positional.push_back(a);
    }
  }
  return parsed;
}

uint32_t ParseSeed(const std::string& text) {
  const UsageError bad("--seed wants a decimal number 0..4294967295, not \"" + text + "\"");
  if (text.empty() || text.size() > 10) throw bad;
  uint64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') throw bad;
    v = v * 10 + static_cast<uint64_t>(c - '0');
  }
  if (v > 0xFFFFFFFFull) throw bad;
  return static_cast<uint32_t>(v);
}

}  // namespace glenmire
