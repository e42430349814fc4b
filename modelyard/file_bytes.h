// Whole files in and out through C stdio, so that every failure leaves the
// system's reason in errno for the report.
#pragma once

#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>

namespace modelyard {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Appends the rest of the file to `bytes` (std::string or std::vector of
// bytes); on false the error number of the failed read is in `error`.
template <class Bytes>
bool ReadRest(std::FILE* file, Bytes& bytes, int& error) {
  char chunk[1 << 16];
  size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  if (std::ferror(file)) {
    error = errno;
    return false;
  }
  return true;
}

// Closes a file that was written to; false when any write or the close
// failed, with the reason in `error` (a full disk may show only at the close).
inline bool CloseWritten(FileHandle file, int& error) {
  bool good = !std::ferror(file.get());
  error = good ? 0 : errno;
  if (std::fclose(file.release()) != 0 && good) {
    good = false;
    error = errno;
  }
  return good;
}

inline bool WriteAndClose(FileHandle file, const void* data, size_t size, int& error) {
  if (size > 0 && std::fwrite(data, 1, size, file.get()) != size) {
    error = errno;
    std::fclose(file.release());
    return false;
  }
  return CloseWritten(std::move(file), error);
}

}  // namespace modelyard
