#include "settings/atomic_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "settings/file_error.h"

namespace glenmire {

AtomicFileWriter::AtomicFileWriter(std::string target) : target_(std::move(target)) {
  std::filesystem::path dir = std::filesystem::path(target_).parent_path();
  if (dir.empty()) dir = ".";
  std::string pattern = (dir / (std::filesystem::path(target_).filename().string() + ".XXXXXX")).string();
  int fd = ::mkstemp(pattern.data());
  if (fd < 0) throw FileError(target_, std::string("cannot create a file in its folder: ") + std::strerror(errno));
  temp_ = pattern;
  // mkstemp makes the file private; give it the permissions a plain create would.
  mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
  file_ = ::fdopen(fd, "wb");
  if (!file_) {
    int err = errno;
    ::close(fd);
    std::remove(temp_.c_str());
    throw FileError(target_, std::string("cannot open for writing: ") + std::strerror(err));
  }
}

AtomicFileWriter::~AtomicFileWriter() {
  if (file_) std::fclose(file_);
  if (!committed_ && !temp_.empty()) std::remove(temp_.c_str());
}

void AtomicFileWriter::Write(const void* data, std::size_t size) {
  if (size == 0) return;
  if (std::fwrite(data, 1, size, file_) != size)
    throw FileError(target_, std::string("write failed: ") + std::strerror(errno));
}

void AtomicFileWriter::Commit() {
  bool ok = std::fflush(file_) == 0 && ::fsync(::fileno(file_)) == 0;
  int err = errno;
  if (std::fclose(file_) != 0 && ok) {
    ok = false;
    err = errno;
  }
  file_ = nullptr;
  if (!ok) throw FileError(target_, std::string("write failed: ") + std::strerror(err));
  if (std::rename(temp_.c_str(), target_.c_str()) != 0)
    throw FileError(target_, std::string("cannot replace the file: ") + std::strerror(errno));
  committed_ = true;
}

void WriteFileAtomically(const std::string& target, const void* data, std::size_t size) {
  AtomicFileWriter writer(target);
  writer.Write(data, size);
  writer.Commit();
}

}  // namespace glenmire
