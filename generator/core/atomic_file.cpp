#include "core/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "core/file_error.h"

namespace glenmire {
namespace {

std::string SystemReason(const char* what, int err) { return std::string(what) + ": " + std::strerror(err); }

constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

// Where the bytes for `target` go: a symbolic link's final target (the link
// stays a link), otherwise the target itself.
std::string FinalPath(const std::string& target) {
  struct stat info {};
  if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return target;
  char resolved[PATH_MAX];
  if (::realpath(target.c_str(), resolved) != nullptr) return resolved;
  // A dangling link: create what it points at.
  std::error_code ec;
  std::filesystem::path link = std::filesystem::read_symlink(target, ec);
  if (ec) throw FileError(target, SystemReason("cannot follow the link", ec.value()));
  if (link.is_relative()) link = std::filesystem::path(target).parent_path() / link;
  return link.string();
}

std::string FolderOf(const std::string& path) {
  std::filesystem::path dir = std::filesystem::path(path).parent_path();
  return dir.empty() ? "." : dir.string();
}

// What stands at `path` now: nothing, a regular file (its mode) or something else.
struct Existing {
  bool exists = false;
  bool regular = false;
  bool folder = false;
  mode_t mode = 0;
};

Existing Look(const std::string& target, const std::string& path) {
  Existing e;
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    if (errno != ENOENT) throw FileError(target, SystemReason("cannot look at the file", errno));
    return e;
  }
  e.exists = true;
  e.regular = S_ISREG(info.st_mode);
  e.folder = S_ISDIR(info.st_mode);
  e.mode = info.st_mode & 07777;
  return e;
}

void CheckTarget(const std::string& target, const std::string& path, const Existing& e) {
  if (target.empty()) throw FileError(target, "no file name given");
  if (e.folder) throw FileError(target, "it is a folder");
  if (e.exists && e.regular) {
    // Root may write anything; a file nobody may write is still read-only.
    if ((e.mode & kWriteBits) == 0 || ::access(path.c_str(), W_OK) != 0)
      throw FileError(target, "the file is read-only");
    return;
  }
  if (e.exists) return;  // a device or FIFO, written in place
  const std::string folder = FolderOf(path);
  switch (LookAtFolder(folder)) {
    case FolderState::kWritable: return;
    case FolderState::kMissing: throw FileError(target, "its folder " + folder + " does not exist");
    case FolderState::kReadOnly: throw FileError(target, "its folder " + folder + " cannot be written");
  }
}

}  // namespace

FolderState LookAtFolder(const std::string& folder) {
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return FolderState::kMissing;
  if (::access(folder.c_str(), W_OK | X_OK) != 0) return FolderState::kReadOnly;
  return FolderState::kWritable;
}

void CheckWritableFolder(const std::string& folder) {
  switch (LookAtFolder(folder)) {
    case FolderState::kWritable: return;
    case FolderState::kMissing: throw FileError(folder, "the folder does not exist");
    case FolderState::kReadOnly: throw FileError(folder, "the folder cannot be written");
  }
}

AtomicFileWriter::AtomicFileWriter(std::string target) : target_(std::move(target)) {
  path_ = FinalPath(target_);
  const Existing e = Look(target_, path_);
  CheckTarget(target_, path_, e);
  if (e.exists && !e.regular) {
    fd_ = ::open(path_.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd_ < 0) throw FileError(target_, SystemReason("cannot open for writing", errno));
    return;
  }
  std::string pattern = path_ + ".XXXXXX";
  fd_ = ::mkstemp(pattern.data());
  if (fd_ < 0) throw FileError(target_, SystemReason("cannot create a file in its folder", errno));
  temp_ = pattern;
  // A replaced file keeps its permissions; a new one gets those a plain create would.
  mode_t mode = e.mode;
  if (!e.exists) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  ::fchmod(fd_, mode);
}

AtomicFileWriter::~AtomicFileWriter() {
  if (fd_ >= 0) ::close(fd_);
  if (!committed_ && !temp_.empty()) ::unlink(temp_.c_str());
}

void AtomicFileWriter::Write(const void* data, std::size_t size) {
  const char* at = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = ::write(fd_, at, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError(target_, SystemReason("write failed", errno));
    }
    at += n;
    size -= static_cast<std::size_t>(n);
  }
}

void AtomicFileWriter::Commit() {
  const int fd = fd_;
  fd_ = -1;
  if (temp_.empty()) {  // written in place
    if (::close(fd) != 0) throw FileError(target_, SystemReason("write failed", errno));
    committed_ = true;
    return;
  }
  // A full disk may show only at the flush or the close.
  if (::fsync(fd) != 0) {
    const int err = errno;
    ::close(fd);
    throw FileError(target_, SystemReason("write failed", err));
  }
  if (::close(fd) != 0) throw FileError(target_, SystemReason("write failed", errno));
  if (std::rename(temp_.c_str(), path_.c_str()) != 0)
    throw FileError(target_, SystemReason("cannot replace the file", errno));
  committed_ = true;
}

void WriteFileAtomically(const std::string& target, const void* data, std::size_t size) {
  AtomicFileWriter writer(target);
  writer.Write(data, size);
  writer.Commit();
}

void CheckWritable(const std::string& target) {
  const std::string path = FinalPath(target);
  CheckTarget(target, path, Look(target, path));
}

namespace {

// Reads up to `limit` bytes; with `wholeOnly` a longer file is refused.
std::vector<uint8_t> ReadRegularFile(const std::string& path, std::size_t limit, bool wholeOnly) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) throw FileError(path, kFileDoesNotExist);
    throw FileError(path, SystemReason("cannot open the file", errno));
  }
  if (S_ISDIR(info.st_mode)) throw FileError(path, "it is a folder, not a file");
  if (!S_ISREG(info.st_mode)) throw FileError(path, "it is not a regular file (a device or a pipe)");
  if (wholeOnly && static_cast<uint64_t>(info.st_size) > limit) throw FileError(path, "the file is too large");
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw FileError(path, SystemReason("cannot open the file", errno));
  std::vector<uint8_t> bytes;
  uint8_t block[1 << 16];
  while (bytes.size() < limit || wholeOnly) {
    const ssize_t n = ::read(fd, block, std::min(sizeof block, limit + 1 - bytes.size()));
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      throw FileError(path, SystemReason("read failed", err));
    }
    if (n == 0) break;
    bytes.insert(bytes.end(), block, block + n);
    if (bytes.size() > limit) {
      if (!wholeOnly) break;
      ::close(fd);
      throw FileError(path, "the file is too large");
    }
  }
  ::close(fd);
  if (bytes.size() > limit) bytes.resize(limit);
  return bytes;
}

}  // namespace

std::vector<uint8_t> ReadWholeFile(const std::string& path, std::size_t maxBytes) {
  return ReadRegularFile(path, maxBytes, true);
}

std::vector<uint8_t> ReadFileStart(const std::string& path, std::size_t bytes) {
  return ReadRegularFile(path, bytes, false);
}

}  // namespace glenmire
