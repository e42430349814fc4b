// "Player Options" (window 2): race, controller and computer behaviour of
// the eight players. Every change is stored at once and the players recounted.
#pragma once

#include <array>

#include "gui/windows/settings_window.h"
#include "gui/windows/window_controls.h"

namespace glenmire {

class TfrmPlayer final : public SettingsForm {
  Q_OBJECT

 public:
  TfrmPlayer(SettingsRecord& record, ShellState& shell, QWidget* parent = nullptr);
  ~TfrmPlayer() override { FormDestroy(); }

  void LoadPlayer();
  void SavePlayer();
  void Load() override { LoadPlayer(); }
  void Save() override { SavePlayer(); }
  void SetAllToRandom() override;
  void SetNoneToRandom() override;
  void ResetDefaults() override;

  // rgrace1Click .. cboAI8Change: save the whole window, then recount.
  void PlayerChanged();

  // Player p (1..8) at index p-1.
  std::array<RadioGroup*, kPlayers> rgrace{};
  std::array<QComboBox*, kPlayers> cboController{};
  std::array<QComboBox*, kPlayers> cboAI{};

  // Item i of the lists <-> record code.
  static constexpr uint8_t kControllerCodes[6] = {kControllerHuman,         kControllerComputer,
                                                  kControllerRescuePassive, kControllerRescueActive,
                                                  kControllerRescueRandom,  kControllerNobody};
  static constexpr uint8_t kAiCodes[5] = {kAiLandAttack, kAiPassive, kAiSeaAttack, kAiAirAttack, kAiRandom};
};

}  // namespace glenmire
