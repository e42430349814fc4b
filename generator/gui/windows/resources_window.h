// "Natural Resources" (window 3): how many gold mines and oil patches the map
// gets and how much each holds.
#pragma once

#include "core/unit_types.h"
#include "gui/windows/settings_window.h"
#include "gui/windows/window_controls.h"

namespace glenmire {

class TfrmResources final : public SettingsForm {
  Q_OBJECT

 public:
  TfrmResources(SettingsRecord& record, ShellState& shell, QWidget* parent = nullptr);
  ~TfrmResources() override { FormDestroy(); }

  void LoadResources();
  void SaveResources();
  void Load() override { LoadResources(); }
  void Save() override { SaveResources(); }
  void SetAllToRandom() override;
  void SetNoneToRandom() override;
  void ResetDefaults() override;

  void tbResGoldAmtChange();
  void tbResOilAmtChange();

  // The record holds mines and patches as signed bytes: 0..127.
  static constexpr int kMaxSites = 127;
  // One step of an amount track bar is this much gold or oil in the game.
  static constexpr int kAmountStep = kResourceStep;

  QSpinBox* speResGoldMine;
  QCheckBox* cbResRanGoldMine;
  QSpinBox* speResOilPat;
  QCheckBox* cbResRanOilPat;
  QSlider* tbResGoldAmt;
  QCheckBox* cbResGoldAmt;
  QSlider* tbResOilAmt;
  QCheckBox* cbResOilAmt;
  QLabel* CurrentGold;
  QLabel* CurrentOil;

 private:
  void ApplyRandomBoxes();
};

}  // namespace glenmire
