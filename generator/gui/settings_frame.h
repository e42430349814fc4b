// The frame beside the button column that shows one settings window at a
// time, as wide and high as the window it shows. The shown window reads the
// record when it opens (Load) and writes what it shows back (Save), as it
// does once more on its way out.
#pragma once

#include <QMdiArea>
#include <QPointer>

#include "gui/windows/settings_window.h"

namespace glenmire {

class SettingsFrame : public QMdiArea {
  Q_OBJECT

 public:
  SettingsFrame(SettingsRecord& record, QWidget* parent);

  ShellState& Shell() { return shell_; }
  // The settings window now shown, or nullptr.
  SettingsForm* Form() const { return form_; }

  void Show(int index);  // KillForm, CurrentForm := index, PickForm
  void Pick();           // the window of CurrentForm, if any
  void Release();        // the shown window goes, saving on its way out
  void Fit();
  void Save();
  void Load();
  void SetAllToRandom();
  void SetNoneToRandom();
  void ResetDefaults();

 signals:
  // Tab left the shown window past its last (next) or first control.
  void TabOut(bool next);

 private:
  void Kill();

  SettingsRecord& record_;
  ShellState shell_;
  QPointer<SettingsForm> form_;
};

}  // namespace glenmire
