// Loading maps: what a load fills from a written map, swamp, descriptions,
// default statistics, maps with other section orders and extra sections, and
// broken files that must be refused without touching the state.
#include "mapfile/map_reader.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "core/file_error.h"
#include "map_test_support.h"
#include "mapfile/map_encoder.h"
#include "mapfile/region_class.h"
#include "settings/defaults.h"

namespace glenmire::testing {
namespace {

// Everything a load could touch, as raw bytes.
Bytes Snapshot(const GeneratorState& s) {
  Bytes bytes;
  auto add = [&bytes](const void* p, std::size_t n) {
    const auto* b = static_cast<const uint8_t*>(p);
    bytes.insert(bytes.end(), b, b + n);
  };
  add(&s.settings, sizeof s.settings);
  add(&s.TerrainGrid, sizeof s.TerrainGrid);
  add(&s.OccupancyGrid, sizeof s.OccupancyGrid);
  add(&s.MoveGrid, sizeof s.MoveGrid);
  add(&s.RegionGrid, sizeof s.RegionGrid);
  add(s.UnitList, sizeof s.UnitList);
  add(&s.UnitListLength, sizeof s.UnitListLength);
  add(&s.LoadedUnitSectionLength, sizeof s.LoadedUnitSectionLength);
  add(&s.MapLoaded, sizeof s.MapLoaded);
  return bytes;
}

// A state whose every byte is a mark, so a stray store shows.
std::unique_ptr<GeneratorState> MarkedState() {
  auto s = MakeGeneratorState();
  std::memset(&s->settings, 0xA5, sizeof s->settings);
  std::memset(&s->TerrainGrid, 0xA5, sizeof s->TerrainGrid);
  std::memset(&s->MoveGrid, 0xA5, sizeof s->MoveGrid);
  std::memset(&s->RegionGrid, 0xA5, sizeof s->RegionGrid);
  std::memset(s->UnitList, 0xA5, sizeof s->UnitList);
  s->LoadedUnitSectionLength = 0xA5A5;
  return s;
}

class MapReaderTest : public ::testing::Test {
 protected:
  // Writes the map s makes to written.pud and returns its bytes.
  Bytes WriteSample(const GeneratorState& s) {
    const Bytes bytes = EncodeMap(s);
    WriteBytes(folder / "written.pud", bytes);
    return bytes;
  }
  std::string path(const std::string& name) const { return (folder / name).string(); }
  std::string Put(const std::string& name, const Bytes& bytes) {
    WriteBytes(folder / name, bytes);
    return path(name);
  }
  ScratchFolder folder;
};

// Copies the fields a load fills from `from` into `into`.
void CopyLoadedFields(const SettingsRecord& from, SettingsRecord& into) {
  into.MapDescription = from.MapDescription;
  std::memcpy(into.PlayerController, from.PlayerController, sizeof into.PlayerController);
  into.Climate = from.Climate;
  into.MapSize = from.MapSize;
  std::memcpy(into.UnitVisibleRange, from.UnitVisibleRange, sizeof into.UnitVisibleRange);
  std::memcpy(into.UnitHitPoints, from.UnitHitPoints, sizeof into.UnitHitPoints);
  std::memcpy(into.UnitMagicPoints, from.UnitMagicPoints, sizeof into.UnitMagicPoints);
  std::memcpy(into.UnitBuildTime, from.UnitBuildTime, sizeof into.UnitBuildTime);
  std::memcpy(into.UnitGoldCost, from.UnitGoldCost, sizeof into.UnitGoldCost);
  std::memcpy(into.UnitLumberCost, from.UnitLumberCost, sizeof into.UnitLumberCost);
  std::memcpy(into.UnitOilCost, from.UnitOilCost, sizeof into.UnitOilCost);
  std::memcpy(into.UnitAttackRange, from.UnitAttackRange, 41);  // the later ones are not in the map
  std::memcpy(into.UnitArmor, from.UnitArmor, sizeof into.UnitArmor);
  std::memcpy(into.UnitBasicDamage, from.UnitBasicDamage, sizeof into.UnitBasicDamage);
  std::memcpy(into.UnitPiercingDamage, from.UnitPiercingDamage, sizeof into.UnitPiercingDamage);
  std::memcpy(into.UpgradeStepCost, from.UpgradeStepCost, sizeof into.UpgradeStepCost);
  std::memcpy(into.UpgradeGoldCost, from.UpgradeGoldCost, sizeof into.UpgradeGoldCost);
  std::memcpy(into.UpgradeLumberCost, from.UpgradeLumberCost, sizeof into.UpgradeLumberCost);
  std::memcpy(into.UpgradeOilCost, from.UpgradeOilCost, sizeof into.UpgradeOilCost);
  std::memcpy(into.PlayerRace, from.PlayerRace, sizeof into.PlayerRace);
  std::memcpy(into.StartGold, from.StartGold, sizeof into.StartGold);
  std::memcpy(into.StartLumber, from.StartLumber, sizeof into.StartLumber);
  std::memcpy(into.StartOil, from.StartOil, sizeof into.StartOil);
  std::memcpy(into.PlayerAI, from.PlayerAI, sizeof into.PlayerAI);
}

void ExpectSameRecord(const SettingsRecord& actual, const SettingsRecord& expected) {
  const auto* a = reinterpret_cast<const uint8_t*>(&actual);
  const auto* e = reinterpret_cast<const uint8_t*>(&expected);
  auto [pa, pe] = std::mismatch(a, a + sizeof actual, e);
  EXPECT_EQ(pa, a + sizeof actual) << "first differing record byte at offset " << (pa - a);
}

TEST_F(MapReaderTest, WrittenMapLoadsBackForEverySize) {
  for (int n : {32, 64, 96, 128}) {
    SCOPED_TRACE("size " + std::to_string(n));
    auto written = SampleState(n);
    written->settings.StartGold[2] = 70000;     // comes back cut to 16 bits
    written->settings.UnitLumberCost[33] = 77;  // replaced by the size's fixed value
    const std::string file = (WriteSample(*written), path("written.pud"));

    auto s = MarkedState();
    LoadMapFile(*s, file);

    SettingsRecord expected = s->settings;
    std::memset(&expected, 0xA5, sizeof expected);
    SettingsRecord source = written->settings;
    source.StartGold[2] = 4464;
    ASSERT_EQ(source.UnitLumberCost[33], 77);  // the encoder leaves the record as it is
    source.UnitLumberCost[33] = n == 128 ? 100 : 5;
    CopyLoadedFields(source, expected);
    std::memset(expected.MapDescription.chars + source.MapDescription.length, 0,
                32 - source.MapDescription.length);  // the zero padding is read too
    ExpectSameRecord(s->settings, expected);

    int wrong = 0;
    for (int row = 1; row <= kMaxMapSize; ++row)
      for (int col = 1; col <= kMaxMapSize; ++col) {
        const bool inside = row <= n && col <= n;
        const uint16_t tile = inside ? written->TerrainGrid(row, col) : 0xA5A5;
        const uint16_t region =
            inside ? static_cast<uint16_t>((written->RegionGrid(row, col) & 0xFF) | RegionClassByte(tile) << 8)
                   : 0xA5A5;
        wrong += s->TerrainGrid(row, col) != tile;
        wrong += s->RegionGrid(row, col) != region;
      }
    for (int i = 0; i < kGridCells; ++i)
      wrong += s->MoveGrid.bytes[i] != (i < n * n ? written->MoveGrid.bytes[i] : 0xA5);
    EXPECT_EQ(wrong, 0) << "grid cells differ";

    EXPECT_EQ(s->LoadedUnitSectionLength, 24u);
    EXPECT_TRUE(std::equal(s->UnitList, s->UnitList + 24, written->UnitList));
    EXPECT_TRUE(std::all_of(s->UnitList + 24, s->UnitList + kUnitListBytes, [](uint8_t b) { return b == 0; }));
    EXPECT_FALSE(s->MapLoaded) << "the caller marks a map loaded";
  }
}

TEST_F(MapReaderTest, ClimateComesFromTheEraSections) {
  for (int32_t climate : {0, 1, 2, 3}) {
    auto written = SampleState(64, climate);
    WriteSample(*written);
    auto s = MarkedState();
    LoadMapFile(*s, path("written.pud"));
    EXPECT_EQ(s->settings.Climate, climate);
    EXPECT_EQ(s->settings.MapSize, 64);
  }
  // An era of 3 with no expansion section is swamp as well.
  auto written = SampleState(32, 3);
  auto sections = SplitSections(WriteSample(*written));
  PudBuilder builder;
  for (const auto& section : sections)
    if (section.tag == "ERA ")
      builder.Section("ERA ", {3, 0});
    else if (section.tag != "ERAX")
      builder.Section(section.tag, section.body);
  auto s = MarkedState();
  LoadMapFile(*s, Put("era3.pud", builder.bytes()));
  EXPECT_EQ(s->settings.Climate, 3);
  EXPECT_EQ(s->settings.MapSize, 32);
}

// Rebuilds a written map with one section replaced (or dropped when the body is empty and drop is set).
Bytes Replace(const Bytes& file, const std::string& tag, const Bytes& body, bool drop = false) {
  PudBuilder builder;
  for (const auto& section : SplitSections(file)) {
    if (section.tag != tag)
      builder.Section(section.tag, section.body);
    else if (!drop)
      builder.Section(tag, body);
  }
  return builder.bytes();
}

TEST_F(MapReaderTest, DescriptionEndsAtItsFirstZero) {
  auto written = SampleState(32);
  const Bytes file = WriteSample(*written);
  struct Row {
    Bytes body;
    std::string text;
  } rows[] = {{Bytes(32, 0), ""},
              {[] {
                 Bytes b(32, 'x');
                 b[31] = 0;
                 return b;
               }(),
               std::string(31, 'x')},
              {Bytes(32, 'y'), std::string(32, 'y')},
              {[] {
                 Bytes b(32, 'z');
                 b[3] = 0;
                 return b;
               }(),
               "zzz"},
              {Bytes{'s', 'h', 'o', 'r', 't'}, "short"}};
  for (const Row& row : rows) {
    auto s = MakeGeneratorState();
    s->settings.MapDescription.assign("an earlier, longer description of thirty-two");
    LoadMapFile(*s, Put("desc.pud", Replace(file, "DESC", row.body)));
    EXPECT_EQ(s->settings.MapDescription.str(), row.text);
  }
  auto s = MakeGeneratorState();
  s->settings.MapDescription.assign("earlier");
  LoadMapFile(*s, Put("nodesc.pud", Replace(file, "DESC", {}, true)));
  EXPECT_EQ(s->settings.MapDescription.str(), "") << "a map without a description has none";
}

TEST_F(MapReaderTest, MissingOrDefaultFlaggedStatisticsLoadTheDefaults) {
  auto written = SampleState(32);
  const Bytes file = WriteSample(*written);
  Bytes flaggedUnits = SectionBody(file, "UDTA");
  flaggedUnits[0] = 1;
  Bytes flaggedUpgrades = SectionBody(file, "UGRD");
  flaggedUpgrades[0] = 1;
  const Bytes variants[] = {Replace(Replace(file, "UDTA", {}, true), "UGRD", {}, true),
                            Replace(Replace(file, "UDTA", flaggedUnits), "UGRD", flaggedUpgrades)};
  for (const Bytes& variant : variants) {
    auto s = MarkedState();
    LoadMapFile(*s, Put("defaults.pud", variant));
    SettingsRecord defaults = s->settings;
    std::memset(&defaults, 0xA5, sizeof defaults);
    SetDefaults(defaults);
    const SettingsRecord& r = s->settings;
    EXPECT_EQ(0, std::memcmp(r.UnitHitPoints, defaults.UnitHitPoints, sizeof r.UnitHitPoints));
    EXPECT_EQ(0, std::memcmp(r.UnitVisibleRange, defaults.UnitVisibleRange, sizeof r.UnitVisibleRange));
    EXPECT_EQ(0, std::memcmp(r.UnitPiercingDamage, defaults.UnitPiercingDamage, sizeof r.UnitPiercingDamage));
    EXPECT_EQ(0, std::memcmp(r.UnitAttackRange, defaults.UnitAttackRange, 41));
    EXPECT_EQ(r.UnitAttackRange[41], 0xA5) << "attack ranges past 41 are not the map's";
    EXPECT_EQ(0, std::memcmp(r.UpgradeStepCost, defaults.UpgradeStepCost, sizeof r.UpgradeStepCost));
    EXPECT_EQ(0, std::memcmp(r.UpgradeGoldCost, defaults.UpgradeGoldCost, sizeof r.UpgradeGoldCost));
    EXPECT_EQ(0, std::memcmp(r.UpgradeOilCost, defaults.UpgradeOilCost, sizeof r.UpgradeOilCost));
    // The rest of the map still loads.
    EXPECT_EQ(r.StartGold[1], written->settings.StartGold[1]);
    EXPECT_EQ(s->TerrainGrid(32, 32), written->TerrainGrid(32, 32));
  }
}

TEST_F(MapReaderTest, OtherSectionOrdersAndExtraSectionsLoadTheSame) {
  auto written = SampleState(64, 3);
  const Bytes file = WriteSample(*written);
  auto sections = SplitSections(file);
  // "TYPE" stays first; the rest reversed, an unknown section in the middle
  // and another after the units.
  PudBuilder builder;
  builder.Section(sections[0].tag, sections[0].body);
  for (std::size_t i = sections.size() - 1; i >= 1; --i) {
    builder.Section(sections[i].tag, sections[i].body);
    if (sections[i].tag == "SGLD") builder.Section("SIGN", {1, 2, 3, 4, 5});
  }
  builder.Section("ALOW", Bytes(96, 0xFF));

  auto fromWritten = MarkedState();
  LoadMapFile(*fromWritten, path("written.pud"));
  auto fromHandMade = MarkedState();
  LoadMapFile(*fromHandMade, Put("hand.pud", builder.bytes()));
  EXPECT_EQ(Snapshot(*fromHandMade), Snapshot(*fromWritten));
  EXPECT_EQ(fromHandMade->settings.Climate, 3);
}

TEST_F(MapReaderTest, ExactlyTheUnitSectionIsCopied) {
  auto written = SampleState(32);
  const Bytes file = WriteSample(*written);
  // Units not last: the bytes after them are another section, not units.
  PudBuilder builder;
  for (const auto& section : SplitSections(file))
    if (section.tag != "UNIT") builder.Section(section.tag, section.body);
  const Bytes units = {1, 0, 2, 0, 57, 0, 0, 0};
  Bytes reordered = PudBuilder().Section("UNIT", units).bytes();
  reordered.insert(reordered.begin(), builder.bytes().begin(), builder.bytes().end());
  reordered = [&] {
    // Move "UNIT" ahead of "REGM".
    auto parts = SplitSections(reordered);
    std::rotate(parts.end() - 2, parts.end() - 1, parts.end());
    PudBuilder b;
    for (const auto& p : parts) b.Section(p.tag, p.body);
    return b.bytes();
  }();
  auto s = MakeGeneratorState();
  std::memset(s->UnitList, 0x77, sizeof s->UnitList);
  LoadMapFile(*s, Put("units.pud", reordered));
  EXPECT_EQ(s->LoadedUnitSectionLength, 8u);
  EXPECT_TRUE(std::equal(units.begin(), units.end(), s->UnitList));
  EXPECT_TRUE(std::all_of(s->UnitList + 8, s->UnitList + kUnitListBytes, [](uint8_t b) { return b == 0; }));

  // A map without units.
  LoadMapFile(*s, Put("nounits.pud", Replace(file, "UNIT", {})));
  EXPECT_EQ(s->LoadedUnitSectionLength, 0u);
  EXPECT_TRUE(std::all_of(s->UnitList, s->UnitList + kUnitListBytes, [](uint8_t b) { return b == 0; }));
}

TEST_F(MapReaderTest, ALoadedMapIsWrittenBackUnchanged) {
  for (auto [n, climate] : {std::pair{32, 0}, {96, 3}, {128, 1}}) {
    SCOPED_TRACE("size " + std::to_string(n));
    auto written = SampleState(n, climate);
    const Bytes file = WriteSample(*written);
    auto s = MarkedState();
    LoadMapFile(*s, path("written.pud"));
    s->MapLoaded = true;  // as the Genitize road writes it
    s->UnitListLength = 0;
    s->settings.BlankMap = 0;
    EXPECT_TRUE(EncodeMap(*s) == file);
  }
}

TEST_F(MapReaderTest, BrokenFilesAreRefusedAndChangeNothing) {
  auto written = SampleState(32);
  const Bytes file = WriteSample(*written);
  auto cut = [&file](std::size_t n) { return Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n)); };
  const std::size_t unitStart = file.size() - 8 - 24;
  Bytes tooManyUnits = PudBuilder().Section("UNIT", Bytes(kUnitListBytes + 8, 0)).bytes();
  tooManyUnits.insert(tooManyUnits.begin(), file.begin(), file.begin() + static_cast<std::ptrdiff_t>(unitStart));
  Bytes garbage(5000);
  for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<uint8_t>(i * 7919 >> 3);
  const std::string text = "just some text\n";
  const Bytes textFile(text.begin(), text.end());
  Bytes wrongType = Replace(file, "TYPE", {'W', 'A', 'R', '1', ' ', 'M', 'A', 'P'});

  struct Row {
    const char* what;
    Bytes bytes;
    const char* reason;  // part of the error's reason
  } rows[] = {
      {"empty", {}, "empty"},
      {"garbage", garbage, "not a WarCraft II map"},
      {"text", textFile, "not a WarCraft II map"},
      {"other file type", wrongType, "not a WarCraft II map"},
      {"only a tag", cut(4), "truncated"},
      {"cut in a header", cut(40), "truncated"},
      {"cut in the unit data", cut(1000), "truncated"},
      {"cut in the tiles", cut(8000), "truncated"},
      {"cut in the units", cut(file.size() - 1), "truncated"},
      {"ends after the regions", cut(unitStart), "\"UNIT\" section is missing"},
      {"no tiles", Replace(file, "MTXM", {}, true), "\"MTXM\" section is missing"},
      {"no movement", Replace(file, "SQM ", {}, true), "\"SQM \" section is missing"},
      {"no regions", Replace(file, "REGM", {}, true), "\"REGM\" section is missing"},
      {"no size", Replace(file, "DIM ", {}, true), "\"DIM \" section is missing"},
      {"short size", Replace(file, "DIM ", {32, 0}), "too short"},
      {"size 48", Replace(file, "DIM ", {48, 0, 48, 0}), "unsupported map size 48"},
      {"size 0", Replace(file, "DIM ", {0, 0, 0, 0}), "unsupported map size 0"},
      {"size 256", Replace(file, "DIM ", {0, 1, 0, 1}), "unsupported map size 256"},
      {"not square", Replace(file, "DIM ", {32, 0, 64, 0}), "not square"},
      {"64 by 64 grids missing", Replace(file, "DIM ", {64, 0, 64, 0}), "\"MTXM\" section has 2048 bytes"},
      {"tiles short", Replace(file, "MTXM", Bytes(2046, 0)), "\"MTXM\" section has 2046 bytes"},
      {"movement long", Replace(file, "SQM ", Bytes(2050, 0)), "\"SQM \" section has 2050 bytes"},
      {"regions short", Replace(file, "REGM", Bytes(1024, 0)), "\"REGM\" section has 1024 bytes"},
      {"partial unit record", Replace(file, "UNIT", Bytes(20, 0)), "whole number of 8-byte records"},
      {"more units than the list holds", tooManyUnits, "more than the unit list holds"},
      {"short unit data", Replace(file, "UDTA", Bytes(100, 0)), "\"UDTA\" section has 100 bytes"},
      {"short upgrade data", Replace(file, "UGRD", Bytes(300, 0)), "\"UGRD\" section has 300 bytes"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const std::string name = Put("broken.pud", row.bytes);
    auto s = SampleState(64);
    s->MapLoaded = true;
    s->LoadedUnitSectionLength = 40;
    const Bytes before = Snapshot(*s);
    try {
      LoadMapFile(*s, name);
      ADD_FAILURE() << "loaded";
    } catch (const FileError& e) {
      EXPECT_EQ(e.file(), name);
      EXPECT_NE(e.reason().find(row.reason), std::string::npos) << e.reason();
    }
    EXPECT_TRUE(Snapshot(*s) == before) << "the state changed";
  }
}

TEST_F(MapReaderTest, UnreadableFilesAreRefused) {
  auto s = SampleState(32);
  const Bytes before = Snapshot(*s);
  const std::string huge = Put("huge.pud", Bytes(5 << 20, 0));
  for (const std::string& name : {path("missing.pud"), folder.path().string(), huge}) {
    try {
      LoadMapFile(*s, name);
      ADD_FAILURE() << name << " loaded";
    } catch (const FileError& e) {
      EXPECT_EQ(e.file(), name);
    }
  }
  EXPECT_TRUE(Snapshot(*s) == before);
}

}  // namespace
}  // namespace glenmire::testing
