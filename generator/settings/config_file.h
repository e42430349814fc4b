// Configuration files (.gmp): the settings record's 4252 bytes as one block.
#pragma once

#include <string>

#include "core/atomic_file.h"
#include "core/settings_record.h"

namespace glenmire {

// Throws FileError; a failed save leaves an existing file intact.
void SaveConfiguration(const SettingsRecord& r, const std::string& path);
// Throws FileError (reason "File does not exist." for a missing file); the
// record is replaced only when a whole record was read.
void LoadConfiguration(SettingsRecord& r, const std::string& path);

}  // namespace glenmire
