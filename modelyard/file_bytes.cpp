#include "file_bytes.h"

#include "core/atomic_file.h"
#include "core/file_error.h"
#include "mesh_model.h"

namespace modelyard {

namespace {
// Far beyond any car: a larger file is not a model.
constexpr size_t kLargestModelFile = 64u << 20;
}  // namespace

bool ReadModelFile(const std::string& path, std::vector<uint8_t>& bytes) {
  try {
    bytes = glenmire::ReadWholeFile(path, kLargestModelFile);
    return true;
  } catch (const glenmire::FileError& e) {
    ReportError(e.what(), "Couldn't open file");
    return false;
  }
}

bool WriteModelFile(const std::string& path, const void* data, size_t size) {
  try {
    glenmire::WriteFileAtomically(path, data, size);
    return true;
  } catch (const glenmire::FileError& e) {
    ReportError(e.what(), "Couldn't write file");
    return false;
  }
}

}  // namespace modelyard
