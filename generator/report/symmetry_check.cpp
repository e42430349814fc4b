#include "report/symmetry_check.h"

#include <array>

#include "core/unit_types.h"
#include "placement/unit_list.h"
#include "report/map_picture.h"
#include "report/unit_names.h"
#include "terrain/symmetric_terrain.h"

namespace glenmire {

namespace {

constexpr uint16_t kVariantBits = 0xF;

uint16_t Family(uint16_t tile) { return static_cast<uint16_t>(tile & ~kVariantBits); }

bool TerrainKeeps(const GeneratorState& s, const Motion& m) {
  const int side = s.MapSize();
  for (int r = 1; r <= side; ++r)
    for (int c = 1; c <= side; ++c) {
      const Cell image = ImageOf(m, side, {r, c});
      if (Family(MovedTile(Family(s.TerrainGrid(r, c)), m)) != Family(s.TerrainGrid(image.row, image.column)))
        return false;
      if (s.MoveGrid.At(side, r, c) != s.MoveGrid.At(side, image.row, image.column)) return false;
    }
  return true;
}

bool MaySitOneOff(uint8_t type) { return IsShip(type) || IsAircraft(type) || type == kOilPatch; }

bool UnitsKeep(const GeneratorState& s, const Motion& m) {
  const int side = s.MapSize();
  std::vector<UnitRecord> units;
  const int bytes = UnitBytes(s);
  for (int at = 0; at + kUnitRecordBytes <= bytes; at += kUnitRecordBytes)
    units.push_back(DecodeUnitRecord(s.UnitList + at));
  std::vector<bool> taken(units.size(), false);
  constexpr int kOwners = 256;
  std::array<int, kOwners> owner;  // the owner images of each owner's units have
  owner.fill(-1);
  for (const UnitRecord& u : units) {
    const int foot = FootprintSide(u.type);
    const Cell exact = FootprintImage(m, side, {u.row, u.column}, foot, foot);
    const int reach = MaySitOneOff(u.type) ? 1 : 0;
    bool found = false;
    for (std::size_t i = 0; i < units.size() && !found; ++i) {
      const UnitRecord& v = units[i];
      if (taken[i] || UnitKind(v.type) != UnitKind(u.type) || v.data != u.data) continue;
      if (v.row < exact.row - reach || v.row > exact.row + reach || v.column < exact.column - reach ||
          v.column > exact.column + reach)
        continue;
      if (owner[u.owner] >= 0 && owner[u.owner] != v.owner) continue;
      owner[u.owner] = v.owner;
      taken[i] = found = true;
    }
    if (!found) return false;
  }
  return true;
}

}  // namespace

bool HasSymmetry(const GeneratorState& s, Symmetry mode) {
  const std::span<const Motion> motions = MotionsOf(mode);
  for (std::size_t j = 1; j < motions.size(); ++j)
    if (!TerrainKeeps(s, motions[j]) || !UnitsKeep(s, motions[j])) return false;
  return true;
}

std::vector<Symmetry> SymmetriesOf(const GeneratorState& s) {
  std::vector<Symmetry> found;
  for (int k = 1; k < kSymmetryModes; ++k)
    if (HasSymmetry(s, static_cast<Symmetry>(k))) found.push_back(static_cast<Symmetry>(k));
  return found;
}

}  // namespace glenmire
