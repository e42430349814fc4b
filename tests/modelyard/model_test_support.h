// Shared by the modelyard tests: GEO files built byte by byte, a scratch
// folder per test and a record of the reported errors.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "mesh_model.h"

namespace modelyard::testing {

struct GeoQuad {
  uint32_t attribute;
  std::array<uint8_t, 4> index;
  std::string material;  // 4 bytes
};

struct GeoObject {
  int32_t vertexCount;  // as written in the head
  std::string name;
  std::vector<std::array<int16_t, 3>> vertices;  // already rounded up to even
  std::vector<GeoQuad> quads;
};

class GeoBytes {
 public:
  GeoBytes() : bytes_(kGeoHeaderSize) {
    for (int i = 0; i < kGeoHeaderSize; ++i) bytes_[static_cast<size_t>(i)] = static_cast<uint8_t>(i * 7 + 3);
  }
  GeoBytes& Object(const GeoObject& o) {
    Put32(static_cast<uint32_t>(o.vertexCount));
    Put32(static_cast<uint32_t>(o.quads.size()));
    for (int i = 0; i < kGeoNameSize; ++i)
      bytes_.push_back(i < static_cast<int>(o.name.size()) ? static_cast<uint8_t>(o.name[static_cast<size_t>(i)]) : 0);
    for (const auto& v : o.vertices) {
      for (int16_t c : v) {
        bytes_.push_back(static_cast<uint8_t>(c));
        bytes_.push_back(static_cast<uint8_t>(static_cast<uint16_t>(c) >> 8));
      }
    }
    for (const auto& q : o.quads) {
      Put32(q.attribute);
      bytes_.insert(bytes_.end(), q.index.begin(), q.index.end());
      bytes_.insert(bytes_.end(), q.material.begin(), q.material.end());
    }
    return *this;
  }
  GeoBytes& Empty() {
    bytes_.insert(bytes_.end(), kGeoObjectHeadSize, 0);
    return *this;
  }
  // A bare 52-byte head, nothing after it.
  GeoBytes& Head(int32_t vertexCount, int32_t quadCount) {
    Put32(static_cast<uint32_t>(vertexCount));
    Put32(static_cast<uint32_t>(quadCount));
    bytes_.insert(bytes_.end(), kGeoNameSize, 'n');
    return *this;
  }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

 private:
  void Put32(uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<uint8_t>(v >> (8 * i)));
  }
  std::vector<uint8_t> bytes_;
};

// A cube-like object with `v` vertices in its head and quads over vertex 0..3.
inline GeoObject SimpleObject(const std::string& name, int32_t v, int quads, uint32_t attribute = 0x01020304) {
  GeoObject o{v, name, {}, {}};
  for (int i = 0; i < (v + 1) / 2 * 2; ++i)
    o.vertices.push_back(
        {static_cast<int16_t>(i * 10 - 5), static_cast<int16_t>(-i * 3), static_cast<int16_t>(i * 100)});
  for (int q = 0; q < quads; ++q)
    o.quads.push_back({attribute + static_cast<uint32_t>(q), {0, 1, 2, 3}, "MAT" + std::to_string(q % 10)});
  return o;
}

inline void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f << text;
}

inline std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream f(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

inline std::string ReadText(const std::filesystem::path& path) {
  std::ifstream f(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// A scratch folder and the errors reported while the test runs.
class ModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name();
    for (char& c : name) {
      if (c == '/') c = '_';
    }
    dir_ = std::filesystem::temp_directory_path() / ("modelyard_test_" + name);
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    SetErrorSink([this](const std::string& text) { errors_.push_back(text); });
  }
  void TearDown() override {
    SetErrorSink(nullptr);
    std::filesystem::remove_all(dir_);
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  // The reports with the scratch folder left out of the file names, as they
  // read for files given by name in the working folder.
  std::vector<std::string> Reports() const {
    const std::string folder = (dir_ / "").string();
    std::vector<std::string> reports = errors_;
    for (std::string& report : reports) {
      for (size_t at; (at = report.find(folder)) != std::string::npos;) report.erase(at, folder.size());
    }
    return reports;
  }

  std::filesystem::path dir_;
  std::vector<std::string> errors_;
};

}  // namespace modelyard::testing
