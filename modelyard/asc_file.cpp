// ASC files: the text mesh format of 3D-Studio. Each object is a "Named
// Object" line, a "Tri-mesh," line with the counts, a vertex list and a face
// list. The reader takes only what it needs from each line, by token position.
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string_view>
#include <vector>

#include "file_bytes.h"
#include "mesh_model.h"

namespace modelyard {

namespace {

// Lines as the reader sees them: at most 199 characters at a time, so a longer
// line arrives in pieces.
class LineReader {
 public:
  explicit LineReader(std::string text) : text_(std::move(text)) {}

  bool Next() {
    if (pos_ >= text_.size()) return false;
    size_t end = pos_;
    while (end < text_.size() && end - pos_ < 199 && text_[end] != '\n') ++end;
    if (end < text_.size() && text_[end] == '\n' && end - pos_ < 199) ++end;
    Split(std::string_view(text_).substr(pos_, end - pos_));
    lineNumber_ = nextLineNumber_;
    if (text_[end - 1] == '\n') ++nextLineNumber_;
    pos_ = end;
    return true;
  }

  const std::vector<std::string_view>& Tokens() const { return tokens_; }
  bool First(std::string_view word) const { return !tokens_.empty() && tokens_[0] == word; }
  int LineNumber() const { return lineNumber_; }

 private:
  void Split(std::string_view line) {
    tokens_.clear();
    size_t i = 0;
    while (i < line.size()) {
      while (i < line.size() && IsBlank(line[i])) ++i;
      const size_t start = i;
      while (i < line.size() && !IsBlank(line[i])) ++i;
      if (i > start) tokens_.push_back(line.substr(start, i - start));
    }
  }
  static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

  std::string text_;
  size_t pos_ = 0;
  int lineNumber_ = 0;
  int nextLineNumber_ = 1;
  std::vector<std::string_view> tokens_;
};

// The integer at the start of a token; a fractional part is ignored.
bool ParseInt(std::string_view token, long long& value) {
  const std::string s(token);
  char* end = nullptr;
  errno = 0;
  value = std::strtoll(s.c_str(), &end, 10);
  return end != s.c_str() && errno == 0 && (*end == '\0' || *end == '.');
}

}  // namespace

ImportResult MeshModel::ReadAsc(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (!ReadModelFile(path, bytes)) return ImportResult::Failed;
  if (!other.objects.empty()) return ImportResult::AlreadyImported;
  std::string text(bytes.begin(), bytes.end());
  // No count can exceed the file's length: every vertex and face takes a line.
  const long long limit = static_cast<long long>(text.size());
  LineReader lines(std::move(text));
  MeshList list;
  int objectIndex = 0;

  // Skips to the next line starting with `word`; the object must not end first.
  auto skipTo = [&](std::string_view word) {
    while (lines.Next()) {
      if (lines.First(word)) return true;
      if (lines.First("Named")) {
        ReportError(InFile(path), "Line %i: object %i is incomplete", lines.LineNumber(), objectIndex);
        return false;
      }
    }
    ReportError(InFile(path), "File ends inside object %i", objectIndex);
    return false;
  };

  try {
    for (;;) {
      bool named = false;
      while (!named && lines.Next()) named = lines.First("Named");
      if (!named) break;
      const auto& nameTokens = lines.Tokens();
      if (nameTokens.size() < 3) {
        ReportError(InFile(path), "Line %i: no object name", lines.LineNumber());
        return ImportResult::Failed;
      }
      std::string_view name = nameTokens[2];
      if (!name.empty() && name.front() == '"') name.remove_prefix(1);
      name = name.substr(0, name.find('"'));

      MeshObject obj;
      obj.tag = std::string(name);
      // The counts line may only come before the next object.
      if (!skipTo("Tri-mesh,")) return ImportResult::Failed;
      long long vertexCount = 0, faceCount = 0;
      const auto& countTokens = lines.Tokens();
      if (countTokens.size() < 5 || !ParseInt(countTokens[2], vertexCount) || !ParseInt(countTokens[4], faceCount) ||
          vertexCount < 0 || faceCount < 0 || vertexCount > limit || faceCount > limit) {
        ReportError(InFile(path), "Line %i: bad counts (object %i)", lines.LineNumber(), objectIndex);
        return ImportResult::Failed;
      }
      obj.vertexCount = obj.fileVertexCount = static_cast<int32_t>(vertexCount);
      obj.triangleCount = static_cast<int32_t>(faceCount);

      if (!skipTo("Vertex")) return ImportResult::Failed;  // "Vertex list:"
      obj.vertices.resize(static_cast<size_t>(vertexCount));
      for (auto& v : obj.vertices) {
        if (!skipTo("Vertex")) return ImportResult::Failed;
        const auto& t = lines.Tokens();
        long long x = 0, y = 0, z = 0;
        if (t.size() < 8 || !ParseInt(t[3], x) || !ParseInt(t[5], y) || !ParseInt(t[7], z) || x < INT16_MIN ||
            x > INT16_MAX || y < INT16_MIN || y > INT16_MAX || z < INT16_MIN || z > INT16_MAX) {
          ReportError(InFile(path), "Line %i: bad vertex (object %i)", lines.LineNumber(), objectIndex);
          return ImportResult::Failed;
        }
        v.x = static_cast<int16_t>(x), v.y = static_cast<int16_t>(y), v.z = static_cast<int16_t>(z);
      }

      if (!skipTo("Face")) return ImportResult::Failed;  // "Face list:"
      obj.triangles.resize(static_cast<size_t>(faceCount));
      for (auto& tri : obj.triangles) {
        if (!skipTo("Face")) return ImportResult::Failed;
        const auto& t = lines.Tokens();
        long long index[3] = {0, 0, 0};
        bool good = t.size() >= 5;
        const char* prefixes[3] = {"A:", "B:", "C:"};
        for (int k = 0; good && k < 3; ++k) {
          const std::string_view token = t[2 + static_cast<size_t>(k)];
          good = token.size() > 2 && token.substr(0, 2) == prefixes[k] && ParseInt(token.substr(2), index[k]);
        }
        if (!good) {
          ReportError(InFile(path), "Line %i: bad face (object %i)", lines.LineNumber(), objectIndex);
          return ImportResult::Failed;
        }
        for (long long i : index) {
          if (i < 0 || i >= vertexCount) {
            ReportError(InFile(path), "Line %i: vertex index %lld beyond %lld", lines.LineNumber(), i, vertexCount);
            return ImportResult::Failed;
          }
        }
        tri.a = static_cast<int32_t>(index[0]);
        tri.b = static_cast<int32_t>(index[1]);
        tri.c = static_cast<int32_t>(index[2]);
        tri.material = obj.tag;
      }
      list.objects.push_back(std::move(obj));
      ++objectIndex;
    }
  } catch (const std::bad_alloc&) {
    ReportError(ForFile(path), "Not enough memory");
    return ImportResult::Failed;
  }
  if (list.objects.empty()) {
    ReportError(path, "No object in file");
    return ImportResult::Failed;
  }
  list.objectCount = static_cast<int32_t>(list.objects.size());
  other = std::move(list);
  SwapLists();
  return ImportResult::Imported;
}

bool MeshModel::WriteAsc(const std::string& path) const {
  std::string text;
  char line[256];
  auto put = [&](int n) {
    text.append(line, static_cast<size_t>(std::max(0, std::min(n, static_cast<int>(sizeof line) - 1))));
  };
  for (const MeshObject& obj : current.objects) {
    text += "\nNamed Object: \"" + FieldText(obj.tag) + "\"\n";
    put(std::snprintf(line, sizeof line, "Tri-mesh, Vertices: %i     Faces: %i\n", obj.vertexCount, obj.triangleCount));
    text += "Vertex list:\n";
    for (size_t i = 0; i < obj.vertices.size(); ++i) {
      const MeshVertex& v = obj.vertices[i];
      put(std::snprintf(line, sizeof line, "Vertex %i:  X: %i     Y: %i     Z: %i\n", static_cast<int>(i), v.x, v.y,
                        v.z));
    }
    text += "Face list:\n";
    for (size_t i = 0; i < obj.triangles.size(); ++i) {
      const MeshTriangle& t = obj.triangles[i];
      put(std::snprintf(line, sizeof line, "Face %i:    A:%i B:%i C:%i AB:1 BC:1 CA:1\n", static_cast<int>(i), t.a, t.b,
                        t.c));
    }
  }
  return WriteModelFile(path, text.data(), text.size());
}

}  // namespace modelyard
