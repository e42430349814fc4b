// "Land Attributes" (window 8): the amounts that shape the terrain and the
// terrain switches.
#pragma once

#include <array>

#include "gui/windows/settings_window.h"
#include "gui/windows/window_controls.h"

namespace glenmire {

class TfrmLand final : public SettingsForm {
  Q_OBJECT

 public:
  TfrmLand(SettingsRecord& record, ShellState& shell, QWidget* parent = nullptr);
  ~TfrmLand() override { FormDestroy(); }

  void LandLoad();
  void LandSave();
  void Load() override { LandLoad(); }
  void Save() override { LandSave(); }
  void SetAllToRandom() override;
  void SetNoneToRandom() override;
  void ResetDefaults() override;

  QSlider* tbLandWater;
  QCheckBox* cbRandomLandWater;
  QSlider* tbBuildableLand;
  QCheckBox* cbRandomBuildableLand;
  QSlider* tbRivers;
  QCheckBox* cbRandomRivers;
  QCheckBox* cbMultipleRivers;
  QSlider* tbLakes;
  QCheckBox* cbRandomLakes;
  QSlider* tbForest;
  QCheckBox* cbRandomForest;
  QSlider* tbMountains;
  QCheckBox* cbRandomMountains;
  QSlider* tbDecorations;
  QCheckBox* cbEnableShallowWater;
  QCheckBox* cbEnableImpassibleLand;
  QCheckBox* cbReverseLandAndWaterProperties;
  QCheckBox* cbEnableSecretMountainPasses;
  QCheckBox* cbBlankMap;
  QCheckBox* cbBuildOnSand;
  QCheckBox* cbRiversEnable;
  QCheckBox* cbLakesEnable;
  QCheckBox* cbForestEnable;
  QCheckBox* cbMountainsEnable;
  QCheckBox* cbMultipleLakes;
  QCheckBox* cbAddWalls;
  QCheckBox* cbEnableIslands;

 private:
  void ApplyRandomBoxes();
};

}  // namespace glenmire
