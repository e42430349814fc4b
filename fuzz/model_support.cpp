#include "model_support.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "fuzz_check.h"
#include "renderer.h"

namespace fuzzing {
namespace {

class Scratch {
 public:
  Scratch() {
    std::string pattern = (std::filesystem::temp_directory_path() / "modelyard-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) Broken("cannot make a scratch folder");
    folder_ = pattern;
  }
  ~Scratch() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  const std::string& Folder() const { return folder_; }

 private:
  std::string folder_;
};

std::string& Collected() {
  static std::string reports;
  return reports;
}

}  // namespace

std::string ScratchFile(const std::string& name) {
  static Scratch scratch;
  return scratch.Folder() + "/" + name;
}

void PutFile(const std::string& path, const uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) Broken("cannot write " + path);
  const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
  if (std::fclose(file) != 0 || !written) Broken("cannot write " + path);
}

void ClearReports() {
  static const bool installed = [] {
    modelyard::SetErrorSink([](const std::string& report) { Collected() += report; });
    return true;
  }();
  (void)installed;
  Collected().clear();
}

const std::string& Reports() { return Collected(); }

void CheckReportedFor(const std::string& path) {
  Check(!Reports().empty(), "a failure without a report about " + path);
  Check(Reports().find(path) != std::string::npos, "a report that does not name " + path + ": " + Reports());
}

void RenderFrames(modelyard::MeshList& list) {
  static modelyard::Renderer renderer;
  static const std::vector<uint8_t> backdrop(static_cast<std::size_t>(modelyard::kViewWidth) * modelyard::kViewHeight,
                                             0);
  static std::vector<uint8_t> picture(backdrop.size());
  modelyard::ViewState view;
  view.yaw = 30;
  view.pitch = 20;
  view.solid = true;
  renderer.Render(list, view, backdrop.data(), picture.data());
  view.solid = false;
  view.allObjects = true;
  renderer.Render(list, view, backdrop.data(), picture.data());
}

}  // namespace fuzzing
