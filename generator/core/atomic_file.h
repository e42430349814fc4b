// The one way files are written: a failure never leaves a half-written or
// destroyed target. A regular file is replaced atomically: the bytes go to a
// temporary file in the target's folder, which takes the old file's
// permission bits and is renamed over it only after it was written, flushed
// and closed. What is not a regular file is never replaced: a device or FIFO
// is written in place (so /dev/null discards), a symbolic link is followed
// and its target replaced. A read-only target is refused.
//
// Reading goes through here too, so that a FIFO or a device given as an input
// is refused at once instead of blocking or reading forever.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace glenmire {

class AtomicFileWriter {
 public:
  // Opens the temporary file (or the device); throws FileError naming the target.
  explicit AtomicFileWriter(std::string target);
  ~AtomicFileWriter();  // removes the temporary file unless committed
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  void Write(const void* data, std::size_t size);  // throws FileError
  void Commit();                                   // close and put in place; throws FileError

 private:
  std::string target_;  // as given, for messages
  std::string path_;    // where the bytes end up (a link's target)
  std::string temp_;    // empty when written in place
  int fd_ = -1;
  bool committed_ = false;
};

// The whole of `size` bytes into `target`, as above.
void WriteFileAtomically(const std::string& target, const void* data, std::size_t size);

// Throws FileError when `target` could not be written by WriteFileAtomically:
// it is a folder, its folder is missing or cannot be written, or it is
// read-only. Nothing is created. For checking every output before long work.
void CheckWritable(const std::string& target);

// Whether new files can be made in `folder`: it is a folder that may be written and entered.
enum class FolderState { kWritable, kMissing, kReadOnly };
FolderState LookAtFolder(const std::string& folder);
// Throws FileError naming the folder unless new files can be made in it.
void CheckWritableFolder(const std::string& folder);

// The whole file; throws FileError when it does not exist ("File does not
// exist."), is not a regular file, is larger than maxBytes or cannot be read.
std::vector<uint8_t> ReadWholeFile(const std::string& path, std::size_t maxBytes);
// At most the first `bytes` bytes of the file, refused as above.
std::vector<uint8_t> ReadFileStart(const std::string& path, std::size_t bytes);

inline constexpr const char* kFileDoesNotExist = "File does not exist.";

}  // namespace glenmire
