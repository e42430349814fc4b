// "Startup Units" (window 6): the level of starting units of each player.
// The all-players controls are hidden and only carry their fields.
#pragma once

#include <array>

#include "gui/windows/settings_window.h"
#include "gui/windows/window_controls.h"

namespace glenmire {

class TfrmDifficulty final : public SettingsForm {
  Q_OBJECT

 public:
  TfrmDifficulty(SettingsRecord& record, ShellState& shell, QWidget* parent = nullptr);
  ~TfrmDifficulty() override { FormDestroy(); }

  void LoadDifficulty();
  void SaveDifficulty();
  void Load() override { LoadDifficulty(); }
  void Save() override { SaveDifficulty(); }
  void SetAllToRandom() override;
  void SetNoneToRandom() override;
  void ResetDefaults() override;

  std::array<QSlider*, kPlayers> tbDiff{};          // tbDiff1..tbDiff8
  std::array<QCheckBox*, kPlayers> cbDiffRandom{};  // cbDiff1Random..cbDiff8Random
  QSlider* tbAllCompDiff;
  QSlider* tbAllHumanDiff;
  QCheckBox* cbAllComputerPlayers;
  QCheckBox* cbAllHumanPlayers;
  QCheckBox* cbAllCompPlayersRandom;
  QCheckBox* cbAllHumanPlayersRandom;

 private:
  // The Random boxes have no click action: only these buttons grey the bars.
  void EnableTrackBars(bool enabled);
};

}  // namespace glenmire
