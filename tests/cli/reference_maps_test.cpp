// Every map of the reference set, made by an independent implementation of
// the same rules, must come out of the command byte for byte, with the same
// trace of the random generator.
#include <gtest/gtest.h>

#include <sstream>

#include "cli_test_support.h"

namespace glenmire {
namespace {

using namespace glenmire::testing;

const std::filesystem::path kReference = GLENMIRE_REFERENCE_DIR;

std::vector<std::vector<std::string>> ReadTable(const std::string& name) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream in(ReadText(kReference / name));
  std::string line;
  std::getline(in, line);  // header
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    std::vector<std::string> cells;
    std::istringstream cellsIn(line);
    std::string cell;
    while (std::getline(cellsIn, cell, '\t')) cells.push_back(cell);
    rows.push_back(cells);
  }
  return rows;
}

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
  std::string wantTrace = ReadText(kReference / "traces" / (name + ".trace"));
  EXPECT_EQ(FirstDifference(wantTrace, ReadText(trace)), "") << name << ": trace differs";
  if (expectedMap == "-") {
    EXPECT_EQ(r.status, 1) << name << r.output;
    EXPECT_FALSE(std::filesystem::exists(out)) << name;
    return;
  }
  ASSERT_EQ(r.status, 0) << name << ": " << r.output;
  std::vector<char> want = ReadBytes(kReference / expectedMap);
  std::vector<char> got = ReadBytes(out);
  ASSERT_EQ(got.size(), want.size()) << name;
  for (std::size_t i = 0; i < want.size(); ++i)
    ASSERT_EQ(got[i], want[i]) << name << ": first different byte at offset " << i;
}

class ReferenceMaps : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(kReference / "cases.tsv")) GTEST_SKIP() << "no reference maps at " << kReference;
  }
  TempDir dir_;
};

TEST_F(ReferenceMaps, GeneratedMapsMatchByteForByte) {
  for (const auto& row : ReadTable("cases.tsv")) {
    ASSERT_EQ(row.size(), 6u);
    SCOPED_TRACE(row[0]);
    std::string args = "generate --config " + Quote((kReference / row[1]).string()) + " --seed " + row[2] +
                       " --build-on-sand " + row[3] + " --unplaced " + row[4];
    CheckRun(row[0], args, row[5], dir_);
  }
}

TEST_F(ReferenceMaps, GenitizedMapsMatchByteForByte) {
  for (const auto& row : ReadTable("genitize.tsv")) {
    ASSERT_EQ(row.size(), 5u);
    SCOPED_TRACE(row[0]);
    std::string args = "genitize " + Quote((kReference / row[1]).string()) + " --config " +
                       Quote((kReference / row[2]).string()) + " --seed " + row[3];
    CheckRun(row[0], args, row[4], dir_);
  }
}

}  // namespace
}  // namespace glenmire
