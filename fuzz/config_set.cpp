// "glenmire config set" and "--seed" on any text.
//
// Input: lines. The first is a seed argument, every further line one
// FIELD=VALUE assignment, applied in turn to the starter configuration. A
// usage error is a clear refusal; anything else thrown, or a crash, is not.
// An accepted seed must be the number the text spells.
#include <cstring>
#include <string>
#include <string_view>

#include "cli/cli_args.h"
#include "core/settings_record.h"
#include "fuzz_check.h"
#include "fuzz_one.h"
#include "run/presets.h"
#include "settings/defaults.h"

int FuzzOne(const uint8_t* data, std::size_t size) {
  using namespace glenmire;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::size_t start = 0;
  auto nextLine = [&](std::string& line) {
    if (start > text.size()) return false;
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    line = std::string(text.substr(start, end - start));
    start = end + 1;
    return true;
  };

  std::string line;
  if (!nextLine(line)) return 0;
  try {
    const uint32_t seed = ParseSeed(line);
    const std::size_t digits = line.find_first_not_of('0');
    const std::string spelt = digits == std::string::npos ? "0" : line.substr(digits);
    fuzzing::Check(std::to_string(seed) == spelt, "seed \"" + line + "\" read as " + std::to_string(seed));
  } catch (const UsageError&) {
  }

  SettingsRecord r = ZeroRecord();
  MakeStarterConfiguration(r);
  while (nextLine(line)) {
    const SettingsRecord before = r;
    if (const auto refusal = AssignField(r, line)) {
      fuzzing::Check(!refusal->empty(), "a refusal without a reason");
      fuzzing::Check(std::memcmp(&before, &r, sizeof r) == 0, "a refused assignment changed the record: " + line);
    }
  }
  return 0;
}
