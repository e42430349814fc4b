#include "settings/config_file.h"

#include <cstring>
#include <string>

#include "core/atomic_file.h"
#include "core/file_error.h"

namespace glenmire {

void SaveConfiguration(const SettingsRecord& r, const std::string& path) { WriteFileAtomically(path, &r, sizeof r); }

void LoadConfiguration(SettingsRecord& r, const std::string& path) {
  // The whole file is read first, so a file that fails part-way or ends
  // early changes nothing. Bytes past the first record are ignored.
  const std::vector<uint8_t> bytes = ReadFileStart(path, kSettingsRecordSize);
  if (bytes.empty()) throw FileError(path, "the file is empty; a configuration holds 4252 bytes");
  if (bytes.size() < kSettingsRecordSize)
    throw FileError(
        path, "the file is too short (" + std::to_string(bytes.size()) + " bytes); a configuration holds 4252 bytes");
  std::memcpy(&r, bytes.data(), kSettingsRecordSize);
}

}  // namespace glenmire
