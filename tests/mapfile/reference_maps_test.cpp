// Maps made by a second implementation of the same rules: each must
// load, and writing it back unchanged must give the same bytes.
#include <algorithm>
#include <filesystem>

#include "map_test_support.h"
#include "mapfile/map_reader.h"
#include "mapfile/map_encoder.h"

namespace glenmire::testing {
namespace {

std::vector<std::filesystem::path> ReferenceMaps() {
  std::vector<std::filesystem::path> maps;
  const std::filesystem::path folder = ReferencePath("maps");
  if (std::filesystem::is_directory(folder))
    for (const auto& entry : std::filesystem::directory_iterator(folder))
      if (entry.path().extension() == ".pud") maps.push_back(entry.path());
  std::sort(maps.begin(), maps.end());
  return maps;
}

TEST(ReferenceMaps, LoadAndWriteBackUnchanged) {
  const auto maps = ReferenceMaps();
  ASSERT_FALSE(maps.empty()) << "no reference maps in " << ReferencePath("maps").string();
  for (const auto& path : maps) {
    SCOPED_TRACE(path.filename().string());
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
