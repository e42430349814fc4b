// GEO files: a 140-byte header kept as it is, then object after object to the
// end of the file. An object is a 52-byte head (vertex count, quad count,
// 44-byte name), its vertices (count rounded up to even, x y z 16-bit each) and
// its quads (attribute, four byte indices, 4 material bytes). A head with
// vertex count 0 is an empty object and nothing follows it.
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <new>
#include <utility>

#include "file_bytes.h"
#include "little_endian.h"
#include "mesh_model.h"

namespace modelyard {

namespace {

void PutBytes(std::vector<uint8_t>& out, const std::string& bytes, size_t width) {
  for (size_t i = 0; i < width; ++i) out.push_back(i < bytes.size() ? static_cast<uint8_t>(bytes[i]) : 0);
}

}  // namespace

bool MeshModel::ReadGeo(const std::string& path) {
  std::vector<uint8_t> file;
  if (!ReadModelFile(path, file)) return false;
  if (file.size() < kGeoHeaderSize) {
    ReportError(InFile(path), "File ends inside the header");
    return false;
  }
  // Everything is checked before the current list is touched.
  MeshList list;
  int headIndex = 0;
  int emptyRun = 0;
  size_t pos = kGeoHeaderSize;
  try {
    while (pos < file.size()) {
      if (file.size() - pos < kGeoObjectHeadSize) {
        ReportError(InFile(path), "File ends inside object %i", headIndex);
        return false;
      }
      const uint8_t* head = file.data() + pos;
      const int32_t v = GetInt32(head);
      const int32_t q = GetInt32(head + 4);
      pos += kGeoObjectHeadSize;
      if (v < 0) {
        ReportError(InFile(path), "Bad vertex count %i (object %i)", v, headIndex);
        return false;
      }
      if (v == 0) {
        ++emptyRun;
        ++headIndex;
        continue;
      }
      if (q < 0 || q > INT32_MAX / 2) {
        ReportError(InFile(path), "Bad quad count %i (object %i)", q, headIndex);
        return false;
      }
      const int64_t evenV = (static_cast<int64_t>(v) + 1) / 2 * 2;
      const int64_t need = evenV * 6 + static_cast<int64_t>(q) * 12;
      if (need > static_cast<int64_t>(file.size() - pos)) {
        ReportError(InFile(path), "File ends inside object %i", headIndex);
        return false;
      }
      MeshObject obj;
      obj.fileVertexCount = v;
      obj.vertexCount = static_cast<int32_t>(evenV);
      obj.triangleCount = 2 * q;
      obj.name.assign(reinterpret_cast<const char*>(head + 8), kGeoNameSize);
      obj.emptyBefore = emptyRun;
      emptyRun = 0;
      obj.vertices.resize(static_cast<size_t>(evenV));
      for (auto& vert : obj.vertices) {
        vert.x = GetInt16(&file[pos]);
        vert.y = GetInt16(&file[pos + 2]);
        vert.z = GetInt16(&file[pos + 4]);
        pos += 6;
      }
      obj.triangles.resize(static_cast<size_t>(2 * static_cast<int64_t>(q)));
      for (int32_t k = 0; k < q; ++k) {
        const uint8_t* quad = &file[pos];
        pos += 12;
        for (int i = 4; i < 8; ++i) {
          if (quad[i] >= evenV) {
            ReportError(InFile(path), "Vertex index %i beyond %i vertices (object %i)", quad[i], obj.vertexCount,
                        headIndex);
            return false;
          }
        }
        const auto attribute = static_cast<uint32_t>(GetInt32(quad));
        const std::string material(reinterpret_cast<const char*>(quad + 8), 4);
        // The quad (a, b, c, d) is kept as the pair (a, b, c) and (a, d, c).
        MeshTriangle& first = obj.triangles[2 * static_cast<size_t>(k)];
        MeshTriangle& second = obj.triangles[2 * static_cast<size_t>(k) + 1];
        first.a = quad[4], first.b = quad[5], first.c = quad[6];
        second.a = quad[4], second.b = quad[7], second.c = quad[6];
        first.attribute = second.attribute = attribute;
        first.material = second.material = material;
      }
      if (q > 0) obj.tag = FieldText(obj.triangles.back().material);
      list.objects.push_back(std::move(obj));
      ++headIndex;
    }
  } catch (const std::bad_alloc&) {
    ReportError(ForFile(path), "Not enoght memory (Object%i)", headIndex);
    return false;
  }
  if (list.objects.empty()) {
    ReportError(path, "No object in file");
    return false;
  }
  list.objectCount = static_cast<int32_t>(list.objects.size());
  list.trailingEmpty = emptyRun;
  current = std::move(list);
  std::copy(file.begin(), file.begin() + kGeoHeaderSize, header.begin());
  return true;
}

ExportResult MeshModel::WriteGeo(const std::string& path) const {
  if (other.objects.empty()) return ExportResult::NothingImported;
  const MeshList& geo = other;         // structure, names, attributes, materials
  const MeshList& imported = current;  // positions and indices
  // The imported model has to cover the GEO model, or the export would make
  // up data; an index must name one of the vertices that get written.
  if (imported.objects.size() < geo.objects.size()) {
    ReportError(ForFile(path), "Import has %i objects, model needs %i", static_cast<int>(imported.objects.size()),
                static_cast<int>(geo.objects.size()));
    return ExportResult::Failed;
  }
  for (size_t n = 0; n < geo.objects.size(); ++n) {
    const MeshObject& g = geo.objects[n];
    const MeshObject& i = imported.objects[n];
    if (i.vertexCount < g.vertexCount || i.triangleCount < g.triangleCount) {
      ReportError(ForFile(path), "Import object %i has %i/%i vertices/faces, needs %i/%i", static_cast<int>(n),
                  i.vertexCount, i.triangleCount, g.vertexCount, g.triangleCount);
      return ExportResult::Failed;
    }
    for (int32_t t = 0; t < g.triangleCount; ++t) {
      const MeshTriangle& tri = i.triangles[static_cast<size_t>(t)];
      for (int32_t index : {tri.a, tri.b, tri.c}) {
        if (index < 0 || index >= g.vertexCount) {
          ReportError(ForFile(path), "Vertex index %i beyond %i vertices (object %i)", index, g.vertexCount,
                      static_cast<int>(n));
          return ExportResult::Failed;
        }
      }
    }
  }

  std::vector<uint8_t> out(header.begin(), header.end());
  const std::vector<uint8_t> emptyHead(kGeoObjectHeadSize, 0);
  for (size_t n = 0; n < geo.objects.size(); ++n) {
    const MeshObject& g = geo.objects[n];
    const MeshObject& i = imported.objects[n];
    for (int e = 0; e < g.emptyBefore; ++e) out.insert(out.end(), emptyHead.begin(), emptyHead.end());
    PutInt32(out, static_cast<uint32_t>(g.fileVertexCount));
    PutInt32(out, static_cast<uint32_t>(g.triangleCount / 2));
    PutBytes(out, g.name, kGeoNameSize);
    for (int32_t k = 0; k < g.vertexCount; ++k) {
      const MeshVertex& v = i.vertices[static_cast<size_t>(k)];
      PutInt16(out, v.x);
      PutInt16(out, v.y);
      PutInt16(out, v.z);
    }
    for (int32_t q = 0; q < g.triangleCount / 2; ++q) {
      const MeshTriangle& first = i.triangles[2 * static_cast<size_t>(q)];
      const MeshTriangle& second = i.triangles[2 * static_cast<size_t>(q) + 1];
      const MeshTriangle& model = g.triangles[2 * static_cast<size_t>(q)];
      PutInt32(out, model.attribute);
      out.push_back(static_cast<uint8_t>(first.a));
      out.push_back(static_cast<uint8_t>(first.b));
      out.push_back(static_cast<uint8_t>(first.c));
      out.push_back(static_cast<uint8_t>(second.b));
      PutBytes(out, model.material, 4);
    }
  }
  for (int e = 0; e < geo.trailingEmpty; ++e) out.insert(out.end(), emptyHead.begin(), emptyHead.end());

  // The one writer never leaves a half file under the target's name.
  if (!WriteModelFile(path, out.data(), out.size())) return ExportResult::Failed;
  return ExportResult::Written;
}

}  // namespace modelyard
