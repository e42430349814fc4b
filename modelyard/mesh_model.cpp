// Model lists, the error report and the choice of reader by file name.
#include "mesh_model.h"

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <utility>

namespace modelyard {

namespace {
ErrorSink& Sink() {
  static ErrorSink sink;
  return sink;
}
}  // namespace

void SetErrorSink(ErrorSink sink) { Sink() = std::move(sink); }

void ReportError(const std::string& file, const char* format, ...) {
  char text[84];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  const std::string report = std::string(text) + " " + file + "\n";
  if (Sink()) {
    Sink()(report);
  } else {
    std::fprintf(stderr, "ERROR!!! %s", report.c_str());
  }
}

std::string InFile(const std::string& path) { return "in " + path; }

std::string ForFile(const std::string& path) { return "for " + path; }

std::string FieldText(const std::string& bytes) { return bytes.substr(0, std::min(bytes.size(), bytes.find('\0'))); }

void MeshModel::SwapLists() { std::swap(current, other); }

bool MeshModel::LoadModel(const std::string& path) {
  // The extension is what follows the last dot of the file name itself.
  const size_t slash = path.find_last_of('/');
  const size_t dot = path.find_last_of('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
    const char* ext = path.c_str() + dot + 1;
    if (std::strncmp(ext, "asc", 3) == 0 || std::strncmp(ext, "ASC", 3) == 0) {
      return ReadAsc(path) != ImportResult::Failed;
    }
    if (std::strncmp(ext, "geo", 3) == 0 || std::strncmp(ext, "GEO", 3) == 0) {
      return ReadGeo(path);
    }
  }
  ReportError(ForFile(path), "Unrecognized file format");
  return false;
}

}  // namespace modelyard
