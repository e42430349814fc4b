// The fair-map search, the survey, the report in info and the shipped
// presets, end to end through the built command.
#include <gtest/gtest.h>

#include <string>

#include "cli_test_support.h"

namespace glenmire {
namespace {

using namespace glenmire::testing;

class FairCommandsTest : public ::testing::Test {
 protected:
  // The shipped Default.gmp at the given map size.
  std::string Default(int mapSize) {
    const std::string path = dir_ / ("default" + std::to_string(mapSize) + ".gmp");
    EXPECT_EQ(RunGlenmire("config set " + Quote(std::string(GLENMIRE_BIN_DIR) + "/Default.gmp") +
                          " MapSize=" + std::to_string(mapSize) + " --out " + Quote(path))
                  .status,
              0);
    return path;
  }
  // The seed a "Seed X: fair after K tries" line names, or -1.
  static long FoundSeed(const std::string& output) {
    const std::size_t at = output.find("Seed ");
    if (at == std::string::npos || output.find(": fair after ", at) == std::string::npos) return -1;
    return std::stol(output.substr(at + 5));
  }
  TempDir dir_;
};

TEST_F(FairCommandsTest, TheFairMapIsByteForByteThePlainRunOfItsSeed) {
  struct Case {
    int mapSize;
    const char* startSeed;
    const char* buildOnSand;
  } const cases[] = {{32, "1", "cancel"}, {64, "7", "cancel"}, {128, "3", "ok"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mapSize);
    const std::string cfg = Default(c.mapSize);
    const std::string common = " --config " + Quote(cfg) + " --build-on-sand " + c.buildOnSand;
    const CommandResult fair = RunGlenmire("generate --fair --seed " + std::string(c.startSeed) + common + " --out " +
                                           Quote(dir_ / "fair.pud"));
    ASSERT_EQ(fair.status, 0) << fair.output;
    const long seed = FoundSeed(fair.output);
    ASSERT_GE(seed, std::stol(c.startSeed)) << fair.output;
    EXPECT_NE(fair.output.find("Verdict: fair"), std::string::npos) << fair.output;
    const CommandResult plain =
        RunGlenmire("generate --quiet --seed " + std::to_string(seed) + common + " --out " + Quote(dir_ / "plain.pud"));
    ASSERT_EQ(plain.status, 0) << plain.output;
    EXPECT_EQ(ReadBytes(dir_ / "fair.pud"), ReadBytes(dir_ / "plain.pud"));
    const CommandResult info = RunGlenmire("info " + Quote(dir_ / "plain.pud") + " --config " + Quote(cfg));
    EXPECT_NE(info.output.find("Verdict: fair"), std::string::npos) << info.output;
  }
}

TEST_F(FairCommandsTest, NoFairMapWithinTheTriesExitsOneNamingTheCommonestFailure) {
  const CommandResult r = RunGlenmire("generate --fair --tries 3 --seed 5 --fair-rule min-room=100000 --config " +
                                      Quote(Default(64)) + " --out " + Quote(dir_ / "none.pud"));
  EXPECT_EQ(r.status, 1) << r.output;
  EXPECT_NE(r.output.find("no fair map in 3 tries (seeds 5..7)"), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("min-room (each start has at least 100000 buildable cells"), std::string::npos) << r.output;
  EXPECT_FALSE(std::filesystem::exists(dir_ / "none.pud"));
}

TEST_F(FairCommandsTest, LooserRulesNeverFindALaterSeed) {
  const std::string base =
      "generate --fair --quiet --seed 1 --config " + Quote(Default(96)) + " --out " + Quote(dir_ / "m.pud");
  const long strict = FoundSeed(RunGlenmire(base + " --fair-rule mine-spread=2 --fair-rule room-ratio=1.2").output);
  const long loose =
      FoundSeed(RunGlenmire(base + " --fair-rule mine-spread=off --fair-rule room-ratio=off --allow-sea").output);
  ASSERT_GE(strict, 1);
  ASSERT_GE(loose, 1);
  EXPECT_LE(loose, strict);
}

TEST_F(FairCommandsTest, FlagsThatDoNotFitTheSearchAreUsageErrors) {
  const std::string cfg = " --config " + Quote(Default(64)) + " --out " + Quote(dir_ / "x.pud");
  for (const char* flags :
       {"--fair --fair-rule mine-steps=far", "--fair --fair-rule gold=1", "--fair-rule mine-steps=5", "--tries 5",
        "--allow-sea", "--fair --unplaced retry", "--fair --tries 0", "--fair --trace t.txt"}) {
    SCOPED_TRACE(flags);
    EXPECT_EQ(RunGlenmire("generate " + std::string(flags) + cfg).status, 2);
  }
  EXPECT_FALSE(std::filesystem::exists(dir_ / "x.pud"));
}

TEST_F(FairCommandsTest, GenerateHelpListsTheRulesWithTheirDefaults) {
  const CommandResult help = RunGlenmire("generate --help");
  EXPECT_EQ(help.status, 0);
  for (const char* line : {"starts=on", "mine-steps=20", "mine-spread=8", "meet=foot", "min-room=40", "room-ratio=1.5",
                           "same-start=on", "--tries"})
    EXPECT_NE(help.output.find(line), std::string::npos) << line;
}

TEST_F(FairCommandsTest, InfoReportsEachPlayerAndJsonCarriesTheReport) {
  ASSERT_EQ(RunGlenmire("generate --quiet --seed 2 --config " + Quote(Default(64)) + " --out " + Quote(dir_ / "m.pud"))
                .status,
            0);
  const CommandResult text = RunGlenmire("info " + Quote(dir_ / "m.pud"));
  ASSERT_EQ(text.status, 0) << text.output;
  for (const char* part : {"Report:", "1 Red", "2 Blue", "Players meet:", "Rivals:", "Verdict:",
                           "Spread across players (max - min):", "separate walks to the rival"})
    EXPECT_NE(text.output.find(part), std::string::npos) << part;
  const CommandResult json = RunGlenmire("info --json " + Quote(dir_ / "m.pud"));
  for (const char* part : {"\"report\": {", "\"nearestGoldMine\"", "\"buildableRoom\"", "\"pairs\"", "\"fair\"",
                           "\"rules\"", "\"safeArea\": ", "\"spread\": {\"walkToRival\": "})
    EXPECT_NE(json.output.find(part), std::string::npos) << part;
}

TEST_F(FairCommandsTest, SurveySumsUpTheSeedsAsTextOrJson) {
  const std::string cfg = Quote(Default(32));
  const CommandResult text = RunGlenmire("survey " + cfg + " --seeds 1..8");
  ASSERT_EQ(text.status, 0) << text.output;
  EXPECT_NE(text.output.find("seeds 1..8 (8 runs)"), std::string::npos) << text.output;
  EXPECT_NE(text.output.find("every player placed:"), std::string::npos);
  EXPECT_NE(text.output.find("nearest gold mine (steps)"), std::string::npos);
  EXPECT_EQ(text.output.find("survey: "), std::string::npos) << "no progress line off a terminal";
  const CommandResult json = RunGlenmire("survey " + cfg + " --seeds 1..8 --json");
  EXPECT_NE(json.output.find("\"runs\": 8"), std::string::npos) << json.output;
  EXPECT_NE(json.output.find("\"fairShare\""), std::string::npos);
  EXPECT_NE(text.output.find("safe area (%)"), std::string::npos);
  // The spread rules are off unless asked for; no two sides of a plain map hold the very same share.
  EXPECT_NE(json.output.find("\"safe-area-spread\": 0}"), std::string::npos) << json.output;
  const CommandResult strict = RunGlenmire("survey " + cfg + " --seeds 1..8 --json --fair-rule safe-area-spread=0");
  EXPECT_EQ(strict.output.find("\"safe-area-spread\": 0}"), std::string::npos) << strict.output;
  for (const char* bad : {"--seeds 9..2", "--seeds 5", "--seeds a..b", "--fair-rule meet=boat"})
    EXPECT_EQ(RunGlenmire("survey " + cfg + " " + bad).status, 2) << bad;
}

TEST_F(FairCommandsTest, EveryShippedPresetIsFoundByName) {
  for (const char* name : {"Default", "duel-64", "land-battle-128", "four-players-96", "islands-four-96",
                           "eight-players-128", "winter-96", "swamp-96"}) {
    SCOPED_TRACE(name);
    const std::string preset = std::string("preset:") + name;
    const CommandResult r = RunGlenmire("generate --quiet --unplaced ignore --seed 1 --config " + preset + " --out " +
                                        Quote(dir_ / "p.pud"));
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_TRUE(std::filesystem::exists(std::string(GLENMIRE_BIN_DIR) + "/presets/" + name + ".txt"));
  }
  EXPECT_EQ(RunGlenmire("survey preset:no-such-preset --seeds 1..2").status, 2);
  EXPECT_EQ(ReadBytes(std::string(GLENMIRE_BIN_DIR) + "/Default.gmp"),
            ReadBytes(std::string(GLENMIRE_BIN_DIR) + "/presets/Default.gmp"));
}

// A preset's recipe says which rules its maps are judged by (the islands
// meet by sea); the same configuration under its file name takes the defaults.
TEST_F(FairCommandsTest, APresetIsJudgedByItsRecipesRules) {
  const std::string file = Quote(std::string(GLENMIRE_BIN_DIR) + "/presets/islands-four-96.gmp");
  auto fairShare = [](const std::string& command) {
    const CommandResult r = RunGlenmire(command + " --seeds 1..40 --json");
    EXPECT_EQ(r.status, 0) << r.output;
    const std::size_t at = r.output.find("\"fairShare\": ");
    return at == std::string::npos ? std::string() : r.output.substr(at, r.output.find(',', at) - at);
  };
  const std::string preset = fairShare("survey preset:islands-four-96");
  EXPECT_EQ(preset, fairShare("survey " + file + " --allow-sea"));
  EXPECT_NE(preset, fairShare("survey " + file));
}

// The shipped Default.gmp finds a fair map from several start seeds at every
// map size (all of 1..20 at each size are checked by hand; docs/presets.md).
TEST_F(FairCommandsTest, TheShippedDefaultFindsFairMapsAtEverySize) {
  for (int mapSize : {32, 64, 96, 128}) {
    const std::string cfg = Default(mapSize);
    for (const char* seed : {"1", "20"}) {
      SCOPED_TRACE(std::to_string(mapSize) + " from seed " + seed);
      const CommandResult r = RunGlenmire("generate --fair --quiet --seed " + std::string(seed) + " --config " +
                                          Quote(cfg) + " --out " + Quote(dir_ / "d.pud"));
      EXPECT_EQ(r.status, 0) << r.output;
      EXPECT_GE(FoundSeed(r.output), std::stol(seed)) << r.output;
    }
  }
}

}  // namespace
}  // namespace glenmire
