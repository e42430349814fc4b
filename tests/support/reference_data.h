// The reference set in GLENMIRE_REFERENCE_DIR as the tests read it: the two
// tables of runs, each run's trace, and the files themselves with their map
// sections. See the set's README.md for the formats.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace glenmire::testing {

using Bytes = std::vector<uint8_t>;

inline const std::filesystem::path kReferenceDir = GLENMIRE_REFERENCE_DIR;

// A file of the reference set, named as the tables name it ("maps/x.pud").
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

// ---- The tables of runs ----

// The tab-separated cells of each line after the heading of a table in the
// reference folder; a blank line gives a row of no cells. Empty when the
// table is missing.
inline std::vector<std::vector<std::string>> ReadTable(const std::string& name) {
  std::vector<std::vector<std::string>> rows;
  std::ifstream in(ReferencePath(name));
  std::string line;
  std::getline(in, line);  // heading
  while (std::getline(in, line)) {
    std::vector<std::string> cells;
    std::istringstream split(line);
    for (std::string cell; std::getline(split, cell, '\t');) cells.push_back(cell);
    rows.push_back(std::move(cells));
  }
  return rows;
}

// One line of cases.tsv: a `glenmire generate` run. Cells the line lacks stay empty.
struct CaseRow {
  std::size_t cells = 0;  // as many as the line had
  std::string name, config, seed, buildOnSand, unplaced, map;
};

// One line of genitize.tsv: a `glenmire genitize` run.
struct GenitizeRow {
  std::size_t cells = 0;
  std::string name, input, config, seed, map;
};

namespace reference_detail {
template <std::size_t N>
void FillCells(const std::vector<std::string>& cells, std::string* (&&into)[N]) {
  for (std::size_t i = 0; i < N && i < cells.size(); ++i) *into[i] = cells[i];
}
}  // namespace reference_detail

inline std::vector<CaseRow> ReadCases() {
  std::vector<CaseRow> rows;
  for (const auto& cells : ReadTable("cases.tsv")) {
    CaseRow row;
    row.cells = cells.size();
    reference_detail::FillCells(cells, {&row.name, &row.config, &row.seed, &row.buildOnSand, &row.unplaced, &row.map});
    rows.push_back(std::move(row));
  }
  return rows;
}

inline std::vector<GenitizeRow> ReadGenitizeCases() {
  std::vector<GenitizeRow> rows;
  for (const auto& cells : ReadTable("genitize.tsv")) {
    GenitizeRow row;
    row.cells = cells.size();
    reference_detail::FillCells(cells, {&row.name, &row.input, &row.config, &row.seed, &row.map});
    rows.push_back(std::move(row));
  }
  return rows;
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

// The trace of the named run, traces/NAME.trace; empty when there is none.
// A line without its draws= and seed= is a fault in the set: it fails the
// test and is left out.
inline std::vector<TraceLine> ReadTrace(const std::string& run) {
  std::vector<TraceLine> lines;
  std::ifstream in(ReferencePath("traces/" + run + ".trace"));
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
    section.tag.assign(file.begin() + static_cast<std::ptrdiff_t>(pos), file.begin() + static_cast<std::ptrdiff_t>(pos) + 4);
    const uint32_t length =
        file[pos + 4] | file[pos + 5] << 8 | file[pos + 6] << 16 | static_cast<uint32_t>(file[pos + 7]) << 24;
    pos += 8;
    section.cut = pos + length > file.size();
    const std::size_t end = section.cut ? file.size() : pos + length;
    section.body.assign(file.begin() + static_cast<std::ptrdiff_t>(pos), file.begin() + static_cast<std::ptrdiff_t>(end));
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
