// Preset recipes: how their text is read, what their assignments do, where
// "preset:NAME" points, and that every shipped recipe makes a record a run
// accepts and carries its description and survey lines.
#include "run/presets.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/file_error.h"
#include "settings/defaults.h"
#include "settings/record_limits.h"

namespace glenmire {
namespace {

const std::filesystem::path kShippedPresets =
    std::filesystem::path(GLENMIRE_TEST_DATA) / ".." / ".." / "data" / "presets";

TEST(PresetsTest, RecipeLinesAreDescriptionSurveyFairRulesSymmetryAssignmentsCommentsOrRefused) {
  struct Case {
    const char* text;
    bool accepted;
    const char* description;
    const char* survey;
    std::vector<std::string> fairRules;
    std::vector<std::string> assignments;
  } const cases[] = {
      {"description: Two players\nsurvey: 99 % placed\nMapSize=64\n",
       true,
       "Two players",
       "99 % placed",
       {},
       {"MapSize=64"}},
      {"# a comment\n\n  MapDescription=A map with blanks  \r\nGoldMines=4\n",
       true,
       "",
       "",
       {},
       {"MapDescription=A map with blanks", "GoldMines=4"}},
      {"description:   spaced out   \n", true, "spaced out", "", {}, {}},
      {"fair: meet=sea  min-room=20\nMapSize=96\n", true, "", "", {"meet=sea", "min-room=20"}, {"MapSize=96"}},
      {"fair: meet=boat\n", false, "", "", {}, {}},
      {"MapSize 64\n", false, "", "", {}, {}},
      {"summary: something\n", false, "", "", {}, {}},
      {"symmetry: half-turn\n", true, "", "", {}, {}},
      {"symmetry: spiral\n", false, "", "", {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    if (!c.accepted) {
      EXPECT_THROW(ParsePresetRecipe("x", c.text, "x.txt"), FileError);
      continue;
    }
    const PresetRecipe recipe = ParsePresetRecipe("x", c.text, "x.txt");
    EXPECT_EQ(recipe.description, c.description);
    EXPECT_EQ(recipe.survey, c.survey);
    EXPECT_EQ(recipe.fairRules, c.fairRules);
    EXPECT_EQ(recipe.assignments, c.assignments);
  }
  const FairnessRules rules = ParsePresetRecipe("x", "fair: meet=sea min-room=20\n", "x.txt").Rules();
  EXPECT_EQ(rules.meet, MeetRule::kBySea);
  EXPECT_EQ(rules.minRoom, 20);
  EXPECT_EQ(rules.mineSteps, FairnessRules{}.mineSteps);
  EXPECT_EQ(ParsePresetRecipe("x", "symmetry: half-turn\n", "x.txt").symmetry, Symmetry::kHalfTurn);
  EXPECT_EQ(ParsePresetRecipe("x", "MapSize=64\n", "x.txt").symmetry, Symmetry::kNone);
}

TEST(PresetsTest, AssignmentsAreCheckedAsConfigSetChecksThem) {
  struct Case {
    const char* assignment;
    bool accepted;
  } const cases[] = {
      {"MapSize=64", true},
      {"MapSize=50", false},
      {"PlayerController[3]=4", true},
      {"PlayerController[9]=4", false},
      {"PlayerController=4", false},
      {"MapSize[1]=64", false},
      {"LandWater=300", false},
      {"BuildOnSand=true", true},
      {"NoSuchField=1", false},
      {"MapDescription=Hi there", true},
      {"GoldMines=x", false},
      {"MapSize", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.assignment);
    SettingsRecord r = ZeroRecord();
    MakeStarterConfiguration(r);
    EXPECT_EQ(!AssignField(r, c.assignment).has_value(), c.accepted);
  }
  SettingsRecord r = ZeroRecord();
  MakeStarterConfiguration(r);
  ASSERT_EQ(AssignField(r, "PlayerController[3]=4"), std::nullopt);
  EXPECT_EQ(r.PlayerController[2], kControllerComputer);
}

TEST(PresetsTest, APresetIsTheStarterWithItsAssignments) {
  const PresetRecipe recipe = ParsePresetRecipe("x", "MapSize=64\nGoldMines=7\n", "x.txt");
  SettingsRecord expected = ZeroRecord();
  MakeStarterConfiguration(expected);
  expected.MapSize = 64;
  expected.GoldMines = 7;
  const SettingsRecord made = MakePresetRecord(recipe, "x.txt");
  EXPECT_EQ(std::memcmp(&made, &expected, sizeof made), 0);
  EXPECT_THROW(MakePresetRecord(ParsePresetRecipe("x", "MapSize=50\n", "x.txt"), "x.txt"), FileError);
}

TEST(PresetsTest, PresetNamesPointIntoThePresetsFolderNextToTheProgram) {
  EXPECT_EQ(ResolveConfigPath("preset:duel-64", "/opt/gm"), "/opt/gm/presets/duel-64.gmp");
  EXPECT_EQ(ResolveConfigPath("mine.gmp", "/opt/gm"), "mine.gmp");
  EXPECT_EQ(ResolveConfigPath("presets.gmp", "/opt/gm"), "presets.gmp");
}

TEST(PresetsTest, ListingReadsTheInstalledRecipesByNameAndSkipsBrokenOnes) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "glenmire-presets-test";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir / kPresetFolder);
  auto write = [&](const char* name, const char* text) { std::ofstream(dir / kPresetFolder / name) << text; };
  write("b.txt", "description: second\n");
  write("a.txt", "description: first\nsurvey: good\n");
  write("broken.txt", "not a recipe line\n");
  write("a.gmp", "");
  const std::vector<PresetRecipe> presets = ListPresets(dir.string());
  std::filesystem::remove_all(dir);
  ASSERT_EQ(presets.size(), 2u);
  EXPECT_EQ(presets[0].name, "a");
  EXPECT_EQ(presets[0].survey, "good");
  EXPECT_EQ(presets[1].description, "second");
}

TEST(PresetsTest, EveryShippedRecipeMakesARunnableRecordAndSaysWhatItIs) {
  int recipes = 0;
  bool hasDefault = false;
  for (const auto& entry : std::filesystem::directory_iterator(kShippedPresets)) {
    if (entry.path().extension() != ".txt") continue;
    ++recipes;
    SCOPED_TRACE(entry.path().string());
    const PresetRecipe recipe = ReadPresetRecipe(entry.path().string());
    hasDefault = hasDefault || recipe.name == "Default";
    EXPECT_FALSE(recipe.description.empty());
    EXPECT_FALSE(recipe.survey.empty());
    EXPECT_EQ(recipe.survey.find("pending"), std::string::npos);
    const SettingsRecord r = MakePresetRecord(recipe, entry.path().string());
    EXPECT_EQ(RunRefusal(r), std::nullopt);
  }
  EXPECT_TRUE(hasDefault);
  EXPECT_GE(recipes, 7);
}

}  // namespace
}  // namespace glenmire
