// The bytes of a map file as the encoder builds them: little-endian numbers,
// section headings and whole runs appended to one buffer in memory; the map
// grids are written straight into room grown for a whole section.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace glenmire {

class ByteWriter {
 public:
  explicit ByteWriter(std::size_t expectedSize = 0) { bytes_.reserve(expectedSize); }

  void PutByte(uint8_t value) { bytes_.push_back(value); }
  // Appends value count times (nothing for count <= 0).
  void PutBytes(uint8_t value, int count) {
    if (count > 0) bytes_.insert(bytes_.end(), static_cast<std::size_t>(count), value);
  }
  void PutRun(const uint8_t* data, std::size_t size) { bytes_.insert(bytes_.end(), data, data + size); }
  void Put16(uint32_t value) {  // low 16 bits, little-endian
    bytes_.push_back(static_cast<uint8_t>(value));
    bytes_.push_back(static_cast<uint8_t>(value >> 8));
  }
  void Put32(uint32_t value) {  // little-endian
    Put16(value);
    Put16(value >> 16);
  }
  // Appends count zero bytes and returns where they start, for a section
  // filled in place. The pointer holds until the next append.
  uint8_t* Grow(std::size_t count) {
    const std::size_t at = bytes_.size();
    bytes_.resize(at + count);
    return bytes_.data() + at;
  }
  void PutSectionHeader(const char* tag, uint32_t length) {
    PutRun(reinterpret_cast<const uint8_t*>(tag), 4);
    Put32(length);
  }

  std::size_t size() const { return bytes_.size(); }
  std::vector<uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace glenmire
