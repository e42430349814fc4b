// What every settings window shares: it is a view over its part of the
// settings record, loaded when it is created and saved on every way out, and
// it offers Set ALL Random, Set NONE Random and Reset Defaults for the main
// window's buttons.
#pragma once

#include <QRect>
#include <QWidget>

#include "core/settings_record.h"

namespace glenmire {

// What the windows share with the main window: the number of the shown
// window (0 none) and the flag the main window raises before it saves and
// releases the shown window.
struct ShellState {
  int32_t CurrentForm = 1;
  bool FormSavePending = false;
};

class SettingsForm : public QWidget {
  Q_OBJECT

 public:
  SettingsForm(const QString& className, const QString& caption, SettingsRecord& record, ShellState& shell,
               QWidget* parent);

  virtual void Load() = 0;  // record -> controls
  virtual void Save() = 0;  // controls -> record; clears FormSavePending last
  virtual void SetAllToRandom() = 0;
  virtual void SetNoneToRandom() = 0;
  virtual void ResetDefaults() = 0;

  // Places the window in the frame's client area, then loads it.
  void FormCreate();
  // A click on the window's background puts it back in its place.
  void FormClick();
  // The user closed the window: save, and no window is shown any more.
  void FormClose();
  // The window is going: save, unless closing has saved it already (the
  // frame is deleted later, and the record may have moved on since).
  void FormDestroy() {
    if (!closed_) Save();
  }

  static constexpr QRect kPlace{7, 0, 495, 395};

 signals:
  // Tab went past the window's last control (next) or Shift+Tab before its
  // first: the main window's controls come next.
  void TabOut(bool next);

 protected:
  bool focusNextPrevChild(bool next) override;
  // Every save ends here.
  void SaveDone() { shell_.FormSavePending = false; }
  void Place();
  void mousePressEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

  SettingsRecord& record_;
  ShellState& shell_;

 private:
  bool closed_ = false;
};

// Window class names by main-window number 1..10 ("TfrmQuick", ...).
QString SettingsFormClassName(int index);

}  // namespace glenmire
