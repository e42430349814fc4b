// GEO and ASC files: reading, writing, the import/export round trip, and the
// refusal of broken input without any change to the model.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "mesh_model.h"
#include "model_test_support.h"
#include "sample_car.h"

namespace modelyard::testing {
namespace {

using GeoFile = ModelTest;

// Object 0 with V = 5 and the quad (7, 8, 9, 10) needs 11 vertices; build it
// with V = 11 and a second object with V = 5; empties inside and at the end.
std::vector<uint8_t> MixedGeo() {
  GeoObject big = SimpleObject("Front", 11, 2);
  big.quads[1].index = {7, 8, 9, 10};
  return GeoBytes()
      .Empty()
      .Object(big)
      .Empty()
      .Empty()
      .Object(SimpleObject("Five", 5, 3, 0xA0B0C0D0))
      .Object(SimpleObject("Odd", 1, 0))
      .Empty()
      .Bytes();
}

// Load, write ASC, import it and export: the standard road through the files.
std::vector<uint8_t> RoundTrip(const std::vector<uint8_t>& geo,
                               const std::function<std::string(const std::string&)>& path) {
  WriteFile(path("in.geo"), geo);
  MeshModel model;
  EXPECT_TRUE(model.LoadModel(path("in.geo")));
  EXPECT_TRUE(model.WriteAsc(path("model.asc")));
  EXPECT_EQ(model.ReadAsc(path("model.asc")), ImportResult::Imported);
  EXPECT_EQ(model.WriteGeo(path("export.geo")), ExportResult::Written);
  return ReadFile(path("export.geo"));
}

TEST_F(GeoFile, ReadsObjectsWithPaddedVerticesAndQuadPairs) {
  WriteFile(Path("m.geo"), MixedGeo());
  MeshModel model;
  ASSERT_TRUE(model.ReadGeo(Path("m.geo")));
  ASSERT_EQ(model.current.objects.size(), 3u);
  EXPECT_EQ(model.current.objectCount, 3);
  EXPECT_EQ(model.current.trailingEmpty, 1);

  const MeshObject& front = model.current.objects[0];
  EXPECT_EQ(front.emptyBefore, 1);
  EXPECT_EQ(FieldText(front.name), "Front");
  EXPECT_EQ(front.triangleCount, 4);
  const MeshTriangle& t2 = front.triangles[2];
  const MeshTriangle& t3 = front.triangles[3];
  EXPECT_EQ((std::array<int, 3>{t2.a, t2.b, t2.c}), (std::array<int, 3>{7, 8, 9}));
  EXPECT_EQ((std::array<int, 3>{t3.a, t3.b, t3.c}), (std::array<int, 3>{7, 10, 9}));

  const MeshObject& five = model.current.objects[1];
  EXPECT_EQ(five.emptyBefore, 2);
  EXPECT_EQ(five.fileVertexCount, 5);
  EXPECT_EQ(five.vertexCount, 6);
  ASSERT_EQ(five.vertices.size(), 6u);
  EXPECT_EQ(five.vertices[5].z, 500);  // the sixth vertex comes from the file
  EXPECT_EQ(five.triangles[5].attribute, 0xA0B0C0D2u);
  EXPECT_EQ(five.tag, "MAT2");  // material of the last quad

  EXPECT_EQ(model.current.objects[2].vertexCount, 2);
  EXPECT_TRUE(model.current.objects[2].triangles.empty());
  EXPECT_EQ(model.header[1], 10);
}

TEST_F(GeoFile, AscFileHoldsTheQuadAsTwoFaceLines) {
  WriteFile(Path("m.geo"), MixedGeo());
  MeshModel model;
  ASSERT_TRUE(model.ReadGeo(Path("m.geo")));
  ASSERT_TRUE(model.WriteAsc(Path("m.asc")));
  const std::string text = ReadText(Path("m.asc"));
  EXPECT_EQ(text.rfind("\nNamed Object: \"MAT1\"\nTri-mesh, Vertices: 12     Faces: 4\nVertex list:\n"
                       "Vertex 0:  X: -5     Y: 0     Z: 0\n",
                       0),
            0u);
  EXPECT_NE(text.find("Face 2:    A:7 B:8 C:9 AB:1 BC:1 CA:1\nFace 3:    A:7 B:10 C:9 AB:1 BC:1 CA:1\n"),
            std::string::npos);
  EXPECT_NE(text.find("Named Object: \"MAT2\"\nTri-mesh, Vertices: 6     Faces: 6\n"), std::string::npos);
}

TEST_F(GeoFile, ExportAfterImportReproducesTheFileByteForByte) {
  auto path = [this](const std::string& n) { return Path(n); };
  for (const auto& geo : {MixedGeo(), BuildSampleCarGeo()}) {
    EXPECT_EQ(RoundTrip(geo, path), geo);
  }
}

TEST_F(GeoFile, ExportTakesStructureFromGeoAndGeometryFromImport) {
  WriteFile(Path("m.geo"), MixedGeo());
  MeshModel model;
  ASSERT_TRUE(model.ReadGeo(Path("m.geo")));
  ASSERT_TRUE(model.WriteAsc(Path("m.asc")));
  std::string text = ReadText(Path("m.asc"));
  // Move vertex 5 of the second object (its padding vertex) and swap a quad's b/d.
  const std::string second = "Tri-mesh, Vertices: 6";
  const size_t at = text.find("Vertex 5:  X: 45     Y: -15     Z: 500", text.find(second));
  ASSERT_NE(at, std::string::npos);
  text.replace(at, 38, "Vertex 5:  X: 12.75     Y: -4     Z: 0");
  const size_t face = text.find("Face 0:    A:0 B:1 C:2", text.find(second));
  text.replace(face, 22, "Face 0:    A:0 B:5 C:2");
  WriteText(Path("import.asc"), text);
  ASSERT_EQ(model.ReadAsc(Path("import.asc")), ImportResult::Imported);
  EXPECT_EQ(model.current.objects[1].vertices[5].x, 12);  // fractional part dropped
  EXPECT_EQ(model.current.objects[1].vertices[5].y, -4);
  ASSERT_EQ(model.WriteGeo(Path("export.geo")), ExportResult::Written);

  std::vector<uint8_t> expected = MixedGeo();
  // Second object: head at 140 + 52 + (52 + 72 + 24) + 104; vertex 5 at +52 + 30.
  const size_t head = 140 + 52 + 52 + 12 * 6 + 2 * 12 + 2 * 52;
  const uint8_t vertex5[6] = {12, 0, 0xFC, 0xFF, 0, 0};
  std::copy(vertex5, vertex5 + 6, expected.begin() + static_cast<std::ptrdiff_t>(head + 52 + 30));
  expected[head + 52 + 36 + 5] = 5;  // quad 0's b
  EXPECT_EQ(ReadFile(Path("export.geo")), expected);
  EXPECT_EQ(ReadFile(Path("export.geo"))[head], 5);  // the file's count, not 6
  // The export leaves the lists as it found them.
  EXPECT_EQ(model.current.objects[1].tag, "MAT2");
  EXPECT_TRUE(model.current.objects[1].name.empty());
}

TEST_F(GeoFile, ExportBeforeImportWritesNothing) {
  WriteFile(Path("m.geo"), MixedGeo());
  MeshModel model;
  ASSERT_TRUE(model.ReadGeo(Path("m.geo")));
  EXPECT_EQ(model.WriteGeo(Path("export.geo")), ExportResult::NothingImported);
  EXPECT_FALSE(std::filesystem::exists(Path("export.geo")));
  EXPECT_TRUE(errors_.empty());
}

TEST_F(GeoFile, SecondImportChangesNothing) {
  WriteFile(Path("m.geo"), MixedGeo());
  MeshModel model;
  ASSERT_TRUE(model.ReadGeo(Path("m.geo")));
  ASSERT_TRUE(model.WriteAsc(Path("import.asc")));
  ASSERT_EQ(model.ReadAsc(Path("import.asc")), ImportResult::Imported);
  WriteText(Path("import.asc"),
            "\nNamed Object: \"X\"\nTri-mesh, Vertices: 0     Faces: 0\nVertex list:\nFace list:\n");
  EXPECT_EQ(model.ReadAsc(Path("import.asc")), ImportResult::AlreadyImported);
  EXPECT_EQ(model.current.objects.size(), 3u);
  EXPECT_EQ(model.other.objects.size(), 3u);
  EXPECT_EQ(FieldText(model.other.objects[0].name), "Front");
}

TEST_F(GeoFile, ExtensionChoosesTheReader) {
  WriteFile(Path("model.geo"), MixedGeo());
  MeshModel source;
  ASSERT_TRUE(source.ReadGeo(Path("model.geo")));
  const struct {
    std::string name;
    bool geo;  // the file holds GEO bytes (else ASC text)
    bool loads;
  } rows[] = {
      {"model.ascii", false, true}, {"model.ASC", false, true},  {"model.Asc", false, false},
      {"model.geo", true, true},    {"model.GEOM", true, true},  {"model.Geo", true, false},
      {"model", true, false},       {"m.asc.bak", false, false}, {"model.as", false, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    if (row.geo) {
      WriteFile(Path(row.name), MixedGeo());
    } else {
      ASSERT_TRUE(source.WriteAsc(Path(row.name)));
    }
    errors_.clear();
    MeshModel model;
    EXPECT_EQ(model.LoadModel(Path(row.name)), row.loads);
    if (row.loads) {
      EXPECT_EQ(model.current.objects.size(), 3u);
      EXPECT_TRUE(errors_.empty());
    } else {
      EXPECT_EQ(Reports(), std::vector<std::string>{"Unrecognized file format for " + row.name + "\n"});
      EXPECT_TRUE(model.current.objects.empty());
    }
  }
}

TEST_F(GeoFile, BrokenGeoFilesAreRefusedAndChangeNothing) {
  auto withQuadIndex = [](uint8_t index) {
    GeoObject o = SimpleObject("Bad", 5, 2);
    o.quads[1].index = {0, 1, 2, index};
    return GeoBytes().Object(o).Bytes();
  };
  auto cut = [](std::vector<uint8_t> bytes, size_t drop) {
    bytes.resize(bytes.size() - drop);
    return bytes;
  };
  const std::vector<uint8_t> header(140, 1);
  const struct {
    const char* what;
    std::vector<uint8_t> bytes;
    std::string message;
  } rows[] = {
      {"empty file", {}, "File ends inside the header in bad.geo"},
      {"short header", std::vector<uint8_t>(100, 0), "File ends inside the header in bad.geo"},
      {"header only", header, "No object in file bad.geo"},
      {"only empty objects", GeoBytes().Empty().Empty().Bytes(), "No object in file bad.geo"},
      {"negative vertex count", GeoBytes().Head(-1, 0).Bytes(), "Bad vertex count -1 (object 0) in bad.geo"},
      {"negative quad count", GeoBytes().Empty().Head(4, -2).Bytes(), "Bad quad count -2 (object 1) in bad.geo"},
      {"absurd quad count", GeoBytes().Head(4, 0x7FFFFFFF).Bytes(), "Bad quad count 2147483647 (object 0) in bad.geo"},
      {"absurd vertex count", GeoBytes().Object(SimpleObject("A", 4, 1)).Head(0x7FFFFFFF, 1).Bytes(),
       "File ends inside object 1 in bad.geo"},
      {"counts beyond the file", GeoBytes().Head(4, 100).Bytes(), "File ends inside object 0 in bad.geo"},
      {"ends inside a head", cut(GeoBytes().Object(SimpleObject("A", 4, 1)).Empty().Bytes(), 10),
       "File ends inside object 1 in bad.geo"},
      {"ends inside the quads", cut(GeoBytes().Empty().Object(SimpleObject("A", 4, 2)).Bytes(), 1),
       "File ends inside object 1 in bad.geo"},
      {"index beyond vertices", withQuadIndex(6), "Vertex index 6 beyond 6 vertices (object 0) in bad.geo"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    WriteFile(Path("good.geo"), MixedGeo());
    WriteFile(Path("bad.geo"), row.bytes);
    MeshModel model;
    ASSERT_TRUE(model.ReadGeo(Path("good.geo")));
    errors_.clear();
    EXPECT_FALSE(model.ReadGeo(Path("bad.geo")));
    EXPECT_EQ(Reports(), std::vector<std::string>{row.message + "\n"});
    EXPECT_EQ(model.current.objects.size(), 3u);
    EXPECT_EQ(model.current.trailingEmpty, 1);
    EXPECT_EQ(model.header[1], 10);
  }
  // Index 5 of a five-vertex object is its padding vertex: allowed.
  WriteFile(Path("ok.geo"), withQuadIndex(5));
  MeshModel model;
  EXPECT_TRUE(model.ReadGeo(Path("ok.geo")));
}

// Every cut of a good file and a run of garbage: each is read whole or
// refused with one message, never half-read, and nothing crashes.
TEST_F(GeoFile, EveryTruncationAndGarbageIsReadWholeOrRefused) {
  const std::vector<uint8_t> good = MixedGeo();
  WriteFile(Path("good.geo"), good);
  std::vector<std::vector<uint8_t>> inputs;
  for (size_t n = 0; n < good.size(); ++n)
    inputs.emplace_back(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
  uint32_t seed = 12345;
  for (int k = 0; k < 200; ++k) {
    std::vector<uint8_t> noise(good);
    for (int flips = 0; flips < 1 + k % 8; ++flips) {
      seed = seed * 134775813u + 1;
      noise[kGeoHeaderSize + (seed >> 8) % (noise.size() - kGeoHeaderSize)] = static_cast<uint8_t>(seed >> 24);
    }
    inputs.push_back(noise);
  }
  for (size_t i = 0; i < inputs.size(); ++i) {
    SCOPED_TRACE(::testing::Message() << "input " << i);
    WriteFile(Path("bad.geo"), inputs[i]);
    MeshModel model;
    ASSERT_TRUE(model.ReadGeo(Path("good.geo")));
    errors_.clear();
    if (model.ReadGeo(Path("bad.geo"))) {
      EXPECT_TRUE(errors_.empty());
      for (const MeshObject& o : model.current.objects) {
        for (const MeshTriangle& t : o.triangles) {
          for (int32_t index : {t.a, t.b, t.c}) ASSERT_LT(index, o.vertexCount);
        }
      }
    } else {
      EXPECT_EQ(errors_.size(), 1u);
      EXPECT_EQ(model.current.objects.size(), 3u);
      EXPECT_EQ(model.current.trailingEmpty, 1);
    }
  }
}

using AscFile = ModelTest;

std::string Tri() { return "Tri-mesh, Vertices: 4     Faces: 2"; }
std::string V2() { return "Vertex 2:  X: 1     Y: 1     Z: 0"; }

// A well-formed object with four vertices and two faces, pieces replaceable.
std::string AscObject(const std::string& counts = "Tri-mesh, Vertices: 4     Faces: 2",
                      const std::string& vertex2 = "Vertex 2:  X: 1     Y: 1     Z: 0",
                      const std::string& face1 = "Face 1:    A:0 B:3 C:2 AB:1 BC:1 CA:1") {
  return "\nNamed Object: \"Panel\"\n" + counts + "\nVertex list:\nVertex 0:  X: 0     Y: 0     Z: 0\n" +
         "Vertex 1:  X: 1     Y: 0     Z: 0\n" + vertex2 + "\nVertex 3:  X: 0     Y: 1     Z: 0\n" +
         "Face list:\nFace 0:    A:0 B:1 C:2 AB:1 BC:1 CA:1\n" + face1 + "\n";
}

TEST_F(AscFile, ReadsObjectsByTokenPosition) {
  WriteText(Path("a.asc"),
            "Ambient light color: Red=0.3 Green=0.3 Blue=0.3\r\n" + AscObject() +
                "\nNamed Object: \"Wing nut\"\r\nTri-mesh,\tVertices: 3     Faces: 1\r\nVertex list:\r\n"
                "Vertex 7:  X: 12.75     Y: -4     Z: 0\r\nVertex 8:  X: -0.5  Y: 32767  Z: -32768\r\n"
                "Vertex 9:  X: 3     Y: 4     Z: 5\r\nFace list:\r\nFace 0:    A:2 B:1 C:0 AB:1 BC:1 CA:1\r\n");
  MeshModel model;
  ASSERT_EQ(model.ReadAsc(Path("a.asc")), ImportResult::Imported);
  ASSERT_EQ(model.current.objects.size(), 2u);
  EXPECT_TRUE(model.other.objects.empty());  // started with nothing loaded
  const MeshObject& nut = model.current.objects[1];
  EXPECT_EQ(nut.tag, "Wing");  // the name ends at the first blank
  EXPECT_EQ(nut.triangles[0].material, "Wing");
  EXPECT_EQ((std::array<int, 3>{nut.vertices[0].x, nut.vertices[0].y, nut.vertices[0].z}),
            (std::array<int, 3>{12, -4, 0}));
  EXPECT_EQ((std::array<int, 3>{nut.vertices[1].x, nut.vertices[1].y, nut.vertices[1].z}),
            (std::array<int, 3>{0, 32767, -32768}));
  EXPECT_EQ((std::array<int, 3>{nut.triangles[0].a, nut.triangles[0].b, nut.triangles[0].c}),
            (std::array<int, 3>{2, 1, 0}));
  EXPECT_EQ(model.current.objects[0].tag, "Panel");
  EXPECT_EQ(model.current.objectCount, 2);
}

TEST_F(AscFile, BrokenAscFilesAreRefusedAndChangeNothing) {
  const struct {
    const char* what;
    std::string text;
    std::string message;
  } rows[] = {
      {"no Named line", "Tri-mesh, Vertices: 0     Faces: 0\n", "No object in file bad.asc"},
      {"empty file", "", "No object in file bad.asc"},
      {"no name", "Named\nTri-mesh, Vertices: 0     Faces: 0\n", "Line 1: no object name in bad.asc"},
      {"ends inside the vertices", AscObject().substr(0, 106), "File ends inside object 0 in bad.asc"},
      {"counts not numbers", AscObject("Tri-mesh, Vertices: four     Faces: 2"),
       "Line 3: bad counts (object 0) in bad.asc"},
      {"counts missing", AscObject("Tri-mesh, Vertices: 4"), "Line 3: bad counts (object 0) in bad.asc"},
      {"negative count", AscObject("Tri-mesh, Vertices: 4     Faces: -2"), "Line 3: bad counts (object 0) in bad.asc"},
      {"absurd count", AscObject("Tri-mesh, Vertices: 2000000000     Faces: 2"),
       "Line 3: bad counts (object 0) in bad.asc"},
      {"vertex not a number", AscObject(Tri(), "Vertex 2:  X: one     Y: 1     Z: 0"),
       "Line 7: bad vertex (object 0) in bad.asc"},
      {"vertex too short", AscObject(Tri(), "Vertex 2:  X: 1     Y: 1"), "Line 7: bad vertex (object 0) in bad.asc"},
      {"coordinate out of range", AscObject(Tri(), "Vertex 2:  X: 40000     Y: 1     Z: 0"),
       "Line 7: bad vertex (object 0) in bad.asc"},
      {"index beyond the vertices", AscObject(Tri(), V2(), "Face 1:    A:0 B:4 C:2"),
       "Line 11: vertex index 4 beyond 4 in bad.asc"},
      {"negative index", AscObject(Tri(), V2(), "Face 1:    A:-1 B:3 C:2"),
       "Line 11: vertex index -1 beyond 4 in bad.asc"},
      {"index without prefix", AscObject(Tri(), V2(), "Face 1:    A0 B:3 C:2"),
       "Line 11: bad face (object 0) in bad.asc"},
      {"fewer faces than counted", AscObject("Tri-mesh, Vertices: 4     Faces: 3") + AscObject(),
       "Line 13: object 0 is incomplete in bad.asc"},
      {"fewer vertices than counted", AscObject("Tri-mesh, Vertices: 5     Faces: 2"),
       "File ends inside object 0 in bad.asc"},
      {"second object broken", AscObject() + AscObject(Tri(), V2(), "Face 1:    A:9 B:3 C:2"),
       "Line 22: vertex index 9 beyond 4 in bad.asc"},
  };
  WriteFile(Path("good.geo"), GeoBytes().Object(SimpleObject("A", 4, 1)).Bytes());
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    MeshModel model;
    ASSERT_TRUE(model.ReadGeo(Path("good.geo")));
    WriteText(Path("bad.asc"), row.text);
    errors_.clear();
    EXPECT_EQ(model.ReadAsc(Path("bad.asc")), ImportResult::Failed);
    EXPECT_EQ(Reports(), std::vector<std::string>{row.message + "\n"});
    EXPECT_TRUE(model.other.objects.empty());
    ASSERT_EQ(model.current.objects.size(), 1u);
    EXPECT_EQ(FieldText(model.current.objects[0].name), "A");
  }
}

TEST_F(AscFile, EveryTruncationIsReadWholeOrRefused) {
  WriteFile(Path("m.geo"), MixedGeo());
  MeshModel source;
  ASSERT_TRUE(source.ReadGeo(Path("m.geo")));
  ASSERT_TRUE(source.WriteAsc(Path("full.asc")));
  const std::string full = ReadText(Path("full.asc"));
  int wholeObjects = 0;
  for (size_t n = 0; n < full.size(); n += 3) {
    SCOPED_TRACE(::testing::Message() << "first " << n << " characters");
    WriteText(Path("cut.asc"), full.substr(0, n));
    MeshModel model;
    ASSERT_TRUE(model.ReadGeo(Path("m.geo")));
    errors_.clear();
    const ImportResult result = model.ReadAsc(Path("cut.asc"));
    if (result == ImportResult::Imported) {
      EXPECT_TRUE(errors_.empty());
      ++wholeObjects;
    } else {
      ASSERT_EQ(result, ImportResult::Failed);
      EXPECT_EQ(errors_.size(), 1u);
      EXPECT_TRUE(model.other.objects.empty());
      EXPECT_EQ(model.current.objects.size(), 3u);
    }
  }
  EXPECT_GT(wholeObjects, 0);
}

TEST_F(AscFile, LongLinesArriveInPieces) {
  // A vertex line padded past 199 characters: its tail starts a new line, so
  // the X/Y/Z tokens are not where the reader looks.
  const std::string padded = "Vertex 2:" + std::string(200, ' ') + "X: 1     Y: 1     Z: 0";
  WriteText(Path("long.asc"), AscObject(Tri(), padded));
  MeshModel model;
  EXPECT_EQ(model.ReadAsc(Path("long.asc")), ImportResult::Failed);
  EXPECT_EQ(Reports(), std::vector<std::string>{"Line 7: bad vertex (object 0) in long.asc\n"});
}

TEST_F(AscFile, ExportRefusesAnImportThatDoesNotCoverTheModel) {
  const std::string twoQuads = "Tri-mesh, Vertices: 4     Faces: 4";
  const struct {
    const char* what;
    std::string text;
    std::string message;
  } rows[] = {
      {"too few objects", AscObject(twoQuads), "Import has 1 objects, model needs 2 for export.geo"},
      {"too few vertices",
       AscObject(twoQuads) + "\nNamed Object: \"B\"\nTri-mesh, Vertices: 2     Faces: 0\nVertex list:\n"
                             "Vertex 0:  X: 0 Y: 0 Z: 0\nVertex 1:  X: 0 Y: 0 Z: 0\nFace list:\n",
       "Import object 1 has 2/0 vertices/faces, needs 4/2 for export.geo"},
      {"too few faces", AscObject(twoQuads) + AscObject("Tri-mesh, Vertices: 4     Faces: 1"),
       "Import object 1 has 4/1 vertices/faces, needs 4/2 for export.geo"},
      {"index beyond the written vertices",
       AscObject(twoQuads) + "\nNamed Object: \"B\"\nTri-mesh, Vertices: 5     Faces: 2\nVertex list:\n"
                             "Vertex 0:  X: 0 Y: 0 Z: 0\nVertex 1:  X: 0 Y: 0 Z: 0\nVertex 2:  X: 0 Y: 0 Z: 0\n"
                             "Vertex 3:  X: 0 Y: 0 Z: 0\nVertex 4:  X: 0 Y: 0 Z: 0\nFace list:\n"
                             "Face 0:    A:0 B:1 C:2\nFace 1:    A:0 B:4 C:2\n",
       "Vertex index 4 beyond 4 vertices (object 1) for export.geo"},
  };
  // The first ASC object offers 4 faces, though the text has only 2 lines:
  // pad them so the import itself is fine.
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    std::string text = row.text;
    const std::string faces = "Face 1:    A:0 B:3 C:2 AB:1 BC:1 CA:1\n";
    const size_t at = text.find(faces) + faces.size();
    text.insert(at, "Face 2:    A:0 B:1 C:2\nFace 3:    A:0 B:3 C:2\n");
    WriteText(Path("import.asc"), text);
    WriteFile(Path("m.geo"), GeoBytes().Object(SimpleObject("A", 4, 2)).Object(SimpleObject("B", 3, 1)).Bytes());
    MeshModel model;
    ASSERT_TRUE(model.ReadGeo(Path("m.geo")));
    ASSERT_EQ(model.ReadAsc(Path("import.asc")), ImportResult::Imported);
    errors_.clear();
    EXPECT_EQ(model.WriteGeo(Path("export.geo")), ExportResult::Failed);
    EXPECT_EQ(Reports(), std::vector<std::string>{row.message + "\n"});
    EXPECT_FALSE(std::filesystem::exists(Path("export.geo")));
    EXPECT_FALSE(std::filesystem::exists(Path("export.geo.tmp")));
    EXPECT_EQ(FieldText(model.other.objects[0].name), "A");  // lists as they were
  }
}

using FileReports = ModelTest;

// Whatever the system refuses, the report names the file as it was given and
// gives the system's reason; a failed export leaves the files as they were.
TEST_F(FileReports, EveryFailingReadOrWriteNamesItsFileAndReason) {
  WriteFile(Path("model.geo"), MixedGeo());
  WriteText(Path("export.geo"), "old");
  for (const char* folder : {"folder.geo", "folder.asc"}) {
    std::filesystem::create_directories(Path(folder));
  }
  WriteText(Path("locked.geo"), "old");
  std::filesystem::permissions(Path("locked.geo"), std::filesystem::perms::owner_read);
  const std::string fifo = Path("pipe.asc");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const auto exportTo = [this](const std::string& name) {
    return [this, name](MeshModel& model) {
      return model.ReadAsc(Path("model.asc")) == ImportResult::Imported &&
             model.WriteGeo(Path(name)) == ExportResult::Failed;
    };
  };
  const struct {
    const char* what;
    std::function<bool(MeshModel&)> fails;
    std::string report;
  } rows[] = {
      {"GEO file missing", [this](MeshModel& m) { return !m.ReadGeo(Path("missing.geo")); },
       "Couldn't open file missing.geo: File does not exist.\n"},
      {"GEO file is a folder", [this](MeshModel& m) { return !m.ReadGeo(Path("folder.geo")); },
       "Couldn't open file folder.geo: it is a folder, not a file\n"},
      {"ASC file missing", [this](MeshModel& m) { return m.ReadAsc(Path("missing.asc")) == ImportResult::Failed; },
       "Couldn't open file missing.asc: File does not exist.\n"},
      {"ASC file is a pipe", [&](MeshModel& m) { return m.ReadAsc(fifo) == ImportResult::Failed; },
       "Couldn't open file pipe.asc: it is not a regular file (a device or a pipe)\n"},
      {"ASC folder missing", [this](MeshModel& m) { return !m.WriteAsc(Path("no/such/folder/model.asc")); },
       "Couldn't write file no/such/folder/model.asc: its folder no/such/folder does not exist\n"},
      {"ASC disk full", [](MeshModel& m) { return !m.WriteAsc("/dev/full"); },
       "Couldn't write file /dev/full: write failed: No space left on device\n"},
      {"GEO folder missing", exportTo("no/such/folder/export.geo"),
       "Couldn't write file no/such/folder/export.geo: its folder no/such/folder does not exist\n"},
      {"GEO target is read-only", exportTo("locked.geo"), "Couldn't write file locked.geo: the file is read-only\n"},
      {"GEO target is a folder", exportTo("folder.geo"), "Couldn't write file folder.geo: it is a folder\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    MeshModel model;
    ASSERT_TRUE(model.ReadGeo(Path("model.geo")));
    ASSERT_TRUE(model.WriteAsc(Path("model.asc")));
    errors_.clear();
    EXPECT_TRUE(row.fails(model));
    EXPECT_EQ(Reports(), std::vector<std::string>{row.report});
  }
  EXPECT_EQ(ReadText(Path("export.geo")), "old");
  EXPECT_EQ(ReadText(Path("locked.geo")), "old");
  EXPECT_TRUE(std::filesystem::is_directory(Path("folder.geo")));
}

}  // namespace
}  // namespace modelyard::testing
