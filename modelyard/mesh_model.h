// The car model: two lists of rigid mesh objects and the GEO/ASC file operations.
// The current list is the one shown and written as ASC; the other list holds
// nothing until an ASC import, after which it holds the GEO model the import
// replaced (the export needs both).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace modelyard {

struct MeshVertex {
  int16_t x = 0, y = 0, z = 0;
  // Working values of the renderer.
  float screenX = 0, screenY = 0, depth = 0;
};

struct MeshTriangle {
  int32_t a = 0, b = 0, c = 0;
  uint32_t attribute = 0;  // copied unchanged from and to GEO files
  float depthKey = 0;      // renderer's sort key
  std::string material;    // GEO: the quad's 4 raw bytes; ASC: the object's name
};

struct MeshObject {
  int32_t vertexCount = 0;    // GEO: the file's count rounded up to even
  int32_t triangleCount = 0;  // GEO: twice the file's quad count
  std::string name;           // GEO: the 44 raw name bytes; empty for ASC objects
  int32_t fileVertexCount = 0;
  int32_t emptyBefore = 0;  // empty GEO objects directly before this one
  std::vector<MeshVertex> vertices;
  std::vector<MeshTriangle> triangles;
  std::string tag;  // GEO: last quad's material as text; ASC: the object's name
};

struct MeshList {
  std::vector<MeshObject> objects;
  int32_t objectCount = 0;
  int32_t trailingEmpty = 0;  // empty GEO objects after the last non-empty one
};

constexpr int kGeoHeaderSize = 140;
constexpr int kGeoObjectHeadSize = 52;
constexpr int kGeoNameSize = 44;

enum class ImportResult { Imported, AlreadyImported, Failed };
enum class ExportResult { Written, NothingImported, Failed };

class MeshModel {
 public:
  MeshList current;
  MeshList other;
  std::array<uint8_t, kGeoHeaderSize> header{};

  // Chooses the reader by the first three characters of the extension.
  bool LoadModel(const std::string& path);
  // Replaces the current list by a GEO file's objects; unchanged on failure.
  bool ReadGeo(const std::string& path);
  // Reads an ASC file and makes it current; does nothing after a first import.
  ImportResult ReadAsc(const std::string& path);
  bool WriteAsc(const std::string& path) const;
  // Structure from the GEO model, positions and indices from the imported one.
  ExportResult WriteGeo(const std::string& path) const;
  void SwapLists();

  bool Imported() const { return !other.objects.empty(); }
};

// Every failure of the model operations is reported here, and each one names
// the file it is about: the text (cut to 83 characters) comes first, then the
// file, then the system's reason when it gave one. The line ends the report.
//   ReportError(InFile("import.asc"), "Line %i: bad vertex (object %i)", 7, 0)
//     "Line 7: bad vertex (object 0) in import.asc\n"
//   ReportError("import.asc: File does not exist.", "Couldn't open file")
//     "Couldn't open file import.asc: File does not exist.\n"
// The installed sink gets the report (the window shows it in an "ERROR!!!"
// box); without a sink it goes to stderr.
void ReportError(const std::string& file, const char* format, ...) __attribute__((format(printf, 2, 3)));
// How the report names its file: a fault in what the file holds, and a file an
// operation was refused for (a file that could not be read or written is
// named by its reader and writer, file_bytes.h).
std::string InFile(const std::string& path);
std::string ForFile(const std::string& path);
using ErrorSink = std::function<void(const std::string&)>;
void SetErrorSink(ErrorSink sink);

// Text of a fixed-width byte field: everything before the first zero byte.
std::string FieldText(const std::string& bytes);

}  // namespace modelyard
