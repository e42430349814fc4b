// The bytes the map encoder makes: framing, lengths per map size, the
// description, the region class byte, 16-bit cuts, the fixed lumber cost of
// id 49, blank maps, the unit section, and refusals that change nothing.
#include "mapfile/map_encoder.h"

#include <algorithm>
#include <array>
#include <string>

#include "core/file_error.h"
#include "map_test_support.h"

namespace glenmire::testing {
namespace {

const std::string kMtxm = "MTXM";
const std::string kUnit = "UNIT";

class MapEncoderTest : public ::testing::Test {
 protected:
  // The bytes of the map file s makes.
  Bytes Write(const GeneratorState& s) { return EncodeMap(s); }
};

TEST_F(MapEncoderTest, EveryFileBeginsWithTheSameBytes) {
  const Bytes expected = {0x54, 0x59, 0x50, 0x45, 0x10, 0x00, 0x00, 0x00, 0x57, 0x41, 0x52, 0x32, 0x20, 0x4D, 0x41,
                          0x50, 0x00, 0x00, 0x0A, 0xFF, 0x02, 0x0D, 0xE7, 0xAA, 0x56, 0x45, 0x52, 0x20, 0x02, 0x00,
                          0x00, 0x00, 0x11, 0x00,
                          // the description's header
                          0x44, 0x45, 0x53, 0x43, 0x20, 0x00, 0x00, 0x00};
  for (int n : {32, 128}) {
    auto s = SampleState(n, n == 32 ? 0 : 3);
    const Bytes file = Write(*s);
    ASSERT_GE(file.size(), expected.size());
    EXPECT_EQ(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(expected.size())), expected) << n;
  }
}

// Sections, order and lengths for every size, with and without swamp.
struct SizeRow {
  int n;
  std::array<uint8_t, 4> dim;
  std::array<uint8_t, 4> gridLength;  // "MTXM", "SQM " and "REGM"
};

TEST_F(MapEncoderTest, SectionsAndLengthsForEverySize) {
  const SizeRow rows[] = {{32, {0x20, 0, 0x20, 0}, {0, 0x08, 0, 0}},
                          {64, {0x40, 0, 0x40, 0}, {0, 0x20, 0, 0}},
                          {96, {0x60, 0, 0x60, 0}, {0, 0x48, 0, 0}},
                          {128, {0x80, 0, 0x80, 0}, {0, 0x80, 0, 0}}};
  for (const SizeRow& row : rows)
    for (int32_t climate : {0, 3}) {
      SCOPED_TRACE("size " + std::to_string(row.n) + ", climate " + std::to_string(climate));
      auto s = SampleState(row.n, climate);
      s->UnitListLength = 0;
      const Bytes file = Write(*s);
      const uint32_t cells = static_cast<uint32_t>(row.n * row.n);
      // 13,990 bytes at 32 x 32; swamp adds the 10-byte "ERAX" section.
      EXPECT_EQ(file.size(), 13990u + 7 * (cells - 1024) + (climate == 3 ? 10 : 0));

      std::vector<std::pair<std::string, std::size_t>> expected = {
          {"TYPE", 16},   {"VER ", 2},         {"DESC", 32},        {"OWNR", 16},    {"ERA ", 2},         {"DIM ", 4},
          {"UDTA", 5696}, {"UGRD", 782},       {"SIDE", 16},        {"SGLD", 32},    {"SLBR", 32},        {"SOIL", 32},
          {"AIPL", 16},   {"MTXM", 2 * cells}, {"SQM ", 2 * cells}, {"OILM", cells}, {"REGM", 2 * cells}, {"UNIT", 0}};
      if (climate == 3) expected.insert(expected.begin() + 5, {"ERAX", 2});
      std::vector<std::pair<std::string, std::size_t>> actual;
      for (const PudSection& section : SplitSections(file)) actual.emplace_back(section.tag, section.body.size());
      EXPECT_EQ(actual, expected);

      EXPECT_EQ(SectionBody(file, "DIM "), Bytes(row.dim.begin(), row.dim.end()));
      const auto mtxm = std::search(file.begin(), file.end(), kMtxm.begin(), kMtxm.end());
      ASSERT_NE(mtxm, file.end());
      EXPECT_EQ(Bytes(mtxm + 4, mtxm + 8), Bytes(row.gridLength.begin(), row.gridLength.end()));
      EXPECT_EQ(SectionBody(file, "ERA "), (climate == 3 ? Bytes{2, 0} : Bytes{0, 0}));
      if (climate == 3) {
        EXPECT_EQ(SectionBody(file, "ERAX"), (Bytes{3, 0}));
      }
      EXPECT_EQ(SectionBody(file, "OILM"), Bytes(cells, 0));
    }
}

TEST_F(MapEncoderTest, DescriptionIsPaddedWithZerosOnly) {
  for (std::size_t length : {0u, 1u, 31u, 32u}) {
    auto s = SampleState(32);
    std::string text;
    for (std::size_t i = 0; i < length; ++i) text += static_cast<char>('A' + i % 26);
    s->settings.MapDescription.assign(text);
    Bytes expected(text.begin(), text.end());
    expected.resize(32, 0);
    EXPECT_EQ(SectionBody(Write(*s), "DESC"), expected) << length << " characters";
  }
}

TEST_F(MapEncoderTest, RegionHighByteFollowsTheTileFamily) {
  struct {
    uint16_t tile;
    uint8_t high;
  } rows[] = {
      {0x0041, 0x40}, {0x0712, 0xFF}, {0x0250, 0x00},                  // the documented examples
      {0x0010, 0x40}, {0x0019, 0x40}, {0x001A, 0x40}, {0x0000, 0x40},  // water, other solid tiles
      {0x0030, 0x00}, {0x0039, 0x00}, {0x0050, 0x00}, {0x0059, 0x00}, {0x005A, 0x40}, {0x0070, 0xFF},
      {0x0079, 0xFF}, {0x0080, 0xFF}, {0x0089, 0xFF}, {0x008A, 0x40}, {0x0100, 0x00}, {0x03FF, 0x00},
      {0x0400, 0xFF}, {0x04FF, 0xFF}, {0x0500, 0x00}, {0x06FF, 0x00}, {0x0700, 0xFF}, {0xFFFF, 0xFF},
  };
  auto s = SampleState(32);
  int cell = 0;
  for (const auto& row : rows) {
    s->TerrainGrid(1 + cell / 32, 1 + cell % 32) = row.tile;
    s->RegionGrid(1 + cell / 32, 1 + cell % 32) = static_cast<uint16_t>(0x1200 + cell);
    ++cell;
  }
  const Bytes regm = SectionBody(Write(*s), "REGM");
  for (int i = 0; i < cell; ++i) {
    EXPECT_EQ(regm[2 * i], static_cast<uint8_t>(i)) << "region low byte, cell " << i;
    EXPECT_EQ(regm[2 * i + 1], rows[i].high) << std::hex << "tile 0x" << rows[i].tile;
  }
}

TEST_F(MapEncoderTest, WideValuesKeepTheirLowSixteenBits) {
  auto s = SampleState(32);
  s->settings.StartGold[0] = 70000;
  s->settings.StartOil[7] = 65535;
  s->settings.UnitHitPoints[0] = 70000;  // settings number 1, id 0
  s->settings.UpgradeGoldCost[51] = 65536 + 300;
  const Bytes file = Write(*s);
  const Bytes gold = SectionBody(file, "SGLD");
  EXPECT_EQ(WordAt(gold, 0), 4464);
  for (int slot = 8; slot < 16; ++slot) EXPECT_EQ(WordAt(gold, 2 * slot), 1000);
  EXPECT_EQ(WordAt(SectionBody(file, "SOIL"), 14), 65535);
  EXPECT_EQ(WordAt(SectionBody(file, "UDTA"), 1678), 4464);
  EXPECT_EQ(WordAt(SectionBody(file, "UGRD"), 158 - 2), 300);  // the last gold entry
}

TEST_F(MapEncoderTest, UnitFortyNineLumberDependsOnTheMapSize) {
  for (auto [n, lumber] : {std::pair{32, 5}, {64, 5}, {96, 5}, {128, 100}}) {
    auto s = SampleState(n);
    s->settings.UnitLumberCost[33] = 77;
    EXPECT_EQ(SectionBody(Write(*s), "UDTA").at(2228 + 49), lumber) << n;
    EXPECT_EQ(s->settings.UnitLumberCost[33], 77) << "encoding changes no setting";
  }
}

// Which settings number each unit type id reads, checked on one array of
// each kind; ids without a settings number carry the constants.
TEST_F(MapEncoderTest, UnitDataFollowsTheSettingsNumbers) {
  struct Run {
    int firstSetting, firstId, count;
  } runs[] = {{1, 0, 18}, {19, 26, 8}, {27, 38, 6}, {33, 45, 1}, {34, 49, 5}, {39, 55, 37}, {76, 96, 4}};
  auto s = SampleState(32);
  const Bytes udta = SectionBody(Write(*s), "UDTA");
  const SettingsRecord& r = s->settings;
  std::array<int, 110> setting{};
  for (const Run& run : runs)
    for (int i = 0; i < run.count; ++i) setting[run.firstId + i] = run.firstSetting + i;
  // Build time constants of the ids without settings; all others 0.
  std::array<int, 110> buildTime{};
  buildTime[18] = buildTime[19] = 70;
  buildTime[36] = buildTime[37] = 60;
  buildTime[92] = 150;
  buildTime[102] = 175;
  buildTime[103] = buildTime[104] = 30;
  for (int id = 0; id < 110; ++id) {
    SCOPED_TRACE("unit id " + std::to_string(id));
    const int k = setting[id];
    EXPECT_EQ(udta[2008 + id], k ? r.UnitBuildTime[k - 1] : buildTime[id]);
    if (k) {
      EXPECT_EQ(udta[1238 + 4 * id], r.UnitVisibleRange[k - 1]);
      EXPECT_EQ(WordAt(udta, 1678 + 2 * id), r.UnitHitPoints[k - 1]);
      EXPECT_EQ(udta[3988 + id], r.UnitBasicDamage[k - 1]);
    }
    // Only settings 1..41 feed the attack range; later ids hold 0, 6 or 7.
    const int attack = k && k <= 41           ? r.UnitAttackRange[k - 1]
                       : id == 96 || id == 97 ? 6
                       : id == 98 || id == 99 ? 7
                       : id == 18 || id == 19 ? 4
                       : id == 36 || id == 37 ? 1
                                              : 0;
    EXPECT_EQ(udta[3328 + id], attack);
  }
}

TEST_F(MapEncoderTest, BlankMapWritesTileOneButKeepsTheOtherGrids) {
  auto s = SampleState(32);
  const Bytes normal = Write(*s);
  s->settings.BlankMap = 1;
  const Bytes blank = Write(*s);
  Bytes ones;
  for (int i = 0; i < 1024; ++i) ones.insert(ones.end(), {1, 0});
  EXPECT_EQ(SectionBody(blank, "MTXM"), ones);
  EXPECT_NE(SectionBody(normal, "MTXM"), ones);
  for (const char* tag : {"SQM ", "REGM", "UNIT"}) EXPECT_EQ(SectionBody(blank, tag), SectionBody(normal, tag)) << tag;
}

TEST_F(MapEncoderTest, GridsAreWrittenRowByRow) {
  auto s = SampleState(64);
  const Bytes file = Write(*s);
  const Bytes mtxm = SectionBody(file, "MTXM");
  const Bytes sqm = SectionBody(file, "SQM ");
  for (auto [row, col] : {std::pair{1, 1}, {1, 64}, {2, 1}, {37, 5}, {64, 64}}) {
    const std::size_t i = static_cast<std::size_t>((row - 1) * 64 + (col - 1));
    EXPECT_EQ(WordAt(mtxm, 2 * i), s->TerrainGrid(row, col));
    EXPECT_EQ(WordAt(sqm, 2 * i), s->MoveGrid.At(64, row, col));
  }
}

TEST_F(MapEncoderTest, UnitSectionLengthIsTheFullCountOfTheRoadTaken) {
  auto s = SampleState(32);
  // A generation run writes the placed units.
  Bytes units = SectionBody(Write(*s), "UNIT");
  EXPECT_EQ(units, Bytes(s->UnitList, s->UnitList + 24));

  // A long list: the length field needs its third byte.
  s->UnitListLength = 70000;
  Bytes file = Write(*s);
  const auto unit = std::search(file.begin(), file.end(), kUnit.begin(), kUnit.end());
  ASSERT_NE(unit, file.end());
  EXPECT_EQ(Bytes(unit + 4, unit + 8), (Bytes{0x70, 0x11, 0x01, 0x00}));
  EXPECT_EQ(file.end() - unit, 8 + 70000);

  // A Genitize run writes back the loaded map's unit section.
  s->MapLoaded = true;
  s->LoadedUnitSectionLength = 16;
  EXPECT_EQ(SectionBody(Write(*s), "UNIT"), Bytes(s->UnitList, s->UnitList + 16));
}

TEST_F(MapEncoderTest, RefusesWhatCannotBeAMapAndChangesNothing) {
  struct Row {
    const char* what;
    void (*spoil)(GeneratorState&);
  } rows[] = {
      {"size 0", [](GeneratorState& s) { s.settings.MapSize = 0; }},
      {"size 48", [](GeneratorState& s) { s.settings.MapSize = 48; }},
      {"size 256", [](GeneratorState& s) { s.settings.MapSize = 256; }},
      {"size -32", [](GeneratorState& s) { s.settings.MapSize = -32; }},
      {"negative unit list", [](GeneratorState& s) { s.UnitListLength = -8; }},
      {"unit list past its storage", [](GeneratorState& s) { s.UnitListLength = kUnitListBytes + 8; }},
      {"partial unit record", [](GeneratorState& s) { s.UnitListLength = 12; }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    auto s = SampleState(32);
    s->settings.MapFileName.assign("refused.pud");
    row.spoil(*s);
    const SettingsRecord before = s->settings;
    try {
      EncodeMap(*s);
      ADD_FAILURE() << "not refused";
    } catch (const FileError& e) {
      EXPECT_EQ(e.file(), "refused.pud");
      EXPECT_FALSE(e.reason().empty());
    }
    EXPECT_EQ(std::memcmp(&before, &s->settings, sizeof before), 0);
  }
}

}  // namespace
}  // namespace glenmire::testing
