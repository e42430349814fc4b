// A .pud file cut into its sections: each a four-character tag, a 32-bit
// length and that many body bytes. Only the framing is checked here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace glenmire {

struct MapSection {
  char tag[5] = {};  // the four tag characters and a terminating zero
  const uint8_t* body = nullptr;
  uint32_t length = 0;

  // Little-endian fields inside the body; the caller checks the length first.
  uint8_t Byte(std::size_t offset) const { return body[offset]; }
  uint16_t Word(std::size_t offset) const { return static_cast<uint16_t>(body[offset] | body[offset + 1] << 8); }
  bool Holds(std::size_t offset, std::size_t width) const { return offset + width <= length; }
};

// The whole file; throws FileError when it cannot be read or is far too large
// to be a map.
std::vector<uint8_t> ReadMapFileBytes(const std::string& fileName);

class MapSections {
 public:
  // Splits bytes into sections (the bytes must outlive this object). Throws
  // FileError naming fileName when the file does not begin with a "TYPE"
  // section reading "WAR2 MAP" or a section runs past the end of the file.
  MapSections(const std::string& fileName, const std::vector<uint8_t>& bytes);

  // The first section with this tag, or nullptr.
  const MapSection* Find(const char* tag) const;
  // Every section, in file order.
  const std::vector<MapSection>& All() const { return sections_; }

 private:
  std::vector<MapSection> sections_;
};

}  // namespace glenmire
