#include "settings/config_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "settings/atomic_file.h"
#include "settings/file_error.h"

namespace glenmire {

void SaveConfiguration(const SettingsRecord& r, const std::string& path) {
  WriteFileAtomically(path, &r, sizeof r);
}

void LoadConfiguration(SettingsRecord& r, const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) throw FileError(path, kFileDoesNotExist);
    throw FileError(path, std::string("cannot open the file: ") + std::strerror(errno));
  }
  if (S_ISDIR(info.st_mode)) throw FileError(path, "it is a folder, not a configuration file");

  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) throw FileError(path, std::string("cannot open the file: ") + std::strerror(errno));

  // Read the record into a buffer first, so a file that fails part-way or
  // ends early changes nothing. Bytes past the first record are ignored.
  std::vector<unsigned char> record(kSettingsRecordSize);
  std::size_t got = 0;
  bool failed = false;
  int err = 0;
  while (got < record.size()) {
    std::size_t n = std::fread(record.data() + got, 1, record.size() - got, file);
    got += n;
    if (n == 0) {
      if (std::ferror(file)) {
        failed = true;
        err = errno;
      }
      break;
    }
  }
  std::fclose(file);

  if (failed) throw FileError(path, std::string("read failed: ") + std::strerror(err));
  if (got == 0) throw FileError(path, "the file is empty; a configuration holds 4252 bytes");
  if (got < kSettingsRecordSize)
    throw FileError(path, "the file is too short (" + std::to_string(got) +
                              " bytes); a configuration holds 4252 bytes");
  std::memcpy(&r, record.data(), kSettingsRecordSize);
}

}  // namespace glenmire
