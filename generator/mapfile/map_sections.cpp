#include "mapfile/map_sections.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "core/atomic_file.h"
#include "core/file_error.h"
#include "mapfile/pud_layout.h"

namespace glenmire {
namespace {

// Far above the largest map the game knows (about 220 KB with a full unit list).
constexpr std::size_t kMaxMapFileBytes = 4 << 20;

}  // namespace

std::vector<uint8_t> ReadMapFileBytes(const std::string& fileName) { return ReadWholeFile(fileName, kMaxMapFileBytes); }

MapSections::MapSections(const std::string& fileName, const std::vector<uint8_t>& bytes) {
  const std::size_t size = bytes.size();
  if (size == 0) throw FileError(fileName, "the file is empty");
  const char* notAMap = "not a WarCraft II map (it does not begin with a \"TYPE\" section reading \"WAR2 MAP\")";
  if (size < 4 || std::memcmp(bytes.data(), kTagType, 4) != 0) throw FileError(fileName, notAMap);

  std::size_t pos = 0;
  while (pos < size) {
    if (size - pos < kSectionHeaderBytes)
      throw FileError(fileName, "truncated: the section header at byte " + std::to_string(pos) + " is cut off");
    MapSection section;
    std::memcpy(section.tag, bytes.data() + pos, 4);
    section.length = static_cast<uint32_t>(bytes[pos + 4] | bytes[pos + 5] << 8 | bytes[pos + 6] << 16 |
                                           static_cast<uint32_t>(bytes[pos + 7]) << 24);
    pos += kSectionHeaderBytes;
    if (section.length > size - pos)
      throw FileError(fileName, std::string("truncated: the \"") + section.tag + "\" section needs " +
                                    std::to_string(section.length) + " bytes but only " + std::to_string(size - pos) +
                                    " remain");
    section.body = bytes.data() + pos;
    pos += section.length;
    sections_.push_back(section);
  }

  const MapSection& type = sections_.front();
  if (!type.Holds(0, sizeof kTypeSignature) ||
      !std::equal(std::begin(kTypeSignature), std::end(kTypeSignature), type.body))
    throw FileError(fileName, notAMap);
}

const MapSection* MapSections::Find(const char* tag) const {
  for (const MapSection& section : sections_)
    if (std::memcmp(section.tag, tag, 4) == 0) return &section;
  return nullptr;
}

}  // namespace glenmire
