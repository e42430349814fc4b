// The map generator's main window: the button column, one settings window at
// a time in the frame, the preview pane with the last map and its seed, the
// progress bar and the menus. It owns the generator state and is the
// generation run's way of speaking to the user.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/generation_ui.h"
#include "core/generator_state.h"
#include "gui/shell_dialogs.h"
#include "gui/windows/settings_window.h"
#include "report/fairness.h"

class QAction;
class QLabel;
class QMdiArea;
class QProgressBar;
class QPushButton;

namespace glenmire {

class FileError;
class HelpWindow;
class PreviewPane;
struct RunOutcome;
struct StartGroups;

class MainWindow : public QMainWindow, public GenerationUi {
  Q_OBJECT

 public:
  // programDir: the folder of the running program (where "Default.gmp" and
  // the help document are); dialogs: the seam for file dialogs and message
  // boxes (nullptr: the real ones).
  explicit MainWindow(const QString& programDir, std::unique_ptr<ShellDialogs> dialogs = nullptr,
                      QWidget* parent = nullptr);
  ~MainWindow() override;

  GeneratorState& State() { return *state_; }
  const SettingsRecord& LoadedMap() const { return loadedMap_; }
  ShellState& Shell() { return shell_; }
  // The settings window now shown, or nullptr.
  SettingsForm* ShownForm() const { return form_; }
  PreviewPane* Preview() const { return preview_; }
  const QString& ProgramDir() const { return programDir_; }
  QString DefaultConfigPath() const;
  QString HelpFilePath() const;
  // The seed the last run used.
  std::optional<uint32_t> LastSeed() const { return lastSeed_; }

  // Window switching.
  void ShowSettingsWindow(int index);  // KillForm, CurrentForm := index, PickForm
  void MasterClose();
  void MasterOpen();

  // Commands.
  void GenerateMap();
  void PreviewMap();

  // GenerationUi: the run's progress, status and questions.
  void Progress(int percent) override;
  void Status(const std::string& text) override;
  BuildOnSandAnswer AskBuildOnSand(const std::string& text) override;
  UnplacedAnswer AskUnplaced(const std::string& text) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildButtons(QWidget* panel);
  void BuildMenus();
  void BuildDialogs();
  void MenuFromState();
  void KillForm();
  void PickForm();
  void ReleaseForm();
  void FitShownForm();
  void MasterSetAllToRandom();
  void MasterSetNoneToRandom();
  void MasterResetDefaults();
  void Mayhem();
  void LoadMapClick();
  void SaveCurrentSettingsClick();
  void LoadConfigurationClick();
  void HelpClick();
  void AboutClick();

  // One run of the current settings: into `mapFile` through the file writer,
  // or (mapFile empty) into memory only; the map is shown in the pane.
  void Run(const std::optional<std::string>& mapFile);
  void RunFairSearch(const std::optional<std::string>& mapFile);
  void ShowBytes(const std::string& mapFile, const std::vector<uint8_t>& bytes, const StartGroups& groups);
  void LoadPreset(const QString& name);
  void ShowOutcome(const RunOutcome& outcome, uint32_t seed, bool preview);
  uint32_t NextSeed() const;
  void Inform(const std::string& text);
  void ShowFileError(const FileError& e);
  void ShowError(const QString& text, const QString& detail);
  std::optional<QString> RunDialog(FileDialogSetup& setup);
  // Load Map and the configuration menu items: a name chosen runs `action`
  // on it with the settings window closed, and a file error is shown; after
  // it the settings count as unchanged. An empty name only closes and reopens
  // the window; Cancel does nothing.
  void RunFileCommand(FileDialogSetup& dialog, const std::function<void(const std::string&)>& action);

  // Settings changed since they were last loaded or saved: Exit asks first.
  void MarkSettingsClean();
  bool SettingsChanged();
  void UpdateTitle();

  QString programDir_;
  std::unique_ptr<ShellDialogs> dialogs_;
  std::unique_ptr<GeneratorState> state_;
  std::unique_ptr<GeneratorState> shown_;  // the map in the preview pane
  SettingsRecord loadedMap_ = ZeroRecord();  // the record the map loaded for Genitizing came with
  SettingsRecord cleanSettings_;
  QString documentName_;                   // the configuration or map last loaded
  FairnessRules rules_;                    // what maps are judged by: a loaded preset's, else the defaults
  std::optional<uint32_t> lastSeed_;
  ShellState shell_;
  QPointer<SettingsForm> form_;
  QPointer<HelpWindow> help_;

  FileDialogSetup odLoadConfig_;
  FileDialogSetup sdSaveConfig_;
  FileDialogSetup sdSaveMap_;
  FileDialogSetup odLoadMap_;

  QMdiArea* mdiArea_;
  PreviewPane* preview_;
  QWidget* previewColumn_;
  QLabel* lblMapperStatus_;
  QProgressBar* progressBar_;
  QAction* showWarnings_;
  QAction* compensate_;
  QAction* safetyMode_;
  QAction* fairMapsOnly_;
  QAction* showPreview_;
};

}  // namespace glenmire
