// Any settings record ends in a map, "no playable map" or a refusal: never a
// crash, a hang or a write outside the grids. The sanitizer build runs these
// too, so a stray read or write fails there.
#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "core/file_error.h"
#include "core/unit_types.h"
#include "mapfile/map_reader.h"
#include "placement/unit_list.h"
#include "recording_ui.h"
#include "run/generation_road.h"
#include "settings/defaults.h"
#include "settings/settings_fields.h"

namespace glenmire {
namespace {

using testing::RecordingUi;

constexpr auto kTimeBound = std::chrono::seconds(30);  // per run, generous for the sanitizer build

// Runs the prepared road on `record` with the given answers into memory and
// checks the ending: a refusal leaves no bytes, a map loads back with every
// unit inside it.
struct Ending {
  RunOutcome outcome;
  bool askedSand = false, askedUnplaced = false;
};

Ending RunAndCheck(const SettingsRecord& record, uint32_t seed, BuildOnSandAnswer sand, UnplacedAnswer unplaced,
                   const std::string& what) {
  auto s = MakeGeneratorState();
  s->settings = record;
  s->menu = {record.ShowWarnings != 0, record.Compensate != 0, record.SafetyMode != 0};
  s->random.Seed(seed);
  RecordingUi ui;
  // Retry is answered once, then Abort, as the command bounds it.
  ui.unplacedAnswers = {unplaced, UnplacedAnswer::kAbort};
  ui.buildOnSandAnswers = {sand};
  MemorySink sink;
  const auto start = std::chrono::steady_clock::now();
  const RunOutcome outcome = PrepareAndRunGeneration(*s, "any.pud", RunOptions{.sink = &sink, .ui = &ui});
  EXPECT_LT(std::chrono::steady_clock::now() - start, kTimeBound) << what;
  // The run keeps only the map file name and the menu checks in the record.
  SettingsRecord kept = record;
  kept.MapFileName.assign("any.pud");
  MenuChecksIntoRecord(s->menu, kept);
  EXPECT_EQ(std::memcmp(&s->settings, &kept, sizeof kept), 0) << what << ": settings changed";
  const Ending ending{outcome, ui.Count("ask build_on_sand") > 0, ui.Count("ask unplaced") > 0};
  if (!outcome.MapMade()) {
    EXPECT_TRUE(sink.bytes.empty()) << what;
    return ending;
  }
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("glenmire-any-" + std::to_string(::getpid()) + ".pud");
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(sink.bytes.data()), static_cast<std::streamsize>(sink.bytes.size()));
  auto loaded = MakeGeneratorState();
  EXPECT_NO_THROW(LoadMapFile(*loaded, file.string())) << what;
  std::filesystem::remove(file);
  const int side = loaded->settings.MapSize;
  for (int32_t i = 0; i + kUnitRecordBytes <= static_cast<int32_t>(loaded->LoadedUnitSectionLength);
       i += kUnitRecordBytes) {
    const UnitRecord unit = DecodeUnitRecord(loaded->UnitList + i);
    EXPECT_TRUE(InsideMap(side, unit.row, unit.column))
        << what << ": unit " << int(unit.type) << " at " << unit.row << "," << unit.column;
  }
  return ending;
}

// Stores the low bytes of value into the element, whatever its type allows:
// a record from a file may hold any bytes (a boolean of 255, say).
void SetRaw(SettingsRecord& r, const FieldInfo& f, int index, int64_t value) {
  std::memcpy(reinterpret_cast<uint8_t*>(&r) + f.offset + f.ElementSize() * static_cast<std::size_t>(index), &value,
              f.ElementSize());
}

SettingsRecord Starter(int32_t mapSize) {
  SettingsRecord r = ZeroRecord();
  MakeStarterConfiguration(r);
  r.MapSize = mapSize;
  return r;
}

TEST(AnyRecord, MapSizesNoMapFileHoldsAreRefusedBeforeAnyStage) {
  for (int32_t size : {INT_MIN, -128, -1, 1, 31, 33, 127, 129, 130, 192, 255, 256, 99999, INT_MAX}) {
    SCOPED_TRACE(size);
    auto s = MakeGeneratorState();
    s->settings = Starter(size);
    RecordingUi ui;
    MemorySink sink;
    const RunOutcome outcome = PrepareAndRunGeneration(*s, "refused.pud", RunOptions{.sink = &sink, .ui = &ui});
    EXPECT_EQ(outcome.kind, RunOutcome::Kind::kRefused);
    EXPECT_EQ(outcome.reason, "MapSize is " + std::to_string(size) + "; a map is 32, 64, 96 or 128 cells on a side");
    EXPECT_EQ(ui.events, std::vector<std::string>{"progress 0"});  // no stage reported anything
    EXPECT_TRUE(sink.bytes.empty());
    EXPECT_EQ(s->settings.MapSize, size);  // the user's settings as they were
  }
}

// A run refuses such sizes, but each stage must keep inside its grids on its
// own too: every row of the table, run directly on a record of any size.
TEST(AnyRecord, EveryStageKeepsInsideItsGridsWhateverTheMapSize) {
  for (int32_t size : {INT_MIN, -5, 0, 1, 2, 3, 5, 31, 129, 130, 192, 256, 99999, INT_MAX}) {
    SCOPED_TRACE(size);
    auto s = MakeGeneratorState();
    s->settings = Starter(size);
    s->settings.RiversEnable = s->settings.LakesEnable = s->settings.ForestEnable = s->settings.MountainsEnable = 1;
    s->random.Seed(7);
    MemorySink sink;
    SilentUi ui;
    RunContext run{sink, ui};
    const auto start = std::chrono::steady_clock::now();
    for (const Stage& stage : AttemptStages()) {
      if (!Works(stage, *s)) continue;
      try {
        stage.work(*s, run);
      } catch (const FileError&) {
        // The encoder refuses a size no map file holds: the one stage allowed to.
        EXPECT_EQ(std::string(stage.name), "map file");
      }
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, kTimeBound);
  }
}

// Every field that sizes a loop or an index, at the ends of its type and at
// the values where the stages change their course.
TEST(AnyRecord, FieldsAtTheirEdgesEndInAMapNoMapOrARefusal) {
  struct Edge {
    const char* field;
    std::vector<int64_t> values;
  };
  const int64_t kMin32 = INT32_MIN, kMax32 = INT32_MAX;
  const Edge edges[] = {
      {"MapSize", {0, 32, 128}},
      {"LandWater", {-128, -1, 0, 4, 5, 10, 98, 99, 127}},
      {"Lakes", {-128, 0, 127}},
      {"Mountains", {-128, 127}},
      {"BuildableLand", {-128, 0, 14, 127}},
      {"Forest", {-128, 127}},
      {"Rivers", {-128, 127}},
      {"MultipleRivers", {255}},
      {"GoldMines", {-128, 0, 127}},
      {"OilPatches", {-128, 127}},
      {"GoldAmount", {kMin32, kMax32}},
      {"OilAmount", {kMin32, kMax32}},
      {"NumberOfPlayers", {-128, 127}},
      {"Decorations", {-128, 127}},
      {"Climate", {kMin32, 4, kMax32}},
      {"CrittersNormal", {kMin32, 400, kMax32}},
      {"RandomMethod", {3, 255}},
      {"RandomExtremity", {-128, 127}},
      {"ReverseLandAndWaterProperties", {1}},
      {"EnableShallowWater", {1}},
      {"EnableImpassibleLand", {1}},
  };
  const Edge perPlayer[] = {
      {"PlayerController", {0, 3, 4, 5, 6, 7, 255}},
      {"PlayerRace", {2, 255}},
      {"PlayerAI", {255, 7}},
      {"Difficulty", {-128, 0, 10, 127}},
      {"CrittersPlayer", {kMin32, kMax32}},
      {"StartGold", {kMin32, kMax32}},
      {"StartLumber", {kMin32, kMax32}},
  };
  auto run = [](SettingsRecord r, const std::string& what) {
    for (int32_t mapSize : {32, 128}) {
      if (r.MapSize != 0 && r.MapSize != 32 && r.MapSize != 128) continue;
      SettingsRecord sized = r;
      if (sized.MapSize == 0) sized.MapSize = mapSize;
      RunAndCheck(sized, 17, BuildOnSandAnswer::kOk, UnplacedAnswer::kRetry, what + " at " + std::to_string(mapSize));
    }
  };
  for (const Edge& edge : edges) {
    const FieldInfo* field = FindField(edge.field);
    ASSERT_NE(field, nullptr) << edge.field;
    for (int64_t value : edge.values) {
      SettingsRecord r = Starter(0);
      SetRaw(r, *field, 0, value);
      run(r, std::string(edge.field) + "=" + std::to_string(value));
    }
  }
  for (const Edge& edge : perPlayer) {
    const FieldInfo* field = FindField(edge.field);
    ASSERT_NE(field, nullptr) << edge.field;
    for (int64_t value : edge.values) {
      SettingsRecord r = Starter(0);
      for (int p = 0; p < kPlayers; ++p) SetRaw(r, *field, p, value);
      run(r, std::string(edge.field) + "[all]=" + std::to_string(value));
    }
  }
  // Texts longer than their storage say they are.
  SettingsRecord r = Starter(32);
  r.MapDescription.length = 255;
  r.MapFileName.length = 255;
  run(r, "over-long lengths");
}

// 300 records from a seeded source: a third fully random bytes, a third the
// starter with every field random within its type, a third the starter with
// 5 to 30 fields changed; each with every answer to the questions it asks (a
// question that is not asked takes no answer, so one run stands for them all).
TEST(AnyRecord, ThreeHundredRandomRecordsEachEndWithinTheirBound) {
  std::mt19937 source(20261208);
  const auto fields = SettingsFields();
  auto randomElement = [&](SettingsRecord& r, const FieldInfo& f, int index) {
    if (f.type == FieldType::kShortString || f.type == FieldType::kOpaque || f.type == FieldType::kReserved) return;
    const NumberRange range = FieldTypeRange(f.type);
    std::uniform_int_distribution<int64_t> value(range.lowest, range.highest);
    WriteFieldElement(r, f, index, value(source));
  };
  int made = 0, refused = 0, unplayable = 0;
  for (int n = 0; n < 300; ++n) {
    SettingsRecord r = Starter(128);
    if (n % 3 == 0) {
      auto* bytes = reinterpret_cast<uint8_t*>(&r);
      for (std::size_t i = 0; i < sizeof r; ++i) bytes[i] = static_cast<uint8_t>(source());
    } else if (n % 3 == 1) {
      for (const FieldInfo& f : fields)
        for (int i = 0; i < (f.IsArray() ? f.count : 1); ++i) randomElement(r, f, i);
    } else {
      const int changes = 5 + static_cast<int>(source() % 26);
      for (int c = 0; c < changes; ++c) {
        const FieldInfo& f = fields[source() % fields.size()];
        randomElement(r, f, f.IsArray() ? static_cast<int>(source() % static_cast<unsigned>(f.count)) : 0);
      }
    }
    // A map size no run accepts is refused before any stage: one in nine keep
    // their drawn size, the rest get one a run accepts so their fields are exercised.
    if (n % 9 != 0) r.MapSize = kMapSizes[source() % 4];
    const uint32_t seed = source();
    bool askedSand = true, askedUnplaced = true;
    for (BuildOnSandAnswer sand : {BuildOnSandAnswer::kOk, BuildOnSandAnswer::kCancel}) {
      if (!askedSand) break;
      bool first = true;
      for (UnplacedAnswer unplaced : {UnplacedAnswer::kAbort, UnplacedAnswer::kRetry, UnplacedAnswer::kIgnore}) {
        if (!first && !askedUnplaced) break;
        first = false;
        const Ending ending = RunAndCheck(r, seed, sand, unplaced, "record " + std::to_string(n));
        askedSand = ending.askedSand;
        askedUnplaced = ending.askedUnplaced;
        made += ending.outcome.MapMade();
        refused += ending.outcome.kind == RunOutcome::Kind::kRefused;
        unplayable += ending.outcome.kind == RunOutcome::Kind::kNoPlayableMap;
      }
    }
  }
  // The source reaches every ending, so each kind of check above ran.
  EXPECT_GT(made, 0);
  EXPECT_GT(refused, 0);
  EXPECT_GT(unplayable, 0);
}

}  // namespace
}  // namespace glenmire
