// "File" (window 1): map size, terrain, description and the WarCraft II
// folder; the player counts and the land/water amount ride along hidden.
#pragma once

#include "gui/windows/settings_window.h"
#include "gui/windows/window_controls.h"

namespace glenmire {

class TfrmQuick final : public SettingsForm {
  Q_OBJECT

 public:
  TfrmQuick(SettingsRecord& record, ShellState& shell, QWidget* parent = nullptr);
  ~TfrmQuick() override { FormDestroy(); }

  void LoadQuickStart();
  void SaveQuickStart();
  void Load() override { LoadQuickStart(); }
  void Save() override { SaveQuickStart(); }
  void SetAllToRandom() override;
  void SetNoneToRandom() override;
  void ResetDefaults() override;

  void dcbWC2DirChange();
  void dlbWC2DirChange();

  RadioGroup* rgMapSize;
  RadioGroup* rgClimate;
  QLineEdit* edMapDesc;
  DriveList* dcbWC2Dir;
  FolderList* dlbWC2Dir;
  QLineEdit* edWarcraftDirectoryDisplay;
  QSpinBox* speNumberOfPlayers;
  QSpinBox* speHumanControlled;
  QSlider* tbQSLandWater;
  QCheckBox* cbQSRandomLandWater;

  // The last hint shown for refused typing in the description.
  const QString& DescriptionHint() const { return descriptionHint_; }

 private:
  bool suppressFolderChange_ = false;
  QString descriptionHint_;
};

}  // namespace glenmire
