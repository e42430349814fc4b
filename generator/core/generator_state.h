// The generator state: the settings record and its two copies, the six
// grids, the generation context and the random generator. Every stage takes
// it by reference and works on it directly. The window owns one, the command
// line makes one per map, each test makes its own; two never share anything.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>

#include "core/settings_record.h"
#include "core/generation_ui.h"
#include "core/grids.h"
#include "core/random.h"
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
  SettingsRecord SettingsBackup = ZeroRecord();
  SettingsRecord LoadedMapSettings = ZeroRecord();

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
  bool MapLoaded = false;
  // The run's symmetry, chosen beside the seed (none: no symmetric step runs).
  Symmetry symmetry = Symmetry::kNone;

  // Placement context: town positions carry over between the attempts of a
  // run (a player without a new town keeps its last one); each run starts them at (0, 0).
  uint8_t MinesPlaced = 0;
  CellPosition TownPosition[kPlayers]{};  // player p at index p-1

  // Length of the unit section of the last loaded map, written back on Genitize.
  uint32_t LoadedUnitSectionLength = 0;

  MenuChecks menu;
  Random random;
  GenerationUi* ui = &silentUi;

  // The side the stages work on: the record's MapSize, kept within the grids
  // whatever a record holds (a run refuses any other size before it starts).
  int MapSize() const { return std::clamp(settings.MapSize, 0, kMaxMapSize); }

 private:
  SilentUi silentUi;
};

// The state is large (about 200 KB); make it on the heap.
inline std::unique_ptr<GeneratorState> MakeGeneratorState() { return std::make_unique<GeneratorState>(); }

}  // namespace glenmire
