// Helpers of the map file tests: a scratch folder, a small state filled with a
// recognisable map, and a builder for hand-made maps. Whole-file reads and
// section splitting come from the reference set's readers.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "core/generator_state.h"
#include "core/settings_record.h"
#include "support/reference_data.h"

namespace glenmire::testing {

// A fresh folder per test, removed afterwards.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "glenmire-mapfile-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~ScratchFolder() { std::filesystem::remove_all(path_); }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A state holding an n x n map in which every cell, setting and unit differs
// from its neighbours, so a lost or shifted byte shows.
inline std::unique_ptr<GeneratorState> SampleState(int n, int32_t climate = 0) {
  auto s = MakeGeneratorState();
  SettingsRecord& r = s->settings;
  r.MapSize = n;
  r.Climate = climate;
  r.MapDescription.assign("Sample map");
  for (int p = 0; p < kPlayers; ++p) {
    r.PlayerController[p] = static_cast<uint8_t>(p < 2 ? 5 - p : 3);
    r.PlayerRace[p] = static_cast<uint8_t>(p % 2);
    r.PlayerAI[p] = static_cast<uint8_t>(p == 3 ? 25 : p);
    r.StartGold[p] = 1000 + 111 * p;
    r.StartLumber[p] = 2000 + 222 * p;
    r.StartOil[p] = 3000 + 333 * p;
  }
  for (int k = 0; k < kUnitTypes; ++k) {
    r.UnitVisibleRange[k] = static_cast<uint8_t>(k % 12 + 1);
    r.UnitHitPoints[k] = 100 + 37 * k;
    r.UnitMagicPoints[k] = static_cast<uint8_t>(k % 3);
    r.UnitBuildTime[k] = static_cast<uint8_t>(50 + k);
    r.UnitGoldCost[k] = static_cast<uint8_t>(10 + k);
    r.UnitLumberCost[k] = static_cast<uint8_t>(k * 2);
    r.UnitOilCost[k] = static_cast<uint8_t>(k % 5);
    r.UnitAttackRange[k] = static_cast<uint8_t>(k % 9 + 1);
    r.UnitArmor[k] = static_cast<uint8_t>(k % 11);
    r.UnitBasicDamage[k] = static_cast<uint8_t>(k % 13 + 2);
    r.UnitPiercingDamage[k] = static_cast<uint8_t>(k % 7);
  }
  for (int g = 0; g < kUpgrades; ++g) {
    r.UpgradeStepCost[g] = static_cast<uint8_t>(100 + g);
    r.UpgradeGoldCost[g] = 500 + 50 * g;
    r.UpgradeLumberCost[g] = 20 * g;
    r.UpgradeOilCost[g] = 7 * g;
  }
  for (int row = 1; row <= n; ++row)
    for (int col = 1; col <= n; ++col) {
      s->TerrainGrid(row, col) = static_cast<uint16_t>(0x10 + (row * 7 + col * 3) % 0x800);
      s->RegionGrid(row, col) = static_cast<uint16_t>((row * n + col) & 0xFF);
      s->MoveGrid.At(n, row, col) = static_cast<uint8_t>(row + col);
    }
  // Three units: x, y (16-bit), type, owner, data (16-bit).
  const uint8_t units[] = {3, 0, 4, 0, 92, 15, 0x10, 0x27,  //
                           5, 0, 6, 0, 2,  0,  0,    0,     //
                           7, 0, 8, 0, 4,  1,  0,    0};
  std::memcpy(s->UnitList, units, sizeof units);
  s->UnitListLength = sizeof units;
  return s;
}

// Builds a map file section by section, in any order.
class PudBuilder {
 public:
  PudBuilder& Section(const std::string& tag, const Bytes& body) {
    return Section(tag, body, static_cast<uint32_t>(body.size()));
  }
  // A section whose length field says `length`, whatever the body holds.
  PudBuilder& Section(const std::string& tag, const Bytes& body, uint32_t length) {
    bytes_.insert(bytes_.end(), tag.begin(), tag.end());
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<uint8_t>(length >> (8 * i)));
    bytes_.insert(bytes_.end(), body.begin(), body.end());
    return *this;
  }
  const Bytes& bytes() const { return bytes_; }

 private:
  Bytes bytes_;
};

// The body of a written map's first section with this tag (cut or not).
inline Bytes SectionBody(const Bytes& file, const std::string& tag) {
  for (const PudSection& section : SplitSections(file))
    if (section.tag == tag) return section.body;
  ADD_FAILURE() << "no section " << tag;
  return {};
}

}  // namespace glenmire::testing
