// Surveys: the shares and figures add up to what the seeds one by one give.
#include "run/settings_survey.h"

#include <gtest/gtest.h>

#include "run/presets.h"
#include "settings/defaults.h"

namespace glenmire {
namespace {

TEST(SettingsSurveyTest, NearestRankPercentiles) {
  struct Case {
    std::vector<double> values;
    double p, expected;
  } const cases[] = {
      {{}, 50, 0},
      {{7}, 10, 7},
      {{3, 1, 2}, 50, 2},
      {{4, 1, 3, 2}, 50, 2},
      {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 10, 1},
      {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 90, 9},
      {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 90, 10},
      {{5, 5, 1}, 0, 1},
      {{5, 5, 1}, 100, 5},
  };
  for (const Case& c : cases) EXPECT_EQ(NearestRankPercentile(c.values, c.p), c.expected);
}

TEST(SettingsSurveyTest, SharesAndFiguresCountTheSeedsOneByOne) {
  SurveyRequest request;
  MakeStarterConfiguration(request.setup.record);
  for (const char* a : {"MapSize=32", "LandWater=70", "GoldMines=4"})
    ASSERT_EQ(AssignField(request.setup.record, a), std::nullopt);
  request.firstSeed = 5;
  request.lastSeed = 16;
  int watched = 0;
  const SurveyResult survey = SurveySettings(request, [&](int done, int total) {
    EXPECT_EQ(done, ++watched);
    EXPECT_EQ(total, 12);
    return true;
  });
  ASSERT_FALSE(survey.refused);
  EXPECT_EQ(survey.tally.runs, 12);
  EXPECT_EQ(survey.lastSeed, 16u);

  SeedRunner runner(request.setup);
  int placed = 0, fair = 0, pairs = 0;
  for (uint32_t seed = 5; seed <= 16; ++seed) {
    const SeedTrial trial = runner.Run(seed);
    placed += trial.Placed();
    fair += trial.Fair();
    if (trial.report) pairs += static_cast<int>(trial.report->pairs.size());
  }
  EXPECT_EQ(survey.tally.placed, placed);
  EXPECT_EQ(survey.tally.fair, fair);
  EXPECT_EQ(survey.tally.placed + survey.tally.unplaced, 12);
  EXPECT_EQ(survey.pairsOnFoot + survey.pairsBySea + survey.pairsApart, pairs);
  for (const FigureSummary& f : survey.figures) {
    SCOPED_TRACE(f.name);
    if (f.per == "map" && f.name.find("spread") == std::string::npos && f.name.find("ratio") == std::string::npos) {
      EXPECT_EQ(f.count, placed);
    }
    if (f.name == "walk between starts (steps)") {
      EXPECT_EQ(f.count, survey.pairsOnFoot);
    }
    EXPECT_LE(f.p10, f.median);
    EXPECT_LE(f.median, f.p90);
  }
}

TEST(SettingsSurveyTest, AWatcherEndsTheSurveyEarlyAndARefusedRecordRunsNothing) {
  SurveyRequest request;
  MakeStarterConfiguration(request.setup.record);
  request.setup.record.MapSize = 32;
  request.firstSeed = 1;
  request.lastSeed = 50;
  const SurveyResult early = SurveySettings(request, [](int done, int) { return done < 4; });
  EXPECT_EQ(early.tally.runs, 4);
  EXPECT_EQ(early.lastSeed, 4u);
  request.setup.record.MapSize = 33;
  const SurveyResult refused = SurveySettings(request);
  EXPECT_TRUE(refused.refused);
  EXPECT_EQ(refused.tally.runs, 0);
}

}  // namespace
}  // namespace glenmire
