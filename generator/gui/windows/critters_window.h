// "Critters!" (window 10): how many critters roam the map, and how many each
// player controls.
#pragma once

#include <array>

#include "gui/windows/settings_window.h"
#include "gui/windows/window_controls.h"

namespace glenmire {

class TfrmCritters final : public SettingsForm {
  Q_OBJECT

 public:
  TfrmCritters(SettingsRecord& record, ShellState& shell, QWidget* parent = nullptr);
  ~TfrmCritters() override { FormDestroy(); }

  void LoadCritters();
  void SaveCritters();
  void Load() override { LoadCritters(); }
  void Save() override { SaveCritters(); }
  void SetAllToRandom() override;
  void SetNoneToRandom() override;
  void ResetDefaults() override;

  QSlider* tbCrittersNormal;
  QCheckBox* cbRandomCritters;
  std::array<QSlider*, kPlayers> tbCrittersPlayer{};         // tbCrittersPlayer1..8
  std::array<QCheckBox*, kPlayers> cbCritterRandomPlayer{};  // cbCritterRandomPlayer1..8

 private:
  void ApplyRandomBoxes();
};

}  // namespace glenmire
