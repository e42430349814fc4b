// "Units" (window 7): eleven statistics of one unit type at a time, chosen
// in a list. The boxes always stand for the selected unit.
#pragma once

#include <array>

#include "gui/windows/settings_window.h"
#include "gui/windows/window_controls.h"

namespace glenmire {

class TfrmUnits final : public SettingsForm {
  Q_OBJECT

 public:
  TfrmUnits(SettingsRecord& record, ShellState& shell, QWidget* parent = nullptr);
  ~TfrmUnits() override { FormDestroy(); }

  void UnitLoad();
  void UnitSave();
  void UnitValueSync();
  void Load() override { UnitLoad(); }
  void Save() override { UnitSave(); }
  void SetAllToRandom() override;
  void SetNoneToRandom() override;
  void ResetDefaults() override;

  // The eleven statistics in window order.
  static constexpr int kStats = 11;
  static const char* const kStatNames[kStats];  // "VisibleRange", "HitPoints", ...
  static const QStringList& UnitNames();        // the 79 list entries

  QComboBox* cbUnitSelection;
  QLabel* lblUnitRace;
  std::array<QLineEdit*, kStats> txtUnit{};       // txtUnit<Stat>
  std::array<QCheckBox*, kStats> cbRandomUnit{};  // cbRandomUnit<Stat>

 private:
  int Selected() const { return cbUnitSelection->currentIndex(); }  // settings number - 1
  void RandomClick(int stat);                                       // cbRandomUnitVisibleRangeClick ..
};

}  // namespace glenmire
