// Writes the files modelyard ships: the sample model.geo and, for looking at
// them, the drawn pictures as BMP files. Usage: make_modelyard_data <folder>
#include <cstdio>
#include <fstream>
#include <string>

#include "pictures.h"
#include "sample_car.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  const auto geo = modelyard::BuildSampleCarGeo();
  std::ofstream file(folder + "/model.geo", std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(geo.data()), static_cast<std::streamsize>(geo.size()));
  const auto pictures = modelyard::DrawViewerPictures();
  bool good = static_cast<bool>(file);
  good &= modelyard::WriteBmp8(folder + "/background.bmp", pictures.background, pictures.backgroundTable);
  good &= modelyard::WriteBmp8(folder + "/panel.bmp", pictures.panel, pictures.backgroundTable);
  good &= modelyard::WriteBmp8(folder + "/panel_pressed.bmp", pictures.pressedPanel, pictures.backgroundTable);
  good &= modelyard::WriteBmp8(folder + "/backdrop.bmp", pictures.backdrop, pictures.viewTable);
  if (!good) {
    std::fprintf(stderr, "could not write into %s\n", folder.c_str());
    return 1;
  }
  return 0;
}
