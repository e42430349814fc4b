// Writes the fuzz targets' seed inputs, all made by the project itself: the
// configurations the program ships or makes, a few edge records, small maps
// generated from them, the sample car and its ASC text, and `config set`
// lines; and libFuzzer dictionaries of the words the readers look for.
// Usage: make_fuzz_corpus <folder>; the inputs go to <folder>/<target>/, the
// dictionaries to <folder>/<target>.dict.
// The same program always writes the same bytes.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "core/generator_state.h"
#include "mapfile/pud_layout.h"
#include "mesh_model.h"
#include "run/generation_road.h"
#include "run/pipeline.h"
#include "run/presets.h"
#include "sample_car.h"
#include "settings/defaults.h"
#include "settings/random_flags.h"
#include "settings/settings_fields.h"

namespace {

using namespace glenmire;
namespace fs = std::filesystem;

fs::path root;
bool good = true;

void Write(const std::string& target, const std::string& name, const std::vector<uint8_t>& bytes) {
  fs::create_directories(root / target);
  std::ofstream file(root / target / name, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!file) {
    std::fprintf(stderr, "could not write %s/%s\n", target.c_str(), name.c_str());
    good = false;
  }
}

std::vector<uint8_t> Text(const std::string& text) { return {text.begin(), text.end()}; }

SettingsRecord Starter(std::initializer_list<const char*> assignments = {}) {
  SettingsRecord r = ZeroRecord();
  MakeStarterConfiguration(r);
  for (const char* a : assignments)
    if (const auto refusal = AssignField(r, a))
      std::fprintf(stderr, "corpus assignment %s refused: %s\n", a, refusal->c_str());
  return r;
}

// The record's bytes, then the seed and the choice byte the config target reads.
std::vector<uint8_t> RunInput(const SettingsRecord& r, uint32_t seed, int choice) {
  const auto* p = reinterpret_cast<const uint8_t*>(&r);
  std::vector<uint8_t> bytes(p, p + sizeof r);
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(seed >> (8 * i)));
  if (choice >= 0) bytes.push_back(static_cast<uint8_t>(choice));
  return bytes;
}

void ConfigRecords() {
  SettingsRecord defaults = ZeroRecord();
  SetDefaults(defaults);
  SettingsRecord mayhem = Starter({"MapSize=32"});
  ApplyMayhem(mayhem);
  const SettingsRecord zero = ZeroRecord();
  const auto* z = reinterpret_cast<const uint8_t*>(&zero);
  Write("config_run", "zero.gmp", std::vector<uint8_t>(z, z + sizeof zero));
  Write("config_run", "defaults.gmp", RunInput(defaults, 1, -1));
  Write("config_run", "starter-32.gmp", RunInput(Starter({"MapSize=32"}), 2, 0x07));
  Write("config_run", "starter-64-retry.gmp", RunInput(Starter({"MapSize=64", "NumberOfPlayers=8"}), 3, 0x17));
  Write("config_run", "mayhem.gmp", RunInput(mayhem, 4, 0x2F));
  Write("config_run", "sand-question.gmp", RunInput(Starter({"MapSize=32", "BuildableLand=5"}), 5, 0x0B));
  Write("config_run", "random-size.gmp", RunInput(Starter({"MapSize=0", "RandomLandWater=1"}), 6, 0x23));
  SettingsRecord oddSize = Starter();
  oddSize.MapSize = 33;
  Write("config_run", "size-33.gmp", RunInput(oddSize, 7, 0x07));
}

// The map of the first seed from `seed` on that places every player.
std::vector<uint8_t> Map(uint32_t seed, std::initializer_list<const char*> assignments) {
  for (uint32_t tried = 0; tried < 200; ++tried, ++seed) {
    auto state = MakeGeneratorState();
    GeneratorState& s = *state;
    s.settings = Starter(assignments);
    MenuChecksFromRecord(s);
    s.random.Seed(seed);
    MemorySink sink;
    RunOptions options;
    options.sink = &sink;
    if (PrepareAndRunGeneration(s, "seed.pud", options).MapMade()) return sink.bytes;
  }
  std::fprintf(stderr, "no seed made a map\n");
  good = false;
  return {};
}

void Maps() {
  const std::vector<uint8_t> two = Map(1, {"MapSize=32"});
  Write("map_genitize", "two-players.pud", two);
  Write("map_genitize", "three-players.pud", Map(100, {"MapSize=32", "NumberOfPlayers=3", "Climate=2"}));
  Write("map_genitize", "truncated.pud", std::vector<uint8_t>(two.begin(), two.begin() + two.size() / 3));
}

void Models() {
  const std::vector<uint8_t> car = modelyard::BuildSampleCarGeo();
  Write("geo_asc", "car.geo", car);
  Write("geo_asc", "car-cut.geo", std::vector<uint8_t>(car.begin(), car.begin() + car.size() / 2));

  // The car's ASC text as the viewer writes it at start.
  const fs::path carFile = root / "car.geo.tmp", ascFile = root / "car.asc.tmp";
  {
    std::ofstream file(carFile, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(car.data()), static_cast<std::streamsize>(car.size()));
  }
  modelyard::MeshModel model;
  if (!model.ReadGeo(carFile.string()) || !model.WriteAsc(ascFile.string())) {
    good = false;
    return;
  }
  std::ifstream in(ascFile, std::ios::binary);
  const std::vector<uint8_t> asc{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  fs::remove(carFile);
  fs::remove(ascFile);
  Write("asc_export", "car.asc", asc);
  const std::string text(asc.begin(), asc.end());
  // The first object only: the export then lacks objects the car needs.
  const std::size_t second = text.find("Named", text.find("Named") + 1);
  Write("asc_export", "car-first-object.asc", Text(text.substr(0, second)));
}

void Assignments() {
  Write("config_set", "sizes.txt", Text("12345\nMapSize=64\nNumberOfPlayers=4\nPlayerRace[2]=1\n"));
  Write("config_set", "texts.txt", Text("4294967295\nMapDescription=a windy glen\nClimate=2\nWC2Drive=C\n"));
  Write("config_set", "units.txt", Text("007\nUnitHitPoints[3]=900\nBuildOnSand=true\nStartGold[8]=5000\n"));
  Write("config_set", "refused.txt", Text("4294967296\nMapSize=33\nPlayerRace[0]=1\nUnitArmor[80]=1\nNoSuchField=1\n"));
}

// One quoted entry per line, as libFuzzer reads a dictionary.
void Dictionary(const std::string& target, const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) {
    text += '"';
    for (unsigned char c : word) {
      if (c == '"' || c == '\\') {
        text += '\\';
        text += static_cast<char>(c);
      } else if (c < 0x20 || c >= 0x7F) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", c);
        text += hex;
      } else {
        text += static_cast<char>(c);
      }
    }
    text += "\"\n";
  }
  std::ofstream file(root / (target + ".dict"), std::ios::trunc);
  file << text;
  if (!file) good = false;
}

void Dictionaries() {
  std::vector<std::string> fields = {"=", "[", "]=", "true", "false", "-", "0", "4294967295", "2147483648"};
  for (const FieldInfo& f : SettingsFields())
    if (f.type != FieldType::kReserved && f.type != FieldType::kOpaque) fields.emplace_back(f.name);
  Dictionary("config_set", fields);

  std::vector<std::string> tags;
  for (const char* tag : {kTagType, kTagVersion, kTagDescription, kTagOwners, kTagEra, kTagEraExpansion, kTagDimensions,
                          kTagUnitData, kTagUpgradeData, kTagSides, kTagStartGold, kTagStartLumber, kTagStartOil,
                          kTagAiPlayers, kTagTiles, kTagMovement, kTagOilMap, kTagRegions, kTagUnits})
    tags.emplace_back(tag);
  tags.emplace_back("WAR2 MAP");
  for (char size : {'\x20', '\x40', '\x60', '\x80'}) tags.push_back(std::string{size, '\0'});  // DIM words
  Dictionary("map_genitize", tags);

  Dictionary("asc_export", {"Named", "Object:", "Tri-mesh,", "Vertices:", "Faces:", "Vertex", "list:", "Face",
                            "A:", "B:", "C:", "X:", "Y:", "Z:", "AB:1", "\"", "\n", "-32768", "32767"});
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  root = argv[1];
  try {
    ConfigRecords();
    Maps();
    Models();
    Assignments();
    Dictionaries();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return good ? 0 : 1;
}
