#include "mapfile/map_output.h"

namespace glenmire {

MapOutput::MapOutput(const std::string& target) : file_(target) {}

void MapOutput::PutByte(uint8_t value, int count) {
  for (int i = 0; i < count; ++i) {
    buffer_[count_++] = value;
    if (count_ == kBufferBytes) FlushOutput();
  }
}

void MapOutput::Put16(uint32_t value) {
  PutByte(static_cast<uint8_t>(value));
  PutByte(static_cast<uint8_t>(value >> 8));
}

void MapOutput::Put32(uint32_t value) {
  Put16(value);
  Put16(value >> 16);
}

void MapOutput::PutSectionHeader(const char* tag, uint32_t length) {
  for (int i = 0; i < 4; ++i) PutByte(static_cast<uint8_t>(tag[i]));
  Put32(length);
}

void MapOutput::FlushOutput() {
  file_.Write(buffer_, static_cast<std::size_t>(count_));
  count_ = 0;
}

void MapOutput::Close() {
  FlushOutput();
  file_.Commit();
}

}  // namespace glenmire
