// A GEO model of any content read as the viewer starts: the read, a frame of
// the view, and the ASC file the viewer writes at once.
//
// A refused file must be reported, naming it. A read model must render, be
// written as ASC, and make the way back: importing that ASC over the model and
// exporting gives a GEO file that reads as the same model.
#include <string>

#include "fuzz_check.h"
#include "fuzz_one.h"
#include "mesh_model.h"
#include "model_support.h"

namespace {

using namespace modelyard;

bool SameObjects(const MeshList& a, const MeshList& b) {
  if (a.objects.size() != b.objects.size() || a.trailingEmpty != b.trailingEmpty) return false;
  for (std::size_t n = 0; n < a.objects.size(); ++n) {
    const MeshObject& x = a.objects[n];
    const MeshObject& y = b.objects[n];
    if (x.fileVertexCount != y.fileVertexCount || x.vertexCount != y.vertexCount ||
        x.triangleCount != y.triangleCount || x.name != y.name || x.emptyBefore != y.emptyBefore || x.tag != y.tag ||
        x.vertices.size() != y.vertices.size() || x.triangles.size() != y.triangles.size())
      return false;
    for (std::size_t i = 0; i < x.vertices.size(); ++i)
      if (x.vertices[i].x != y.vertices[i].x || x.vertices[i].y != y.vertices[i].y ||
          x.vertices[i].z != y.vertices[i].z)
        return false;
    for (std::size_t i = 0; i < x.triangles.size(); ++i) {
      const MeshTriangle& s = x.triangles[i];
      const MeshTriangle& t = y.triangles[i];
      if (s.a != t.a || s.b != t.b || s.c != t.c || s.attribute != t.attribute || s.material != t.material)
        return false;
    }
  }
  return true;
}

}  // namespace

int FuzzOne(const uint8_t* data, std::size_t size) {
  const std::string geo = fuzzing::ScratchFile("model.geo");
  const std::string asc = fuzzing::ScratchFile("model.asc");
  const std::string exported = fuzzing::ScratchFile("export.geo");
  fuzzing::PutFile(geo, data, size);
  fuzzing::ClearReports();

  MeshModel model;
  if (!model.ReadGeo(geo)) {
    fuzzing::CheckReportedFor(geo);
    fuzzing::Check(model.current.objects.empty(), "a refused GEO file changed the model");
    return 0;
  }
  fuzzing::Check(!model.current.objects.empty(), "a GEO model without objects was read");
  fuzzing::RenderFrames(model.current);
  fuzzing::Check(model.WriteAsc(asc), "the ASC file was not written: " + fuzzing::Reports());

  // The way back, as an import of that file and an export would make it.
  MeshModel back;
  fuzzing::Check(back.ReadGeo(geo), "the GEO file reads only once");
  fuzzing::Check(back.ReadAsc(asc) == ImportResult::Imported, "the written ASC does not import: " + fuzzing::Reports());
  fuzzing::Check(back.WriteGeo(exported) == ExportResult::Written, "the export failed: " + fuzzing::Reports());
  MeshModel again;
  fuzzing::Check(again.ReadGeo(exported), "the exported GEO does not read: " + fuzzing::Reports());
  fuzzing::Check(SameObjects(model.current, again.current), "the way back through ASC changed the model");
  return 0;
}
