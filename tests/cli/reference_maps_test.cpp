// Every case of the reference set, made by a second implementation of the
// same rules, must come out of the command byte for byte, with the same trace
// of the random generator. A case is a folder: adding one adds a run here.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <fstream>
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
      return "line " + std::to_string(n) + ": want \"" + (ha ? la : "<end>") + "\", got \"" + (hb ? lb : "<end>") +
             "\"";
  }
}

// The case's command with each word naming a file of its folder given as that file's path.
std::string Arguments(const ReferenceCase& c) {
  std::string args;
  for (const std::string& word : c.words) {
    const std::filesystem::path file = c.folder / word;
    args += (args.empty() ? "" : " ") + (std::filesystem::is_regular_file(file) ? Quote(file.string()) : word);
  }
  return args;
}

class ReferenceMaps : public ::testing::Test {
 protected:
  TempDir dir_;
};

// A case with an expected map must write exactly it; one without must end
// with the failure status and write nothing. Either way the trace is the case's.
TEST_F(ReferenceMaps, EveryCaseWritesItsMapAndTraceByteForByte) {
  int cases = 0;
  for (const ReferenceCase& c : ReadCases()) {
    SCOPED_TRACE(c.name);
    ++cases;
    const std::string out = dir_ / (c.name + ".pud");
    const std::string trace = dir_ / (c.name + ".trace");
    CommandResult r = RunGlenmire(Arguments(c) + " --out " + Quote(out) + " --trace " + Quote(trace) + " --quiet");
    EXPECT_EQ(FirstDifference(ReadText(c.trace), ReadText(trace)), "") << c.name << ": trace differs";
    if (c.map.empty()) {
      EXPECT_EQ(r.status, 1) << c.name << r.output;
      EXPECT_FALSE(std::filesystem::exists(out)) << c.name;
      continue;
    }
    ASSERT_EQ(r.status, 0) << c.name << ": " << r.output;
    const Bytes want = ReadBytes(c.map);
    const Bytes got = ReadBytes(out);
    ASSERT_EQ(got.size(), want.size()) << c.name;
    for (std::size_t i = 0; i < want.size(); ++i)
      ASSERT_EQ(got[i], want[i]) << c.name << ": first different byte at offset " << i;
  }
  EXPECT_GT(cases, 0);
}

// The failures that reading the set in `set` reports, and the cases it gives.
std::vector<std::string> ReadingFailures(const std::filesystem::path& set, std::vector<ReferenceCase>& cases) {
  ::testing::TestPartResultArray results;
  {
    ::testing::ScopedFakeTestPartResultReporter intercept(
        ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
    cases = ReadCases("", set);
  }
  std::vector<std::string> messages;
  for (int i = 0; i < results.size(); ++i) messages.push_back(results.GetTestPartResult(i).message());
  return messages;
}

// A half-made case folder fails the reading under its own name instead of
// dropping out, and a set with no case at all fails too.
TEST_F(ReferenceMaps, AnIncompleteCaseFailsNamingItsFolder) {
  const std::filesystem::path set = dir_.path() / "set";
  std::filesystem::create_directories(set);
  std::vector<ReferenceCase> cases;
  const std::vector<std::string> none = ReadingFailures(set, cases);
  ASSERT_EQ(none.size(), 1u);
  EXPECT_NE(none[0].find("no reference cases"), std::string::npos) << none[0];

  const std::map<std::string, std::vector<std::string>> folders = {
      {"whole", {"command.txt", "settings.gmp", "expected.trace"}},
      {"no_trace", {"command.txt", "settings.gmp"}},
      {"no_settings", {"command.txt", "expected.trace"}},
  };
  for (const auto& [name, files] : folders) {
    std::filesystem::create_directories(set / name);
    for (const std::string& file : files)
      std::ofstream(set / name / file) << (file == "command.txt" ? "generate --config settings.gmp --seed 1\n" : "");
  }
  const std::vector<std::string> faults = ReadingFailures(set, cases);
  ASSERT_EQ(faults.size(), 2u);
  EXPECT_NE(faults[0].find("no_settings is incomplete: no settings.gmp"), std::string::npos) << faults[0];
  EXPECT_NE(faults[1].find("no_trace is incomplete: no expected.trace"), std::string::npos) << faults[1];
  ASSERT_EQ(cases.size(), 1u);
  EXPECT_EQ(cases[0].name, "whole");
}

}  // namespace
}  // namespace glenmire
