// Whole model files in and out through the generator's one file reader and
// writer: an input that is not a regular file (a pipe, a device) is refused
// at once, and an output is replaced atomically, never a device or a
// read-only file. Each failure is reported with its file and reason.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace modelyard {

// The whole file; false after the report "Couldn't open file <file>: <reason>".
bool ReadModelFile(const std::string& path, std::vector<uint8_t>& bytes);
// False after the report "Couldn't write file <file>: <reason>".
bool WriteModelFile(const std::string& path, const void* data, size_t size);

}  // namespace modelyard
