// Writes a file so that a failure never leaves a half-written or destroyed
// target: the bytes go to a temporary file in the target's folder, which is
// renamed over the target only after it was written, flushed and closed.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace glenmire {

class AtomicFileWriter {
 public:
  // Creates the temporary file; throws FileError naming the target.
  explicit AtomicFileWriter(std::string target);
  ~AtomicFileWriter();  // removes the temporary file unless committed
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  void Write(const void* data, std::size_t size);  // throws FileError
  void Commit();                                   // close and rename; throws FileError

 private:
  std::string target_;
  std::string temp_;
  std::FILE* file_ = nullptr;
  bool committed_ = false;
};

// The whole of `size` bytes into `target`, atomically.
void WriteFileAtomically(const std::string& target, const void* data, std::size_t size);

}  // namespace glenmire
