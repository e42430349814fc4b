// "Random Method" (window 9): which formula draws the random settings, and
// how far from their centres they may go.
#pragma once

#include "gui/windows/settings_window.h"
#include "gui/windows/window_controls.h"

namespace glenmire {

class TfrmRandom final : public SettingsForm {
  Q_OBJECT

 public:
  TfrmRandom(SettingsRecord& record, ShellState& shell, QWidget* parent = nullptr);
  ~TfrmRandom() override { FormDestroy(); }

  void RandomLoad();
  void RandomSave();
  void Load() override { RandomLoad(); }
  void Save() override { RandomSave(); }
  void SetAllToRandom() override;
  void SetNoneToRandom() override;
  void ResetDefaults() override;

  // The raw formula ignores the extremity, so its bar is greyed out then.
  void rgRandomMethodClick();

  RadioGroup* rgRandomMethod;
  QSlider* tbRandomExtremity;
};

}  // namespace glenmire
