// "Startup Resources" (window 5): the gold, lumber and oil each player
// starts with, in a grid of three resources by eight players.
#pragma once

#include <array>

#include "gui/windows/settings_window.h"
#include "gui/windows/window_controls.h"

namespace glenmire {

class TfrmStartRes final : public SettingsForm {
  Q_OBJECT

 public:
  TfrmStartRes(SettingsRecord& record, ShellState& shell, QWidget* parent = nullptr);
  ~TfrmStartRes() override { FormDestroy(); }

  void LoadStartRes();
  void SaveStartRes();
  void Load() override { LoadStartRes(); }
  void Save() override { SaveStartRes(); }
  void SetAllToRandom() override;
  void SetNoneToRandom() override;
  void ResetDefaults() override;

  enum Resource { kGold, kLumber, kOil };
  // txtStart<Resource><Colour> and cbRandomStart<Resource><Colour>, player p at index p-1.
  std::array<std::array<QLineEdit*, kPlayers>, 3> txtStart{};
  std::array<std::array<QCheckBox*, kPlayers>, 3> cbRandomStart{};

 private:
  int32_t* Values(int resource);
  uint8_t* Flags(int resource);
};

}  // namespace glenmire
