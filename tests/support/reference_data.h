// The reference set in GLENMIRE_REFERENCE_DIR as the tests read it: one
// folder a case with its command, settings, expected map and trace, and the
// files themselves with their map sections. See the set's README.md for the formats.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace glenmire::testing {

using Bytes = std::vector<uint8_t>;

inline const std::filesystem::path kReferenceDir = GLENMIRE_REFERENCE_DIR;

// A file of the reference set, named from the set's folder ("starter128/settings.gmp").
// A missing file fails the test with the path it looked for: the set travels
// with the repository, so nothing may be quietly left unchecked.
inline std::filesystem::path ReferencePath(const std::string& relative) {
  const std::filesystem::path path = kReferenceDir / relative;
  if (!std::filesystem::exists(path)) ADD_FAILURE() << "reference data missing: " << path.string();
  return path;
}

// ---- Whole files ----

// Empty when the file cannot be read.
inline Bytes ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadText(const std::filesystem::path& path) {
  const Bytes bytes = ReadBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

// ---- The cases ----

// One golden case: a folder of the reference set holding
//   command.txt     the arguments of one `glenmire` run, with the case's own
//                   files named as they stand in the folder
//   settings.gmp    the settings it reads (named after --config)
//   input.pud       a genitize run's map, when the command names one
//   expected.pud    the map the run must write; absent when it writes none
//   expected.trace  the trace the run must leave
struct ReferenceCase {
  std::string name;  // the folder's
  std::filesystem::path folder;
  std::vector<std::string> words;           // command.txt split at blanks
  std::string command;                      // the first word: generate or genitize
  std::string seed, buildOnSand, unplaced;  // the words after --seed, --build-on-sand, --unplaced; empty if absent
  std::filesystem::path settings;           // the file after --config
  std::filesystem::path input;              // genitize: the map it reads; empty for generate
  std::filesystem::path map;                // expected.pud; empty when the run writes none
  std::filesystem::path trace;              // expected.trace
};

inline constexpr const char* kCommandFile = "command.txt";
inline constexpr const char* kExpectedMapFile = "expected.pud";
inline constexpr const char* kExpectedTraceFile = "expected.trace";

namespace reference_detail {
// The case in `folder`, or the reason it is not a whole case.
inline std::string ReadCase(const std::filesystem::path& folder, ReferenceCase& c) {
  c.name = folder.filename().string();
  c.folder = folder;
  std::ifstream in(folder / kCommandFile);
  if (!in) return std::string("no ") + kCommandFile;
  for (std::string word; in >> word;) c.words.push_back(word);
  if (c.words.empty()) return std::string(kCommandFile) + " is empty";
  c.command = c.words.front();
  auto after = [&](const std::string& flag) -> std::string {
    for (std::size_t i = 0; i + 1 < c.words.size(); ++i)
      if (c.words[i] == flag) return c.words[i + 1];
    return "";
  };
  c.seed = after("--seed");
  c.buildOnSand = after("--build-on-sand");
  c.unplaced = after("--unplaced");
  if (c.command != "generate" && c.command != "genitize") return "the command is neither generate nor genitize";
  if (c.seed.empty()) return "the command has no --seed";
  if (after("--config").empty()) return "the command has no --config";
  c.settings = folder / after("--config");
  if (!std::filesystem::is_regular_file(c.settings)) return "no " + c.settings.filename().string();
  if (c.command == "genitize") {
    if (c.words.size() < 2) return "genitize names no map";
    c.input = folder / c.words[1];
    if (!std::filesystem::is_regular_file(c.input)) return "no " + c.input.filename().string();
  }
  if (std::filesystem::is_regular_file(folder / kExpectedMapFile)) c.map = folder / kExpectedMapFile;
  c.trace = folder / kExpectedTraceFile;
  if (!std::filesystem::is_regular_file(c.trace)) return std::string("no ") + kExpectedTraceFile;
  return "";
}
}  // namespace reference_detail

// Every case of the reference set in name order, or those of one command
// ("generate", "genitize"). An incomplete folder fails the test, naming the
// folder, and is left out; a set without any case fails it too.
inline std::vector<ReferenceCase> ReadCases(const std::string& command = "",
                                            const std::filesystem::path& set = kReferenceDir) {
  std::vector<std::filesystem::path> folders;
  if (std::filesystem::is_directory(set))
    for (const auto& entry : std::filesystem::directory_iterator(set))
      if (entry.is_directory()) folders.push_back(entry.path());
  std::sort(folders.begin(), folders.end());
  std::vector<ReferenceCase> cases;
  for (const std::filesystem::path& folder : folders) {
    ReferenceCase c;
    const std::string fault = reference_detail::ReadCase(folder, c);
    if (!fault.empty()) {
      ADD_FAILURE() << "reference case " << folder.filename().string() << " is incomplete: " << fault;
      continue;
    }
    if (command.empty() || c.command == command) cases.push_back(std::move(c));
  }
  if (folders.empty()) ADD_FAILURE() << "no reference cases in " << set.string();
  return cases;
}

// ---- Traces ----

// One line of a run's trace: kind (status, ask, end), text, and the random
// generator's draws and seed at that moment.
struct TraceLine {
  std::string kind;
  std::string text;
  uint64_t draws = 0;
  uint32_t seed = 0;
  std::string line;  // as written
};

// The trace of the named case, NAME/expected.trace; empty when there is none.
// A line without its draws= and seed= is a fault in the set: it fails the
// test and is left out.
inline std::vector<TraceLine> ReadTrace(const std::string& run) {
  std::vector<TraceLine> lines;
  std::ifstream in(ReferencePath(run + "/" + kExpectedTraceFile));
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    std::vector<std::string> cells;
    std::istringstream split(line);
    for (std::string cell; std::getline(split, cell, '\t');) cells.push_back(cell);
    if (cells.size() < 4 || cells[2].rfind("draws=", 0) != 0 || cells[3].rfind("seed=", 0) != 0) {
      ADD_FAILURE() << run << ".trace line " << number << " is not a trace line: \"" << line << "\"";
      continue;
    }
    lines.push_back({cells[0], cells[1], std::stoull(cells[2].substr(6)),
                     static_cast<uint32_t>(std::stoul(cells[3].substr(5), nullptr, 16)), line});
  }
  return lines;
}

// ---- Map file sections ----

struct PudSection {
  std::string tag;
  Bytes body;
  bool cut = false;  // its length ran past the end of the file, and the body stops there
};

// The sections of a map file in file order. Bytes after the last whole
// section heading are ignored.
inline std::vector<PudSection> SplitSections(const Bytes& file) {
  std::vector<PudSection> sections;
  std::size_t pos = 0;
  while (pos + 8 <= file.size()) {
    PudSection section;
    section.tag.assign(file.begin() + static_cast<std::ptrdiff_t>(pos),
                       file.begin() + static_cast<std::ptrdiff_t>(pos) + 4);
    const uint32_t length =
        file[pos + 4] | file[pos + 5] << 8 | file[pos + 6] << 16 | static_cast<uint32_t>(file[pos + 7]) << 24;
    pos += 8;
    section.cut = pos + length > file.size();
    const std::size_t end = section.cut ? file.size() : pos + length;
    section.body.assign(file.begin() + static_cast<std::ptrdiff_t>(pos),
                        file.begin() + static_cast<std::ptrdiff_t>(end));
    pos = end;
    sections.push_back(std::move(section));
  }
  return sections;
}

// Tag -> body of the whole sections of a map file; of two with one tag, the first.
inline std::map<std::string, Bytes> SectionMap(const Bytes& file) {
  std::map<std::string, Bytes> sections;
  for (PudSection& section : SplitSections(file))
    if (!section.cut) sections.emplace(section.tag, std::move(section.body));
  return sections;
}

// The little-endian 16-bit word at `offset` of a section body.
inline uint16_t WordAt(const Bytes& body, std::size_t offset) {
  return static_cast<uint16_t>(body.at(offset) | body.at(offset + 1) << 8);
}

// All the 16-bit words of a section body; an odd last byte is left out.
inline std::vector<uint16_t> Words(const Bytes& body) {
  std::vector<uint16_t> words(body.size() / 2);
  for (std::size_t i = 0; i < words.size(); ++i) words[i] = WordAt(body, 2 * i);
  return words;
}

// ---- Tiles ----

// The tile a decorated tile came from: decorations only add a variant digit,
// and the coast tile 545 keeps its 1.
inline uint16_t Undecorated(uint16_t tile) {
  const uint16_t base = tile & 0xFFF0;
  return base == 544 ? 545 : base;
}

}  // namespace glenmire::testing
