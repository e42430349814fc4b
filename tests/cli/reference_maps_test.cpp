// Every map of the reference set, made by a second implementation of
// the same rules, must come out of the command byte for byte, with the same
// trace of the random generator.
#include <gtest/gtest.h>

#include <sstream>

#include "cli_test_support.h"

namespace glenmire {
namespace {

using namespace glenmire::testing;

// The first line where two traces differ, to name the stage where the draws part ways.
std::string FirstDifference(const std::string& want, const std::string& got) {
  std::istringstream a(want), b(got);
  std::string la, lb;
  for (int n = 1;; ++n) {
    bool ha = static_cast<bool>(std::getline(a, la)), hb = static_cast<bool>(std::getline(b, lb));
    if (!ha && !hb) return "";
    if (la != lb || ha != hb)
      return "line " + std::to_string(n) + ": want \"" + (ha ? la : "<end>") + "\", got \"" + (hb ? lb : "<end>") + "\"";
  }
}

void CheckRun(const std::string& name, const std::string& args, const std::string& expectedMap, const TempDir& dir) {
  std::string out = dir / (name + ".pud");
  std::string trace = dir / (name + ".trace");
  CommandResult r = RunGlenmire(args + " --out " + Quote(out) + " --trace " + Quote(trace) + " --quiet");
  std::string wantTrace = ReadText(ReferencePath("traces/" + name + ".trace"));
  EXPECT_EQ(FirstDifference(wantTrace, ReadText(trace)), "") << name << ": trace differs";
  if (expectedMap == "-") {
    EXPECT_EQ(r.status, 1) << name << r.output;
    EXPECT_FALSE(std::filesystem::exists(out)) << name;
    return;
  }
  ASSERT_EQ(r.status, 0) << name << ": " << r.output;
  Bytes want = ReadBytes(ReferencePath(expectedMap));
  Bytes got = ReadBytes(out);
  ASSERT_EQ(got.size(), want.size()) << name;
  for (std::size_t i = 0; i < want.size(); ++i)
    ASSERT_EQ(got[i], want[i]) << name << ": first different byte at offset " << i;
}

class ReferenceMaps : public ::testing::Test {
 protected:
  TempDir dir_;
};

TEST_F(ReferenceMaps, GeneratedMapsMatchByteForByte) {
  for (const CaseRow& row : ReadCases()) {
    if (row.cells == 0) continue;  // a blank line
    ASSERT_EQ(row.cells, 6u);
    SCOPED_TRACE(row.name);
    std::string args = "generate --config " + Quote(ReferencePath(row.config).string()) + " --seed " + row.seed +
                       " --build-on-sand " + row.buildOnSand + " --unplaced " + row.unplaced;
    CheckRun(row.name, args, row.map, dir_);
  }
}

TEST_F(ReferenceMaps, GenitizedMapsMatchByteForByte) {
  for (const GenitizeRow& row : ReadGenitizeCases()) {
    if (row.cells == 0) continue;  // a blank line
    ASSERT_EQ(row.cells, 5u);
    SCOPED_TRACE(row.name);
    std::string args = "genitize " + Quote(ReferencePath(row.input).string()) + " --config " +
                       Quote(ReferencePath(row.config).string()) + " --seed " + row.seed;
    CheckRun(row.name, args, row.map, dir_);
  }
}

}  // namespace
}  // namespace glenmire
