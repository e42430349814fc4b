// The map generator's main window: the button column, one settings window at
// a time in the frame, the progress bar and the menus. It owns the generator
// state and is the generation run's way of speaking to the user.
#pragma once

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "gui/windows/settings_window.h"
#include "gui/shell_dialogs.h"
#include "core/generator_state.h"

namespace glenmire {

class FileError;
class HelpWindow;

class TfrmGMMain : public QMainWindow, public GenerationUi {
  Q_OBJECT

 public:
  // programDir: the folder of the running program (where "Default.gmp" and
  // the help document are); dialogs: the seam for file dialogs and message
  // boxes (nullptr: the real ones).
  explicit TfrmGMMain(const QString& programDir, std::unique_ptr<ShellDialogs> dialogs = nullptr,
                      QWidget* parent = nullptr);
  ~TfrmGMMain() override;

  GeneratorState& State() { return *state_; }
  ShellState& Shell() { return shell_; }
  // The settings window now shown, or nullptr.
  SettingsForm* ShownForm() const { return form_; }
  const QString& ProgramDir() const { return programDir_; }
  QString DefaultConfigPath() const;
  QString HelpFilePath() const;

  // Window switching.
  void ShowSettingsWindow(int index);  // KillForm, CurrentForm := index, PickForm
  void KillForm();
  void PickForm();
  void MasterClose();
  void MasterOpen();
  void MasterSetAllToRandom();
  void MasterSetNoneToRandom();
  void MasterResetDefaults();

  // Commands.
  void btMayhemClick();
  void btGenerateMapClick();
  void LoadMapClick();
  void SaveCurrentSettings1Click();
  void LoadConfiguration1Click();
  void ShowWarningsClick();
  void CompensateClick();
  void SafetyModeClick();
  void Contents1Click();
  void About1Click();

  // GenerationUi: the driver's progress, status, questions and messages.
  void Progress(int percent) override;
  void Status(const std::string& text) override;
  BuildOnSandAnswer AskBuildOnSand(const std::string& text) override;
  UnplacedAnswer AskUnplaced(const std::string& text) override;


  // The four file dialogs.
  FileDialogSetup odLoadConfig;
  FileDialogSetup sdSaveConfig;
  FileDialogSetup sdSaveMap;
  FileDialogSetup odLoadMap;

  QWidget* pnlButtonMenu;
  std::array<QPushButton*, 10> settingsButtons{};  // btQuickStart .. btCritters
  QPushButton* btAllRandom;
  QPushButton* btNoneRandom;
  QPushButton* btResetDefaults;
  QPushButton* btMayhem;
  QPushButton* btGenerateMap;
  QLabel* lblMapperStatus;
  QProgressBar* ProgressBar;
  QStatusBar* StatusBar1;
  QMdiArea* mdiArea;
  QAction* LoadMap;
  QAction* Exit2;
  QAction* SaveCurrentSettings1;
  QAction* LoadConfiguration1;
  QAction* ShowWarnings;
  QAction* Compensate;
  QAction* SafetyMode;
  QAction* Contents1;
  QAction* About1;

 private:
  void Inform(const std::string& text);
  void BuildButtons();
  void BuildMenus();
  void BuildDialogs();
  void MenuFromState();
  void ReleaseForm();
  void FitShownForm();
  void showEvent(QShowEvent* event) override;
  void ShowFileError(const FileError& e);
  void ShowError(const QString& text, const QString& detail);
  std::optional<QString> RunDialog(const FileDialogSetup& setup);
  // Load Map and the configuration menu items: the dialog opens in the
  // program's folder; a name chosen runs `action` on it with the settings
  // window closed, and a file error is shown. An empty name only closes and
  // reopens the window; Cancel does nothing.
  void RunFileCommand(FileDialogSetup& dialog, const std::function<void(const std::string&)>& action);

  QString programDir_;
  std::unique_ptr<ShellDialogs> dialogs_;
  std::unique_ptr<GeneratorState> state_;
  ShellState shell_;
  QPointer<SettingsForm> form_;
  QPointer<HelpWindow> help_;
};

}  // namespace glenmire
