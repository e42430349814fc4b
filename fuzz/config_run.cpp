// A configuration file of any content, then a whole "Generate Map" on it.
//
// Input: the first 4252 bytes are the settings record, taken as loading the
// configuration takes them (a shorter input is not a configuration and is
// refused, as the load refuses it). Up to five more bytes choose the run:
//   bytes 0..3  the seed, lowest byte first (0 when missing)
//   byte 4      bit 0..2: Show Warnings, Compensate, Safety Mode (the record's
//               own check marks when missing); bit 3: answer OK to "Build On
//               Sand"; bits 4..5: the answer to the unplaced-players question
//               (0 Abort, 1 Retry, 2 Ignore, 3 Retry)
// The map goes to memory. Every run must end with a map that loads again, with
// "no playable map", or with a refusal that says why.
#include <cstring>
#include <memory>
#include <string>

#include "core/generator_state.h"
#include "core/settings_record.h"
#include "fuzz_check.h"
#include "fuzz_one.h"
#include "mapfile/map_reader.h"
#include "run/generation_road.h"
#include "run/pipeline.h"

namespace {

using namespace glenmire;

constexpr int kMaxRetries = 3;

// Answers as chosen; a Retry is given at most kMaxRetries times, then Abort.
class AnsweringUi : public GenerationUi {
 public:
  AnsweringUi(BuildOnSandAnswer sand, UnplacedAnswer unplaced) : sand_(sand), unplaced_(unplaced) {}
  void Progress(int) override {}
  void Status(const std::string&) override {}
  BuildOnSandAnswer AskBuildOnSand(const std::string&) override { return sand_; }
  UnplacedAnswer AskUnplaced(const std::string&) override {
    if (unplaced_ != UnplacedAnswer::kRetry) return unplaced_;
    if (retries_ == kMaxRetries) return UnplacedAnswer::kAbort;
    ++retries_;
    return UnplacedAnswer::kRetry;
  }

 private:
  BuildOnSandAnswer sand_;
  UnplacedAnswer unplaced_;
  int retries_ = 0;
};

}  // namespace

int FuzzOne(const uint8_t* data, std::size_t size) {
  if (size < kSettingsRecordSize) return 0;
  const uint8_t* extra = data + kSettingsRecordSize;
  const std::size_t extraSize = size - kSettingsRecordSize;

  auto state = MakeGeneratorState();
  GeneratorState& s = *state;
  std::memcpy(&s.settings, data, kSettingsRecordSize);
  MenuChecksFromRecord(s);

  uint32_t seed = 0;
  for (std::size_t i = 0; i < 4 && i < extraSize; ++i) seed |= static_cast<uint32_t>(extra[i]) << (8 * i);
  const uint8_t choice = extraSize > 4 ? extra[4] : 0;
  if (extraSize > 4) {
    s.menu.showWarnings = (choice & 1) != 0;
    s.menu.compensate = (choice & 2) != 0;
    s.menu.safetyMode = (choice & 4) != 0;
  }
  constexpr UnplacedAnswer kAnswers[4] = {UnplacedAnswer::kAbort, UnplacedAnswer::kRetry, UnplacedAnswer::kIgnore,
                                          UnplacedAnswer::kRetry};
  AnsweringUi ui((choice & 8) ? BuildOnSandAnswer::kOk : BuildOnSandAnswer::kCancel, kAnswers[(choice >> 4) & 3]);
  s.random.Seed(seed);

  MemorySink sink;
  std::string trace;
  RunOptions options;
  options.sink = &sink;
  options.trace = &trace;
  options.ui = &ui;
  const RunOutcome outcome = PrepareAndRunGeneration(s, "fuzz.pud", options);

  using Kind = RunOutcome::Kind;
  switch (outcome.kind) {
    case Kind::kRefused:
      fuzzing::Check(!outcome.reason.empty(), "a refusal without a reason");
      fuzzing::Check(sink.bytes.empty(), "a refused run wrote a map");
      break;
    case Kind::kNoPlayableMap: fuzzing::Check(sink.bytes.empty(), "a run without a playable map wrote one"); break;
    case Kind::kMapWritten: {
      fuzzing::Check(outcome.mapFile == "fuzz.pud", "the map went to " + outcome.mapFile);
      auto again = MakeGeneratorState();
      try {
        LoadMapBytes(*again, outcome.mapFile, sink.bytes);
      } catch (const std::exception& e) {
        fuzzing::Broken(std::string("a generated map does not load: ") + e.what());
      }
      break;
    }
    case Kind::kMapGenitized: fuzzing::Broken("a run without a loaded map genitized");
  }
  fuzzing::Check(outcome.attempts <= kMaxRetries + 1, "more attempts than retries allowed");
  return 0;
}
