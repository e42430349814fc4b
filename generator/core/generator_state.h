// The generator state: the map being made and what its stages share, that is
// the settings record, the six grids and the unit list, the context of one
// attempt, the menu checks and the random generator. Every stage takes it by
// reference and works on it directly. What a run keeps for itself (the user's
// record, the UI, placement's counters) is in the run's context instead. The
// window owns one, the command line makes one per map, each test makes its
// own; two never share anything.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>

#include "core/grids.h"
#include "core/random.h"
#include "core/settings_record.h"
#include "core/symmetry.h"

namespace glenmire {

struct CellPosition {
  uint8_t row = 0;
  uint8_t column = 0;
};

// The state of the main window's three Preferences check marks.
struct MenuChecks {
  bool showWarnings = true;
  bool compensate = true;
  bool safetyMode = true;
};

struct GeneratorState {
  GeneratorState() = default;
  GeneratorState(const GeneratorState&) = delete;
  GeneratorState& operator=(const GeneratorState&) = delete;

  SettingsRecord settings = ZeroRecord();

  Grid<uint16_t> TerrainGrid{};
  Grid<uint8_t> OccupancyGrid{};
  Grid<uint8_t> ScratchGrid{};
  MoveGridStore MoveGrid{};
  Grid<uint16_t> RegionGrid{};
  uint8_t UnitList[kUnitListBytes]{};
  int32_t UnitListLength = 0;

  // Generation context of one attempt, shared by the terrain and placement stages.
  bool StartIslandsMode = false;
  CellPosition StartCells[kPlayers]{};  // player p at index p-1

  // The map in the grids came from a file: the reader sets the length of its
  // unit section, the encoder writes exactly that many bytes of UnitList back
  // when MapLoaded, and the picture counts them. They describe the map itself, so they stay with
  // it from the load to every run on it.
  bool MapLoaded = false;
  // The run's symmetry, chosen beside the seed (none: no symmetric step runs).
  Symmetry symmetry = Symmetry::kNone;
  uint32_t LoadedUnitSectionLength = 0;

  MenuChecks menu;
  Random random;

  // The side the stages work on: the record's MapSize, kept within the grids
  // whatever a record holds (a run refuses any other size before it starts).
  int MapSize() const { return std::clamp(settings.MapSize, 0, kMaxMapSize); }
};

// The state is large (about 200 KB); make it on the heap.
inline std::unique_ptr<GeneratorState> MakeGeneratorState() { return std::make_unique<GeneratorState>(); }

}  // namespace glenmire
