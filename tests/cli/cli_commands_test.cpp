// End-to-end runs of the built glenmire command.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "cli/exit_status.h"
#include "cli_test_support.h"
#include "mapfile/map_reader.h"
#include "report/map_picture.h"
#include "settings/config_file.h"
#include "settings/defaults.h"

namespace glenmire {
namespace {

using namespace glenmire::testing;

class CliTest : public ::testing::Test {
 protected:
  // The shipped starter configuration at the given map size, with land enough
  // for both players (the starter's 20 % leaves small maps mostly sea).
  std::string Config(int mapSize, const std::string& extra = "LandWater=60") {
    std::string path = dir_ / ("starter" + std::to_string(mapSize) + ".gmp");
    EXPECT_EQ(RunGlenmire("config starter --out " + Quote(path)).status, 0);
    EXPECT_EQ(RunGlenmire("config set " + Quote(path) + " MapSize=" + std::to_string(mapSize) + " " + extra).status, 0);
    return path;
  }
  TempDir dir_;
};

TEST_F(CliTest, SameConfigAndSeedGiveTheSameBytesAndOtherSeedsOtherBytes) {
  std::string cfg = Config(64);
  std::string base = "generate --quiet --unplaced ignore --config " + Quote(cfg);
  ASSERT_EQ(RunGlenmire(base + " --seed 77 --out " + Quote(dir_ / "a.pud")).status, 0);
  ASSERT_EQ(RunGlenmire(base + " --seed 77 --out " + Quote(dir_ / "b.pud")).status, 0);
  ASSERT_EQ(RunGlenmire(base + " --seed 78 --out " + Quote(dir_ / "c.pud")).status, 0);
  EXPECT_EQ(ReadBytes(dir_ / "a.pud"), ReadBytes(dir_ / "b.pud"));
  EXPECT_NE(ReadBytes(dir_ / "a.pud"), ReadBytes(dir_ / "c.pud"));
}

TEST_F(CliTest, WithoutASeedTheSeedUsedIsPrinted) {
  CommandResult r = RunGlenmire("generate --quiet --unplaced ignore --config " + Quote(Config(32)) + " --out " +
                                Quote(dir_ / "m.pud"));
  ASSERT_EQ(r.status, 0) << r.output;
  std::size_t at = r.output.find("Seed ");
  ASSERT_NE(at, std::string::npos) << r.output;
  std::string seed = r.output.substr(at + 5, r.output.find('\n', at) - at - 5);
  ASSERT_EQ(RunGlenmire("generate --quiet --unplaced ignore --config " + Quote(Config(32)) + " --seed " + seed +
                        " --out " + Quote(dir_ / "again.pud"))
                .status,
            0);
  EXPECT_EQ(ReadBytes(dir_ / "m.pud"), ReadBytes(dir_ / "again.pud"));
}

TEST_F(CliTest, UnplacedAnswersDecideWhetherAMapIsWritten) {
  // Eight computer players and many mines on a small wet map: not everyone fits.
  std::string extra;
  for (int p = 1; p <= 8; ++p) extra += " PlayerController[" + std::to_string(p) + "]=4";
  std::string cfg = Config(32, extra + " LandWater=12 GoldMines=16");
  int failingSeed = -1;
  for (int seed = 1; seed <= 40 && failingSeed < 0; ++seed) {
    CommandResult r = RunGlenmire("generate --quiet --unplaced abort --seed " + std::to_string(seed) + " --config " +
                                  Quote(cfg) + " --out " + Quote(dir_ / "abort.pud"));
    if (r.status == 1)
      failingSeed = seed;
    else
      ASSERT_EQ(r.status, 0) << r.output;
  }
  ASSERT_GE(failingSeed, 0) << "no seed failed to place everyone";
  std::filesystem::remove(dir_ / "abort.pud");
  CommandResult abort = RunGlenmire("generate --unplaced abort --seed " + std::to_string(failingSeed) + " --config " +
                                    Quote(cfg) + " --out " + Quote(dir_ / "abort.pud"));
  EXPECT_EQ(abort.status, 1);
  EXPECT_NE(abort.output.find("unable to make a playable map"), std::string::npos) << abort.output;
  EXPECT_FALSE(std::filesystem::exists(dir_ / "abort.pud"));
  CommandResult ignore = RunGlenmire("generate --quiet --unplaced ignore --seed " + std::to_string(failingSeed) +
                                     " --config " + Quote(cfg) + " --out " + Quote(dir_ / "ignore.pud"));
  EXPECT_EQ(ignore.status, 0) << ignore.output;
  EXPECT_TRUE(std::filesystem::exists(dir_ / "ignore.pud"));
}

TEST_F(CliTest, GenerateThenGenitizeThenInfo) {
  std::string cfg = Config(64);
  ASSERT_EQ(RunGlenmire("generate --quiet --unplaced ignore --seed 5 --config " + Quote(cfg) + " --out " +
                        Quote(dir_ / "new.pud"))
                .status,
            0);
  CommandResult g = RunGlenmire("genitize " + Quote(dir_ / "new.pud") + " --quiet --seed 6 --config " + Quote(cfg) +
                                " --out " + Quote(dir_ / "again.pud") + " --preview " + Quote(dir_ / "again.png"));
  ASSERT_EQ(g.status, 0) << g.output;
  auto before = MakeGeneratorState();
  auto after = MakeGeneratorState();
  LoadMapFile(*before, dir_ / "new.pud");
  LoadMapFile(*after, dir_ / "again.pud");
  EXPECT_EQ(std::memcmp(&before->TerrainGrid, &after->TerrainGrid, sizeof before->TerrainGrid), 0);
  EXPECT_EQ(std::memcmp(&before->RegionGrid, &after->RegionGrid, sizeof before->RegionGrid), 0);
  ASSERT_EQ(before->LoadedUnitSectionLength, after->LoadedUnitSectionLength);
  ASSERT_GT(before->LoadedUnitSectionLength, 0u);
  EXPECT_EQ(std::memcmp(before->UnitList, after->UnitList, before->LoadedUnitSectionLength), 0);

  CommandResult info = RunGlenmire("info " + Quote(dir_ / "again.pud"));
  ASSERT_EQ(info.status, 0) << info.output;
  EXPECT_NE(info.output.find("Size: 64 x 64"), std::string::npos) << info.output;
  EXPECT_NE(info.output.find("Gold Mine (Neutral)"), std::string::npos) << info.output;
  EXPECT_NE(info.output.find("Every active player has a start location: yes"), std::string::npos) << info.output;
  CommandResult json = RunGlenmire("info --json " + Quote(dir_ / "again.pud"));
  ASSERT_EQ(json.status, 0);
  EXPECT_NE(json.output.find("\"everyActivePlayerHasStartLocation\": true"), std::string::npos) << json.output;
}

TEST_F(CliTest, ConfigSetThenShowRoundTrip) {
  std::string cfg = dir_ / "c.gmp";
  ASSERT_EQ(RunGlenmire("config defaults --out " + Quote(cfg)).status, 0);
  CommandResult set = RunGlenmire("config set " + Quote(cfg) +
                                  " LandWater=-5 StartGold[8]=70000 MapDescription='Two rivers' UnitRace[1]=O "
                                  "BlankMap=true");
  ASSERT_EQ(set.status, 0) << set.output;
  CommandResult show = RunGlenmire("config show " + Quote(cfg));
  ASSERT_EQ(show.status, 0);
  for (const char* line : {"LandWater = -5\n", "StartGold[8] = 70000\n", "MapDescription = \"Two rivers\"\n",
                           "UnitRace[1] = 'O'\n", "BlankMap = 1\n"})
    EXPECT_NE(show.output.find(line), std::string::npos) << line;
  SettingsRecord r = ZeroRecord();
  LoadConfiguration(r, cfg);
  EXPECT_EQ(r.StartGold[7], 70000);

  // Refused assignments change nothing on disk.
  Bytes saved = ReadBytes(cfg);
  for (const char* bad : {"NoSuchField=1", "LandWater=128", "StartGold=1", "StartGold[9]=1", "BlankMap=2",
                          "MapSize=99999", "MapSize=130", "StartGold[99999999999]=1",
                          "MapDescription="
                          "123456789012345678901234567890123",
                          "LandWater"}) {
    EXPECT_EQ(RunGlenmire("config set " + Quote(cfg) + " " + Quote(bad)).status, 2) << bad;
    EXPECT_EQ(ReadBytes(cfg), saved) << bad;
  }
}

TEST_F(CliTest, UsageAndFileErrorsExitWithTwoAndWriteNothing) {
  std::string cfg = Config(32);
  std::string out = dir_ / "never.pud";
  // A record no map file can hold, as another program might leave it.
  Bytes record = ReadBytes(cfg);
  const int32_t oddSize = 130;
  std::memcpy(record.data() + offsetof(SettingsRecord, MapSize), &oddSize, sizeof oddSize);
  const std::string odd = dir_ / "odd.gmp";
  WriteBytes(odd, record);
  const std::string fifo = dir_ / "pipe.gmp";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string cases[] = {
      "",
      "frobnicate",
      "generate --seed banana --out " + Quote(out),
      "generate --seed 4294967296 --out " + Quote(out),
      "generate --unplaced maybe --out " + Quote(out),
      "generate --config " + Quote(dir_ / "missing.gmp") + " --out " + Quote(out),
      "generate --unplaced ignore --config " + Quote(cfg) + " --out " + Quote(dir_ / "no-such-folder/x.pud"),
      "generate --unplaced ignore --config " + Quote(cfg) + " --out " + Quote(dir_ / (std::string(250, 'x') + ".pud")),
      "generate --unplaced ignore --config " + Quote(odd) + " --out " + Quote(out),
      "generate --unplaced ignore --config " + Quote(fifo) + " --out " + Quote(out),
      "generate --unplaced ignore --retries 0 --config " + Quote(cfg) + " --out " + Quote(out),
      "generate --unplaced ignore --config " + Quote(cfg) + " --out " + Quote(out) + " --preview " +
          Quote(dir_ / "no-such-folder/x.png"),
      "generate --unplaced ignore --config " + Quote(cfg) + " --out " + Quote(out) + " --trace " +
          Quote(dir_.path().string()),
      "generate --unplaced ignore --config " + Quote(cfg) + " --out " + Quote(out) + " --dump-stages " +
          Quote(dir_ / "no-such-folder"),
      "genitize --out " + Quote(out),
      "genitize " + Quote(dir_ / "missing.pud") + " --out " + Quote(out),
      "preview " + Quote(dir_ / "missing.pud"),
      "config show",
  };
  for (const std::string& args : cases) {
    CommandResult r = RunGlenmire(args);
    EXPECT_EQ(r.status, 2) << args << "\n" << r.output;
    EXPECT_FALSE(r.output.empty()) << args;
    EXPECT_FALSE(std::filesystem::exists(out)) << args;
  }
  EXPECT_FALSE(std::filesystem::exists(dir_ / "no-such-folder"));
  const CommandResult refused = RunGlenmire("generate --quiet --config " + Quote(odd) + " --out " + Quote(out));
  EXPECT_NE(refused.output.find("MapSize is 130; a map is 32, 64, 96 or 128 cells on a side"), std::string::npos)
      << refused.output;
}

TEST_F(CliTest, DumpStagesDrawsTheTerrainAfterEveryStageAndChangesNoByte) {
  const std::string cfg = Config(32);
  const std::string base = "generate --quiet --unplaced ignore --seed 9 --config " + Quote(cfg);
  std::filesystem::create_directory(dir_ / "stages");
  ASSERT_EQ(RunGlenmire(base + " --out " + Quote(dir_ / "plain.pud")).status, 0);
  ASSERT_EQ(
      RunGlenmire(base + " --out " + Quote(dir_ / "drawn.pud") + " --dump-stages " + Quote(dir_ / "stages")).status, 0);
  EXPECT_EQ(ReadBytes(dir_ / "plain.pud"), ReadBytes(dir_ / "drawn.pud"));
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir_ / "stages")) {
    names.push_back(entry.path().filename().string());
    const Bytes png = ReadBytes(entry.path());
    ASSERT_GE(png.size(), 8u);
    EXPECT_EQ(png[1], 'P');
  }
  std::sort(names.begin(), names.end());
  ASSERT_GE(names.size(), 15u);
  EXPECT_EQ(names.front(), "01-island-mass.png");
  EXPECT_NE(std::find(names.begin(), names.end(), "09-forest.png"), names.end());
  EXPECT_NE(names.back().find("map-file.png"), std::string::npos);
}

TEST_F(CliTest, CountMakesNumberedMapsEachTheMapOfItsSeed) {
  const std::string cfg = Config(32);
  const std::string base = "generate --unplaced ignore --config " + Quote(cfg);
  const CommandResult batch = RunGlenmire(base + " --count 3 --seed 40 --quiet --out " + Quote(dir_ / "many.pud") +
                                          " --preview " + Quote(dir_ / "many.png"));
  ASSERT_EQ(batch.status, 0) << batch.output;
  for (int i = 0; i < 3; ++i) {
    const std::string numbered = dir_ / ("many-000" + std::to_string(i + 1) + ".pud");
    EXPECT_NE(batch.output.find("Seed " + std::to_string(40 + i) + ": " + numbered), std::string::npos) << batch.output;
    ASSERT_EQ(
        RunGlenmire(base + " --quiet --seed " + std::to_string(40 + i) + " --out " + Quote(dir_ / "one.pud")).status,
        0);
    EXPECT_EQ(ReadBytes(numbered), ReadBytes(dir_ / "one.pud")) << numbered;
    EXPECT_TRUE(std::filesystem::exists(dir_ / ("many-000" + std::to_string(i + 1) + ".png")));
  }
  EXPECT_EQ(RunGlenmire(base + " --count 2 --trace " + Quote(dir_ / "t")).status, 2);
  // A batch stops at its first file error.
  std::filesystem::create_directory(dir_ / "taken-0002.pud");
  const CommandResult stopped = RunGlenmire(base + " --count 3 --seed 40 --out " + Quote(dir_ / "taken.pud"));
  EXPECT_EQ(stopped.status, 2) << stopped.output;
  EXPECT_TRUE(std::filesystem::exists(dir_ / "taken-0001.pud"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "taken-0003.pud"));
}

TEST_F(CliTest, HelpPerCommandExitStatusesVersionAndOneLineUsageErrors) {
  const CommandResult help = RunGlenmire("help generate");
  EXPECT_EQ(help.status, 0);
  for (const char* option : {"--count", "--retries N", "default 100", "--fair-rule", "mine-steps"})
    EXPECT_NE(help.output.find(option), std::string::npos) << option;
  EXPECT_NE(help.output.find(ExitStatusHelp()), std::string::npos) << help.output;
  // The README's table says what the command exits with, word for word.
  const std::string readme = ReadText(std::filesystem::path(GLENMIRE_TEST_DATA) / "../../README.md");
  EXPECT_NE(readme.find(ExitStatusTable()), std::string::npos) << ExitStatusTable();
  EXPECT_EQ(RunGlenmire("info --help").output, RunGlenmire("help info").output);
  EXPECT_NE(RunGlenmire("--version").output.find("3.0"), std::string::npos);
  const CommandResult wrong = RunGlenmire("generate --seed banana");
  EXPECT_EQ(wrong.status, 2);
  EXPECT_EQ(std::count(wrong.output.begin(), wrong.output.end(), '\n'), 1) << wrong.output;
  EXPECT_NE(wrong.output.find("glenmire generate --help"), std::string::npos) << wrong.output;
}

TEST_F(CliTest, RetryIsBoundedAndOutputsFailingAfterTheMapSayWhatWasWritten) {
  // No grass and no building on sand: no start location ever finds its ground.
  const std::string never = Config(32, "BuildableLand=0 SafetyMode=0");
  const CommandResult retry = RunGlenmire("generate --unplaced retry --retries 3 --seed 1 --config " + Quote(never) +
                                          " --out " + Quote(dir_ / "never.pud"));
  EXPECT_EQ(retry.status, 1) << retry.output;
  EXPECT_NE(retry.output.find("gave up after 3 attempts"), std::string::npos) << retry.output;
  std::size_t asked = 0;
  for (std::size_t at = 0; (at = retry.output.find("make map anyway?", at)) != std::string::npos; ++at) ++asked;
  EXPECT_EQ(asked, 3u);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "never.pud"));

  const std::string cfg = Config(32);
  EXPECT_EQ(
      RunGlenmire("generate --quiet --unplaced ignore --seed 2 --config " + Quote(cfg) + " --out /dev/null").status, 0);
  // A full disk under the picture: the map is in place and the message says so.
  const CommandResult full = RunGlenmire("generate --quiet --unplaced ignore --seed 2 --config " + Quote(cfg) +
                                         " --out " + Quote(dir_ / "kept.pud") + " --preview /dev/full");
  EXPECT_EQ(full.status, 2);
  EXPECT_NE(full.output.find("/dev/full"), std::string::npos) << full.output;
  EXPECT_NE(full.output.find((dir_ / "kept.pud") + " was written"), std::string::npos) << full.output;
  EXPECT_TRUE(std::filesystem::exists(dir_ / "kept.pud"));
}

TEST_F(CliTest, InfoAndPreviewRefuseATruncatedMap) {
  ASSERT_EQ(RunGlenmire("generate --quiet --unplaced ignore --seed 3 --config " + Quote(Config(32)) + " --out " +
                        Quote(dir_ / "whole.pud"))
                .status,
            0);
  Bytes bytes = ReadBytes(dir_ / "whole.pud");
  bytes.resize(bytes.size() / 2);
  {
    std::ofstream cut(dir_ / "cut.pud", std::ios::binary);
    cut.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  EXPECT_EQ(RunGlenmire("info " + Quote(dir_ / "cut.pud")).status, 2);
  EXPECT_EQ(RunGlenmire("preview " + Quote(dir_ / "cut.pud") + " --out " + Quote(dir_ / "cut.png")).status, 2);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "cut.png"));
}

// Decodes an RGB PNG written by the command.
MapPicture DecodePng(const std::string& path) {
  MapPicture pic;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return pic;
  image.format = PNG_FORMAT_RGB;
  pic.width = static_cast<int>(image.width);
  pic.height = static_cast<int>(image.height);
  pic.pixels.resize(static_cast<std::size_t>(pic.width) * pic.height);
  if (!png_image_finish_read(&image, nullptr, pic.pixels.data(), 0, nullptr)) pic = MapPicture{};
  return pic;
}

TEST_F(CliTest, PreviewShowsTheMapsTilesAndUnits) {
  ASSERT_EQ(RunGlenmire("generate --quiet --unplaced ignore --seed 12 --config " + Quote(Config(64)) + " --out " +
                        Quote(dir_ / "m.pud"))
                .status,
            0);
  ASSERT_EQ(RunGlenmire("preview " + Quote(dir_ / "m.pud") + " --out " + Quote(dir_ / "m.png") + " --scale 2").status,
            0);
  MapPicture pic = DecodePng(dir_ / "m.png");
  ASSERT_EQ(pic.width, 128);
  ASSERT_EQ(pic.height, 128);
  auto s = MakeGeneratorState();
  LoadMapFile(*s, dir_ / "m.pud");
  s->MapLoaded = true;
  const int units = UnitBytes(*s);
  ASSERT_GT(units, 0);
  MapPicture want = RenderMapPicture(*s, 2);
  // Terrain colours where no unit stands: every cell's colour follows its tile.
  int checked = 0;
  for (int r = 1; r <= 64; r += 7)
    for (int c = 1; c <= 64; c += 5) {
      if (s->OccupancyGrid(r, c) != 0) continue;
      bool unitHere = false;
      for (int i = 0; i < units; i += 8) {
        int uc = s->UnitList[i] + 1, ur = s->UnitList[i + 2] + 1;
        if (r >= ur && r < ur + 3 && c >= uc && c < uc + 3) unitHere = true;
      }
      if (unitHere) continue;
      EXPECT_EQ(pic.At((c - 1) * 2 + 1, (r - 1) * 2), TileColour(s->TerrainGrid(r, c), s->settings.Climate));
      ++checked;
    }
  EXPECT_GT(checked, 20);
  // Gold mines are marked where the unit list puts them.
  int mines = 0;
  for (int i = 0; i < units; i += 8) {
    if (s->UnitList[i + 4] != 92) continue;
    int c = s->UnitList[i] + 1, r = s->UnitList[i + 2] + 1;
    EXPECT_EQ(pic.At((c - 1) * 2, (r - 1) * 2), kGoldMineColour);
    ++mines;
  }
  EXPECT_GT(mines, 0);
  EXPECT_EQ(pic.pixels, want.pixels);
}

}  // namespace
}  // namespace glenmire
