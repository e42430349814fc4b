// Maps made by a second implementation of the same rules: each must
// load, and writing it back unchanged must give the same bytes.
#include <algorithm>
#include <filesystem>

#include "map_test_support.h"
#include "mapfile/map_encoder.h"
#include "mapfile/map_reader.h"

namespace glenmire::testing {
namespace {

// Every map the cases hold: the expected ones and those a genitize run reads.
std::vector<std::filesystem::path> ReferenceMaps() {
  std::vector<std::filesystem::path> maps;
  for (const ReferenceCase& c : ReadCases())
    for (const std::filesystem::path& map : {c.input, c.map})
      if (!map.empty()) maps.push_back(map);
  return maps;
}

TEST(ReferenceMaps, LoadAndWriteBackUnchanged) {
  const auto maps = ReferenceMaps();
  ASSERT_FALSE(maps.empty()) << "no reference maps in " << kReferenceDir.string();
  for (const auto& path : maps) {
    SCOPED_TRACE(path.parent_path().filename().string() + "/" + path.filename().string());
    auto s = MakeGeneratorState();
    ASSERT_NO_THROW(LoadMapFile(*s, path.string()));
    // As the Genitize road writes it, with the movement map as loaded.
    s->MapLoaded = true;
    const Bytes original = ReadBytes(path);
    const Bytes written = EncodeMap(*s);
    ASSERT_EQ(written.size(), original.size());
    auto [a, b] = std::mismatch(written.begin(), written.end(), original.begin());
    EXPECT_TRUE(a == written.end()) << "first difference at byte " << (a - written.begin());
  }
}

}  // namespace
}  // namespace glenmire::testing
