// The map writer's output: every byte passes through one 1024-byte buffer
// that is written out whenever it fills. The bytes land in a temporary file
// beside the target, which replaces the target only when Close succeeds.
#pragma once

#include <cstdint>
#include <string>

#include "settings/atomic_file.h"

namespace glenmire {

class MapOutput {
 public:
  static constexpr int kBufferBytes = 1024;

  explicit MapOutput(const std::string& target);  // throws FileError

  // Appends value count times (count >= 1), writing the buffer out each time it fills.
  void PutByte(uint8_t value, int count = 1);
  void Put16(uint32_t value);  // low 16 bits, little-endian
  void Put32(uint32_t value);  // little-endian
  void PutSectionHeader(const char* tag, uint32_t length);

  // Writes what the buffer holds (possibly nothing) and empties it.
  void FlushOutput();
  // Flushes, closes and puts the file in place of the target.
  void Close();

 private:
  AtomicFileWriter file_;
  uint8_t buffer_[kBufferBytes];
  int count_ = 0;
};

}  // namespace glenmire
