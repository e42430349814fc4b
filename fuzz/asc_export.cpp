// An ASC file of any content imported over the shipped sample car, as the
// viewer's Import does, a frame of the imported model, then the Export.
//
// A refused import must be reported, naming the file, and leave the model as
// it was. A taken one must render, refuse a second import, and export either
// a GEO file that reads again or a report of why not.
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "fuzz_one.h"
#include "mesh_model.h"
#include "model_support.h"
#include "sample_car.h"

int FuzzOne(const uint8_t* data, std::size_t size) {
  using namespace modelyard;
  const std::string geo = fuzzing::ScratchFile("model.geo");
  const std::string imported = fuzzing::ScratchFile("import.asc");
  const std::string exported = fuzzing::ScratchFile("export.geo");
  static const bool sampleWritten = [&] {
    const std::vector<uint8_t> car = BuildSampleCarGeo();
    fuzzing::PutFile(geo, car.data(), car.size());
    return true;
  }();
  (void)sampleWritten;
  fuzzing::PutFile(imported, data, size);
  fuzzing::ClearReports();

  MeshModel model;
  fuzzing::Check(model.ReadGeo(geo), "the sample car does not read: " + fuzzing::Reports());
  const std::size_t carObjects = model.current.objects.size();
  const ImportResult result = model.ReadAsc(imported);
  if (result != ImportResult::Imported) {
    fuzzing::Check(result == ImportResult::Failed, "the first import was not taken");
    fuzzing::CheckReportedFor(imported);
    fuzzing::Check(model.current.objects.size() == carObjects && !model.Imported(),
                   "a refused import changed the model");
    return 0;
  }
  fuzzing::Check(model.Imported() && model.other.objects.size() == carObjects, "the import lost the GEO model");
  fuzzing::RenderFrames(model.current);
  fuzzing::Check(model.ReadAsc(imported) == ImportResult::AlreadyImported, "a second import was taken");

  fuzzing::ClearReports();
  switch (model.WriteGeo(exported)) {
    case ExportResult::Written: {
      MeshModel again;
      fuzzing::Check(again.ReadGeo(exported), "the exported GEO does not read: " + fuzzing::Reports());
      fuzzing::Check(again.current.objects.size() == carObjects, "the export changed the number of objects");
      break;
    }
    case ExportResult::Failed: fuzzing::CheckReportedFor(exported); break;
    case ExportResult::NothingImported: fuzzing::Broken("an imported model had nothing to export");
  }
  return 0;
}
