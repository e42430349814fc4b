// "Upgrade Costs" (window 4): four costs of one upgrade at a time, chosen in
// a list. The boxes always stand for the selected upgrade.
#pragma once

#include <array>

#include "gui/windows/settings_window.h"
#include "gui/windows/window_controls.h"

namespace glenmire {

class TfrmUpgrades final : public SettingsForm {
  Q_OBJECT

 public:
  TfrmUpgrades(SettingsRecord& record, ShellState& shell, QWidget* parent = nullptr);
  ~TfrmUpgrades() override { FormDestroy(); }

  void LoadUpgrades();
  void SaveUpgrades();
  void UpgradeValueSync();
  void Load() override { LoadUpgrades(); }
  void Save() override { SaveUpgrades(); }
  void SetAllToRandom() override;
  void SetNoneToRandom() override;
  void ResetDefaults() override;

  static constexpr int kCosts = 4;
  static const char* const kCostNames[kCosts];  // "StepCost", "GoldCost", "LumberCost", "OilCost"
  static const QStringList& UpgradeNames();     // the 52 list entries

  QComboBox* cbUpgradeSelection;
  std::array<QLineEdit*, kCosts> txtUpgrade{};       // txtUpgrade<Cost>
  std::array<QCheckBox*, kCosts> cbRandomUpgrade{};  // cbRandomUpgrade<Cost>

 private:
  int Selected() const { return cbUpgradeSelection->currentIndex(); }  // upgrade number - 1
  void RandomClick(int cost);
};

}  // namespace glenmire
